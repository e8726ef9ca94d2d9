#include "reference.h"

#include <QTransform>

#include <cmath>

namespace reference {

namespace {

// A rectangle without rows or columns cuts nothing: a null image.
QImage copyOrNull(const QImage &image, int x, int y, int w, int h)
{
    if (w <= 0 || h <= 0)
        return QImage();
    return image.copy(QRect(x, y, w, h));
}

double lanczos3(double x)
{
    if (x == 0)
        return 1;
    if (std::abs(x) >= 3)
        return 0;
    return std::sin(M_PI * x) / (M_PI * x) * std::sin(M_PI * x / 3) / (M_PI * x / 3);
}

// The weight of source pixel s for target pixel t along an axis of source
// pixels scaled to target ones: Lanczos 3 of the distance between their
// centres, stretched by the scale when shrinking, over the sum of those
// weights of all the axis's pixels.
double axisWeight(int s, int t, int source, int target)
{
    const double scale = double(source) / target;
    const double stretch = scale > 1 ? scale : 1;
    const double centre = (t + 0.5) * scale;
    double sum = 0;
    for (int i = 0; i < source; ++i)
        sum += lanczos3((i + 0.5 - centre) / stretch);
    return lanczos3((s + 0.5 - centre) / stretch) / sum;
}

} // namespace

QImage resampleLanczos3(const QImage &image, const QSize &size)
{
    const QImage source = workingImage(image);
    QImage result(size, source.format());
    result.setColorTable(source.colorTable());
    for (int ty = 0; ty < size.height(); ++ty) {
        for (int tx = 0; tx < size.width(); ++tx) {
            double red = 0, green = 0, blue = 0, alpha = 0;
            for (int sy = 0; sy < source.height(); ++sy) {
                const double wy = axisWeight(sy, ty, source.height(), size.height());
                for (int sx = 0; sx < source.width(); ++sx) {
                    const double w = wy * axisWeight(sx, tx, source.width(), size.width());
                    const QColor c = source.pixelColor(sx, sy);
                    red += w * c.redF() * c.alphaF();
                    green += w * c.greenF() * c.alphaF();
                    blue += w * c.blueF() * c.alphaF();
                    alpha += w * c.alphaF();
                }
            }
            alpha = qBound(0.0, alpha, 1.0);
            const auto colour = [alpha](double premultiplied) {
                return alpha > 0 ? qBound(0.0, premultiplied / alpha, 1.0) : 0.0;
            };
            const QColor value = QColor::fromRgbF(float(colour(red)), float(colour(green)), float(colour(blue)),
                                                  float(alpha));
            // setPixelColor keeps 8 bits of a Grayscale16 pixel.
            if (result.format() == QImage::Format_Grayscale16)
                reinterpret_cast<quint16 *>(result.scanLine(ty))[tx] = value.rgba64().red();
            else
                result.setPixelColor(tx, ty, value);
        }
    }
    return result;
}

QImage resizeImage(const QImage &image, int width, int height, bool keepAspectRatio)
{
    if (image.isNull())
        return QImage();
    // Keeping the proportions, a side of 0 follows the other one: the
    // source's extent on it times the scale of the given side, truncated,
    // at least 1.
    if (keepAspectRatio && width <= 0 && height > 0) {
        const int free = int(qint64(image.width()) * height / image.height());
        return image.scaled(QSize(free > 0 ? free : 1, height), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (keepAspectRatio && height <= 0 && width > 0) {
        const int free = int(qint64(image.height()) * width / image.width());
        return image.scaled(QSize(width, free > 0 ? free : 1), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    Qt::AspectRatioMode mode = Qt::IgnoreAspectRatio;
    if (keepAspectRatio)
        mode = Qt::KeepAspectRatio;
    return image.scaled(QSize(width, height), mode, Qt::SmoothTransformation);
}

QImage cropImage(const QImage &image, int width, int height)
{
    const int W = image.width();
    const int H = image.height();
    if (width >= W && height >= H)
        return image;
    int x = 0;
    if (qint64(W) - width >= 2)
        x = int((qint64(W) - width) / 2);
    int y = 0;
    if (qint64(H) - height >= 2)
        y = int((qint64(H) - height) / 2);
    const int w = qMin(width, W - x);
    const int h = qMin(height, H - y);
    return copyOrNull(image, x, y, w, h);
}

QImage applyAspectRatio(const QImage &image, const QString &ratioName)
{
    const int W = image.width();
    const int H = image.height();
    if (ratioName == QStringLiteral("1:1")) {
        const int m = qMin(W, H);
        return copyOrNull(image, (W - m) / 2, (H - m) / 2, m, m);
    }
    float k = 0.0f;
    if (ratioName == QStringLiteral("4:3"))
        k = 1.3333334f;
    else if (ratioName == QStringLiteral("16:9"))
        k = 1.7777778f;
    else if (ratioName == QStringLiteral("3:2"))
        k = 1.5f;
    else
        return image;
    const float r = float(W) / float(H);
    if (r > k) {
        const float product = float(H) * k;
        const int nw = int(product);
        return copyOrNull(image, (W - nw) / 2, 0, nw, H);
    }
    const float quotient = float(W) / k;
    const int nh = int(quotient);
    return copyOrNull(image, 0, (H - nh) / 2, W, nh);
}

QImage applyStandardSize(const QImage &image, const QString &sizeName)
{
    const QStringList keys = {QStringLiteral("640x480"), QStringLiteral("800x600"),
                              QStringLiteral("1024x768"), QStringLiteral("1280x720"),
                              QStringLiteral("1920x1080"), QStringLiteral("1080x1080"),
                              QStringLiteral("1200x1200")};
    const QList<QSize> targets = {QSize(640, 480), QSize(800, 600), QSize(1024, 768), QSize(1280, 720),
                                  QSize(1920, 1080), QSize(1080, 1080), QSize(1200, 1200)};
    const int index = keys.indexOf(sizeName);
    if (index < 0 || image.isNull())
        return image;
    return image.scaled(targets.at(index), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage rotateImage(const QImage &image, int degrees)
{
    QTransform transform;
    transform.rotate(double(degrees));
    return image.transformed(transform, Qt::SmoothTransformation);
}

QImage flipImage(const QImage &image, bool horizontal, bool vertical)
{
    if (!horizontal && !vertical)
        return image;
    return image.mirrored(horizontal, vertical);
}

// Orientation names which stored row is the visual top and which stored
// column the visual left: 1 as stored, 2 mirrored, 3 turned half, 4 flipped,
// 5 the rows become columns, 6 turned a quarter clockwise, 7 the rows become
// columns read from the far corner, 8 turned a quarter anticlockwise.
QImage orientedAsExifSays(const QImage &stored, int orientation)
{
    const int W = stored.width();
    const int H = stored.height();
    const bool across = orientation >= 5;
    QImage shown(across ? H : W, across ? W : H, stored.format());
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QPoint from[] = {{x, y}, {W - 1 - x, y}, {W - 1 - x, H - 1 - y}, {x, H - 1 - y},
                                   {y, x}, {y, H - 1 - x}, {W - 1 - y, H - 1 - x}, {W - 1 - y, x}};
            shown.setPixelColor(x, y, stored.pixelColor(from[orientation - 1]));
        }
    }
    return shown;
}

} // namespace reference
