#include "formats/saveimage.h"

#include "codecs/bmpwriter.h"
#include "formats/decodermessages.h"
#include "codecs/jpegwriter.h"
#include "core/pixelaccess.h"
#include "formats/encoderoptions.h"
#include "formats/formattable.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A long input name makes a longer output name, which the file system may
// refuse.
QString tooLongReason(const QString &path)
{
    const QFileInfo output(path);
    const qsizetype nameBytes = QFile::encodeName(output.fileName()).size();
    const long nameLimit = ::pathconf(QFile::encodeName(output.path()).constData(), _PC_NAME_MAX);
    if (nameLimit > 0 && nameBytes > nameLimit)
        return QStringLiteral("the output name is too long: %1 bytes, where the file system "
                              "allows %2").arg(nameBytes).arg(nameLimit);
    return QStringLiteral("the output path is too long");
}

// Why path must not be written: QSaveFile would write to the target of a
// symbolic link, and a device, pipe or folder of that name is no picture
// to replace. Empty when the name is free or a regular file.
QString occupiedReason(const QString &path)
{
    struct stat status;
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0) {
        if (errno == ENAMETOOLONG)
            return tooLongReason(path);
        return errno == ENOENT ? QString() : QStringLiteral("cannot inspect the output name");
    }
    if (S_ISLNK(status.st_mode))
        return QStringLiteral("the output name is a symbolic link");
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("the output name is not a regular file");
    return QString();
}

bool knowsWhy(const QFileDevice &file)
{
    return file.error() != QFileDevice::NoError
            && file.errorString() != QStringLiteral("Unknown error");
}

// The device's own words for a failed write (a full disk, a file size
// limit). A short write leaves no error on the file, so one more byte asks
// the device; the file is discarded anyway.
QString deviceReason(QSaveFile &file)
{
    if (!knowsWhy(file)) {
        file.write("", 1);
        file.flush();
    }
    return knowsWhy(file) ? file.errorString() : QStringLiteral("the device took less than written");
}

// A format without alpha (JPEG, BMP) would show the colours stored under
// transparent pixels (black after a turn), so the picture is laid on white,
// as a page shows it.
QImage opaqueForFormat(const QImage &image, const FileFormat &format)
{
    if (format.holdsAlpha || !image.hasAlphaChannel())
        return image;
    QImage flat(image.size(), QImage::Format_RGB32);
    if (flat.isNull())
        return flat;
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    painter.end();
    pixelaccess::copyMetadata(image, flat);
    return flat;
}

// What the encoder is handed: the picture laid on white for a format
// without alpha, with the resolution the run asks for (in dots per metre,
// as QImage keeps it) unless it keeps the input's.
QImage pictureFor(const QImage &image, const FileFormat &format, const JobSettings &settings)
{
    QImage picture = opaqueForFormat(image, format);
    const int dotsPerInch = settings.value(option::dpi);
    if (dotsPerInch == 0 || picture.isNull())
        return picture;
    const int dotsPerMeter = qRound(dotsPerInch / 0.0254);
    picture.setDotsPerMeterX(dotsPerMeter);
    picture.setDotsPerMeterY(dotsPerMeter);
    return picture;
}

jpegwriter::JpegEncoding jpegEncodingOf(const JobSettings &settings)
{
    const QString chroma = settings.value(option::chromaSubsampling);
    jpegwriter::JpegEncoding encoding;
    encoding.progressive = settings.value(option::progressive);
    encoding.chromaStepX = presets::chroma444.is(chroma) ? 1 : 2;
    encoding.chromaStepY = presets::chroma420.is(chroma) ? 2 : 1;
    return encoding;
}

