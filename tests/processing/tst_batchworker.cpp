// The holding decoder below registers itself as a static image plugin.
#define QT_STATICPLUGIN

#include "batchrun.h"
#include "batch/batchworker.h"
#include "batch/outputnaming.h"
#include "pipeline/imageprocessor.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageIOPlugin>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QtConcurrent>
#include <QtTest>

#include <functional>

// What the chain is expected to do to a source image, built from the
// operations in the order a test names them.
using ExpectedChain = std::function<QImage(ImageProcessor &, const QImage &)>;
using SettingsChange = std::function<void(JobSettings &)>;
Q_DECLARE_METATYPE(ExpectedChain)
Q_DECLARE_METATYPE(SettingsChange)

// Decodes files starting with "HOLD" once the test releases it, so that a
// run can be caught in the middle of an input.
QSemaphore holdingDecoderRelease;

class HoldingHandler : public QImageIOHandler
{
public:
    bool canRead() const override { return device() && device()->peek(4) == "HOLD"; }
    bool read(QImage *image) override
    {
        holdingDecoderRelease.acquire();
        *image = batchrun::testImage(24, 16);
        return true;
    }
};

class HoldingPlugin : public QImageIOPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "../data/holdingdecoder.json")

public:
    Capabilities capabilities(QIODevice *device, const QByteArray &format) const override
    {
        if (format == "hold" || (device && device->isReadable() && device->peek(4) == "HOLD"))
            return CanRead;
        return {};
    }
    QImageIOHandler *create(QIODevice *device, const QByteArray &format) const override
    {
        auto handler = new HoldingHandler;
        handler->setDevice(device);
        handler->setFormat(format);
        return handler;
    }
};

Q_IMPORT_PLUGIN(HoldingPlugin)

namespace {

JobSettings settingsFor(const QStringList &inputs, const QString &outputDirectory)
{
    JobSettings settings;
    settings.imagePaths = inputs;
    settings.outputDirectory = outputDirectory;
    return settings;
}

// A JPEG whose EXIF block carries the given orientation tag.
QByteArray jpegWithOrientation(const QImage &image, quint16 orientation)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 100);

    // Big-endian TIFF header, one IFD entry: tag 0x0112, type SHORT, count 1.
    QByteArray exif("Exif\0\0MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01", 24);
    exif.append(char(orientation >> 8)).append(char(orientation & 0xff));
    exif.append(QByteArray(6, '\0')); // value padding and no next IFD
    const int segmentLength = exif.size() + 2;
    QByteArray segment("\xff\xe1", 2);
    segment.append(char(segmentLength >> 8)).append(char(segmentLength & 0xff)).append(exif);
    return jpeg.insert(2, segment); // right after the start-of-image marker
}

bool closeTo(const QColor &actual, const QColor &expected)
{
    return qAbs(actual.red() - expected.red()) < 40 && qAbs(actual.green() - expected.green()) < 40
            && qAbs(actual.blue() - expected.blue()) < 40;
}

QImage halvesImage()
{
    QImage image(32, 16, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = image.width() / 2; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    }
    return image;
}

} // namespace

class BatchWorkerTest : public QObject
{
    Q_OBJECT

private slots:
    void progressAndFinish_data();
    void progressAndFinish();
    void callsArriveQueuedOnReceiverThread();
    void outputNames_data();
    void outputNames();
    void outputsNeverCollide_data();
    void outputsNeverCollide();
    void earlierRunsAreReplaced();
    void chain_data();
    void chain();
    void cancellation();
    void exifOrientationApplied_data();
    void exifOrientationApplied();
};

void BatchWorkerTest::progressAndFinish_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("missingPositions");
    QTest::addColumn<QList<int>>("expectedProgress");
    QTest::addColumn<QStringList>("expectedNames");

    QTest::newRow("three") << 3 << QList<int>() << QList<int>{33, 66, 100}
                           << QStringList{"p_0001.png", "p_0002.png", "p_0003.png"};
    QTest::newRow("seven") << 7 << QList<int>() << QList<int>{14, 28, 42, 57, 71, 85, 100}
                           << QStringList{"p_0001.png", "p_0002.png", "p_0003.png", "p_0004.png",
                                          "p_0005.png", "p_0006.png", "p_0007.png"};
    QTest::newRow("second missing") << 3 << QList<int>{2} << QList<int>{33, 66, 100}
                                    << QStringList{"p_0001.png", "p_0003.png"};
    QTest::newRow("last missing") << 2 << QList<int>{2} << QList<int>{50, 100}
                                  << QStringList{"p_0001.png"};
    QTest::newRow("none loads") << 2 << QList<int>{1, 2} << QList<int>{50, 100} << QStringList();
    QTest::newRow("no inputs") << 0 << QList<int>() << QList<int>() << QStringList();
}

