#include "filters/oilpainting.h"

#include "core/filterrows.h"
#include "pipeline/imageprocessor.h"

#include <vector>

using LevelBins = OilPaintFilter::LevelBins;

namespace {

// Counts one pixel in bins (or, with Add false, takes it out again).
template <bool Add>
void foldPixel(LevelBins &bins, QRgb colour)
{
    const int level = qGray(colour) / 32; // (11 R + 16 G + 5 B) / 1024
    const quint32 step = Add ? 1u : ~0u;  // adds 1 or, wrapping, subtracts 1
    bins.count(level) += step;
    bins.redSum(level) += step * quint32(qRed(colour) / 32);
    bins.greenSum(level) += step * quint32(qGreen(colour) / 32);
    bins.blueSum(level) += step * quint32(qBlue(colour) / 32);
}

template <bool Add>
void foldBins(LevelBins &window, const LevelBins &column)
{
    for (int i = 0; i < 32; ++i)
        window.values[i] = Add ? window.values[i] + column.values[i] : window.values[i] - column.values[i];
}

template <bool Add>
void foldRow(std::vector<LevelBins> &columns, const QRgb *row)
{
    for (size_t x = 0; x < columns.size(); ++x)
        foldPixel<Add>(columns[x], row[x]);
}

// One band of result rows. columns[x] holds the bins of column x over the
// rows of the current row's window; the row's window bins then slide along
// the columns, so every pixel costs the same whatever the radius.
void paintBand(const OilPaintFilter &filter, const filterrows::SourceRows &source,
               const filterrows::TargetRows &target, int radius, int firstRow, int endRow)
{
    const int width = source.width();
    std::vector<LevelBins> columns(static_cast<size_t>(width));
    std::vector<QRgb> buffer(static_cast<size_t>(width));
    const auto paintRow = [&](int y) {
        QRgb *out = target.row(y);
        LevelBins window;
        filterrows::slideWindow(
            0, width, width, radius, [&](int x) { foldBins<true>(window, columns[size_t(x)]); },
            [&](int x) { foldBins<false>(window, columns[size_t(x)]); },
            [&](int x) { out[x] = filter.paintPixel(window); });
    };
    filterrows::slideWindow(
        firstRow, endRow, source.height(), radius,
        [&](int y) { foldRow<true>(columns, source.row(y, buffer.data())); },
        [&](int y) { foldRow<false>(columns, source.row(y, buffer.data())); }, paintRow);
}

// 32 times the mean channel level, at most 7 x 32 = 224: never needs clamping.
int meanChannel(quint32 sum, quint32 count)
{
    return int(quint64(sum) * 256 / (quint64(count) * 8));
}

} // namespace

QRgb OilPaintFilter::paintPixel(const LevelBins &bins) const
{
    int chosen = 0;
    for (int level = 1; level < 8; ++level) {
        if (bins.count(level) > bins.count(chosen))
            chosen = level;
    }
    const quint32 count = bins.count(chosen);
    return qRgb(meanChannel(bins.redSum(chosen), count), meanChannel(bins.greenSum(chosen), count),
                meanChannel(bins.blueSum(chosen), count));
}

// Every pixel is painted with paintPixel of the bins of its (2 radius + 1)²
// window: each window pixel inside the image has the level
// (11 R + 16 G + 5 B) / 1024 (0..7) and adds R / 32, G / 32 and B / 32 to
// that level's sums; pixels outside the image are left out. The result is
// opaque. A radius of 0 or less returns the image unchanged; otherwise the
// result has the image's size and format (palette and monochrome images
// come back as RGB32 or ARGB32). A null image gives a null image.
QImage OilPaintFilter::apply(const QImage &image, int radius)
{
    if (radius <= 0)
        return image;
    const int reach = filterrows::effectiveRadius(image, radius);
    return filterrows::filterBands(image, [this, reach](const filterrows::SourceRows &source,
                                                        const filterrows::TargetRows &target, int firstRow,
                                                        int endRow) {
        paintBand(*this, source, target, reach, firstRow, endRow);
    });
}

QImage ImageProcessor::applyOilPainting(const QImage &image, int radius)
{
    OilPaintFilter filter;
    return filter.apply(image, radius);
}
