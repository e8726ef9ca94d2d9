#include "filters/filter.h"

#include "filters/blur.h"
#include "filters/edgedetection.h"
#include "filters/emboss.h"
#include "filters/grayscale.h"
#include "filters/oilpainting.h"
#include "filters/vintage.h"
#include "job/presets.h"

namespace {

// The kernel of each filter entry, given the intensity.
struct FilterKernel
{
    const PresetEntry &entry;
    QImage (*apply)(const QImage &image, int intensity);
};

const FilterKernel filterKernels[] = {
    {presets::blur, [](const QImage &image, int intensity) { return applyBlur(image, intensity <= 0 ? 5 : intensity); }},
    {presets::grayscale, [](const QImage &image, int) { return applyGrayscale(image); }},
    {presets::vintage, [](const QImage &image, int) { return applyVintage(image); }},
    {presets::edgeDetection, [](const QImage &image, int) { return applyEdgeDetection(image); }},
    {presets::emboss, [](const QImage &image, int) { return applyEmboss(image); }},
    {presets::oilPainting,
     [](const QImage &image, int intensity) { return applyOilPainting(image, intensity <= 0 ? 3 : intensity); }},
};

} // namespace

QImage applyFilter(const QImage &image, const QString &filterName, int intensity)
{
    for (const FilterKernel &kernel : filterKernels) {
        if (kernel.entry.is(filterName))
            return kernel.apply(image, intensity);
    }
    return image;
}

namespace option {
constexpr Option<QString> filter = declare::preset("filter", presets::filters)
        .valueWord("filter", "Filter", "NAME").widget("filterComboBox");
constexpr Option<int> filterIntensity = declare::integer("filterIntensity", 5, 1, 10)
        .valueWord("filter-intensity", "Filter intensity", "N").widget("filterIntensitySpinBox");
} // namespace option

namespace {
constexpr const OptionDeclaration *filterOptions[] = {&option::filter, &option::filterIntensity};
} // namespace

namespace steps {
constexpr ChainStep filter{
    "filter", filterOptions,
    [](const JobSettings &s) { return !presets::noFilter.is(s.value(option::filter)); },
    [](const QImage &image, const JobSettings &s) {
        return applyFilter(image, s.value(option::filter), s.value(option::filterIntensity));
    }};
} // namespace steps
