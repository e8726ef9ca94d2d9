#include "formats/photocredits.h"

#include <QFile>

#include <exiv2/exiv2.hpp>

#include <exception>

namespace {

QString exifText(const Exiv2::ExifData &exif, const char *key)
{
    const auto found = exif.findKey(Exiv2::ExifKey(key));
    return found == exif.end() ? QString() : QString::fromStdString(found->toString()).trimmed();
}

} // namespace

PhotoCredits photoCredits(const QString &path)
{
    PhotoCredits credits;
    try {
        const auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
        image->readMetadata();
        const Exiv2::ExifData &exif = image->exifData();
        credits.artist = exifText(exif, "Exif.Image.Artist");
        credits.copyright = exifText(exif, "Exif.Image.Copyright");
    } catch (const std::exception &) {
    }
    return credits;
}
