#include "pipeline/imageprocessor.h"
#include "core/regioncopy.h"

#include <algorithm>
#include <iterator>

namespace {

// Width : height as the float nearest to each ratio; the cut sizes depend on
// single-precision arithmetic (16:9 of 1366 x 768 keeps 1365 columns).
struct AspectRatio
{
    const char *key;
    float ratio;
};

const AspectRatio aspectRatios[] = {{"4:3", 4.0f / 3.0f}, {"16:9", 16.0f / 9.0f}, {"3:2", 1.5f}};

QRect squareRegion(int width, int height)
{
    const int side = std::min(width, height);
    return QRect((width - side) / 2, (height - side) / 2, side, side);
}

// Wider than the ratio: keep every row and cut columns; otherwise (also when
// exactly equal) keep every column and cut rows. Sizes truncate toward zero.
QRect ratioRegion(int width, int height, float ratio)
{
    const float imageRatio = float(width) / float(height);
    if (imageRatio > ratio) {
        const int newWidth = int(float(height) * ratio);
        return QRect((width - newWidth) / 2, 0, newWidth, height);
    }
    const int newHeight = int(float(width) / ratio);
    return QRect(0, (height - newHeight) / 2, width, newHeight);
}

// The region of the ratio named by ratioName ("1:1", "4:3", "16:9", "3:2",
// matched exactly and case-sensitively) in a picture of size; the whole
// picture for any other name.
QRect ratioRegionOf(QSize size, const QString &ratioName)
{
    if (ratioName == QLatin1String("1:1"))
        return squareRegion(size.width(), size.height());
    const auto match = std::find_if(std::begin(aspectRatios), std::end(aspectRatios),
                                    [&](const AspectRatio &entry) { return ratioName == QLatin1String(entry.key); });
    if (match == std::end(aspectRatios))
        return QRect(QPoint(0, 0), size);
    return ratioRegion(size.width(), size.height(), match->ratio);
}

} // namespace

// Cuts the largest centred region of the ratio named by ratioName. Any other
// name returns the source unchanged. A region that rounds to no rows or
// columns (16:9 of a 1 x 100 image) gives a null image, as does a null source.
QImage ImageProcessor::applyAspectRatio(const QImage &image, const QString &ratioName)
{
    const QRect region = ratioRegionOf(image.size(), ratioName);
    return region == image.rect() ? image : copyRegion(image, region);
}

bool ImageProcessor::aspectRatioFits(QSize size, const QString &ratioName)
{
    return !ratioRegionOf(size, ratioName).isEmpty();
}
