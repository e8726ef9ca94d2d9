#ifndef ROTATETRANSFORM_H
#define ROTATETRANSFORM_H

#include <QImage>

// Turns an image about its centre by a whole number of degrees.
class RotateTransform
{
public:
    RotateTransform() {}

    // Beyond this side Qt 6.4's smooth transform reads outside the source
    // (its fixed-point source coordinates overflow) for any angle that is
    // not a multiple of 90.
    static constexpr int largestSmoothSide = 32767;

    // Whether a picture of size can be turned by degrees.
    static bool handles(QSize size, int degrees);

    // A null image when the picture cannot be turned (see handles).
    QImage apply(const QImage &image, int degrees);
};

#endif // ROTATETRANSFORM_H
