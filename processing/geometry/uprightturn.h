#ifndef UPRIGHTTURN_H
#define UPRIGHTTURN_H

#include <QImage>

// The picture as an EXIF orientation asks to show it: mirrored left to right,
// then top to bottom, then turned a quarter clockwise, as each flag says.
// The pixels are exactly those of Qt's mirrored() then transformed() by 90
// degrees. The 32-bit formats and Grayscale8 are moved in one pass into
// memory kept from the worker's previous picture (see picturememory); other
// formats go through Qt. Metadata is left to the caller.
QImage uprightTurn(const QImage &source, bool mirror, bool flip, bool quarterTurn);

#endif // UPRIGHTTURN_H
