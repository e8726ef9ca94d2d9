#ifndef EMBOSS_H
#define EMBOSS_H

#include <QImage>

// Emboss relief on the gray values of an image: every pixel becomes the gray
// 128 plus the sum of gray value x weight over its 3 x 3 neighbourhood with
// the weights
//   -2 -1  0
//   -1  1  1
//    0  1  2
// clamped to 0..255, with alpha 255. The weights add up to 1, so a flat area
// of gray g comes out as min(255, g + 128); the border sees gray 128 beyond
// the image. Size and format are kept (palette and monochrome images come
// back as RGB32 or ARGB32); a null image gives a null image.
QImage applyEmboss(const QImage &image);

#endif // EMBOSS_H
