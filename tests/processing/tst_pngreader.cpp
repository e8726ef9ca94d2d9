#include "batchrun.h"
#include "formats/imagefile.h"
#include "codecs/pngreader.h"
#include "differential.h"

#include <QColorSpace>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <cstdlib>

// Our PNG decoder stands in for Qt's on grey and colour files of 8 and 16
// bits, plain or interlaced, so a loaded PNG must be what Qt's reader gives:
// format, pixels, resolution, offset, colour space and texts; only a colour
// key is read as the file says, where Qt's reader errs. The files are
// written here chunk by chunk, with every filter each layout can carry.
class PngReaderTest : public QObject
{
    Q_OBJECT

private slots:
    void sameAsQt_data();
    void sameAsQt();
    void qtsOwnFilesSameAsQt_data();
    void qtsOwnFilesSameAsQt();
    void keyedTransparentExactly_data();
    void keyedTransparentExactly();
    void leftToQt_data();
    void leftToQt();
    void mutantsDecodeAsQt_data();
    void mutantsDecodeAsQt();

private:
    QString save(const QByteArray &png);
    QTemporaryDir directory;
    int saved = 0;
};

namespace {

struct Picture
{
    int colorType;
    int bitDepth;
    int width;
    int height;
};

int channels(const Picture &picture)
{
    const int channels[] = {1, 0, 3, 0, 2, 0, 4};
    return channels[picture.colorType];
}

// The filters' step: one pixel, or one byte for pixels below 8 bits.
int bytesPerPixel(const Picture &picture)
{
    return std::max(1, channels(picture) * picture.bitDepth / 8);
}

int rowBytes(const Picture &picture)
{
    return (picture.width * channels(picture) * picture.bitDepth + 7) / 8;
}

// Sample values, channel after channel, pixel after pixel, row after row.
using Samples = QList<int>;

// CRC-32 bit by bit, as the PNG format defines it.
quint32 crc32(const char *bytes, qsizetype size)
{
    quint32 crc = 0xffffffffu;
    for (qsizetype i = 0; i < size; ++i) {
        crc ^= uchar(bytes[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? (crc >> 1) ^ 0xedb88320u : crc >> 1;
    }
    return ~crc;
}

QByteArray chunk(const char *type, const QByteArray &data)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(quint32(data.size()), bytes.data());
    bytes.append(type, 4).append(data);
    QByteArray crc(4, '\0');
    qToBigEndian(crc32(bytes.constData() + 4, data.size() + 4), crc.data());
    return bytes + crc;
}

QByteArray header(const Picture &picture, int interlace = 0)
{
    QByteArray data(13, '\0');
    qToBigEndian(quint32(picture.width), data.data());
    qToBigEndian(quint32(picture.height), data.data() + 4);
    data[8] = char(picture.bitDepth);
    data[9] = char(picture.colorType);
    data[12] = char(interlace);
    return chunk("IHDR", data);
}

// Samples of 8 or 16 bits whose bytes are drawn from a few values as often
// as from all, so that the Paeth filter meets its ties.
Samples samples(const Picture &picture, quint32 seed)
{
    QRandomGenerator random(seed);
    const uchar few[] = {0, 1, 127, 128, 255};
    auto byte = [&] { return random.bounded(2) ? few[random.bounded(5)] : int(random.bounded(256)); };
    Samples values(picture.width * picture.height * channels(picture));
    for (int &value : values) {
        value = byte();
        if (picture.bitDepth == 16)
            value = value << 8 | byte();
    }
    return values;
}

// The rows as the file stores them: big-endian, samples below 8 bits packed
// from the high bit, each row filled up to a whole byte.
QByteArray packed(const Samples &values, const Picture &picture)
{
    const int perRow = picture.width * channels(picture);
    QByteArray rows;
    for (int y = 0; y < picture.height; ++y) {
        quint32 bits = 0;
        int count = 0;
        for (int i = 0; i < perRow; ++i) {
            bits = bits << picture.bitDepth | quint32(values[y * perRow + i]);
            for (count += picture.bitDepth; count >= 8; count -= 8)
                rows += char(bits >> (count - 8));
        }
        if (count > 0)
            rows += char(bits << (8 - count));
    }
    return rows;
}

int paeth(int left, int up, int upLeft)
{
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left);
    const int toUp = std::abs(estimate - up);
    const int toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft)
        return left;
    return toUp <= toUpLeft ? up : upLeft;
}