void BatchWorkerTest::progressAndFinish()
{
    QFETCH(int, count);
    QFETCH(QList<int>, missingPositions);
    QFETCH(QList<int>, expectedProgress);
    QFETCH(QStringList, expectedNames);

    QTemporaryDir inputs, outputs;
    QStringList paths;
    for (int position = 1; position <= count; ++position) {
        const QString path = inputs.filePath(QStringLiteral("in%1.png").arg(position));
        if (!missingPositions.contains(position))
            QVERIFY(!batchrun::writeImage(path).isEmpty());
        paths << path;
    }
    JobSettings settings = settingsFor(paths, outputs.path());
    settings.format = QStringLiteral("PNG");
    settings.batchRename = true;
    settings.batchPrefix = QStringLiteral("p");

    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);

    // Each input gives its failure, if any, then its progress; the end comes last.
    QStringList expectedEvents;
    for (int position = 1; position <= count; ++position) {
        if (missingPositions.contains(position))
            expectedEvents << QStringLiteral("failed");
        expectedEvents << QStringLiteral("progress");
    }
    expectedEvents << QStringLiteral("finished");
    QCOMPARE(recorder.events, expectedEvents);
    QCOMPARE(recorder.progress, expectedProgress);
    QCOMPARE(recorder.finishedCount, 1);
    for (int position : missingPositions)
        QCOMPARE(recorder.reasonFor(paths.at(position - 1)), QStringLiteral("cannot read: no such file"));
    QCOMPARE(batchrun::entriesOf(outputs.path()), expectedNames);
}

void BatchWorkerTest::callsArriveQueuedOnReceiverThread()
{
    QTemporaryDir inputs, outputs;
    const QStringList paths{batchrun::writeImage(inputs.filePath("a.png")),
                            inputs.filePath("missing.png")};
    BatchRecorder recorder;
    QFuture<void> run = QtConcurrent::run(runBatch, settingsFor(paths, outputs.path()), &recorder,
                                          static_cast<const std::atomic<bool> *>(nullptr));
    QTRY_COMPARE(recorder.finishedCount, 1);
    run.waitForFinished();
    QVERIFY(recorder.allOnOwnThread);
    QCOMPARE(recorder.events, (QStringList{"progress", "failed", "progress", "finished"}));
}

void BatchWorkerTest::outputNames_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("rename");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");

    QTest::newRow("prefix pads to four digits") << "/in/a.png" << 7 << true << "image" << "PNG"
                                                << "/out/image_0007.png";
    QTest::newRow("position above 9999 in full") << "/in/a.png" << 12345 << true << "image" << "PNG"
                                                 << "/out/image_12345.png";
    QTest::newRow("prefix taken literally") << "/in/a.png" << 3 << true << "%1 x%2" << "JPG"
                                            << "/out/%1 x%2_0003.jpg";
    QTest::newRow("several dots") << "/in/holiday.beach.JPG" << 1 << false << "image" << "JPG"
                                  << "/out/holiday_processed.jpg";
    QTest::newRow("empty base name") << "/in/.png" << 1 << false << "image" << "PNG"
                                     << "/out/_processed.png";
    QTest::newRow("empty prefix falls back") << "/in/cat.bmp" << 2 << true << "" << "BMP"
                                             << "/out/cat_processed.bmp";
    QTest::newRow("format lower-cased") << "/in/cat.png" << 1 << false << "image" << "WEBP"
                                        << "/out/cat_processed.webp";
    QTest::newRow("rename off ignores prefix") << "/in/cat.png" << 4 << false << "image" << "JPG"
                                               << "/out/cat_processed.jpg";
}

