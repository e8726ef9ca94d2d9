#include "reference.h"

#include <cmath>

namespace reference {

namespace {

using Kernel = int[3][3];

const Kernel sobelHorizontal = {{-1, 0, 1}, {-2, 0, 2}, {-1, 0, 1}};
const Kernel sobelVertical = {{-1, -2, -1}, {0, 0, 0}, {1, 2, 1}};
const Kernel embossKernel = {{-2, -1, 0}, {-1, 1, 1}, {0, 1, 2}};

int clamp255(qint64 value)
{
    return int(qBound(qint64(0), value, qint64(255)));
}

bool inside(const QImage &image, int x, int y)
{
    return x >= 0 && x < image.width() && y >= 0 && y < image.height();
}

int grayValue(const QImage &image, int x, int y)
{
    return qGray(image.pixelColor(x, y).rgb());
}

void writeOpaque(QImage &image, int x, int y, int red, int green, int blue)
{
    image.setPixelColor(x, y, QColor(red, green, blue, 255));
}

// Sum of gray value x weight over the 3 x 3 neighbourhood; a neighbour
// outside the image has the gray value outsideGray.
int kernelSum(const QImage &image, int x, int y, const Kernel &kernel, int outsideGray)
{
    int sum = 0;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int gray = inside(image, x + dx, y + dy) ? grayValue(image, x + dx, y + dy)
                                                           : outsideGray;
            sum += gray * kernel[dy + 1][dx + 1];
        }
    }
    return sum;
}

QColor oilColour(const QImage &image, int x, int y, int radius)
{
    struct Bin { qint64 red = 0, green = 0, blue = 0, count = 0; };
    Bin bins[8];
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            if (!inside(image, x + dx, y + dy))
                continue;
            const QColor colour = image.pixelColor(x + dx, y + dy);
            const int r = colour.red(), g = colour.green(), b = colour.blue();
            Bin &bin = bins[(11 * r + 16 * g + 5 * b) / 1024];
            bin.red += r / 32;
            bin.green += g / 32;
            bin.blue += b / 32;
            bin.count += 1;
        }
    }
    int chosen = 0;
    for (int level = 1; level < 8; ++level) {
        if (bins[level].count > bins[chosen].count)
            chosen = level;
    }
    const Bin &bin = bins[chosen];
    if (bin.count == 0)
        return image.pixelColor(x, y);
    return QColor(clamp255(bin.red * 256 / (bin.count * 8)), clamp255(bin.green * 256 / (bin.count * 8)),
                  clamp255(bin.blue * 256 / (bin.count * 8)), 255);
}

} // namespace

QImage applyFilter(const QImage &image, const QString &filterName, int intensity)
{
    if (filterName == QStringLiteral("blur"))
        return applyBlur(image, intensity <= 0 ? 5 : intensity);
    if (filterName == QStringLiteral("grayscale"))
        return applyGrayscale(image);
    if (filterName == QStringLiteral("vintage"))
        return applyVintage(image);
    if (filterName == QStringLiteral("edge-detection"))
        return applyEdgeDetection(image);
    if (filterName == QStringLiteral("emboss"))
        return applyEmboss(image);
    if (filterName == QStringLiteral("oil-painting"))
        return applyOilPainting(image, intensity <= 0 ? 3 : intensity);
    return image;
}

QImage applyBlur(const QImage &image, int radius)
{
    if (radius <= 0)
        return image;
    const QImage source = workingImage(image);
    QImage result = source.copy();
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            qint64 red = 0, green = 0, blue = 0, n = 0;
            for (int dy = -radius; dy <= radius; ++dy) {
                for (int dx = -radius; dx <= radius; ++dx) {
                    if (!inside(source, x + dx, y + dy))
                        continue;
                    const QColor colour = source.pixelColor(x + dx, y + dy);
                    red += colour.red();
                    green += colour.green();
                    blue += colour.blue();
                    ++n;
                }
            }
            writeOpaque(result, x, y, clamp255(red / n), clamp255(green / n), clamp255(blue / n));
        }
    }
    return result;
}

QImage applySharpen(const QImage &image, int amount, int radius, int threshold)
{
    if (amount <= 0 || radius <= 0)
        return image;
    const QImage source = workingImage(image);
    const QImage blurred = applyBlur(source, radius);
    QImage result = source.copy();
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const QColor original = source.pixelColor(x, y);
            const QColor mask = blurred.pixelColor(x, y);
            const int before[3] = {original.red(), original.green(), original.blue()};
            const int masked[3] = {mask.red(), mask.green(), mask.blue()};
            int after[3];
            for (int c = 0; c < 3; ++c) {
                const int difference = before[c] - masked[c];
                // amount % of the difference, rounded half away from zero
                const double change = std::round(amount * difference / 100.0);
                after[c] = std::abs(difference) < threshold ? before[c] : clamp255(before[c] + qint64(change));
            }
            result.setPixelColor(x, y, QColor(after[0], after[1], after[2], original.alpha()));
        }
    }
    return result;
}

QImage applyGrayscale(const QImage &image)
{
    const QImage source = workingImage(image);
    QImage result = source.copy();
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const int gray = grayValue(source, x, y);
            writeOpaque(result, x, y, gray, gray, gray);
        }
    }
    return result;
}

QImage applyVintage(const QImage &image)
{
    const QImage source = workingImage(image);
    QImage result = source.copy();
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const double g = grayValue(source, x, y);
            const int red = int(0.393 * g + 0.769 * g + 0.189 * g);
            const int green = int(0.349 * g + 0.686 * g + 0.168 * g);
            const int blue = int(0.272 * g + 0.534 * g + 0.131 * g);
            writeOpaque(result, x, y, qMin(red, 255), qMin(green, 255), qMin(blue, 255));
        }
    }
    return result;
}

QImage applyEdgeDetection(const QImage &image)
{
    const QImage source = workingImage(image);
    QImage result(source.size(), source.format());
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const int gx = clamp255(kernelSum(source, x, y, sobelHorizontal, 0));
            const int gy = clamp255(kernelSum(source, x, y, sobelVertical, 0));
            const int m = gx * gx + gy * gy;
            int v = int(std::sqrt(double(m)));
            if (v > 254)
                v = 255;
            writeOpaque(result, x, y, v, v, v);
        }
    }
    return result;
}

QImage applyEmboss(const QImage &image)
{
    const QImage source = workingImage(image);
    QImage result(source.size(), source.format());
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const int v = clamp255(kernelSum(source, x, y, embossKernel, 128) + 128);
            writeOpaque(result, x, y, v, v, v);
        }
    }
    return result;
}

QImage applyOilPainting(const QImage &image, int radius)
{
    if (radius <= 0)
        return image;
    const QImage source = workingImage(image);
    QImage result(source.size(), source.format());
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x)
            result.setPixelColor(x, y, oilColour(source, x, y, radius));
    }
    return result;
}

} // namespace reference
