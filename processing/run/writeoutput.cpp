#include "run/writeoutput.h"

#include "formats/datetaken.h"
#include "formats/formattable.h"
#include "formats/metadata.h"
#include "formats/saveimage.h"
#include "run/options.h"

#include <QColorSpace>
#include <QFile>
#include <QFileInfo>

namespace {

bool hasTransparency(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return false;
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            if (qAlpha(row[x]) != 255)
                return true;
        }
    }
    return false;
}

// What of the picture the chosen format cannot keep, said for the file
// rather than dropped in silence.
QStringList lossesIn(const FileFormat &format, const QImage &image, bool metadataToCarry, bool resolutionToWrite)
{
    const QString name = QString::fromLatin1(format.output.key);
    QStringList losses;
    if (!format.holdsAlpha && hasTransparency(image))
        losses << QStringLiteral("transparency not kept: a %1 file holds none, the picture is laid "
                                 "on white").arg(name);
    if (!format.holdsProfile && image.colorSpace().isValid()
        && image.colorSpace() != QColorSpace(QColorSpace::SRgb))
        losses << QStringLiteral("colour profile not kept: a %1 file holds none").arg(name);
    if (!format.holdsMetadata && metadataToCarry)
        losses << QStringLiteral("EXIF and XMP not carried into a %1 file").arg(name);
    if (!format.encoderOptions.contains(option::dpi) && resolutionToWrite)
        losses << QStringLiteral("resolution not written: a %1 file holds none of its own").arg(name);
    return losses;
}

// The output's modification time is its input's, or the time its input was
// taken, which file managers and photo libraries sort by. An input that holds
// no date taken gives its own modification time, and the output says so.
QStringList keepDates(const QString &when, const QString &inputPath, const QString &outputPath)
{
    QStringList warnings;
    QDateTime time = presets::takenDates.is(when) ? dateTaken(inputPath) : QDateTime();
    if (presets::takenDates.is(when) && !time.isValid())
        warnings << QStringLiteral("no date taken: given its modification time");
    if (!time.isValid())
        time = QFileInfo(inputPath).lastModified();
    QFile output(outputPath);
    if (!time.isValid() || !output.open(QIODevice::ReadOnly)
        || !output.setFileTime(time, QFileDevice::FileModificationTime))
        return {QStringLiteral("modification time not kept: %1").arg(output.errorString().toLower())};
    return warnings;
}

} // namespace

MetadataEdits metadataEditsOf(const JobSettings &settings)
{
    return {presets::removeLocation.is(settings.value(option::metadata)), settings.value(option::artist),
            settings.value(option::copyright), settings.value(option::dpi)};
}

bool stripsMetadata(const JobSettings &settings)
{
    return presets::removeMetadata.is(settings.value(option::metadata));
}

void writeOutput(const QImage &image, const QString &inputPath, const QString &outputPath,
                 const JobSettings &settings, InputOutcome &outcome)
{
    const bool strip = stripsMetadata(settings);
    const QString chosen = settings.value(option::format);
    const FileFormat &format = outputFormatFor(chosen, inputPath);
    const QString formatKey = QString::fromLatin1(format.output.key);
    const QImage output = withOutputTexts(image, strip);
    QStringList warnings;
    if (presets::sameAsInput.is(chosen) && formatOfFile(inputPath) != &format)
        warnings << QStringLiteral("written as %1: this format is not written").arg(formatKey);
    QString metadataWarning;
    const PhotoMetadata metadata = strip ? PhotoMetadata() : PhotoMetadata::read(inputPath, &metadataWarning);
    const bool stamped = !settings.value(option::artist).isEmpty() || !settings.value(option::copyright).isEmpty();
    // EXIF, where the output carries one, holds the resolution too.
    const bool exifWritten = format.holdsMetadata && (metadata.parts().exif || stamped);
    warnings << lossesIn(format, image, !metadata.isEmpty() || stamped,
                         settings.value(option::dpi) != 0 && !exifWritten);
    const MetadataEdits edits = metadataEditsOf(settings);
    const auto carryMetadata = [&](QByteArray &encoded) {
        const QString problem = metadata.writeInto(encoded, output.size(), edits);
        if (metadataWarning.isEmpty())
            metadataWarning = problem;
    };
    saveImage(output, outputPath, formatKey, settings, outcome, carryMetadata);
    if (!metadataWarning.isEmpty())
        warnings << metadataWarning;
    const QString when = settings.value(option::keepDates);
    if (!outcome.failed() && !presets::newDates.is(when))
        warnings << keepDates(when, inputPath, outputPath);
    if (!outcome.failed())
        outcome.warnings << warnings;
}
