#ifndef IMAGEFILE_H
#define IMAGEFILE_H

#include <QImage>
#include <QString>

// Qt's default of 256 MB refuses ordinary camera and scanner images; beyond
// 1024 MB one decoded input would starve the rest of the run.
constexpr int allocationLimitMegabytes = 1024;

// Raises Qt's process-wide decode limit to the size a run accepts, so that
// large camera images load. The limit is shared by every thread: call it
// before images are read elsewhere (the window does at construction); a run
// calls it too and then writes nothing when the limit is already set.
void raiseImageDecodeLimit();

// Decodes path with its EXIF orientation applied. On failure returns a null
// image and stores a short reason ("cannot read: ...", "too large: ...").
QImage loadImage(const QString &path, QString *reason);

#endif // IMAGEFILE_H
