#include "filters/edgedetection.h"

#include "pipeline/imageprocessor.h"

#include <cmath>

namespace {

constexpr EdgeDetectFilter::Kernel sobelHorizontal = {{-1, 0, 1}, {-2, 0, 2}, {-1, 0, 1}};
constexpr EdgeDetectFilter::Kernel sobelVertical = {{-1, -2, -1}, {0, 0, 0}, {1, 2, 1}};

} // namespace

// Every pixel becomes the gray v = min(255, ⌊√(gx² + gy²)⌋) with alpha 255,
// gx and gy being the horizontal and vertical Sobel responses of the gray
// values (qGray) around it. Each response is clamped to 0..255 before the
// magnitude is formed, so only brightness rising to the right or downward
// shows. Neighbours outside the image count as 0, which outlines the left
// and top borders of a bright image. Size and format are kept (palette and
// monochrome images come back as RGB32 or ARGB32); a null image gives a
// null image.
QImage EdgeDetectFilter::apply(const QImage &image)
{
    return filterrows::mapGrayNeighbourhoods(image, 0, [this](const filterrows::GrayPlane &gray, int x, int y) {
        const int gx = response(gray, x, y, sobelHorizontal);
        const int gy = response(gray, x, y, sobelVertical);
        return std::min(255, int(std::sqrt(double(gx * gx + gy * gy))));
    });
}

QImage ImageProcessor::applyEdgeDetection(const QImage &image)
{
    EdgeDetectFilter filter;
    return filter.apply(image);
}
