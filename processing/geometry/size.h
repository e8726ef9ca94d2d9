#ifndef SIZE_H
#define SIZE_H

#include "job/step.h"

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

namespace option {
extern const Option<int> width;
extern const Option<int> height;
extern const Option<bool> shrinkOnly;
extern const Option<bool> crop;
extern const Option<bool> keepAspectRatio;
} // namespace option

namespace steps {
// Resize into the size box, or crop to it.
extern const ChainStep size;
} // namespace steps

#endif // SIZE_H
