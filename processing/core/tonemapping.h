#ifndef TONEMAPPING_H
#define TONEMAPPING_H

#include "core/pixelaccess.h"

#include <QColor>
#include <QImage>

#include <array>
#include <vector>

// The pixel walk shared by the tone kernels: every pixel is replaced by an
// opaque colour that depends only on its own old colour.
namespace tonemapping {

// Writes every pixel of source, which has been through workingImage, into a
// new image of the same size and format. On the three 32-bit formats
// fastRow(in, out, width) maps one row of stored pixels to the pixels to
// store; on every other format colourPixel maps the pixelColor value to the
// colour handed to setPixelColor. Both forms must describe the same mapping.
// A null image, or one whose result cannot be allocated, gives a null image.
template <typename FastRow, typename ColourPixel>
QImage mapRows(const QImage &source, FastRow fastRow, ColourPixel colourPixel)
{
    QImage result = pixelaccess::blankLike(source);
    if (result.isNull())
        return result;
    if (!pixelaccess::hasScanLinePath(source.format())) {
        // setPixelColor detaches on each call, so this path stays on one thread.
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                result.setPixelColor(x, y, colourPixel(source.pixelColor(x, y)));
        return result;
    }
    const uchar *sourceBits = source.constBits();
    uchar *resultBits = result.bits();
    const qsizetype sourceStride = source.bytesPerLine();
    const qsizetype resultStride = result.bytesPerLine();
    const int width = source.width();
    pixelaccess::forEachRowBand(source.height(), width, [&](int firstRow, int endRow) {
        for (int y = firstRow; y < endRow; ++y)
            fastRow(reinterpret_cast<const QRgb *>(sourceBits + y * sourceStride),
                    reinterpret_cast<QRgb *>(resultBits + y * resultStride), width);
    });
    return result;
}

// mapRows with the scan-line form given per pixel: fastPixel maps a stored
// pixel to the rgb to store, which is then made opaque.
template <typename FastPixel, typename ColourPixel>
QImage mapPixels(const QImage &source, FastPixel fastPixel, ColourPixel colourPixel)
{
    const auto fastRow = [&](const QRgb *in, QRgb *out, int width) {
        for (int x = 0; x < width; ++x)
            out[x] = fastPixel(in[x]) | 0xff000000u;
    };
    return mapRows(source, fastRow, colourPixel);
}

// The new 8-bit value of each 8-bit channel value.
using ChannelTable = std::array<quint8, 256>;

// The table of newValue(value) for every value 0..255.
template <typename NewValue>
ChannelTable channelTable(NewValue newValue)
{
    ChannelTable table;
    for (int value = 0; value < 256; ++value)
        table[value] = quint8(newValue(value));
    return table;
}

// Every pixel becomes (table[r], table[g], table[b]) with alpha 255, r, g, b
// being the 8-bit channels pixelColor reports for it. For premultiplied
// pixels the unpremultiplication is folded into a per-alpha copy of the table.
inline QImage applyChannelTable(const QImage &image, const ChannelTable &table)
{
    const QImage source = pixelaccess::workingImage(image);
    const auto colourPixel = [&](const QColor &colour) {
        return QColor(table[colour.red()], table[colour.green()], table[colour.blue()]);
    };
    if (source.format() != QImage::Format_ARGB32_Premultiplied) {
        return mapPixels(
            source,
            [&](QRgb stored) { return qRgb(table[qRed(stored)], table[qGreen(stored)], table[qBlue(stored)]); },
            colourPixel);
    }
    const pixelaccess::PixelReader reader(source.format());
    std::vector<quint8> byAlpha(256 * 256);
    for (int alpha = 0; alpha < 256; ++alpha)
        for (int value = 0; value < 256; ++value)
            byAlpha[alpha * 256 + value] = table[qRed(reader.opaqueRgb(qRgba(value, 0, 0, alpha)))];
    return mapPixels(
        source,
        [&](QRgb stored) {
            const quint8 *row = byAlpha.data() + qAlpha(stored) * 256;
            return qRgb(row[qRed(stored)], row[qGreen(stored)], row[qBlue(stored)]);
        },
        colourPixel);
}

} // namespace tonemapping

#endif // TONEMAPPING_H
