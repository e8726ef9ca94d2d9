#ifndef ASPECTRATIO_H
#define ASPECTRATIO_H

#include <QImage>
#include <QString>

// Cuts the largest centred region of the ratio whose key is ratioName
// ("1:1", "4:3", "16:9", "3:2", matched exactly and case-sensitively). Any
// other name returns the source unchanged. A region that rounds to no rows
// or columns (16:9 of a 1 x 100 image) gives a null image, as does a null
// source.
QImage applyAspectRatio(const QImage &image, const QString &ratioName);

#endif // ASPECTRATIO_H
