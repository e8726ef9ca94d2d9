// HEIC and AVIF files through libheif, as a reader and writer of Qt's, so
// that every place that opens a picture through QImageReader (the run, the
// memory budget's header read, thumbnails) reads them too.
#include "codecs/heifcodec.h"

#include "codecs/ycbcrplanes.h"

#include <QColorSpace>
#include <QIODevice>
#include <QImage>
#include <QImageIOHandler>
#include <QImageIOPlugin>
#include <QVariant>

#include <libheif/heif.h>

#include <memory>
#include <vector>

namespace {

using Context = std::unique_ptr<heif_context, decltype(&heif_context_free)>;
using Handle = std::unique_ptr<heif_image_handle, decltype(&heif_image_handle_release)>;
using Image = std::unique_ptr<heif_image, decltype(&heif_image_release)>;
using Encoder = std::unique_ptr<heif_encoder, decltype(&heif_encoder_release)>;

// The brands of the files read here: AVIF's and HEIF's still pictures and
// sequences (whose first picture is the primary one).
bool isAvifBrand(const QByteArray &brand)
{
    return brand == "avif" || brand == "avis";
}

bool isHeicBrand(const QByteArray &brand)
{
    static const QByteArrayList brands = {"heic", "heix", "hevc", "hevx", "heim",
                                          "heis", "hevm", "hevs", "mif1", "msf1"};
    return brands.contains(brand);
}

// libheif's words for a failure, logged so that the run's capture puts them
// beside the file's name.
bool succeeded(const heif_error &error)
{
    if (error.code == heif_error_Ok)
        return true;
    qWarning("%s", error.message);
    return false;
}

// The colours the file declares: its ICC profile, or its nclx primaries and
// transfer, which Qt knows for sRGB and Display P3 primaries with an sRGB
// or linear curve.
QColorSpace colourSpaceOf(const heif_image_handle *handle)
{
    const heif_color_profile_type type = heif_image_handle_get_color_profile_type(handle);
    if (type == heif_color_profile_type_prof || type == heif_color_profile_type_rICC) {
        QByteArray icc(qsizetype(heif_image_handle_get_raw_color_profile_size(handle)), Qt::Uninitialized);
        if (heif_image_handle_get_raw_color_profile(handle, icc.data()).code == heif_error_Ok)
            return QColorSpace::fromIccProfile(icc);
        return QColorSpace();
    }
    heif_color_profile_nclx *nclx = nullptr;
    if (heif_image_handle_get_nclx_color_profile(handle, &nclx).code != heif_error_Ok)
        return QColorSpace();
    QColorSpace::Primaries primaries = QColorSpace::Primaries::Custom;
    if (nclx->color_primaries == heif_color_primaries_ITU_R_BT_709_5)
        primaries = QColorSpace::Primaries::SRgb;
    else if (nclx->color_primaries == heif_color_primaries_SMPTE_EG_432_1)
        primaries = QColorSpace::Primaries::DciP3D65;
    const heif_transfer_characteristics transfer = nclx->transfer_characteristics;
    heif_nclx_color_profile_free(nclx);
    if (primaries == QColorSpace::Primaries::Custom)
        return QColorSpace();
    if (transfer == heif_transfer_characteristic_linear)
        return QColorSpace(primaries, QColorSpace::TransferFunction::Linear);
    return QColorSpace(primaries, QColorSpace::TransferFunction::SRgb);
}

// 8-bit pictures as RGB888 or RGBA8888; deeper ones as 16-bit samples, their
// values stretched from the file's depth to the full range.
QImage pixelsOf(const heif_image *decoded, QSize size, int depth, bool alpha)
{
    int stride = 0;
    const uint8_t *plane = heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
    if (!plane)
        return QImage();
    if (depth <= 8) {
        const QImage view(plane, size.width(), size.height(), stride,
                          alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
        return view.copy();
    }
    QImage image(size, alpha ? QImage::Format_RGBA64 : QImage::Format_RGBX64);
    if (image.isNull())
        return image;
    const int shift = 16 - depth;
    for (int y = 0; y < size.height(); ++y) {
        const auto *in = reinterpret_cast<const quint16 *>(plane + qsizetype(y) * stride);
        auto *out = reinterpret_cast<quint16 *>(image.scanLine(y));
        for (int x = 0; x < size.width() * 4; ++x)
            out[x] = quint16(in[x] << shift | in[x] >> (depth - shift));
    }
    return image;
}

// A picture of the file, turned as its irot and imir boxes say, in the
// colours it declares.
QImage decodedPicture(heif_image_handle *handle)
{
    const QSize size(heif_image_handle_get_width(handle), heif_image_handle_get_height(handle));
    const bool alpha = heif_image_handle_has_alpha_channel(handle);
    const int depth = heif_image_handle_get_luma_bits_per_pixel(handle);
    const heif_chroma chroma = depth > 8 ? heif_chroma_interleaved_RRGGBBAA_LE
            : alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB;
    heif_image *decoded = nullptr;
    if (!succeeded(heif_decode_image(handle, &decoded, heif_colorspace_RGB, chroma, nullptr)))
        return QImage();
    const Image owned(decoded, &heif_image_release);
    QImage image = pixelsOf(decoded, size, depth, alpha);
    image.setColorSpace(colourSpaceOf(handle));
    return image;
}

// The run's allocation limit, tighter than libheif's, judges the size the
// boxes claim before any decode, and says "too large".
bool readBoxes(heif_context *context, const QByteArray &bytes)
{
    heif_context_set_maximum_image_size_limit(context, 1 << 20);
    return succeeded(heif_context_read_from_memory_without_copy(context, bytes.constData(), size_t(bytes.size()),
                                                                nullptr));
}

class HeifHandler : public QImageIOHandler
{
public:
    bool canRead() const override
    {
        const QByteArray format = heifFormat(device()->peek(12));
        if (format.isEmpty())
            return false;
        setFormat(format);
        return true;
    }

    bool read(QImage *image) override
    {
        if (!parse())
            return false;
        *image = decodedPicture(handle.get());
        return !image->isNull();
    }

    bool write(const QImage &image) override
    {
        const QByteArray encoded = encode(image);
        return !encoded.isEmpty() && device()->write(encoded) == encoded.size();
    }

    bool supportsOption(ImageOption option) const override
    {
        return option == Size || option == Quality;
    }

    QVariant option(ImageOption option) const override
    {
        if (option == Size && const_cast<HeifHandler *>(this)->parse())
            return pictureSize();
        return QVariant();
    }

    void setOption(ImageOption option, const QVariant &value) override
    {
        if (option == Quality)
            quality = value.toInt();
    }

private:
    // The file's boxes, read once: the size is known without decoding.
    bool parse()
    {
        if (handle)
            return true;
        if (bytes.isEmpty())
            bytes = device()->readAll();
        if (!readBoxes(context.get(), bytes))
            return false;
        heif_image_handle *primary = nullptr;
        if (!succeeded(heif_context_get_primary_image_handle(context.get(), &primary)))
            return false;
        handle.reset(primary);
        return true;
    }

    QSize pictureSize() const
    {
        return QSize(heif_image_handle_get_width(handle.get()), heif_image_handle_get_height(handle.get()));
    }

    QByteArray encode(const QImage &image) const;

    QByteArray bytes;
    Context context{heif_context_alloc(), &heif_context_free};
    Handle handle{nullptr, &heif_image_handle_release};
    int quality = 85;
};

// The encoders' speed: libaom's 8 and x265's "ultrafast" take a few
// seconds for a 12 MP picture where their defaults take ten to forty (x265's
// "fast" 14.5 s, for the same PSNR and 1 % fewer bytes).
Encoder encoderFor(heif_context *context, bool avif, int quality)
{
    heif_encoder *encoder = nullptr;
    if (!succeeded(heif_context_get_encoder_for_format(
                context, avif ? heif_compression_AV1 : heif_compression_HEVC, &encoder)))
        return Encoder(nullptr, &heif_encoder_release);
    Encoder owned(encoder, &heif_encoder_release);
    heif_encoder_set_lossy_quality(encoder, qBound(1, quality, 100));
    if (avif)
        heif_encoder_set_parameter_integer(encoder, "speed", 8);
    else
        heif_encoder_set_parameter_string(encoder, "preset", "ultrafast");
    return owned;
}

heif_error appendTo(heif_context *, const void *data, size_t size, void *target)
{
    static_cast<QByteArray *>(target)->append(static_cast<const char *>(data), qsizetype(size));
    return heif_error{heif_error_Ok, heif_suberror_Unspecified, "ok"};
}

// A plane of 8-bit samples added to the picture.
bool addPlane(heif_image *picture, heif_channel channel, int width, int height, ycbcr::Plane *plane)
{
    if (!succeeded(heif_image_add_plane(picture, channel, width, height, 8)))
        return false;
    int stride = 0;
    plane->bits = heif_image_get_plane(picture, channel, &stride);
    plane->stride = stride;
    return plane->bits != nullptr;
}

// The matrix and range the planes are made with, which the encoder writes
// into the stream; the primaries and transfer are sRGB's unless a profile
// says otherwise, and then the profile is the file's statement of them.
bool stateColours(heif_image *picture, bool profiled)
{
    const std::unique_ptr<heif_color_profile_nclx, decltype(&heif_nclx_color_profile_free)> nclx(
            heif_nclx_color_profile_alloc(), &heif_nclx_color_profile_free);
    if (!nclx)
        return false;
    nclx->color_primaries = profiled ? heif_color_primaries_unspecified : heif_color_primaries_ITU_R_BT_709_5;
    nclx->transfer_characteristics = profiled ? heif_transfer_characteristic_unspecified
                                              : heif_transfer_characteristic_IEC_61966_2_1;
    nclx->matrix_coefficients = heif_matrix_coefficients_ITU_R_BT_601_6;
    nclx->full_range_flag = 1;
    return succeeded(heif_image_set_nclx_color_profile(picture, nclx.get()));
}

// 8 bits a sample in YCbCr 4:2:0, which both encoders take as they are,
// with alpha when the picture has it, and its ICC profile.
QByteArray HeifHandler::encode(const QImage &image) const
{
    const int width = image.width();
    const int height = image.height();
    heif_image *created = nullptr;
    if (!succeeded(heif_image_create(width, height, heif_colorspace_YCbCr, heif_chroma_420, &created)))
        return QByteArray();
    const Image picture(created, &heif_image_release);
    ycbcr::Planes420 planes;
    const int chromaWidth = (width + 1) / 2;
    const int chromaHeight = (height + 1) / 2;
    if (!addPlane(created, heif_channel_Y, width, height, &planes.y)
        || !addPlane(created, heif_channel_Cb, chromaWidth, chromaHeight, &planes.cb)
        || !addPlane(created, heif_channel_Cr, chromaWidth, chromaHeight, &planes.cr)
        || (image.hasAlphaChannel() && !addPlane(created, heif_channel_Alpha, width, height, &planes.alpha)))
        return QByteArray();
    ycbcr::fromPicture(image, planes);
    const QByteArray icc = image.colorSpace().iccProfile();
    if (!stateColours(created, !icc.isEmpty()))
        return QByteArray();
    if (!icc.isEmpty())
        heif_image_set_raw_color_profile(created, "prof", icc.constData(), size_t(icc.size()));

    const Context target(heif_context_alloc(), &heif_context_free);
    const Encoder encoder = encoderFor(target.get(), format() == "avif", quality);
    if (!encoder || !succeeded(heif_context_encode_image(target.get(), created, encoder.get(), nullptr, nullptr)))
        return QByteArray();
    QByteArray encoded;
    heif_writer writer{1, &appendTo};
    return succeeded(heif_context_write(target.get(), &writer, &encoded)) ? encoded : QByteArray();
}

} // namespace

QByteArray heifFormat(const QByteArray &head)
{
    if (head.size() < 12 || head.mid(4, 4) != "ftyp")
        return QByteArray();
    const QByteArray brand = head.mid(8, 4);
    return isAvifBrand(brand) ? QByteArrayLiteral("avif")
            : isHeicBrand(brand) ? QByteArrayLiteral("heic")
                                 : QByteArray();
}

QImage heifThumbnail(const QByteArray &file, int extent, int largest)
{
    const Context context(heif_context_alloc(), &heif_context_free);
    heif_image_handle *primary = nullptr;
    if (!readBoxes(context.get(), file) || !succeeded(heif_context_get_primary_image_handle(context.get(), &primary)))
        return QImage();
    const Handle picture(primary, &heif_image_handle_release);
    const QSize pictureSize(heif_image_handle_get_width(primary), heif_image_handle_get_height(primary));
    const int count = heif_image_handle_get_number_of_thumbnails(primary);
    std::vector<heif_item_id> ids(size_t(qMax(count, 0)));
    heif_image_handle_get_list_of_thumbnail_IDs(primary, ids.data(), count);
    Handle chosen(nullptr, &heif_image_handle_release);
    int chosenSide = 0;
    for (const heif_item_id id : ids) {
        heif_image_handle *thumbnail = nullptr;
        if (!succeeded(heif_image_handle_get_thumbnail(primary, id, &thumbnail)))
            continue;
        Handle owned(thumbnail, &heif_image_handle_release);
        const QSize size(heif_image_handle_get_width(thumbnail), heif_image_handle_get_height(thumbnail));
        const int side = qMax(size.width(), size.height());
        if (side >= extent && side <= largest && side > chosenSide && size.width() <= pictureSize.width()
            && size.height() <= pictureSize.height()) {
            chosen = std::move(owned);
            chosenSide = side;
        }
    }
    return chosen ? decodedPicture(chosen.get()) : QImage();
}

class HeifPlugin : public QImageIOPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "heifcodec.json")

public:
    Capabilities capabilities(QIODevice *device, const QByteArray &format) const override
    {
        if (format == "avif" || format == "heic" || format == "heif")
            return CanRead | CanWrite;
        if (!format.isEmpty() || !device || !device->isReadable())
            return {};
        return heifFormat(device->peek(12)).isEmpty() ? Capabilities() : CanRead;
    }

    QImageIOHandler *create(QIODevice *device, const QByteArray &format) const override
    {
        auto *handler = new HeifHandler;
        handler->setDevice(device);
        handler->setFormat(format == "heif" ? QByteArrayLiteral("heic") : format);
        return handler;
    }
};

#include "heifcodec.moc"
