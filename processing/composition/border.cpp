#include "pipeline/imageprocessor.h"
#include "core/pixelaccess.h"

#include <QPainter>

#include <climits>

// An uninitialised canvas thickness pixels larger than inner on every side;
// null when that size cannot be represented or allocated.
static QImage borderCanvas(const QSize &inner, QImage::Format format, int thickness)
{
    const qint64 width = inner.width() + 2 * qint64(thickness);
    const qint64 height = inner.height() + 2 * qint64(thickness);
    if (width > INT_MAX || height > INT_MAX)
        return QImage();
    return QImage(int(width), int(height), format);
}

// Surrounds the image with a frame of colour, thickness pixels wide on every
// side: the result is (W + 2 thickness) x (H + 2 thickness), filled with the
// colour, with the source drawn over it at (thickness, thickness) by
// source-over, so translucent source pixels show the frame colour through
// them. Format and metadata are kept (palette and monochrome images come
// back as RGB32 or ARGB32). A thickness below 1 returns the source
// unchanged; a null source gives a 2 thickness square of the colour (ARGB32);
// a canvas too large to allocate gives a null image.
QImage ImageProcessor::addBorder(const QImage &image, int thickness, const QColor &color)
{
    if (thickness < 1)
        return image;
    const QImage source = pixelaccess::workingImage(image);
    const QImage::Format format = source.isNull() ? QImage::Format_ARGB32 : source.format();
    QImage canvas = borderCanvas(source.size(), format, thickness);
    if (canvas.isNull())
        return canvas;
    pixelaccess::copyMetadata(source, canvas);
    canvas.fill(color);
    if (!source.isNull()) {
        // Drawn at a point, never from a source rectangle: for a one-pixel
        // rectangle QPainter fills with the pixel's 8-bit colour instead of blending it.
        QPainter painter(&canvas);
        painter.drawImage(QPoint(thickness, thickness), source);
    }
    return canvas;
}