// Each row behind its filter byte; filter -1 takes the five in turn.
QByteArray filtered(const QByteArray &raw, const Picture &picture, int filter)
{
    const int bpp = bytesPerPixel(picture);
    const int bytes = rowBytes(picture);
    QByteArray out;
    for (int y = 0; y < picture.height; ++y) {
        const int type = filter < 0 ? y % 5 : filter;
        out.append(char(type));
        for (int i = 0; i < bytes; ++i) {
            auto at = [&](int row, int column) {
                return row < 0 || column < 0 ? 0 : int(uchar(raw[row * bytes + column]));
            };
            const int left = at(y, i - bpp), up = at(y - 1, i), upLeft = at(y - 1, i - bpp);
            const int predicted[] = {0, left, up, (left + up) / 2, paeth(left, up, upLeft)};
            out.append(char(at(y, i) - predicted[type]));
        }
    }
    return out;
}

// Adam7 sends the pixels in seven passes, each filtered as a picture of its
// own; a pass that no pixel falls in has no rows at all.
QByteArray imageRows(const Samples &values, const Picture &picture, int filter, int interlace)
{
    if (interlace == 0)
        return filtered(packed(values, picture), picture, filter);
    const int passes[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                              {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    const int n = channels(picture);
    QByteArray rows;
    for (const auto &[left, top, across, down] : passes) {
        Picture pass{picture.colorType, picture.bitDepth, 0, 0};
        Samples passValues;
        for (int y = top; y < picture.height; y += down, ++pass.height) {
            pass.width = 0;
            for (int x = left; x < picture.width; x += across, ++pass.width)
                passValues += values.mid((y * picture.width + x) * n, n);
        }
        if (pass.width > 0 && pass.height > 0)
            rows += filtered(packed(passValues, pass), pass, filter);
    }
    return rows;
}

QByteArray zlibStream(const QByteArray &data)
{
    return qCompress(data).mid(4); // without Qt's length in front
}

struct Layout
{
    QByteArray before;          // chunks between the header and the image data
    QByteArray after;           // chunks between the image data and the end
    int dataChunks = 1;
    bool emptyDataChunk = false;
};

QByteArray pngFile(const Picture &picture, const QByteArray &stream, const Layout &layout = Layout(),
                   int interlace = 0)
{
    QByteArray png = QByteArray("\x89PNG\r\n\x1a\n", 8) + header(picture, interlace) + layout.before;
    const qsizetype part = stream.size() / layout.dataChunks + 1;
    for (qsizetype at = 0; at < stream.size(); at += part)
        png += chunk("IDAT", stream.mid(at, part));
    if (layout.emptyDataChunk)
        png += chunk("IDAT", QByteArray());
    return png + layout.after + chunk("IEND", QByteArray());
}

QByteArray pngFile(const Picture &picture, int filter, quint32 seed, const Layout &layout = Layout(),
                   int interlace = 0)
{
    return pngFile(picture, zlibStream(imageRows(samples(picture, seed), picture, filter, interlace)),
                   layout, interlace);
}

QByteArray bigEndian32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray text(const char *key, const char *value)
{
    return chunk("tEXt", QByteArray(key) + '\0' + value);
}

// What Qt's reader sets besides the pixels, in chunks before and after the data.
Layout chunksQtReads()
{
    Layout layout;
    layout.before = chunk("gAMA", bigEndian32(45455))
            + chunk("pHYs", bigEndian32(2835) + bigEndian32(3780) + '\1')
            + chunk("oFFs", bigEndian32(12) + bigEndian32(34) + '\0') + text("Title", "Strand");
    layout.after = text("Author", "A. Fotograf") + chunk("tIME", QByteArray(7, '\1'));
    layout.dataChunks = 3;
    layout.emptyDataChunk = true;
    return layout;
}

// What Qt's reader takes from the chunks besides the pixels.
void compareMetadata(const QImage &loaded, const QImage &expected)
{
    QCOMPARE(loaded.size(), expected.size());
    QCOMPARE(loaded.dotsPerMeterX(), expected.dotsPerMeterX());
    QCOMPARE(loaded.dotsPerMeterY(), expected.dotsPerMeterY());
    QCOMPARE(loaded.offset(), expected.offset());
    QCOMPARE(loaded.colorSpace(), expected.colorSpace());
    QCOMPARE(loaded.textKeys(), expected.textKeys());
    for (const QString &key : expected.textKeys())
        QCOMPARE(loaded.text(key), expected.text(key));
}

void compareWithQt(const QString &path)
{
    InputOutcome outcome;
    const QImage loaded = loadImage(path, outcome);
    QImageReader reader(path);
    const QImage expected = reader.read();
    QCOMPARE(loaded.isNull(), expected.isNull());
    QCOMPARE(loaded.format(), expected.format());
    QVERIFY(loaded == expected);
    compareMetadata(loaded, expected);
}

enum KeyUse { SomePixels, NoPixel, EveryPixel, NearWhite };

// Pixels under a colour key: each sample the key's half the time (so that a
// colour pixel matches in some channels far more often than in all), none
// equal to the key, all equal, or near white: the key's high byte always,
// its low byte a quarter of the time.
Samples keyedSamples(const Picture &picture, const Samples &key, KeyUse use, QRandomGenerator &random)
{
    Samples values;
    while (values.size() < picture.width * picture.height * channels(picture)) {
        Samples pixel;
        for (int keyed : key) {
            const int drawn = int(random.bounded(1 << picture.bitDepth));
            switch (use) {
            case SomePixels: pixel += random.bounded(2) ? keyed : drawn; break;
            case NoPixel: pixel += drawn; break;
            case EveryPixel: pixel += keyed; break;
            case NearWhite: pixel += (keyed & 0xff00) | ((random.bounded(4) ? drawn : keyed) & 0xff); break;
            }
        }
        if (use != NoPixel || pixel != key)
            values += pixel;
    }
    return values;
}

// The file read literally: a pixel whose samples all equal the key's is
// transparent, any other opaque with its samples scaled to 16 bits. The
// colour under a transparent pixel is no part of it.
QImage literalDecode(const Samples &values, const Samples &key, const Picture &picture)
{
    QImage image(picture.width, picture.height, QImage::Format_RGBA64);
    const int n = channels(picture);
    const int scale = 0xffff / ((1 << picture.bitDepth) - 1);
    for (int y = 0; y < picture.height; ++y) {
        auto *line = reinterpret_cast<QRgba64 *>(image.scanLine(y));
        for (int x = 0; x < picture.width; ++x) {
            const Samples pixel = values.mid((y * picture.width + x) * n, n);
            const auto sample = [&](int channel) { return quint16(pixel[n == 1 ? 0 : channel] * scale); };
            line[x] = pixel == key ? QRgba64::fromRgba64(0)
                                   : QRgba64::fromRgba64(sample(0), sample(1), sample(2), 0xffff);
        }
    }
    return image;
}

// The pixels alone, at 16 bits, without the colours under transparent ones
// (nor a colour space, which compareMetadata() checks).
QImage visiblePixels(const QImage &image)
{
    QImage wide = image.convertToFormat(QImage::Format_RGBA64);
    wide.setColorSpace(QColorSpace());
    for (int y = 0; y < wide.height(); ++y) {
        auto *line = reinterpret_cast<QRgba64 *>(wide.scanLine(y));
        std::replace_if(line, line + wide.width(), [](QRgba64 pixel) { return pixel.isTransparent(); },
                        QRgba64::fromRgba64(0));
    }
    return wide;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QString PngReaderTest::save(const QByteArray &png)
{
    return batchrun::writeFile(directory.filePath(QStringLiteral("%1.png").arg(++saved)), png);
}

void PngReaderTest::sameAsQt_data()
{
    QTest::addColumn<QString>("path");
    const QList<QPair<int, int>> layouts = {{0, 8}, {0, 16}, {2, 8}, {2, 16},
                                            {4, 8}, {4, 16}, {6, 8}, {6, 16}};
    quint32 seed = 1;
    for (const auto &[colorType, bitDepth] : layouts) {
        for (int interlace : {0, 1}) {
            for (const QSize &size : {QSize(1, 1), QSize(2, 7), QSize(5, 1), QSize(33, 12)}) {
                const Picture picture{colorType, bitDepth, size.width(), size.height()};
                for (int filter = -1; filter <= 4; ++filter) {
                    QTest::addRow("type %d, %d bits, interlace %d, %dx%d, filter %d", colorType, bitDepth,
                                  interlace, size.width(), size.height(), filter)
                            << save(pngFile(picture, filter, seed++, Layout(), interlace));
                }
            }
        }
        QTest::addRow("type %d, %d bits, with chunks Qt reads", colorType, bitDepth)
                << save(pngFile({colorType, bitDepth, 20, 10}, -1, seed++, chunksQtReads()));
    }
    Layout profiled;
    profiled.before = chunk("sRGB", QByteArray(1, '\0'));
    QTest::newRow("sRGB chunk") << save(pngFile({2, 8, 9, 9}, -1, 99, profiled));
    Layout wideKey; // compared in its low bytes, as Qt's reader compares it
    wideKey.before = chunk("tRNS", QByteArray("\x01\0\x01\x01\x01\x7f", 6));
    QTest::newRow("colour key beyond 8 bits") << save(pngFile({2, 8, 64, 64}, -1, 98, wideKey));
    QTest::newRow("wide") << save(pngFile({6, 16, 1500, 3}, -1, 100));
}

void PngReaderTest::sameAsQt()
{
    QFETCH(QString, path);
    QVERIFY(!path.isEmpty());
    QImage image;
    QCOMPARE(pngreader::decode(contents(path), &image), pngreader::Outcome::Decoded);
    compareWithQt(path);
}

// Qt's writer filters every row its own way and writes its profiles, texts
// and resolution as it reads them back.
void PngReaderTest::qtsOwnFilesSameAsQt_data()
{
    QTest::addColumn<QString>("path");
    quint32 seed = 200;
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_RGBX64,
                                  QImage::Format_RGBA64, QImage::Format_Grayscale8, QImage::Format_Grayscale16}) {
        QImage image = differential::randomImage(QSize(61, 40), QImage::Format_ARGB32, seed++)
                               .convertToFormat(format);
        image.setText(QStringLiteral("Description"), QStringLiteral("Strand bei Nacht, 夜の浜辺"));
        image.setDotsPerMeterX(11811);
        image.setDotsPerMeterY(5906);
        if (!image.isGrayscale())
            image.setColorSpace(QColorSpace::DisplayP3);
        const QString path = directory.filePath(QStringLiteral("qt%1.png").arg(seed));
        QImageWriter writer(path, "png");
        QVERIFY(writer.write(image));
        QTest::addRow("%s", qPrintable(differential::formatName(format))) << path;
    }
}

void PngReaderTest::qtsOwnFilesSameAsQt()
{
    sameAsQt();
}

void PngReaderTest::keyedTransparentExactly_data()
{
    QTest::addColumn<int>("colorType");
    QTest::addColumn<int>("bitDepth");
    QTest::addColumn<int>("interlace");
    QTest::addColumn<int>("keyUse");
    const QList<QPair<int, int>> layouts = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}};
    const char *uses[] = {"some pixels", "no pixel", "every pixel", "near white"};
    for (const auto &[colorType, bitDepth] : layouts) {
        for (int interlace : {0, 1}) {
            for (int use = SomePixels; use <= (bitDepth == 16 ? NearWhite : EveryPixel); ++use) {
                QTest::addRow("type %d, %d bits, interlace %d, key on %s", colorType, bitDepth, interlace,
                              uses[use])
                        << colorType << bitDepth << interlace << use;
            }
        }
    }
}

