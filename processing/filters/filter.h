#ifndef FILTER_H
#define FILTER_H

#include "job/step.h"

#include <QImage>
#include <QString>

// Applies the filter whose key is filterName, matched exactly and
// case-sensitively: "blur", "grayscale", "vintage", "edge-detection",
// "emboss", "oil-painting". intensity is the radius of the blur (5 when 0 or
// less) and of the oil painting (3 when 0 or less) and is ignored by the
// others. Any other name, "none" included, returns the image unchanged (a
// shared copy).
QImage applyFilter(const QImage &image, const QString &filterName, int intensity);

namespace option {
extern const Option<QString> filter;
extern const Option<int> filterIntensity;
} // namespace option

namespace steps {
extern const ChainStep filter;
} // namespace steps

#endif // FILTER_H
