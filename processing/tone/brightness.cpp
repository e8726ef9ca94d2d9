#include "tone/brightness.h"

#include "pipeline/imageprocessor.h"
#include "core/tonemapping.h"
#include "tone/tonetables.h"

#include <algorithm>

// Beyond ±255 every channel is already clamped, so a larger delta is cut
// there: same pixels, and no integer overflow for extreme deltas.
tonemapping::ChannelTable tonetables::brightness(int delta)
{
    const int shift = std::clamp(delta, -255, 255);
    return tonemapping::channelTable([shift](int value) { return pixelaccess::clampChannel(value + shift); });
}

// Each 8-bit channel v becomes v + delta clamped to 0..255; the pixel is
// written opaque (alpha 255) whatever its alpha was. Size and format are
// kept (palette and monochrome images come back as RGB32 or ARGB32). A null
// image gives a null image.
QImage BrightnessAdjuster::apply(const QImage &image, int delta)
{
    return tonemapping::applyChannelTable(image, tonetables::brightness(delta));
}

QImage ImageProcessor::adjustBrightness(const QImage &image, int delta)
{
    BrightnessAdjuster adjuster;
    return adjuster.apply(image, delta);
}
