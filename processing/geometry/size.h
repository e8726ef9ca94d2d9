#ifndef SIZE_H
#define SIZE_H

#include "job/step.h"

#include <QImage>

// Scales with the named resampling filter (see resampleImage; Qt's smooth
// scaling by default) into the box width x height:
// exactly that size, or with keepAspectRatio the largest size of the
// source's proportions that fits (at least 1 pixel each way); there a side
// of 0 leaves that side free, so the picture scales to the other one. With
// shrinkOnly a picture already inside the box keeps its size. An empty box
// or a null image gives a null image.
QImage resizeImage(const QImage &image, int width, int height, bool keepAspectRatio,
                   bool shrinkOnly = false, const QString &filter = QString());

// The size the long-edge, short-edge and scale modes of settings give a
// picture of size source: the named side of the given length, or both sides
// scaled by the percentage, the other side in proportion, rounded to the
// nearest pixel and at least 1. The source's own size in the box mode,
// whose size depends on the crop and the proportions as well.
QSize modeTargetSize(const JobSettings &settings, const QSize &source);

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
extern const Option<QString> sizeMode;
extern const Option<int> longEdge;
extern const Option<int> shortEdge;
extern const Option<int> scalePercent;
} // namespace option

namespace steps {
// Resize into the size box, or crop to it, or scale by the long edge, the
// short edge or a percentage.
extern const ChainStep size;
} // namespace steps

#endif // SIZE_H
