#ifndef PNGROWS_H
#define PNGROWS_H

#include <QImage>

#include <cstddef>
#include <cstdint>

// The rows of a PNG picture once inflated: each filter byte undone, and the
// big-endian samples laid out as the QImage format Qt's reader gives.
namespace pngrows {

// One kind of sample layout the reader decodes itself: PNG colour type, bit
// depth and whether a colour key (a tRNS chunk) marks transparent pixels,
// and the format the pixels take: the one Qt's reader gives, and for a key
// the one it gives a file with alpha of that depth.
struct Layout
{
    int colorType;
    int bitDepth;
    bool keyed;
    int bytesPerPixel;
    QImage::Format format;
    // key: the colour key as the rows store a pixel of it; unread unless keyed.
    void (*convert)(const uint8_t *samples, uchar *pixels, int width, const uint8_t *key);
};

// The layout of colourType at bitDepth, with or without a key; null for
// those left to Qt (palettes, depths below 8).
const Layout *layoutOf(int colorType, int bitDepth, bool keyed);

// Undoes the filter of one row in place, given the row above as already
// unfiltered (all zero for the first row). False for an unknown filter.
bool unfilter(uint8_t filter, uint8_t *row, const uint8_t *above, std::size_t rowBytes,
              int bytesPerPixel);

} // namespace pngrows

#endif // PNGROWS_H
