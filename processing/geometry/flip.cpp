#include "geometry/flip.h"

QImage flipImage(const QImage &image, bool horizontal, bool vertical)
{
    if (!horizontal && !vertical)
        return image;
    return image.mirrored(horizontal, vertical);
}
