#include "tone/contrast.h"

// The factor is evaluated in single precision, numerator product first, then
// denominator product, then the quotient; the results depend on that order.
// 128 stays 128 under every factor, including the infinite one at amount 259
// (where 0 × F would otherwise be NaN).
tonemapping::ChannelTable contrastTable(int amount)
{
    const float factor = ((float(amount) + 255.0f) * 259.0f) / ((259.0f - float(amount)) * 255.0f);
    return tonemapping::channelTable([factor](int value) {
        const float offset = float(value - 128);
        return pixelaccess::truncateToChannel(offset == 0.0f ? 128.0f : offset * factor + 128.0f);
    });
}

QImage adjustContrast(const QImage &image, int amount)
{
    return tonemapping::applyChannelTable(image, contrastTable(amount));
}

namespace option {
constexpr Option<int> contrast = declare::integer("contrast", 0, -100, 100)
        .valueWord("contrast", "Contrast", "N").widget("contrastSlider").resetByLanguageSwitch();
} // namespace option

namespace {
constexpr const OptionDeclaration *contrastOptions[] = {&option::contrast};
} // namespace

namespace steps {
constexpr ChainStep contrast{
    "contrast", contrastOptions, [](const JobSettings &s) { return s.value(option::contrast) != 0; },
    [](const QImage &image, const JobSettings &s) {
        return adjustContrast(image, s.value(option::contrast));
    },
    nullptr,
    [](const JobSettings &s) { return contrastTable(s.value(option::contrast)); }};
} // namespace steps