void BatchWorkerTest::outputNames()
{
    QFETCH(QString, input);
    QFETCH(int, position);
    QFETCH(bool, rename);
    QFETCH(QString, prefix);
    QFETCH(QString, format);
    QFETCH(QString, expected);

    JobSettings settings = settingsFor({input}, QStringLiteral("/out"));
    settings.batchRename = rename;
    settings.batchPrefix = prefix;
    settings.format = format;
    QCOMPARE(makeOutputPath(input, position, settings), expected);
}

void BatchWorkerTest::outputsNeverCollide_data()
{
    QTest::addColumn<QStringList>("inputNames");
    QTest::addColumn<bool>("inputsInOutputDirectory");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QStringList>("expectedNewFiles"); // in input order

    QTest::newRow("same base name twice") << QStringList{"a.png", "a.jpg"} << false << QString()
                                          << QStringList{"a_processed.png", "a_processed_2.png"};
    QTest::newRow("same base name three times")
            << QStringList{"a.png", "a.jpg", "a.bmp"} << false << QString()
            << QStringList{"a_processed.png", "a_processed_2.png", "a_processed_3.png"};
    QTest::newRow("output equal to an input")
            << QStringList{"image_0001.png", "b.png"} << true << "image"
            << QStringList{"image_0001_2.png", "image_0002.png"};
    QTest::newRow("later input named like an earlier output")
            << QStringList{"x.png", "x_processed.png"} << true << QString()
            << QStringList{"x_processed_2.png", "x_processed_processed.png"};
}

// Every input and every output of a run has its own file: nothing is
// overwritten within one run.
void BatchWorkerTest::outputsNeverCollide()
{
    QFETCH(QStringList, inputNames);
    QFETCH(bool, inputsInOutputDirectory);
    QFETCH(QString, prefix);
    QFETCH(QStringList, expectedNewFiles);

    QTemporaryDir inputs, outputs;
    const QString inputDirectory = inputsInOutputDirectory ? outputs.path() : inputs.path();
    QStringList paths;
    QList<QByteArray> checksums;
    for (int index = 0; index < inputNames.size(); ++index) {
        paths << batchrun::writeImage(QDir(inputDirectory).filePath(inputNames.at(index)),
                                      batchrun::testImage(8 + index, 8));
        checksums << batchrun::fileChecksum(paths.last());
    }
    // An un-cleaned spelling of the same directory must still be recognised.
    const QString roundabout = outputs.path() + QStringLiteral("/./../")
            + QFileInfo(outputs.path()).fileName() + QStringLiteral("/.");
    JobSettings settings = settingsFor(paths, roundabout);
    settings.format = QStringLiteral("PNG");
    settings.batchRename = !prefix.isEmpty();
    settings.batchPrefix = prefix;

    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);

    QVERIFY2(recorder.failedPaths.isEmpty(), qPrintable(recorder.failureReasons.join("; ")));
    for (int index = 0; index < paths.size(); ++index)
        QCOMPARE(batchrun::fileChecksum(paths.at(index)), checksums.at(index));
    QStringList newFiles = batchrun::entriesOf(outputs.path());
    for (const QString &name : inputNames)
        newFiles.removeOne(name);
    QStringList sortedExpected = expectedNewFiles;
    sortedExpected.sort();
    newFiles.sort();
    QCOMPARE(newFiles, sortedExpected);
    // Output i holds input i: their widths tell them apart.
    for (int index = 0; index < expectedNewFiles.size(); ++index)
        QCOMPARE(QImage(outputs.filePath(expectedNewFiles.at(index))).width(), 8 + index);
}

void BatchWorkerTest::earlierRunsAreReplaced()
{
    QTemporaryDir inputs, outputs;
    const QString input = inputs.filePath(QStringLiteral("photo.png"));
    JobSettings settings = settingsFor({input}, outputs.path());
    settings.format = QStringLiteral("PNG");
    const QImage second = batchrun::testImage(20, 10, 2);
    for (const QImage &source : {batchrun::testImage(12, 6, 1), second}) {
        QVERIFY(!batchrun::writeImage(input, source).isEmpty());
        BatchRecorder recorder;
        batchrun::runHere(settings, recorder);
        QVERIFY(recorder.failedPaths.isEmpty());
    }
    QCOMPARE(batchrun::entriesOf(outputs.path()), QStringList{"photo_processed.png"});
    QCOMPARE(QImage(outputs.filePath("photo_processed.png")).convertToFormat(QImage::Format_RGB32),
             second);
}

