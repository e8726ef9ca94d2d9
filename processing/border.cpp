#include "imageprocessor.h"
#include "pixelaccess.h"

#include <QPainter>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace {

// An uninitialised canvas thickness pixels larger than inner on every side;
// null when that size cannot be represented or allocated.
QImage borderCanvas(const QSize &inner, QImage::Format format, int thickness)
{
    const qint64 width = inner.width() + 2 * qint64(thickness);
    const qint64 height = inner.height() + 2 * qint64(thickness);
    if (width > INT_MAX || height > INT_MAX)
        return QImage();
    return QImage(int(width), int(height), format);
}

// The 32-bit value QImage::fill stores for colour in format.
QRgb storedColour(const QColor &colour, QImage::Format format)
{
    QImage pixel(1, 1, format);
    pixel.fill(colour);
    return *reinterpret_cast<const QRgb *>(pixel.constBits());
}

bool isOpaqueRow(const QRgb *row, int width)
{
    QRgb allBits = 0xffffffffu;
    for (int x = 0; x < width; ++x)
        allBits &= row[x];
    return qAlpha(allBits) == 255;
}

// Source-over of the source rows [firstRow, endRow) onto the canvas below
// them, through QPainter; the canvas holds the frame colour there.
void paintRows(QImage &canvas, const QImage &source, int thickness, int firstRow, int endRow)
{
    const QRect rows(0, firstRow, source.width(), endRow - firstRow);
    QPainter painter(&canvas);
    painter.drawImage(rows.translated(thickness, thickness), source, rows);
}

// The 32-bit formats: the frame is written directly, opaque rows are copied
// as they are (source-over of an opaque pixel is the pixel) and only rows
// with a translucent pixel go through the painter. Returns those rows' flags.
std::vector<char> frameAndCopyOpaqueRows(QImage &canvas, const QImage &source, int thickness, QRgb frame)
{
    const bool mayBeTranslucent = source.format() != QImage::Format_RGB32;
    const int width = source.width();
    const int canvasWidth = canvas.width();
    uchar *canvasBits = canvas.bits();
    const qsizetype canvasStride = canvas.bytesPerLine();
    std::vector<char> translucent(size_t(source.height()), 0);
    pixelaccess::forEachRowBand(canvas.height(), canvasWidth, [&](int firstRow, int endRow) {
        for (int y = firstRow; y < endRow; ++y) {
            QRgb *line = reinterpret_cast<QRgb *>(canvasBits + y * canvasStride);
            const int sourceY = y - thickness;
            if (sourceY < 0 || sourceY >= source.height()) { // top or bottom band
                std::fill(line, line + canvasWidth, frame);
                continue;
            }
            const QRgb *in = reinterpret_cast<const QRgb *>(source.constScanLine(sourceY));
            std::fill(line, line + thickness, frame); // left and right bands
            std::fill(line + thickness + width, line + canvasWidth, frame);
            if (!mayBeTranslucent || isOpaqueRow(in, width)) {
                std::memcpy(line + thickness, in, size_t(width) * sizeof(QRgb));
            } else {
                std::fill(line + thickness, line + thickness + width, frame);
                translucent[size_t(sourceY)] = 1;
            }
        }
    });
    return translucent;
}

// Paints each run of consecutive flagged rows with one call.
void paintFlaggedRows(QImage &canvas, const QImage &source, int thickness, const std::vector<char> &flags)
{
    const int height = int(flags.size());
    for (int first = 0; first < height;) {
        if (!flags[size_t(first)]) {
            ++first;
            continue;
        }
        int end = first + 1;
        while (end < height && flags[size_t(end)])
            ++end;
        paintRows(canvas, source, thickness, first, end);
        first = end;
    }
}

} // namespace

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
    if (image.isNull()) {
        QImage canvas = borderCanvas(QSize(0, 0), QImage::Format_ARGB32, thickness);
        canvas.fill(color);
        return canvas;
    }
    const QImage source = pixelaccess::workingImage(image);
    QImage canvas = borderCanvas(source.size(), source.format(), thickness);
    if (canvas.isNull())
        return canvas;
    pixelaccess::copyMetadata(source, canvas);
    if (!pixelaccess::hasScanLinePath(source.format())) {
        canvas.fill(color);
        paintRows(canvas, source, thickness, 0, source.height());
        return canvas;
    }
    const std::vector<char> translucent =
        frameAndCopyOpaqueRows(canvas, source, thickness, storedColour(color, source.format()));
    paintFlaggedRows(canvas, source, thickness, translucent);
    return canvas;
}
