#ifndef WATERMARK_H
#define WATERMARK_H

#include "job/step.h"

#include <QColor>
#include <QImage>
#include <QString>

// Draws text on one line in the application's default font family, bold, at
// fontSize points of the image's resolution, in color with alpha opacity,
// antialiased and blended over the pixels. The text is measured and kept
// 20 pixels inside the edges its position names (see baselineStart); what
// is wider than the image is cut off. Empty text and an opacity of 0 or
// less return the source unchanged; an opacity above 255 is opaque. Format
// is kept (palette and monochrome images come back as RGB32 or ARGB32). A
// null image gives a null image.
QImage addWatermark(const QImage &image, const QString &text, const QColor &color, int opacity,
                    int fontSize, int position);

namespace option {
extern const Option<bool> watermark;
extern const Option<QString> watermarkText;
extern const Option<QColor> watermarkColor;
extern const Option<int> watermarkOpacity;
extern const Option<int> watermarkFontSize;
extern const Option<int> watermarkPositionIndex;
} // namespace option

namespace steps {
extern const ChainStep watermark;
} // namespace steps

#endif // WATERMARK_H
