#include "batchrun.h"
#include "codecs/bmpwriter.h"
#include "codecs/jpegwriter.h"
#include "codecs/ycbcrplanes.h"
#include "differential.h"
#include "reference.h"
#include "formats/encoderoptions.h"
#include "formats/formattable.h"
#include "formats/saveimage.h"
#include "run/options.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(const OptionDeclaration *)

// Our JPEG and BMP writers stand in for Qt's on the formats a run hands
// them, so their files must be Qt's byte for byte: headers, comments,
// profile, padding, row order, resolution.
class WritersTest : public QObject
{
    Q_OBJECT

private slots:
    void jpegSameBytesAsQt_data();
    void jpegSameBytesAsQt();
    void jpegResolutionAsQtWritesIt();
    void bmpSameBytesAsQt_data();
    void bmpSameBytesAsQt();
    void savedFileIsQts_data();
    void savedFileIsQts();
    void encoderOptionReachesOnlyItsWriters_data();
    void encoderOptionReachesOnlyItsWriters();
    void progressiveJpegHasProgressiveFrame();
    void chromaSubsamplingInFrameHeader_data();
    void chromaSubsamplingInFrameHeader();
    void pngLevelTradesSizeNotPixels();
    void losslessKeepsEveryPixel_data();
    void losslessKeepsEveryPixel();
    void resolutionReadsBack_data();
    void resolutionReadsBack();
    void ycbcrPlanesAsReference_data();
    void ycbcrPlanesAsReference();
};

namespace {

// A value of option other than its initial one.
QVariant otherValue(const OptionDeclaration &option)
{
    const QVariant initial = option.initial();
    switch (option.type) {
    case OptionDeclaration::Type::Flag:
        return !initial.toBool();
    case OptionDeclaration::Type::Integer:
        return initial.toInt() == option.maximum ? option.minimum : option.maximum;
    case OptionDeclaration::Type::Preset:
        return option.presets->key((option.initialNumber + 1) % option.presets->size());
    default:
        return initial;
    }
}

QList<const OptionDeclaration *> everyEncoderOption()
{
    QList<const OptionDeclaration *> options;
    for (const FileFormat &format : fileFormats()) {
        for (const OptionDeclaration *option : format.encoderOptions) {
            if (!options.contains(option))
                options << option;
        }
    }
    return options;
}

// The frame header's component table: for each component its id, its
// sampling factors (across in the high nibble) and its table.
QByteArray frameHeader(const QByteArray &jpeg, char *marker)
{
    for (qsizetype at = 2; at + 4 <= jpeg.size();) {
        const auto code = uchar(jpeg.at(at + 1));
        const int length = uchar(jpeg.at(at + 2)) << 8 | uchar(jpeg.at(at + 3));
        if (code >= 0xc0 && code <= 0xc2) {
            *marker = char(code);
            return jpeg.mid(at + 4, length - 2);
        }
        at += 2 + length;
    }
    return QByteArray();
}

QImage asArgb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

void WritersTest::jpegSameBytesAsQt_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<int>("quality");
    quint32 seed = 1;
    // Partial MCUs in both directions, single rows and columns, and a
    // picture whose file outgrows the first guess of its size.
    const QList<QSize> sizes = {QSize(1, 1), QSize(1, 9), QSize(17, 1), QSize(15, 17), QSize(640, 481)};
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_Grayscale8}) {
        for (const QSize &size : sizes) {
            for (int quality : {1, 85, 100}) {
                const QImage image = differential::randomImage(size, QImage::Format_ARGB32, seed++)
                                             .convertToFormat(format);
                QTest::addRow("%s %dx%d q%d", qPrintable(differential::formatName(format)),
                              size.width(), size.height(), quality)
                        << image << quality;
            }
        }
    }
    QImage described = differential::randomImage(QSize(33, 20), QImage::Format_RGB32, 50);
    described.setText(QStringLiteral("Description"), QStringLiteral("Strand bei Nacht, 夜の浜辺"));
    described.setText(QStringLiteral("Author"), QStringLiteral("A. Fotograf"));
    QTest::newRow("texts") << described << 90;
    for (const QColorSpace &space : {QColorSpace(QColorSpace::SRgb), QColorSpace(QColorSpace::AdobeRgb),
                                     QColorSpace(QColorSpace::DisplayP3)}) {
        QImage profiled = differential::randomImage(QSize(40, 30), QImage::Format_RGB32, seed++);
        profiled.setColorSpace(space);
        QTest::addRow("profile %s", qPrintable(space.description())) << profiled << 85;
    }
    QImage everything = described;
    everything.setColorSpace(QColorSpace::AdobeRgb);
    everything.setDotsPerMeterX(11811);
    everything.setDotsPerMeterY(5906);
    QTest::newRow("texts, profile and resolution") << everything << 75;
}

