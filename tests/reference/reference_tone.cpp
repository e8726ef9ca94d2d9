#include "reference.h"

namespace reference {

namespace {

int clamp255(qint64 value)
{
    return int(qBound(qint64(0), value, qint64(255)));
}

// Truncation toward zero, then clamping; infinities clamp, NaN counts as 0.
int truncateClamp(float value)
{
    if (value != value)
        return 0;
    if (value >= 255.0f)
        return 255;
    if (value <= 0.0f)
        return 0;
    return int(value);
}

int contrastChannel(int v, float factor)
{
    if (v == 128)
        return 128;
    const float result = (float(v) - 128.0f) * factor + 128.0f;
    return truncateClamp(result);
}

} // namespace

QImage adjustBrightness(const QImage &image, int delta)
{
    QImage result = workingImage(image);
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < result.width(); ++x) {
            const QColor colour = result.pixelColor(x, y);
            const int r = clamp255(qint64(colour.red()) + delta);
            const int g = clamp255(qint64(colour.green()) + delta);
            const int b = clamp255(qint64(colour.blue()) + delta);
            result.setPixelColor(x, y, QColor(r, g, b, 255));
        }
    }
    return result;
}

QImage adjustContrast(const QImage &image, int amount)
{
    const float numerator = (float(amount) + 255.0f) * 259.0f;
    const float denominator = (259.0f - float(amount)) * 255.0f;
    const float factor = numerator / denominator;
    QImage result = workingImage(image);
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < result.width(); ++x) {
            const QColor colour = result.pixelColor(x, y);
            result.setPixelColor(x, y, QColor(contrastChannel(colour.red(), factor),
                                              contrastChannel(colour.green(), factor),
                                              contrastChannel(colour.blue(), factor), 255));
        }
    }
    return result;
}

QImage adjustSaturation(const QImage &image, int percent)
{
    const float k = float(percent) / 100.0f;
    QImage result = workingImage(image);
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < result.width(); ++x) {
            QColor colour = result.pixelColor(x, y);
            int h = 0;
            int s = 0;
            int v = 0;
            colour.getHsv(&h, &s, &v);
            const float scaled = float(s) * k;
            colour.setHsv(h, truncateClamp(scaled), v, 255);
            result.setPixelColor(x, y, colour);
        }
    }
    return result;
}

QImage autoEnhance(const QImage &image)
{
    const QImage brighter = adjustBrightness(image, 10);
    return adjustContrast(brighter, 15);
}

} // namespace reference
