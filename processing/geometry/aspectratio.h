#ifndef ASPECTRATIO_H
#define ASPECTRATIO_H

#include "job/step.h"

#include <QImage>
#include <QString>

// Cuts the largest centred region of the ratio whose key is ratioName
// ("1:1", "4:3", "16:9", "3:2", matched exactly and case-sensitively). Any
// other name returns the source unchanged. A region that rounds to no rows
// or columns (16:9 of a 1 x 100 image) gives a null image, as does a null
// source.
QImage applyAspectRatio(const QImage &image, const QString &ratioName);

namespace option {
extern const Option<QString> aspectRatio;
} // namespace option

namespace steps {
extern const ChainStep aspectRatio;
} // namespace steps

#endif // ASPECTRATIO_H
