#include "formats/imagefile.h"
#include "batchrun.h"
#include "core/picturememory.h"
#include "differential.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// A worker decodes each picture into the memory its previous picture of the
// same size had; these tests hold that memory to being shared with no
// picture still alive, and to never showing an earlier picture's pixels.
class PictureMemoryTest : public QObject
{
    Q_OBJECT

private slots:
    void goneMemoryIsReused();
    void livePictureKeepsItsMemory();
    void pictureOutlivesTheWorker();
    void loadsOnReusedMemoryMatchQt_data();
    void loadsOnReusedMemoryMatchQt();
    void cutRowsShowNoEarlierPicture();
};

namespace {

using picturememory::DecodeTarget;
using picturememory::Rows;

const QSize pictureSize(640, 480);

const uchar *decodedInto(QImage::Format format, Rows rows)
{
    DecodeTarget target(pictureSize, format, rows);
    target.image.fill(0xff336699);
    return target.image.constBits();
}

} // namespace

void PictureMemoryTest::goneMemoryIsReused()
{
    picturememory::KeptForReuse memory;
    const uchar *first = decodedInto(QImage::Format_RGB32, Rows::AllWritten);
    QCOMPARE(decodedInto(QImage::Format_RGB32, Rows::AllWritten), first);
    // The same bytes in another format of the same depth are the same memory too.
    QCOMPARE(decodedInto(QImage::Format_ARGB32, Rows::AllWritten), first);
}

void PictureMemoryTest::livePictureKeepsItsMemory()
{
    picturememory::KeptForReuse memory;
    QImage held;
    {
        DecodeTarget first(pictureSize, QImage::Format_RGB32, Rows::AllWritten);
        first.image.fill(Qt::red);
        held = first.image; // a copy that shares the pixels
    }
    DecodeTarget second(pictureSize, QImage::Format_RGB32, Rows::AllWritten);
    QVERIFY(second.image.constBits() != held.constBits());
    second.image.fill(Qt::blue);
    QCOMPARE(held.pixel(10, 10), QColor(Qt::red).rgb());
}

void PictureMemoryTest::pictureOutlivesTheWorker()
{
    QImage survivor;
    {
        picturememory::KeptForReuse memory;
        DecodeTarget target(pictureSize, QImage::Format_RGB32, Rows::AllWritten);
        target.image.fill(Qt::green);
        survivor = target.image;
    }
    QCOMPARE(survivor.pixel(639, 479), QColor(Qt::green).rgb());
    survivor.fill(Qt::white); // still writable memory of its own
    QCOMPARE(survivor.pixel(0, 0), QColor(Qt::white).rgb());
}

void PictureMemoryTest::loadsOnReusedMemoryMatchQt_data()
{
    QTest::addColumn<QByteArray>("fileFormat");
    QTest::addColumn<QImage::Format>("format");
    QTest::newRow("JPEG, ours") << QByteArray("jpg") << QImage::Format_RGB32;
    QTest::newRow("PNG, transparent") << QByteArray("png") << QImage::Format_ARGB32;
    QTest::newRow("BMP") << QByteArray("bmp") << QImage::Format_RGB32;
    QTest::newRow("WebP") << QByteArray("webp") << QImage::Format_ARGB32;
}

// Two different pictures of one size, one after the other on one worker:
// the second is exactly Qt's decode, with nothing left of the first.
void PictureMemoryTest::loadsOnReusedMemoryMatchQt()
{
    QFETCH(QByteArray, fileFormat);
    QFETCH(QImage::Format, format);
    QTemporaryDir directory;
    QStringList paths;
    for (int seed : {3, 4}) {
        paths << directory.filePath(QStringLiteral("picture%1.%2").arg(seed).arg(QString::fromLatin1(fileFormat)));
        QVERIFY(differential::randomImage(pictureSize, format, seed).save(paths.last(), nullptr, 90));
    }
    picturememory::KeptForReuse memory;
    InputOutcome outcome;
    const uchar *firstBits = loadImage(paths.at(0), outcome).constBits();
    const QImage second = loadImage(paths.at(1), outcome);
    QVERIFY2(!outcome.failed(), qPrintable(outcome.reason));
    if (fileFormat == "jpg") // decoded by our reader straight into the kept memory
        QCOMPARE(second.constBits(), firstBits);
    QVERIFY(second == QImage(paths.at(1)));
}

// Qt's BMP reader leaves the rows a cut file lacks as it found them: on
// memory kept from a bright picture they must still come out black.
void PictureMemoryTest::cutRowsShowNoEarlierPicture()
{
    QTemporaryDir directory;
    QImage bright(pictureSize, QImage::Format_RGB32);
    bright.fill(Qt::white);
    const QString brightPath = batchrun::writeImage(directory.filePath(QStringLiteral("bright.bmp")), bright);
    QImage dark(pictureSize, QImage::Format_RGB32);
    dark.fill(qRgb(20, 20, 20));
    const QByteArray darkFile = batchrun::encoded(dark, "bmp");
    const QString cutPath = batchrun::writeFile(directory.filePath(QStringLiteral("cut.bmp")), darkFile.left(darkFile.size() / 2));

    picturememory::KeptForReuse memory;
    InputOutcome outcome;
    QVERIFY(!loadImage(brightPath, outcome).isNull());
    const QImage loaded = loadImage(cutPath, outcome);
    QVERIFY2(!loaded.isNull(), qPrintable(outcome.reason));
    QVERIFY(!outcome.warnings.isEmpty());
    // BMP rows run from the bottom: the top half is what the file lacks.
    QCOMPARE(loaded.pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(loaded.pixel(639, 100), qRgb(0, 0, 0));
    QCOMPARE(loaded.pixel(0, 479), qRgb(20, 20, 20));
}

QTEST_GUILESS_MAIN(PictureMemoryTest)
#include "tst_picturememory.moc"
