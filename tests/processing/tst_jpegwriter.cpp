#include "batchrun.h"
#include "batch/jpegwriter.h"
#include "differential.h"
#include "pipeline/imageprocessor.h"

#include <QColorSpace>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Our JPEG encoder stands in for Qt's on RGB32 and Grayscale8, so its files
// must be Qt's byte for byte: JFIF header, comments, profile, scans.
class JpegWriterTest : public QObject
{
    Q_OBJECT

private slots:
    void sameBytesAsQt_data();
    void sameBytesAsQt();
    void resolutionAsQtWritesIt();
    void savedFileIsQtsJpeg();
};

void JpegWriterTest::sameBytesAsQt_data()
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

void JpegWriterTest::sameBytesAsQt()
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
void JpegWriterTest::resolutionAsQtWritesIt()
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

// The run's writer takes this path for JPEG: the file holds Qt's bytes.
void JpegWriterTest::savedFileIsQtsJpeg()
{
    QTemporaryDir directory;
    QImage image = differential::randomImage(QSize(37, 11), QImage::Format_RGB32, 99);
    image.setColorSpace(QColorSpace::DisplayP3);
    const QString path = directory.filePath(QStringLiteral("out.jpg"));
    ImageProcessor processor;
    QString reason;
    QVERIFY2(processor.saveImage(image, path, QStringLiteral("JPG"), 85, &reason), qPrintable(reason));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll() == batchrun::encoded(image, "jpg", 85));
}

QTEST_GUILESS_MAIN(JpegWriterTest)
#include "tst_jpegwriter.moc"
