#include "pipeline/chain.h"

#include "composition/border.h"
#include "composition/channel.h"
#include "composition/gridcell.h"
#include "composition/logo.h"
#include "composition/watermark.h"
#include "core/pixelaccess.h"
#include "filters/filter.h"
#include "filters/sharpen.h"
#include "geometry/aspectratio.h"
#include "geometry/flip.h"
#include "geometry/rotation.h"
#include "geometry/size.h"
#include "geometry/standardsize.h"
#include "tone/autoenhance.h"
#include "tone/brightness.h"
#include "tone/contrast.h"
#include "tone/saturation.h"

const QList<const ChainStep *> &chainSteps()
{
    static const QList<const ChainStep *> order = {
        &steps::standardSize,
        &steps::aspectRatio,
        &steps::size,
        &steps::sharpen,
        &steps::brightness,
        &steps::contrast,
        &steps::saturation,
        &steps::rotation,
        &steps::flip,
        &steps::filter,
        &steps::autoEnhance,
        &steps::channel,
        &steps::gridCell,
        &steps::watermark,
        &steps::logo,
        &steps::border,
    };
    return order;
}

namespace {

bool isNamed(const ChainStep &step, const QString &name)
{
    return name == QLatin1String(step.name);
}

// The table steps that run from first on without a step between them, up
// to stopAfter: their composed table, and the index of the step after them.
qsizetype composeTableSteps(qsizetype first, const JobSettings &settings, const QString &stopAfter,
                            tonemapping::ChannelTable *table)
{
    const QList<const ChainStep *> &steps = chainSteps();
    *table = steps.at(first)->table(settings);
    qsizetype next = first + 1;
    for (qsizetype stop = first; !isNamed(*steps.at(stop), stopAfter) && next < steps.size(); stop = next++) {
        const ChainStep &step = *steps.at(next);
        if (!step.runs(settings))
            continue;
        if (!step.table)
            break;
        *table = tonemapping::composed(*table, step.table(settings));
    }
    return next;
}

QString failureOf(const ChainStep &step, const QImage &input, const JobSettings &settings)
{
    QString reason = step.emptyReason ? step.emptyReason(input, settings) : QString();
    if (reason.isEmpty())
        reason = QStringLiteral("no picture left (out of memory?)");
    return QStringLiteral("%1: %2").arg(QLatin1String(step.name), reason);
}

} // namespace

QSize firstScaledSize(const JobSettings &settings, QSize size, const QList<const ChainStep *> &steps)
{
    for (const ChainStep *step : steps) {
        if (!step->runs(settings))
            continue;
        const QSize scaled = step->scaledSize ? step->scaledSize(size, settings) : QSize();
        if (scaled != size)
            return scaled;
    }
    return QSize();
}

JobSettings settingsForInput(const JobSettings &settings, const QString &inputPath)
{
    JobSettings filled = settings;
    for (const ChainStep *step : chainSteps()) {
        if (step->fillForInput && step->runs(settings))
            step->fillForInput(filled, inputPath);
    }
    return filled;
}

QImage applyChain(QImage image, const JobSettings &settings, InputOutcome &outcome, const QString &stopAfter)
{
    const QList<const ChainStep *> &steps = chainSteps();
    for (qsizetype index = 0; index < steps.size();) {
        const ChainStep &step = *steps.at(index);
        qsizetype next = index + 1;
        if (step.runs(settings)) {
            QImage result;
            if (step.table && tonemapping::tablesCompose(image)) {
                tonemapping::ChannelTable table;
                next = composeTableSteps(index, settings, stopAfter, &table);
                result = tonemapping::applyChannelTable(std::move(image), table);
            } else {
                result = step.apply(image, settings);
                // Some of Qt's operations (turns by multiples of 90 degrees among
                // them) drop the colour space; the picture keeps the source's.
                if (!result.isNull())
                    pixelaccess::copyMetadata(image, result);
            }
            if (result.isNull()) {
                outcome.fail(failureOf(step, image, settings));
                return QImage();
            }
            image = std::move(result);
        }
        if (isNamed(*steps.at(next - 1), stopAfter))
            break;
        index = next;
    }
    return image;
}
