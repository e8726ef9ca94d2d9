#include "formats/metadata.h"

#include "codecs/extendedxmp.h"
#include "codecs/heifcodec.h"
#include "codecs/heifmetadata.h"
#include "codecs/jxlmetadata.h"

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
        Exiv2::enableBMFF(true); // a Canon CR3's EXIF
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

// The containers whose EXIF and XMP libheif and libjxl read and our own
// box editing writes; exiv2 takes the others.
enum class Container { Heif, Jxl, Other };

Container containerOf(const QByteArray &head)
{
    if (!heifFormat(head).isEmpty())
        return Container::Heif;
    if (head.startsWith("\xff\x0a") || head.startsWith(QByteArray("\0\0\0\x0cJXL \r\n\x87\n", 12)))
        return Container::Jxl;
    return Container::Other;
}

bool carriesMetadata(int imageType)
{
    return imageType == Exiv2::ImageType::jpeg || imageType == Exiv2::ImageType::png
            || imageType == Exiv2::ImageType::webp || imageType == Exiv2::ImageType::tiff;
}

// Camera raw files exiv2 reads: TIFF-structured ones (DNG, NEF, ARW, PEF)
// are of its TIFF type.
bool isCameraRaw(int imageType)
{
    static const int types[] = {Exiv2::ImageType::cr2, Exiv2::ImageType::orf, Exiv2::ImageType::rw2,
                                Exiv2::ImageType::raf, Exiv2::ImageType::crw, Exiv2::ImageType::mrw,
                                Exiv2::ImageType::bmff};
    return std::find(std::begin(types), std::end(types), imageType) != std::end(types);
}

// The first directory of a TIFF or raw file describes its own pixels and
// the sensor's (strips, tiles, samples, DNG's colour matrices), which would
// be false of an output; the photo's description stays.
bool describesPhoto(const Exiv2::Exifdatum &datum)
{
    const std::string group = datum.groupName();
    if (group != "Image")
        return group == "Photo" || group == "GPSInfo" || group == "Iop" || group == "MakerNote"
                || Exiv2::ExifTags::isMakerGroup(group);
    static const uint16_t structure[] = {0x00fe, 0x00ff, 0x0100, 0x0101, 0x0102, 0x0103, 0x0106, 0x0107,
                                         0x0111, 0x0115, 0x0116, 0x0117, 0x011c, 0x0140, 0x0142, 0x0143,
                                         0x0144, 0x0145, 0x014a, 0x0152, 0x0153, 0x0201, 0x0202, 0x02bc,
                                         0x828d, 0x828e, 0x83bb, 0x8649, 0x8773};
    const uint16_t tag = datum.tag();
    return tag < 0xc612 // from here on DNG's tags
            && std::find(std::begin(structure), std::end(structure), tag) == std::end(structure);
}

Exiv2::ExifData photoDescription(const Exiv2::ExifData &exif)
{
    Exiv2::ExifData kept;
    for (const Exiv2::Exifdatum &datum : exif) {
        if (describesPhoto(datum))
            kept.add(datum);
    }
    return kept;
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
QString carryExtendedXmp(QByteArray &encoded, bool jpeg, const QByteArray &segments)
{
    if (segments.isEmpty())
        return QString();
    if (jpeg && extendedxmp::insertInto(encoded, segments))
        return QString();
    return QStringLiteral("extended XMP not carried: only a JPEG output holds it");
}

QByteArray headOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(12) : QByteArray();
}

// What exiv2 reads of a file of a kind it knows; null for other kinds.
std::shared_ptr<const PhotoMetadata::Data> readWithExiv2(const QString &path)
{
    const std::string file = QFile::encodeName(path).toStdString();
    const int type = Exiv2::ImageFactory::getType(file);
    if (!carriesMetadata(type) && !isCameraRaw(type))
        return nullptr;
    const auto image = Exiv2::ImageFactory::open(file);
    image->readMetadata();
    const bool ownDirectory = type == Exiv2::ImageType::tiff || isCameraRaw(type);
    return std::make_shared<const PhotoMetadata::Data>(PhotoMetadata::Data{
            ownDirectory ? photoDescription(image->exifData()) : image->exifData(), image->xmpData(),
            image->iptcData(), extendedXmpOf(path)});
}

