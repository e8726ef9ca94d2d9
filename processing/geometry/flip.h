#ifndef FLIPTRANSFORM_H
#define FLIPTRANSFORM_H

#include <QImage>

// Mirrors an image left to right, top to bottom, or both.
class FlipTransform
{
public:
    FlipTransform() {}

    QImage apply(const QImage &image, bool horizontal, bool vertical);
};

#endif // FLIPTRANSFORM_H
