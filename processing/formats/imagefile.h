#ifndef IMAGEFILE_H
#define IMAGEFILE_H

#include "job/inputoutcome.h"

#include <QImage>
#include <QString>
#include <QStringList>

class QFile;

// Qt's default of 256 MB refuses ordinary camera and scanner images; beyond
// 1024 MB one decoded input would starve the rest of the run.
constexpr int allocationLimitMegabytes = 1024;

// Raises Qt's process-wide decode limit to the size a run accepts, so that
// large camera images load. The limit is shared by every thread: call it
// before images are read elsewhere (the window does at construction); a run
// calls it too and then writes nothing when the limit is already set.
void raiseImageDecodeLimit();

// Opens path for reading when it names a regular file (links followed),
// never blocking on a pipe or a device. Returns an empty string, or the
// reason it is not opened ("cannot read: not a regular file", ...).
QString openRegularFile(const QString &path, QFile *file);

// Decodes path with its EXIF orientation applied, the format taken from the
// content whatever the name says. Only a regular file is opened, never
// blocking; SVG is refused, as it may pull in any local file by reference.
// On failure returns a null image and fails outcome with a short reason
// ("cannot read: ...", "too large: ..."). A picture that decodes although
// damaged is returned, and what the decoder said about it is added to
// outcome's warnings.
QImage loadImage(const QString &path, InputOutcome &outcome);

#endif // IMAGEFILE_H
