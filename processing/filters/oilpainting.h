#ifndef OILPAINTING_H
#define OILPAINTING_H

#include <QImage>

// Oil-painting effect: every pixel takes the mean colour of the most frequent
// brightness level of its (2 radius + 1)² window. Each window pixel inside
// the image has the level (11 R + 16 G + 5 B) / 1024 (0..7) and adds R / 32,
// G / 32 and B / 32 to that level's sums; pixels outside the image are left
// out. The level with the greatest count wins (a tie goes to the lowest),
// and each channel becomes (sum x 256) / (count x 8) of that level, that is
// 32 times its mean channel level, truncated. The result is opaque. A radius
// of 0 or less returns the image unchanged; otherwise the result has the
// image's size and format (palette and monochrome images come back as RGB32
// or ARGB32). A null image gives a null image.
QImage applyOilPainting(const QImage &image, int radius);

#endif // OILPAINTING_H
