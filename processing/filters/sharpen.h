#ifndef SHARPEN_H
#define SHARPEN_H

#include "job/step.h"

#include <QImage>

// Unsharp mask: the picture's box blur of radius (see applyBlur) is the
// mask; each of red, green and blue whose difference d from the blurred
// value is at least threshold in size becomes its value plus amount % of
// d, rounded half away from zero and clamped to 0..255; a smaller
// difference leaves the channel as it is. Alpha is kept. The sums run on
// 8 bits a channel, as pixelColor reports it. An amount or radius of 0 or
// less returns the image unchanged; otherwise the result has the image's
// size and format (palette and monochrome images come back as RGB32 or
// ARGB32). A null image gives a null image.
QImage applySharpen(const QImage &image, int amount, int radius, int threshold);

// The sharpening the window offers for pictures shown on the web, after a
// downscale: half the difference from a 3 x 3 blur, where it is at least 2.
struct SharpenSetting
{
    int amount;
    int radius;
    int threshold;
};
constexpr SharpenSetting webSharpening{50, 1, 2};

namespace option {
extern const Option<int> sharpenAmount;
extern const Option<int> sharpenRadius;
extern const Option<int> sharpenThreshold;
} // namespace option

namespace steps {
// Sharpening after the size step, where a downscale softened the picture.
extern const ChainStep sharpen;
} // namespace steps

#endif // SHARPEN_H
