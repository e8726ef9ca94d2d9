#ifndef BORDER_H
#define BORDER_H

#include "job/step.h"

#include <QColor>
#include <QImage>

// Surrounds the image with a frame of colour, thickness pixels wide on every
// side: the result is (W + 2 thickness) x (H + 2 thickness), filled with the
// colour, with the source drawn over it at (thickness, thickness) by
// source-over, so translucent source pixels show the frame colour through
// them. Format and metadata are kept (palette and monochrome images come
// back as RGB32 or ARGB32). A thickness below 1 returns the source
// unchanged; a null source gives a 2 thickness square of the colour (ARGB32);
// a canvas too large to allocate gives a null image.
QImage addBorder(const QImage &image, int thickness, const QColor &color);

namespace option {
extern const Option<bool> border;
extern const Option<int> borderThickness;
extern const Option<QColor> borderColor;
} // namespace option

namespace steps {
extern const ChainStep border;
} // namespace steps

#endif // BORDER_H
