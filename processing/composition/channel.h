#ifndef CHANNEL_H
#define CHANNEL_H

#include "job/step.h"

#include <QImage>
#include <QString>

// Keeps the 8-bit channels a key names and sets the others to 0: "Red"
// (r, 0, 0), "Green" (0, g, 0), "Blue" (0, 0, b), "Cyan" (0, g, b),
// "Magenta" (r, 0, b), "Yellow" (r, g, 0), r, g, b being the channels
// pixelColor reports. Every pixel is written opaque. Keys are matched
// exactly, case included; any other name returns the source unchanged.
// Size and format are kept (palette and monochrome images come back as
// RGB32 or ARGB32). A null image gives a null image.
QImage extractChannel(const QImage &image, const QString &channelName);

namespace option {
extern const Option<bool> extractChannelEnabled;
extern const Option<QString> channel;
} // namespace option

namespace steps {
extern const ChainStep channel;
} // namespace steps

#endif // CHANNEL_H
