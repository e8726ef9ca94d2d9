// JPEG XL files through libjxl, as a reader and writer of Qt's, so that
// every place that opens a picture through QImageReader reads them too.
#include "codecs/jxlcodec.h"

#include "core/pixelaccess.h"

#include <QColorSpace>
#include <QIODevice>
#include <QImage>
#include <QImageIOHandler>
#include <QImageIOPlugin>
#include <QPointF>
#include <QVariant>
#include <QtEndian>

#include <jxl/decode_cxx.h>
#include <jxl/encode_cxx.h>
#include <jxl/thread_parallel_runner_cxx.h>

#include <dlfcn.h>

#include <array>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

// libjxl gives no words of its own for a failure.
bool failed(const char *what)
{
    qWarning("the JPEG XL decoder stopped: %s", what);
    return false;
}

// What one pass of the decoder yields: the header, the profiles and the
// first frame's pixels (later frames of an animation are not decoded).
struct JxlPicture
{
    JxlBasicInfo info{};
    int frames = 0;
    // The profile the file was made in, and the one of the pixels libjxl
    // gives: a lossy file made from an ICC profile comes out in linear sRGB,
    // as libjxl has no colour management of its own to go back.
    QByteArray originalIcc;
    QByteArray dataIcc;
    QImage image;

    bool needsConversion() const { return !originalIcc.isEmpty() && originalIcc != dataIcc; }
    bool deep() const { return info.bits_per_sample > 8; }
    // libjxl turns the picture as its header says, and states the sides
    // already turned.
    QSize size() const { return QSize(int(info.xsize), int(info.ysize)); }
};

// What the decoder is asked for: the header alone, with its colours, every
// frame's header, or the first frame whole.
enum class JxlExtent { Header, Colours, FrameCount, FirstFrame };

QImage::Format imageFormatFor(const JxlBasicInfo &info, bool deep)
{
    const bool alpha = info.alpha_bits > 0;
    if (deep)
        return alpha ? QImage::Format_RGBA64 : QImage::Format_RGBX64;
    return alpha ? QImage::Format_RGBA8888 : QImage::Format_RGBX8888;
}

// Linear samples come as floats, which keep the colours outside sRGB until
// they are back in the file's profile.
QImage::Format decodedFormatFor(const JxlPicture &picture)
{
    return picture.needsConversion() ? QImage::Format_RGBA32FPx4 : imageFormatFor(picture.info, picture.deep());
}

JxlPixelFormat pixelFormatFor(const JxlPicture &picture)
{
    const JxlDataType type = picture.needsConversion() ? JXL_TYPE_FLOAT
            : picture.deep()                           ? JXL_TYPE_UINT16
                                                       : JXL_TYPE_UINT8;
    return {4, type, JXL_NATIVE_ENDIAN, 0};
}

QByteArray iccProfile(const JxlDecoder *decoder, JxlColorProfileTarget target)
{
    size_t size = 0;
    if (JxlDecoderGetICCProfileSize(decoder, nullptr, target, &size) != JXL_DEC_SUCCESS)
        return QByteArray();
    QByteArray icc(qsizetype(size), Qt::Uninitialized);
    if (JxlDecoderGetColorAsICCProfile(decoder, nullptr, target, reinterpret_cast<uint8_t *>(icc.data()), size)
        != JXL_DEC_SUCCESS)
        return QByteArray();
    return icc;
}

int eventsFor(JxlExtent extent)
{
    switch (extent) {
    case JxlExtent::Header:
        return JXL_DEC_BASIC_INFO;
    case JxlExtent::Colours:
        return JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING;
    case JxlExtent::FrameCount:
        return JXL_DEC_BASIC_INFO | JXL_DEC_FRAME;
    case JxlExtent::FirstFrame:
        break;
    }
    return JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING | JXL_DEC_FULL_IMAGE;
}

