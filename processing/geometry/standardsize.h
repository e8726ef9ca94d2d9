#ifndef STANDARDSIZE_H
#define STANDARDSIZE_H

#include "job/step.h"

#include <QImage>
#include <QString>

// Stretches the image with the named resampling filter (see resampleImage;
// Qt's smooth scaling by default) to exactly the size whose key
// is sizeName ("640x480", ..., matched exactly and case-sensitively), not
// keeping its proportions. Any other name returns the source unchanged, and
// so does shrinkOnly for a picture already inside that size; a null image
// gives a null image.
QImage applyStandardSize(const QImage &image, const QString &sizeName, bool shrinkOnly = false,
                         const QString &filter = QString());

namespace option {
extern const Option<QString> standardSize;
} // namespace option

namespace steps {
extern const ChainStep standardSize;
} // namespace steps

#endif // STANDARDSIZE_H
