#include "batchrun.h"
#include "composition/border.h"
#include "composition/gridcell.h"
#include "formats/imagefile.h"
#include "formats/imageheader.h"
#include "formats/formattable.h"
#include "formats/saveimage.h"
#include "geometry/rotation.h"
#include "run/options.h"
#include "run/outputnaming.h"

#include <QBuffer>
#include <QDirIterator>
#include <QFileInfo>
#include <QImageReader>
#include <QMap>
#include <QMimeDatabase>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtConcurrent>
#include <QtEndian>
#include <QtTest>

#include <csignal>
#include <functional>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

// Lays out one hostile case below a sandbox folder: in/ holds the inputs,
// out/ is the output folder, elsewhere/ stands for the rest of the disk.
using CaseMaker = std::function<void(const QDir &sandbox)>;
Q_DECLARE_METATYPE(CaseMaker)

namespace {

// Noise does not compress, so every encoder writes tens of kilobytes.
QImage noise(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(11);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = 0xff000000u | random.bounded(0x1000000u);
    }
    return image;
}

// A GIF of grey frames, each a width x height picture of index values:
// 9-bit LZW codes with a clear code often enough that the code size never
// grows, the simplest stream any decoder accepts.
QByteArray gif(int width, int height, int frames)
{
    QByteArray bytes("GIF89a");
    auto add16 = [&bytes](int value) { bytes.append(char(value & 0xff)).append(char(value >> 8)); };
    add16(width);
    add16(height);
    bytes.append(char(0xf7)).append('\0').append('\0');
    for (int index = 0; index < 256; ++index)
        bytes.append(char(index)).append(char(index)).append(char(index));
    for (int frame = 0; frame < frames; ++frame) {
        bytes.append(',');
        add16(0);
        add16(0);
        add16(width);
        add16(height);
        bytes.append('\0').append(char(8));
        QByteArray codes;
        quint32 bits = 0;
        int bitCount = 0;
        auto put = [&](int code) {
            bits |= quint32(code) << bitCount;
            for (bitCount += 9; bitCount >= 8; bitCount -= 8, bits >>= 8)
                codes.append(char(bits & 0xff));
        };
        for (int pixel = 0; pixel < width * height; ++pixel) {
            if (pixel % 200 == 0)
                put(256);
            put((pixel * 7 + frame * 50) % 256);
        }
        put(257);
        if (bitCount > 0)
            codes.append(char(bits & 0xff));
        for (int start = 0; start < codes.size(); start += 255) {
            const QByteArray block = codes.mid(start, 255);
            bytes.append(char(block.size())).append(block);
        }
        bytes.append('\0');
    }
    return bytes.append(';');
}

// An uncompressed 24-bit BMP header claiming width x height, without pixels.
QByteArray bmpHeader(int width, int height)
{
    QByteArray bytes = batchrun::encoded(QImage(2, 2, QImage::Format_RGB32), "BMP");
    bytes.truncate(qFromLittleEndian<quint32>(bytes.constData() + 10));
    qToLittleEndian<qint32>(width, bytes.data() + 18);
    qToLittleEndian<qint32>(height, bytes.data() + 22);
    return bytes;
}

QByteArray jpegClaiming(int width, int height)
{
    QByteArray jpeg = batchrun::encoded(batchrun::testImage(8, 8), "JPG");
    const int frame = jpeg.indexOf("\xff\xc0");
    qToBigEndian<quint16>(height, jpeg.data() + frame + 5);
    qToBigEndian<quint16>(width, jpeg.data() + frame + 7);
    return jpeg;
}

QByteArray gifClaiming(int width, int height)
{
    QByteArray bytes = gif(4, 4, 1);
    qToLittleEndian<quint16>(width, bytes.data() + 6);
    qToLittleEndian<quint16>(height, bytes.data() + 8);
    const int descriptor = 13 + 768;
    qToLittleEndian<quint16>(width, bytes.data() + descriptor + 5);
    qToLittleEndian<quint16>(height, bytes.data() + descriptor + 7);
    return bytes;
}

