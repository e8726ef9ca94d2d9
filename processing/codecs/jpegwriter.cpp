#include "codecs/jpegwriter.h"

#include "codecs/jpegerrors.h"

#include <QColorSpace>
#include <QList>

#include <cmath>

namespace {

// Encoded straight into a QByteArray that doubles when full.
struct ByteArrayDestination
{
    jpeg_destination_mgr manager;
    QByteArray *bytes;
};

void startDestination(j_compress_ptr info)
{
    auto *destination = reinterpret_cast<ByteArrayDestination *>(info->dest);
    destination->manager.next_output_byte = reinterpret_cast<JOCTET *>(destination->bytes->data());
    destination->manager.free_in_buffer = size_t(destination->bytes->size());
}

boolean growDestination(j_compress_ptr info)
{
    auto *destination = reinterpret_cast<ByteArrayDestination *>(info->dest);
    QByteArray &bytes = *destination->bytes;
    const qsizetype used = bytes.size();
    bytes.resize(used * 2);
    destination->manager.next_output_byte = reinterpret_cast<JOCTET *>(bytes.data() + used);
    destination->manager.free_in_buffer = size_t(bytes.size() - used);
    return TRUE;
}

void finishDestination(j_compress_ptr info)
{
    auto *destination = reinterpret_cast<ByteArrayDestination *>(info->dest);
    destination->bytes->resize(destination->bytes->size() - qsizetype(destination->manager.free_in_buffer));
}

// Qt's choice of unit: dots per inch unless dots per centimetre come nearer
// to whole numbers, weighed in inches.
void setDensity(jpeg_compress_struct &info, const QImage &image)
{
    const double xInch = image.dotsPerMeterX() * 2.54 / 100.0;
    const double yInch = image.dotsPerMeterY() * 2.54 / 100.0;
    const double xCentimetre = image.dotsPerMeterX() / 100.0;
    const double yCentimetre = image.dotsPerMeterY() / 100.0;
    const double inchError = std::abs(xInch - qRound(xInch)) + std::abs(yInch - qRound(yInch));
    const double centimetreError =
            (std::abs(xCentimetre - qRound(xCentimetre)) + std::abs(yCentimetre - qRound(yCentimetre))) * 2.54;
    const bool inches = inchError < centimetreError;
    info.density_unit = inches ? 1 : 2;
    info.X_density = UINT16(qRound(inches ? xInch : xCentimetre));
    info.Y_density = UINT16(qRound(inches ? yInch : yCentimetre));
}

// The texts as comments and the colour profile, in the order Qt writes them.
struct Markers
{
    QList<QByteArray> comments;
    QByteArray profile;
};

Markers markersOf(const QImage &image)
{
    Markers markers;
    for (const QString &key : image.textKeys())
        markers.comments << (key + QStringLiteral(": ") + image.text(key)).toUtf8();
    markers.profile = image.colorSpace().iccProfile();
    return markers;
}

// Kept apart from encode, and without an object that has a destructor:
// longjmp leaves this frame when libjpeg fails.
bool compress(jpeg_compress_struct &info, JpegErrors &errors, const QImage &image, int quality,
              const jpegwriter::JpegEncoding &encoding, const Markers &markers)
{
    if (setjmp(errors.failed))
        return false;
    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    const bool grey = image.format() == QImage::Format_Grayscale8;
    info.input_components = grey ? 1 : 4;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGRX;
    jpeg_set_defaults(&info);
    setDensity(info, image);
    jpeg_set_quality(&info, qBound(1, quality, 100), TRUE);
    // The brightness component carries the sampling factors; the colour
    // components keep libjpeg's one sample per block.
    if (!grey) {
        info.comp_info[0].h_samp_factor = encoding.chromaStepX;
        info.comp_info[0].v_samp_factor = encoding.chromaStepY;
    }
    if (encoding.progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    for (const QByteArray &comment : markers.comments)
        jpeg_write_marker(&info, JPEG_COM, reinterpret_cast<const JOCTET *>(comment.constData()),
                          unsigned(comment.size()));
    if (!markers.profile.isEmpty())
        jpeg_write_icc_profile(&info, reinterpret_cast<const JOCTET *>(markers.profile.constData()),
                               unsigned(markers.profile.size()));
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

} // namespace

namespace jpegwriter {

bool writes(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_Grayscale8;
}

QByteArray encode(const QImage &image, int quality, const JpegEncoding &encoding)
{
    // A photo compresses to well under a tenth of its stored pixels.
    QByteArray bytes(std::max<qsizetype>(64 * 1024, image.sizeInBytes() / 8), Qt::Uninitialized);
    jpeg_compress_struct info;
    JpegErrors errors;
    info.err = jumpingErrors(errors);
    jpeg_create_compress(&info);
    ByteArrayDestination destination{{nullptr, 0, startDestination, growDestination, finishDestination},
                                     &bytes};
    info.dest = &destination.manager;
    const Markers markers = markersOf(image);
    const bool compressed = compress(info, errors, image, quality, encoding, markers);
    jpeg_destroy_compress(&info);
    return compressed ? bytes : QByteArray();
}

} // namespace jpegwriter
