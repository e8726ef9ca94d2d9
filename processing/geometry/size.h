#ifndef SIZE_H
#define SIZE_H

#include <QImage>

// Scales with Qt's smooth (bilinear) filter into the box width x height:
// exactly that size, or with keepAspectRatio the largest size of the
// source's proportions that fits (at least 1 pixel each way); there a side
// of 0 leaves that side free, so the picture scales to the other one. With
// shrinkOnly a picture already inside the box keeps its size. An empty box
// or a null image gives a null image.
QImage resizeImage(const QImage &image, int width, int height, bool keepAspectRatio,
                   bool shrinkOnly = false);

// Cuts the centred region of at most width x height out of the image; a
// dimension already within its limit stays whole. An image within both
// limits is returned unchanged. A zero or negative limit gives a null image,
// as does a null source.
QImage cropImage(const QImage &image, int width, int height);

#endif // SIZE_H
