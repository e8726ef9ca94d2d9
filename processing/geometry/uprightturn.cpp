#include "geometry/uprightturn.h"

#include "core/picturememory.h"
#include "core/pixelaccess.h"

#include <QTransform>

#include <algorithm>

namespace {

// Where a target pixel's source lies: the source byte of target (x, y) is
// origin + x * stepX + y * stepY, as mirroring and turning only permute.
struct SourceWalk
{
    qsizetype origin;
    qsizetype stepX;
    qsizetype stepY;
};

SourceWalk walkFor(const QImage &source, int pixelBytes, bool mirror, bool flip, bool quarterTurn)
{
    const qsizetype line = source.bytesPerLine();
    // Across the mirrored and flipped picture: one pixel right, one row down.
    const qsizetype right = mirror ? -pixelBytes : pixelBytes;
    const qsizetype down = flip ? -line : line;
    const qsizetype topLeft = (mirror ? qsizetype(source.width() - 1) * pixelBytes : 0)
            + (flip ? qsizetype(source.height() - 1) * line : 0);
    if (!quarterTurn)
        return {topLeft, right, down};
    // Turned clockwise, a target row runs up the picture's first column from
    // its bottom, and the next target row is the picture's next column.
    const qsizetype bottomLeft = topLeft + qsizetype(source.height() - 1) * down;
    return {bottomLeft, -down, right};
}

// Square tiles keep both the rows read and the rows written in the cache.
template <typename Pixel>
void moveRows(const uchar *source, const SourceWalk &walk, QImage &target, int firstRow, int endRow)
{
    constexpr int tile = 64;
    const int width = target.width();
    for (int tileTop = firstRow; tileTop < endRow; tileTop += tile) {
        const int tileEnd = std::min(endRow, tileTop + tile);
        for (int tileLeft = 0; tileLeft < width; tileLeft += tile) {
            const int tileRight = std::min(width, tileLeft + tile);
            for (int y = tileTop; y < tileEnd; ++y) {
                Pixel *row = reinterpret_cast<Pixel *>(target.scanLine(y));
                const uchar *from = source + walk.origin + tileLeft * walk.stepX + y * walk.stepY;
                for (int x = tileLeft; x < tileRight; ++x, from += walk.stepX)
                    row[x] = *reinterpret_cast<const Pixel *>(from);
            }
        }
    }
}

int movedPixelBytes(QImage::Format format)
{
    if (pixelaccess::hasScanLinePath(format))
        return 4;
    return format == QImage::Format_Grayscale8 ? 1 : 0;
}

QImage qtTurn(const QImage &source, bool mirror, bool flip, bool quarterTurn)
{
    const QImage mirrored = source.mirrored(mirror, flip);
    return quarterTurn ? mirrored.transformed(QTransform().rotate(90)) : mirrored;
}

} // namespace

QImage uprightTurn(const QImage &source, bool mirror, bool flip, bool quarterTurn)
{
    const int pixelBytes = movedPixelBytes(source.format());
    if (pixelBytes == 0 || source.isNull())
        return qtTurn(source, mirror, flip, quarterTurn);
    if (!mirror && !flip && !quarterTurn)
        return source;
    const QSize size = quarterTurn ? source.size().transposed() : source.size();
    picturememory::DecodeTarget target(size, source.format(), picturememory::Rows::AllWritten);
    if (target.image.isNull())
        return QImage();
    const SourceWalk walk = walkFor(source, pixelBytes, mirror, flip, quarterTurn);
    const uchar *bits = source.constBits();
    QImage &turned = target.image;
    pixelaccess::forEachRowBand(size.height(), size.width(), [&](int firstRow, int endRow) {
        if (pixelBytes == 4)
            moveRows<quint32>(bits, walk, turned, firstRow, endRow);
        else
            moveRows<quint8>(bits, walk, turned, firstRow, endRow);
    });
    return turned;
}