// Rewrites the width and height entries of the first directory as LONGs.
QByteArray tiffClaiming(int width, int height)
{
    QByteArray tiff = batchrun::encoded(batchrun::testImage(8, 8), "TIFF");
    if (!tiff.startsWith("II"))
        return QByteArray();
    const char *data = tiff.constData();
    const quint32 directory = qFromLittleEndian<quint32>(data + 4);
    const int entries = qFromLittleEndian<quint16>(data + directory);
    for (int entry = 0; entry < entries; ++entry) {
        char *field = tiff.data() + directory + 2 + 12 * entry;
        const quint16 tag = qFromLittleEndian<quint16>(field);
        if (tag == 256 || tag == 257) {
            qToLittleEndian<quint16>(4, field + 2);
            qToLittleEndian<quint32>(tag == 256 ? width : height, field + 8);
        }
    }
    return tiff;
}

QString inFolder(const QDir &sandbox, const QString &name)
{
    return sandbox.filePath(QStringLiteral("in/") + name);
}

CaseMaker inputBytes(const QString &name, const QByteArray &bytes)
{
    return [name, bytes](const QDir &sandbox) { batchrun::writeFile(inFolder(sandbox, name), bytes); };
}

CaseMaker inputLink(const QString &name, const QString &target)
{
    return [name, target](const QDir &sandbox) {
        QVERIFY(QFile::link(target, inFolder(sandbox, name)));
    };
}

// What every entry below root is: a checksum for a file, the target for a
// link, the kind for anything else.
QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        QByteArray what;
        if (info.isSymLink())
            what = "link to " + info.symLinkTarget().toUtf8();
        else if (info.isDir())
            what = "folder";
        else if (info.isFile())
            what = batchrun::fileChecksum(path).toHex();
        else
            what = "special";
        entries.insert(QDir(root).relativeFilePath(path), what);
    }
    return entries;
}

// Raises the soft file-size limit back on leaving a scope that lowered it.
struct FileSizeLimit
{
    rlimit saved;
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit lowered = saved;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
};

} // namespace

class HostileTest : public QObject
{
    Q_OBJECT

private slots:
    void hostileInput_data();
    void hostileInput();
    void outputNameTaken_data();
    void outputNameTaken();
    void namedPipeNeverBlocks();
    void unsearchableFolder();
    void wideRotation();
    void emptyIntermediate();
    void fullDevice_data();
    void fullDevice();
    void oneBitScanWithinLimit();
    void manyInputsOfOneName();
    void signatureAgreesWithQt_data();
    void signatureAgreesWithQt();
    void readableFormatsAreQts();
};

