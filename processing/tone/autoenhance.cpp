#include "tone/brightnessadjuster.h"
#include "tone/contrastadjuster.h"
#include "pipeline/imageprocessor.h"
#include "core/tonemapping.h"

// Brightness +10, then contrast 15 on that result: each 8-bit channel v
// becomes the contrast-15 value of min(v + 10, 255), and the pixel is written
// opaque. The intermediate image is stored in the source's format, so formats
// that cannot hold 8-bit rgb exactly (RGB16, the grayscales) are rounded
// between the two steps. A null image gives a null image.
//
// Where the intermediate would hold the values exactly (the 32-bit working
// formats), the two tables are applied as one, so that no third picture of
// the full size is ever allocated.
QImage ImageProcessor::autoEnhance(const QImage &image)
{
    const QImage source = pixelaccess::workingImage(image);
    const tonemapping::ChannelTable brightness = BrightnessAdjuster::table(10);
    const tonemapping::ChannelTable contrast = ContrastAdjuster::table(15);
    if (!pixelaccess::hasScanLinePath(source.format()))
        return tonemapping::applyChannelTable(tonemapping::applyChannelTable(source, brightness),
                                              contrast);
    tonemapping::ChannelTable both;
    for (int value = 0; value < 256; ++value)
        both[value] = contrast[brightness[value]];
    return tonemapping::applyChannelTable(source, both);
}
