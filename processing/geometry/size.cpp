#include "geometry/size.h"

#include "core/regioncopy.h"
#include "geometry/resample.h"

#include <algorithm>
#include <limits>

// The box's size as Qt's smooth scaling fits a picture of source into it,
// at least 1 pixel each way; invalid for an empty box.
static QSize resizedSize(QSize source, int width, int height, bool keepAspectRatio, bool shrinkOnly)
{
    if (keepAspectRatio && (width > 0) != (height > 0)) {
        const int unbounded = std::numeric_limits<int>::max();
        width = width > 0 ? width : unbounded;
        height = height > 0 ? height : unbounded;
    }
    if (width <= 0 || height <= 0)
        return QSize();
    if (shrinkOnly && source.width() <= width && source.height() <= height)
        return source;
    return source.scaled(width, height, keepAspectRatio ? Qt::KeepAspectRatio : Qt::IgnoreAspectRatio)
            .expandedTo(QSize(1, 1));
}

QImage resizeImage(const QImage &image, int width, int height, bool keepAspectRatio, bool shrinkOnly,
                   const QString &filter)
{
    if (image.isNull())
        return QImage();
    const QSize size = resizedSize(image.size(), width, height, keepAspectRatio, shrinkOnly);
    if (!size.isValid())
        return QImage();
    return resampleImage(image, size, filter);
}

namespace {

// length * numerator / denominator, rounded to the nearest, at least 1 and
// at most what an int holds (such a picture then fails for want of memory).
int proportional(int length, qint64 numerator, qint64 denominator)
{
    const qint64 scaled = (2 * length * numerator + denominator) / (2 * denominator);
    return int(std::clamp<qint64>(scaled, 1, std::numeric_limits<int>::max()));
}

} // namespace

QSize modeTargetSize(const JobSettings &settings, const QSize &source)
{
    const QString mode = settings.value(option::sizeMode);
    const bool landscape = source.width() >= source.height();
    qint64 numerator = 1;
    qint64 denominator = 1;
    if (presets::scaleSize.is(mode)) {
        numerator = settings.value(option::scalePercent);
        denominator = 100;
    } else if (presets::longEdgeSize.is(mode) || presets::shortEdgeSize.is(mode)) {
        const bool widthNamed = landscape == presets::longEdgeSize.is(mode);
        numerator = settings.value(presets::longEdgeSize.is(mode) ? option::longEdge : option::shortEdge);
        denominator = widthNamed ? source.width() : source.height();
    }
    return QSize(proportional(source.width(), numerator, denominator),
                 proportional(source.height(), numerator, denominator));
}

// Left (or top) edge of a centred cut: half the surplus, rounded down, so an
// odd extra column or row falls on the right or bottom; a surplus below 2
// leaves the edge at 0.
static int centredStart(int extent, int limit)
{
    const qint64 surplus = qint64(extent) - limit;
    return surplus >= 2 ? int(surplus / 2) : 0;
}

QImage cropImage(const QImage &image, int width, int height)
{
    // Decided before any arithmetic: a limit far below zero would overflow
    // the cut's rectangle.
    if (width <= 0 || height <= 0)
        return QImage();
    if (width >= image.width() && height >= image.height())
        return image;
    const int x = centredStart(image.width(), width);
    const int y = centredStart(image.height(), height);
    const int cutWidth = std::min(width, image.width() - x);
    const int cutHeight = std::min(height, image.height() - y);
    return copyRegion(image, QRect(x, y, cutWidth, cutHeight));
}

