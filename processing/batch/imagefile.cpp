#include "batch/imagefile.h"

#include "core/pixelaccess.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTransform>

namespace {

// The decoded size in bytes exceeds the allocation limit. Checked before
// decoding so that "too large" is told apart from "damaged".
bool exceedsAllocationLimit(const QImageReader &reader)
{
    const QSize size = reader.size();
    if (!size.isValid())
        return false;
    int bitsPerPixel = QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel();
    if (bitsPerPixel < 32)
        bitsPerPixel = 32; // most decoders hand out 32-bit images whatever the file holds
    const qint64 bytes = qint64(size.width()) * size.height() * (bitsPerPixel / 8);
    return bytes > qint64(allocationLimitMegabytes) * 1024 * 1024;
}

// Qt's own orientation step (setAutoTransform) returns the picture without
// its colour space.
QImage upright(const QImage &image, QImageIOHandler::Transformations transformation)
{
    QImage result = image.mirrored(transformation.testFlag(QImageIOHandler::TransformationMirror),
                                   transformation.testFlag(QImageIOHandler::TransformationFlip));
    if (transformation.testFlag(QImageIOHandler::TransformationRotate90))
        result = result.transformed(QTransform().rotate(90));
    pixelaccess::copyMetadata(image, result);
    return result;
}

QString readFailureReason(const QImageReader &reader, const QFile &file)
{
    if (reader.error() == QImageReader::DeviceError)
        return QStringLiteral("cannot read: %1").arg(file.errorString().toLower());
    return QStringLiteral("cannot read: unsupported or damaged image");
}

} // namespace

// Written once, not at every run, as other threads may be reading images meanwhile.
void raiseImageDecodeLimit()
{
    if (QImageReader::allocationLimit() != allocationLimitMegabytes)
        QImageReader::setAllocationLimit(allocationLimitMegabytes);
}

QImage loadImage(const QString &path, QString *reason)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        *reason = QStringLiteral("cannot read: no such file");
        return QImage();
    }
    if (info.isDir()) {
        *reason = QStringLiteral("cannot read: is a directory");
        return QImage();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = QStringLiteral("cannot read: %1").arg(file.errorString().toLower());
        return QImage();
    }
    if (info.isFile() && info.size() == 0) {
        *reason = QStringLiteral("cannot read: empty file");
        return QImage();
    }
    // The suffix is only a hint: the reader falls back to the file's content.
    QImageReader reader(&file, info.suffix().toLower().toLatin1());
    if (exceedsAllocationLimit(reader)) {
        const QSize size = reader.size();
        *reason = QStringLiteral("too large: %1x%2 exceeds the %3 MB limit")
                          .arg(size.width()).arg(size.height()).arg(allocationLimitMegabytes);
        return QImage();
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        *reason = readFailureReason(reader, file);
        return image;
    }
    return upright(image, reader.transformation());
}
