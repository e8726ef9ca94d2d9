// The holding decoder below registers itself as a static image plugin.
#define QT_STATICPLUGIN

#include "batchrun.h"
#include "differential.h"
#include "formats/imagefile.h"
#include "reference.h"
#include "composition/border.h"
#include "composition/channel.h"
#include "composition/gridcell.h"
#include "composition/watermark.h"
#include "filters/filter.h"
#include "geometry/aspectratio.h"
#include "geometry/flip.h"
#include "geometry/rotation.h"
#include "geometry/size.h"
#include "geometry/standardsize.h"
#include "run/memorybudget.h"
#include "run/options.h"
#include "run/outputnaming.h"
#include "tone/autoenhance.h"
#include "tone/brightness.h"
#include "tone/contrast.h"
#include "tone/saturation.h"

#include <QFileInfo>
#include <QImageIOPlugin>
#include <QImageReader>
#include <QSemaphore>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QtConcurrent>
#include <QtEndian>
#include <QColorSpace>
#include <QtTest>

#include <functional>
#include <memory>
#include <vector>

// What the chain is expected to do to a source image, built from the
// operations in the order a test names them.
using ExpectedChain = std::function<QImage(const QImage &)>;
using SettingsChange = std::function<void(JobSettings &)>;
Q_DECLARE_METATYPE(ExpectedChain)
Q_DECLARE_METATYPE(SettingsChange)

// Decodes files starting with "HOLD" once the test releases it, so that a
// run can be caught in the middle of an input.
QSemaphore holdingDecoderRelease;
std::atomic<int> holdingDecodersEntered{0};

class HoldingHandler : public QImageIOHandler
{
public:
    bool canRead() const override { return device() && device()->peek(4) == "HOLD"; }
    bool read(QImage *image) override
    {
        ++holdingDecodersEntered;
        holdingDecoderRelease.acquire();
        // Longer files are read on after the hold, as decoders read while
        // they decode: past what the device holds in its buffer.
        if (device()->size() > 4 && device()->readAll().size() < device()->size())
            return false;
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

// A JPEG whose EXIF block carries the given orientation tag.
QByteArray jpegWithOrientation(const QImage &image, quint16 orientation)
{
    QByteArray jpeg = batchrun::encoded(image, "JPG", 100);

    // Big-endian TIFF header, one IFD entry: tag 0x0112, type SHORT, count 1.
    QByteArray exif("Exif\0\0MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01", 24);
    exif.append(char(orientation >> 8)).append(char(orientation & 0xff));
    exif.append(QByteArray(6, '\0')); // value padding and no next IFD
    const int segmentLength = exif.size() + 2;
    QByteArray segment("\xff\xe1", 2);
    segment.append(char(segmentLength >> 8)).append(char(segmentLength & 0xff)).append(exif);
    return jpeg.insert(2, segment); // right after the start-of-image marker
}

} // namespace

class BatchWorkerTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void progressAndFinish_data();
    void progressAndFinish();
    void callsArriveQueuedOnReceiverThread();
    void outputsNeverCollide_data();
    void outputsNeverCollide();
    void earlierRunsAreReplaced();
    void watermarkFieldsFollowEachInput();
    void chain_data();
    void chain();
    void cancellation_data();
    void cancellation();
    void cancellationLetsInputsInFlightFinish();
    void globalPoolStaysOpenDuringRun_data();
    void globalPoolStaysOpenDuringRun();
    void runStartsOnAFullGlobalPool();
    void sameBytesWhateverTheJobs_data();
    void sameBytesWhateverTheJobs();
    void memoryAdmission_data();
    void memoryAdmission();
    void decodedBytesFromHeader();
    void decoderMemoryCounted_data();
    void decoderMemoryCounted();
    void twoProgressiveBombsRunOneAtATime();
    void everyExifOrientation();
};

// A release left over by a failed test would let the next held input through.
void BatchWorkerTest::init()
{
    holdingDecoderRelease.tryAcquire(holdingDecoderRelease.available());
    holdingDecodersEntered = 0;
}

