#ifndef PHOTOCREDITS_H
#define PHOTOCREDITS_H

#include <QString>

// Whose photo it is, as its EXIF says.
struct PhotoCredits
{
    QString artist;
    QString copyright;
};

// The EXIF Artist and Copyright of the picture file at path, read with
// exiv2; empty strings when absent or unreadable.
PhotoCredits photoCredits(const QString &path);

#endif // PHOTOCREDITS_H
