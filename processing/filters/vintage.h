#ifndef VINTAGE_H
#define VINTAGE_H

#include <QImage>

// Every pixel becomes the sepia colour of its gray value g (qGray of its
// 8-bit rgb) with alpha 255: red from 0.393, 0.769, 0.189; green from 0.349,
// 0.686, 0.168; blue from 0.272, 0.534, 0.131. The pixel's colour beyond g
// does not matter. Size and format are kept (palette and monochrome images
// come back as RGB32 or ARGB32); a null image gives a null image.
QImage applyVintage(const QImage &image);

#endif // VINTAGE_H