void BatchWorkerTest::progressAndFinish_data()
{
    QTest::addColumn<int>("jobs");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("missingPositions");
    QTest::addColumn<QList<int>>("expectedProgress");
    QTest::addColumn<QStringList>("expectedNames");

    for (int jobs : {1, 3}) {
        const auto row = [jobs](const char *name) -> QTestData & {
            return QTest::addRow("%s, %d jobs", name, jobs) << jobs;
        };
        row("three") << 3 << QList<int>() << QList<int>{33, 66, 100}
                      << QStringList{"p_0001.png", "p_0002.png", "p_0003.png"};
        row("seven") << 7 << QList<int>() << QList<int>{14, 28, 42, 57, 71, 85, 100}
                      << QStringList{"p_0001.png", "p_0002.png", "p_0003.png", "p_0004.png",
                                     "p_0005.png", "p_0006.png", "p_0007.png"};
        row("second missing") << 3 << QList<int>{2} << QList<int>{33, 66, 100}
                               << QStringList{"p_0001.png", "p_0003.png"};
        row("last missing") << 2 << QList<int>{2} << QList<int>{50, 100}
                             << QStringList{"p_0001.png"};
        row("none loads") << 2 << QList<int>{1, 2} << QList<int>{50, 100} << QStringList();
        row("no inputs") << 0 << QList<int>() << QList<int>() << QStringList();
    }
}

void BatchWorkerTest::progressAndFinish()
{
    QFETCH(int, jobs);
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
    JobSettings settings = batchrun::settingsFor(paths, outputs.path());
    settings.set(option::format, QStringLiteral("PNG"));
    settings.set(option::batchRename, true);
    settings.set(option::batchPrefix, QStringLiteral("p"));
    settings.set(option::jobs, jobs);

    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);

    // Each input gives its failure, if any, right before its progress; the
    // end comes last. One worker finishes the inputs in their order.
    QStringList expectedEvents;
    for (int position = 1; position <= count; ++position) {
        if (jobs == 1 && missingPositions.contains(position))
            expectedEvents << QStringLiteral("failed");
        expectedEvents << QStringLiteral("progress");
    }
    expectedEvents << QStringLiteral("finished");
    QStringList events = recorder.events;
    for (int index = events.size() - 1; jobs > 1 && index >= 0; --index) {
        if (events.at(index) == QStringLiteral("failed")) {
            QCOMPARE(events.value(index + 1), QStringLiteral("progress"));
            events.removeAt(index);
        }
    }
    QCOMPARE(events, expectedEvents);
    QCOMPARE(recorder.failedPaths.size(), missingPositions.size());
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
    JobSettings settings = batchrun::settingsFor(paths, outputs.path());
    settings.set(option::jobs, 1); // the inputs finish in their order
    BatchRecorder recorder;
    QFuture<void> run = QtConcurrent::run(runBatch, settings, &recorder.report,
                                          static_cast<const std::atomic<bool> *>(nullptr));
    QTRY_COMPARE(recorder.finishedCount, 1);
    run.waitForFinished();
    QVERIFY(recorder.allOnOwnThread);
    QCOMPARE(recorder.events, (QStringList{"progress", "failed", "progress", "finished"}));
}

void BatchWorkerTest::outputsNeverCollide_data()
{
    QTest::addColumn<QStringList>("inputNames");
    QTest::addColumn<bool>("inputsInOutputDirectory");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QStringList>("expectedNewFiles"); // in input order; empty: skipped

    QTest::newRow("same base name twice") << QStringList{"a.png", "a.jpg"} << false << QString()
                                          << QStringList{"a_processed.png", "a_processed_2.png"};
    QTest::newRow("same base name three times")
            << QStringList{"a.png", "a.jpg", "a.bmp"} << false << QString()
            << QStringList{"a_processed.png", "a_processed_2.png", "a_processed_3.png"};
    QTest::newRow("input in the output folder") << QStringList{"photo.png"} << true << QString()
                                                << QStringList{"photo_processed.png"};
    // Named as this run names its outputs: an earlier run's, not processed
    // again, nor written over.
    QTest::newRow("output equal to an input")
            << QStringList{"image_0001.png", "b.png"} << true << "image"
            << QStringList{QString(), "image_0002.png"};
    QTest::newRow("later input named like an earlier output")
            << QStringList{"x.png", "x_processed.png"} << true << QString()
            << QStringList{"x_processed_2.png", QString()};
    QTest::newRow("output of an earlier run, renamed on a clash")
            << QStringList{"x_processed_2.png", "y.png"} << true << QString()
            << QStringList{QString(), "y_processed.png"};
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
    JobSettings settings = batchrun::settingsFor(paths, roundabout);
    settings.set(option::format, QStringLiteral("PNG"));
    settings.set(option::batchRename, !prefix.isEmpty());
    settings.set(option::batchPrefix, prefix);

    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);

    QVERIFY2(recorder.failedPaths.isEmpty(), qPrintable(recorder.failureReasons.join("; ")));
    for (int index = 0; index < paths.size(); ++index)
        QCOMPARE(batchrun::fileChecksum(paths.at(index)), checksums.at(index));
    QStringList newFiles = batchrun::entriesOf(outputs.path());
    for (const QString &name : inputNames)
        newFiles.removeOne(name);
    QStringList sortedExpected = expectedNewFiles;
    sortedExpected.removeAll(QString());
    sortedExpected.sort();
    newFiles.sort();
    QCOMPARE(newFiles, sortedExpected);
    // Output i holds input i: their widths tell them apart.
    QStringList skipped;
    for (int index = 0; index < expectedNewFiles.size(); ++index) {
        if (expectedNewFiles.at(index).isEmpty())
            skipped << paths.at(index);
        else
            QCOMPARE(QImage(outputs.filePath(expectedNewFiles.at(index))).width(), 8 + index);
    }
    QCOMPARE(recorder.skippedPaths, skipped);
    QCOMPARE(recorder.skipReasons, QStringList(skipped.size(), "inside the output folder"));
}

