#include "geometry/flip.h"

#include "pipeline/imageprocessor.h"

// horizontal exchanges left and right, vertical top and bottom; both give a
// half turn. Neither returns the source unchanged. A null image gives a
// null image.
QImage FlipTransform::apply(const QImage &image, bool horizontal, bool vertical)
{
    if (!horizontal && !vertical)
        return image;
    return image.mirrored(horizontal, vertical);
}

QImage ImageProcessor::flipImage(const QImage &image, bool horizontal, bool vertical)
{
    FlipTransform transform;
    return transform.apply(image, horizontal, vertical);
}
