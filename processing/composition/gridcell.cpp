#include "pipeline/imageprocessor.h"
#include "core/regioncopy.h"

// Divides the image into rows x cols equal cells of (width / cols) x
// (height / rows) pixels and returns a copy of the middle one: row rows / 2,
// column cols / 2, so an even count takes the cell just below and right of
// the centre lines. Pixels right of or below the last whole cell belong to
// no cell. The result keeps the source's format. Rows or cols of 0 or less
// return the source unchanged; a cell without area (more cells than pixels)
// and a null source give a null image.
QImage ImageProcessor::splitGrid(const QImage &image, int rows, int cols)
{
    if (rows <= 0 || cols <= 0)
        return image;
    const int cellWidth = image.width() / cols;
    const int cellHeight = image.height() / rows;
    return copyRegion(image, QRect(cols / 2 * cellWidth, rows / 2 * cellHeight, cellWidth, cellHeight));
}
