#include "batchrun.h"
#include "codecs/jpegreader.h"
#include "codecs/jpegstructure.h"
#include "formats/imagefile.h"
#include "differential.h"

#include <QColorSpace>
#include <QFile>
#include <QFutureWatcher>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtConcurrent>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtTest>

// Our JPEG decoder stands in for Qt's on grey and colour files, so a
// loaded JPEG must be what Qt's reader gives: pixels, format, resolution,
// colour profile and texts.
class JpegReaderTest : public QObject
{
    Q_OBJECT

private slots:
    void sameAsQt_data();
    void sameAsQt();
    void fileWalkedAsBytes_data() { sameAsQt_data(); }
    void fileWalkedAsBytes();
    void resolutionAsQtReadsIt();
    void damagedFilesAsQtReadsThem();
    void stopEndsScanBombDecode_data();
    void stopEndsScanBombDecode();

private:
    QString write(const QImage &image, bool progressive = false);
    QTemporaryDir directory;
    int written = 0;
};

namespace {

void compareWithQt(const QString &path)
{
    InputOutcome outcome;
    const QImage loaded = loadImage(path, outcome);
    QVERIFY2(!outcome.failed(), qPrintable(outcome.reason));
    QImageReader reader(path);
    const QImage expected = reader.read();
    QCOMPARE(loaded.format(), expected.format());
    QCOMPARE(loaded.size(), expected.size());
    QCOMPARE(loaded.dotsPerMeterX(), expected.dotsPerMeterX());
    QCOMPARE(loaded.dotsPerMeterY(), expected.dotsPerMeterY());
    QCOMPARE(loaded.colorSpace(), expected.colorSpace());
    QCOMPARE(loaded.textKeys(), expected.textKeys());
    for (const QString &key : expected.textKeys())
        QCOMPARE(loaded.text(key), expected.text(key));
    QVERIFY(loaded == expected);
}

} // namespace

QString JpegReaderTest::write(const QImage &image, bool progressive)
{
    const QString path = directory.filePath(QStringLiteral("%1.jpg").arg(++written));
    QImageWriter writer(path, "jpg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    return writer.write(image) ? path : QString();
}

void JpegReaderTest::sameAsQt_data()
{
    QTest::addColumn<QString>("path");
    quint32 seed = 3;
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_Grayscale8}) {
        for (const QSize &size : {QSize(1, 1), QSize(17, 9), QSize(1024, 769)}) {
            const QImage image =
                    differential::randomImage(size, QImage::Format_ARGB32, seed++).convertToFormat(format);
            QTest::addRow("%s %dx%d", qPrintable(differential::formatName(format)), size.width(),
                          size.height())
                    << write(image);
            QTest::addRow("%s %dx%d progressive", qPrintable(differential::formatName(format)),
                          size.width(), size.height())
                    << write(image, true);
        }
    }
    QImage marked = differential::randomImage(QSize(40, 30), QImage::Format_RGB32, 40);
    marked.setText(QStringLiteral("Description"), QStringLiteral("Strand bei Nacht, 夜の浜辺"));
    marked.setText(QStringLiteral("Author"), QStringLiteral("A. Fotograf"));
    marked.setColorSpace(QColorSpace::AdobeRgb);
    QTest::newRow("texts and Adobe RGB") << write(marked);
    marked.setColorSpace(QColorSpace::DisplayP3);
    QTest::newRow("Display P3") << write(marked);
    // The decoder reads the file a piece at a time: segments it passes over
    // reach across the pieces.
    QImage commented = differential::randomImage(QSize(64, 48), QImage::Format_RGB32, 41);
    for (const char *key : {"Comment", "Description", "Title"})
        commented.setText(QLatin1String(key), QString(40000, QLatin1Char('x')));
    QTest::newRow("segments across the reads of the file") << write(commented);
}

void JpegReaderTest::sameAsQt()
{
    QFETCH(QString, path);
    QVERIFY(!path.isEmpty());
    compareWithQt(path);
    InputOutcome outcome;
    loadImage(path, outcome);
    QCOMPARE(outcome.warnings, QStringList()); // libjpeg met no stray byte
}