void HostileTest::hostileInput_data()
{
    QTest::addColumn<CaseMaker>("make");
    QTest::addColumn<QString>("input"); // below in/
    QTest::addColumn<QString>("expectedReason"); // empty: written
    QTest::addColumn<QStringList>("expectedWarnings"); // the start of each

    const QImage picture = noise(64, 48);
    const QByteArray jpeg = batchrun::encoded(picture, "JPG");
    const QByteArray bmp = batchrun::encoded(picture, "BMP");
    const QByteArray animation = gif(40, 30, 2);
    const QString damaged = QStringLiteral("damaged: the file is cut short");
    const QString notRegular = QStringLiteral("cannot read: not a regular file");

    QTest::newRow("PNG named .jpg") << inputBytes("png.jpg", batchrun::encoded(picture, "PNG")) << "png.jpg"
                                    << QString() << QStringList();
    QTest::newRow("JPEG named .png") << inputBytes("jpeg.png", jpeg) << "jpeg.png" << QString()
                                     << QStringList();
    QTest::newRow("WebP named .bmp") << inputBytes("webp.bmp", batchrun::encoded(picture, "WEBP"))
                                     << "webp.bmp" << QString() << QStringList();
    QTest::newRow("TIFF named .png") << inputBytes("tiff.png", batchrun::encoded(picture, "TIFF"))
                                     << "tiff.png" << QString() << QStringList();
    QTest::newRow("GIF named .tif") << inputBytes("gif.tif", gif(40, 30, 1)) << "gif.tif"
                                    << QString() << QStringList();
    QTest::newRow("/dev/zero named .xpm") << inputLink("zero.xpm", "/dev/zero") << "zero.xpm"
                                          << notRegular << QStringList();
    QTest::newRow("/dev/zero named .svgz") << inputLink("zero.svgz", "/dev/zero") << "zero.svgz"
                                           << notRegular << QStringList();
    QTest::newRow("symbolic link loop")
            << CaseMaker([](const QDir &sandbox) {
                   QVERIFY(QFile::link(inFolder(sandbox, "b.png"), inFolder(sandbox, "a.png")));
                   QVERIFY(QFile::link(inFolder(sandbox, "a.png"), inFolder(sandbox, "b.png")));
               })
            << "a.png" << "cannot read: symbolic link loop" << QStringList();
    QTest::newRow("dangling link") << inputLink("gone.png", "../elsewhere/never.png") << "gone.png"
                                   << "cannot read: symbolic link to a missing file"
                                   << QStringList();
    QTest::newRow("missing") << CaseMaker([](const QDir &) {}) << "missing.png"
                             << "cannot read: no such file" << QStringList();
    QTest::newRow("SVG referring to a local file")
            << CaseMaker([](const QDir &sandbox) {
                   batchrun::writeFile(sandbox.filePath("elsewhere/secret.png"),
                              batchrun::encoded(batchrun::testImage(8, 8), "PNG"));
                   batchrun::writeFile(inFolder(sandbox, "drawing.png"),
                              "<svg xmlns='http://www.w3.org/2000/svg' "
                              "xmlns:xlink='http://www.w3.org/1999/xlink' width='8' height='8'>"
                              "<image xlink:href='../elsewhere/secret.png' width='8' height='8'/>"
                              "</svg>");
               })
            << "drawing.png" << "cannot read: SVG pictures are not accepted" << QStringList();

    QTest::newRow("JPEG cut in half") << inputBytes("half.jpg", jpeg.left(jpeg.size() / 2))
                                      << "half.jpg" << QString()
                                      << QStringList{damaged + " (Corrupt JPEG data: premature end"};
    QTest::newRow("BMP cut in half") << inputBytes("half.bmp", bmp.left(bmp.size() / 2))
                                     << "half.bmp" << QString() << QStringList{damaged};
    QTest::newRow("BMP header and one row")
            << inputBytes("header.bmp", bmpHeader(600, 400) + QByteArray(1800, '\x80'))
            << "header.bmp" << QString() << QStringList{damaged};
    QTest::newRow("GIF cut in its picture")
            << inputBytes("cut.gif", animation.left(animation.size() / 4)) << "cut.gif" << QString()
            << QStringList{damaged};
    QTest::newRow("animated GIF") << inputBytes("moving.gif", animation) << "moving.gif"
                                  << QString()
                                  << QStringList{"only the first of its 2 frames is used"};

    // Flat rows (codes for ever longer runs, one known only as it is made)
    // above busy ones (a table filled and cleared again and again).
    QImage grey(300, 200, QImage::Format_Grayscale8);
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x)
            grey.scanLine(y)[x] = uchar(y < 80 ? 7 : (x * 13 + y * 7 + x * y % 5) % 256);
    const QString noPixels = QStringLiteral("damaged: no pixel data");
    QTest::newRow("GIF coded as encoders code") << inputBytes("coded.gif", batchrun::lzwGif(grey))
                                                << "coded.gif" << QString() << QStringList();
    QTest::newRow("GIF whose LZW data stops early, blocks and trailer whole")
            << inputBytes("stops.gif", batchrun::lzwGif(grey, 2000)) << "stops.gif" << QString()
            << QStringList{"damaged: the pixel data ends early"};
    // Claiming 10 of its 200 rows, its data goes on long after the pixels.
    QTest::newRow("GIF whose data holds more rows than it claims")
            << inputBytes("more.gif",
                          batchrun::lzwGif(grey).replace(8, 2, "\x0a\0", 2).replace(13 + 768 + 7, 2, "\x0a\0", 2))
            << "more.gif" << QString() << QStringList();
    QTest::newRow("GIF of 16000x16000 without pixel data")
            << inputBytes("empty.gif", batchrun::lzwGif(grey, 0).replace(6, 4, "\x80\x3e\x80\x3e")
                                               .replace(13 + 768 + 5, 4, "\x80\x3e\x80\x3e"))
            << "empty.gif" << noPixels << QStringList();
    QTest::newRow("BMP header without pixel rows") << inputBytes("rowless.bmp", bmpHeader(600, 400))
                                                   << "rowless.bmp" << noPixels << QStringList();
    const int scanData = jpeg.indexOf("\xff\xda") + 2 + 12;
    QTest::newRow("JPEG whose scan holds no data")
            << inputBytes("scanless.jpg", jpeg.left(scanData) + "\xff\xd9") << "scanless.jpg"
            << noPixels << QStringList();
    QTest::newRow("progressive JPEG of 20001 scans")
            << inputBytes("scans.jpg", batchrun::progressiveJpeg(2000, 2000, 20000)) << "scans.jpg"
            << "too many progressive scans: 20001 (at most 1000)" << QStringList();
    QTest::newRow("progressive JPEG visiting each block 33 times")
            << inputBytes("passes.jpg", batchrun::progressiveJpeg(64, 64, 32)) << "passes.jpg"
            << "too many progressive scans: they visit each block 33 times (at most 32)"
            << QStringList();
    QTest::newRow("progressive JPEG visiting each block 32 times")
            << inputBytes("passes.jpg", batchrun::progressiveJpeg(64, 64, 31)) << "passes.jpg"
            << QString() << QStringList();
    // A DC scan takes a bit a block at least: a kilobyte of it reaches 16 of
    // 16000 rows, the rest of which libjpeg would make up. Over 1024 rows,
    // the first scan's 17 bytes reach 16 rows, a 64th, and its 16 bytes 8.
    const QByteArray sliver = batchrun::progressiveJpeg(16000, 16000, 0, {{1, 1}, {1, 1}, {1, 1}})
            + QByteArray(1000, '\0');
    const QString sliverReason = QStringLiteral("damaged: the pixel data covers at most 16 of 16000 rows");
    QTest::newRow("progressive JPEG of 16000x16000 with a kilobyte of data")
            << inputBytes("sliver.jpg", sliver) << "sliver.jpg" << sliverReason << QStringList();
    QTest::newRow("sequential JPEG of 16000x16000 with a kilobyte of data")
            << inputBytes("sliver.jpg", QByteArray(sliver).replace("\xff\xc2", "\xff\xc0")) << "sliver.jpg"
            << sliverReason << QStringList();
    const QByteArray tall = batchrun::progressiveJpeg(1024, 1024, 0);
    const auto firstScanCut = [&tall](qsizetype bytes) { return tall.left(tall.indexOf("\xff\xda") + 10 + bytes); };
    const QStringList cutShort{damaged + " (Corrupt JPEG data: premature end"};
    QTest::newRow("progressive JPEG cut at half its first scan")
            << inputBytes("cut.jpg", firstScanCut(1024)) << "cut.jpg" << QString() << cutShort;
    QTest::newRow("progressive JPEG whose first scan reaches a 64th of its rows")
            << inputBytes("cut.jpg", firstScanCut(17)) << "cut.jpg" << QString() << cutShort;
    QTest::newRow("progressive JPEG whose first scan reaches less")
            << inputBytes("cut.jpg", firstScanCut(16)) << "cut.jpg"
            << "damaged: the pixel data covers at most 8 of 1024 rows" << QStringList();

    const QString tooLarge = QStringLiteral("too large: 60000x60000 exceeds the 1024 MB limit");
    // libtiff remarks on the strips such a header lays out: the failure
    // comes with its words.
    const QString stripRemark = QStringLiteral(
            " (Bogus \"StripByteCounts\" field, ignoring and calculating from imagelength)");
    const QList<std::tuple<const char *, QByteArray, QString>> claims = {
        {"huge.png", batchrun::pngClaiming(60000, 60000), QString()},
        {"huge.jpg", jpegClaiming(60000, 60000), QString()},
        {"huge.gif", gifClaiming(60000, 60000), QString()},
        {"huge.tif", tiffClaiming(60000, 60000), stripRemark},
        {"huge.bmp", bmpHeader(60000, 60000), QString()},
        {"huge.ppm", "P6\n60000 60000\n255\n" + QByteArray(64, 'x'), QString()},
        {"huge.pgm", "P5\n# scanned\n60000 60000\n255\n" + QByteArray(64, 'x'), QString()},
        {"huge.xpm", "/* XPM */\nstatic char *x[] = {\n\"60000 60000 1 1\",\n\"a c #000000\",\n"
                     "\"a\"};\n", QString()},
    };
    for (const auto &[name, bytes, remark] : claims) {
        QTest::addRow("header claiming 60000x60000: %s", name)
                << inputBytes(name, bytes) << name << tooLarge + remark << QStringList();
    }
}

