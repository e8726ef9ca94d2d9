#include "geometry/size.h"

#include "core/regioncopy.h"

#include <algorithm>
#include <limits>

QImage resizeImage(const QImage &image, int width, int height, bool keepAspectRatio, bool shrinkOnly)
{
    if (image.isNull())
        return QImage();
    if (keepAspectRatio && (width > 0) != (height > 0)) {
        const int unbounded = std::numeric_limits<int>::max();
        width = width > 0 ? width : unbounded;
        height = height > 0 ? height : unbounded;
    }
    if (shrinkOnly && image.width() <= width && image.height() <= height)
        return image;
    return image.scaled(width, height,
                        keepAspectRatio ? Qt::KeepAspectRatio : Qt::IgnoreAspectRatio,
                        Qt::SmoothTransformation);
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
