#ifndef ROTATETRANSFORM_H
#define ROTATETRANSFORM_H

#include <QImage>

// Turns an image about its centre by a whole number of degrees.
class RotateTransform
{
public:
    RotateTransform() {}

    QImage apply(const QImage &image, int degrees);
};

#endif // ROTATETRANSFORM_H
