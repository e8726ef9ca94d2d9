#ifndef BLUR_H
#define BLUR_H

#include <QImage>

// Box blur: each of red, green and blue becomes the sum of that channel over
// the (2 radius + 1)² window centred on the pixel, divided (truncating) by
// the number n of window pixels inside the image, and the pixel is written
// with alpha 255. The window shrinks at the borders: nothing outside is
// repeated or counted. A radius of 0 or less returns the image unchanged;
// otherwise the result has the image's size and format (palette and
// monochrome images come back as RGB32 or ARGB32). A null image gives a
// null image.
QImage applyBlur(const QImage &image, int radius);

#endif // BLUR_H
