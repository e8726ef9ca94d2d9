#include "run/writeoutput.h"

#include "formats/metadata.h"
#include "formats/saveimage.h"
#include "run/options.h"

void writeOutput(const QImage &image, const QString &inputPath, const QString &outputPath,
                 const JobSettings &settings, InputOutcome &outcome)
{
    const bool strip = settings.value(option::stripMetadata);
    const QString format = settings.value(option::format);
    const int quality = settings.value(option::quality);
    const QImage output = withOutputTexts(image, strip);
    if (strip) {
        saveImage(output, outputPath, format, quality, outcome);
        return;
    }
    QString warning;
    const PhotoMetadata metadata = PhotoMetadata::read(inputPath, &warning);
    const auto carryMetadata = [&](QByteArray &encoded) {
        const QString problem = metadata.writeInto(encoded, output.size());
        if (warning.isEmpty())
            warning = problem;
    };
    saveImage(output, outputPath, format, quality, outcome, carryMetadata);
    if (!outcome.failed() && !warning.isEmpty())
        outcome.warnings.append(warning);
}
