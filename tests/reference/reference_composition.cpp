#include "reference.h"

#include <QColorSpace>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace reference {

namespace {

QImage drawWatermark(const QImage &image, const QString &text, const QColor &color, int opacity,
                     int position, int pointSize, int percent)
{
    if (image.isNull() || text.isEmpty() || opacity <= 0)
        return image;
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    line.replace(QChar(0x000a), QChar(0x0020));
    line.replace(QChar(0x000d), QChar(0x0020));
    line.replace(QChar(0x2028), QChar(0x0020));
    line.replace(QChar(0x2029), QChar(0x0020));

    QImage result = workingImage(image);
    QFont font;
    if (percent > 0)
        font.setPixelSize(std::max(1, int(std::round(std::min(image.width(), image.height()) * percent / 100.0))));
    else
        font.setPointSize(pointSize);
    font.setWeight(QFont::Bold);
    const QFontMetrics metrics(font, &result);
    const int textWidth = metrics.horizontalAdvance(line);
    const int w = result.width();
    const int h = result.height();
    int x = 20;
    int y = 20 + metrics.ascent();
    if (position == 1) {
        x = w - 20 - textWidth;
    } else if (position == 2) {
        y = h - 20 - metrics.descent();
    } else if (position == 3) {
        x = w - 20 - textWidth;
        y = h - 20 - metrics.descent();
    } else if (position == 4) {
        x = w / 2 - textWidth / 2;
        y = h / 2 + (metrics.ascent() - metrics.descent()) / 2;
    }

    QColor pen = color;
    pen.setAlpha(opacity > 255 ? 255 : opacity);
    QPainter painter(&result);
    painter.setFont(font);
    painter.setPen(pen);
    painter.drawText(QPoint(x, y), line);
    painter.end();
    return result;
}

} // namespace

QImage addWatermark(const QImage &image, const QString &text, const QColor &color,
                    int opacity, int fontSize, int position)
{
    return drawWatermark(image, text, color, opacity, position, fontSize, 0);
}

QImage addWatermarkSizedToPicture(const QImage &image, const QString &text, const QColor &color,
                                  int opacity, int percent, int position)
{
    return drawWatermark(image, text, color, opacity, position, 0, percent);
}

QImage addLogo(const QImage &image, const QImage &logo, int widthPercent, int position,
               int marginPercent, int opacityPercent)
{
    if (image.isNull() || logo.isNull() || opacityPercent <= 0)
        return image;
    QImage result = workingImage(image);
    const int pictureWidth = result.width();
    const int pictureHeight = result.height();
    int width = std::max(1, int(std::round(pictureWidth * widthPercent / 100.0)));
    int height = std::max(1, int(std::round(double(logo.height()) * width / logo.width())));
    if (height > pictureHeight) {
        height = pictureHeight;
        width = std::max(1, int(std::round(double(logo.width()) * height / logo.height())));
    }
    const int margin = int(std::round(std::min(pictureWidth, pictureHeight) * marginPercent / 100.0));
    int left = margin;
    int top = margin;
    if (position == 1 || position == 3)
        left = pictureWidth - margin - width;
    if (position == 2 || position == 3)
        top = pictureHeight - margin - height;
    if (position == 4) {
        left = (pictureWidth - width) / 2;
        top = (pictureHeight - height) / 2;
    }

    QImage placed = logo.convertToFormat(QImage::Format_RGBA64);
    if (result.colorSpace().isValid()) {
        if (!placed.colorSpace().isValid())
            placed.setColorSpace(QColorSpace::SRgb);
        if (placed.colorSpace() != result.colorSpace())
            placed.convertToColorSpace(result.colorSpace());
    }
    if (placed.size() != QSize(width, height))
        placed = resampleLanczos3(placed, QSize(width, height));

    const double opacity = std::min(opacityPercent, 100) / 100.0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int px = left + x;
            const int py = top + y;
            if (px < 0 || py < 0 || px >= pictureWidth || py >= pictureHeight)
                continue;
            const QColor over = placed.pixelColor(x, y);
            const QColor under = result.pixelColor(px, py);
            const double a = over.alphaF() * opacity;
            const double b = result.hasAlphaChannel() ? under.alphaF() : 1.0;
            const double alpha = a + b * (1 - a);
            const auto channel = [&](double top, double bottom) {
                return alpha > 0 ? (top * a + bottom * b * (1 - a)) / alpha : 0.0;
            };
            const double red = channel(over.redF(), under.redF());
            const double green = channel(over.greenF(), under.greenF());
            const double blue = channel(over.blueF(), under.blueF());
            if (result.format() == QImage::Format_Grayscale16) {
                // The grey of the blend at 16 bits, with qGray's weights 11, 16 and 5 of 32.
                const auto level = [](double value) { return int(std::lround(value * 65535)); };
                reinterpret_cast<quint16 *>(result.scanLine(py))[px] =
                        quint16((level(red) * 11 + level(green) * 16 + level(blue) * 5) / 32);
            } else {
                result.setPixelColor(px, py, QColor::fromRgbF(float(red), float(green), float(blue), float(alpha)));
            }
        }
    }
    return result;
}

QImage addBorder(const QImage &image, int thickness, const QColor &color)
{
    if (thickness < 1)
        return image;
    const QImage source = workingImage(image);
    const QImage::Format format = image.isNull() ? QImage::Format_ARGB32 : source.format();
    QImage canvas(source.width() + 2 * thickness, source.height() + 2 * thickness, format);
    canvas.fill(color);
    QPainter painter(&canvas);
    painter.drawImage(QPoint(thickness, thickness), source);
    painter.end();
    return canvas;
}

QImage extractChannel(const QImage &image, const QString &channelName)
{
    const QStringList keys = {"Red", "Green", "Blue", "Cyan", "Magenta", "Yellow"};
    if (!keys.contains(channelName))
        return image; // every pixel's own colour written back: the image as it was
    QImage result = workingImage(image);
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < result.width(); ++x) {
            const QColor colour = result.pixelColor(x, y);
            const int r = colour.red();
            const int g = colour.green();
            const int b = colour.blue();
            QColor written;
            if (channelName == "Red")
                written = QColor(r, 0, 0, 255);
            else if (channelName == "Green")
                written = QColor(0, g, 0, 255);
            else if (channelName == "Blue")
                written = QColor(0, 0, b, 255);
            else if (channelName == "Cyan")
                written = QColor(0, g, b, 255);
            else if (channelName == "Magenta")
                written = QColor(r, 0, b, 255);
            else
                written = QColor(r, g, 0, 255);
            result.setPixelColor(x, y, written);
        }
    }
    return result;
}

QImage splitGrid(const QImage &image, int rows, int cols)
{
    if (rows <= 0 || cols <= 0)
        return image;
    const int cellWidth = image.width() / cols;
    const int cellHeight = image.height() / rows;
    if (cellWidth == 0 || cellHeight == 0)
        return QImage();
    return image.copy((cols / 2) * cellWidth, (rows / 2) * cellHeight, cellWidth, cellHeight);
}

} // namespace reference
