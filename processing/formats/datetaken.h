#ifndef DATETAKEN_H
#define DATETAKEN_H

#include <QDateTime>
#include <QString>

// When the photo at path was taken, as its EXIF says: DateTimeOriginal, then
// DateTimeDigitized, then DateTime. An invalid QDateTime when the file has
// none of them, or cannot be read.
QDateTime dateTaken(const QString &path);

#endif // DATETAKEN_H
