#ifndef PNGROWS_H
#define PNGROWS_H

#include <QImage>

#include <cstddef>
#include <cstdint>

// The rows of a PNG picture once inflated: each filter byte undone, and the
// big-endian samples laid out as the QImage format Qt's reader gives.
namespace pngrows {

// One kind of sample layout the reader decodes itself: PNG colour type and
// bit depth, and the format Qt's reader gives for it.
struct Layout
{
    int colorType;
    int bitDepth;
    int bytesPerPixel;
    QImage::Format format;
    void (*convert)(const uint8_t *samples, uchar *pixels, int width);
};

// The layout of colourType at bitDepth; null for those left to Qt
// (palettes, depths below 8).
const Layout *layoutOf(int colorType, int bitDepth);

// Undoes the filter of one row in place, given the row above as already
// unfiltered (all zero for the first row). False for an unknown filter.
bool unfilter(uint8_t filter, uint8_t *row, const uint8_t *above, std::size_t rowBytes,
              int bytesPerPixel);

} // namespace pngrows

#endif // PNGROWS_H
