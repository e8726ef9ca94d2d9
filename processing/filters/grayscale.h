#ifndef GRAYSCALEFILTER_H
#define GRAYSCALEFILTER_H

#include <QImage>

// Replaces every pixel by its gray value.
class GrayscaleFilter
{
public:
    GrayscaleFilter() {}

    QImage apply(const QImage &image);
};

#endif // GRAYSCALEFILTER_H
