#ifndef EMBOSSFILTER_H
#define EMBOSSFILTER_H

#include "core/filterrows.h"

#include <QImage>

#include <algorithm>

// Emboss relief on the gray values of an image.
class EmbossFilter
{
public:
    EmbossFilter() {}

    QImage apply(const QImage &image);

    // The relief at (x, y): 128 plus the sum of gray value x weight over the
    // 3 x 3 neighbourhood with the weights
    //   -2 -1  0
    //   -1  1  1
    //    0  1  2
    // clamped to 0..255. The plane's frame is 128, the gray a neighbour
    // outside the image counts as.
    int relief(const filterrows::GrayPlane &gray, int x, int y) const
    {
        const quint8 *above = gray.row(y - 1);
        const quint8 *row = gray.row(y);
        const quint8 *below = gray.row(y + 1);
        const int sum = -2 * above[x - 1] - above[x] - row[x - 1] + row[x] + row[x + 1] + below[x]
            + 2 * below[x + 1];
        return std::clamp(sum + 128, 0, 255);
    }
};

#endif // EMBOSSFILTER_H
