#include "run/preview.h"

#include "formats/formattable.h"
#include "formats/imagefile.h"
#include "formats/metadata.h"
#include "formats/saveimage.h"
#include "geometry/resample.h"
#include "geometry/standardsize.h"
#include "job/presets.h"
#include "pipeline/chain.h"
#include "run/batchworker.h"
#include "run/options.h"
#include "run/writeoutput.h"

#include <QImageReader>

#include <cmath>

PreviewSource loadPreviewSource(const QString &path, int screenSide)
{
    PreviewSource source;
    source.path = path;
    source.full = loadImage(path, source.outcome);
    if (source.outcome.failed() || source.full.isNull())
        return source;
    const int longer = qMax(source.full.width(), source.full.height());
    if (longer <= screenSide) {
        source.screen = source.full;
        return source;
    }
    source.factor = double(screenSide) / longer;
    source.screen = source.full.scaled(source.full.size() * source.factor, Qt::KeepAspectRatio,
                                       Qt::SmoothTransformation);
    return source;
}

// A length that was set stays at least 1, so that a step it switches on
// still runs.
JobSettings scaledSettings(const JobSettings &settings, double factor)
{
    JobSettings scaled = settings;
    for (const OptionDeclaration *option : optionDeclarations()) {
        const int length = option->value(settings).toInt();
        if (!option->inPixels || length == 0)
            continue;
        const int lowest = qMax(1, option->minimum);
        option->setValue(scaled, qBound(lowest, int(std::lround(length * factor)), option->maximum));
    }
    return scaled;
}

// A standard size is the output's size, not a length of the picture: the
// screen copy is brought to it scaled as the other lengths are, instead of
// being enlarged to the output's whole size, and the step is left out.
QImage renderApproximation(const PreviewSource &source, const JobSettings &settings, InputOutcome &outcome)
{
    JobSettings scaled = scaledSettings(settingsForInput(settings, source.path), source.factor);
    QImage start = source.screen;
    if (steps::standardSize.runs(settings)) {
        const QSize output = steps::standardSize.scaledSize(source.full.size(), settings);
        const QSize screenOutput = (QSizeF(output) * source.factor).toSize().expandedTo(QSize(1, 1));
        start = resampleImage(source.screen, screenOutput, settings.value(option::resampleFilter));
        scaled.set(option::standardSize, QString::fromLatin1(presets::customSize.key));
    }
    return applyChain(start, scaled, outcome);
}

// The run decodes a JPEG reduced when its first scale shrinks it far enough;
// the exact render then starts from the same pixels.
QImage renderExact(const PreviewSource &source, const JobSettings &settings, InputOutcome &outcome)
{
    const ScaleTarget target = scaleTargetOf(settings);
    const JobSettings own = settingsForInput(settings, source.path);
    QImageReader header(source.path);
    if (target && reductionFor(header, target) > 1)
        return applyChain(loadImage(source.path, outcome, nullptr, target), own, outcome);
    return applyChain(source.full, own, outcome);
}

qint64 encodedSize(const QImage &result, const QString &inputPath, const JobSettings &settings)
{
    const bool strip = stripsMetadata(settings);
    const FileFormat &format = outputFormatFor(settings.value(option::format), inputPath);
    const QImage output = withOutputTexts(result, strip);
    QByteArray encoded = encodedImage(output, QString::fromLatin1(format.output.key), settings);
    if (encoded.isEmpty())
        return -1;
    QString unread; // the run reports it; the size is that of what is written all the same
    const PhotoMetadata metadata = strip ? PhotoMetadata() : PhotoMetadata::read(inputPath, &unread);
    metadata.writeInto(encoded, output.size(), metadataEditsOf(settings));
    return encoded.size();
}
