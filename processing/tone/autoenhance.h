#ifndef AUTOENHANCE_H
#define AUTOENHANCE_H

#include "core/tonemapping.h"
#include "job/step.h"

#include <QImage>

// Brightness +10, then contrast 15 on that result: each 8-bit channel v
// becomes the contrast-15 value of min(v + 10, 255), and the pixel is written
// opaque. The intermediate image is stored in the source's format, so formats
// that cannot hold 8-bit rgb exactly (RGB16, the grayscales) are rounded
// between the two steps; the others take one pass. A null image gives a
// null image.
QImage autoEnhance(const QImage &image);

// Brightness +10, then contrast 15, as one table.
tonemapping::ChannelTable autoEnhanceTable();

namespace option {
extern const Option<bool> autoEnhanceEnabled;
} // namespace option

namespace steps {
extern const ChainStep autoEnhance;
} // namespace steps

#endif // AUTOENHANCE_H
