#ifndef CONTRAST_H
#define CONTRAST_H

#include "core/tonemapping.h"
#include "job/step.h"

#include <QImage>

// Each 8-bit channel v becomes (v − 128) × F + 128, truncated toward zero and
// clamped to 0..255, with F = ((amount + 255) × 259) / ((259 − amount) × 255)
// in single precision; the pixel is written opaque. Size and format are kept
// (palette and monochrome images come back as RGB32 or ARGB32). Amounts
// outside −255..259 turn the factor negative and invert the channels. A
// null image gives a null image.
QImage adjustContrast(const QImage &image, int amount);

// What adjustContrast does to each channel value.
tonemapping::ChannelTable contrastTable(int amount);

namespace option {
extern const Option<int> contrast;
} // namespace option

namespace steps {
extern const ChainStep contrast;
} // namespace steps

#endif // CONTRAST_H