void WritersTest::jpegSameBytesAsQt()
{
    QFETCH(QImage, image);
    QFETCH(int, quality);
    QVERIFY(jpegwriter::writes(image.format()));
    const QByteArray ours = jpegwriter::encode(image, quality);
    const QByteArray expected = batchrun::encoded(image, "jpg", quality);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(ours.size(), expected.size());
    QVERIFY(ours == expected);
}

// Inches or centimetres, whichever Qt picks, for every resolution a camera
// or scanner writes and the odd ones in between.
void WritersTest::jpegResolutionAsQtWritesIt()
{
    const QImage pixels = differential::randomImage(QSize(8, 8), QImage::Format_RGB32, 7);
    for (int x = 1; x <= 12000; x += 37) {
        for (int y : {x, x + 1, x * 2, 3937}) {
            QImage image = pixels;
            image.setDotsPerMeterX(x);
            image.setDotsPerMeterY(y);
            if (jpegwriter::encode(image, 85) != batchrun::encoded(image, "jpg", 85))
                QFAIL(qPrintable(QStringLiteral("differs at %1 x %2 dots per metre").arg(x).arg(y)));
        }
    }
}

void WritersTest::bmpSameBytesAsQt_data()
{
    QTest::addColumn<QImage>("image");
    quint32 seed = 1;
    // Every padding (width mod 4), one pixel rows and columns, and a picture
    // of several write blocks whose last block is partial.
    const QList<QSize> sizes = {QSize(1, 1), QSize(1, 5), QSize(2, 3), QSize(3, 2), QSize(5, 4),
                                QSize(7, 9), QSize(4001, 230)};
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32}) {
        for (const QSize &size : sizes) {
            QImage image = differential::randomImage(size, format, seed++);
            if (size.width() == 5) {
                image.setDotsPerMeterX(1234);
                image.setDotsPerMeterY(4321);
            }
            QTest::addRow("%s %dx%d", qPrintable(differential::formatName(format)), size.width(),
                          size.height())
                    << image;
        }
    }
}

void WritersTest::bmpSameBytesAsQt()
{
    QFETCH(QImage, image);
    QVERIFY(bmpwriter::writes(image.format()));
    QByteArray ours;
    QBuffer buffer(&ours);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(bmpwriter::write(image, &buffer));
    const QByteArray expected = batchrun::encoded(image, "bmp");
    QVERIFY(!expected.isEmpty());
    QCOMPARE(ours.size(), expected.size());
    QVERIFY(ours == expected);
}

// The run's writer takes our path for these formats: the file holds Qt's bytes.
void WritersTest::savedFileIsQts_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("qtFormat");
    QTest::newRow("JPG") << QStringLiteral("JPG") << QByteArray("jpg");
    QTest::newRow("BMP") << QStringLiteral("BMP") << QByteArray("bmp");
    // Qt's own writers, at the encoder options' initial values.
    QTest::newRow("PNG") << QStringLiteral("PNG") << QByteArray("png");
    QTest::newRow("WEBP") << QStringLiteral("WEBP") << QByteArray("webp");
}

void WritersTest::savedFileIsQts()
{
    QFETCH(QString, format);
    QFETCH(QByteArray, qtFormat);
    QTemporaryDir directory;
    QImage image = differential::randomImage(QSize(37, 11), QImage::Format_RGB32, 99);
    image.setColorSpace(QColorSpace::DisplayP3);
    const QString path = directory.filePath(QStringLiteral("out.") + qtFormat);
    InputOutcome outcome;
    saveImage(image, path, format, JobSettings(), outcome);
    QVERIFY2(!outcome.failed(), qPrintable(outcome.reason));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll() == batchrun::encoded(image, qtFormat.constData(), 85));
}

// Every encoder option of the format table changes the files of the formats
// whose row lists it, and no byte of any other format's file.
void WritersTest::encoderOptionReachesOnlyItsWriters_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<const OptionDeclaration *>("option");
    for (const FileFormat &format : fileFormats()) {
        if (!format.isWritten())
            continue;
        for (const OptionDeclaration *option : everyEncoderOption())
            QTest::addRow("%s %s", format.output.key, option->name) << QString::fromLatin1(format.output.key)
                                                                     << option;
    }
}