// A colour key makes transparent exactly the pixels whose samples all equal
// it at the file's depth: ours from 8 bits on, Qt's below. The rest is as a
// file without a key gives it.
void PngReaderTest::keyedTransparentExactly()
{
    QFETCH(int, colorType);
    QFETCH(int, bitDepth);
    QFETCH(int, interlace);
    QFETCH(int, keyUse);
    const Picture picture{colorType, bitDepth, 19, 13};
    QRandomGenerator random(quint32(colorType * 1000 + bitDepth * 10 + interlace + keyUse * 10000));
    const int top = (1 << bitDepth) - 1;
    Samples key;
    QByteArray keyChunk;
    for (int channel = 0; channel < channels(picture); ++channel) {
        key += keyUse == NearWhite ? top : int(random.bounded(top + 1));
        keyChunk += char(key.last() >> 8);
        keyChunk += char(key.last());
    }
    const Samples values = keyedSamples(picture, key, KeyUse(keyUse), random);
    Layout layout = chunksQtReads();
    layout.before += chunk("tRNS", keyChunk);
    const QString path = save(pngFile(picture, zlibStream(imageRows(values, picture, -1, interlace)),
                                      layout, interlace));
    QImage ours;
    QCOMPARE(pngreader::decode(contents(path), &ours),
             bitDepth >= 8 ? pngreader::Outcome::Decoded : pngreader::Outcome::LeftToQt);
    InputOutcome outcome;
    const QImage loaded = loadImage(path, outcome);
    QVERIFY(loaded.hasAlphaChannel());
    if (bitDepth >= 8)
        QCOMPARE(loaded.format(), bitDepth == 16 ? QImage::Format_RGBA64 : QImage::Format_ARGB32);
    QCOMPARE(visiblePixels(loaded), literalDecode(values, key, picture));
    compareMetadata(loaded, QImageReader(path).read());
}

