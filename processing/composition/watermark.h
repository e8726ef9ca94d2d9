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

// The text's size in pixels when it is percent of the shorter side of a
// picture of size picture: rounded, at least 1.
int watermarkPixelSize(QSize picture, int percent);

// As addWatermark, the text's size watermarkPixelSize(image's size, percent)
// pixels whatever the resolution, so that it covers the same share of any
// picture.
QImage addWatermarkSizedToPicture(const QImage &image, const QString &text, const QColor &color, int opacity,
                                  int percent, int position);

// text with the fields {artist} and {copyright} (the input's EXIF Artist and
// Copyright), {date} (when it was taken, as 2024-05-17) and {name} (its
// file name up to the first dot) filled for the input at inputPath; a field
// the input lacks becomes empty, and any other text in braces stays.
QString watermarkTextFor(const QString &text, const QString &inputPath);

namespace option {
extern const Option<bool> watermark;
extern const Option<QString> watermarkText;
extern const Option<QColor> watermarkColor;
extern const Option<int> watermarkOpacity;
extern const Option<QString> watermarkSizeUnit;
extern const Option<int> watermarkFontSize;
extern const Option<int> watermarkSizePercent;
extern const Option<int> watermarkPositionIndex;
} // namespace option

namespace steps {
extern const ChainStep watermark;
} // namespace steps

#endif // WATERMARK_H
