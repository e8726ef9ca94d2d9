#include "reference.h"

#include <cmath>

namespace reference {

namespace {

// value / 65536 rounded half up, at most 255; exact in double, as the
// divisor is a power of two.
int rounded(double value)
{
    return qMin(255, int(std::floor(value / 65536.0 + 0.5)));
}

} // namespace

YCbCr420 ycbcr420(const QImage &image)
{
    const QImage rgb = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    YCbCr420 planes;
    planes.y = QImage(width, height, QImage::Format_Grayscale8);
    planes.cb = QImage((width + 1) / 2, (height + 1) / 2, QImage::Format_Grayscale8);
    planes.cr = planes.cb.copy();
    if (image.hasAlphaChannel())
        planes.alpha = planes.y.copy();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = rgb.pixel(x, y);
            const int luma = rounded(19595.0 * qRed(pixel) + 38470.0 * qGreen(pixel) + 7471.0 * qBlue(pixel));
            planes.y.scanLine(y)[x] = uchar(luma);
            if (!planes.alpha.isNull())
                planes.alpha.scanLine(y)[x] = uchar(qAlpha(pixel));
        }
    }
    for (int cy = 0; cy < planes.cb.height(); ++cy) {
        for (int cx = 0; cx < planes.cb.width(); ++cx) {
            double red = 0, green = 0, blue = 0;
            int count = 0;
            for (int y = 2 * cy; y < qMin(height, 2 * cy + 2); ++y) {
                for (int x = 2 * cx; x < qMin(width, 2 * cx + 2); ++x) {
                    const QRgb pixel = rgb.pixel(x, y);
                    red += qRed(pixel);
                    green += qGreen(pixel);
                    blue += qBlue(pixel);
                    ++count;
                }
            }
            red /= count;
            green /= count;
            blue /= count;
            planes.cb.scanLine(cy)[cx] = uchar(rounded(128.0 * 65536 - 11059.0 * red - 21709.0 * green + 32768.0 * blue));
            planes.cr.scanLine(cy)[cx] = uchar(rounded(128.0 * 65536 + 32768.0 * red - 27439.0 * green - 5329.0 * blue));
        }
    }
    return planes;
}

} // namespace reference
