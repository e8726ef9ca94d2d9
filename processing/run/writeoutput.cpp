#include "run/writeoutput.h"

#include "formats/metadata.h"
#include "formats/saveimage.h"
#include "run/options.h"

bool writeOutput(const QImage &image, const QString &inputPath, const QString &outputPath,
                 const JobSettings &settings, QString *reason, QStringList *warnings)
{
    const bool strip = settings.value(option::stripMetadata);
    const QString format = settings.value(option::format);
    const int quality = settings.value(option::quality);
    const QImage output = withOutputTexts(image, strip);
    if (strip)
        return saveImage(output, outputPath, format, quality, reason);
    QString warning;
    const PhotoMetadata metadata = PhotoMetadata::read(inputPath, &warning);
    const auto carryMetadata = [&](QByteArray &encoded) {
        const QString problem = metadata.writeInto(encoded, output.size());
        if (warning.isEmpty())
            warning = problem;
    };
    const bool written = saveImage(output, outputPath, format, quality, reason, carryMetadata);
    if (written && !warning.isEmpty())
        warnings->append(warning);
    return written;
}
