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

namespace option {
constexpr Option<int> brightness = declare::integer("brightness", 0, -100, 100)
        .valueWord("brightness", "Brightness", "N").widget("brightnessSlider").resetByLanguageSwitch();
} // namespace option

namespace {
constexpr const OptionDeclaration *brightnessOptions[] = {&option::brightness};
} // namespace

namespace steps {
constexpr ChainStep brightness{
    "brightness", brightnessOptions, [](const JobSettings &s) { return s.value(option::brightness) != 0; },
    [](const QImage &image, const JobSettings &s) {
        return adjustBrightness(image, s.value(option::brightness));
    },
    nullptr,
    [](const JobSettings &s) { return brightnessTable(s.value(option::brightness)); }};
} // namespace steps
