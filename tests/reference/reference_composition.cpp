#include "reference.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace reference {

QImage addWatermark(const QImage &image, const QString &text, const QColor &color,
                    int opacity, int fontSize, int position)
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
    font.setPointSize(fontSize);
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