// Decodes as far as extent asks.
bool decodeJxl(const QByteArray &bytes, JxlExtent extent, JxlPicture *picture)
{
    const JxlDecoderPtr decoder = JxlDecoderMake(nullptr);
    if (JxlDecoderSubscribeEvents(decoder.get(), eventsFor(extent)) != JXL_DEC_SUCCESS
        || JxlDecoderSetInput(decoder.get(), reinterpret_cast<const uint8_t *>(bytes.constData()),
                              size_t(bytes.size())) != JXL_DEC_SUCCESS)
        return failed("cannot start");
    JxlDecoderCloseInput(decoder.get());
    for (;;) {
        const JxlDecoderStatus status = JxlDecoderProcessInput(decoder.get());
        if (status == JXL_DEC_BASIC_INFO) {
            if (JxlDecoderGetBasicInfo(decoder.get(), &picture->info) != JXL_DEC_SUCCESS)
                return failed("unreadable header");
            if (extent == JxlExtent::Header)
                return true;
        } else if (status == JXL_DEC_FRAME) {
            ++picture->frames;
        } else if (status == JXL_DEC_COLOR_ENCODING) {
            picture->originalIcc = iccProfile(decoder.get(), JXL_COLOR_PROFILE_TARGET_ORIGINAL);
            picture->dataIcc = iccProfile(decoder.get(), JXL_COLOR_PROFILE_TARGET_DATA);
            if (extent == JxlExtent::Colours)
                return true;
        } else if (status == JXL_DEC_NEED_IMAGE_OUT_BUFFER) {
            const JxlPixelFormat format = pixelFormatFor(*picture);
            picture->image = QImage(picture->size(), decodedFormatFor(*picture));
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
            return extent == JxlExtent::FrameCount || failed("no picture in the file");
        }
    }
}

