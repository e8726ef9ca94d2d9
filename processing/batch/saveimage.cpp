#include "pipeline/imageprocessor.h"

#include "batch/bmpwriter.h"
#include "core/pixelaccess.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

namespace {

// JPEG and Qt's BMP writer keep no alpha: dropping it would show the colours
// stored under transparent pixels (black after a turn), so the picture is
// laid on white, as a page shows it.
QImage opaqueForFormat(const QImage &image, const QString &format)
{
    const QString name = format.toUpper();
    const bool keepsAlpha = name != QLatin1String("JPG") && name != QLatin1String("JPEG")
            && name != QLatin1String("BMP");
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

} // namespace

// The encoder writes into memory; the file is a QSaveFile, a temporary file
// beside the target that only commit() renames into place. Any failure
// before that discards the temporary file and leaves an existing file of the
// name alone. A BMP carries no metadata, so edit has nothing to do there: a
// 32-bit picture goes straight into the file through our writer, without a
// file-sized buffer.
bool ImageProcessor::saveImage(const QImage &image, const QString &path, const QString &format,
                               int quality, QString *errorString, const EncodedFileEdit &edit)
{
    auto fail = [errorString](const QString &reason) {
        if (errorString)
            *errorString = reason;
        return false;
    };
    const QImage picture = opaqueForFormat(image, format);
    if (picture.isNull())
        return fail(QStringLiteral("cannot write: the processed image is empty"));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write: %1").arg(file.errorString().toLower()));

    if (format.toUpper() == QLatin1String("BMP") && bmpwriter::writes(picture.format())) {
        if (!bmpwriter::write(picture, &file) || !file.commit()) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return fail(QStringLiteral("cannot write: %1").arg(reason.toLower()));
        }
        return true;
    }
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format.toUtf8());
    writer.setQuality(quality);
    if (!writer.write(picture)) {
        file.cancelWriting();
        return fail(QStringLiteral("cannot write: %1").arg(writer.errorString().toLower()));
    }
    if (edit)
        edit(encoded);
    // A full disk shows here or at commit; the file knows the real reason.
    if (file.write(encoded) != encoded.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(QStringLiteral("cannot write: %1").arg(reason.toLower()));
    }
    return true;
}
