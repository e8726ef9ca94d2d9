#include "formats/thumbnail.h"

#include "codecs/heifcodec.h"
#include "codecs/jpegstructure.h"
#include "codecs/rawcodec.h"
#include "formats/decodermessages.h"
#include "formats/imagefile.h"
#include "formats/imageheader.h"

#include <QBuffer>
#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>
#include <QTransform>

namespace {

// EXIF must sit in the first APP1 segment, which is at most 64 KiB long.
constexpr qint64 exifSearchLength = 2 + 4 + 65535 + 4096;

constexpr quint16 jpegInterchangeFormatTag = 0x0201;
constexpr quint16 jpegInterchangeFormatLengthTag = 0x0202;

// Reads the TIFF structure of an EXIF block with its byte order, refusing
// every access outside the block.
class TiffReader
{
public:
    explicit TiffReader(const QByteArray &tiff)
        : data(tiff), littleEndian(tiff.startsWith("II"))
    {
    }

    bool valid() const
    {
        return data.size() >= 8 && (data.startsWith("II*\0") || data.startsWith(QByteArray("MM\0*", 4)));
    }

    bool read16(qint64 offset, quint32 *value) const { return read(offset, 2, value); }
    bool read32(qint64 offset, quint32 *value) const { return read(offset, 4, value); }
    qint64 size() const { return data.size(); }
    QByteArray mid(qint64 offset, qint64 length) const { return data.mid(offset, length); }

private:
    bool read(qint64 offset, int width, quint32 *value) const
    {
        if (offset < 0 || offset + width > data.size())
            return false;
        quint32 result = 0;
        for (int index = 0; index < width; ++index) {
            const quint32 byte = quint8(data.at(offset + (littleEndian ? width - 1 - index : index)));
            result = (result << 8) | byte;
        }
        *value = result;
        return true;
    }

