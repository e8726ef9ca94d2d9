#include "batchworker.h"

#include "imageprocessor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMetaObject>
#include <QObject>
#include <QSet>

#include <exception>
#include <new>

namespace {

// Qt's default of 256 MB refuses ordinary camera and scanner images; beyond
// 1024 MB one decoded input would starve the rest of the run.
constexpr int allocationLimitMegabytes = 1024;

// Two texts name the same file when this key is equal: the cleaned absolute
// path, or for an existing file its canonical path, so that a symbolic link
// to an input counts as that input.
QString fileKey(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    return QDir::cleanPath(info.absoluteFilePath());
}

// The first of derivedPath, then "_2", "_3", ... before its extension, that
// is not in claimed.
QString freeOutputPath(const QString &derivedPath, const QSet<QString> &claimed)
{
    if (!claimed.contains(fileKey(derivedPath)))
        return derivedPath;
    const int nameStart = derivedPath.lastIndexOf(QLatin1Char('/')) + 1;
    int dot = derivedPath.lastIndexOf(QLatin1Char('.'));
    if (dot < nameStart)
        dot = derivedPath.size();
    const QString stem = derivedPath.left(dot);
    const QString extension = derivedPath.mid(dot);
    for (int suffix = 2;; ++suffix) {
        const QString candidate = stem + QLatin1Char('_') + QString::number(suffix) + extension;
        if (!claimed.contains(fileKey(candidate)))
            return candidate;
    }
}

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

QString readFailureReason(const QImageReader &reader, const QFile &file)
{
    if (reader.error() == QImageReader::DeviceError)
        return QStringLiteral("cannot read: %1").arg(file.errorString().toLower());
    return QStringLiteral("cannot read: unsupported or damaged image");
}

// Decodes path with its EXIF orientation applied. On failure returns a null
// image and stores a short reason.
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
    reader.setAutoTransform(true);
    if (exceedsAllocationLimit(reader)) {
        const QSize size = reader.size();
        *reason = QStringLiteral("too large: %1x%2 exceeds the %3 MB limit")
                          .arg(size.width()).arg(size.height()).arg(allocationLimitMegabytes);
        return QImage();
    }
    QImage image = reader.read();
    if (image.isNull())
        *reason = readFailureReason(reader, file);
    return image;
}

// The fixed chain; each step runs only when its option asks for it.
QImage applyChain(ImageProcessor &processor, QImage image, const JobSettings &settings)
{
    if (settings.standardSize != QStringLiteral("自定义"))
        image = processor.applyStandardSize(image, settings.standardSize);
    if (settings.aspectRatio != QStringLiteral("原始比例"))
        image = processor.applyAspectRatio(image, settings.aspectRatio);
    if (settings.width > 0 && settings.height > 0) {
        image = settings.crop
                ? processor.cropImage(image, settings.width, settings.height)
                : processor.resizeImage(image, settings.width, settings.height,
                                        settings.keepAspectRatio);
    }
    if (settings.brightness != 0)
        image = processor.adjustBrightness(image, settings.brightness);
    if (settings.contrast != 0)
        image = processor.adjustContrast(image, settings.contrast);
    if (settings.saturation != 100)
        image = processor.adjustSaturation(image, settings.saturation);
    if (settings.rotation != 0)
        image = processor.rotateImage(image, settings.rotation);
    if (settings.flipHorizontal || settings.flipVertical)
        image = processor.flipImage(image, settings.flipHorizontal, settings.flipVertical);
    if (settings.filter != QStringLiteral("无"))
        image = processor.applyFilter(image, settings.filter, settings.filterIntensity);
    if (settings.autoEnhanceEnabled)
        image = processor.autoEnhance(image);
    if (settings.extractChannelEnabled)
        image = processor.extractChannel(image, settings.channel);
    if (settings.gridSplit)
        image = processor.splitGrid(image, settings.gridRows, settings.gridCols);
    if (settings.watermark && !settings.watermarkText.isEmpty())
        image = processor.addWatermark(image, settings.watermarkText, settings.watermarkColor,
                                       settings.watermarkOpacity, settings.watermarkFontSize,
                                       settings.watermarkPositionIndex);
    if (settings.border)
        image = processor.addBorder(image, settings.borderThickness, settings.borderColor);
    return image;
}

// Loads, processes and writes one input. Returns the reason of a failure, or
// an empty text when the output was written. An exception ends only this
// input, never the run.
QString processInput(ImageProcessor &processor, const QString &inputPath,
                     const QString &outputPath, const JobSettings &settings)
{
    QString reason;
    try {
        const QImage loaded = loadImage(inputPath, &reason);
        if (loaded.isNull())
            return reason;
        const QImage result = applyChain(processor, loaded, settings);
        if (!processor.saveImage(result, outputPath, settings.format, settings.quality, &reason))
            return reason;
    } catch (const std::bad_alloc &) {
        return QStringLiteral("out of memory");
    } catch (const std::exception &error) {
        return QStringLiteral("failed: %1").arg(QString::fromLocal8Bit(error.what()));
    }
    return QString();
}

} // namespace

QString makeOutputPath(const QString &inputPath, int position, const JobSettings &settings)
{
    const QString extension = settings.format.toLower();
    QString name;
    if (settings.batchRename && !settings.batchPrefix.isEmpty()) {
        // Concatenated, not formatted: the prefix may hold percent signs.
        name = settings.batchPrefix + QLatin1Char('_')
                + QStringLiteral("%1").arg(position, 4, 10, QLatin1Char('0'));
    } else {
        name = QFileInfo(inputPath).baseName() + QStringLiteral("_processed");
    }
    return settings.outputDirectory + QLatin1Char('/') + name + QLatin1Char('.') + extension;
}

// Written once, not at every run, as other threads may be reading images meanwhile.
void raiseImageDecodeLimit()
{
    if (QImageReader::allocationLimit() != allocationLimitMegabytes)
        QImageReader::setAllocationLimit(allocationLimitMegabytes);
}

void runBatch(JobSettings settings, QObject *receiver, const std::atomic<bool> *cancelRequested)
{
    raiseImageDecodeLimit();
    ImageProcessor processor;
    const int count = settings.imagePaths.size();

    // Inputs are never overwritten, nor an output of this run by a later one.
    QSet<QString> claimed;
    for (const QString &path : std::as_const(settings.imagePaths))
        claimed.insert(fileKey(path));

    for (int position = 1; position <= count; ++position) {
        if (cancelRequested && cancelRequested->load())
            break;
        const QString &inputPath = settings.imagePaths.at(position - 1);
        const QString outputPath =
                freeOutputPath(makeOutputPath(inputPath, position, settings), claimed);
        const QString failure = processInput(processor, inputPath, outputPath, settings);
        if (failure.isEmpty())
            claimed.insert(fileKey(outputPath));
        else
            QMetaObject::invokeMethod(receiver, "fileFailed", Qt::QueuedConnection,
                                      Q_ARG(QString, inputPath), Q_ARG(QString, failure));
        const int percent = int(qint64(position) * 100 / count);
        QMetaObject::invokeMethod(receiver, "updateProgress", Qt::QueuedConnection,
                                  Q_ARG(int, percent));
    }
    QMetaObject::invokeMethod(receiver, "processingFinished", Qt::QueuedConnection);
}
