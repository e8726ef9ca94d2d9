#include "formats/imagefile.h"
#include "differential.h"
#include "composition/channel.h"
#include "filters/emboss.h"
#include "filters/grayscale.h"
#include "tone/brightness.h"
#include "reference.h"

#include <QColorSpace>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using Operation = std::function<QImage(const QImage &)>;
Q_DECLARE_METATYPE(Operation)

// Results of 8 MB and more live in buffers of their own, on large pages;
// these tests hold them to the same pixels as small results and check that
// they behave as ordinary images afterwards.
class LargeImagesTest : public QObject
{
    Q_OBJECT

private slots:
    void matchReference_data();
    void matchReference();
    void resultsBehaveAsOrdinaryImages();
    void decodesMatchQt_data();
    void decodesMatchQt();
};

namespace {

// 2048 x 1400 is 8.6 MB at three bytes a pixel and 11.5 MB at four.
const QSize largeSize(2048, 1400);

} // namespace

void LargeImagesTest::matchReference_data()
{
    QTest::addColumn<QImage>("source");
    QTest::addColumn<Operation>("production");
    QTest::addColumn<Operation>("expected");
    const struct {
        const char *name;
        Operation production;
        Operation expected;
    } operations[] = {
        {"brightness", [](const QImage &i) { return adjustBrightness(i, 20); },
         [](const QImage &i) { return reference::adjustBrightness(i, 20); }},
        {"grayscale", [](const QImage &i) { return applyGrayscale(i); },
         [](const QImage &i) { return reference::applyGrayscale(i); }},
        {"emboss", [](const QImage &i) { return applyEmboss(i); },
         [](const QImage &i) { return reference::applyEmboss(i); }},
        {"cyan channel", [](const QImage &i) { return extractChannel(i, "Cyan"); },
         [](const QImage &i) { return reference::extractChannel(i, "Cyan"); }},
    };
    quint32 seed = 7;
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB888}) {
        const QImage source = differential::randomImage(largeSize, format, seed++);
        for (const auto &operation : operations)
            QTest::addRow("%s %s", operation.name, qPrintable(differential::formatName(format)))
                << source << operation.production << operation.expected;
    }
}

void LargeImagesTest::matchReference()
{
    QFETCH(QImage, source);
    QFETCH(Operation, production);
    QFETCH(Operation, expected);
    const QString difference = differential::firstDifference(production(source), expected(source));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

// A copy that is changed leaves the result alone, a painter paints on it,
// and a later operation reads it like any image.
void LargeImagesTest::resultsBehaveAsOrdinaryImages()
{
    QImage source(largeSize, QImage::Format_RGB32);
    source.fill(qRgb(100, 150, 200));
    source.setDotsPerMeterX(11811);
    const QImage result = adjustBrightness(source, 10);
    QCOMPARE(result.bytesPerLine(), qsizetype(largeSize.width()) * 4);
    QCOMPARE(result.dotsPerMeterX(), 11811);

    QImage changed = result;
    changed.setPixel(0, 0, qRgb(1, 2, 3));
    QCOMPARE(result.pixel(0, 0), qRgb(110, 160, 210));
    QCOMPARE(changed.pixel(0, 0), qRgb(1, 2, 3));

    QImage painted = adjustBrightness(source, 10);
    QPainter painter(&painted);
    painter.fillRect(QRect(0, 0, 4, 4), Qt::black);
    painter.end();
    QCOMPARE(painted.pixel(3, 3), qRgb(0, 0, 0));
    QCOMPARE(painted.pixel(4, 4), qRgb(110, 160, 210));

    const QImage chained = adjustBrightness(result, -10);
    QCOMPARE(chained.pixel(largeSize.width() - 1, largeSize.height() - 1), qRgb(100, 150, 200));
}

QTEST_GUILESS_MAIN(LargeImagesTest)
#include "tst_largeimages.moc"

// A large decode lands in an image of ours whose pages are faulted in on
// another core while the decoder writes: the pixels, format and colour
// space are still exactly what Qt decodes on its own.
void LargeImagesTest::decodesMatchQt_data()
{
    QTest::addColumn<QImage::Format>("format");
    QTest::addColumn<QByteArray>("fileFormat");
    QTest::newRow("PNG, opaque") << QImage::Format_RGB32 << QByteArray("png");
    QTest::newRow("PNG, transparent") << QImage::Format_ARGB32 << QByteArray("png");
    QTest::newRow("PNG, grey") << QImage::Format_Grayscale8 << QByteArray("png");
    QTest::newRow("JPEG, colour") << QImage::Format_RGB32 << QByteArray("jpg");
    QTest::newRow("JPEG, grey") << QImage::Format_Grayscale8 << QByteArray("jpg");
    QTest::newRow("BMP") << QImage::Format_RGB32 << QByteArray("bmp");
}

void LargeImagesTest::decodesMatchQt()
{
    QFETCH(QImage::Format, format);
    QFETCH(QByteArray, fileFormat);
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("large.") + QString::fromLatin1(fileFormat));
    QImage source = differential::randomImage(largeSize, QImage::Format_ARGB32, 11).convertToFormat(format);
    if (format != QImage::Format_Grayscale8)
        source.setColorSpace(QColorSpace::DisplayP3);
    QVERIFY(source.save(path, fileFormat.constData(), 90));

    InputOutcome outcome;
    const QImage loaded = loadImage(path, outcome);
    QVERIFY2(!outcome.failed(), qPrintable(outcome.reason));
    const QImage expected(path);
    QCOMPARE(loaded.format(), expected.format());
    QCOMPARE(loaded.colorSpace(), expected.colorSpace());
    QVERIFY(loaded == expected);
}
