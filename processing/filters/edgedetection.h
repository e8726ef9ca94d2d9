#ifndef EDGEDETECTFILTER_H
#define EDGEDETECTFILTER_H

#include "core/filterrows.h"

#include <QImage>

#include <algorithm>

// Sobel edge detection on the gray values of an image.
class EdgeDetectFilter
{
public:
    using Kernel = int[3][3];

    EdgeDetectFilter() {}

    QImage apply(const QImage &image);

    // The response of kernel at (x, y): the sum of gray value x weight over
    // the 3 x 3 neighbourhood, clamped to 0..255. The plane's frame is 0, so
    // neighbours outside the image contribute nothing.
    int response(const filterrows::GrayPlane &gray, int x, int y, const Kernel &kernel) const
    {
        int sum = 0;
        for (int dy = -1; dy <= 1; ++dy) {
            const quint8 *row = gray.row(y + dy);
            for (int dx = -1; dx <= 1; ++dx)
                sum += row[x + dx] * kernel[dy + 1][dx + 1];
        }
        return std::clamp(sum, 0, 255);
    }
};

#endif // EDGEDETECTFILTER_H
