#include "filters/edgedetection.h"

#include "core/filterrows.h"

#include <algorithm>
#include <cmath>

namespace {

using Kernel = int[3][3];

constexpr Kernel sobelHorizontal = {{-1, 0, 1}, {-2, 0, 2}, {-1, 0, 1}};
constexpr Kernel sobelVertical = {{-1, -2, -1}, {0, 0, 0}, {1, 2, 1}};

// The response of kernel at (x, y): the sum of gray value x weight over the
// 3 x 3 neighbourhood, clamped to 0..255. The plane's frame is 0, so
// neighbours outside the image contribute nothing.
int response(const filterrows::GrayPlane &gray, int x, int y, const Kernel &kernel)
{
    int sum = 0;
    for (int dy = -1; dy <= 1; ++dy) {
        const quint8 *row = gray.row(y + dy);
        for (int dx = -1; dx <= 1; ++dx)
            sum += row[x + dx] * kernel[dy + 1][dx + 1];
    }
    return std::clamp(sum, 0, 255);
}

} // namespace

QImage applyEdgeDetection(const QImage &image)
{
    return filterrows::mapGrayNeighbourhoods(image, 0, [](const filterrows::GrayPlane &gray, int x, int y) {
        const int gx = response(gray, x, y, sobelHorizontal);
        const int gy = response(gray, x, y, sobelVertical);
        return std::min(255, int(std::sqrt(double(gx * gx + gy * gy))));
    });
}