// One hostile input between two good ones: the run survives, reports the
// input as it should, writes the good ones, and changes nothing outside the
// output folder.
void HostileTest::hostileInput()
{
    QFETCH(CaseMaker, make);
    QFETCH(QString, input);
    QFETCH(QString, expectedReason);
    QFETCH(QStringList, expectedWarnings);

    QTemporaryDir root;
    const QDir sandbox(root.path());
    for (const char *folder : {"in", "out", "elsewhere"})
        QVERIFY(sandbox.mkdir(folder));
    make(sandbox);
    const QString hostile = inFolder(sandbox, input);
    const QStringList paths{batchrun::writeImage(inFolder(sandbox, "before.png")), hostile,
                            batchrun::writeImage(inFolder(sandbox, "after.png"))};
    const auto inputsBefore = snapshot(sandbox.filePath("in"));
    const auto elsewhereBefore = snapshot(sandbox.filePath("elsewhere"));
    JobSettings settings = batchrun::settingsFor(paths, sandbox.filePath("out"));

    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);

    QCOMPARE(recorder.finishedCount, 1);
    QCOMPARE(recorder.progress.size(), 3);
    QCOMPARE(recorder.reasonFor(hostile), expectedReason);
    QCOMPARE(recorder.failedPaths.size(), expectedReason.isEmpty() ? 0 : 1);
    QVERIFY2(recorder.warnings.size() == expectedWarnings.size(), qPrintable(recorder.warnings.join("; ")));
    for (int index = 0; index < expectedWarnings.size(); ++index) {
        QCOMPARE(recorder.warningPaths.at(index), hostile);
        QVERIFY2(recorder.warnings.at(index).startsWith(expectedWarnings.at(index)),
                 qPrintable(recorder.warnings.at(index)));
    }
    QStringList expectedOutputs{"after_processed.jpg", "before_processed.jpg"};
    if (expectedReason.isEmpty())
        expectedOutputs << QFileInfo(input).baseName() + QStringLiteral("_processed.jpg");
    expectedOutputs.sort();
    QCOMPARE(batchrun::entriesOf(settings.outputDirectory), expectedOutputs);
    for (const QString &output : expectedOutputs)
        QVERIFY2(!QImage(QDir(settings.outputDirectory).filePath(output)).isNull(),
                 qPrintable(output));
    QCOMPARE(snapshot(sandbox.filePath("in")), inputsBefore);
    QCOMPARE(snapshot(sandbox.filePath("elsewhere")), elsewhereBefore);
}

