#include "filters/grayscale.h"

#include "core/filterrows.h"
#include "core/graymapping.h"
#include "pipeline/imageprocessor.h"

// Every pixel becomes (g, g, g) with alpha 255, g = qGray of its 8-bit red,
// green and blue: (11 R + 16 G + 5 B) / 32, truncated. Size and format are
// kept (palette and monochrome images come back as RGB32 or ARGB32); a null
// image gives a null image.
QImage GrayscaleFilter::apply(const QImage &image)
{
    graymapping::GrayTable table;
    for (int gray = 0; gray < 256; ++gray)
        table[size_t(gray)] = filterrows::opaqueGray(gray);
    return graymapping::mapGray(image, table);
}

QImage ImageProcessor::applyGrayscale(const QImage &image)
{
    GrayscaleFilter filter;
    return filter.apply(image);
}
