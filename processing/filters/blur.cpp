#include "filters/blur.h"

#include "core/filterrows.h"

#include <vector>

namespace {

// Exact sums of 8-bit channels; 64 bits hold any window of any image.
struct ChannelSums
{
    quint64 red = 0;
    quint64 green = 0;
    quint64 blue = 0;
};

// Adds (or, with Add false, removes) one source row to the column sums.
template <bool Add>
void foldRow(std::vector<ChannelSums> &columns, const QRgb *row)
{
    for (size_t x = 0; x < columns.size(); ++x) {
        ChannelSums &column = columns[x];
        column.red = Add ? column.red + qRed(row[x]) : column.red - qRed(row[x]);
        column.green = Add ? column.green + qGreen(row[x]) : column.green - qGreen(row[x]);
        column.blue = Add ? column.blue + qBlue(row[x]) : column.blue - qBlue(row[x]);
    }
}

template <bool Add>
void foldColumn(ChannelSums &window, const ChannelSums &column)
{
    window.red = Add ? window.red + column.red : window.red - column.red;
    window.green = Add ? window.green + column.green : window.green - column.green;
    window.blue = Add ? window.blue + column.blue : window.blue - column.blue;
}

// The window's mean colour, each channel truncated; n is its pixel count. A
// mean of 8-bit values needs no clamping.
QRgb meanColour(const ChannelSums &window, quint64 n)
{
    return qRgb(int(window.red / n), int(window.green / n), int(window.blue / n));
}

// One band of result rows. columns[x] holds the sums of column x over the
// rows of the current row's window; that window's sums then slide along the
// columns, so every pixel costs a constant number of additions whatever
// the radius, and the full sums are divided once.
void blurBand(const filterrows::SourceRows &source, const filterrows::TargetRows &target, int radius,
              int firstRow, int endRow)
{
    const int width = source.width();
    std::vector<ChannelSums> columns(static_cast<size_t>(width));
    std::vector<QRgb> buffer(static_cast<size_t>(width));
    quint64 rowsIn = 0;
    const auto blurRow = [&](int y) {
        QRgb *out = target.row(y);
        ChannelSums window;
        quint64 columnsIn = 0;
        filterrows::slideWindow(
            0, width, width, radius,
            [&](int x) { foldColumn<true>(window, columns[size_t(x)]); ++columnsIn; },
            [&](int x) { foldColumn<false>(window, columns[size_t(x)]); --columnsIn; },
            [&](int x) { out[x] = meanColour(window, rowsIn * columnsIn); });
    };
    filterrows::slideWindow(
        firstRow, endRow, source.height(), radius,
        [&](int y) { foldRow<true>(columns, source.row(y, buffer.data())); ++rowsIn; },
        [&](int y) { foldRow<false>(columns, source.row(y, buffer.data())); --rowsIn; },
        blurRow);
}

} // namespace

QImage applyBlur(const QImage &image, int radius)
{
    if (radius <= 0)
        return image;
    const int reach = filterrows::effectiveRadius(image, radius);
    return filterrows::filterBands(image, [reach](const filterrows::SourceRows &source,
                                                  const filterrows::TargetRows &target, int firstRow, int endRow) {
        blurBand(source, target, reach, firstRow, endRow);
    });
}
