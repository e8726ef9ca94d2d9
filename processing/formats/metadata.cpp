#include "formats/metadata.h"

#include "codecs/extendedxmp.h"

#include <QColorSpace>
#include <QFile>
#include <QFileInfo>

#include <exiv2/exiv2.hpp>
#include <exiv2/webpimage.hpp>

#include <algorithm>
#include <mutex>

struct PhotoMetadata::Data
{
    Exiv2::ExifData exif;
    Exiv2::XmpData xmp;
    Exiv2::IptcData iptc;
    QByteArray extendedXmp; // a JPEG's segments, whole
};

namespace {

// exiv2 reports damage it reads past through its log, not by exceptions.
// The log is process-wide; each thread collects its own messages.
thread_local QStringList *exiv2Messages = nullptr;

void collectExiv2Message(int, const char *message)
{
    if (exiv2Messages)
        exiv2Messages->append(QString::fromUtf8(message).trimmed());
}

std::mutex xmpToolkitMutex;

void lockXmpToolkit(void *, bool lock)
{
    if (lock)
        xmpToolkitMutex.lock();
    else
        xmpToolkitMutex.unlock();
}

// The XMP toolkit is not thread-safe by itself: runs may read files on
// several threads at once.
void initializeExiv2()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::warn);
        Exiv2::LogMsg::setHandler(collectExiv2Message);
        Exiv2::XmpParser::initialize(lockXmpToolkit, nullptr);
    });
}

// Collects exiv2's messages for as long as it lives and gives the first as a
// warning: the rest usually follow from it.
class MessageCapture
{
public:
    MessageCapture() { exiv2Messages = &messages; }
    ~MessageCapture() { exiv2Messages = nullptr; }
    QString firstMessage() const { return messages.value(0); }

private:
    QStringList messages;
};

bool carriesMetadata(int imageType)
{
    return imageType == Exiv2::ImageType::jpeg || imageType == Exiv2::ImageType::png
            || imageType == Exiv2::ImageType::webp;
}

template <typename Data, typename Key, typename Value>
void replaceIfPresent(Data &data, const char *key, const Value &value)
{
    const auto entry = data.findKey(Key(key));
    if (entry != data.end())
        *entry = value;
}

// The output's pixels are upright and of a new size; a preview would show
// the old picture, often sideways.
Exiv2::ExifData exifForOutput(Exiv2::ExifData exif, QSize size)
{
    using Key = Exiv2::ExifKey;
    const auto width = uint32_t(size.width());
    const auto height = uint32_t(size.height());
    replaceIfPresent<Exiv2::ExifData, Key>(exif, "Exif.Image.Orientation", uint16_t(1));
    replaceIfPresent<Exiv2::ExifData, Key>(exif, "Exif.Image.ImageWidth", width);
    replaceIfPresent<Exiv2::ExifData, Key>(exif, "Exif.Image.ImageLength", height);
    replaceIfPresent<Exiv2::ExifData, Key>(exif, "Exif.Photo.PixelXDimension", width);
    replaceIfPresent<Exiv2::ExifData, Key>(exif, "Exif.Photo.PixelYDimension", height);
    Exiv2::ExifThumb(exif).erase();
    return exif;
}

Exiv2::XmpData xmpForOutput(Exiv2::XmpData xmp, QSize size)
{
    using Key = Exiv2::XmpKey;
    const std::string width = std::to_string(size.width());
    const std::string height = std::to_string(size.height());
    replaceIfPresent<Exiv2::XmpData, Key>(xmp, "Xmp.tiff.Orientation", std::string("1"));
    replaceIfPresent<Exiv2::XmpData, Key>(xmp, "Xmp.tiff.ImageWidth", width);
    replaceIfPresent<Exiv2::XmpData, Key>(xmp, "Xmp.tiff.ImageLength", height);
    replaceIfPresent<Exiv2::XmpData, Key>(xmp, "Xmp.exif.PixelXDimension", width);
    replaceIfPresent<Exiv2::XmpData, Key>(xmp, "Xmp.exif.PixelYDimension", height);
    return xmp;
}

QString readProblem(const QString &message)
{
    return QStringLiteral("metadata not read: %1").arg(message);
}

// exiv2 reads past damage it can skip, and says so: what it kept is carried.
QString partReadProblem(const PhotoMetadata::Parts &kept, const QString &message)
{
    QStringList names;
    if (kept.exif)
        names << QStringLiteral("EXIF");
    if (kept.xmp)
        names << QStringLiteral("XMP");
    if (kept.iptc)
        names << QStringLiteral("IPTC");
    return QStringLiteral("metadata read in part, %1 carried: %2")
            .arg(names.join(QStringLiteral(", ")), message);
}