void BatchWorkerTest::chain_data()
{
    QTest::addColumn<SettingsChange>("change");
    QTest::addColumn<ExpectedChain>("expected");

    const ExpectedChain unchanged = [](ImageProcessor &, const QImage &image) { return image; };
    QTest::newRow("default run re-encodes only") << SettingsChange([](JobSettings &) {}) << unchanged;
    QTest::newRow("width alone scales to that width")
            << SettingsChange([](JobSettings &s) { s.width = 48; })
            << ExpectedChain([](ImageProcessor &p, const QImage &i) {
                   return p.resizeImage(i, 48, 32, true);
               });
    QTest::newRow("height alone scales to that height")
            << SettingsChange([](JobSettings &s) { s.height = 10; })
            << ExpectedChain([](ImageProcessor &p, const QImage &i) {
                   return p.resizeImage(i, 15, 10, true);
               });
    QTest::newRow("width alone with exact size does nothing")
            << SettingsChange([](JobSettings &s) { s.width = 800; s.keepAspectRatio = false; })
            << unchanged;
    QTest::newRow("width alone with crop does nothing")
            << SettingsChange([](JobSettings &s) { s.width = 8; s.crop = true; })
            << unchanged;
    QTest::newRow("shrink only keeps a small picture")
            << SettingsChange([](JobSettings &s) { s.width = 800; s.height = 600; s.shrinkOnly = true; })
            << unchanged;
    QTest::newRow("shrink only keeps a small picture from a standard size")
            << SettingsChange([](JobSettings &s) { s.standardSize = "640x480"; s.shrinkOnly = true; })
            << unchanged;
    QTest::newRow("shrink only still shrinks a large picture")
            << SettingsChange([](JobSettings &s) { s.width = 12; s.shrinkOnly = true; })
            << ExpectedChain([](ImageProcessor &p, const QImage &i) {
                   return p.resizeImage(i, 12, 8, true);
               });
    QTest::newRow("neutral tone values")
            << SettingsChange([](JobSettings &s) { s.brightness = 0; s.contrast = 0; s.saturation = 100; })
            << unchanged;
    QTest::newRow("watermark with empty text")
            << SettingsChange([](JobSettings &s) { s.watermark = true; s.watermarkText.clear(); })
            << unchanged;
    QTest::newRow("resize") << SettingsChange([](JobSettings &s) { s.width = 10; s.height = 30; })
                            << ExpectedChain([](ImageProcessor &p, const QImage &i) {
                                   return p.resizeImage(i, 10, 30, true);
                               });
    QTest::newRow("crop instead of resize")
            << SettingsChange([](JobSettings &s) { s.width = 10; s.height = 6; s.crop = true; })
            << ExpectedChain([](ImageProcessor &p, const QImage &i) { return p.cropImage(i, 10, 6); });
    QTest::newRow("rotation 360 runs")
            << SettingsChange([](JobSettings &s) { s.rotation = 360; })
            << ExpectedChain([](ImageProcessor &p, const QImage &i) { return p.rotateImage(i, 360); });
    QTest::newRow("rotation -360 runs")
            << SettingsChange([](JobSettings &s) { s.rotation = -360; })
            << ExpectedChain([](ImageProcessor &p, const QImage &i) { return p.rotateImage(i, -360); });
    QTest::newRow("both flips in one call")
            << SettingsChange([](JobSettings &s) { s.flipHorizontal = s.flipVertical = true; })
            << ExpectedChain([](ImageProcessor &p, const QImage &i) { return p.flipImage(i, true, true); });
    QTest::newRow("fixed order")
            << SettingsChange([](JobSettings &s) {
                   s.border = true; s.borderThickness = 3; s.gridSplit = true; s.gridRows = 2;
                   s.gridCols = 2; s.rotation = 90; s.brightness = 30; s.standardSize = "640x480";
                   s.aspectRatio = "1:1"; s.filter = "灰度"; s.extractChannelEnabled = true;
                   s.channel = "Green"; s.autoEnhanceEnabled = true; s.width = 50; s.height = 40;
               })
            << ExpectedChain([](ImageProcessor &p, const QImage &i) {
                   QImage image = p.applyStandardSize(i, "640x480");
                   image = p.applyAspectRatio(image, "1:1");
                   image = p.resizeImage(image, 50, 40, true);
                   image = p.adjustBrightness(image, 30);
                   image = p.rotateImage(image, 90);
                   image = p.applyFilter(image, "灰度", 5);
                   image = p.autoEnhance(image);
                   image = p.extractChannel(image, "Green");
                   image = p.splitGrid(image, 2, 2);
                   return p.addBorder(image, 3, Qt::white);
               });
}