// What this reader does not decode, and every fault it meets, goes to Qt's
// reader: a loaded picture and a failure are then exactly Qt's.
void PngReaderTest::leftToQt_data()
{
    QTest::addColumn<QString>("path");
    const Picture colour{2, 8, 24, 16};
    const QByteArray rows = imageRows(samples(colour, 7), colour, -1, 0);
    const QByteArray stream = zlibStream(rows);
    const QByteArray good = pngFile(colour, stream);

    QImage palette = differential::randomImage(QSize(24, 16), QImage::Format_RGB32, 8)
                             .convertToFormat(QImage::Format_Indexed8);
    const QString palettePath = directory.filePath(QStringLiteral("palette.png"));
    QVERIFY(palette.save(palettePath));
    QTest::newRow("palette") << palettePath;
    QTest::newRow("marked interlaced, rows not") << save(pngFile(colour, stream, Layout(), 1));
    const Picture fourBits{0, 4, 24, 16};
    QTest::newRow("4-bit grey") << save(pngFile(fourBits, zlibStream(QByteArray(16 * 13, '\x11'))));

    // Colour keys Qt's reader skips or remarks on.
    const QByteArray key = chunk("tRNS", QByteArray("\0\x10\0\x20\0\x30", 6));
    Layout outOfPlace;
    outOfPlace.after = key;
    QTest::newRow("key after the image data") << save(pngFile(colour, stream, outOfPlace));
    Layout twice;
    twice.before = key + key;
    QTest::newRow("two keys") << save(pngFile(colour, stream, twice));
    Layout shortKey;
    shortKey.before = chunk("tRNS", QByteArray(2, '\x10'));
    QTest::newRow("grey's key on colour") << save(pngFile(colour, stream, shortKey));
    Layout badKeyCrc;
    badKeyCrc.before = key;
    badKeyCrc.before[badKeyCrc.before.size() - 1] = '\0';
    QTest::newRow("key failing its CRC") << save(pngFile(colour, stream, badKeyCrc));
    Layout beyondDepth;
    beyondDepth.before = chunk("tRNS", QByteArray("\x01\x10", 2));
    QTest::newRow("key beyond 8 bits") << save(pngFile({0, 8, 24, 16}, -1, 8, beyondDepth));

    Layout suggested;
    suggested.before = chunk("PLTE", QByteArray(12, '\x40'));
    QTest::newRow("colour with a suggested palette") << save(pngFile(colour, stream, suggested));

    QByteArray badCrc = good;
    const qsizetype crcAt = badCrc.indexOf("IEND") - 8;
    badCrc[crcAt] = char(badCrc[crcAt] ^ 0x40);
    QTest::newRow("image data failing its CRC") << save(badCrc);
    QTest::newRow("cut in the image data") << save(good.left(good.indexOf("IDAT") + 60));
    QTest::newRow("no end chunk") << save(good.left(good.size() - 12));
    QByteArray badFilter = rows;
    badFilter[(24 * 3 + 1) * 5] = 5;
    QTest::newRow("unknown filter") << save(pngFile(colour, zlibStream(badFilter)));
    QTest::newRow("rows missing") << save(pngFile(colour, zlibStream(rows.left(rows.size() - 10))));
    QTest::newRow("rows beyond the picture") << save(pngFile(colour, zlibStream(rows + rows)));
    QTest::newRow("bytes after the data stream") << save(pngFile(colour, stream + "tail"));
    Layout split;
    split.dataChunks = 2;
    QByteArray interrupted = pngFile(colour, stream, split);
    const qsizetype second = interrupted.indexOf("IDAT", interrupted.indexOf("IDAT") + 4) - 4;
    interrupted.insert(second, text("Note", "between"));
    QTest::newRow("data chunks interrupted") << save(interrupted);
}