std::shared_ptr<const PhotoMetadata::Data> decodedBlocks(const MetadataBlocks &blocks)
{
    PhotoMetadata::Data data;
    if (!blocks.exif.isEmpty())
        Exiv2::ExifParser::decode(data.exif, reinterpret_cast<const Exiv2::byte *>(blocks.exif.constData()),
                                  uint32_t(blocks.exif.size()));
    if (!blocks.xmp.isEmpty())
        Exiv2::XmpParser::decode(data.xmp, blocks.xmp.toStdString());
    return std::make_shared<const PhotoMetadata::Data>(std::move(data));
}

MetadataBlocks encodedBlocks(const PhotoMetadata::Data &data)
{
    MetadataBlocks blocks;
    if (!data.exif.empty()) {
        Exiv2::Blob tiff;
        Exiv2::ExifParser::encode(tiff, Exiv2::littleEndian, data.exif);
        blocks.exif = QByteArray(reinterpret_cast<const char *>(tiff.data()), qsizetype(tiff.size()));
    }
    Exiv2::XmpData xmp = data.xmp; // no IPTC block there: XMP has its fields
    Exiv2::copyIptcToXmp(data.iptc, xmp);
    std::string packet;
    if (!xmp.empty() && Exiv2::XmpParser::encode(packet, xmp) == 0)
        blocks.xmp = QByteArray::fromStdString(packet);
    return blocks;
}

// Into the HEIF or JPEG XL file in encoded; the problem when it failed.
QString writeBlocks(QByteArray &encoded, Container container, const PhotoMetadata::Data &data)
{
    const MetadataBlocks blocks = encodedBlocks(data);
    QString problem;
    if (container == Container::Heif)
        heifmetadata::insertInto(encoded, blocks, &problem);
    else
        jxlmetadata::insertInto(encoded, blocks, &problem);
    return problem;
}

// Into the JPEG, PNG, WEBP or TIFF file in encoded; other formats are left
// alone.
void writeWithExiv2(QByteArray &encoded, const PhotoMetadata::Data &data)
{
    const auto *bytes = reinterpret_cast<const Exiv2::byte *>(encoded.constData());
    const int type = Exiv2::ImageFactory::getType(bytes, long(encoded.size()));
    if (!carriesMetadata(type))
        return;
    const auto image = Exiv2::ImageFactory::open(bytes, long(encoded.size()));
    image->readMetadata(); // the profile and comments the encoder wrote
    Exiv2::XmpData xmp = data.xmp;
    if (type == Exiv2::ImageType::webp) // WEBP holds no IPTC block; XMP has its fields
        Exiv2::copyIptcToXmp(data.iptc, xmp);
    image->setExifData(data.exif);
    image->setXmpData(xmp);
    if (type != Exiv2::ImageType::webp)
        image->setIptcData(data.iptc);
    image->writeMetadata();
    Exiv2::BasicIo &io = image->io(); // in memory: mmap is its buffer, not a copy
    io.open();
    encoded = QByteArray(reinterpret_cast<const char *>(io.mmap()), int(io.size()));
    io.munmap();
    io.close();
}

void removeLocation(PhotoMetadata::Data &data)
{
    for (auto entry = data.exif.begin(); entry != data.exif.end();) {
        const bool location = entry->groupName() == "GPSInfo" || entry->key() == "Exif.Image.GPSTag";
        entry = location ? data.exif.erase(entry) : std::next(entry);
    }
    for (auto entry = data.xmp.begin(); entry != data.xmp.end();)
        entry = entry->key().rfind("Xmp.exif.GPS", 0) == 0 ? data.xmp.erase(entry) : std::next(entry);
}

void replaceXmp(Exiv2::XmpData &xmp, const char *key, const Exiv2::Value &value)
{
    const Exiv2::XmpKey xmpKey(key);
    for (auto entry = xmp.findKey(xmpKey); entry != xmp.end(); entry = xmp.findKey(xmpKey))
        xmp.erase(entry);
    xmp.add(xmpKey, &value);
}

