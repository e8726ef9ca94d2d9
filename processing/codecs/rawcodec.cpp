// Camera raw files developed by LibRaw, as a reader of Qt's: the camera's
// white balance, AHD interpolation, sRGB, 8 bits, turned as the camera was
// held.
#include "codecs/rawcodec.h"

#include <QIODevice>
#include <QImage>
#include <QImageIOHandler>
#include <QImageIOPlugin>
#include <QVariant>
#include <QtEndian>

#include <libraw/libraw.h>

#include <cstring>
#include <memory>

namespace {

// The little walk over a TIFF's first directory that tells a raw file.
class TiffDirectory
{
public:
    explicit TiffDirectory(const QByteArray &head) : head(head), little(head.startsWith("II")) {}

    bool hasTag(quint16 wanted) const { return entryOf(wanted) >= 0; }

    // The ASCII value of a tag, when the head holds it.
    QByteArray text(quint16 wanted) const
    {
        const qsizetype entry = entryOf(wanted);
        if (entry < 0)
            return QByteArray();
        const quint32 count = word32(entry + 4);
        const qsizetype at = count <= 4 ? entry + 8 : qsizetype(word32(entry + 8));
        if (at < 0 || count > 256 || at + qsizetype(count) > head.size())
            return QByteArray();
        return head.mid(at, qsizetype(count));
    }

private:
    quint16 word16(qsizetype at) const
    {
        const auto *bytes = reinterpret_cast<const uchar *>(head.constData() + at);
        return little ? qFromLittleEndian<quint16>(bytes) : qFromBigEndian<quint16>(bytes);
    }
    quint32 word32(qsizetype at) const
    {
        const auto *bytes = reinterpret_cast<const uchar *>(head.constData() + at);
        return little ? qFromLittleEndian<quint32>(bytes) : qFromBigEndian<quint32>(bytes);
    }

    qsizetype entryOf(quint16 wanted) const
    {
        if (head.size() < 8)
            return -1;
        const qsizetype directory = qsizetype(word32(4));
        if (directory < 8 || directory + 2 > head.size())
            return -1;
        const int entries = word16(directory);
        for (int index = 0; index < entries; ++index) {
            const qsizetype entry = directory + 2 + qsizetype(index) * 12;
            if (entry + 12 > head.size())
                return -1;
            if (word16(entry) == wanted)
                return entry;
        }
        return -1;
    }

    const QByteArray &head;
    const bool little;
};

constexpr quint16 makeTag = 0x010f;
constexpr quint16 subDirectoriesTag = 0x014a;
constexpr quint16 dngVersionTag = 0xc612;

bool isTiffBasedRaw(const QByteArray &head)
{
    if (!head.startsWith(QByteArrayLiteral("II*\0")) && !head.startsWith(QByteArrayLiteral("MM\0*")))
        return false;
    if (head.mid(8, 2) == "CR")
        return true;
    const TiffDirectory directory(head);
    if (directory.hasTag(dngVersionTag))
        return true;
    const QByteArray make = directory.text(makeTag).toUpper();
    return directory.hasTag(subDirectoriesTag)
            && (make.startsWith("NIKON") || make.startsWith("SONY") || make.startsWith("PENTAX"));
}

QString libRawWords(int code)
{
    return QString::fromUtf8(libraw_strerror(code)).toLower();
}

// LibRaw's remarks on damaged data, which it would print to stderr itself.
void logDataError(void *, const char *, const int offset)
{
    qWarning("damaged raw data at byte %d", offset);
}

class RawHandler : public QImageIOHandler
{
public:
    bool canRead() const override
    {
        if (!isCameraRaw(device()->peek(cameraRawHeadBytes)))
            return false;
        setFormat("raw");
        return true;
    }

    bool read(QImage *image) override
    {
        if (!open())
            return false;
        libraw_output_params_t &params = raw->imgdata.params;
        params.use_camera_wb = 1;
        params.user_qual = 3;   // AHD
        params.output_color = 1; // sRGB
        params.output_bps = 8;
        const int code = develop(image);
        if (code != LIBRAW_SUCCESS) {
            qWarning("%s", qPrintable(libRawWords(code)));
            *image = QImage();
        }
        return !image->isNull();
    }

    bool supportsOption(ImageOption option) const override { return option == Size; }

