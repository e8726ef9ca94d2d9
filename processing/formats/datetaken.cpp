#include "formats/datetaken.h"

#include <QFile>

#include <exiv2/exiv2.hpp>

#include <exception>

QDateTime dateTaken(const QString &path)
{
    static const char *const keys[] = {"Exif.Photo.DateTimeOriginal", "Exif.Photo.DateTimeDigitized",
                                       "Exif.Image.DateTime"};
    try {
        const auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
        image->readMetadata();
        const Exiv2::ExifData &exif = image->exifData();
        for (const char *key : keys) {
            const auto found = exif.findKey(Exiv2::ExifKey(key));
            if (found == exif.end())
                continue;
            const QDateTime taken = QDateTime::fromString(QString::fromStdString(found->toString()).trimmed(),
                                                          QStringLiteral("yyyy:MM:dd HH:mm:ss"));
            if (taken.isValid())
                return taken;
        }
    } catch (const std::exception &) {
    }
    return QDateTime();
}