// The resolution the file format states beside it, said the same way in
// the EXIF, which readers without a field of the format's take it from.
void setResolution(PhotoMetadata::Data &data, int dotsPerInch)
{
    const Exiv2::URational resolution(uint32_t(dotsPerInch), 1);
    const uint16_t inches = 2;
    if (!data.exif.empty()) {
        data.exif["Exif.Image.XResolution"] = resolution;
        data.exif["Exif.Image.YResolution"] = resolution;
        data.exif["Exif.Image.ResolutionUnit"] = inches;
    }
    using Key = Exiv2::XmpKey;
    const std::string perInch = std::to_string(dotsPerInch) + "/1";
    replaceIfPresent<Exiv2::XmpData, Key>(data.xmp, "Xmp.tiff.XResolution", perInch);
    replaceIfPresent<Exiv2::XmpData, Key>(data.xmp, "Xmp.tiff.YResolution", perInch);
    replaceIfPresent<Exiv2::XmpData, Key>(data.xmp, "Xmp.tiff.ResolutionUnit", std::to_string(inches));
}

void applyEdits(PhotoMetadata::Data &data, const MetadataEdits &edits)
{
    if (edits.removeLocation)
        removeLocation(data);
    if (!edits.artist.isEmpty()) {
        const std::string artist = edits.artist.toStdString();
        data.exif["Exif.Image.Artist"] = artist;
        Exiv2::XmpArrayValue creators(Exiv2::xmpSeq);
        creators.read(artist);
        replaceXmp(data.xmp, "Xmp.dc.creator", creators);
    }
    if (!edits.copyright.isEmpty()) {
        const std::string copyright = edits.copyright.toStdString();
        data.exif["Exif.Image.Copyright"] = copyright;
        Exiv2::LangAltValue rights;
        rights.read("lang=\"x-default\" " + copyright);
        replaceXmp(data.xmp, "Xmp.dc.rights", rights);
    }
    if (edits.dotsPerInch > 0)
        setResolution(data, edits.dotsPerInch);
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
        const Container container = containerOf(headOf(path));
        if (container == Container::Other) {
            metadata.data = readWithExiv2(path);
        } else {
            QString problem;
            const MetadataBlocks blocks = container == Container::Heif ? heifmetadata::read(path, &problem)
                                                                       : jxlmetadata::read(path, &problem);
            if (!problem.isEmpty()) {
                *warning = readProblem(problem);
                return metadata;
            }
            metadata.data = decodedBlocks(blocks);
        }
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

QString PhotoMetadata::exifText(const char *key) const
{
    if (!data)
        return QString();
    const auto entry = data->exif.findKey(Exiv2::ExifKey(key));
    return entry == data->exif.end() ? QString() : QString::fromStdString(entry->toString()).trimmed();
}

bool PhotoMetadata::isEmpty() const
{
    return !data || (data->exif.empty() && data->xmp.empty() && data->iptc.empty());
}

QString PhotoMetadata::writeInto(QByteArray &encoded, QSize pixelSize, const MetadataEdits &edits) const
{
    if (isEmpty() && edits.artist.isEmpty() && edits.copyright.isEmpty())
        return QString();
    initializeExiv2();
    MessageCapture capture;
    try {
        Data output;
        if (data)
            output = {exifForOutput(data->exif, pixelSize), xmpForOutput(data->xmp, pixelSize), data->iptc,
                      data->extendedXmp};
        applyEdits(output, edits);
        const Container container = containerOf(encoded.left(12));
        const QString problem = container == Container::Other ? (writeWithExiv2(encoded, output), QString())
                                                              : writeBlocks(encoded, container, output);
        if (!problem.isEmpty())
            return writeProblem(problem);
        if (!capture.firstMessage().isEmpty())
            return writeProblem(capture.firstMessage());
        const bool jpeg = encoded.startsWith("\xff\xd8");
        return carryExtendedXmp(encoded, jpeg, output.extendedXmp);
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
