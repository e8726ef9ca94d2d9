#include "composition/gridcell.h"

#include "core/regioncopy.h"

QImage splitGrid(const QImage &image, int rows, int cols)
{
    if (rows <= 0 || cols <= 0)
        return image;
    const int cellWidth = image.width() / cols;
    const int cellHeight = image.height() / rows;
    return copyRegion(image, QRect(cols / 2 * cellWidth, rows / 2 * cellHeight, cellWidth, cellHeight));
}
