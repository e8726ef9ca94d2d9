#ifndef LOGO_H
#define LOGO_H

#include "job/step.h"

#include <QImage>
#include <QString>

// Where and how a logo is drawn: its width in percent of the picture's
// width, its position (0 top left, 1 top right, 2 bottom left, 3 bottom
// right, 4 the centre; any other index is top left), its distance from the
// edges it is placed at in percent of the picture's shorter side, and its
// opacity in percent.
struct LogoPlacement
{
    int widthPercent = 20;
    int position = 3;
    int marginPercent = 2;
    int opacityPercent = 100;
};

// The size of logo scaled to placement's share of a picture of pictureSize:
// its width widthPercent of the picture's (rounded, at least 1), its height
// in the logo's proportions; made smaller, in the same proportions, when it
// would be taller than the picture.
QSize logoSize(QSize logo, QSize pictureSize, const LogoPlacement &placement);

// Where the logo's top left corner goes on a picture of pictureSize.
QPoint logoCorner(QSize logo, QSize pictureSize, const LogoPlacement &placement);

// Draws logo over image with the logo's own alpha times the opacity, by
// source-over: the logo is taken into the picture's colour space (a logo
// without one is taken as sRGB), scaled smoothly to logoSize on
// premultiplied alpha, at 16 bits for a picture deeper than 8 bits, and
// placed at logoCorner; what falls outside the picture is cut off. Format
// and metadata are kept (palette and monochrome images come back as RGB32 or
// ARGB32). A null image or logo, and an opacity of 0 or less, return the
// source unchanged.
QImage addLogo(const QImage &image, const QImage &logo, const LogoPlacement &placement);

// Why the logo a run's settings name cannot be drawn ("cannot read: ..."),
// with its path; empty when it can, or when no logo is drawn.
QString logoProblem(const JobSettings &settings);

namespace option {
extern const Option<bool> logo;
extern const Option<QString> logoFile;
extern const Option<int> logoWidth;
extern const Option<int> logoPositionIndex;
extern const Option<int> logoMargin;
extern const Option<int> logoOpacity;
} // namespace option

namespace steps {
extern const ChainStep logo;
} // namespace steps

#endif // LOGO_H
