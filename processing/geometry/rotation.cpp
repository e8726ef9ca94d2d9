#include "geometry/rotation.h"

#include "pipeline/imageprocessor.h"

#include <QTransform>

bool RotateTransform::handles(QSize size, int degrees)
{
    return degrees % 90 == 0
            || (size.width() <= largestSmoothSide && size.height() <= largestSmoothSide);
}

// Turns the picture clockwise as displayed for a positive angle, with Qt's
// smooth filter, into the smallest image that holds all of it. Angles that
// are not a multiple of 90 leave transparent corners, and the result then
// has an alpha channel even when the source had none. A null image gives a
// null image.
QImage RotateTransform::apply(const QImage &image, int degrees)
{
    if (!handles(image.size(), degrees))
        return QImage();
    QTransform rotation;
    rotation.rotate(double(degrees));
    return image.transformed(rotation, Qt::SmoothTransformation);
}

QImage ImageProcessor::rotateImage(const QImage &image, int degrees)
{
    RotateTransform transform;
    return transform.apply(image, degrees);
}