// The written file holds exactly what the named operations give, in that
// order; PNG keeps every pixel.
void BatchWorkerTest::chain()
{
    QFETCH(SettingsChange, change);
    QFETCH(ExpectedChain, expected);

    QTemporaryDir inputs, outputs;
    const QImage source = batchrun::testImage(30, 20);
    const QString input = batchrun::writeImage(inputs.filePath("source.png"), source);
    JobSettings settings = settingsFor({input}, outputs.path());
    settings.format = QStringLiteral("PNG");
    change(settings);

    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);

    ImageProcessor processor;
    const QImage wanted = expected(processor, QImage(input)).convertToFormat(QImage::Format_ARGB32);
    const QImage written = QImage(outputs.filePath("source_processed.png"));
    QCOMPARE(written.size(), wanted.size());
    QCOMPARE(written.convertToFormat(QImage::Format_ARGB32), wanted);
}

// The second input is held in its decoder until the test has asked for the
// stop: the first two inputs are written, the third never.
void BatchWorkerTest::cancellation()
{
    QTemporaryDir inputs, outputs;
    const QString held = inputs.filePath(QStringLiteral("held.png"));
    QFile holdFile(held);
    QVERIFY(holdFile.open(QIODevice::WriteOnly) && holdFile.write("HOLD") == 4);
    holdFile.close();
    const QStringList paths{batchrun::writeImage(inputs.filePath("first.png")), held,
                            batchrun::writeImage(inputs.filePath("third.png"))};
    std::atomic<bool> cancel{false};
    BatchRecorder recorder;
    recorder.cancelOnFirstProgress = &cancel;
    QFuture<void> run = QtConcurrent::run(runBatch, settingsFor(paths, outputs.path()), &recorder,
                                          static_cast<const std::atomic<bool> *>(&cancel));
    QTRY_COMPARE(recorder.progress, QList<int>{33});
    holdingDecoderRelease.release();

    QTRY_COMPARE(recorder.finishedCount, 1);
    run.waitForFinished();
    QCOMPARE(recorder.progress, (QList<int>{33, 66}));
    QVERIFY(recorder.failedPaths.isEmpty());
    QCOMPARE(batchrun::entriesOf(outputs.path()),
             (QStringList{"first_processed.jpg", "held_processed.jpg"}));
}

void BatchWorkerTest::exifOrientationApplied_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QSize>("expectedSize");
    QTest::addColumn<QColor>("expectedTopLeft");

    // The source is 32x16, red on the left half and blue on the right.
    QTest::newRow("as stored") << 1 << QSize(32, 16) << QColor(Qt::red);
    QTest::newRow("upside down") << 3 << QSize(32, 16) << QColor(Qt::blue);
    QTest::newRow("turned clockwise") << 6 << QSize(16, 32) << QColor(Qt::red);
    QTest::newRow("turned anticlockwise") << 8 << QSize(16, 32) << QColor(Qt::blue);
}

void BatchWorkerTest::exifOrientationApplied()
{
    QFETCH(int, orientation);
    QFETCH(QSize, expectedSize);
    QFETCH(QColor, expectedTopLeft);

    QTemporaryDir inputs, outputs;
    const QString input = inputs.filePath(QStringLiteral("camera.jpg"));
    QFile file(input);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(jpegWithOrientation(halvesImage(), quint16(orientation)));
    file.close();
    JobSettings settings = settingsFor({input}, outputs.path());
    settings.format = QStringLiteral("PNG");

    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);

    const QImage written(outputs.filePath(QStringLiteral("camera_processed.png")));
    QCOMPARE(written.size(), expectedSize);
    QVERIFY2(closeTo(written.pixelColor(1, 1), expectedTopLeft),
             qPrintable(written.pixelColor(1, 1).name()));
}

QTEST_MAIN(BatchWorkerTest)
#include "tst_batchworker.moc"