// The decoded pixels in the file's own profile and depth.
QImage inOwnColours(const JxlPicture &picture)
{
    QImage image = picture.image;
    if (!picture.dataIcc.isEmpty())
        image.setColorSpace(QColorSpace::fromIccProfile(picture.dataIcc));
    if (!picture.needsConversion())
        return image;
    const QColorSpace own = QColorSpace::fromIccProfile(picture.originalIcc);
    if (!own.isValid() || !image.colorSpace().isValid())
        return image;
    image.convertToColorSpace(own);
    image.convertTo(imageFormatFor(picture.info, picture.deep()));
    return image;
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

// The big-endian XYZ triple of an ICC profile's tag; null when absent.
std::optional<std::array<double, 3>> iccXyz(const QByteArray &icc, const char *signature)
{
    const auto word = [&icc](qsizetype at) {
        return at + 4 <= icc.size() ? qFromBigEndian<quint32>(icc.constData() + at) : 0u;
    };
    const quint32 tags = word(128);
    for (quint32 tag = 0; tag < tags && 132 + qsizetype(tag + 1) * 12 <= icc.size(); ++tag) {
        const qsizetype entry = 132 + qsizetype(tag) * 12;
        if (icc.mid(entry, 4) != signature)
            continue;
        const qsizetype at = word(entry + 4);
        if (icc.mid(at, 4) != "XYZ " || at + 20 > icc.size())
            return std::nullopt;
        std::array<double, 3> xyz;
        for (int i = 0; i < 3; ++i)
            xyz[size_t(i)] = qint32(word(at + 8 + 4 * i)) / 65536.0;
        return xyz;
    }
    return std::nullopt;
}

void setCustom(double *xy, QPointF point)
{
    xy[0] = point.x();
    xy[1] = point.y();
}

void setCustomPrimaries(QPointF white, QPointF red, QPointF green, QPointF blue, JxlColorEncoding *encoding)
{
    encoding->white_point = JXL_WHITE_POINT_CUSTOM;
    encoding->primaries = JXL_PRIMARIES_CUSTOM;
    setCustom(encoding->white_point_xy, white);
    setCustom(encoding->primaries_red_xy, red);
    setCustom(encoding->primaries_green_xy, green);
    setCustom(encoding->primaries_blue_xy, blue);
}

QPointF chromaticity(const std::array<double, 3> &xyz)
{
    const double sum = xyz[0] + xyz[1] + xyz[2];
    return QPointF(xyz[0] / sum, xyz[1] / sum);
}

// Primaries Qt names no enum for, from the colorants of the profile Qt
// writes for them: adapted to the profile's D50 as they are, they describe
// the same colours with the white they sum to.
bool setPrimariesFromProfile(const QByteArray &icc, JxlColorEncoding *encoding)
{
    const auto red = iccXyz(icc, "rXYZ"), green = iccXyz(icc, "gXYZ"), blue = iccXyz(icc, "bXYZ");
    if (!red || !green || !blue)
        return false;
    std::array<double, 3> white{};
    for (size_t i = 0; i < 3; ++i)
        white[i] = (*red)[i] + (*green)[i] + (*blue)[i];
    const auto positive = [](const std::array<double, 3> &xyz) { return xyz[0] + xyz[1] + xyz[2] > 0; };
    if (!positive(*red) || !positive(*green) || !positive(*blue) || !positive(white))
        return false;
    setCustomPrimaries(chromaticity(white), chromaticity(*red), chromaticity(*green), chromaticity(*blue),
                       encoding);
    return true;
}

bool setPrimaries(const QColorSpace &space, JxlColorEncoding *encoding)
{
    const QPointF d65(0.3127, 0.3290);
    switch (space.primaries()) {
    case QColorSpace::Primaries::SRgb:
        encoding->primaries = JXL_PRIMARIES_SRGB;
        return true;
    case QColorSpace::Primaries::DciP3D65:
        encoding->primaries = JXL_PRIMARIES_P3;
        return true;
    case QColorSpace::Primaries::AdobeRgb:
        setCustomPrimaries(d65, {0.64, 0.33}, {0.21, 0.71}, {0.15, 0.06}, encoding);
        return true;
    case QColorSpace::Primaries::ProPhotoRgb:
        setCustomPrimaries({0.34567, 0.35850}, {0.7347, 0.2653}, {0.1596, 0.8404}, {0.0366, 0.0001}, encoding);
        return true;
    case QColorSpace::Primaries::Custom:
        break;
    }
    return setPrimariesFromProfile(space.iccProfile(), encoding);
}

// libjxl's gamma is the exponent that encodes, below 1.
bool setTransfer(const QColorSpace &space, JxlColorEncoding *encoding)
{
    switch (space.transferFunction()) {
    case QColorSpace::TransferFunction::Linear:
        encoding->transfer_function = JXL_TRANSFER_FUNCTION_LINEAR;
        return true;
    case QColorSpace::TransferFunction::SRgb:
        encoding->transfer_function = JXL_TRANSFER_FUNCTION_SRGB;
        return true;
    case QColorSpace::TransferFunction::Gamma:
        encoding->transfer_function = JXL_TRANSFER_FUNCTION_GAMMA;
        encoding->gamma = 1.0 / double(space.gamma());
        return space.gamma() >= 1.0f;
    case QColorSpace::TransferFunction::ProPhotoRgb: // a linear toe no power law has
    case QColorSpace::TransferFunction::Custom: // a table
        break;
    }
    return false;
}

// The picture's colours said in the codestream whenever libjxl's own
// description holds them: a lossy file then decodes from its XYB straight
// back to them, where one tagged by a profile alone decodes to linear sRGB
// and needs colour management to look right. Other spaces keep their
// profile. A picture without a space is sRGB.
JxlEncoderStatus describeColours(JxlEncoder *encoder, const QColorSpace &space)
{
    JxlColorEncoding encoding;
    JxlColorEncodingSetToSRGB(&encoding, JXL_FALSE);
    if (!space.isValid())
        return JxlEncoderSetColorEncoding(encoder, &encoding);
    if (setPrimaries(space, &encoding) && setTransfer(space, &encoding))
        return JxlEncoderSetColorEncoding(encoder, &encoding);
    const QByteArray icc = space.iccProfile();
    return JxlEncoderSetICCProfile(encoder, reinterpret_cast<const uint8_t *>(icc.constData()), size_t(icc.size()));
}

QByteArray encodeJxl(const QImage &image, int quality, const JxlEncoding &encoding)
{
    const bool alpha = image.hasAlphaChannel();
    const QImage rows = image.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    const JxlEncoderPtr encoder = JxlEncoderMake(nullptr);
    // The picture's share of the cores, as cjxl takes every core.
    const JxlThreadParallelRunnerPtr runner = JxlThreadParallelRunnerMake(
            nullptr, size_t(pixelaccess::coresForPicture()));
    if (!runner || JxlEncoderSetParallelRunner(encoder.get(), JxlThreadParallelRunner, runner.get()) != JXL_ENC_SUCCESS)
        return QByteArray();
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
    const JxlEncoderStatus coloured = describeColours(encoder.get(), image.colorSpace());
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
        if (!decodeJxl(contents(), JxlExtent::FirstFrame, &picture))
            return false;
        *image = inOwnColours(picture);
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
        if (!decodeJxl(const_cast<JxlHandler *>(this)->contents(), JxlExtent::Header, &picture))
            return QVariant();
        if (option == ImageFormat)
            return imageFormatFor(picture.info, picture.deep());
        return picture.size();
    }

    // The frames an animation shows, counted from their headers alone.
    int imageCount() const override
    {
        JxlPicture picture;
        if (!decodeJxl(const_cast<JxlHandler *>(this)->contents(), JxlExtent::FrameCount, &picture))
            return 0;
        return qMax(1, picture.frames);
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

// libjxl prints the reasons of a failure to stderr itself, through glibc's
// checked vfprintf, each line led by its source file and line: "JXL_FAILURE:
// what" and its API's complaints ("frame processing failed"), then the
// lines of its unwinding ("JXL_RETURN_IF_ERROR code=1: expression"). Taken
// here (the program's definition comes before the C library's), a reason is
// logged as the decoder's words, which the run's capture puts beside the
// file's name, and the unwinding, which names no reason, is dropped; every
// other print goes on to the C library.
extern "C" int __vfprintf_chk(FILE *stream, int flag, const char *format, va_list arguments)
{
    using Print = int (*)(FILE *, int, const char *, va_list);
    static const auto print = reinterpret_cast<Print>(dlsym(RTLD_NEXT, "__vfprintf_chk"));
    static constexpr char lead[] = "%s:%d: ";
    if (stream != stderr || std::strncmp(format, lead, sizeof lead - 1) != 0)
        return print(stream, flag, format, arguments);
    char line[512];
    const int length = vsnprintf(line, sizeof line, format, arguments);
    const char *source = std::strstr(line, "lib/jxl/");
    const char *words = source ? std::strstr(source, ": ") : nullptr;
    if (!words)
        return std::fputs(line, stream) < 0 ? -1 : length;
    words += 2;
    static constexpr char failure[] = "JXL_FAILURE: ";
    if (std::strncmp(words, failure, sizeof failure - 1) == 0)
        words += sizeof failure - 1;
    else if (std::strncmp(words, "JXL_", 4) == 0)
        return length;
    qWarning("%s", qPrintable(QString::fromUtf8(words).trimmed()));
    return length;
}

// libjxl's own buffers beside a float picture it fills, per pixel: its
// frame in floats and the groups' rows, 14.9 bytes measured on a lossy
// 12 MP file (2.8 beside 8-bit samples).
constexpr qint64 floatDecodeOwnBytes = 15;

qint64 jxlDecoderBytes(QIODevice &device)
{
    JxlPicture picture;
    if (!decodeJxl(device.readAll(), JxlExtent::Colours, &picture) || !picture.needsConversion())
        return 0;
    const qint64 floatBytes = 4 * sizeof(float);
    return qint64(picture.info.xsize) * picture.info.ysize * (floatBytes + floatDecodeOwnBytes);
}

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
