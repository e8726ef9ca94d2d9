#ifndef BLURFILTER_H
#define BLURFILTER_H

#include <QImage>

// Box blur: every pixel becomes the mean colour of the square around it.
class BlurFilter
{
public:
    BlurFilter() {}

    QImage apply(const QImage &image, int radius);
};

#endif // BLURFILTER_H
