#include "pipeline/imageprocessor.h"

// Scales with Qt's smooth (bilinear) filter into the box width x height:
// exactly that size, or with keepAspectRatio the largest size of the
// source's proportions that fits (at least 1 pixel each way). An empty box
// or a null image gives a null image.
QImage ImageProcessor::resizeImage(const QImage &image, int width, int height, bool keepAspectRatio)
{
    if (image.isNull())
        return QImage();
    return image.scaled(width, height,
                        keepAspectRatio ? Qt::KeepAspectRatio : Qt::IgnoreAspectRatio,
                        Qt::SmoothTransformation);
}
