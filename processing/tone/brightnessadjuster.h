#ifndef BRIGHTNESSADJUSTER_H
#define BRIGHTNESSADJUSTER_H

#include <QImage>

// Adds one value to every colour channel.
class BrightnessAdjuster
{
public:
    BrightnessAdjuster() {}

    QImage apply(const QImage &image, int delta);
};

#endif // BRIGHTNESSADJUSTER_H
