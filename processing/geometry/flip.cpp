#include "geometry/flip.h"

QImage flipImage(const QImage &image, bool horizontal, bool vertical)
{
    if (!horizontal && !vertical)
        return image;
    return image.mirrored(horizontal, vertical);
}

namespace option {
constexpr Option<bool> flipHorizontal = declare::flag("flipHorizontal")
        .setsFlag("flip-horizontal", "Mirror left and right.").widget("flipHorizontalCheckBox");
constexpr Option<bool> flipVertical = declare::flag("flipVertical")
        .setsFlag("flip-vertical", "Mirror top and bottom.").widget("flipVerticalCheckBox");
} // namespace option

namespace {
constexpr const OptionDeclaration *flipOptions[] = {&option::flipHorizontal, &option::flipVertical};
} // namespace

namespace steps {
constexpr ChainStep flip{
    "flip", flipOptions,
    [](const JobSettings &s) { return s.value(option::flipHorizontal) || s.value(option::flipVertical); },
    [](const QImage &image, const JobSettings &s) {
        return flipImage(image, s.value(option::flipHorizontal), s.value(option::flipVertical));
    }};
} // namespace steps
