#include "core/filterrows.h"

#include <QColor>

namespace filterrows {

SourceRows::SourceRows(const QImage &source)
    : image(source)
    , reader(source.format())
    , readInPlace(source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32)
{
}

const QRgb *SourceRows::row(int y, QRgb *buffer) const
{
    const QRgb *stored = reinterpret_cast<const QRgb *>(image.constScanLine(y));
    if (readInPlace)
        return stored;
    const int width = image.width();
    if (pixelaccess::hasScanLinePath(image.format())) {
        for (int x = 0; x < width; ++x) // premultiplied: Qt's exact unpremultiplication
            buffer[x] = reader.opaqueRgb(stored[x]);
    } else {
        for (int x = 0; x < width; ++x)
            buffer[x] = image.pixelColor(x, y).rgb();
    }
    return buffer;
}

TargetRows::TargetRows(const QImage &source)
    : result(pixelaccess::blankLike(source))
{
    if (result.isNull())
        return;
    if (!pixelaccess::hasScanLinePath(result.format())) {
        buffer = QImage(result.size(), QImage::Format_RGB32);
        if (buffer.isNull()) {
            result = QImage();
            return;
        }
    }
    QImage &rows = buffer.isNull() ? result : buffer;
    bits = rows.bits();
    stride = rows.bytesPerLine();
}

QImage TargetRows::finish()
{
    // setPixelColor detaches on each call, so this stays on one thread.
    for (int y = 0; !buffer.isNull() && y < result.height(); ++y) {
        const QRgb *line = row(y);
        for (int x = 0; x < result.width(); ++x)
            result.setPixelColor(x, y, QColor::fromRgb(line[x]));
    }
    return result;
}

GrayPlane::GrayPlane(const SourceRows &source, int borderGray, int firstRow, int endRow)
    : firstRow(firstRow)
    , stride(qsizetype(source.width()) + 2)
    , values(size_t(stride) * size_t(endRow - firstRow + 2), quint8(borderGray))
{
    const int width = source.width();
    std::vector<QRgb> buffer(static_cast<size_t>(width));
    for (int y = std::max(0, firstRow - 1); y < std::min(source.height(), endRow + 1); ++y) {
        const QRgb *colours = source.row(y, buffer.data());
        quint8 *grays = values.data() + offset(y);
        for (int x = 0; x < width; ++x)
            grays[x] = quint8(qGray(colours[x]));
    }
}

} // namespace filterrows