    // The developed size, as the camera was held, known from the header.
    QVariant option(ImageOption option) const override
    {
        if (option != Size || !const_cast<RawHandler *>(this)->open())
            return QVariant();
        const libraw_image_sizes_t &sizes = raw->imgdata.sizes;
        const QSize size(sizes.width, sizes.height);
        return sizes.flip & 4 ? size.transposed() : size;
    }

private:
    // Develops the picture and copies its rows straight into image, without
    // LibRaw's own copy of them; a picture of other than three 8-bit samples
    // is left null.
    int develop(QImage *image)
    {
        int code = raw->unpack();
        if (code == LIBRAW_SUCCESS)
            code = raw->dcraw_process();
        if (code != LIBRAW_SUCCESS)
            return code;
        int width = 0, height = 0, colours = 0, bits = 0;
        raw->get_mem_image_format(&width, &height, &colours, &bits);
        if (colours != 3 || bits != 8)
            return LIBRAW_SUCCESS;
        *image = QImage(width, height, QImage::Format_RGB888);
        if (image->isNull())
            return LIBRAW_UNSUFFICIENT_MEMORY;
        return raw->copy_mem_image(image->bits(), int(image->bytesPerLine()), 0);
    }

    bool open()
    {
        if (opened)
            return true;
        bytes = device()->readAll();
        raw = std::make_unique<LibRaw>(LIBRAW_OPTIONS_NONE);
        raw->set_dataerror_handler(&logDataError, nullptr);
        const int code = raw->open_buffer(bytes.data(), size_t(bytes.size()));
        if (code != LIBRAW_SUCCESS) {
            qWarning("%s", qPrintable(libRawWords(code)));
            return false;
        }
        opened = true;
        return true;
    }

    QByteArray bytes;
    std::unique_ptr<LibRaw> raw;
    bool opened = false;
};

} // namespace

bool isCameraRaw(const QByteArray &head)
{
    return isTiffBasedRaw(head) || head.startsWith("IIRO") || head.startsWith("IIRS")
            || head.startsWith("MMOR") || head.startsWith(QByteArrayLiteral("IIU\0"))
            || head.startsWith("FUJIFILMCCD-RAW") || (head.mid(4, 4) == "ftyp" && head.mid(8, 4) == "crx ");
}

// LibRaw's flip: 3 half a turn, 5 a quarter anticlockwise, 6 a quarter
// clockwise.
QImageIOHandler::Transformations turnOf(int flip)
{
    switch (flip) {
    case 3:
        return QImageIOHandler::TransformationRotate180;
    case 5:
        return QImageIOHandler::TransformationRotate270;
    case 6:
        return QImageIOHandler::TransformationRotate90;
    default:
        return QImageIOHandler::TransformationNone;
    }
}

RawPreview rawPreview(const QByteArray &file)
{
    LibRaw raw(LIBRAW_OPTIONS_NONE);
    raw.set_dataerror_handler(&logDataError, nullptr);
    // LibRaw reads the buffer without writing to it.
    if (raw.open_buffer(const_cast<char *>(file.constData()), size_t(file.size())) != LIBRAW_SUCCESS
        || raw.unpack_thumb() != LIBRAW_SUCCESS || raw.imgdata.thumbnail.tformat != LIBRAW_THUMBNAIL_JPEG)
        return RawPreview();
    const libraw_thumbnail_t &thumbnail = raw.imgdata.thumbnail;
    const libraw_image_sizes_t &sizes = raw.imgdata.sizes;
    return {QByteArray(thumbnail.thumb, qsizetype(thumbnail.tlength)), turnOf(sizes.flip),
            QSize(sizes.width, sizes.height)};
}

class RawPlugin : public QImageIOPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "rawcodec.json")

public:
    Capabilities capabilities(QIODevice *device, const QByteArray &format) const override
    {
        if (format == "raw")
            return CanRead;
        if (!format.isEmpty() || !device || !device->isReadable())
            return {};
        return isCameraRaw(device->peek(cameraRawHeadBytes)) ? CanRead : Capabilities();
    }

    QImageIOHandler *create(QIODevice *device, const QByteArray &format) const override
    {
        auto *handler = new RawHandler;
        handler->setDevice(device);
        handler->setFormat(format);
        return handler;
    }
};

#include "rawcodec.moc"
