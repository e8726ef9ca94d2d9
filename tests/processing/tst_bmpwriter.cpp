#include "batchrun.h"
#include "batch/bmpwriter.h"
#include "differential.h"
#include "pipeline/imageprocessor.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Our BMP writer stands in for Qt's on the 32-bit formats, so its files must
// be Qt's byte for byte: headers, padding, row order, resolution.
class BmpWriterTest : public QObject
{
    Q_OBJECT

private slots:
    void sameBytesAsQt_data();
    void sameBytesAsQt();
    void savedFileIsQtsBmp();
};

void BmpWriterTest::sameBytesAsQt_data()
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

void BmpWriterTest::sameBytesAsQt()
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

// The run's writer takes this path for BMP: the file holds Qt's bytes.
void BmpWriterTest::savedFileIsQtsBmp()
{
    QTemporaryDir directory;
    const QImage image = differential::randomImage(QSize(37, 11), QImage::Format_RGB32, 99);
    const QString path = directory.filePath(QStringLiteral("out.bmp"));
    ImageProcessor processor;
    QString reason;
    QVERIFY2(processor.saveImage(image, path, QStringLiteral("BMP"), 85, &reason), qPrintable(reason));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll() == batchrun::encoded(image, "bmp"));
}

QTEST_GUILESS_MAIN(BmpWriterTest)
#include "tst_bmpwriter.moc"