void HostileTest::outputNameTaken_data()
{
    QTest::addColumn<CaseMaker>("occupy"); // makes out/a_processed.jpg something odd
    QTest::addColumn<bool>("needsSuperuser");

    QTest::newRow("link to a file elsewhere") << CaseMaker([](const QDir &sandbox) {
        batchrun::writeFile(sandbox.filePath("elsewhere/thesis.txt"), "years of work");
        QVERIFY(QFile::link("../elsewhere/thesis.txt", sandbox.filePath("out/a_processed.jpg")));
    }) << false;
    QTest::newRow("dangling link") << CaseMaker([](const QDir &sandbox) {
        QVERIFY(QFile::link("../elsewhere/planted.jpg", sandbox.filePath("out/a_processed.jpg")));
    }) << false;
    QTest::newRow("named pipe") << CaseMaker([](const QDir &sandbox) {
        QCOMPARE(mkfifo(QFile::encodeName(sandbox.filePath("out/a_processed.jpg")), 0600), 0);
    }) << false;
    QTest::newRow("device node") << CaseMaker([](const QDir &sandbox) {
        QCOMPARE(mknod(QFile::encodeName(sandbox.filePath("out/a_processed.jpg")),
                       S_IFCHR | 0600, makedev(1, 3)),
                 0);
    }) << true;
    QTest::newRow("folder") << CaseMaker([](const QDir &sandbox) {
        QVERIFY(sandbox.mkdir("out/a_processed.jpg"));
    }) << false;
}

