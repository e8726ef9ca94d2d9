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