void WritersTest::encoderOptionReachesOnlyItsWriters()
{
    QFETCH(QString, format);
    QFETCH(const OptionDeclaration *, option);
    const QImage image = batchrun::testImage(48, 32);
    JobSettings changed;
    option->setValue(changed, otherValue(*option));
    const QByteArray initial = encodedImage(image, format, JobSettings());
    QVERIFY(!initial.isEmpty());
    const bool reads = formatWritten(format)->encoderOptions.contains(*option);
    QCOMPARE(encodedImage(image, format, changed) != initial, reads);
}

void WritersTest::progressiveJpegHasProgressiveFrame()
{
    const QImage image = differential::randomImage(QSize(40, 24), QImage::Format_RGB32, 3);
    JobSettings settings;
    for (const bool progressive : {false, true}) {
        settings.set(option::progressive, progressive);
        char marker = 0;
        QVERIFY(!frameHeader(encodedImage(image, QStringLiteral("JPG"), settings), &marker).isEmpty());
        QCOMPARE(uchar(marker), progressive ? 0xc2 : 0xc0);
        QCOMPARE(asArgb(QImage::fromData(encodedImage(image, QStringLiteral("JPG"), settings))).size(),
                 image.size());
    }
}

// The brightness component's factors against the colour components' 1x1,
// for our writer's formats and for those it takes over from Qt's.
void WritersTest::chromaSubsamplingInFrameHeader_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QImage::Format>("format");
    QTest::addColumn<int>("factors");
    const QList<std::pair<const PresetEntry *, int>> meanings = {
            {&presets::chroma420, 0x22}, {&presets::chroma422, 0x21}, {&presets::chroma444, 0x11}};
    QCOMPARE(meanings.size(), presets::chromaSubsamplings.size());
    for (const auto &[entry, factors] : meanings) {
        for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_RGB888, QImage::Format_RGBX64})
            QTest::addRow("%s %s", entry->key, qPrintable(differential::formatName(format)))
                    << QString::fromLatin1(entry->key) << format << factors;
    }
}

void WritersTest::chromaSubsamplingInFrameHeader()
{
    QFETCH(QString, key);
    QFETCH(QImage::Format, format);
    QFETCH(int, factors);
    const QImage image = differential::randomImage(QSize(33, 17), QImage::Format_RGB32, 5).convertToFormat(format);
    JobSettings settings;
    settings.set(option::chromaSubsampling, key);
    const QByteArray jpeg = encodedImage(image, QStringLiteral("JPG"), settings);
    char marker = 0;
    const QByteArray header = frameHeader(jpeg, &marker);
    QCOMPARE(header.size(), 6 + 3 * 3);
    QCOMPARE(int(uchar(header.at(7))), factors);
    QCOMPARE(int(uchar(header.at(10))), 0x11);
    QCOMPARE(int(uchar(header.at(13))), 0x11);
    QCOMPARE(QImage::fromData(jpeg).size(), image.size());
}

// Level 0 stores the rows and 9 packs them tightest (zlib's levels in
// between need not be ordered), and every level decodes to the same pixels.
void WritersTest::pngLevelTradesSizeNotPixels()
{
    const QImage image = batchrun::testImage(200, 120);
    JobSettings settings;
    QList<qsizetype> sizes;
    for (int level = 0; level <= option::pngCompression.maximum; ++level) {
        settings.set(option::pngCompression, level);
        const QByteArray png = encodedImage(image, QStringLiteral("PNG"), settings);
        sizes << png.size();
        QCOMPARE(asArgb(QImage::fromData(png)), asArgb(image));
    }
    QVERIFY(sizes.first() > sizes.at(1));
    QCOMPARE(*std::max_element(sizes.begin(), sizes.end()), sizes.first());
    QCOMPARE(*std::min_element(sizes.begin(), sizes.end()), sizes.last());
    QVERIFY(sizes.last() < sizes.at(1));
}

// At the lowest quality, with and without alpha.
void WritersTest::losslessKeepsEveryPixel_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<const OptionDeclaration *>("option");
    QTest::addColumn<QImage::Format>("format");
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32}) {
        const QString name = differential::formatName(format);
        const std::pair<const char *, const OptionDeclaration *> losslessOptions[] = {
                {"WEBP", &option::webpLossless}, {"JXL", &option::jxlLossless}};
        for (const auto &[key, option] : losslessOptions)
            QTest::addRow("%s %s", key, qPrintable(name)) << QString::fromLatin1(key) << option << format;
    }
}

