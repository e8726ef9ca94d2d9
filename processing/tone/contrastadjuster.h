#ifndef CONTRASTADJUSTER_H
#define CONTRASTADJUSTER_H

#include <QImage>

// Stretches or squeezes every colour channel about the mid value 128.
class ContrastAdjuster
{
public:
    ContrastAdjuster() {}

    QImage apply(const QImage &image, int amount);
};

#endif // CONTRASTADJUSTER_H
