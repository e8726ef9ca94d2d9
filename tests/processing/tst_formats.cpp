#include "batchrun.h"
#include "differential.h"
#include "codecs/rawcodec.h"
#include "formats/formattable.h"
#include "formats/imagefile.h"
#include "formats/imageheader.h"
#include "formats/saveimage.h"
#include "formats/thumbnail.h"
#include "run/options.h"

#include <QColorSpace>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

#include <jxl/decode_cxx.h>

// Every written format, by its row of the format table: what a file of it
// keeps of a picture, read back through the run's own reader.
class FormatsTest : public QObject
{
    Q_OBJECT

private slots:
    void everyWriterRoundTrips_data();
    void everyWriterRoundTrips();
    void sameAsInputKeepsEachFormat();
    void resolutionWrittenOrSaidLost_data();
    void resolutionWrittenOrSaidLost();
    void dngDevelopedUpright();
    void rawPreviewFillsTheList();
    void hugeClaimRefusedBeforeDecoding_data();
    void hugeClaimRefusedBeforeDecoding();
    void damagedFileNamesTheLibrary_data();
    void damagedFileNamesTheLibrary();
    void jxlColoursWithoutColourManagement_data();
    void jxlColoursWithoutColourManagement();

private:
    QTemporaryDir directory;
};

namespace {

// A gradient with a transparent corner and a Display P3 profile: each
// property a format may or may not keep.
QImage sample()
{
    QImage image(40, 30, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(x * 6, y * 8, 128, x < 8 && y < 8 ? 0 : 255));
    }
    image.setColorSpace(QColorSpace(QColorSpace::DisplayP3));
    return image;
}

// The largest difference of any sample between two pictures of one size,
// compared away from the transparent corner, whose edge a lossy encoder
// blurs.
int largestError(const QImage &original, const QImage &decoded)
{
    const QImage a = original.convertToFormat(QImage::Format_ARGB32);
    const QImage b = decoded.convertToFormat(QImage::Format_ARGB32);
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (x < 12 && y < 12)
                continue;
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

QByteArray signatureOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? signatureFormat(file.read(cameraRawHeadBytes)) : QByteArray();
}

