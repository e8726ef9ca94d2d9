#ifndef RESAMPLE_H
#define RESAMPLE_H

#include "job/option.h"

#include <QImage>
#include <QSize>
#include <QString>

// Lanczos 3 resampling to exactly size. Each axis is filtered on its own: a
// target pixel's centre (t + 0.5) * scale in source coordinates weighs
// every source pixel whose centre lies within 3 * max(scale, 1) of it by
// L(distance / max(scale, 1)), where L(x) = sinc(x) sinc(x / 3) for
// |x| < 3 and 0 beyond; the weights of the pixels inside the picture are
// scaled to sum to 1, so nothing outside it is counted. The sums run on premultiplied alpha. 8-bit pictures are summed
// in fixed point (16-bit weights, 32-bit sums, the values between the passes
// kept to a 64th of a level), which gives every channel within one level of
// the exact sums, or in float where fixed point could not (a source of a
// pixel or two, a shrink by twenty or more); 16-bit and float pictures are
// summed in float and keep 16 bits a channel.
// The result has the source's format (palette and monochrome pictures come
// back as RGB32 or ARGB32) and metadata. An empty size or a null image
// gives a null image.
QImage resampleLanczos3(const QImage &image, const QSize &size);

// Scales to exactly size with the named resampling filter: "smooth" (Qt's
// smooth scaling, the initial one), "lanczos3", "bilinear" or "nearest".
// A picture already of that size comes back unchanged.
QImage resampleImage(const QImage &image, const QSize &size, const QString &filter);

namespace option {
extern const Option<QString> resampleFilter;
} // namespace option

#endif // RESAMPLE_H
