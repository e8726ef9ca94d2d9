#ifndef HSVARITHMETIC_H
#define HSVARITHMETIC_H

#include <QRgb>
#include <QtGlobal>

namespace hsvarithmetic {

// For each of count colours given as 16-bit red, green and blue (what
// QImage::pixelColor holds for a pixel), writes to out the opaque 8-bit rgb
// that QColor::getHsv, then QColor::setHsv with the saturation multiplied
// by factor (truncated, clamped to 0..255) and alpha 255, then
// QImage::setPixelColor on a 32-bit format would store. QColor's
// single-precision arithmetic is repeated operation for operation.
void saturateColours(const quint16 *red, const quint16 *green, const quint16 *blue, int count,
                     float factor, QRgb *out);

} // namespace hsvarithmetic

#endif // HSVARITHMETIC_H
