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
// A 32-bit source that holds the only reference to its pixels is rewritten
// in place instead (in == out), so fastRow must read each pixel before it
// writes it. A null image, or one whose result cannot be allocated, gives a
// null image.
template <typename FastRow, typename ColourPixel>
QImage mapRows(QImage source, FastRow fastRow, ColourPixel colourPixel)
{
    const int width = source.width();
    if (source.isDetached() && pixelaccess::hasScanLinePath(source.format())) {
        uchar *bits = source.bits();
        const qsizetype stride = source.bytesPerLine();
        pixelaccess::forEachRowBand(source.height(), width, [&](int firstRow, int endRow) {
            for (int y = firstRow; y < endRow; ++y) {
                QRgb *row = reinterpret_cast<QRgb *>(bits + y * stride);
                fastRow(row, row, width);
            }
        });
        return source;
    }
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
QImage mapPixels(QImage source, FastPixel fastPixel, ColourPixel colourPixel)
{
    const auto fastRow = [&](const QRgb *in, QRgb *out, int width) {
        for (int x = 0; x < width; ++x)
            out[x] = fastPixel(in[x]) | 0xff000000u;
    };
    return mapRows(std::move(source), fastRow, colourPixel);
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

// The table that gives then[first[value]] for every value.
inline ChannelTable composed(const ChannelTable &first, const ChannelTable &then)
{
    ChannelTable table;
    for (size_t value = 0; value < table.size(); ++value)
        table[value] = then[first[value]];
    return table;
}

// Whether tables applied one after the other to image give exactly the
// pixels of one pass of their composition. On the 32-bit formats (where
// palette and monochrome images go first) each pass stores the opaque 8-bit
// rgb it computed and the next reads it back unchanged; other formats round
// what is stored between the passes.
inline bool tablesCompose(const QImage &image)
{
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8:
        return true;
    default:
        return pixelaccess::hasScanLinePath(image.format());
    }
}

// Every pixel becomes (table[r], table[g], table[b]) with alpha 255, r, g, b
// being the 8-bit channels pixelColor reports for it. For premultiplied
// pixels the unpremultiplication is folded into a per-alpha copy of the
// table. A 32-bit image that holds the only reference to its pixels is
// rewritten in place.
inline QImage applyChannelTable(QImage image, const ChannelTable &table)
{
    QImage source = pixelaccess::workingImage(image);
    image = QImage(); // a converted copy is then the only one
    const auto colourPixel = [&](const QColor &colour) {
        return QColor(table[colour.red()], table[colour.green()], table[colour.blue()]);
    };
    if (source.format() != QImage::Format_ARGB32_Premultiplied) {
        return mapPixels(
            std::move(source),
            [&](QRgb stored) { return qRgb(table[qRed(stored)], table[qGreen(stored)], table[qBlue(stored)]); },
            colourPixel);
    }
    const pixelaccess::PixelReader reader(source.format());
    std::vector<quint8> byAlpha(256 * 256);
    for (int alpha = 0; alpha < 256; ++alpha)
        for (int value = 0; value < 256; ++value)
            byAlpha[alpha * 256 + value] = table[qRed(reader.opaqueRgb(qRgba(value, 0, 0, alpha)))];
    return mapPixels(
        std::move(source),
        [&](QRgb stored) {
            const quint8 *row = byAlpha.data() + qAlpha(stored) * 256;
            return qRgb(row[qRed(stored)], row[qGreen(stored)], row[qBlue(stored)]);
        },
        colourPixel);
}

} // namespace tonemapping

#endif // TONEMAPPING_H
