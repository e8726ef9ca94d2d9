#ifndef GRAYSCALE_H
#define GRAYSCALE_H

#include <QImage>

// Every pixel becomes (g, g, g) with alpha 255, g = qGray of its 8-bit red,
// green and blue: (11 R + 16 G + 5 B) / 32, truncated. Size and format are
// kept (palette and monochrome images come back as RGB32 or ARGB32); a null
// image gives a null image.
QImage applyGrayscale(const QImage &image);

#endif // GRAYSCALE_H
