#ifndef YCBCRPLANES_H
#define YCBCRPLANES_H

#include <QImage>

#include <cstdint>

// A picture as the 8-bit YCbCr 4:2:0 planes that the HEIC and AVIF encoders
// take: full-range BT.601 (matrix 6 of H.273, the one heif files state by
// default), made in one pass over the picture's rows, without an
// interleaved 8-bit copy of it.
namespace ycbcr {

struct Plane
{
    uint8_t *bits = nullptr;
    qsizetype stride = 0;
};

// Y and alpha have the picture's size, Cb and Cr half of it rounded up;
// alpha.bits is null when no alpha is wanted.
struct Planes420
{
    Plane y, cb, cr, alpha;
};

// The samples of 8-bit RGB, as Qt converts the picture to 32-bit ARGB (alpha
// straight), through the matrix in 16-bit fixed point, rounded: Y =
// (19595 R + 38470 G + 7471 B) / 65536, Cb = 128 + (-11059 R - 21709 G +
// 32768 B) / 65536, Cr = 128 + (32768 R - 27439 G - 5329 B) / 65536, at
// most 255. A chroma sample is that of the mean of the two by two pixels
// it covers (fewer at a right or bottom edge of odd size).
void fromPicture(const QImage &image, const Planes420 &planes);

} // namespace ycbcr

#endif // YCBCRPLANES_H
