#include "tone/autoenhance.h"

#include "tone/brightness.h"
#include "tone/contrast.h"

tonemapping::ChannelTable autoEnhanceTable()
{
    return tonemapping::composed(brightnessTable(10), contrastTable(15));
}

QImage autoEnhance(const QImage &image)
{
    if (tonemapping::tablesCompose(image))
        return tonemapping::applyChannelTable(image, autoEnhanceTable());
    return adjustContrast(adjustBrightness(image, 10), 15);
}

namespace option {
constexpr Option<bool> autoEnhanceEnabled = declare::flag("autoEnhanceEnabled")
        .setsFlag("auto-enhance", "Raise brightness by 10, then contrast by 15, and make the picture opaque.")
        .widget("autoEnhanceCheckBox");
} // namespace option

namespace {
constexpr const OptionDeclaration *autoEnhanceOptions[] = {&option::autoEnhanceEnabled};
} // namespace

namespace steps {
constexpr ChainStep autoEnhance{
    "auto enhance", autoEnhanceOptions,
    [](const JobSettings &s) { return s.value(option::autoEnhanceEnabled); },
    [](const QImage &image, const JobSettings &) { return ::autoEnhance(image); },
    nullptr,
    [](const JobSettings &) { return autoEnhanceTable(); }};
} // namespace steps