// A name in the output folder that is not a regular file is left as it is,
// and what it points to too: the output goes to the next free name.
void HostileTest::outputNameTaken()
{
    QFETCH(CaseMaker, occupy);
    QFETCH(bool, needsSuperuser);
    if (needsSuperuser && geteuid() != 0)
        QSKIP("only the superuser makes device nodes");

    QTemporaryDir root;
    const QDir sandbox(root.path());
    for (const char *folder : {"in", "out", "elsewhere"})
        QVERIFY(sandbox.mkdir(folder));
    occupy(sandbox);
    const QString odd = sandbox.filePath("out/a_processed.jpg");
    const auto before = snapshot(root.path());
    JobSettings settings = batchrun::settingsFor({batchrun::writeImage(inFolder(sandbox, "a.png"))}, sandbox.filePath("out"));

    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);

    QCOMPARE(recorder.failedPaths, QStringList());
    QVERIFY(!QImage(sandbox.filePath("out/a_processed_2.jpg")).isNull());
    auto after = snapshot(root.path());
    QVERIFY(after.remove("in/a.png") == 1 && after.remove("out/a_processed_2.jpg") == 1);
    QCOMPARE(after, before);
    InputOutcome outcome;
    saveImage(batchrun::testImage(4, 4), odd, "JPG", JobSettings(), outcome);
    const QString reason = outcome.reason;
    QVERIFY2(reason == "cannot write: the output name is a symbolic link"
                     || reason == "cannot write: the output name is not a regular file",
             qPrintable(reason));
    QCOMPARE(snapshot(root.path()).value("out/a_processed.jpg"), before.value("out/a_processed.jpg"));
}

// Opening a named pipe for reading waits for a writer: the run must refuse
// it at once. Should it wait after all, the guard opens the pipe for writing
// so that the test fails instead of hanging.
void HostileTest::namedPipeNeverBlocks()
{
    QTemporaryDir inputs, outputs;
    const QString pipe = inputs.filePath("pipe.png");
    QCOMPARE(mkfifo(QFile::encodeName(pipe), 0600), 0);
    JobSettings settings = batchrun::settingsFor({pipe, batchrun::writeImage(inputs.filePath("after.png"))}, outputs.path());

    BatchRecorder recorder;
    QFuture<void> run = QtConcurrent::run(runBatch, settings, &recorder.report, nullptr);
    const bool finishedInTime = QTest::qWaitFor([&run] { return run.isFinished(); }, 5000);
    if (!finishedInTime) {
        QFile writer(pipe);
        writer.open(QIODevice::WriteOnly);
    }
    run.waitForFinished();
    QVERIFY2(finishedInTime, "the run waited on a named pipe");
    QCoreApplication::sendPostedEvents(&recorder.report);
    QCOMPARE(recorder.failedPaths, QStringList{pipe});
    QCOMPARE(recorder.failureReasons, QStringList{"cannot read: not a regular file"});
    QCOMPARE(batchrun::entriesOf(outputs.path()), QStringList{"after_processed.jpg"});
}

void HostileTest::unsearchableFolder()
{
    if (geteuid() == 0)
        QSKIP("permission bits do not stop the superuser");
    QTemporaryDir inputs, outputs;
    QVERIFY(QDir(inputs.path()).mkdir("locked"));
    const QString input = batchrun::writeImage(inputs.filePath("locked/a.png"));
    QVERIFY(QFile::setPermissions(inputs.filePath("locked"), QFileDevice::WriteOwner));
    JobSettings settings = batchrun::settingsFor({input}, outputs.path());

    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    QFile::setPermissions(inputs.filePath("locked"), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                            | QFileDevice::ExeOwner);

    QCOMPARE(recorder.failureReasons,
             QStringList{"cannot read: permission denied (a folder on the way cannot be searched)"});
}

