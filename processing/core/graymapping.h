#ifndef GRAYMAPPING_H
#define GRAYMAPPING_H

#include "core/pixelaccess.h"
#include "core/tonemapping.h"

#include <QColor>
#include <QImage>

#include <array>

// The walk shared by the grayscale and vintage filters: the colour of every
// pixel is a function of its gray value alone.
namespace graymapping {

// The opaque colour written for each gray value 0..255.
using GrayTable = std::array<QRgb, 256>;

// Every pixel becomes table[qGray(r, g, b)], r, g, b being the 8-bit
// channels pixelColor reports for it. Size and format are kept (palette and
// monochrome images come back as RGB32 or ARGB32); a null image gives a
// null image.
inline QImage mapGray(const QImage &image, const GrayTable &table)
{
    const QImage source = pixelaccess::workingImage(image);
    const pixelaccess::PixelReader reader(source.format());
    return tonemapping::mapPixels(
        source, [&](QRgb stored) { return table[size_t(qGray(reader.opaqueRgb(stored)))]; },
        [&](const QColor &colour) { return QColor::fromRgb(table[size_t(qGray(colour.rgb()))]); });
}

} // namespace graymapping

#endif // GRAYMAPPING_H
