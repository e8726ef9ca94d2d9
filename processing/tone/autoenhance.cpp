#include "tone/brightness.h"
#include "tone/contrast.h"
#include "pipeline/imageprocessor.h"
#include "tone/tonetables.h"

tonemapping::ChannelTable tonetables::autoEnhance()
{
    return tonemapping::composed(brightness(10), contrast(15));
}

// Brightness +10, then contrast 15 on that result: each 8-bit channel v
// becomes the contrast-15 value of min(v + 10, 255), and the pixel is written
// opaque. The intermediate image is stored in the source's format, so formats
// that cannot hold 8-bit rgb exactly (RGB16, the grayscales) are rounded
// between the two steps; the others take one pass. A null image gives a
// null image.
QImage ImageProcessor::autoEnhance(const QImage &image)
{
    if (tonemapping::tablesCompose(image))
        return tonemapping::applyChannelTable(image, tonetables::autoEnhance());
    BrightnessAdjuster brightness;
    ContrastAdjuster contrast;
    return contrast.apply(brightness.apply(image, 10), 15);
}
