#include "geometry/standardsize.h"

#include "geometry/resample.h"
#include "geometry/size.h"
#include "job/presets.h"

#include <QSize>

#include <algorithm>
#include <iterator>

namespace {

struct StandardSize
{
    const PresetEntry &entry;
    QSize size;
};

const StandardSize standardSizes[] = {
    {presets::size640x480, QSize(640, 480)},     {presets::size800x600, QSize(800, 600)},
    {presets::size1024x768, QSize(1024, 768)},   {presets::size1280x720, QSize(1280, 720)},
    {presets::size1920x1080, QSize(1920, 1080)}, {presets::size1080x1080, QSize(1080, 1080)},
    {presets::size1200x1200, QSize(1200, 1200)},
};

} // namespace

// The size sizeName stretches a picture of source to: source itself for an
// unknown name, or with shrinkOnly for a picture already inside that size.
static QSize standardSizeOf(QSize source, const QString &sizeName, bool shrinkOnly)
{
    const auto match = std::find_if(std::begin(standardSizes), std::end(standardSizes),
                                    [&](const StandardSize &standard) { return standard.entry.is(sizeName); });
    if (match == std::end(standardSizes))
        return source;
    if (shrinkOnly && source.width() <= match->size.width() && source.height() <= match->size.height())
        return source;
    return match->size;
}

QImage applyStandardSize(const QImage &image, const QString &sizeName, bool shrinkOnly, const QString &filter)
{
    if (image.isNull())
        return QImage();
    return resampleImage(image, standardSizeOf(image.size(), sizeName, shrinkOnly), filter);
}

namespace option {
constexpr Option<QString> standardSize = declare::preset("standardSize", presets::standardSizes)
        .valueWord("standard-size", "Standard size", "WxH").widget("standardSizeComboBox")
        .resetByLanguageSwitch();
} // namespace option

namespace {
constexpr const OptionDeclaration *standardSizeOptions[] = {&option::standardSize};
} // namespace

namespace steps {
constexpr ChainStep standardSize{
    "standard size", standardSizeOptions,
    [](const JobSettings &s) { return !presets::customSize.is(s.value(option::standardSize)); },
    [](const QImage &image, const JobSettings &s) {
        return applyStandardSize(image, s.value(option::standardSize), s.value(option::shrinkOnly),
                                 s.value(option::resampleFilter));
    },
    nullptr, nullptr,
    [](QSize source, const JobSettings &s) {
        return standardSizeOf(source, s.value(option::standardSize), s.value(option::shrinkOnly));
    }};
} // namespace steps
