#ifndef FILTERROWS_H
#define FILTERROWS_H

#include "core/pixelaccess.h"

#include <QImage>

#include <algorithm>
#include <vector>

// Row access shared by the neighbourhood filters (blur, edge detection,
// emboss, oil painting): they read a whole row of source colours at a time
// and write a whole row of opaque results, whatever the pixel format.
namespace filterrows {

// The rows of a source that has been through workingImage, as words whose
// red, green and blue are exactly what pixelColor reports for each pixel
// (their alpha byte means nothing). RGB32 and ARGB32 rows are read in place;
// other formats are converted into a caller's buffer, so several threads may
// read at once.
class SourceRows
{
public:
    explicit SourceRows(const QImage &source);
    int width() const { return image.width(); }
    int height() const { return image.height(); }
    // Row y, either in place or written into buffer (width() words).
    const QRgb *row(int y, QRgb *buffer) const;

private:
    QImage image;
    pixelaccess::PixelReader reader;
    bool readInPlace;
};

// The result of a filter that writes every pixel opaque: a blank image of
// the source's size, format and metadata. Kernels write 0xffRRGGBB words
// into row(y), from any thread for disjoint rows. On the 32-bit formats
// these are the result's own scan lines (an opaque pixel is stored as
// 0xffRRGGBB in all three); on the others they are a buffer that finish()
// stores through setPixelColor.
class TargetRows
{
public:
    explicit TargetRows(const QImage &source);
    // Null when the source is null or the result cannot be allocated.
    bool isNull() const { return result.isNull(); }
    QRgb *row(int y) const { return reinterpret_cast<QRgb *>(bits + y * stride); }
    QImage finish();

private:
    QImage result;
    QImage buffer;
    uchar *bits = nullptr;
    qsizetype stride = 0;
};

// The gray values qGray of the rows firstRow..endRow - 1 of a source, with
// the rows above and below them, framed by borderGray wherever the frame
// lies outside the image, so a 3 x 3 neighbourhood of any of those rows can
// be read without bounds checks.
class GrayPlane
{
public:
    GrayPlane(const SourceRows &source, int borderGray, int firstRow, int endRow);
    // The gray values of row y from x = 0; index -1 and width are valid.
    const quint8 *row(int y) const { return values.data() + offset(y); }

private:
    qsizetype offset(int y) const { return (qsizetype(y) - firstRow + 1) * stride + 1; }
    int firstRow;
    qsizetype stride;
    std::vector<quint8> values;
};

// A radius beyond the image's largest side covers no more pixels, so it is
// cut there; this also keeps every index sum far from overflow.
inline int effectiveRadius(const QImage &image, int radius)
{
    return std::min(radius, std::max(image.width(), image.height()));
}

// Walks the window [i - radius, i + radius] ∩ [0, length) for i = begin .. end - 1:
// enter(j) adds element j to the window, leave(j) drops it, visit(i) sees the
// window of i. Every element enters once and leaves at most once; the edges
// have loops of their own so the middle loop has no branches.
template <typename Enter, typename Leave, typename Visit>
void slideWindow(int begin, int end, int length, int radius, Enter enter, Leave leave, Visit visit)
{
    for (int j = std::max(0, begin - radius); j <= std::min(begin + radius, length - 1); ++j)
        enter(j);
    int i = begin;
    for (; i < end && i < radius && i + radius + 1 < length; ++i) { // left edge: nothing leaves
        visit(i);
        enter(i + radius + 1);
    }
    for (; i < end && i < radius; ++i) // window covers the whole line
        visit(i);
    for (; i < end && i + radius + 1 < length; ++i) { // middle
        visit(i);
        enter(i + radius + 1);
        leave(i - radius);
    }
    for (; i < end; ++i) { // right edge: nothing enters
        visit(i);
        leave(i - radius);
    }
}

inline QRgb opaqueGray(int gray)
{
    return 0xff000000u | (unsigned(gray) * 0x010101u);
}

// The driver of the windowed filters: image goes through workingImage, then
// band(sourceRows, targetRows, firstRow, endRow) fills bands of result rows,
// on several threads for a large image. A null image, or a result that
// cannot be allocated, gives a null image.
template <typename Band>
QImage filterBands(const QImage &image, Band band)
{
    const QImage source = pixelaccess::workingImage(image);
    TargetRows target(source);
    if (target.isNull())
        return QImage();
    const SourceRows rows(source);
    pixelaccess::forEachRowBand(source.height(), source.width(), [&](int firstRow, int endRow) {
        band(rows, target, firstRow, endRow);
    });
    return target.finish();
}

// Every pixel becomes the opaque gray grayAt(plane, x, y), computed on the
// gray plane of the source framed by borderGray. Null as for filterBands.
template <typename GrayAt>
QImage mapGrayNeighbourhoods(const QImage &image, int borderGray, GrayAt grayAt)
{
    return filterBands(image, [&](const SourceRows &rows, const TargetRows &target, int firstRow, int endRow) {
        const GrayPlane plane(rows, borderGray, firstRow, endRow);
        for (int y = firstRow; y < endRow; ++y) {
            QRgb *out = target.row(y);
            for (int x = 0; x < rows.width(); ++x)
                out[x] = opaqueGray(grayAt(plane, x, y));
        }
    });
}

} // namespace filterrows

#endif // FILTERROWS_H
