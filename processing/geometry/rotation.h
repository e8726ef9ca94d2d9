#ifndef ROTATION_H
#define ROTATION_H

#include "job/step.h"

#include <QImage>

// Beyond this side Qt 6.4's smooth transform reads outside the source (its
// fixed-point source coordinates overflow) for any angle that is not a
// multiple of 90.
constexpr int largestSmoothlyTurnedSide = 32767;

// Whether a picture of size can be turned by degrees.
bool rotationHandles(QSize size, int degrees);

// Turns the picture clockwise as displayed for a positive angle, with Qt's
// smooth filter, into the smallest image that holds all of it. Angles that
// are not a multiple of 90 leave transparent corners, and the result then
// has an alpha channel even when the source had none. A null image gives a
// null image, and so does a picture that cannot be turned (see
// rotationHandles).
QImage rotateImage(const QImage &image, int degrees);

namespace option {
extern const Option<int> rotation;
} // namespace option

namespace steps {
extern const ChainStep rotation;
} // namespace steps

#endif // ROTATION_H