QString writeProblem(const QString &message)
{
    return QStringLiteral("metadata not written: %1").arg(message);
}

QByteArray extendedXmpOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? extendedxmp::segmentsOf(file) : QByteArray();
}

// A JPEG output takes the extension segments after its main XMP; no other
// format has a place for them.
QString carryExtendedXmp(QByteArray &encoded, int type, const QByteArray &segments)
{
    if (segments.isEmpty())
        return QString();
    if (type == Exiv2::ImageType::jpeg && extendedxmp::insertInto(encoded, segments))
        return QString();
    return QStringLiteral("extended XMP not carried: only a JPEG output holds it");
}

bool isMetadataText(const QString &key)
{
    return key.startsWith(QLatin1String("Raw profile type "))
            || key == QLatin1String("XML:com.adobe.xmp");
}

} // namespace

PhotoMetadata PhotoMetadata::read(const QString &path, QString *warning)
{
    initializeExiv2();
    PhotoMetadata metadata;
    MessageCapture capture;
    // A pipe or device was read to its end by the decoder already.
    if (!QFileInfo(path).isFile())
        return metadata;
    try {
        const std::string file = QFile::encodeName(path).toStdString();
        if (!carriesMetadata(Exiv2::ImageFactory::getType(file)))
            return metadata;
        const auto image = Exiv2::ImageFactory::open(file);
        image->readMetadata();
        metadata.data = std::make_shared<const Data>(
                Data{image->exifData(), image->xmpData(), image->iptcData(), extendedXmpOf(path)});
    } catch (const std::exception &error) {
        *warning = readProblem(QString::fromUtf8(error.what()));
        return metadata;
    }
    if (!capture.firstMessage().isEmpty()) {
        *warning = metadata.isEmpty() ? readProblem(capture.firstMessage())
                                      : partReadProblem(metadata.parts(), capture.firstMessage());
    }
    return metadata;
}

PhotoMetadata::Parts PhotoMetadata::parts() const
{
    if (!data)
        return {};
    return {!data->exif.empty(), !data->xmp.empty(), !data->iptc.empty()};
}

bool PhotoMetadata::isEmpty() const
{
    return !data || (data->exif.empty() && data->xmp.empty() && data->iptc.empty());
}

QString PhotoMetadata::writeInto(QByteArray &encoded, QSize pixelSize) const
{
    if (isEmpty())
        return QString();
    initializeExiv2();
    MessageCapture capture;
    try {
        const auto *bytes = reinterpret_cast<const Exiv2::byte *>(encoded.constData());
        const int type = Exiv2::ImageFactory::getType(bytes, long(encoded.size()));
        if (!carriesMetadata(type))
            return QString();
        const auto image = Exiv2::ImageFactory::open(bytes, long(encoded.size()));
        image->readMetadata(); // the profile and comments the encoder wrote
        Exiv2::XmpData xmp = xmpForOutput(data->xmp, pixelSize);
        if (type == Exiv2::ImageType::webp) // WEBP holds no IPTC block; XMP has its fields
            Exiv2::copyIptcToXmp(data->iptc, xmp);
        image->setExifData(exifForOutput(data->exif, pixelSize));
        image->setXmpData(xmp);
        if (type != Exiv2::ImageType::webp)
            image->setIptcData(data->iptc);
        image->writeMetadata();
        Exiv2::BasicIo &io = image->io(); // in memory: mmap is its buffer, not a copy
        io.open();
        encoded = QByteArray(reinterpret_cast<const char *>(io.mmap()), int(io.size()));
        io.munmap();
        io.close();
        if (!capture.firstMessage().isEmpty())
            return writeProblem(capture.firstMessage());
        return carryExtendedXmp(encoded, type, data->extendedXmp);
    } catch (const std::exception &error) {
        return writeProblem(QString::fromUtf8(error.what()));
    }
}

QImage withOutputTexts(const QImage &image, bool strip)
{
    const QStringList keys = image.textKeys();
    const auto dropped = [strip](const QString &key) { return strip || isMetadataText(key); };
    if (std::none_of(keys.cbegin(), keys.cend(), dropped))
        return image;
    // A QImage has no way to remove a text: a new image over the same pixels
    // takes everything else.
    QImage result(image.constBits(), image.width(), image.height(), image.bytesPerLine(),
                  image.format());
    result.setColorTable(image.colorTable());
    result.setDotsPerMeterX(image.dotsPerMeterX());
    result.setDotsPerMeterY(image.dotsPerMeterY());
    result.setOffset(image.offset());
    result.setColorSpace(image.colorSpace());
    for (const QString &key : keys) {
        if (!dropped(key))
            result.setText(key, image.text(key));
    }
    return result;
}