// A plain uncompressed DNG of a grey scene whose top left quarter is light:
// 16-bit samples in an RGGB pattern, an identity colour matrix, neutral
// white balance, the camera held upright on its side (orientation 6). The
// samples may be left out, as a header of a file claiming a huge sensor; a
// JPEG preview may follow them.
QByteArray dng(int width, int height, bool withSamples = true, const QByteArray &preview = {})
{
    struct Entry
    {
        quint16 tag, type;
        quint32 count;
        QByteArray value;
    };
    auto shorts = [](std::initializer_list<quint16> values) {
        QByteArray bytes;
        for (quint16 value : values)
            bytes.append(reinterpret_cast<const char *>(&value), 2);
        return bytes;
    };
    auto longs = [](std::initializer_list<quint32> values) {
        QByteArray bytes;
        for (quint32 value : values)
            bytes.append(reinterpret_cast<const char *>(&value), 4);
        return bytes;
    };
    const quint32 sampleBytes = quint32(width) * quint32(height) * 2;
    QList<Entry> entries = {
        {0x00fe, 4, 1, longs({0})},
        {0x0100, 4, 1, longs({quint32(width)})},
        {0x0101, 4, 1, longs({quint32(height)})},
        {0x0102, 3, 1, shorts({16})},
        {0x0103, 3, 1, shorts({1})},
        {0x0106, 3, 1, shorts({32803})},
        {0x010f, 2, 8, QByteArray("Vellumo", 8)},
        {0x0110, 2, 5, QByteArray("Test", 5)},
        {0x0111, 4, 1, longs({0})}, // the samples' offset, set below
        {0x0112, 3, 1, shorts({6})},
        {0x0115, 3, 1, shorts({1})},
        {0x0116, 4, 1, longs({quint32(height)})},
        {0x0117, 4, 1, longs({sampleBytes})},
        {0x011c, 3, 1, shorts({1})},
        {0x828d, 3, 2, shorts({2, 2})},
        {0x828e, 1, 4, QByteArray("\0\1\1\2", 4)},
        {0xc612, 1, 4, QByteArray("\1\4\0\0", 4)},
        {0xc614, 2, 13, QByteArray("Vellumo Test", 13)},
        {0xc61d, 4, 1, longs({4095})},
        {0xc621, 10, 9, longs({1, 1, 0, 1, 0, 1, 0, 1, 1, 1, 0, 1, 0, 1, 0, 1, 1, 1})},
        {0xc628, 5, 3, longs({1, 1, 1, 1, 1, 1})},
        {0xc65a, 3, 1, shorts({21})},
    };
    const quint32 directoryBytes = 2 + quint32(entries.size()) * 12 + 4;
    quint32 extraOffset = 8 + directoryBytes;
    QByteArray directory = shorts({quint16(entries.size())});
    QByteArray extra;
    quint32 samplesOffset = extraOffset;
    for (const Entry &entry : entries)
        samplesOffset += entry.value.size() > 4 ? quint32(entry.value.size() + entry.value.size() % 2) : 0;
    for (const Entry &entry : entries) {
        directory += shorts({entry.tag, entry.type}) + longs({entry.count});
        QByteArray value = entry.tag == 0x0111 ? longs({samplesOffset}) : entry.value;
        if (value.size() > 4) {
            directory += longs({extraOffset + quint32(extra.size())});
            extra += value;
            if (value.size() % 2)
                extra += '\0';
        } else {
            directory += value.leftJustified(4, '\0');
        }
    }
    directory += longs({0});
    QByteArray file = QByteArray("II*\0", 4) + longs({8}) + directory + extra;
    if (withSamples) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                file += shorts({quint16(x < width / 2 && y < height / 2 ? 3000 : 600)});
        }
    }
    if (preview.isEmpty())
        return file;
    // The preview's own directory, the second, as cameras place it: a
    // baseline JPEG of three samples.
    const quint32 previewDirectory = quint32(file.size());
    const QList<Entry> previewEntries = {
        {0x00fe, 4, 1, longs({1})},       {0x0100, 4, 1, longs({quint32(width)})},
        {0x0101, 4, 1, longs({quint32(height)})}, {0x0102, 3, 1, shorts({8})},
        {0x0103, 3, 1, shorts({7})},      {0x0106, 3, 1, shorts({6})},
        {0x0111, 4, 1, longs({previewDirectory + 2 + 9 * 12 + 4})},
        {0x0115, 3, 1, shorts({3})},      {0x0117, 4, 1, longs({quint32(preview.size())})},
    };
    file += shorts({quint16(previewEntries.size())});
    for (const Entry &entry : previewEntries)
        file += shorts({entry.tag, entry.type}) + longs({entry.count}) + entry.value.leftJustified(4, '\0');
    file += longs({0}) + preview;
    file.replace(8 + 2 + entries.size() * 12, 4, longs({previewDirectory}));
    return file;
}

} // namespace

// Lossless writers give the pixels back exactly; the others within what
// their encoders lose at quality 90 on a smooth picture: JPEG XL clips the
// darkest reds of its saturated greens by up to 40 in its own colour space.
void FormatsTest::everyWriterRoundTrips_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("tolerance");
    const QSet<QString> lossless = {"PNG", "BMP", "TIFF"};
    for (const PresetEntry &entry : presets::formats) {
        if (entry.is(QString::fromLatin1(presets::sameAsInput.key)))
            continue;
        const QString key = QString::fromLatin1(entry.key);
        QTest::newRow(entry.key) << key << (lossless.contains(key) ? 0 : key == "JXL" ? 40 : 12);
    }
}

