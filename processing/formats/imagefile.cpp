#include "formats/imagefile.h"

#include "formats/decodermessages.h"
#include "formats/imageheader.h"
#include "codecs/jpegreader.h"
#include "codecs/jpegstructure.h"
#include "codecs/pngreader.h"
#include "codecs/rawcodec.h"
#include "codecs/webpreader.h"
#include "core/picturememory.h"
#include "core/pixelaccess.h"
#include "geometry/uprightturn.h"

#include <QFile>
#include <QImageReader>
#include <QtPlugin>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <shared_mutex>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Our codecs, built in: Qt's readers and writers find them by name as they
// find its own plugins.
Q_IMPORT_PLUGIN(HeifPlugin)
Q_IMPORT_PLUGIN(JxlPlugin)
Q_IMPORT_PLUGIN(RawPlugin)

namespace {

constexpr qint64 allocationLimitBytes = qint64(allocationLimitMegabytes) * 1024 * 1024;

QString cannotRead(const QString &why)
{
    return QStringLiteral("cannot read: %1").arg(why);
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error)).toLower();
}

// Why stat failed, in the words a user needs: a dangling link is not the
// same as a name that was never there.
QString statFailure(const QByteArray &name, int error)
{
    struct stat link;
    switch (error) {
    case ENOENT:
        if (::lstat(name.constData(), &link) == 0 && S_ISLNK(link.st_mode))
            return cannotRead(QStringLiteral("symbolic link to a missing file"));
        return cannotRead(QStringLiteral("no such file"));
    case ELOOP:
        return cannotRead(QStringLiteral("symbolic link loop"));
    case EACCES:
        return cannotRead(
                QStringLiteral("permission denied (a folder on the way cannot be searched)"));
    default:
        return cannotRead(systemReason(error));
    }
}

// Why a file of this kind cannot be a picture; empty for a regular file.
QString kindFailure(const struct stat &status)
{
    if (S_ISDIR(status.st_mode))
        return cannotRead(QStringLiteral("is a directory"));
    if (!S_ISREG(status.st_mode))
        return cannotRead(QStringLiteral("not a regular file"));
    if (status.st_size == 0)
        return cannotRead(QStringLiteral("empty file"));
    return QString();
}

} // namespace

// The kind is checked before the open, so that a named pipe or a device is
// never opened, and again on the open descriptor, in case the name was
// replaced in between; the open itself never waits.
QString openRegularFile(const QString &path, QFile *file)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status;
    if (::stat(name.constData(), &status) != 0)
        return statFailure(name, errno);
    QString failure = kindFailure(status);
    if (!failure.isEmpty())
        return failure;
    const int descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return cannotRead(systemReason(errno));
    if (::fstat(descriptor, &status) != 0 || !(failure = kindFailure(status)).isEmpty()) {
        ::close(descriptor);
        return failure.isEmpty() ? cannotRead(systemReason(errno)) : failure;
    }
    if (!file->open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return cannotRead(file->errorString().toLower());
    }
    return QString();
}

