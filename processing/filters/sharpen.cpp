#include "filters/sharpen.h"

#include "core/pixelaccess.h"
#include "filters/blur.h"

#include <cstdlib>

namespace {

// What a channel gains for each difference d from its blurred value,
// indexed by d + 255: amount % of d rounded half away from zero, or nothing
// where d is smaller than the threshold.
class SharpenSteps
{
public:
    SharpenSteps(int amount, int threshold)
    {
        for (int difference = -255; difference <= 255; ++difference) {
            const int scaled = amount * difference;
            const int step = scaled >= 0 ? (scaled + 50) / 100 : -((50 - scaled) / 100);
            steps[difference + 255] = std::abs(difference) < threshold ? 0 : step;
        }
    }
    int sharpened(int original, int blurred) const
    {
        return pixelaccess::clampChannel(original + steps[original - blurred + 255]);
    }
    QRgb pixel(QRgb original, QRgb blurred) const
    {
        return qRgba(sharpened(qRed(original), qRed(blurred)), sharpened(qGreen(original), qGreen(blurred)),
                     sharpened(qBlue(original), qBlue(blurred)), qAlpha(original));
    }

private:
    int steps[511];
};

// RGB32 and ARGB32 hold their colours unpremultiplied in the words
// themselves; the blur's result is opaque, stored as 0xffRRGGBB.
void sharpenWords(const QImage &source, const QImage &blurred, QImage &result, const SharpenSteps &steps)
{
    uchar *bits = result.bits();
    const qsizetype stride = result.bytesPerLine();
    const int width = result.width();
    pixelaccess::forEachRowBand(result.height(), width, [&](int firstRow, int endRow) {
        for (int y = firstRow; y < endRow; ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(source.constScanLine(y));
            const auto *mask = reinterpret_cast<const QRgb *>(blurred.constScanLine(y));
            auto *out = reinterpret_cast<QRgb *>(bits + y * stride);
            for (int x = 0; x < width; ++x)
                out[x] = steps.pixel(row[x], mask[x]);
        }
    });
}

void sharpenColours(const QImage &source, const QImage &blurred, QImage &result, const SharpenSteps &steps)
{
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < result.width(); ++x) {
            const QRgb pixel = steps.pixel(source.pixelColor(x, y).rgba(), blurred.pixelColor(x, y).rgb());
            QColor colour = QColor::fromRgb(pixel);
            colour.setAlpha(qAlpha(pixel));
            result.setPixelColor(x, y, colour);
        }
    }
}

} // namespace

QImage applySharpen(const QImage &image, int amount, int radius, int threshold)
{
    if (image.isNull() || amount <= 0 || radius <= 0)
        return image;
    const QImage source = pixelaccess::workingImage(image);
    const QImage blurred = applyBlur(source, radius);
    QImage result = pixelaccess::blankLike(source);
    if (blurred.isNull() || result.isNull())
        return QImage();
    const SharpenSteps steps(amount, threshold);
    const QImage::Format format = source.format();
    if (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32)
        sharpenWords(source, blurred, result, steps);
    else
        sharpenColours(source, blurred, result, steps);
    return result;
}

namespace option {
constexpr const OptionDeclaration *sharpenFurtherParts[] = {&sharpenRadius, &sharpenThreshold};
constexpr Option<int> sharpenAmount = declare::integer("sharpenAmount", 0, 0, 500)
        .valueWord("sharpen", "Unsharp mask after the size step: AMOUNT percent of the difference from a blur "
                   "of RADIUS pixels, where it reaches THRESHOLD levels; 50,1,2 suits web pictures",
                   "AMOUNT,RADIUS,THRESHOLD")
        .parts(',', sharpenFurtherParts).widget("sharpenAmountSpinBox");
constexpr Option<int> sharpenRadius = declare::integer("sharpenRadius", 1, 1, 10)
        .help("Radius in pixels of the blur the sharpening compares with").widget("sharpenRadiusSpinBox");
constexpr Option<int> sharpenThreshold = declare::integer("sharpenThreshold", 2, 0, 255)
        .help("Least difference from the blur, in levels, that is sharpened").widget("sharpenThresholdSpinBox");
} // namespace option

namespace {
constexpr const OptionDeclaration *sharpenOptions[] = {&option::sharpenAmount, &option::sharpenRadius,
                                                       &option::sharpenThreshold};
} // namespace

namespace steps {
constexpr ChainStep sharpen{
    "sharpen", sharpenOptions, [](const JobSettings &s) { return s.value(option::sharpenAmount) > 0; },
    [](const QImage &image, const JobSettings &s) {
        return applySharpen(image, s.value(option::sharpenAmount), s.value(option::sharpenRadius),
                            s.value(option::sharpenThreshold));
    }};
} // namespace steps
