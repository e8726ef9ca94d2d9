#include "codecs/bmpwriter.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <vector>

namespace bmpwriter {

namespace {

constexpr int fileHeaderBytes = 14;
constexpr int infoHeaderBytes = 40;
constexpr int defaultDotsPerMeter = 2834; // 72 dpi, Qt's value for an image without one

template <typename T>
void put(uchar *&out, T value)
{
    qToLittleEndian(value, out);
    out += sizeof(T);
}

QByteArray headers(const QImage &image, quint32 rowBytes)
{
    QByteArray header(fileHeaderBytes + infoHeaderBytes, '\0');
    uchar *out = reinterpret_cast<uchar *>(header.data());
    const quint32 pixelBytes = rowBytes * quint32(image.height());
    *out++ = 'B';
    *out++ = 'M';
    put<quint32>(out, fileHeaderBytes + infoHeaderBytes + pixelBytes);
    put<quint32>(out, 0); // two reserved words
    put<quint32>(out, fileHeaderBytes + infoHeaderBytes);
    put<quint32>(out, infoHeaderBytes);
    put<qint32>(out, image.width());
    put<qint32>(out, image.height());
    put<quint16>(out, 1);  // planes
    put<quint16>(out, 24); // bits per pixel
    put<quint32>(out, 0);  // no compression
    put<quint32>(out, pixelBytes);
    put<qint32>(out, image.dotsPerMeterX() ? image.dotsPerMeterX() : defaultDotsPerMeter);
    put<qint32>(out, image.dotsPerMeterY() ? image.dotsPerMeterY() : defaultDotsPerMeter);
    put<quint32>(out, 0); // colours used
    put<quint32>(out, 0); // important colours
    return header;
}

// Blue, green, red of each pixel; the padding stays as it was (zero).
void packRow(const QRgb *in, int width, uchar *out)
{
    for (int x = 0; x < width; ++x) {
        const QRgb pixel = in[x];
        out[3 * x] = uchar(pixel);
        out[3 * x + 1] = uchar(pixel >> 8);
        out[3 * x + 2] = uchar(pixel >> 16);
    }
}

} // namespace

bool writes(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32;
}

bool write(const QImage &image, QIODevice *device)
{
    const quint32 rowBytes = (quint32(image.width()) * 24 + 31) / 32 * 4;
    if (device->write(headers(image, rowBytes)) != fileHeaderBytes + infoHeaderBytes)
        return false;
    // About 1 MB per write: few calls, and a block that stays in the cache.
    const int rowsPerBlock = std::max(1, int((1 << 20) / std::max<quint32>(rowBytes, 1)));
    std::vector<uchar> block(size_t(rowBytes) * size_t(rowsPerBlock), 0);
    for (int top = image.height() - 1; top >= 0; top -= rowsPerBlock) {
        const int rows = std::min(rowsPerBlock, top + 1);
        for (int row = 0; row < rows; ++row)
            packRow(reinterpret_cast<const QRgb *>(image.constScanLine(top - row)), image.width(),
                    block.data() + size_t(row) * rowBytes);
        const qint64 bytes = qint64(rows) * rowBytes;
        if (device->write(reinterpret_cast<const char *>(block.data()), bytes) != bytes)
            return false;
    }
    return true;
}

} // namespace bmpwriter