// Qt's JPEG writer takes the formats ours does not (16 bits, palettes, 24
// bits) with its baseline 4:2:0 alone; for other choices the picture goes
// to ours, grey as Qt's would write it grey.
QImage forJpegWriter(const QImage &picture)
{
    const QImage::Format format = picture.format();
    const bool palette = format == QImage::Format_Mono || format == QImage::Format_MonoLSB
            || format == QImage::Format_Indexed8;
    const bool grey = format == QImage::Format_Grayscale16 || (palette && picture.allGray());
    return picture.convertToFormat(grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
}

// Qt's PNG writer takes zlib's level from a compression ratio of 0..100 as
// ratio * 9 / 91, and from the quality when no ratio is given.
int pngCompressionRatio(int level)
{
    return (level * 91 + 8) / 9;
}

// What Qt's writers and our plugins take of the format's encoder options.
void setEncoderOptions(QImageWriter &writer, const QByteArray &writerName, const JobSettings &settings)
{
    const int quality = settings.value(option::quality);
    writer.setQuality(quality);
    // Qt's TIFF writer compresses with LZW, or not at all.
    if (writerName == "tiff")
        writer.setCompression(1);
    const int pngLevel = settings.value(option::pngCompression);
    if (writerName == "png" && pngLevel >= 0)
        writer.setCompression(pngCompressionRatio(pngLevel));
    // Qt's WebP writer writes lossless at quality 100.
    if (writerName == "webp" && settings.value(option::webpLossless))
        writer.setQuality(100);
    if (writerName == "jxl") {
        writer.setCompression(settings.value(option::jxlEffort));
        if (settings.value(option::jxlLossless))
            writer.setSubType("lossless");
    }
}

// The file's bytes in memory. A failed encode is told by its reason; what
// Qt's encoder remarked on an encode that worked is passed on with the path.
bool encodeInMemory(const QImage &picture, const FileFormat &format, const JobSettings &settings,
                    const QString &path, QByteArray *encoded, QString *failure)
{
    const QByteArray writerName(format.reader);
    if (writerName == "jpeg") {
        const jpegwriter::JpegEncoding encoding = jpegEncodingOf(settings);
        const bool ours = jpegwriter::writes(picture.format());
        if (ours || !encoding.isQtDefault()) {
            *encoded = jpegwriter::encode(ours ? picture : forJpegWriter(picture), settings.value(option::quality),
                                          encoding);
            *failure = QStringLiteral("the JPEG encoder refused the picture");
            return !encoded->isEmpty();
        }
    }
    QBuffer buffer(encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, writerName);
    setEncoderOptions(writer, writerName, settings);
    QStringList encoderMessages;
    bool written;
    {
        DecoderMessages capture;
        written = writer.write(picture);
        encoderMessages = capture.messages();
    }
    if (!written) {
        *failure = writer.errorString().toLower();
        if (!encoderMessages.isEmpty())
            *failure += QStringLiteral(" (%1)").arg(encoderMessages.join(QStringLiteral("; ")));
        return false;
    }
    for (const QString &message : std::as_const(encoderMessages))
        qWarning("%s: %s", qPrintable(path), qPrintable(message));
    return true;
}

} // namespace

// Without an input to follow, "same as input" shows as JPG.
QByteArray encodedImage(const QImage &image, const QString &formatName, const JobSettings &settings)
{
    const FileFormat &format = outputFormatFor(formatName, QString());
    const QImage picture = pictureFor(image, format, settings);
    QByteArray encoded;
    QString failure;
    if (picture.isNull() || !encodeInMemory(picture, format, settings, QString(), &encoded, &failure))
        return QByteArray();
    return encoded;
}

// The encoder writes into memory; the file is a QSaveFile, a temporary file
// beside the target that only commit() renames into place. Any failure
// before that discards the temporary file and leaves an existing file of the
// name alone. A BMP carries no metadata, so edit has nothing to do there: a
// 32-bit picture goes straight into the file through our writer, without a
// file-sized buffer.
void saveImage(const QImage &image, const QString &path, const QString &formatName, const JobSettings &settings,
               InputOutcome &outcome, const EncodedFileEdit &edit)
{
    auto fail = [&outcome](const QString &reason) { outcome.fail(reason); };
    const FileFormat *written = formatWritten(formatName);
    if (!written)
        return fail(QStringLiteral("cannot write: no writer of %1").arg(formatName));
    const FileFormat &format = *written;
    const QImage picture = pictureFor(image, format, settings);
    if (picture.isNull())
        return fail(QStringLiteral("cannot write: the processed image is empty"));
    const QString occupied = occupiedReason(path);
    if (!occupied.isEmpty())
        return fail(QStringLiteral("cannot write: %1").arg(occupied));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write: %1").arg(file.errorString().toLower()));

    if (QByteArray(format.reader) == "bmp" && bmpwriter::writes(picture.format())) {
        if (!bmpwriter::write(picture, &file) || !file.commit()) {
            const QString reason = deviceReason(file);
            file.cancelWriting();
            return fail(QStringLiteral("cannot write: %1").arg(reason.toLower()));
        }
        return;
    }
    QByteArray encoded;
    QString encoderFailure;
    if (!encodeInMemory(picture, format, settings, path, &encoded, &encoderFailure)) {
        file.cancelWriting();
        return fail(QStringLiteral("cannot write: %1").arg(encoderFailure));
    }
    if (edit)
        edit(encoded);
    // A full disk shows here or at commit; the file knows the real reason.
    if (file.write(encoded) != encoded.size() || !file.commit()) {
        const QString reason = deviceReason(file);
        file.cancelWriting();
        return fail(QStringLiteral("cannot write: %1").arg(reason.toLower()));
    }
}