// Qt 6.4's smooth transform reads before the source beyond 32,767 pixels
// for angles that are not right ones: such an input fails with the reason,
// a right angle still turns it, and the run goes on. One degree keeps the
// result small should the guard ever be missing.
void HostileTest::wideRotation()
{
    QTemporaryDir inputs, outputs;
    const QString wide = batchrun::writeImage(inputs.filePath("wide.png"), batchrun::testImage(40000, 4));
    const QString after = batchrun::writeImage(inputs.filePath("after.png"));
    JobSettings settings = batchrun::settingsFor({wide, after}, outputs.path());
    settings.set(option::format, "PNG");
    settings.set(option::rotation, 1);

    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);

    QCOMPARE(recorder.failedPaths, QStringList{wide});
    QCOMPARE(recorder.failureReasons.first(),
             QStringLiteral("rotation: pictures over 32767 pixels wide or high turn only by "
                            "multiples of 90 degrees"));
    QCOMPARE(batchrun::entriesOf(outputs.path()), QStringList{"after_processed.png"});
    const QImage turned = rotateImage(batchrun::testImage(40000, 4), 90);
    QCOMPARE(turned.size(), QSize(4, 40000));
    QVERIFY(rotateImage(batchrun::testImage(4, 40000), -45).isNull());
    QCOMPARE(rotateImage(batchrun::testImage(32767, 2), 1).isNull(), false);
}

// A grid cell of a picture smaller than the grid is empty: the border must
// not turn it into a square of its colour that reads as a success.
void HostileTest::emptyIntermediate()
{
    QTemporaryDir inputs, outputs;
    const QString tiny = batchrun::writeImage(inputs.filePath("tiny.png"), batchrun::testImage(3, 3));
    JobSettings settings = batchrun::settingsFor({tiny}, outputs.path());
    settings.set(option::gridSplit, true);
    settings.set(option::gridRows, 5);
    settings.set(option::gridCols, 5);
    settings.set(option::border, true);
    settings.set(option::borderThickness, 4);

    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);

    QCOMPARE(recorder.failedPaths, QStringList{tiny});
    QCOMPARE(recorder.failureReasons, QStringList{"grid cell: the picture is smaller than the grid"});
    QCOMPARE(batchrun::entriesOf(outputs.path()), QStringList());
}

void HostileTest::fullDevice_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("smallFileSystem"); // otherwise a file size limit
    for (const char *format : {"JPG", "PNG", "BMP", "WEBP"}) {
        QTest::addRow("%s, file size limit", format) << format << false;
        QTest::addRow("%s, full file system", format) << format << true;
    }
}

// A write that the device refuses says why, in the device's words, and
// leaves no file behind.
void HostileTest::fullDevice()
{
    QFETCH(QString, format);
    QFETCH(bool, smallFileSystem);

    QTemporaryDir inputs, outputs;
    const QString input = batchrun::writeImage(inputs.filePath("noise.png"), noise(400, 300));
    JobSettings settings = batchrun::settingsFor({input}, outputs.path());
    settings.set(option::format, format);
    settings.set(option::quality, 100);
    BatchRecorder recorder;
    QString expectedReason;
    if (smallFileSystem) {
        if (geteuid() != 0
            || mount("tmpfs", QFile::encodeName(outputs.path()), "tmpfs", 0, "size=16k") != 0)
            QSKIP("mounting a small file system needs the superuser");
        batchrun::runHere(settings, recorder);
        expectedReason = QStringLiteral("cannot write: no space left on device");
        QCOMPARE(batchrun::entriesOf(outputs.path()), QStringList());
        QCOMPARE(umount(QFile::encodeName(outputs.path())), 0);
    } else {
        {
            FileSizeLimit limit(16 * 1024);
            batchrun::runHere(settings, recorder);
        }
        expectedReason = QStringLiteral("cannot write: file too large");
        QCOMPARE(batchrun::entriesOf(outputs.path()), QStringList());
    }
    QCOMPARE(recorder.failureReasons, QStringList{expectedReason});
}

// Decoded at its own depth a 1-bit scan of 20000x20000 takes 48 MB, far
// within the limit that 32 bits per pixel would exceed.
void HostileTest::oneBitScanWithinLimit()
{
    QTemporaryDir inputs;
    QImage scan(20000, 20000, QImage::Format_Mono);
    scan.fill(1);
    const QString path = inputs.filePath("scan.png");
    QVERIFY(scan.save(path));
    scan = QImage();
    raiseImageDecodeLimit();
    InputOutcome outcome;
    const QImage loaded = loadImage(path, outcome);
    QCOMPARE(outcome.reason, QString());
    QCOMPARE(loaded.size(), QSize(20000, 20000));
}