namespace option {
constexpr Option<int> width = declare::integer("width", 0, 0, 9999)
        .valueWord("width", "Width of the size box", "N").widget("widthSpinBox").inPixels();
constexpr Option<int> height = declare::integer("height", 0, 0, 9999)
        .valueWord("height", "Height of the size box", "N").widget("heightSpinBox").inPixels();
constexpr Option<bool> shrinkOnly = declare::flag("shrinkOnly")
        .setsFlag("shrink-only", "Resize and standard sizes never enlarge a picture already inside the box.")
        .widget("shrinkOnlyCheckBox");
constexpr Option<bool> crop = declare::flag("crop")
        .setsFlag("crop", "Crop the centre to width x height instead of resizing.").widget("cropCheckBox");
constexpr Option<bool> keepAspectRatio = declare::flag("keepAspectRatio", true)
        .clearsFlag("ignore-aspect", "Resize to exactly width x height.").widget("aspectRatioCheckBox");
constexpr Option<QString> sizeMode = declare::preset("sizeMode", presets::sizeModes)
        .help("How the size is given: a box, the long edge, the short edge or a percentage")
        .widget("sizeModeComboBox");
constexpr Option<int> longEdge = declare::integer("longEdge", 2048, 1, 9999)
        .valueWord("long-edge", "Scale so that the longer side is N pixels", "N")
        .selects(sizeMode, presets::longEdgeSize).widget("longEdgeSpinBox").inPixels();
constexpr Option<int> shortEdge = declare::integer("shortEdge", 1080, 1, 9999)
        .valueWord("short-edge", "Scale so that the shorter side is N pixels", "N")
        .selects(sizeMode, presets::shortEdgeSize).widget("shortEdgeSpinBox").inPixels();
constexpr Option<int> scalePercent = declare::integer("scalePercent", 50, 1, 1000)
        .valueWord("scale", "Scale both sides by PERCENT", "PERCENT")
        .selects(sizeMode, presets::scaleSize).widget("scalePercentSpinBox");
} // namespace option

namespace {

// A crop and an exact size need both sides; keeping the proportions, one
// side is enough.
bool sizeRuns(const JobSettings &s)
{
    if (!presets::boxSize.is(s.value(option::sizeMode)))
        return true;
    const int width = s.value(option::width);
    const int height = s.value(option::height);
    if (width > 0 && height > 0)
        return true;
    return !s.value(option::crop) && s.value(option::keepAspectRatio) && (width > 0 || height > 0);
}

// Shrink-only keeps a picture that its mode would enlarge either way.
QImage resizeOrCrop(const QImage &image, const JobSettings &s)
{
    const QString filter = s.value(option::resampleFilter);
    if (!presets::boxSize.is(s.value(option::sizeMode))) {
        const QSize target = modeTargetSize(s, image.size());
        if (s.value(option::shrinkOnly) && (target.width() > image.width() || target.height() > image.height()))
            return image;
        return resampleImage(image, target, filter);
    }
    const int width = s.value(option::width);
    const int height = s.value(option::height);
    return s.value(option::crop)
            ? cropImage(image, width, height)
            : resizeImage(image, width, height, s.value(option::keepAspectRatio),
                          s.value(option::shrinkOnly), filter);
}

// The size modes' size, the source's own where shrink-only keeps it; a
// crop is no scale: it needs the picture as decoded.
QSize scaledSize(QSize source, const JobSettings &s)
{
    if (!presets::boxSize.is(s.value(option::sizeMode))) {
        const QSize target = modeTargetSize(s, source);
        const bool enlarges = target.width() > source.width() || target.height() > source.height();
        return s.value(option::shrinkOnly) && enlarges ? source : target;
    }
    if (s.value(option::crop))
        return QSize();
    return resizedSize(source, s.value(option::width), s.value(option::height),
                       s.value(option::keepAspectRatio), s.value(option::shrinkOnly));
}

constexpr const OptionDeclaration *sizeOptions[] = {
    &option::sizeMode, &option::width,       &option::height,         &option::shrinkOnly,     &option::crop,
    &option::keepAspectRatio, &option::longEdge, &option::shortEdge, &option::scalePercent, &option::resampleFilter};

} // namespace

namespace steps {
constexpr ChainStep size{"size", sizeOptions, sizeRuns, resizeOrCrop, nullptr, nullptr, scaledSize};
} // namespace steps