void FormatsTest::everyWriterRoundTrips()
{
    QFETCH(QString, key);
    QFETCH(int, tolerance);
    const FileFormat &format = *formatWritten(key);
    const QString path = directory.filePath(QStringLiteral("out.") + format.suffixList().constFirst());
    InputOutcome written;
    saveImage(sample(), path, key, batchrun::atQuality(90), written);
    QVERIFY2(!written.failed(), qPrintable(written.reason));

    QCOMPARE(signatureOf(path), QByteArray(format.reader));
    InputOutcome read;
    const QImage decoded = loadImage(path, read);
    QVERIFY2(!decoded.isNull(), qPrintable(read.reason));
    QCOMPARE(decoded.size(), sample().size());
    const int error = largestError(sample(), decoded);
    QVERIFY2(error <= tolerance, qPrintable(QString::number(error)));
    // Transparent where it was, or laid on white.
    const QRgb corner = decoded.pixel(2, 2);
    QCOMPARE(qAlpha(corner) < 128, format.holdsAlpha);
    if (!format.holdsAlpha)
        QVERIFY(std::min({qRed(corner), qGreen(corner), qBlue(corner)}) >= 255 - tolerance);
    QCOMPARE(decoded.colorSpace() == QColorSpace(QColorSpace::DisplayP3), format.holdsProfile);
}

// Each output in its input's format; a PPM, which is not written, as JPG,
// said as a warning of that file.
void FormatsTest::sameAsInputKeepsEachFormat()
{
    QTemporaryDir inputs;
    QTemporaryDir outputs;
    QStringList paths;
    for (const char *key : {"PNG", "HEIC", "JXL"}) {
        paths << inputs.filePath(QStringLiteral("in_%1.pic").arg(QLatin1String(key)));
        InputOutcome written;
        saveImage(sample(), paths.last(), QString::fromLatin1(key), batchrun::atQuality(90), written);
        QVERIFY(!written.failed());
    }
    paths << batchrun::writeFile(inputs.filePath(QStringLiteral("in_ppm.pic")),
                                 batchrun::encoded(batchrun::testImage(24, 16), "ppm"));
    JobSettings settings = batchrun::settingsFor(paths, outputs.path());
    settings.set(option::format, QString::fromLatin1(presets::sameAsInput.key));
    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    QVERIFY2(recorder.failedPaths.isEmpty(), qPrintable(recorder.failureReasons.join(' ')));
    const QMap<QString, QByteArray> expected = {{"in_HEIC_processed.heic", "heic"},
                                                {"in_JXL_processed.jxl", "jxl"},
                                                {"in_PNG_processed.png", "png"},
                                                {"in_ppm_processed.jpg", "jpeg"}};
    QCOMPARE(batchrun::entriesOf(outputs.path()), expected.keys());
    for (auto output = expected.cbegin(); output != expected.cend(); ++output)
        QCOMPARE(signatureOf(outputs.filePath(output.key())), output.value());
    const qsizetype gifWarning = recorder.warningPaths.indexOf(paths.last());
    QVERIFY(gifWarning >= 0);
    QVERIFY2(recorder.warnings.at(gifWarning).startsWith(QStringLiteral("written as JPG")),
             qPrintable(recorder.warnings.at(gifWarning)));
}

// Through a whole run: the file holds the resolution asked for, or the file's
// warning says it could not.
void FormatsTest::resolutionWrittenOrSaidLost_data()
{
    QTest::addColumn<QString>("key");
    for (const PresetEntry &entry : presets::formats) {
        if (!presets::sameAsInput.is(QString::fromLatin1(entry.key)))
            QTest::newRow(entry.key) << QString::fromLatin1(entry.key);
    }
}

