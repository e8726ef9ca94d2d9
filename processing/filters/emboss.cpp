#include "filters/emboss.h"

#include "core/filterrows.h"

#include <algorithm>

// The plane's frame is 128, the gray a neighbour outside the image counts as.
QImage applyEmboss(const QImage &image)
{
    return filterrows::mapGrayNeighbourhoods(image, 128, [](const filterrows::GrayPlane &gray, int x, int y) {
        const quint8 *above = gray.row(y - 1);
        const quint8 *row = gray.row(y);
        const quint8 *below = gray.row(y + 1);
        const int sum = -2 * above[x - 1] - above[x] - row[x - 1] + row[x] + row[x + 1] + below[x]
            + 2 * below[x + 1];
        return std::clamp(sum + 128, 0, 255);
    });
}