void PngReaderTest::leftToQt()
{
    QFETCH(QString, path);
    QVERIFY(!path.isEmpty());
    QImage image;
    QCOMPARE(pngreader::decode(contents(path), &image), pngreader::Outcome::LeftToQt);
    QVERIFY(image.isNull());
    compareWithQt(path);
}

void PngReaderTest::mutantsDecodeAsQt_data()
{
    QTest::addColumn<int>("colorType");
    QTest::addColumn<int>("bitDepth");
    for (const auto &[colorType, bitDepth] : QList<QPair<int, int>>{{0, 8}, {0, 16}, {2, 8}, {2, 16},
                                                                    {4, 8}, {4, 16}, {6, 8}, {6, 16}})
        QTest::addRow("type %d, %d bits", colorType, bitDepth) << colorType << bitDepth;
}

// Files with every checksum right but rows or header changed at random: a
// file this reader decodes must be decoded exactly as Qt's reader decodes
// it, and no file may take it out of bounds (the sanitizer run watches).
void PngReaderTest::mutantsDecodeAsQt()
{
    QFETCH(int, colorType);
    QFETCH(int, bitDepth);
    QRandomGenerator random(quint32(colorType * 100 + bitDepth));
    int decoded = 0;
    for (int mutant = 0; mutant < 150; ++mutant) {
        Picture picture{colorType, bitDepth, 1 + int(random.bounded(20)), 1 + int(random.bounded(6))};
        const int interlace = int(random.bounded(2));
        QByteArray rows = imageRows(samples(picture, random.generate()), picture, -1, interlace);
        // A row buffer cut to nothing takes no further edit: bounded(0) has no value to give.
        for (int edit = 1 + int(random.bounded(3)); edit > 0 && !rows.isEmpty(); --edit) {
            const int at = int(random.bounded(int(rows.size())));
            switch (random.bounded(6)) {
            case 0: rows[at] = char(random.bounded(6)); break; // a filter byte or near one
            case 1: rows[at] = char(random.bounded(256)); break;
            case 2: rows.truncate(at); break;
            case 3: rows.append(QByteArray(1 + int(random.bounded(30)), char(random.bounded(256)))); break;
            case 4: picture.width += int(random.bounded(3)) - 1; break;
            default: picture.height += int(random.bounded(3)) - 1; break;
            }
        }
        Layout layout;
        layout.dataChunks = 1 + int(random.bounded(3));
        const QByteArray png = pngFile(picture, zlibStream(rows), layout, interlace);
        QImage ours;
        if (pngreader::decode(png, &ours) != pngreader::Outcome::Decoded) {
            QVERIFY(ours.isNull());
            continue;
        }
        ++decoded;
        const QImage expected = QImage::fromData(png, "png");
        QCOMPARE(ours.format(), expected.format());
        QVERIFY2(ours == expected, qPrintable(QStringLiteral("mutant %1").arg(mutant)));
    }
    QVERIFY(decoded > 0);
}

QTEST_GUILESS_MAIN(PngReaderTest)
#include "tst_pngreader.moc"
