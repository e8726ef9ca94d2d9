#ifndef BRIGHTNESS_H
#define BRIGHTNESS_H

#include "core/tonemapping.h"
#include "job/step.h"

#include <QImage>

// Each 8-bit channel v becomes v + delta clamped to 0..255; the pixel is
// written opaque (alpha 255) whatever its alpha was. Size and format are
// kept (palette and monochrome images come back as RGB32 or ARGB32). A null
// image gives a null image.
QImage adjustBrightness(const QImage &image, int delta);

// What adjustBrightness does to each channel value, for a chain that
// composes several tone steps into one pass.
tonemapping::ChannelTable brightnessTable(int delta);

namespace option {
extern const Option<int> brightness;
} // namespace option

namespace steps {
extern const ChainStep brightness;
} // namespace steps

#endif // BRIGHTNESS_H
