#include "pipeline/imageprocessor.h"

#include "job/presets.h"

#include <iterator>

namespace {

// The kernel of each filter entry, given the intensity.
struct FilterKernel
{
    const PresetEntry &entry;
    QImage (*apply)(ImageProcessor &processor, const QImage &image, int intensity);
};

const FilterKernel filterKernels[] = {
    {presets::blur, [](ImageProcessor &p, const QImage &image, int intensity) {
         return p.applyBlur(image, intensity <= 0 ? 5 : intensity);
     }},
    {presets::grayscale, [](ImageProcessor &p, const QImage &image, int) { return p.applyGrayscale(image); }},
    {presets::vintage, [](ImageProcessor &p, const QImage &image, int) { return p.applyVintage(image); }},
    {presets::edgeDetection,
     [](ImageProcessor &p, const QImage &image, int) { return p.applyEdgeDetection(image); }},
    {presets::emboss, [](ImageProcessor &p, const QImage &image, int) { return p.applyEmboss(image); }},
    {presets::oilPainting, [](ImageProcessor &p, const QImage &image, int intensity) {
         return p.applyOilPainting(image, intensity <= 0 ? 3 : intensity);
     }},
};

} // namespace

// Applies the filter whose key is filterName, matched exactly and
// case-sensitively: "blur", "grayscale", "vintage", "edge-detection",
// "emboss", "oil-painting". intensity is the radius of the blur (5 when 0 or
// less) and of the oil painting (3 when 0 or less) and is ignored by the
// others. Any other name, "none" included, returns the image unchanged (a
// shared copy).
QImage ImageProcessor::applyFilter(const QImage &image, const QString &filterName, int intensity)
{
    for (const FilterKernel &kernel : filterKernels) {
        if (kernel.entry.is(filterName))
            return kernel.apply(*this, image, intensity);
    }
    return image;
}
