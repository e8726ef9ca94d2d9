#include "formats/saveimage.h"

#include "codecs/bmpwriter.h"
#include "formats/decodermessages.h"
#include "codecs/jpegwriter.h"
#include "core/pixelaccess.h"
#include "job/presets.h"

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

// Format names are taken in any case; "JPEG" is Qt's other name for JPG.
bool isFormat(const QString &format, const PresetEntry &entry)
{
    return entry.is(format.toUpper());
}

bool isJpeg(const QString &format)
{
    return isFormat(format, presets::jpg) || format.toUpper() == QLatin1String("JPEG");
}

// JPEG and Qt's BMP writer keep no alpha: dropping it would show the colours
// stored under transparent pixels (black after a turn), so the picture is
// laid on white, as a page shows it.
QImage opaqueForFormat(const QImage &image, const QString &format)
{
    const bool keepsAlpha = !isJpeg(format) && !isFormat(format, presets::bmp);
    if (keepsAlpha || !image.hasAlphaChannel())
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

// The file's bytes in memory. A failed encode is told by its reason; what
// Qt's encoder remarked on an encode that worked is passed on with the path.
bool encodeInMemory(const QImage &picture, const QString &format, int quality, const QString &path,
                    QByteArray *encoded, QString *failure)
{
    if (isJpeg(format) && jpegwriter::writes(picture.format())) {
        *encoded = jpegwriter::encode(picture, quality);
        *failure = QStringLiteral("the JPEG encoder refused the picture");
        return !encoded->isEmpty();
    }
    QBuffer buffer(encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format.toUtf8());
    writer.setQuality(quality);
    QStringList encoderMessages;
    bool written;
    {
        DecoderMessages capture;
        written = writer.write(picture);
        encoderMessages = capture.messages();
    }
    if (!written) {
        *failure = writer.errorString().toLower();
        return false;
    }
    for (const QString &message : std::as_const(encoderMessages))
        qWarning("%s: %s", qPrintable(path), qPrintable(message));
    return true;
}

} // namespace

QByteArray encodedImage(const QImage &image, const QString &format, int quality)
{
    const QImage picture = opaqueForFormat(image, format);
    QByteArray encoded;
    QString failure;
    if (picture.isNull() || !encodeInMemory(picture, format, quality, QString(), &encoded, &failure))
        return QByteArray();
    return encoded;
}

// The encoder writes into memory; the file is a QSaveFile, a temporary file
// beside the target that only commit() renames into place. Any failure
// before that discards the temporary file and leaves an existing file of the
// name alone. A BMP carries no metadata, so edit has nothing to do there: a
// 32-bit picture goes straight into the file through our writer, without a
// file-sized buffer.
void saveImage(const QImage &image, const QString &path, const QString &format, int quality,
               InputOutcome &outcome, const EncodedFileEdit &edit)
{
    auto fail = [&outcome](const QString &reason) { outcome.fail(reason); };
    const QImage picture = opaqueForFormat(image, format);
    if (picture.isNull())
        return fail(QStringLiteral("cannot write: the processed image is empty"));
    const QString occupied = occupiedReason(path);
    if (!occupied.isEmpty())
        return fail(QStringLiteral("cannot write: %1").arg(occupied));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write: %1").arg(file.errorString().toLower()));

    if (isFormat(format, presets::bmp) && bmpwriter::writes(picture.format())) {
        if (!bmpwriter::write(picture, &file) || !file.commit()) {
            const QString reason = deviceReason(file);
            file.cancelWriting();
            return fail(QStringLiteral("cannot write: %1").arg(reason.toLower()));
        }
        return;
    }
    QByteArray encoded;
    QString encoderFailure;
    if (!encodeInMemory(picture, format, quality, path, &encoded, &encoderFailure)) {
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
