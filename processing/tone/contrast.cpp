#include "tone/contrast.h"

#include "pipeline/imageprocessor.h"
#include "core/tonemapping.h"
#include "tone/tonetables.h"

// The factor is evaluated in single precision, numerator product first, then
// denominator product, then the quotient; the results depend on that order.
// 128 stays 128 under every factor, including the infinite one at amount 259
// (where 0 × F would otherwise be NaN).
tonemapping::ChannelTable tonetables::contrast(int amount)
{
    const float factor = ((float(amount) + 255.0f) * 259.0f) / ((259.0f - float(amount)) * 255.0f);
    return tonemapping::channelTable([factor](int value) {
        const float offset = float(value - 128);
        return pixelaccess::truncateToChannel(offset == 0.0f ? 128.0f : offset * factor + 128.0f);
    });
}

// Each 8-bit channel v becomes (v − 128) × F + 128, truncated toward zero and
// clamped to 0..255, with F = ((amount + 255) × 259) / ((259 − amount) × 255)
// in single precision; the pixel is written opaque. Size and format are kept
// (palette and monochrome images come back as RGB32 or ARGB32). Amounts
// outside −255..259 turn the factor negative and invert the channels. A
// null image gives a null image.
QImage ContrastAdjuster::apply(const QImage &image, int amount)
{
    return tonemapping::applyChannelTable(image, tonetables::contrast(amount));
}

QImage ImageProcessor::adjustContrast(const QImage &image, int amount)
{
    ContrastAdjuster adjuster;
    return adjuster.apply(image, amount);
}
