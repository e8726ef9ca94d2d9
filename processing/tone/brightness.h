#ifndef BRIGHTNESSADJUSTER_H
#define BRIGHTNESSADJUSTER_H

#include "core/tonemapping.h"

#include <QImage>

// Adds one value to every colour channel.
class BrightnessAdjuster
{
public:
    BrightnessAdjuster() {}

    // What apply does to each 8-bit channel value.
    static tonemapping::ChannelTable table(int delta);

    QImage apply(const QImage &image, int delta);
};

#endif // BRIGHTNESSADJUSTER_H
