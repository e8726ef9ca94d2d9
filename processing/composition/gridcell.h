#ifndef GRIDCELL_H
#define GRIDCELL_H

#include "job/step.h"

#include <QImage>

// Divides the image into rows x cols equal cells of (width / cols) x
// (height / rows) pixels and returns a copy of the middle one: row rows / 2,
// column cols / 2, so an even count takes the cell just below and right of
// the centre lines. Pixels right of or below the last whole cell belong to
// no cell. The result keeps the source's format. Rows or cols of 0 or less
// return the source unchanged; a cell without area (more cells than pixels)
// and a null source give a null image.
QImage splitGrid(const QImage &image, int rows, int cols);

namespace option {
extern const Option<bool> gridSplit;
extern const Option<int> gridRows;
extern const Option<int> gridCols;
} // namespace option

namespace steps {
extern const ChainStep gridCell;
} // namespace steps

#endif // GRIDCELL_H
