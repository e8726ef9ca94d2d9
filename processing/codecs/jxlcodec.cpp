// JPEG XL files through libjxl, as a reader and writer of Qt's, so that
// every place that opens a picture through QImageReader reads them too.
#include "codecs/jxlcodec.h"

#include <QColorSpace>
#include <QIODevice>
#include <QImage>
#include <QImageIOHandler>
#include <QImageIOPlugin>
#include <QVariant>

#include <jxl/decode_cxx.h>
#include <jxl/encode_cxx.h>

#include <cmath>

namespace {

// libjxl gives no words of its own for a failure.
bool failed(const char *what)
{
    qWarning("the JPEG XL decoder stopped: %s", what);
    return false;
}

// What one pass of the decoder yields: the header, the profile and the
// first frame's pixels (later frames of an animation are not decoded).
struct JxlPicture
{
    JxlBasicInfo info{};
    QByteArray icc;
    QImage image;
};

JxlPixelFormat pixelFormatFor(const JxlBasicInfo &info)
{
    return {4, info.bits_per_sample > 8 ? JXL_TYPE_UINT16 : JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
}

QImage::Format imageFormatFor(const JxlBasicInfo &info)
{
    const bool alpha = info.alpha_bits > 0;
    if (info.bits_per_sample > 8)
        return alpha ? QImage::Format_RGBA64 : QImage::Format_RGBX64;
    return alpha ? QImage::Format_RGBA8888 : QImage::Format_RGBX8888;
}

// Decodes up to the header alone (headerOnly) or the first frame.
bool decodeJxl(const QByteArray &bytes, bool headerOnly, JxlPicture *picture)
{
    const JxlDecoderPtr decoder = JxlDecoderMake(nullptr);
    const int events = headerOnly ? JXL_DEC_BASIC_INFO
                                  : JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING | JXL_DEC_FULL_IMAGE;
    if (JxlDecoderSubscribeEvents(decoder.get(), events) != JXL_DEC_SUCCESS
        || JxlDecoderSetInput(decoder.get(), reinterpret_cast<const uint8_t *>(bytes.constData()),
                              size_t(bytes.size())) != JXL_DEC_SUCCESS)
        return failed("cannot start");
    JxlDecoderCloseInput(decoder.get());
    for (;;) {
        const JxlDecoderStatus status = JxlDecoderProcessInput(decoder.get());
        if (status == JXL_DEC_BASIC_INFO) {
            if (JxlDecoderGetBasicInfo(decoder.get(), &picture->info) != JXL_DEC_SUCCESS)
                return failed("unreadable header");
            if (headerOnly)
                return true;
        } else if (status == JXL_DEC_COLOR_ENCODING) {
            size_t size = 0;
            if (JxlDecoderGetICCProfileSize(decoder.get(), nullptr, JXL_COLOR_PROFILE_TARGET_DATA, &size)
                == JXL_DEC_SUCCESS) {
                picture->icc.resize(qsizetype(size));
                JxlDecoderGetColorAsICCProfile(decoder.get(), nullptr, JXL_COLOR_PROFILE_TARGET_DATA,
                                               reinterpret_cast<uint8_t *>(picture->icc.data()), size);
            }
        } else if (status == JXL_DEC_NEED_IMAGE_OUT_BUFFER) {
            const JxlPixelFormat format = pixelFormatFor(picture->info);
            picture->image = QImage(int(picture->info.xsize), int(picture->info.ysize),
                                    imageFormatFor(picture->info));
            if (picture->image.isNull()
                || JxlDecoderSetImageOutBuffer(decoder.get(), &format, picture->image.bits(),
                                               size_t(picture->image.sizeInBytes())) != JXL_DEC_SUCCESS)
                return failed("no room for the picture");
        } else if (status == JXL_DEC_FULL_IMAGE) {
            return true;
        } else if (status == JXL_DEC_NEED_MORE_INPUT) {
            return failed("the file ends early");
        } else if (status != JXL_DEC_SUCCESS) {
            return failed("damaged data");
        } else {
            return failed("no picture in the file");
        }
    }
}

// cjxl's mapping of a JPEG-like quality onto the distance libjxl takes.
float distanceFor(int quality)
{
    if (quality >= 30)
        return 0.1f + float(100 - quality) * 0.09f;
    return 6.4f + std::pow(2.5f, float(30 - quality) / 5.0f) / 6.25f;
}

// The encoder's choices beyond the quality. Effort 3 takes about a second
// for a 12 MP picture, where libjxl's own 7 takes four.
struct JxlEncoding
{
    bool lossless = false;
    int effort = 3;
};

QByteArray encodeJxl(const QImage &image, int quality, const JxlEncoding &encoding)
{
    const bool alpha = image.hasAlphaChannel();
    const QImage rows = image.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    const JxlEncoderPtr encoder = JxlEncoderMake(nullptr);
    JxlBasicInfo info;
    JxlEncoderInitBasicInfo(&info);
    info.xsize = uint32_t(rows.width());
    info.ysize = uint32_t(rows.height());
    info.bits_per_sample = 8;
    info.num_color_channels = 3;
    info.num_extra_channels = alpha ? 1 : 0;
    info.alpha_bits = alpha ? 8 : 0;
    // Lossless keeps the samples in the picture's own colours, not libjxl's XYB.
    info.uses_original_profile = encoding.lossless ? JXL_TRUE : JXL_FALSE;
    if (JxlEncoderSetBasicInfo(encoder.get(), &info) != JXL_ENC_SUCCESS)
        return QByteArray();
    const QByteArray icc = image.colorSpace().iccProfile();
    JxlColorEncoding srgb;
    JxlColorEncodingSetToSRGB(&srgb, JXL_FALSE);
    const JxlEncoderStatus coloured = icc.isEmpty()
            ? JxlEncoderSetColorEncoding(encoder.get(), &srgb)
            : JxlEncoderSetICCProfile(encoder.get(), reinterpret_cast<const uint8_t *>(icc.constData()),
                                      size_t(icc.size()));
    JxlEncoderFrameSettings *settings = JxlEncoderFrameSettingsCreate(encoder.get(), nullptr);
    const JxlEncoderStatus compressed = encoding.lossless
            ? JxlEncoderSetFrameLossless(settings, JXL_TRUE)
            : JxlEncoderSetFrameDistance(settings, distanceFor(qBound(1, quality, 100)));
    if (coloured != JXL_ENC_SUCCESS || compressed != JXL_ENC_SUCCESS
        || JxlEncoderFrameSettingsSetOption(settings, JXL_ENC_FRAME_SETTING_EFFORT, qBound(1, encoding.effort, 9))
                != JXL_ENC_SUCCESS)
        return QByteArray();
    // A QImage's rows start at multiples of 4 bytes.
    const JxlPixelFormat format{alpha ? 4u : 3u, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 4};
    if (JxlEncoderAddImageFrame(settings, &format, rows.constBits(), size_t(rows.sizeInBytes()))
        != JXL_ENC_SUCCESS)
        return QByteArray();
    JxlEncoderCloseInput(encoder.get());
    QByteArray encoded(64 * 1024, Qt::Uninitialized);
    size_t done = 0;
    for (;;) {
        uint8_t *next = reinterpret_cast<uint8_t *>(encoded.data()) + done;
        size_t room = size_t(encoded.size()) - done;
        const JxlEncoderStatus status = JxlEncoderProcessOutput(encoder.get(), &next, &room);
        done = size_t(encoded.size()) - room;
        if (status == JXL_ENC_SUCCESS)
            break;
        if (status != JXL_ENC_NEED_MORE_OUTPUT)
            return QByteArray();
        encoded.resize(encoded.size() * 2);
    }
    encoded.truncate(qsizetype(done));
    return encoded;
}

class JxlHandler : public QImageIOHandler
{
public:
    bool canRead() const override
    {
        if (!isJpegXl(device()->peek(12)))
            return false;
        setFormat("jxl");
        return true;
    }

    bool read(QImage *image) override
    {
        JxlPicture picture;
        if (!decodeJxl(contents(), false, &picture))
            return false;
        if (!picture.icc.isEmpty())
            picture.image.setColorSpace(QColorSpace::fromIccProfile(picture.icc));
        *image = picture.image;
        return true;
    }

    bool write(const QImage &image) override
    {
        const QByteArray encoded = encodeJxl(image, quality, encoding);
        return !encoded.isEmpty() && device()->write(encoded) == encoded.size();
    }

    bool supportsOption(ImageOption option) const override
    {
        return option == Size || option == Quality || option == ImageFormat || option == SubType
                || option == CompressionRatio;
    }

    QVariant option(ImageOption option) const override
    {
        if (option != Size && option != ImageFormat)
            return QVariant();
        JxlPicture picture;
        if (!decodeJxl(const_cast<JxlHandler *>(this)->contents(), true, &picture))
            return QVariant();
        if (option == ImageFormat)
            return imageFormatFor(picture.info);
        return QSize(int(picture.info.xsize), int(picture.info.ysize));
    }

    // The sub-type "lossless" writes lossless; a compression ratio of 1 to 9
    // is the encoder's effort (QImageWriter passes -1 when none was chosen).
    void setOption(ImageOption option, const QVariant &value) override
    {
        if (option == Quality)
            quality = value.toInt();
        else if (option == SubType)
            encoding.lossless = value.toByteArray() == "lossless";
        else if (option == CompressionRatio && value.toInt() > 0)
            encoding.effort = value.toInt();
    }

private:
    const QByteArray &contents()
    {
        if (bytes.isEmpty())
            bytes = device()->readAll();
        return bytes;
    }

    QByteArray bytes;
    int quality = 85;
    JxlEncoding encoding;
};

} // namespace

bool isJpegXl(const QByteArray &head)
{
    return head.startsWith("\xff\x0a") || head.startsWith(QByteArrayLiteral("\0\0\0\x0cJXL \r\n\x87\n"));
}

class JxlPlugin : public QImageIOPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "jxlcodec.json")

public:
    Capabilities capabilities(QIODevice *device, const QByteArray &format) const override
    {
        if (format == "jxl")
            return CanRead | CanWrite;
        if (!format.isEmpty() || !device || !device->isReadable())
            return {};
        return isJpegXl(device->peek(12)) ? CanRead : Capabilities();
    }

    QImageIOHandler *create(QIODevice *device, const QByteArray &format) const override
    {
        auto *handler = new JxlHandler;
        handler->setDevice(device);
        handler->setFormat(format);
        return handler;
    }
};

#include "jxlcodec.moc"
