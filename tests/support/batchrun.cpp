#include "batchrun.h"

#include "run/options.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QtEndian>

#include <algorithm>

#include <exiv2/exiv2.hpp>

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

JobSettings atQuality(int quality)
{
    JobSettings settings;
    settings.set(option::quality, quality);
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

QString jpegWithExif(const QString &path, const QStringList &tags)
{
    if (writeImage(path).isEmpty())
        return QString();
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    image->readMetadata();
    for (const QString &tag : tags)
        image->exifData()[tag.section('=', 0, 0).toStdString()] = tag.section('=', 1).toStdString();
    image->writeMetadata();
    return path;
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

// Bits packed most significant first, as JPEG's entropy coding does, with
// a zero stuffed after every 0xFF byte.
class JpegBits
{
public:
    void put(quint32 value, int length)
    {
        for (int bit = length - 1; bit >= 0; --bit) {
            byte = quint8(byte << 1 | ((value >> bit) & 1));
            if (++count == 8)
                flushByte();
        }
    }
    QByteArray finished()
    {
        while (count != 0)
            put(1, 1);
        return bytes;
    }

private:
    void flushByte()
    {
        bytes.append(char(byte));
        if (byte == 0xFF)
            bytes.append('\0');
        byte = 0;
        count = 0;
    }
    QByteArray bytes;
    quint8 byte = 0;
    int count = 0;
};

QByteArray jpegSegment(quint8 marker, const QByteArray &payload)
{
    QByteArray segment("\xFF");
    segment.append(char(marker));
    segment.append(char((payload.size() + 2) >> 8)).append(char((payload.size() + 2) & 0xFF));
    return segment + payload;
}

// The AC table holds the runs of empty blocks (EOB0 to EOB14), each with a
// four-bit code equal to its run class.
void putEmptyBlocks(JpegBits &bits, qint64 blocks)
{
    while (blocks > 0) {
        const qint64 run = std::min<qint64>(blocks, 32767);
        int runClass = 0;
        while ((qint64(2) << runClass) <= run)
            ++runClass;
        bits.put(quint32(runClass), 4);
        bits.put(quint32(run - (qint64(1) << runClass)), runClass);
        blocks -= run;
    }
}

// LZW codes packed least significant first, as GIF does.
class GifBits
{
public:
    void put(int code, int length)
    {
        bits |= quint32(code) << count;
        for (count += length; count >= 8; count -= 8, bits >>= 8)
            bytes.append(char(bits & 0xFF));
    }
    QByteArray finished()
    {
        if (count > 0)
            bytes.append(char(bits & 0xFF));
        return bytes;
    }

private:
    QByteArray bytes;
    quint32 bits = 0;
    int count = 0;
};

QByteArray lzwCodes(const QByteArray &pixels)
{
    constexpr int clear = 256;
    GifBits bits;
    QHash<quint32, int> table;
    int next = clear + 2;
    int codeSize = 9;
    bits.put(clear, codeSize);
    int prefix = quint8(pixels.at(0));
    for (qsizetype index = 1; index < pixels.size(); ++index) {
        const int pixel = quint8(pixels.at(index));
        const quint32 key = quint32(prefix) << 8 | quint32(pixel);
        if (table.contains(key)) {
            prefix = table.value(key);
            continue;
        }
        bits.put(prefix, codeSize);
        if (next < 4096) {
            table.insert(key, next++);
            if (next > (1 << codeSize) && codeSize < 12)
                ++codeSize;
        } else {
            bits.put(clear, codeSize);
            table.clear();
            next = clear + 2;
            codeSize = 9;
        }
        prefix = pixel;
    }
    bits.put(prefix, codeSize);
    bits.put(clear + 1, codeSize);
    return bits.finished();
}

} // namespace

QByteArray progressiveJpeg(int width, int height, int acScans, const QList<QPair<int, int>> &sampling)
{
    QByteArray frame;
    frame.append(char(8)).append(char(height >> 8)).append(char(height & 0xFF));
    frame.append(char(width >> 8)).append(char(width & 0xFF)).append(char(sampling.size()));
    QByteArray dcScan(1, char(sampling.size()));
    for (int component = 0; component < sampling.size(); ++component) {
        frame.append(char(component + 1))
                .append(char(sampling.at(component).first << 4 | sampling.at(component).second))
                .append('\0');
        dcScan.append(char(component + 1)).append('\0');
    }
    dcScan.append(QByteArray(3, '\0'));
    QByteArray acCounts(16, '\0');
    acCounts[3] = 15;
    QByteArray acSymbols;
    for (int runClass = 0; runClass < 15; ++runClass)
        acSymbols.append(char(runClass << 4));
    QByteArray jpeg("\xFF\xD8");
    jpeg += jpegSegment(0xDB, QByteArray(1, '\0') + QByteArray(64, '\1'));
    jpeg += jpegSegment(0xC2, frame);
    jpeg += jpegSegment(0xC4, QByteArray(1, '\0') + QByteArray(1, '\1') + QByteArray(15, '\0') + QByteArray(1, '\0'));
    jpeg += jpegSegment(0xC4, QByteArray(1, '\x10') + acCounts + acSymbols);
    jpeg += jpegSegment(0xDA, dcScan);
    if (sampling != QList<QPair<int, int>>{{1, 1}})
        return jpeg;
    const qint64 blocks = qint64((width + 7) / 8) * ((height + 7) / 8);
    JpegBits dc;
    for (qint64 block = 0; block < blocks; ++block)
        dc.put(0, 1);
    jpeg += dc.finished();
    for (int scan = 0; scan < acScans; ++scan) {
        jpeg += jpegSegment(0xDA, QByteArray("\1\1\0\1\x3F\0", 6));
        JpegBits ac;
        putEmptyBlocks(ac, blocks);
        jpeg += ac.finished();
    }
    return jpeg + "\xFF\xD9";
}

QByteArray lzwGif(const QImage &grey, qsizetype codeBytes)
{
    QByteArray gif("GIF89a");
    auto add16 = [&gif](int value) { gif.append(char(value & 0xFF)).append(char(value >> 8)); };
    add16(grey.width());
    add16(grey.height());
    gif.append(char(0xF7)).append('\0').append('\0');
    for (int level = 0; level < 256; ++level)
        gif.append(char(level)).append(char(level)).append(char(level));
    gif.append(',');
    add16(0);
    add16(0);
    add16(grey.width());
    add16(grey.height());
    gif.append('\0').append(char(8));
    QByteArray pixels;
    for (int y = 0; y < grey.height(); ++y)
        pixels.append(reinterpret_cast<const char *>(grey.constScanLine(y)), grey.width());
    QByteArray codes = lzwCodes(pixels);
    if (codeBytes >= 0)
        codes.truncate(codeBytes);
    for (qsizetype start = 0; start < codes.size(); start += 255) {
        const QByteArray block = codes.mid(start, 255);
        gif.append(char(block.size())).append(block);
    }
    return gif.append('\0').append(';');
}

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