    const QByteArray &data;
    bool littleEndian;
};

// The TIFF block inside the first APP1 "Exif" segment before the image data.
QByteArray exifBlock(const QByteArray &jpeg)
{
    if (!jpeg.startsWith("\xFF\xD8"))
        return {};
    qint64 position = 2;
    while (position + 4 <= jpeg.size()) {
        if (quint8(jpeg.at(position)) != 0xFF)
            return {};
        const quint8 marker = quint8(jpeg.at(position + 1));
        if (marker == 0xFF) { // fill byte
            ++position;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) // start of scan, end of image
            return {};
        const qint64 length = (quint8(jpeg.at(position + 2)) << 8) | quint8(jpeg.at(position + 3));
        if (length < 2)
            return {};
        const QByteArray segment = jpeg.mid(position + 4, length - 2);
        if (marker == 0xE1 && segment.startsWith(QByteArray("Exif\0\0", 6)))
            return segment.mid(6);
        position += 2 + length;
    }
    return {};
}

// Offset and length of the preview from the entries of IFD1.
QByteArray previewOfIfd(const TiffReader &tiff, quint32 ifd)
{
    quint32 count = 0;
    if (!tiff.read16(ifd, &count))
        return {};
    quint32 offset = 0;
    quint32 length = 0;
    for (quint32 entry = 0; entry < count; ++entry) {
        const qint64 at = qint64(ifd) + 2 + 12 * qint64(entry);
        quint32 tag = 0;
        quint32 value = 0;
        if (!tiff.read16(at, &tag) || !tiff.read32(at + 8, &value))
            return {};
        if (tag == jpegInterchangeFormatTag)
            offset = value;
        else if (tag == jpegInterchangeFormatLengthTag)
            length = value;
    }
    if (offset == 0 || length == 0 || qint64(offset) + length > tiff.size())
        return {};
    return tiff.mid(offset, length);
}

// Mirror and flip come before the quarter turn, as the reader applies them.
QImage oriented(const QImage &image, QImageIOHandler::Transformations transformation)
{
    QImage result = image.mirrored(transformation.testFlag(QImageIOHandler::TransformationMirror),
                                   transformation.testFlag(QImageIOHandler::TransformationFlip));
    if (transformation.testFlag(QImageIOHandler::TransformationRotate90))
        result = result.transformed(QTransform().rotate(90));
    return result;
}

// Decoded only when its header claims at most largest pixels on its longer
// side and no more than the picture has, and its scans take no more work
// than its size warrants; a preview much larger than the box is decoded
// reduced by libjpeg.
QImage decodedPreview(const QByteArray &preview, const QSize &storedSize, int extent, int largest)
{
    QBuffer buffer;
    buffer.setData(preview);
    QImageReader reader(&buffer, "jpeg");
    reader.setAutoTransform(false);
    const QSize claimed = reader.size();
    if (!claimed.isValid() || qMax(claimed.width(), claimed.height()) > largest
        || claimed.width() > storedSize.width() || claimed.height() > storedSize.height()
        || !jpegstructure::refusal(jpegstructure::read(preview, jpegstructure::Extent::AllScans)).isEmpty())
        return {};
    if (qMax(claimed.width(), claimed.height()) > largestPreviewPerExtent * extent)
        reader.setScaledSize(claimed.scaled(extent, extent, Qt::KeepAspectRatio));
    return reader.read();
}

QImage fitted(const QImage &image, int extent)
{
    if (image.isNull() || image.size() == image.size().scaled(extent, extent, Qt::KeepAspectRatio))
        return image;
    return image.scaled(extent, extent, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

// A preview is good enough when it need not be enlarged and it fills the
// box exactly as the picture would.
QImage fittedPreview(const QImage &preview, const QSize &storedSize, int extent)
{
    if (preview.isNull() || qMax(preview.width(), preview.height()) < extent)
        return {};
    const QSize wanted = storedSize.scaled(extent, extent, Qt::KeepAspectRatio);
    const QSize offered = preview.size().scaled(extent, extent, Qt::KeepAspectRatio);
    if (qAbs(wanted.width() - offered.width()) > 1 || qAbs(wanted.height() - offered.height()) > 1)
        return {};
    return preview.scaled(wanted.expandedTo(QSize(1, 1)), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The preview a file of format carries, fitted to the box and turned
// upright: a JPEG's EXIF preview, a HEIC or AVIF file's thumbnail, a raw
// file's JPEG preview (which may be as large as the picture, and still
// costs far less than developing it). Null when there is none fit to use.
QImage embeddedPreview(const QByteArray &format, const QByteArray &head, QFile &file, const QSize &storedSize,
                       QImageIOHandler::Transformations transformation, int extent)
{
    const int largest = largestPreviewPerExtent * extent;
    if (format == "jpeg")
        return oriented(fittedPreview(decodedPreview(embeddedExifPreview(head), storedSize, extent, largest),
                                      storedSize, extent),
                        transformation);
    if (format != "heic" && format != "avif" && format != "raw")
        return {};
    const qint64 position = file.pos();
    const QByteArray bytes = file.seek(0) ? file.readAll() : QByteArray();
    file.seek(position);
    if (format != "raw")
        return fittedPreview(heifThumbnail(bytes, extent, largest), storedSize, extent);
    const RawPreview raw = rawPreview(bytes);
    const int whole = qMax(raw.storedSize.width(), raw.storedSize.height());
    return oriented(fittedPreview(decodedPreview(raw.jpeg, raw.storedSize, extent, whole), raw.storedSize, extent),
                    raw.transformation);
}

} // namespace

QByteArray embeddedExifPreview(const QByteArray &jpegHead)
{
    const QByteArray block = exifBlock(jpegHead);
    const TiffReader tiff(block);
    if (!tiff.valid())
        return {};
    quint32 ifd0 = 0;
    quint32 entries = 0;
    quint32 ifd1 = 0;
    if (!tiff.read32(4, &ifd0) || !tiff.read16(ifd0, &entries)
        || !tiff.read32(qint64(ifd0) + 2 + 12 * qint64(entries), &ifd1) || ifd1 == 0)
        return {};
    return previewOfIfd(tiff, ifd1);
}

QImage makeThumbnail(const QString &path, int extent, const std::atomic<bool> *stop, QString *failure,
                     QStringList *warnings)
{
    InputOutcome outcome;
    const auto refused = [&](const QString &reason) {
        outcome.fail(reason);
        return QImage();
    };
    // A failed thumbnail carries the run's reason for the same file; what a
    // decoder says of a damaged file is reported by the run that reads it,
    // with its name; here it would reach stderr without one.
    const auto finished = [&](const QImage &thumbnail) {
        if (failure && thumbnail.isNull() && outcome.failed())
            *failure = outcome.reason;
        return thumbnail;
    };
    StoppableFile file(stop);
    if (const QString unopened = openRegularFile(path, &file); !unopened.isEmpty())
        return finished(refused(unopened));
    const DecoderMessages heardAtRun;
    // Peeked: the decoder then takes these bytes from the file's buffer. A
    // JPEG's data is weighed whole, before the reader moves through it.
    const QByteArray head = file.peek(exifSearchLength);
    const QByteArray wholeJpeg = head.startsWith("\xFF\xD8") ? file.peek(file.size()) : QByteArray();
    QImageReader reader(&file);
    const QByteArray format = readByContent(reader, file);
    heardAtRun.expectFormat(format);
    if (const QString refusal = formatRefusal(format); !refusal.isEmpty())
        return finished(refused(refusal));
    reader.setAutoTransform(false);
    const QSize storedSize = reader.size();
    if (!storedSize.isValid())
        return finished(fitted(decodeBounded(reader, file, DecodeRequest{stop}, outcome), extent));
    const QImageIOHandler::Transformations transformation = reader.transformation();
    // The camera's preview outlives damage to the picture: it stands for the
    // picture only when the run would decode it whole.
    bool previewStands = true;
    if (format == "jpeg") {
        const jpegstructure::Layout layout = jpegstructure::read(wholeJpeg, jpegstructure::Extent::AllScans);
        if (const QString refusal = jpegstructure::refusal(layout); !refusal.isEmpty())
            return finished(refused(refusal));
        // A file cut short ends within coded data, before its end of image.
        previewStands = layout.ended;
        if (!previewStands && warnings)
            *warnings = {cutShortWarning()};
    }
    if (const QImage preview =
                previewStands ? embeddedPreview(format, head, file, storedSize, transformation, extent) : QImage();
        !preview.isNull())
        return preview;
    // The box is square, so the size fitted before the turn fits after it.
    const ScaleTarget fit(
            [extent](QSize size) { return size.scaled(extent, extent, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)); },
            thumbnailReduction);
    const DecodeRequest request{stop, reductionFor(reader, fit)};
    QImage image = decodeBounded(reader, file, request, outcome);
    if (!image.isNull())
        image = image.scaled(fit(storedSize), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return finished(image.isNull() ? image : oriented(image, transformation));
}
