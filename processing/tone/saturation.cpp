#include "tone/saturation.h"

#include "core/tonemapping.h"
#include "tone/hsvarithmetic.h"

#include <QRgba64>

#include <algorithm>
#include <vector>

namespace {

int scaledSaturation(int saturation, float factor)
{
    return pixelaccess::truncateToChannel(saturation * factor);
}

void unpack(const QRgb *in, int count, quint16 *red, quint16 *green, quint16 *blue)
{
    for (int i = 0; i < count; ++i) {
        red[i] = quint16(qRed(in[i]) * 0x101);
        green[i] = quint16(qGreen(in[i]) * 0x101);
        blue[i] = quint16(qBlue(in[i]) * 0x101);
    }
}

// Entry [alpha * 256 + value] is the 16-bit channel Qt's unpremultiplication
// gives a premultiplied 8-bit channel value at that alpha; built from
// QRgba64 itself, so exact by construction.
const quint16 *unpremultipliedChannels()
{
    static const std::vector<quint16> table = [] {
        std::vector<quint16> values(256 * 256);
        for (int alpha = 0; alpha < 256; ++alpha)
            for (int value = 0; value < 256; ++value)
                values[alpha * 256 + value] = QRgba64::fromArgb32(qRgba(value, 0, 0, alpha)).unpremultiplied().red();
        return values;
    }();
    return table.data();
}

void unpackUnpremultiplied(const QRgb *in, int count, quint16 *red, quint16 *green, quint16 *blue)
{
    const quint16 *channels = unpremultipliedChannels();
    for (int i = 0; i < count; ++i) {
        const quint16 *row = channels + qAlpha(in[i]) * 256;
        red[i] = row[qRed(in[i])];
        green[i] = row[qGreen(in[i])];
        blue[i] = row[qBlue(in[i])];
    }
}

// One scan line in batches: the colours pixelColor would report, with 16
// bits per channel (premultiplied pixels unpremultiplied as Qt does, which
// keeps fractions of 8-bit steps), then the HSV round trip on the batch.
void saturateRow(const QRgb *in, QRgb *out, int width, bool premultiplied, float factor)
{
    constexpr int batch = 256;
    quint16 red[batch], green[batch], blue[batch];
    for (int start = 0; start < width; start += batch) {
        const int count = std::min(batch, width - start);
        if (premultiplied)
            unpackUnpremultiplied(in + start, count, red, green, blue);
        else
            unpack(in + start, count, red, green, blue);
        hsvarithmetic::saturateColours(red, green, blue, count, factor, out + start);
    }
}

} // namespace

QImage adjustSaturation(const QImage &image, int percent)
{
    const float factor = float(percent) / 100.0f;
    const QImage source = pixelaccess::workingImage(image);
    const bool premultiplied = source.format() == QImage::Format_ARGB32_Premultiplied;
    return tonemapping::mapRows(
        source,
        [&](const QRgb *in, QRgb *out, int width) { saturateRow(in, out, width, premultiplied, factor); },
        [&](const QColor &colour) {
            int hue, saturation, value;
            colour.getHsv(&hue, &saturation, &value);
            // setHsv, not fromHsv: getHsv can report hue 360 (rounded up
            // from just below), which fromHsv rejects and setHsv wraps to 0.
            QColor result;
            result.setHsv(hue, scaledSaturation(saturation, factor), value);
            return result;
        });
}

namespace option {
constexpr Option<int> saturation = declare::integer("saturation", 100, 0, 200)
        .valueWord("saturation", "Saturation in percent", "N").widget("saturationSlider")
        .resetByLanguageSwitch();
} // namespace option

namespace {
constexpr const OptionDeclaration *saturationOptions[] = {&option::saturation};
} // namespace

namespace steps {
constexpr ChainStep saturation{
    "saturation", saturationOptions, [](const JobSettings &s) { return s.value(option::saturation) != 100; },
    [](const QImage &image, const JobSettings &s) {
        return adjustSaturation(image, s.value(option::saturation));
    }};
} // namespace steps
