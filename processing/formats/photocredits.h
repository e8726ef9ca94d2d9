#ifndef PHOTOCREDITS_H
#define PHOTOCREDITS_H

#include <QString>

// Who made a photo and who holds its rights, as its EXIF says.
struct PhotoCredits
{
    QString artist;
    QString copyright;
};

// The EXIF Artist and Copyright of the file at path, trimmed; empty strings
// for a tag it lacks and for a file exiv2 cannot read.
PhotoCredits photoCredits(const QString &path);

#endif // PHOTOCREDITS_H
