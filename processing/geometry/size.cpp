#include "geometry/size.h"

#include "core/regioncopy.h"

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

QImage resizeImage(const QImage &image, int width, int height, bool keepAspectRatio, bool shrinkOnly)
{
    if (image.isNull())
        return QImage();
    const QSize size = resizedSize(image.size(), width, height, keepAspectRatio, shrinkOnly);
    if (!size.isValid())
        return QImage();
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
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
} // namespace option

namespace {

// A crop and an exact size need both sides; keeping the proportions, one
// side is enough.
bool sizeRuns(const JobSettings &s)
{
    const int width = s.value(option::width);
    const int height = s.value(option::height);
    if (width > 0 && height > 0)
        return true;
    return !s.value(option::crop) && s.value(option::keepAspectRatio) && (width > 0 || height > 0);
}

QImage resizeOrCrop(const QImage &image, const JobSettings &s)
{
    const int width = s.value(option::width);
    const int height = s.value(option::height);
    return s.value(option::crop)
            ? cropImage(image, width, height)
            : resizeImage(image, width, height, s.value(option::keepAspectRatio),
                          s.value(option::shrinkOnly));
}

// A crop is no scale: it needs the picture as decoded.
QSize scaledSize(QSize source, const JobSettings &s)
{
    if (s.value(option::crop))
        return QSize();
    return resizedSize(source, s.value(option::width), s.value(option::height),
                       s.value(option::keepAspectRatio), s.value(option::shrinkOnly));
}

constexpr const OptionDeclaration *sizeOptions[] = {&option::width, &option::height, &option::shrinkOnly,
                                                    &option::crop, &option::keepAspectRatio};

} // namespace

namespace steps {
constexpr ChainStep size{"size", sizeOptions, sizeRuns, resizeOrCrop, nullptr, nullptr, scaledSize};
} // namespace steps
