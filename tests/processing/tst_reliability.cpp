// The throwing decoder below registers itself as a static image plugin.
#define QT_STATICPLUGIN

#include "batchrun.h"

#include <QImageIOPlugin>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <functional>
#include <new>
#include <unistd.h>

// Creates one hostile input at the given path.
using InputMaker = std::function<void(const QString &path)>;
Q_DECLARE_METATYPE(InputMaker)

namespace {

InputMaker bytesMaker(const QByteArray &bytes)
{
    return [bytes](const QString &path) { batchrun::writeFile(path, bytes); };
}

QByteArray randomBytes(int count)
{
    QByteArray bytes(count, '\0');
    QRandomGenerator random(7);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

} // namespace

// Decodes files starting with "THROW" by running out of memory, as a decoder
// may do on any real input.
class ThrowingHandler : public QImageIOHandler
{
public:
    bool canRead() const override { return device() && device()->peek(5) == "THROW"; }
    bool read(QImage *) override { throw std::bad_alloc(); }
};

class ThrowingPlugin : public QImageIOPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "../data/throwingdecoder.json")

public:
    Capabilities capabilities(QIODevice *device, const QByteArray &format) const override
    {
        if (format == "throw" || (device && device->isReadable() && device->peek(5) == "THROW"))
            return CanRead;
        return {};
    }
    QImageIOHandler *create(QIODevice *device, const QByteArray &format) const override
    {
        auto handler = new ThrowingHandler;
        handler->setDevice(device);
        handler->setFormat(format);
        return handler;
    }
};

Q_IMPORT_PLUGIN(ThrowingPlugin)

class ReliabilityTest : public QObject
{
    Q_OBJECT

private slots:
    void hostileInput_data();
    void hostileInput();
    void unwritableOutputDirectory();
};

void ReliabilityTest::hostileInput_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<InputMaker>("make");
    QTest::addColumn<bool>("needsPermissionBits");
    QTest::addColumn<QString>("expectedReason"); // empty: the input is good and written

    const QByteArray jpeg = batchrun::encoded(batchrun::testImage(64, 48), "JPG");
    const QByteArray png = batchrun::encoded(batchrun::testImage(64, 48), "PNG");
    QTest::newRow("zero bytes") << "empty.jpg" << bytesMaker(QByteArray()) << false
                                << "cannot read: empty file";
    QTest::newRow("JPEG cut in its header")
            << "cut.jpg" << bytesMaker(jpeg.left(40)) << false
            << "cannot read: unsupported or damaged image (Corrupt JPEG data: 1 extraneous bytes "
               "before marker 0xd9; JPEG datastream contains no image)";
    QTest::newRow("PNG cut in its data")
            << "cut.png" << bytesMaker(png.left(png.size() / 2)) << false
            << "cannot read: unsupported or damaged image (libpng error: Read Error)";
    QTest::newRow("random bytes named JPEG") << "noise.jpg" << bytesMaker(randomBytes(4096))
                                             << false << "cannot read: unsupported or damaged image";
    QTest::newRow("random bytes named PNG") << "noise.png" << bytesMaker(randomBytes(4096))
                                            << false << "cannot read: unsupported or damaged image";
    QTest::newRow("PNG claiming 100000x100000") << "huge.png" << bytesMaker(batchrun::pngClaiming(100000, 100000))
                                                << false
                                                << "too large: 100000x100000 exceeds the 1024 MB limit";
    QTest::newRow("directory") << "folder.png"
                               << InputMaker([](const QString &path) { QDir().mkdir(path); })
                               << false << "cannot read: is a directory";
    QTest::newRow("missing") << "gone.png" << InputMaker([](const QString &) {}) << false
                             << "cannot read: no such file";
    QTest::newRow("no read permission")
            << "locked.png"
            << InputMaker([png](const QString &path) {
                   batchrun::writeFile(path, png);
                   QFile::setPermissions(path, QFileDevice::WriteOwner);
               })
            << true << "cannot read: permission denied";
    QTest::newRow("decoder out of memory") << "exhausting.throw" << bytesMaker("THROW")
                                           << false << "out of memory";
    QTest::newRow("spaces in name") << "my holiday photo.png" << bytesMaker(png) << false << QString();
    QTest::newRow("non-ASCII name") << "Ünïcødé 照片.jpg" << bytesMaker(jpeg) << false << QString();
}

