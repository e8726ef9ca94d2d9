#ifndef REGIONCOPY_H
#define REGIONCOPY_H

#include <QImage>
#include <QRect>

// QImage::copy of a rectangle, except that a rectangle without area gives a
// null image: QImage::copy treats a 0 x 0 rectangle as "the whole image".
inline QImage copyRegion(const QImage &image, const QRect &region)
{
    if (region.width() <= 0 || region.height() <= 0)
        return QImage();
    return image.copy(region);
}

#endif // REGIONCOPY_H
