#include "formats/photocredits.h"

#include "formats/metadata.h"

PhotoCredits photoCredits(const QString &path)
{
    QString ignored; // an unreadable block leaves the credits empty
    const PhotoMetadata metadata = PhotoMetadata::read(path, &ignored);
    return {metadata.exifText("Exif.Image.Artist"), metadata.exifText("Exif.Image.Copyright")};
}
