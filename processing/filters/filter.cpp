#include "pipeline/imageprocessor.h"

// Applies the filter named by its key: "模糊" blur, "灰度" grayscale, "复古"
// vintage, "边缘检测" edge detection, "浮雕" emboss, "油画" oil painting,
// compared in that order for exact, case-sensitive equality. intensity is the
// radius of the blur (5 when 0 or less) and of the oil painting (3 when 0
// or less) and is ignored by the others. Any other name, "无" included,
// returns the image unchanged (a shared copy).
QImage ImageProcessor::applyFilter(const QImage &image, const QString &filterName, int intensity)
{
    if (filterName == QStringLiteral("模糊"))
        return applyBlur(image, intensity <= 0 ? 5 : intensity);
    if (filterName == QStringLiteral("灰度"))
        return applyGrayscale(image);
    if (filterName == QStringLiteral("复古"))
        return applyVintage(image);
    if (filterName == QStringLiteral("边缘检测"))
        return applyEdgeDetection(image);
    if (filterName == QStringLiteral("浮雕"))
        return applyEmboss(image);
    if (filterName == QStringLiteral("油画"))
        return applyOilPainting(image, intensity <= 0 ? 3 : intensity);
    return image;
}
