#include "geometry/aspectratio.h"

#include "core/regioncopy.h"
#include "job/presets.h"

#include <algorithm>
#include <iterator>

namespace {

// Width : height as the float nearest to each ratio; the cut sizes depend on
// single-precision arithmetic (16:9 of 1366 x 768 keeps 1365 columns).
struct AspectRatio
{
    const PresetEntry &entry;
    float ratio;
};

const AspectRatio aspectRatios[] = {
    {presets::ratio4x3, 4.0f / 3.0f}, {presets::ratio16x9, 16.0f / 9.0f}, {presets::ratio3x2, 1.5f}};

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

// The region of the ratio whose key is ratioName in a picture of size; the
// whole picture for any other name.
QRect ratioRegionOf(QSize size, const QString &ratioName)
{
    if (presets::square.is(ratioName))
        return squareRegion(size.width(), size.height());
    const auto match = std::find_if(std::begin(aspectRatios), std::end(aspectRatios),
                                    [&](const AspectRatio &cut) { return cut.entry.is(ratioName); });
    if (match == std::end(aspectRatios))
        return QRect(QPoint(0, 0), size);
    return ratioRegion(size.width(), size.height(), match->ratio);
}

} // namespace

QImage applyAspectRatio(const QImage &image, const QString &ratioName)
{
    const QRect region = ratioRegionOf(image.size(), ratioName);
    return region == image.rect() ? image : copyRegion(image, region);
}

namespace option {
constexpr Option<QString> aspectRatio = declare::preset("aspectRatio", presets::aspectRatios)
        .valueWord("aspect-ratio", "Crop to an aspect ratio", "R").widget("aspectRatioComboBox")
        .resetByLanguageSwitch();
} // namespace option

namespace {

// The same region as the crop's, asked before it is cut.
QString aspectRatioEmptyReason(const QImage &image, const JobSettings &s)
{
    const QString ratio = s.value(option::aspectRatio);
    return ratioRegionOf(image.size(), ratio).isEmpty()
            ? QStringLiteral("the picture is too small for %1").arg(ratio)
            : QString();
}

constexpr const OptionDeclaration *aspectRatioOptions[] = {&option::aspectRatio};

} // namespace

namespace steps {
constexpr ChainStep aspectRatio{
    "aspect ratio", aspectRatioOptions,
    [](const JobSettings &s) { return !presets::originalRatio.is(s.value(option::aspectRatio)); },
    [](const QImage &image, const JobSettings &s) {
        return applyAspectRatio(image, s.value(option::aspectRatio));
    },
    aspectRatioEmptyReason};
} // namespace steps
