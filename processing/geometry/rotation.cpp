#include "geometry/rotation.h"

#include <QTransform>

bool rotationHandles(QSize size, int degrees)
{
    return degrees % 90 == 0
            || (size.width() <= largestSmoothlyTurnedSide && size.height() <= largestSmoothlyTurnedSide);
}

QImage rotateImage(const QImage &image, int degrees)
{
    if (!rotationHandles(image.size(), degrees))
        return QImage();
    QTransform rotation;
    rotation.rotate(double(degrees));
    return image.transformed(rotation, Qt::SmoothTransformation);
}
