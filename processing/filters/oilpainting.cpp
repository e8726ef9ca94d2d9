#include "filters/oilpainting.h"

#include "core/filterrows.h"

#include <vector>

namespace {

// The eight brightness levels of a set of pixels: how many pixels have each
// level, and the sums of their red, green and blue levels (each channel /
// 32). Stored as one array so that whole sets add and subtract in one loop.
// 32 bits hold the sums of any image below 600 million pixels.
struct LevelBins
{
    quint32 values[32] = {};
    quint32 &count(int level) { return values[level]; }
    quint32 &redSum(int level) { return values[8 + level]; }
    quint32 &greenSum(int level) { return values[16 + level]; }
    quint32 &blueSum(int level) { return values[24 + level]; }
    quint32 count(int level) const { return values[level]; }
    quint32 redSum(int level) const { return values[8 + level]; }
    quint32 greenSum(int level) const { return values[16 + level]; }
    quint32 blueSum(int level) const { return values[24 + level]; }
};

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

// 32 times the mean channel level, at most 7 x 32 = 224: never needs clamping.
int meanChannel(quint32 sum, quint32 count)
{
    return int(quint64(sum) * 256 / (quint64(count) * 8));
}

// The colour painted for a window with these bins. bins must count at least
// one pixel, which every window does since it holds its own centre.
QRgb paintPixel(const LevelBins &bins)
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

// One band of result rows. columns[x] holds the bins of column x over the
// rows of the current row's window; the row's window bins then slide along
// the columns, so every pixel costs the same whatever the radius.
void paintBand(const filterrows::SourceRows &source, const filterrows::TargetRows &target, int radius,
               int firstRow, int endRow)
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
            [&](int x) { out[x] = paintPixel(window); });
    };
    filterrows::slideWindow(
        firstRow, endRow, source.height(), radius,
        [&](int y) { foldRow<true>(columns, source.row(y, buffer.data())); },
        [&](int y) { foldRow<false>(columns, source.row(y, buffer.data())); }, paintRow);
}

} // namespace

QImage applyOilPainting(const QImage &image, int radius)
{
    if (radius <= 0)
        return image;
    const int reach = filterrows::effectiveRadius(image, radius);
    return filterrows::filterBands(image, [reach](const filterrows::SourceRows &source,
                                                  const filterrows::TargetRows &target, int firstRow, int endRow) {
        paintBand(source, target, reach, firstRow, endRow);
    });
}
