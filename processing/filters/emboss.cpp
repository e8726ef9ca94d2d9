#include "filters/emboss.h"

#include "pipeline/imageprocessor.h"

// Every pixel becomes the gray relief(x, y) with alpha 255. The weights add
// up to 1, so a flat area of gray g comes out as min(255, g + 128); the
// border sees gray 128 beyond the image. Size and format are kept (palette
// and monochrome images come back as RGB32 or ARGB32); a null image gives a
// null image.
QImage EmbossFilter::apply(const QImage &image)
{
    return filterrows::mapGrayNeighbourhoods(
        image, 128, [this](const filterrows::GrayPlane &gray, int x, int y) { return relief(gray, x, y); });
}

QImage ImageProcessor::applyEmboss(const QImage &image)
{
    EmbossFilter filter;
    return filter.apply(image);
}