// The walk over a file read a piece at a time finds what the walk over its
// bytes in memory finds, whole or cut anywhere across the pieces.
void JpegReaderTest::fileWalkedAsBytes()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    for (const qsizetype length : {whole.size(), whole.size() / 3, whole.size() - 2}) {
        QFile cut(batchrun::writeFile(directory.filePath(QStringLiteral("walked.jpg")), whole.left(length)));
        QVERIFY(cut.open(QIODevice::ReadOnly));
        const jpegstructure::Layout fromFile = jpegstructure::readFile(cut.handle(), cut.size());
        const jpegstructure::Layout fromBytes = jpegstructure::read(whole.left(length), jpegstructure::Extent::AllScans);
        QCOMPARE(fromFile.size, fromBytes.size);
        QCOMPARE(fromFile.scans, fromBytes.scans);
        QCOMPARE(fromFile.blockVisits, fromBytes.blockVisits);
        QCOMPARE(fromFile.firstScanBytes, fromBytes.firstScanBytes);
        QCOMPARE(fromFile.entropyBytes, fromBytes.entropyBytes);
        QCOMPARE(fromFile.ended, fromBytes.ended);
        QCOMPARE(fromFile.ended, length == whole.size());
        // A file that shrank since its size was taken ends where its bytes do.
        QCOMPARE(jpegstructure::readFile(cut.handle(), cut.size() + 4096).entropyBytes, fromBytes.entropyBytes);
    }
}

// Dots per inch and per centimetre, each read back as Qt converts them.
void JpegReaderTest::resolutionAsQtReadsIt()
{
    QImage image = differential::randomImage(QSize(8, 8), QImage::Format_RGB32, 5);
    for (int dotsPerMetre = 1; dotsPerMetre <= 12000; dotsPerMetre += 97) {
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre + 41);
        compareWithQt(write(image));
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("at %1 dots per metre").arg(dotsPerMetre)));
    }
}

// A cut file decodes with grey below the cut and a warning, as from Qt's
// reader; a file cut inside its header does not decode.
void JpegReaderTest::damagedFilesAsQtReadsThem()
{
    const QString whole = write(differential::randomImage(QSize(300, 200), QImage::Format_RGB32, 9));
    QFile file(whole);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QString cut = batchrun::writeFile(directory.filePath(QStringLiteral("cut.jpg")), bytes.left(bytes.size() / 2));
    compareWithQt(cut);
    InputOutcome outcome;
    QVERIFY(!loadImage(cut, outcome).isNull());
    QVERIFY2(!outcome.warnings.isEmpty(), "a cut JPEG decoded without a warning");

    const QString headerOnly = batchrun::writeFile(directory.filePath(QStringLiteral("header.jpg")), bytes.left(200));
    QVERIFY(QImage(headerOnly).isNull());
    QVERIFY(loadImage(headerOnly, outcome).isNull());
    QCOMPARE(outcome.reason, QStringLiteral("cannot read: unsupported or damaged image "
                                            "(Invalid JPEG file structure: missing SOS marker)"));
}

// 20001 scans over 2000x2000 take the decoder seconds (the run refuses
// such a file before decoding it); asked to stop, it ends within a second,
// whether it decodes every pixel or an eighth of them.
void JpegReaderTest::stopEndsScanBombDecode_data()
{
    QTest::addColumn<int>("reduction");
    QTest::newRow("whole") << 1;
    QTest::newRow("reduced") << 8;
}

void JpegReaderTest::stopEndsScanBombDecode()
{
    QFETCH(int, reduction);
    const QByteArray bomb = batchrun::progressiveJpeg(2000, 2000, 20000);
    std::atomic<bool> stop{false};
    std::atomic<bool> started{false};
    QFutureWatcher<jpegreader::Outcome> decode;
    QSignalSpy finished(&decode, &QFutureWatcherBase::finished);
    decode.setFuture(QtConcurrent::run([&] {
        started.store(true);
        QImage image;
        return jpegreader::decode(bomb, &image, &stop, reduction);
    }));
    const auto decodeEnded = qScopeGuard([&] {
        stop.store(true);
        decode.waitForFinished();
    });
    QTRY_VERIFY(started.load());
    stop.store(true);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 1000);
    QCOMPARE(decode.result(), jpegreader::Outcome::Stopped);
}

QTEST_GUILESS_MAIN(JpegReaderTest)
#include "tst_jpegreader.moc"