void WritersTest::losslessKeepsEveryPixel()
{
    QFETCH(QString, key);
    QFETCH(const OptionDeclaration *, option);
    QFETCH(QImage::Format, format);
    QImage image = differential::randomImage(QSize(31, 19), QImage::Format_ARGB32, 11);
    // Fully transparent pixels keep no colour in a lossless WebP file.
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            image.setPixel(x, y, qRgba(qRed(pixel), qGreen(pixel), qBlue(pixel), qMax(1, qAlpha(pixel))));
        }
    }
    image = image.convertToFormat(format);
    image.setColorSpace(QColorSpace::SRgb);
    JobSettings settings = batchrun::atQuality(1);
    option->setValue(settings, true);
    const QImage decoded = QImage::fromData(encodedImage(image, key, settings));
    QCOMPARE(asArgb(decoded), asArgb(image));
}

// Written where the file holds it, read back by Qt's readers; 0 keeps the
// picture's own.
void WritersTest::resolutionReadsBack_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("dpi");
    for (const FileFormat &format : fileFormats()) {
        if (!format.encoderOptions.contains(option::dpi))
            continue;
        for (int dpi : {0, 300, option::dpi.maximum})
            QTest::addRow("%s %d", format.output.key, dpi) << QString::fromLatin1(format.output.key) << dpi;
    }
}

void WritersTest::resolutionReadsBack()
{
    QFETCH(QString, key);
    QFETCH(int, dpi);
    const int pictureDpi = 96;
    QImage image = batchrun::testImage(16, 8);
    image.setDotsPerMeterX(qRound(pictureDpi / 0.0254));
    image.setDotsPerMeterY(qRound(pictureDpi / 0.0254));
    JobSettings settings;
    settings.set(option::dpi, dpi);
    const QImage decoded = QImage::fromData(encodedImage(image, key, settings));
    QVERIFY(!decoded.isNull());
    const int expected = dpi ? dpi : pictureDpi;
    QCOMPARE(qRound(decoded.dotsPerMeterX() * 0.0254), expected);
    QCOMPARE(qRound(decoded.dotsPerMeterY() * 0.0254), expected);
}

// The planes handed to the HEIC and AVIF encoders, from every pixel format,
// at odd sizes and across the bands a converted picture is read in.
void WritersTest::ycbcrPlanesAsReference_data()
{
    QTest::addColumn<QImage>("image");
    QList<QSize> sizes = differential::sizes();
    sizes << QSize(17, 37);
    for (const QImage::Format format : differential::formats()) {
        for (const QSize &size : std::as_const(sizes))
            QTest::addRow("%s %dx%d", qPrintable(differential::formatName(format)), size.width(), size.height())
                    << differential::randomImage(size, format, quint32(size.width() * 100 + size.height()));
    }
}

void WritersTest::ycbcrPlanesAsReference()
{
    QFETCH(QImage, image);
    const reference::YCbCr420 expected = reference::ycbcr420(image);
    reference::YCbCr420 actual;
    actual.y = QImage(expected.y.size(), QImage::Format_Grayscale8);
    actual.cb = QImage(expected.cb.size(), QImage::Format_Grayscale8);
    actual.cr = QImage(expected.cb.size(), QImage::Format_Grayscale8);
    if (image.hasAlphaChannel())
        actual.alpha = QImage(expected.y.size(), QImage::Format_Grayscale8);
    auto plane = [](QImage &samples) { return ycbcr::Plane{samples.bits(), samples.bytesPerLine()}; };
    ycbcr::fromPicture(image, {plane(actual.y), plane(actual.cb), plane(actual.cr), plane(actual.alpha)});
    for (const auto &[name, got, wanted] : {std::tuple{"Y", actual.y, expected.y}, {"Cb", actual.cb, expected.cb},
                                           {"Cr", actual.cr, expected.cr}, {"alpha", actual.alpha, expected.alpha}})
        QVERIFY2(differential::firstDifference(got, wanted).isEmpty(),
                 qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(name), differential::firstDifference(got, wanted))));
}

QTEST_GUILESS_MAIN(WritersTest)
#include "tst_writers.moc"