// One hostile input between two good ones: the run survives, reports the
// hostile one, writes the good ones, changes no input and leaves no
// temporary file.
void ReliabilityTest::hostileInput()
{
    QFETCH(QString, name);
    QFETCH(InputMaker, make);
    QFETCH(bool, needsPermissionBits);
    QFETCH(QString, expectedReason);
    if (needsPermissionBits && geteuid() == 0)
        QSKIP("permission bits do not stop the superuser from reading");

    QTemporaryDir inputs, outputs;
    const QString hostile = inputs.filePath(name);
    make(hostile);
    const QStringList paths{batchrun::writeImage(inputs.filePath("before.png")), hostile,
                            batchrun::writeImage(inputs.filePath("after.png"))};
    QList<QByteArray> checksums;
    for (const QString &path : paths)
        checksums << batchrun::fileChecksum(path);
    JobSettings settings = batchrun::settingsFor(paths, outputs.path());

    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);

    QCOMPARE(recorder.finishedCount, 1);
    QCOMPARE(recorder.progress.size(), paths.size());
    QCOMPARE(recorder.reasonFor(hostile), expectedReason);
    QCOMPARE(recorder.failedPaths.size(), expectedReason.isEmpty() ? 0 : 1);
    QStringList expectedOutputs{"after_processed.jpg", "before_processed.jpg"};
    if (expectedReason.isEmpty())
        expectedOutputs << QFileInfo(name).baseName() + QStringLiteral("_processed.jpg");
    expectedOutputs.sort();
    QStringList written = batchrun::entriesOf(outputs.path());
    written.sort();
    QCOMPARE(written, expectedOutputs);
    for (const QString &output : written)
        QVERIFY2(!QImage(outputs.filePath(output)).isNull(), qPrintable(output));
    for (int index = 0; index < paths.size(); ++index)
        QCOMPARE(batchrun::fileChecksum(paths.at(index)), checksums.at(index));
}

// Below a regular file no directory can ever exist, whoever runs the test.
// The output folder is found unusable before any input is decoded: the
// input that would run out of memory fails for the folder too.
void ReliabilityTest::unwritableOutputDirectory()
{
    QTemporaryDir inputs;
    const QString blocker = inputs.filePath(QStringLiteral("blocker"));
    batchrun::writeFile(blocker, "not a directory");
    const QString exhausting = inputs.filePath(QStringLiteral("exhausting.throw"));
    batchrun::writeFile(exhausting, "THROW");
    const QStringList paths{batchrun::writeImage(inputs.filePath("a.png")), exhausting,
                            batchrun::writeImage(inputs.filePath("b.png"))};
    JobSettings settings = batchrun::settingsFor(paths, blocker + QStringLiteral("/sub"));

    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);

    QStringList failedPaths = recorder.failedPaths; // in the order the inputs finished
    failedPaths.sort();
    QStringList everyInput = paths;
    everyInput.sort();
    QCOMPARE(failedPaths, everyInput);
    for (const QString &reason : std::as_const(recorder.failureReasons))
        QVERIFY2(reason.startsWith(QStringLiteral("cannot write: ")) && reason.size() > 14,
                 qPrintable(reason));
    QCOMPARE(recorder.progress, (QList<int>{33, 66, 100}));
    QCOMPARE(recorder.finishedCount, 1);
    QCOMPARE(batchrun::entriesOf(inputs.path()),
             (QStringList{"a.png", "b.png", "blocker", "exhausting.throw"}));
}

QTEST_MAIN(ReliabilityTest)
#include "tst_reliability.moc"
