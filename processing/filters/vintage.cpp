#include "filters/vintage.h"

#include "core/graymapping.h"

#include <algorithm>

// The sepia tone of gray value g: each channel is the sum of the three
// products of its row of coefficients with g, in double precision and in
// this order, truncated toward zero and capped at 255.
static int sepiaChannel(double g, double first, double second, double third)
{
    return std::min(255, int(first * g + second * g + third * g));
}

QImage applyVintage(const QImage &image)
{
    graymapping::GrayTable table;
    for (int gray = 0; gray < 256; ++gray)
        table[size_t(gray)] = qRgb(sepiaChannel(gray, 0.393, 0.769, 0.189),
                                   sepiaChannel(gray, 0.349, 0.686, 0.168),
                                   sepiaChannel(gray, 0.272, 0.534, 0.131));
    return graymapping::mapGray(image, table);
}