void FormatsTest::resolutionWrittenOrSaidLost()
{
    QFETCH(QString, key);
    QTemporaryDir outputs;
    const QString input = batchrun::writeImage(directory.filePath(QStringLiteral("dpi.png")));
    JobSettings settings = batchrun::settingsFor({input}, outputs.path());
    settings.set(option::format, key);
    settings.set(option::dpi, 300);
    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    QVERIFY2(recorder.failedPaths.isEmpty(), qPrintable(recorder.failureReasons.join(' ')));
    const bool holds = formatWritten(key)->encoderOptions.contains(option::dpi);
    const bool said = recorder.warnings.join(' ').contains(QStringLiteral("resolution not written"));
    QCOMPARE(said, !holds);
    if (holds) {
        const QImage written(outputs.filePath(batchrun::entriesOf(outputs.path()).constFirst()));
        QCOMPARE(qRound(written.dotsPerMeterX() * 0.0254), 300);
    }
}

// LibRaw develops the DNG; the picture comes out turned a quarter clockwise
// as the camera was held, its light quarter at the top right (a
// transposition puts it at the top left), neutral, and of the size its
// header gave the memory budget.
void FormatsTest::dngDevelopedUpright()
{
    const QString path = batchrun::writeFile(directory.filePath(QStringLiteral("camera.dng")), dng(64, 48));
    QCOMPARE(signatureOf(path), QByteArray("raw"));
    InputOutcome outcome;
    const QImage image = loadImage(path, outcome);
    QVERIFY2(!image.isNull(), qPrintable(outcome.reason));
    QCOMPARE(image.size(), QSize(48, 64));
    QCOMPARE(QImageReader(path, "raw").size(), image.size());
    const QRgb light = image.pixel(36, 16);
    QVERIFY2(std::abs(qRed(light) - qBlue(light)) <= 4 && std::abs(qRed(light) - qGreen(light)) <= 4,
             qPrintable(QString::number(light, 16)));
    for (const QPoint dark : {QPoint(12, 16), QPoint(36, 48), QPoint(12, 48)})
        QVERIFY2(qGreen(image.pixel(dark)) + 60 < qGreen(light), qPrintable(QString::number(image.pixel(dark), 16)));
}

// The list shows a raw file's JPEG preview, as large as the sensor here,
// turned as the camera was held: blue with the light quarter at the top
// right, where the developed picture is grey.
void FormatsTest::rawPreviewFillsTheList()
{
    QImage preview(64, 48, QImage::Format_RGB32);
    preview.fill(Qt::blue);
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 32; ++x)
            preview.setPixel(x, y, qRgb(255, 255, 255));
    }
    const QString path = batchrun::writeFile(directory.filePath(QStringLiteral("previewed.dng")),
                                             dng(64, 48, true, batchrun::encoded(preview, "jpeg", 95)));
    const QImage shown = makeThumbnail(path, 32);
    QCOMPARE(shown.size(), QSize(24, 32));
    QVERIFY(qRed(shown.pixel(18, 4)) > 200 && qBlue(shown.pixel(18, 4)) > 200);
    QVERIFY(qRed(shown.pixel(5, 20)) < 60 && qBlue(shown.pixel(5, 20)) > 200);
}

namespace {

// A bare JPEG XL codestream whose size header claims 100000x100000 and whose
// metadata are all defaults: enough for the header, no picture.
QByteArray jxlClaiming100000Square()
{
    // Bits, least significant first: small-size flag 0, height as selector
    // 2 with 18 bits of (size - 1), ratio 0, width likewise, then
    // all-default metadata.
    quint64 bits = 0;
    int at = 0;
    auto put = [&](quint64 value, int count) {
        bits |= value << at;
        at += count;
    };
    put(0, 1);
    put(2, 2);
    put(100000 - 1, 18);
    put(0, 3);
    put(2, 2);
    put(100000 - 1, 18);
    put(1, 1);
    QByteArray bytes("\xff\x0a");
    for (int byte = 0; byte < 8; ++byte)
        bytes.append(char(bits >> (8 * byte)));
    return bytes + QByteArray(64, '\0');
}

// A small HEIC or AVIF of ours with the size its ispe box states raised to
// 100000x100000: the container claims it, the coded picture is tiny.
QByteArray heifClaiming100000Square(const QString &key, const QString &path)
{
    InputOutcome written;
    saveImage(sample(), path, key, batchrun::atQuality(50), written);
    QFile file(path);
    if (written.failed() || !file.open(QIODevice::ReadOnly))
        return QByteArray();
    QByteArray bytes = file.readAll();
    // The picture's box and its alpha's.
    for (qsizetype ispe = bytes.indexOf("ispe"); ispe >= 0; ispe = bytes.indexOf("ispe", ispe + 4)) {
        for (const qsizetype field : {ispe + 8, ispe + 12}) {
            const quint32 side = 100000;
            for (int byte = 0; byte < 4; ++byte)
                bytes[field + byte] = char(side >> (8 * (3 - byte)));
        }
    }
    return bytes;
}

} // namespace

