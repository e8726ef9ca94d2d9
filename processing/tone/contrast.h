#ifndef CONTRASTADJUSTER_H
#define CONTRASTADJUSTER_H

#include "core/tonemapping.h"

#include <QImage>

// Stretches or squeezes every colour channel about the mid value 128.
class ContrastAdjuster
{
public:
    ContrastAdjuster() {}

    // What apply does to each 8-bit channel value.
    static tonemapping::ChannelTable table(int amount);

    QImage apply(const QImage &image, int amount);
};

#endif // CONTRASTADJUSTER_H