void BatchWorkerTest::earlierRunsAreReplaced()
{
    QTemporaryDir inputs, outputs;
    const QString input = inputs.filePath(QStringLiteral("photo.png"));
    JobSettings settings = batchrun::settingsFor({input}, outputs.path());
    settings.set(option::format, QStringLiteral("PNG"));
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

// One run, two inputs of the same picture: each output carries its own name.
void BatchWorkerTest::watermarkFieldsFollowEachInput()
{
    QTemporaryDir inputs, outputs;
    const QImage picture = batchrun::testImage(160, 60, 3);
    const QStringList names{"first", "second"};
    QStringList paths;
    for (const QString &name : names)
        paths << batchrun::writeImage(inputs.filePath(name + ".png"), picture);
    JobSettings settings = batchrun::settingsFor(paths, outputs.path());
    settings.set(option::watermark, true);
    settings.set(option::watermarkText, QStringLiteral("{name}"));
    settings.set(option::format, QStringLiteral("PNG"));
    settings.set(option::watermarkOpacity, 255);
    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    QVERIFY(recorder.failedPaths.isEmpty());
    for (const QString &name : names) {
        const QImage expected = addWatermark(QImage(paths.at(names.indexOf(name))), name, Qt::white, 255, 24, 0);
        QCOMPARE(QImage(outputs.filePath(name + "_processed.png")).convertToFormat(QImage::Format_RGB32),
                 expected.convertToFormat(QImage::Format_RGB32));
    }
}

void BatchWorkerTest::chain_data()
{
    QTest::addColumn<SettingsChange>("change");
    QTest::addColumn<ExpectedChain>("expected");

    const ExpectedChain unchanged = [](const QImage &image) { return image; };
    QTest::newRow("default run re-encodes only") << SettingsChange([](JobSettings &) {}) << unchanged;
    QTest::newRow("width alone scales to that width")
            << SettingsChange([](JobSettings &s) { s.set(option::width, 48); })
            << ExpectedChain([](const QImage &i) { return resizeImage(i, 48, 32, true); });
    QTest::newRow("height alone scales to that height")
            << SettingsChange([](JobSettings &s) { s.set(option::height, 10); })
            << ExpectedChain([](const QImage &i) { return resizeImage(i, 15, 10, true); });
    QTest::newRow("width alone with exact size does nothing")
            << SettingsChange([](JobSettings &s) { s.set(option::width, 800); s.set(option::keepAspectRatio, false); })
            << unchanged;
    QTest::newRow("width alone with crop does nothing")
            << SettingsChange([](JobSettings &s) { s.set(option::width, 8); s.set(option::crop, true); })
            << unchanged;
    QTest::newRow("shrink only keeps a small picture")
            << SettingsChange([](JobSettings &s) { s.set(option::width, 800); s.set(option::height, 600); s.set(option::shrinkOnly, true); })
            << unchanged;
    QTest::newRow("shrink only keeps a small picture from a standard size")
            << SettingsChange([](JobSettings &s) { s.set(option::standardSize, "640x480"); s.set(option::shrinkOnly, true); })
            << unchanged;
    QTest::newRow("shrink only still shrinks a large picture")
            << SettingsChange([](JobSettings &s) { s.set(option::width, 12); s.set(option::shrinkOnly, true); })
            << ExpectedChain([](const QImage &i) { return resizeImage(i, 12, 8, true); });
    QTest::newRow("neutral tone values")
            << SettingsChange([](JobSettings &s) { s.set(option::brightness, 0); s.set(option::contrast, 0); s.set(option::saturation, 100); })
            << unchanged;
    QTest::newRow("watermark with empty text")
            << SettingsChange([](JobSettings &s) { s.set(option::watermark, true); s.set(option::watermarkText, QString()); })
            << unchanged;
    QTest::newRow("resize") << SettingsChange([](JobSettings &s) { s.set(option::width, 10); s.set(option::height, 30); })
                            << ExpectedChain([](const QImage &i) { return resizeImage(i, 10, 30, true); });
    QTest::newRow("crop instead of resize")
            << SettingsChange([](JobSettings &s) { s.set(option::width, 10); s.set(option::height, 6); s.set(option::crop, true); })
            << ExpectedChain([](const QImage &i) { return cropImage(i, 10, 6); });
    QTest::newRow("rotation 360 runs")
            << SettingsChange([](JobSettings &s) { s.set(option::rotation, 360); })
            << ExpectedChain([](const QImage &i) { return rotateImage(i, 360); });
    QTest::newRow("rotation -360 runs")
            << SettingsChange([](JobSettings &s) { s.set(option::rotation, -360); })
            << ExpectedChain([](const QImage &i) { return rotateImage(i, -360); });
    QTest::newRow("both flips in one call")
            << SettingsChange([](JobSettings &s) { s.set(option::flipHorizontal, true); s.set(option::flipVertical, true); })
            << ExpectedChain([](const QImage &i) { return flipImage(i, true, true); });
    QTest::newRow("fixed order")
            << SettingsChange([](JobSettings &s) {
                   s.set(option::border, true); s.set(option::borderThickness, 3); s.set(option::gridSplit, true); s.set(option::gridRows, 2);
                   s.set(option::gridCols, 2); s.set(option::rotation, 90); s.set(option::brightness, 30); s.set(option::standardSize, "640x480");
                   s.set(option::aspectRatio, "1:1"); s.set(option::filter, "grayscale"); s.set(option::extractChannelEnabled, true);
                   s.set(option::channel, "Green"); s.set(option::autoEnhanceEnabled, true); s.set(option::width, 50); s.set(option::height, 40);
               })
            << ExpectedChain([](const QImage &i) {
                   QImage image = applyStandardSize(i, "640x480");
                   image = applyAspectRatio(image, "1:1");
                   image = resizeImage(image, 50, 40, true);
                   image = adjustBrightness(image, 30);
                   image = rotateImage(image, 90);
                   image = applyFilter(image, "grayscale", 5);
                   image = autoEnhance(image);
                   image = extractChannel(image, "Green");
                   image = splitGrid(image, 2, 2);
                   return addBorder(image, 3, Qt::white);
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
    JobSettings settings = batchrun::settingsFor({input}, outputs.path());
    settings.set(option::format, QStringLiteral("PNG"));
    change(settings);

    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    const QImage wanted = expected(QImage(input)).convertToFormat(QImage::Format_ARGB32);
    const QImage written = QImage(outputs.filePath("source_processed.png"));
    QCOMPARE(written.size(), wanted.size());
    QCOMPARE(written.convertToFormat(QImage::Format_ARGB32), wanted);
}

void BatchWorkerTest::cancellation_data()
{
    QTest::addColumn<QByteArray>("held"); // the bytes of the input held in its decoder
    QTest::addColumn<QList<int>>("expectedProgress");
    QTest::addColumn<QStringList>("expectedOutputs");
    QTest::newRow("decoded whole when the stop comes")
            << QByteArray("HOLD") << QList<int>{33, 66}
            << QStringList{"first_processed.jpg", "held_processed.jpg"};
    // Refused its next read, the decode is cut short: the input is left like
    // those not started, reported by no call.
    QTest::newRow("still reading when the stop comes")
            << "HOLD" + QByteArray(1 << 20, 'x') << QList<int>{33}
            << QStringList{"first_processed.jpg"};
}

// The second input is held in its decoder until the test has asked for the
// stop: the third never starts, and the input in flight is written whole
// or not at all.
void BatchWorkerTest::cancellation()
{
    QFETCH(QByteArray, held);
    QFETCH(QList<int>, expectedProgress);
    QFETCH(QStringList, expectedOutputs);
    QTemporaryDir inputs, outputs;
    const QString heldPath = batchrun::writeFile(inputs.filePath(QStringLiteral("held.png")), held);
    const QStringList paths{batchrun::writeImage(inputs.filePath("first.png")), heldPath,
                            batchrun::writeImage(inputs.filePath("third.png"))};
    std::atomic<bool> cancel{false};
    BatchRecorder recorder;
    JobSettings settings = batchrun::settingsFor(paths, outputs.path());
    settings.set(option::jobs, 1);
    QFuture<void> run = QtConcurrent::run(runBatch, settings, &recorder.report,
                                          static_cast<const std::atomic<bool> *>(&cancel));
    QTRY_COMPARE(holdingDecodersEntered.load(), 1);
    cancel.store(true);
    holdingDecoderRelease.release();

    QTRY_COMPARE(recorder.finishedCount, 1);
    run.waitForFinished();
    QCOMPARE(recorder.progress, expectedProgress);
    QVERIFY(recorder.failedPaths.isEmpty());
    if (expectedProgress.size() == 1)
        QVERIFY(!recorder.warningPaths.contains(heldPath));
    QCOMPARE(batchrun::entriesOf(outputs.path()), expectedOutputs);
}

// Two workers are held inside their decoders, so both inputs are in flight
// when the stop is asked for: both are finished whole, and no later input
// starts.
void BatchWorkerTest::cancellationLetsInputsInFlightFinish()
{
    QTemporaryDir inputs, outputs;
    QStringList paths;
    for (const char *name : {"held1.png", "held2.png"})
        paths << batchrun::writeFile(inputs.filePath(QLatin1String(name)), "HOLD");
    for (const char *name : {"later1.png", "later2.png", "later3.png"})
        paths << batchrun::writeImage(inputs.filePath(QLatin1String(name)));
    JobSettings settings = batchrun::settingsFor(paths, outputs.path());
    settings.set(option::jobs, 2);
    std::atomic<bool> cancel{false};
    BatchRecorder recorder;
    QFuture<void> run = QtConcurrent::run(runBatch, settings, &recorder.report,
                                          static_cast<const std::atomic<bool> *>(&cancel));
    QTRY_COMPARE(holdingDecodersEntered.load(), 2);
    cancel.store(true);
    holdingDecoderRelease.release(2);

    QTRY_COMPARE(recorder.finishedCount, 1);
    run.waitForFinished();
    QCOMPARE(recorder.progress, (QList<int>{20, 40}));
    QVERIFY(recorder.failedPaths.isEmpty());
    QCOMPARE(batchrun::entriesOf(outputs.path()),
             (QStringList{"held1_processed.jpg", "held2_processed.jpg"}));
    for (const QString &name : batchrun::entriesOf(outputs.path()))
        QCOMPARE(QImage(outputs.filePath(name)).size(), QSize(24, 16));
}

// The window paints with Qt's global pool, and a lone worker's picture is
// split over it: a run, waiting or working, never takes a thread of it. With
// every worker held in its decoder, as many tasks as the pool has threads
// still all run at once.
void BatchWorkerTest::globalPoolStaysOpenDuringRun_data()
{
    QTest::addColumn<int>("jobs");
    QTest::newRow("one worker") << 1;
    QTest::newRow("two workers") << 2;
}

void BatchWorkerTest::globalPoolStaysOpenDuringRun()
{
    QFETCH(int, jobs);
    QTemporaryDir inputs, outputs;
    QStringList paths;
    for (int index = 1; index <= jobs; ++index)
        paths << batchrun::writeFile(inputs.filePath(QStringLiteral("held%1.png").arg(index)), "HOLD");
    JobSettings settings = batchrun::settingsFor(paths, outputs.path());
    settings.set(option::jobs, jobs);
    BatchRecorder recorder;
    QFuture<void> run = QtConcurrent::run(runBatch, settings, &recorder.report, nullptr);
    QTRY_COMPARE(holdingDecodersEntered.load(), jobs);

    QThreadPool *pool = QThreadPool::globalInstance();
    const int threads = pool->maxThreadCount();
    std::atomic<int> running{0};
    QSemaphore tasksRelease;
    {
        // Everything held is let go however the check below ends.
        const auto letGo = qScopeGuard([&] {
            tasksRelease.release(threads);
            holdingDecoderRelease.release(jobs);
            run.waitForFinished();
            pool->waitForDone();
        });
        for (int task = 0; task < threads; ++task) {
            pool->start([&] {
                ++running;
                tasksRelease.acquire();
            });
        }
        QTRY_COMPARE(running.load(), threads);
    }
    QCoreApplication::sendPostedEvents(&recorder.report);
    QCOMPARE(recorder.finishedCount, 1);
    QCOMPARE(batchrun::entriesOf(outputs.path()).size(), jobs);
}

// Every thread of the global pool busy elsewhere: the workers still start.
void BatchWorkerTest::runStartsOnAFullGlobalPool()
{
    QThreadPool *pool = QThreadPool::globalInstance();
    QSemaphore blockersRelease;
    std::atomic<int> blockersRunning{0};
    for (int task = 0; task < pool->maxThreadCount(); ++task) {
        pool->start([&] {
            ++blockersRunning;
            blockersRelease.acquire();
        });
    }
    QTRY_COMPARE(blockersRunning.load(), pool->maxThreadCount());

    QTemporaryDir inputs, outputs;
    QStringList paths;
    for (const char *name : {"a.png", "b.png", "c.png"})
        paths << batchrun::writeImage(inputs.filePath(QLatin1String(name)));
    JobSettings settings = batchrun::settingsFor(paths, outputs.path());
    settings.set(option::jobs, 2);
    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    blockersRelease.release(pool->maxThreadCount());
    pool->waitForDone();
    QCOMPARE(recorder.progress, (QList<int>{33, 66, 100}));
    QCOMPARE(batchrun::entriesOf(outputs.path()).size(), 3);
}

void BatchWorkerTest::sameBytesWhateverTheJobs_data()
{
    QTest::addColumn<SettingsChange>("change");

    QTest::newRow("derived names, re-encoded") << SettingsChange([](JobSettings &) {});
    QTest::newRow("numbered, tone and turn to PNG") << SettingsChange([](JobSettings &s) {
        s.set(option::batchRename, true);
        s.set(option::batchPrefix, QStringLiteral("n"));
        s.set(option::brightness, 20);
        s.set(option::contrast, 15);
        s.set(option::rotation, 90);
        s.set(option::format, QStringLiteral("PNG"));
    });
    QTest::newRow("resize, blur and enhance to WEBP") << SettingsChange([](JobSettings &s) {
        s.set(option::width, 200);
        s.set(option::height, 150);
        s.set(option::filter, QStringLiteral("blur"));
        s.set(option::autoEnhanceEnabled, true);
        s.set(option::format, QStringLiteral("WEBP"));
    });
    QTest::newRow("watermark and border to BMP") << SettingsChange([](JobSettings &s) {
        s.set(option::watermark, true);
        s.set(option::watermarkText, QStringLiteral("© test"));
        s.set(option::border, true);
        s.set(option::format, QStringLiteral("BMP"));
    });
}

// Formats, sizes, an EXIF turn, alpha, gray, a damaged input and two inputs
// of one base name: several workers write the same files with the same
// bytes as one worker does, and report the same failures.
void BatchWorkerTest::sameBytesWhateverTheJobs()
{
    QFETCH(SettingsChange, change);
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio.jpeg.warning=false"));

    QTemporaryDir inputs;
    QStringList paths;
    paths << batchrun::writeImage(inputs.filePath("a.png"), batchrun::testImage(640, 480, 1));
    paths << batchrun::writeFile(inputs.filePath("a.jpg"), jpegWithOrientation(batchrun::testImage(300, 200, 2), 6));
    paths << batchrun::writeImage(inputs.filePath("c.bmp"), batchrun::testImage(50, 40, 3));
    paths << batchrun::writeFile(inputs.filePath("broken.jpg"), "\xff\xd8\xff\xe0 not really a JPEG");
    QImage translucent = batchrun::testImage(200, 100, 4).convertToFormat(QImage::Format_ARGB32);
    translucent.setPixel(3, 3, qRgba(10, 20, 30, 40));
    paths << batchrun::writeImage(inputs.filePath("e.png"), translucent);
    paths << batchrun::writeImage(inputs.filePath("gray.png"),
                                  batchrun::testImage(100, 80, 5).convertToFormat(QImage::Format_Grayscale8));
    paths << batchrun::writeImage(inputs.filePath("w.webp"), batchrun::testImage(120, 90, 6));
    QVERIFY(!paths.contains(QString()));

    QList<QStringList> failures;
    std::vector<std::unique_ptr<QTemporaryDir>> directories;
    for (int jobs : {1, 4}) {
        directories.push_back(std::make_unique<QTemporaryDir>());
        JobSettings settings = batchrun::settingsFor(paths, directories.back()->path());
        change(settings);
        settings.set(option::jobs, jobs);
        BatchRecorder recorder;
        batchrun::runHere(settings, recorder);
        QStringList failed = recorder.failedPaths;
        failed.sort();
        failures << failed;
    }
    QCOMPARE(failures.at(0), QStringList{paths.at(3)});
    QCOMPARE(failures.at(1), failures.at(0));
    const QStringList names = batchrun::entriesOf(directories.at(0)->path());
    QCOMPARE(names.size(), paths.size() - 1);
    QCOMPARE(batchrun::entriesOf(directories.at(1)->path()), names);
    for (const QString &name : names)
        QVERIFY2(batchrun::fileChecksum(directories.at(0)->filePath(name))
                         == batchrun::fileChecksum(directories.at(1)->filePath(name)),
                 qPrintable(name));
}

void BatchWorkerTest::memoryAdmission_data()
{
    QTest::addColumn<qint64>("physicalBytes");
    QTest::addColumn<qint64>("cost");
    QTest::addColumn<int>("inputsInFlight");
    QTest::addColumn<qint64>("bytesInFlight");
    QTest::addColumn<bool>("admitted");

    const qint64 gib = qint64(1) << 30;
    const qint64 scan = qint64(16000) * 16000 * 4 * 3; // a decoded scan and two copies
    const qint64 photo = qint64(2000) * 1500 * 4 * 3;
    QTest::newRow("a scan starts alone") << 24 * gib << scan << 0 << qint64(0) << true;
    QTest::newRow("a second scan waits for the first") << 24 * gib << scan << 1 << scan << false;
    QTest::newRow("a photo fits beside a scan") << 24 * gib << photo << 1 << scan << true;
    QTest::newRow("a scan waits for photos") << 24 * gib << scan << 40 << 40 * photo << false;
    QTest::newRow("many photos at once") << 24 * gib << photo << 63 << 63 * photo << true;
    QTest::newRow("small machine: a scan still starts alone") << 2 * gib << scan << 0 << qint64(0) << true;
    QTest::newRow("small machine: the last photo that fits")
            << 2 * gib << photo << 13 << 13 * photo << true;
    QTest::newRow("small machine: a photo waits when full")
            << 2 * gib << photo << 14 << 14 * photo << false;
}

// The admission rule alone: a quarter of the memory, at most the cap, and a
// lone input always runs.
void BatchWorkerTest::memoryAdmission()
{
    QFETCH(qint64, physicalBytes);
    QFETCH(qint64, cost);
    QFETCH(int, inputsInFlight);
    QFETCH(qint64, bytesInFlight);
    QFETCH(bool, admitted);

    const qint64 budget = memorybudget::budgetFor(physicalBytes);
    QCOMPARE(budget, std::min(physicalBytes / 4, memorybudget::capBytes));
    QCOMPARE(memorybudget::admits(cost, bytesInFlight, inputsInFlight, budget), admitted);
}

// An input's cost comes from its header, whatever its stored pixel format.
void BatchWorkerTest::decodedBytesFromHeader()
{
    QTemporaryDir inputs;
    const QString indexed = batchrun::writeImage(
            inputs.filePath("indexed.png"),
            batchrun::testImage(300, 200).convertToFormat(QImage::Format_Indexed8));
    QCOMPARE(memorybudget::decodedBytes(indexed), qint64(300) * 200 * 4);
    const QString deep = batchrun::writeImage(
            inputs.filePath("deep.png"), batchrun::testImage(300, 200).convertToFormat(QImage::Format_RGBA64));
    QCOMPARE(memorybudget::decodedBytes(deep), qint64(300) * 200 * 8);
    QCOMPARE(memorybudget::decodedBytes(inputs.filePath("missing.png")), qint64(0));
    const QString pipe = inputs.filePath(QStringLiteral("pipe.png"));
    QVERIFY(QProcess::execute(QStringLiteral("mkfifo"), {pipe}) == 0);
    QCOMPARE(memorybudget::decodedBytes(pipe), qint64(0)); // returns without waiting for a writer

    JobSettings settings;
    QCOMPARE(memorybudget::workingCopies(settings), 2);
    settings.set(option::brightness, 5);
    QCOMPARE(memorybudget::workingCopies(settings), 3);
}

void BatchWorkerTest::decoderMemoryCounted_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<qint64>("coefficientBytes"); // held beside the picture while it decodes

    const QList<QPair<int, int>> fullColour{{1, 1}, {1, 1}, {1, 1}};
    QByteArray baseline = batchrun::encoded(batchrun::testImage(8, 8), "JPG");
    const int frame = baseline.indexOf("\xff\xc0");
    qToBigEndian<quint16>(16000, baseline.data() + frame + 5);
    qToBigEndian<quint16>(16000, baseline.data() + frame + 7);
    QByteArray oneScanPerComponent = batchrun::progressiveJpeg(16000, 16000, 0, fullColour);
    oneScanPerComponent.replace("\xff\xc2", "\xff\xc0");
    oneScanPerComponent.replace(QByteArray("\xff\xda\0\x0c\3\1\0\2\0\3\0\0\0\0", 14),
                                QByteArray("\xff\xda\0\x08\1\1\0\0\x3f\0", 10));

    QTest::newRow("baseline") << baseline << qint64(0);
    QTest::newRow("progressive grey") << batchrun::progressiveJpeg(16000, 16000, 0) << qint64(512000000);
    QTest::newRow("progressive colour")
            << batchrun::progressiveJpeg(16000, 16000, 0, fullColour) << qint64(1536000000);
    // Blocks of 2x2-sampled luma rounded up to whole pairs: 2002 x 2002, and
    // 1001 x 1001 of each chroma component.
    QTest::newRow("progressive 4:2:0, odd size")
            << batchrun::progressiveJpeg(16001, 16001, 0, {{2, 2}, {1, 1}, {1, 1}})
            << qint64(769536768);
    QTest::newRow("sequential, one scan per component") << oneScanPerComponent << qint64(1536000000);

    // libjxl gives a lossy file tagged by a profile alone in floats, beside
    // its own float frame of about 15 bytes a pixel; one whose colours it
    // names, in the file's own samples.
    QImage picture = batchrun::testImage(64, 48);
    picture.setColorSpace(QColorSpace::SRgb);
    QTest::newRow("JPEG XL, colours named") << batchrun::encoded(picture, "jxl", 90) << qint64(0);
    picture.setColorSpace(QColorSpace::ProPhotoRgb);
    QTest::newRow("JPEG XL, a profile alone") << batchrun::encoded(picture, "jxl", 90) << qint64(64) * 48 * (16 + 15);
}

// What libjpeg keeps beside the picture, from the header alone.
void BatchWorkerTest::decoderMemoryCounted()
{
    QFETCH(QByteArray, file);
    QFETCH(qint64, coefficientBytes);
    QTemporaryDir inputs;
    const QString path = batchrun::writeFile(inputs.filePath(QStringLiteral("large.jpg")), file);
    QCOMPARE(memorybudget::inputCost(path, 1) - memorybudget::decodedBytes(path), coefficientBytes);
}

// A kilobyte's progressive 16000x16000 colour JPEG holds 2.5 GB while it
// decodes: two such never run side by side within the largest budget.
void BatchWorkerTest::twoProgressiveBombsRunOneAtATime()
{
    QTemporaryDir inputs;
    const QString path = batchrun::writeFile(inputs.filePath(QStringLiteral("bomb.jpg")),
                                             batchrun::progressiveJpeg(16000, 16000, 0, {{1, 1}, {1, 1}, {1, 1}}));
    const qint64 cost = memorybudget::inputCost(path, memorybudget::workingCopies(JobSettings()));
    QCOMPARE(cost, qint64(16000) * 16000 * (4 + 3 * 2));
    QVERIFY(memorybudget::admits(cost, 0, 0, memorybudget::capBytes));
    QVERIFY(!memorybudget::admits(cost, cost, 1, memorybudget::capBytes));
}

// Every EXIF orientation: the loaded picture shows the stored pixels where
// the orientation's definition puts them.
void BatchWorkerTest::everyExifOrientation()
{
    QTemporaryDir inputs;
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const QString path = batchrun::writeFile(inputs.filePath(QStringLiteral("%1.jpg").arg(orientation)),
                                                 jpegWithOrientation(batchrun::testImage(32, 16, orientation), quint16(orientation)));
        QImageReader stored(path);
        stored.setAutoTransform(false);
        InputOutcome outcome;
        const QString difference = differential::firstDifference(
                loadImage(path, outcome), reference::orientedAsExifSays(stored.read(), orientation));
        QVERIFY2(difference.isEmpty(), qPrintable(QStringLiteral("%1: %2").arg(orientation).arg(difference)));
    }
}

QTEST_MAIN(BatchWorkerTest)
#include "tst_batchworker.moc"
