#ifndef FLIP_H
#define FLIP_H

#include <QImage>

// Mirrors an image: horizontal exchanges left and right, vertical top and
// bottom; both give a half turn. Neither returns the source unchanged. A
// null image gives a null image.
QImage flipImage(const QImage &image, bool horizontal, bool vertical);

#endif // FLIP_H
