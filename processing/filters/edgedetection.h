#ifndef EDGEDETECTION_H
#define EDGEDETECTION_H

#include <QImage>

// Sobel edge detection on the gray values of an image: every pixel becomes
// the gray v = min(255, ⌊√(gx² + gy²)⌋) with alpha 255, gx and gy being the
// horizontal and vertical Sobel responses of the gray values (qGray) around
// it. Each response is clamped to 0..255 before the magnitude is formed, so
// only brightness rising to the right or downward shows. Neighbours outside
// the image count as 0, which outlines the left and top borders of a bright
// image. Size and format are kept (palette and monochrome images come back
// as RGB32 or ARGB32); a null image gives a null image.
QImage applyEdgeDetection(const QImage &image);

#endif // EDGEDETECTION_H