namespace {

qint64 decodedBytes(QSize size, int bitsPerPixel)
{
    return (qint64(size.width()) * bitsPerPixel + 31) / 32 * 4 * size.height();
}

int decodedDepth(const QImageReader &reader)
{
    const QImage::Format format = reader.imageFormat();
    return format == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(format).bitsPerPixel();
}

// Qt's decode limit counts at least 32 bits per pixel, so it refuses a
// 1-bit scan that takes a 32nd of that. Such a decode raises the limit to
// what Qt will count, alone: every other decode holds this lock shared.
std::shared_mutex decodeLimitLock;

// A decoder handed an image of the size and format it gives writes into that
// image: so the picture can go to memory kept from the previous one. A
// scaled decode makes a picture of its own.
QImage decode(QImageReader &reader)
{
    const QSize size = reader.size();
    const QImage::Format format = reader.imageFormat();
    if (!size.isValid() || format == QImage::Format_Invalid || reader.scaledSize().isValid()) {
        QImage image;
        return reader.read(&image) ? image : QImage();
    }
    picturememory::DecodeTarget target(size, format, picturememory::Rows::MayBeLeft);
    return reader.read(&target.image) ? target.image : QImage();
}

QImage readWithinLimit(QImageReader &reader, QSize scaledSize = QSize())
{
    const QSize size = reader.size();
    if (scaledSize.isValid())
        reader.setScaledSize(scaledSize);
    const qint64 counted = size.isValid() ? decodedBytes(size, 32) : 0;
    if (counted <= allocationLimitBytes) {
        std::shared_lock<std::shared_mutex> shared(decodeLimitLock);
        return decode(reader);
    }
    std::unique_lock<std::shared_mutex> alone(decodeLimitLock);
    QImageReader::setAllocationLimit(int(counted / (1024 * 1024)) + 1);
    QImage image = decode(reader);
    QImageReader::setAllocationLimit(allocationLimitMegabytes);
    return image;
}

// The whole file, read beside the reader: pread leaves the position the
// reader works from where it is.
QByteArray contentsOf(QFile &file)
{
    QByteArray bytes(file.size(), Qt::Uninitialized);
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::pread(file.handle(), bytes.data() + done, size_t(bytes.size() - done), off_t(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += got;
    }
    bytes.truncate(done);
    return bytes;
}

// Grey and colour JPEGs by our decoder, the texts from the header Qt's
// reader has read; the rest by Qt's reader. A file whose scans would take
// work out of proportion to its picture is refused before either decodes.
// Both read the file a piece at a time, so that the picture is never held
// beside the whole file.
QImage readJpeg(QImageReader &reader, QFile &file, const DecodeRequest &request, InputOutcome &outcome)
{
    const jpegstructure::Layout layout = jpegstructure::readFile(file.handle(), file.size());
    const QString refusal = jpegstructure::refusal(layout);
    if (!refusal.isEmpty()) {
        outcome.fail(refusal);
        return QImage();
    }
    QImage image;
    switch (jpegreader::decodeFile(file.handle(), &image, request.stop, request.reduction)) {
    case jpegreader::Outcome::LeftToQt:
        image = readWithinLimit(reader, request.reduction > 1 ? reducedSize(reader.size(), request.reduction)
                                                              : QSize());
        break;
    case jpegreader::Outcome::Stopped:
        outcome = InputOutcome::stopped();
        return QImage();
    case jpegreader::Outcome::Failed:
        return QImage();
    case jpegreader::Outcome::Decoded:
        for (const QString &key : reader.textKeys())
            image.setText(key, reader.text(key));
        break;
    }
    // Cut within its coded data, a file never reaches its end of image.
    if (!image.isNull() && !layout.ended)
        outcome.warnings << cutShortWarning();
    return image;
}

// A still WebP picture to be reduced by libwebp, which averages it down as it
// decodes; at full size, and an animation, by Qt's reader.
QImage readWebp(QImageReader &reader, QFile &file, const DecodeRequest &request, InputOutcome &outcome)
{
    if (request.reduction == 1)
        return readWithinLimit(reader);
    QImage image;
    switch (webpreader::decodeScaled(contentsOf(file), reducedSize(reader.size(), request.reduction), &image,
                                     request.stop)) {
    case webpreader::Outcome::LeftToQt:
        return readWithinLimit(reader);
    case webpreader::Outcome::Stopped:
        outcome = InputOutcome::stopped();
        return QImage();
    case webpreader::Outcome::Failed:
    case webpreader::Outcome::Decoded:
        break;
    }
    return image;
}

// Non-interlaced grey and colour PNGs by our decoder, with what Qt's reader
// takes from their other chunks; the rest, and any damaged file, by Qt's.
QImage readPng(QImageReader &reader, QFile &file)
{
    QImage image;
    if (pngreader::decode(contentsOf(file), &image) == pngreader::Outcome::Decoded)
        return image;
    return readWithinLimit(reader);
}

QString tooLarge(QSize size)
{
    return QStringLiteral("too large: %1x%2 exceeds the %3 MB limit")
            .arg(size.width()).arg(size.height()).arg(allocationLimitMegabytes);
}

// The size the header claims beyond the allocation limit, checked before
// decoding so that "too large" is told apart from "damaged". The estimate
// takes the depth the decoder will hand out: a 1-bit scan stays 1 bit.
QString sizeFailure(const QImageReader &reader)
{
    const QSize size = reader.size();
    if (!size.isValid())
        return QString();
    return decodedBytes(size, decodedDepth(reader)) > allocationLimitBytes ? tooLarge(size)
                                                                           : QString();
}

// After a failed decode: a header claiming more than the limit explains it.
QString readFailure(const QImageReader &reader, QFile &file, const QByteArray &head)
{
    if (reader.error() == QImageReader::DeviceError)
        return cannotRead(file.errorString().toLower());
    ClaimedPicture claim{reader.size(), 32};
    if (!claim.size.isValid())
        claim = claimedPicture(head);
    if (claim.size.isValid() && decodedBytes(claim.size, claim.bitsPerPixel) > allocationLimitBytes)
        return tooLarge(claim.size);
    return cannotRead(QStringLiteral("unsupported or damaged image"));
}

// What a picture that did decode lacks, beyond what the decoder said.
QStringList decodedWarnings(QFile &file, const QByteArray &format, int frames)
{
    QStringList warnings;
    const QString truncation = truncationOf(file, format);
    if (!truncation.isEmpty())
        warnings << truncation;
    if (frames > 1)
        warnings << QStringLiteral("only the first of its %1 frames is used").arg(frames);
    return warnings;
}

// Our reason, then what the decoder said, in brackets.
QString withDecoderWords(const QString &reason, const QStringList &said)
{
    return said.isEmpty() ? reason : QStringLiteral("%1 (%2)").arg(reason, said.join(QStringLiteral("; ")));
}

// The decoder's words explain a damage we name ourselves: they follow it,
// once, rather than stand beside it as a warning of their own.
QStringList withDecoderWords(QStringList ours, const QStringList &said)
{
    const auto damage = std::find_if(ours.begin(), ours.end(), [](const QString &warning) {
        return warning.startsWith(QLatin1String("damaged: "));
    });
    if (damage == ours.end())
        return said + ours;
    *damage = withDecoderWords(*damage, said);
    return ours;
}

// Where no pixel is, a decoder would make up a blank picture: asked from
// the start of the file, after which the reader goes on where it was.
QString missingPixelsOf(QFile &file, const QByteArray &format)
{
    const qint64 position = file.pos();
    const QString missing = missingPixels(file, format);
    file.seek(position);
    return missing;
}

// Qt's own orientation step (setAutoTransform) returns the picture without
// its colour space.
QImage upright(const QImage &image, QImageIOHandler::Transformations transformation)
{
    QImage result = uprightTurn(image, transformation.testFlag(QImageIOHandler::TransformationMirror),
                                transformation.testFlag(QImageIOHandler::TransformationFlip),
                                transformation.testFlag(QImageIOHandler::TransformationRotate90));
    pixelaccess::copyMetadata(image, result);
    return result;
}

} // namespace

qint64 StoppableFile::readData(char *data, qint64 maxSize)
{
    if (stop && stop->load(std::memory_order_relaxed)) {
        refused = true;
        setErrorString(QStringLiteral("stopped"));
        return -1;
    }
    return QFile::readData(data, maxSize);
}

// Qt's reader looks for a format's decoder among all of them unless told
// not to: which loads every one.
QByteArray readByContent(QImageReader &reader, QFile &file)
{
    const QByteArray signature = signatureFormat(file.peek(cameraRawHeadBytes));
    reader.setDecideFormatFromContent(signature.isEmpty());
    reader.setFormat(signature);
    reader.setAutoDetectImageFormat(signature.isEmpty());
    return reader.format();
}

// A decoder refused a read by the request to stop may hand out what it had
// (Qt's JPEG reader takes a failed read for the end of the file): it is
// dropped, as the picture was not read whole.
QImage decodeBounded(QImageReader &reader, StoppableFile &file, const DecodeRequest &request,
                     InputOutcome &outcome)
{
    const QByteArray format = reader.format();
    QString refusal = sizeFailure(reader);
    // A size the reader does not give is a header its decoder refuses.
    if (refusal.isEmpty() && reader.size().isValid())
        refusal = missingPixelsOf(file, format);
    if (!refusal.isEmpty()) {
        outcome.fail(refusal);
        return QImage();
    }
    const QImage image = format == "jpeg" ? readJpeg(reader, file, request, outcome)
            : format == "png"             ? readPng(reader, file)
            : format == "webp"            ? readWebp(reader, file, request, outcome)
                                          : readWithinLimit(reader);
    if (file.readRefused())
        outcome = InputOutcome::stopped();
    else if (image.isNull() && outcome.kind == InputOutcome::Kind::Written)
        outcome.fail(readFailure(reader, file, file.seek(0) ? file.peek(256) : QByteArray()));
    return outcome.kind == InputOutcome::Kind::Written ? image : QImage();
}

int decodeReduction(QSize stored, QImageIOHandler::Transformations transformation, const ScaleTarget &target)
{
    if (!target || !stored.isValid())
        return 1;
    const QSize upright = transformation.testFlag(QImageIOHandler::TransformationRotate90) ? stored.transposed()
                                                                                           : stored;
    const QSize wanted = target(upright);
    if (!wanted.isValid())
        return 1;
    const ReductionBar &bar = target.reductionBar();
    for (const int reduction : {8, 4, 2}) {
        const QSize kept = reducedSize(upright, reduction);
        const bool whole = upright.width() % reduction == 0 && upright.height() % reduction == 0;
        const double multiple = bar.multipleAt(reduction);
        if (kept.width() >= multiple * wanted.width() && kept.height() >= multiple * wanted.height()
            && (whole || !bar.wholeBlocks))
            return reduction;
    }
    return 1;
}

namespace {

// The start of the file reader reads, which is left where it was.
QByteArray headOf(QImageReader &reader)
{
    QIODevice *device = reader.device();
    if (!device || device->isSequential())
        return QByteArray();
    const qint64 position = device->pos();
    const QByteArray head = device->seek(0) ? device->peek(32) : QByteArray();
    device->seek(position);
    return head;
}

} // namespace

// JPEG files are decoded reduced by libjpeg's reduced inverse transforms,
// still WebP files by libwebp's rescaler.
int reductionFor(QImageReader &reader, const ScaleTarget &target)
{
    const QByteArray format = reader.format();
    const bool reducible = format == "jpeg" || (format == "webp" && !webpreader::isAnimated(headOf(reader)));
    if (!target || !reducible)
        return 1;
    return decodeReduction(reader.size(), reader.transformation(), target);
}

QSize reducedSize(QSize size, int reduction)
{
    return QSize((size.width() + reduction - 1) / reduction, (size.height() + reduction - 1) / reduction);
}

// Written once, not at every run, as other threads may be reading images meanwhile.
void raiseImageDecodeLimit()
{
    std::shared_lock<std::shared_mutex> shared(decodeLimitLock);
    if (QImageReader::allocationLimit() != allocationLimitMegabytes)
        QImageReader::setAllocationLimit(allocationLimitMegabytes);
}

QString formatRefusal(const QByteArray &format)
{
    if (format == "svg" || format == "svgz")
        return cannotRead(QStringLiteral("SVG pictures are not accepted"));
    return QString();
}

QImage loadImage(const QString &path, InputOutcome &outcome, const std::atomic<bool> *stop,
                 const ScaleTarget &target)
{
    const auto failed = [&outcome](const QString &reason) {
        outcome.fail(reason);
        return QImage();
    };
    StoppableFile file(stop);
    const QString unopened = openRegularFile(path, &file);
    if (!unopened.isEmpty())
        return failed(unopened);
    DecoderMessages decoderMessages;
    QImageReader reader(&file);
    const QByteArray format = readByContent(reader, file);
    decoderMessages.expectFormat(format);
    if (const QString refusal = formatRefusal(format); !refusal.isEmpty())
        return failed(refusal);
    const QImage image = decodeBounded(reader, file, DecodeRequest{stop, reductionFor(reader, target)}, outcome);
    if (image.isNull()) {
        if (outcome.failed())
            outcome.reason = withDecoderWords(outcome.reason, decoderMessages.messages());
        return QImage();
    }
    const QImageIOHandler::Transformations transformation = reader.transformation();
    // Counted from the start of the file, where a decoder that counts afresh
    // (TIFF) expects it.
    const int frames = file.seek(0) ? reader.imageCount() : 0;
    outcome.warnings = withDecoderWords(outcome.warnings + decodedWarnings(file, format, frames),
                                        decoderMessages.messages());
    return upright(image, transformation);
}
