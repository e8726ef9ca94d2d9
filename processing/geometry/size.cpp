#include "pipeline/imageprocessor.h"

#include <limits>

// Scales with Qt's smooth (bilinear) filter into the box width x height:
// exactly that size, or with keepAspectRatio the largest size of the
// source's proportions that fits (at least 1 pixel each way); there a side
// of 0 leaves that side free, so the picture scales to the other one. With
// shrinkOnly a picture already inside the box keeps its size. An empty box
// or a null image gives a null image.
QImage ImageProcessor::resizeImage(const QImage &image, int width, int height,
                                   bool keepAspectRatio, bool shrinkOnly)
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
