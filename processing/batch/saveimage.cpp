#include "pipeline/imageprocessor.h"

#include <QImageWriter>
#include <QSaveFile>

// The encoder writes into a QSaveFile, which is a temporary file beside the
// target; only commit() renames it into place. Any failure before that
// discards the temporary file and leaves an existing file of the name alone.
bool ImageProcessor::saveImage(const QImage &image, const QString &path, const QString &format,
                               int quality, QString *errorString)
{
    auto fail = [errorString](const QString &reason) {
        if (errorString)
            *errorString = reason;
        return false;
    };
    if (image.isNull())
        return fail(QStringLiteral("cannot write: the processed image is empty"));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write: %1").arg(file.errorString().toLower()));

    QImageWriter writer(&file, format.toUtf8());
    writer.setQuality(quality);
    if (!writer.write(image)) {
        // A full disk shows as a device error; the file knows the real reason.
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString()
                                                                    : writer.errorString();
        file.cancelWriting();
        return fail(QStringLiteral("cannot write: %1").arg(reason.toLower()));
    }
    if (!file.commit())
        return fail(QStringLiteral("cannot write: %1").arg(file.errorString().toLower()));
    return true;
}
