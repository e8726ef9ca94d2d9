#include "batchrun.h"

#include <QBuffer>
#include <QtEndian>

BatchRecorder::BatchRecorder()
{
    QObject::connect(&report, &RunReport::progressed, &report, [this](int percent) {
        record(QStringLiteral("progress"));
        progress << percent;
    });
    QObject::connect(&report, &RunReport::inputFailed, &report, [this](const QString &path, const QString &reason) {
        record(QStringLiteral("failed"));
        failedPaths << path;
        failureReasons << reason;
    });
    QObject::connect(&report, &RunReport::inputSkipped, &report, [this](const QString &path, const QString &reason) {
        record(QStringLiteral("skipped"));
        skippedPaths << path;
        skipReasons << reason;
    });
    QObject::connect(&report, &RunReport::inputWarned, &report, [this](const QString &path, const QString &message) {
        record(QStringLiteral("warning"));
        warningPaths << path;
        warnings << message;
    });
    QObject::connect(&report, &RunReport::finished, &report, [this] {
        record(QStringLiteral("finished"));
        ++finishedCount;
    });
}

QString BatchRecorder::reasonFor(const QString &path) const
{
    const int index = failedPaths.indexOf(path);
    return index < 0 ? QString() : failureReasons.at(index);
}

void BatchRecorder::record(const QString &event)
{
    events << event;
    allOnOwnThread = allOnOwnThread && QThread::currentThread() == report.thread();
}

namespace batchrun {

JobSettings settingsFor(const QStringList &inputs, const QString &outputDirectory)
{
    JobSettings settings;
    settings.imagePaths = inputs;
    settings.outputDirectory = outputDirectory;
    return settings;
}

void runHere(const JobSettings &settings, BatchRecorder &recorder, const std::atomic<bool> *cancelRequested)
{
    runBatch(settings, &recorder.report, cancelRequested);
    QCoreApplication::sendPostedEvents(&recorder.report);
}

QImage testImage(int width, int height, int seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 255) / qMax(1, width - 1), (y * 255) / qMax(1, height - 1),
                                      (seed * 37) % 256));
    }
    return image;
}

QString writeImage(const QString &path, const QImage &image)
{
    return image.save(path) ? path : QString();
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? path : QString();
}

QByteArray fileChecksum(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

QStringList entriesOf(const QString &directory)
{
    return QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                     QDir::Name);
}

namespace {

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xffffffffu;
    for (char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

} // namespace

QByteArray encoded(const QImage &image, const char *format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, format, quality) ? bytes : QByteArray();
}

QByteArray pngClaiming(quint32 width, quint32 height)
{
    QByteArray png = encoded(testImage(8, 8), "PNG");
    // Signature (8), IHDR length (4), then "IHDR" and its 13 data bytes.
    qToBigEndian(width, png.data() + 16);
    qToBigEndian(height, png.data() + 20);
    qToBigEndian(crc32(png.mid(12, 17)), png.data() + 29);
    return png;
}

} // namespace batchrun
