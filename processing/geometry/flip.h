#ifndef FLIP_H
#define FLIP_H

#include "job/step.h"

#include <QImage>

// Mirrors an image: horizontal exchanges left and right, vertical top and
// bottom; both give a half turn. Neither returns the source unchanged. A
// null image gives a null image.
QImage flipImage(const QImage &image, bool horizontal, bool vertical);

namespace option {
extern const Option<bool> flipHorizontal;
extern const Option<bool> flipVertical;
} // namespace option

namespace steps {
extern const ChainStep flip;
} // namespace steps

#endif // FLIP_H