void FormatsTest::hugeClaimRefusedBeforeDecoding_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("JXL") << jxlClaiming100000Square();
    QTest::newRow("DNG") << dng(60000, 60000, false);
    for (const char *key : {"HEIC", "AVIF"})
        QTest::newRow(key) << heifClaiming100000Square(QString::fromLatin1(key), directory.filePath(key));
}

void FormatsTest::hugeClaimRefusedBeforeDecoding()
{
    QFETCH(QByteArray, content);
    QVERIFY(!content.isEmpty());
    const QString path = batchrun::writeFile(directory.filePath(QStringLiteral("huge")), content);
    InputOutcome outcome;
    QVERIFY(loadImage(path, outcome).isNull());
    QVERIFY2(outcome.reason.startsWith(QStringLiteral("too large: ")), qPrintable(outcome.reason));
}

// A cut or garbled file fails with the path's reason and the library's
// words, never a crash.
void FormatsTest::damagedFileNamesTheLibrary_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("cut");
    for (const char *key : {"HEIC", "AVIF", "JXL"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1 cut").arg(key))) << QString::fromLatin1(key) << true;
        QTest::newRow(qPrintable(QStringLiteral("%1 garbled").arg(key))) << QString::fromLatin1(key) << false;
    }
}

void FormatsTest::damagedFileNamesTheLibrary()
{
    QFETCH(QString, key);
    QFETCH(bool, cut);
    const QString path = directory.filePath(QStringLiteral("damaged.") + key);
    InputOutcome written;
    saveImage(sample(), path, key, batchrun::atQuality(50), written);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    if (cut)
        bytes.truncate(bytes.size() / 2);
    else
        std::fill(bytes.begin() + bytes.size() / 2, bytes.end(), char(0xa5));
    file.resize(0);
    file.write(bytes);
    file.close();
    InputOutcome outcome;
    const QImage image = loadImage(path, outcome);
    if (outcome.failed())
        QVERIFY2(outcome.reason.contains(QLatin1Char('(')), qPrintable(outcome.reason));
    else
        QVERIFY(!image.isNull());
}

namespace {

// Saturated smooth colours, to the edges of each space's gamut.
QImage colourRamp(const QColorSpace &space)
{
    QImage image(96, 64, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 255 / 95, y * 255 / 63, 255 - (x + y) * 255 / 158));
    }
    image.setColorSpace(space);
    return image;
}

