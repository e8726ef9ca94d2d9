#include "batchrun.h"
#include "codecs/bmpwriter.h"
#include "codecs/jpegwriter.h"
#include "differential.h"
#include "formats/saveimage.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

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
};

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
    saveImage(image, path, format, 85, outcome);
    QVERIFY2(!outcome.failed(), qPrintable(outcome.reason));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll() == batchrun::encoded(image, qtFormat.constData(), 85));
}

QTEST_GUILESS_MAIN(WritersTest)
#include "tst_writers.moc"
