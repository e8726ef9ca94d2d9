#include "run/preview.h"

#include "formats/imagefile.h"
#include "formats/metadata.h"
#include "formats/saveimage.h"
#include "pipeline/chain.h"
#include "run/batchworker.h"
#include "run/options.h"

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

QImage renderApproximation(const PreviewSource &source, const JobSettings &settings, InputOutcome &outcome)
{
    return applyChain(source.screen, scaledSettings(settingsForInput(settings, source.path), source.factor), outcome);
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

qint64 encodedSize(const QImage &result, const JobSettings &settings)
{
    const QByteArray encoded = encodedImage(withOutputTexts(result, settings.value(option::stripMetadata)),
                                            settings.value(option::format), settings);
    return encoded.isEmpty() ? -1 : encoded.size();
}