// What a reader without colour management gets, as djxl does: the samples
// libjxl gives in the file's own encoding, and whether that encoding is one
// of libjxl's own descriptions rather than a profile.
QImage decodedWithoutColourManagement(const QByteArray &file, bool *named)
{
    const JxlDecoderPtr decoder = JxlDecoderMake(nullptr);
    JxlDecoderSubscribeEvents(decoder.get(), JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING | JXL_DEC_FULL_IMAGE);
    JxlDecoderSetInput(decoder.get(), reinterpret_cast<const uint8_t *>(file.constData()), size_t(file.size()));
    JxlDecoderCloseInput(decoder.get());
    JxlBasicInfo info{};
    QImage image;
    const JxlPixelFormat format{4, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    for (;;) {
        const JxlDecoderStatus status = JxlDecoderProcessInput(decoder.get());
        if (status == JXL_DEC_BASIC_INFO) {
            JxlDecoderGetBasicInfo(decoder.get(), &info);
        } else if (status == JXL_DEC_COLOR_ENCODING) {
            JxlColorEncoding encoding;
            *named = JxlDecoderGetColorAsEncodedProfile(decoder.get(), nullptr, JXL_COLOR_PROFILE_TARGET_ORIGINAL,
                                                        &encoding) == JXL_DEC_SUCCESS;
        } else if (status == JXL_DEC_NEED_IMAGE_OUT_BUFFER) {
            image = QImage(int(info.xsize), int(info.ysize), QImage::Format_RGBA8888);
            JxlDecoderSetImageOutBuffer(decoder.get(), &format, image.bits(), size_t(image.sizeInBytes()));
        } else {
            return status == JXL_DEC_FULL_IMAGE ? image : QImage();
        }
    }
}

} // namespace

// A lossy JPEG XL file says its colours in the codestream wherever libjxl's
// own description holds them, so that a reader without colour management
// gets them back from the XYB; a space only a profile describes keeps it,
// and is read right only through colour management, as ours does. At
// quality 90 the colours stay above 30 dB (linear sRGB taken for the
// picture's own colours gives about 13).
void FormatsTest::jxlColoursWithoutColourManagement_data()
{
    QTest::addColumn<QColorSpace>("space");
    QTest::addColumn<bool>("named");
    const QPointF d65(0.3127, 0.3290);
    const auto gamma = QColorSpace::TransferFunction::Gamma;
    QTest::newRow("sRGB") << QColorSpace(QColorSpace::SRgb) << true;
    QTest::newRow("Display P3") << QColorSpace(QColorSpace::DisplayP3) << true;
    QTest::newRow("Adobe RGB") << QColorSpace(QColorSpace::AdobeRgb) << true;
    QTest::newRow("ProPhoto primaries, gamma 1.8") << QColorSpace(QColorSpace::Primaries::ProPhotoRgb, 1.8f) << true;
    QTest::newRow("linear sRGB") << QColorSpace(QColorSpace::SRgbLinear) << true;
    QTest::newRow("a PNG's gAMA and cHRM") << QColorSpace(d65, {0.67, 0.33}, {0.21, 0.71}, {0.14, 0.08}, gamma, 2.2f)
                                          << true;
    QTest::newRow("ProPhoto, linear toe") << QColorSpace(QColorSpace::ProPhotoRgb) << false;
}

void FormatsTest::jxlColoursWithoutColourManagement()
{
    QFETCH(QColorSpace, space);
    QFETCH(bool, named);
    const QImage source = colourRamp(space);
    const QString path = directory.filePath(QStringLiteral("colours.jxl"));
    InputOutcome written;
    saveImage(source, path, QStringLiteral("JXL"), batchrun::atQuality(90), written);
    QVERIFY2(!written.failed(), qPrintable(written.reason));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));

    bool describedByLibjxl = false;
    const QImage plain = decodedWithoutColourManagement(file.readAll(), &describedByLibjxl);
    QVERIFY(!plain.isNull());
    QCOMPARE(describedByLibjxl, named);
    const double plainPsnr = differential::colourPsnr(source, plain);
    if (named)
        QVERIFY2(plainPsnr > 30, qPrintable(QString::number(plainPsnr)));
    InputOutcome read;
    const QImage ours = loadImage(path, read);
    const double oursPsnr = differential::colourPsnr(source, ours);
    QVERIFY2(oursPsnr > 30, qPrintable(QString::number(oursPsnr)));
    QCOMPARE(ours.colorSpace(), space);
}

QTEST_MAIN(FormatsTest)
#include "tst_formats.moc"
