#include "pipeline/chain.h"

#include "core/pixelaccess.h"
#include "geometry/rotatetransform.h"
#include "pipeline/imageprocessor.h"

namespace {

using Settings = const JobSettings &;
using Processor = ImageProcessor &;
using Image = const QImage &;

// A crop and an exact size need both sides; keeping the proportions, one
// side is enough.
bool resizeOrCropRuns(Settings s)
{
    if (s.width > 0 && s.height > 0)
        return true;
    return !s.crop && s.keepAspectRatio && (s.width > 0 || s.height > 0);
}

QImage resizeOrCrop(Processor p, Image image, Settings s)
{
    return s.crop ? p.cropImage(image, s.width, s.height)
                  : p.resizeImage(image, s.width, s.height, s.keepAspectRatio, s.shrinkOnly);
}

QImage watermark(Processor p, Image image, Settings s)
{
    return p.addWatermark(image, s.watermarkText, s.watermarkColor, s.watermarkOpacity,
                          s.watermarkFontSize, s.watermarkPositionIndex);
}

const QList<ChainStep> steps = {
    {"standard size", [](Settings s) { return s.standardSize != QStringLiteral("自定义"); },
     [](Processor p, Image image, Settings s) {
         return p.applyStandardSize(image, s.standardSize, s.shrinkOnly);
     },
     nullptr},
    {"aspect ratio", [](Settings s) { return s.aspectRatio != QStringLiteral("原始比例"); },
     [](Processor p, Image image, Settings s) { return p.applyAspectRatio(image, s.aspectRatio); },
     nullptr},
    {"size", resizeOrCropRuns, resizeOrCrop, nullptr},
    {"brightness", [](Settings s) { return s.brightness != 0; },
     [](Processor p, Image image, Settings s) { return p.adjustBrightness(image, s.brightness); },
     nullptr},
    {"contrast", [](Settings s) { return s.contrast != 0; },
     [](Processor p, Image image, Settings s) { return p.adjustContrast(image, s.contrast); },
     nullptr},
    {"saturation", [](Settings s) { return s.saturation != 100; },
     [](Processor p, Image image, Settings s) { return p.adjustSaturation(image, s.saturation); },
     nullptr},
    {"rotation", [](Settings s) { return s.rotation != 0; },
     [](Processor p, Image image, Settings s) { return p.rotateImage(image, s.rotation); },
     [](Image image, Settings s) {
         return RotateTransform::handles(image.size(), s.rotation)
                 ? QString()
                 : QStringLiteral("pictures over %1 pixels wide or high turn only by "
                                  "multiples of 90 degrees")
                           .arg(RotateTransform::largestSmoothSide);
     }},
    {"flip", [](Settings s) { return s.flipHorizontal || s.flipVertical; },
     [](Processor p, Image image, Settings s) {
         return p.flipImage(image, s.flipHorizontal, s.flipVertical);
     },
     nullptr},
    {"filter", [](Settings s) { return s.filter != QStringLiteral("无"); },
     [](Processor p, Image image, Settings s) {
         return p.applyFilter(image, s.filter, s.filterIntensity);
     },
     nullptr},
    {"auto enhance", [](Settings s) { return s.autoEnhanceEnabled; },
     [](Processor p, Image image, Settings) { return p.autoEnhance(image); }, nullptr},
    {"channel", [](Settings s) { return s.extractChannelEnabled; },
     [](Processor p, Image image, Settings s) { return p.extractChannel(image, s.channel); },
     nullptr},
    {"grid cell", [](Settings s) { return s.gridSplit; },
     [](Processor p, Image image, Settings s) {
         return p.splitGrid(image, s.gridRows, s.gridCols);
     },
     [](Image image, Settings s) {
         return image.width() < s.gridCols || image.height() < s.gridRows
                 ? QStringLiteral("the picture is smaller than the grid")
                 : QString();
     }},
    {"watermark", [](Settings s) { return s.watermark && !s.watermarkText.isEmpty(); }, watermark,
     nullptr},
    {"border", [](Settings s) { return s.border; },
     [](Processor p, Image image, Settings s) {
         return p.addBorder(image, s.borderThickness, s.borderColor);
     },
     nullptr},
};

} // namespace

const QList<ChainStep> &chainSteps()
{
    return steps;
}

ChainResult applyChain(ImageProcessor &processor, QImage image, const JobSettings &settings,
                       const QString &stopAfter)
{
    for (const ChainStep &step : steps) {
        if (step.runs(settings)) {
            QImage result = step.apply(processor, image, settings);
            if (result.isNull()) {
                QString reason = step.emptyReason ? step.emptyReason(image, settings) : QString();
                if (reason.isEmpty())
                    reason = QStringLiteral("no picture left (out of memory?)");
                return {QImage(), QStringLiteral("%1: %2").arg(QLatin1String(step.name), reason)};
            }
            // Some of Qt's operations (turns by multiples of 90 degrees among
            // them) drop the colour space; the picture keeps the source's.
            pixelaccess::copyMetadata(image, result);
            image = std::move(result);
        }
        if (stopAfter == QLatin1String(step.name))
            break;
    }
    return {image, QString()};
}
