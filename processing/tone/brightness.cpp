#include "tone/brightness.h"

#include <algorithm>

// Beyond ±255 every channel is already clamped, so a larger delta is cut
// there: same pixels, and no integer overflow for extreme deltas.
tonemapping::ChannelTable brightnessTable(int delta)
{
    const int shift = std::clamp(delta, -255, 255);
    return tonemapping::channelTable([shift](int value) { return pixelaccess::clampChannel(value + shift); });
}

QImage adjustBrightness(const QImage &image, int delta)
{
    return tonemapping::applyChannelTable(image, brightnessTable(delta));
}