// Every input of one name gets its own output; names that are links or
// folders are passed over.
void HostileTest::manyInputsOfOneName()
{
    QTemporaryDir outputs;
    const QString derived = outputs.filePath("a_processed.jpg");
    QVERIFY(QFile::link("elsewhere", outputs.filePath("a_processed_3.jpg")));
    QVERIFY(QDir(outputs.path()).mkdir("a_processed_5.jpg"));
    ClaimedNames claimed(outputs.path());
    QSet<QString> names;
    for (int input = 0; input < 4000; ++input) {
        const QString name = claimed.choose(QString(), QStringLiteral("a_processed"), QStringLiteral("jpg"),
                                            QStringLiteral("replace")).path;
        if (input == 10)
            claimed.claim("a_processed_30.jpg"); // an input of that name
        names.insert(name);
    }
    QCOMPARE(names.size(), 4000);
    QVERIFY(names.contains(derived));
    QVERIFY(names.contains(outputs.filePath("a_processed_2.jpg")));
    for (const char *skipped : {"a_processed_3.jpg", "a_processed_5.jpg", "a_processed_30.jpg"})
        QVERIFY2(!names.contains(outputs.filePath(skipped)), skipped);
    QVERIFY(names.contains(outputs.filePath("a_processed_4003.jpg")));
}

// The format read from a file's signature, which spares Qt's reader asking
// every decoder, is the one Qt's reader finds by asking them all; content
// without a signature of ours is left to Qt.
void HostileTest::signatureAgreesWithQt_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("expected");
    const QImage picture = batchrun::testImage(24, 16);
    for (const char *format : {"jpeg", "png", "webp", "tiff", "bmp"})
        QTest::newRow(format) << batchrun::encoded(picture, format) << QByteArray(format);
    QTest::newRow("gif") << gif(40, 30, 1) << QByteArray("gif");
    QTest::newRow("big-endian TIFF") << QByteArray("MM\0*\0\0\0\x08", 8) << QByteArray("tiff");
    QTest::newRow("XPM") << batchrun::encoded(picture, "xpm") << QByteArray();
    QTest::newRow("PPM") << batchrun::encoded(picture, "ppm") << QByteArray();
    QTest::newRow("RIFF sound") << QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16) << QByteArray();
    QTest::newRow("PNG signature cut") << QByteArray("\x89PNG", 4) << QByteArray();
    QTest::newRow("text starting BM") << QByteArray("BMX is not a picture format") << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void HostileTest::signatureAgreesWithQt()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, expected);
    const QByteArray found = signatureFormat(content);
    QCOMPARE(found, expected);
    if (found.isEmpty())
        return;
    QBuffer buffer(&content);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    QCOMPARE(reader.format(), found);
}

// The formats the desktop is told the program opens are those Qt's readers
// (ours among them) here read, SVG aside; each suffix of a row is one the
// desktop's database gives one of the row's media types.
void HostileTest::readableFormatsAreQts()
{
    const QMimeDatabase database;
    const QList<QByteArray> readers = QImageReader::supportedImageFormats();
    QSet<QByteArray> listed;
    for (const FileFormat &format : fileFormats()) {
        QVERIFY2(readers.contains(format.reader), format.reader);
        const QStringList mediaTypes = format.mediaTypeList();
        for (const QString &suffix : format.suffixList()) {
            const QString found = database.mimeTypeForFile(QStringLiteral("x.") + suffix,
                                                           QMimeDatabase::MatchExtension).name();
            QVERIFY2(mediaTypes.contains(found), qPrintable(suffix + QStringLiteral(": ") + found));
            listed.insert(suffix.toLatin1());
        }
        listed.insert(format.reader);
    }
    for (const QByteArray &reader : readers) {
        if (!reader.startsWith("svg"))
            QVERIFY2(listed.contains(reader), reader);
    }
}

QTEST_MAIN(HostileTest)
#include "tst_hostile.moc"
