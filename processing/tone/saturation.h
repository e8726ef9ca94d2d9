#ifndef SATURATION_H
#define SATURATION_H

#include "job/step.h"

#include <QImage>

// Each pixel's HSV saturation (as QColor::getHsv reports it) is multiplied by
// percent / 100 in single precision, truncated toward zero and clamped to
// 0..255; hue and value are kept, the colour goes back to rgb through
// QColor::setHsv and is written opaque. Achromatic pixels stay gray. Size and
// format are kept (palette and monochrome images come back as RGB32 or
// ARGB32). A null image gives a null image.
QImage adjustSaturation(const QImage &image, int percent);

namespace option {
extern const Option<int> saturation;
} // namespace option

namespace steps {
extern const ChainStep saturation;
} // namespace steps

#endif // SATURATION_H
