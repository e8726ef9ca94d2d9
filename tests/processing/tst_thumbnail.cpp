#include "batchrun.h"
#include "formats/imagefile.h"
#include "formats/thumbnail.h"

#include <QFile>
#include <QImage>
#include <QtConcurrent>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <sys/stat.h>

// Thumbnails from the embedded EXIF preview when it can stand for the
// picture, from the scaled decoder otherwise; either way turned upright.
class TestThumbnail : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void thumbnail_data();
    void thumbnail();
    void malformedExif_data();
    void malformedExif();
    void notRegularFileNeverBlocks_data();
    void notRegularFileNeverBlocks();
    void oversizedPreviewNotDecoded_data();
    void oversizedPreviewNotDecoded();
    void noThumbnail_data();
    void noThumbnail();
    void damagedPictureBehindWholePreview_data();
    void damagedPictureBehindWholePreview();

private:
    QTemporaryDir scratch;
};

namespace {

constexpr int extent = 64;
const QRgb pictureLeft = qRgb(220, 30, 30);
const QRgb pictureRight = qRgb(230, 220, 20);
const QRgb previewLeft = qRgb(20, 200, 40);
const QRgb previewRight = qRgb(30, 40, 210);

// Two flat halves, so that a turn or a mirror shows where the left half went.
QImage halves(const QSize &size, QRgb left, QRgb right)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(right);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width() / 2; ++x)
            image.setPixel(x, y, left);
    return image;
}

void append16(QByteArray &data, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    data.append(bytes, 2);
}

void append32(QByteArray &data, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    data.append(bytes, 4);
}

void appendEntry(QByteArray &data, quint16 tag, quint16 type, quint32 value)
{
    append16(data, tag);
    append16(data, type);
    append32(data, 1);
    if (type == 3) {
        append16(data, quint16(value));
        append16(data, 0);
    } else {
        append32(data, value);
    }
}

// A little-endian EXIF block as cameras write it: IFD0 with the
// orientation, IFD1 pointing at the preview. previewOffsetShift moves the
// preview's recorded offset to make the block lie about it.
QByteArray exifSegment(int orientation, const QByteArray &preview, qint64 previewOffsetShift = 0)
{
    QByteArray tiff("II*\0", 4);
    append32(tiff, 8);
    append16(tiff, 1);
    appendEntry(tiff, 0x0112, 3, quint32(orientation));
    const quint32 ifd1 = quint32(tiff.size() + 4);
    append32(tiff, preview.isEmpty() ? 0 : ifd1);
    if (!preview.isEmpty()) {
        const quint32 previewOffset = ifd1 + 2 + 2 * 12 + 4;
        append16(tiff, 2);
        appendEntry(tiff, 0x0201, 4, quint32(previewOffset + previewOffsetShift));
        appendEntry(tiff, 0x0202, 4, quint32(preview.size()));
        append32(tiff, 0);
        tiff.append(preview);
    }
    const QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    segment.append(char((body.size() + 2) >> 8));
    segment.append(char((body.size() + 2) & 0xFF));
    return segment + body;
}

QByteArray withExif(const QByteArray &jpeg, const QByteArray &segment)
{
    return jpeg.left(2) + segment + jpeg.mid(2);
}

// The colour in the middle of the half where the picture's left half ends
// up, and of the opposite half.
struct Landing
{
    QPoint left;
    QPoint right;
};

Landing landingFor(int orientation, const QSize &size)
{
    const int w = size.width();
    const int h = size.height();
    switch (orientation) {
    case 3: return {{w * 3 / 4, h / 2}, {w / 4, h / 2}};          // half turn
    case 6: return {{w / 2, h / 4}, {w / 2, h * 3 / 4}};          // quarter turn clockwise
    case 8: return {{w / 2, h * 3 / 4}, {w / 2, h / 4}};          // quarter turn anticlockwise
    default: return {{w / 4, h / 2}, {w * 3 / 4, h / 2}};
    }
}

bool near(QRgb actual, QRgb expected)
{
    return qAbs(qRed(actual) - qRed(expected)) < 40 && qAbs(qGreen(actual) - qGreen(expected)) < 40
           && qAbs(qBlue(actual) - qBlue(expected)) < 40;
}

} // namespace

// As the window sets it, so that the limits tested are the program's.
void TestThumbnail::initTestCase()
{
    QVERIFY(scratch.isValid());
    raiseImageDecodeLimit();
}

void TestThumbnail::thumbnail_data()
{
    QTest::addColumn<QSize>("pictureSize");
    QTest::addColumn<QSize>("previewSize"); // empty: no preview
    QTest::addColumn<int>("orientation");   // 0: no EXIF at all
    QTest::addColumn<bool>("previewUsed");
    QTest::addColumn<QSize>("expectedSize");

    QTest::newRow("no EXIF") << QSize(400, 300) << QSize() << 0 << false << QSize(64, 48);
    QTest::newRow("EXIF without preview") << QSize(400, 300) << QSize() << 1 << false << QSize(64, 48);
    QTest::newRow("preview used") << QSize(400, 300) << QSize(160, 120) << 1 << true << QSize(64, 48);
    QTest::newRow("preview exactly the box") << QSize(400, 300) << QSize(64, 48) << 1 << true << QSize(64, 48);
    QTest::newRow("preview too small") << QSize(400, 300) << QSize(48, 36) << 1 << false << QSize(64, 48);
    QTest::newRow("preview padded to other proportions")
            << QSize(600, 400) << QSize(160, 120) << 1 << false << QSize(64, 42);
    QTest::newRow("preview, quarter turn clockwise") << QSize(400, 300) << QSize(160, 120) << 6 << true << QSize(48, 64);
    QTest::newRow("preview, quarter turn anticlockwise")
            << QSize(400, 300) << QSize(160, 120) << 8 << true << QSize(48, 64);
    QTest::newRow("preview, half turn") << QSize(400, 300) << QSize(160, 120) << 3 << true << QSize(64, 48);
    QTest::newRow("decoded, quarter turn clockwise") << QSize(400, 300) << QSize() << 6 << false << QSize(48, 64);
    QTest::newRow("decoded, half turn") << QSize(400, 300) << QSize(40, 30) << 3 << false << QSize(64, 48);
    QTest::newRow("small picture enlarged") << QSize(32, 20) << QSize() << 0 << false << QSize(64, 40);
    QTest::newRow("tall picture") << QSize(100, 400) << QSize() << 0 << false << QSize(16, 64);
}

void TestThumbnail::thumbnail()
{
    QFETCH(QSize, pictureSize);
    QFETCH(QSize, previewSize);
    QFETCH(int, orientation);
    QFETCH(bool, previewUsed);
    QFETCH(QSize, expectedSize);
    QByteArray file = batchrun::encoded(halves(pictureSize, pictureLeft, pictureRight), "JPEG", 95);
    if (orientation != 0) {
        const QByteArray preview = previewSize.isEmpty()
                ? QByteArray()
                : batchrun::encoded(halves(previewSize, previewLeft, previewRight), "JPEG", 95);
        file = withExif(file, exifSegment(orientation, preview));
    }
    const QString path = scratch.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".jpg"));
    QVERIFY(!batchrun::writeFile(path, file).isEmpty());

    const QImage thumbnail = makeThumbnail(path, extent);
    QCOMPARE(thumbnail.size(), expectedSize);
    const Landing landing = landingFor(orientation, thumbnail.size());
    const QRgb left = thumbnail.pixel(landing.left);
    const QRgb right = thumbnail.pixel(landing.right);
    QVERIFY2(near(left, previewUsed ? previewLeft : pictureLeft), qPrintable(QString::number(left, 16)));
    QVERIFY2(near(right, previewUsed ? previewRight : pictureRight), qPrintable(QString::number(right, 16)));
}

void TestThumbnail::malformedExif_data()
{
    QTest::addColumn<QByteArray>("file");
    const QByteArray picture = batchrun::encoded(halves(QSize(400, 300), pictureLeft, pictureRight), "JPEG", 95);
    const QByteArray preview = batchrun::encoded(halves(QSize(160, 120), previewLeft, previewRight), "JPEG", 95);
    QTest::newRow("preview offset beyond the block") << withExif(picture, exifSegment(1, preview, 100000));
    QTest::newRow("preview offset wraps") << withExif(picture, exifSegment(1, preview, 0xFFFFFFF0LL));
    QByteArray truncated = exifSegment(1, preview);
    truncated.truncate(30);
    truncated[2] = 0;
    truncated[3] = 28;
    QTest::newRow("IFD cut short") << withExif(picture, truncated);
    QByteArray wrongOrder = exifSegment(1, preview);
    wrongOrder.replace(10, 4, QByteArray("XX*\0", 4));
    QTest::newRow("unknown byte order") << withExif(picture, wrongOrder);
}

// A lying EXIF block never reads outside the file: the picture itself is
// decoded instead.
void TestThumbnail::malformedExif()
{
    QFETCH(QByteArray, file);
    const QString path = scratch.filePath(QStringLiteral("malformed.jpg"));
    QVERIFY(!batchrun::writeFile(path, file).isEmpty());
    const QImage thumbnail = makeThumbnail(path, extent);
    QCOMPARE(thumbnail.size(), QSize(64, 48));
    QVERIFY(near(thumbnail.pixel(16, 24), pictureLeft));
}

void TestThumbnail::notRegularFileNeverBlocks_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("named pipe") << "pipe.png";
    QTest::newRow("/dev/zero named .xpm") << "zero.xpm";
}

// A pipe or a device dropped on the list gets no thumbnail, and the loader
// that asked goes on at once instead of waiting for a writer or an end.
void TestThumbnail::notRegularFileNeverBlocks()
{
    QFETCH(QString, name);
    const QString path = scratch.filePath(name);
    QFile::remove(path);
    if (name.startsWith(QLatin1String("pipe")))
        QCOMPARE(mkfifo(QFile::encodeName(path), 0600), 0);
    else
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    QFuture<QImage> made = QtConcurrent::run([path] { return makeThumbnail(path, extent); });
    const bool finishedInTime = QTest::qWaitFor([&made] { return made.isFinished(); }, 5000);
    if (!finishedInTime && name.startsWith(QLatin1String("pipe"))) {
        QFile writer(path);
        writer.open(QIODevice::WriteOnly);
    }
    QVERIFY2(finishedInTime, "the thumbnail waited on a file that is not regular");
    QVERIFY(made.result().isNull());
}

void TestThumbnail::oversizedPreviewNotDecoded_data()
{
    QTest::addColumn<QSize>("pictureSize");
    QTest::addColumn<QSize>("claimed"); // by the preview's header, over 160x120 of data
    QTest::newRow("larger than the picture") << QSize(400, 300) << QSize(16000, 12000);
    QTest::newRow("more than the thumbnail needs") << QSize(2000, 1500) << QSize(1200, 900);
}

// A preview whose header claims more than it should is not decoded: the
// thumbnail comes from the picture.
void TestThumbnail::oversizedPreviewNotDecoded()
{
    QFETCH(QSize, pictureSize);
    QFETCH(QSize, claimed);
    QByteArray preview = batchrun::encoded(halves(QSize(160, 120), previewLeft, previewRight), "JPEG", 95);
    const int frame = preview.indexOf("\xff\xc0");
    qToBigEndian<quint16>(quint16(claimed.height()), preview.data() + frame + 5);
    qToBigEndian<quint16>(quint16(claimed.width()), preview.data() + frame + 7);
    const QByteArray picture = batchrun::encoded(halves(pictureSize, pictureLeft, pictureRight), "JPEG", 95);
    const QString path = scratch.filePath(QStringLiteral("claiming.jpg"));
    QVERIFY(!batchrun::writeFile(path, withExif(picture, exifSegment(1, preview))).isEmpty());

    const QImage thumbnail = makeThumbnail(path, extent);
    QCOMPARE(thumbnail.size(), QSize(64, 48));
    QVERIFY(near(thumbnail.pixel(16, 24), pictureLeft));
    QVERIFY(near(thumbnail.pixel(48, 24), pictureRight));
}

void TestThumbnail::noThumbnail_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("stopped");
    QByteArray emptyGif = batchrun::lzwGif(QImage(4, 4, QImage::Format_Grayscale8), 0);
    emptyGif.replace(6, 4, "\x80\x3e\x80\x3e").replace(13 + 768 + 5, 4, "\x80\x3e\x80\x3e");
    QTest::newRow("progressive JPEG of 20001 scans") << batchrun::progressiveJpeg(2000, 2000, 20000) << false;
    QTest::newRow("GIF of 16000x16000 without pixel data") << emptyGif << false;
    const QImage picture = halves(QSize(400, 300), pictureLeft, pictureRight);
    QTest::newRow("JPEG, asked to stop") << batchrun::encoded(picture, "JPEG") << true;
    QTest::newRow("PNG, asked to stop") << batchrun::encoded(picture, "PNG") << true;
}

// The thumbnail keeps to the run's bounds, and to a request to stop.
void TestThumbnail::noThumbnail()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, stopped);
    const QString path = scratch.filePath(QStringLiteral("refused"));
    QVERIFY(!batchrun::writeFile(path, file).isEmpty());
    const std::atomic<bool> stop{stopped};
    QVERIFY(makeThumbnail(path, extent, &stop).isNull());
}

void TestThumbnail::damagedPictureBehindWholePreview_data()
{
    QTest::addColumn<double>("kept"); // the share of the picture's coded data left
    QTest::addColumn<bool>("ended");  // an end of image marker put after it
    QTest::addColumn<bool>("fails");
    QTest::addColumn<QStringList>("warned");
    const QStringList cut{QStringLiteral("damaged: the file is cut short")};
    QTest::newRow("whole") << 1.0 << false << false << QStringList();
    QTest::newRow("cut within its data") << 0.5 << false << false << cut;
    QTest::newRow("no pixel data, cut") << 0.0 << false << true << QStringList();
    QTest::newRow("no pixel data, ended") << 0.0 << true << true << QStringList();
}

// A camera's preview stays whole when the picture's data is cut or missing:
// the thumbnail is the picture a run decodes, with what the run would say
// of it.
void TestThumbnail::damagedPictureBehindWholePreview()
{
    QFETCH(double, kept);
    QFETCH(bool, ended);
    QFETCH(bool, fails);
    QFETCH(QStringList, warned);
    const QByteArray picture = batchrun::encoded(halves(QSize(400, 300), pictureLeft, pictureRight), "JPEG", 95);
    const QByteArray preview = batchrun::encoded(halves(QSize(160, 120), previewLeft, previewRight), "JPEG", 95);
    const QByteArray whole = withExif(picture, exifSegment(1, preview));
    const qsizetype data = whole.lastIndexOf("\xFF\xDA") + 14; // a colour scan's header is 14 bytes
    const QString path = scratch.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".jpg"));
    const QByteArray damaged = whole.left(data + qsizetype(kept * (whole.size() - data)));
    QVERIFY(!batchrun::writeFile(path, ended ? damaged + "\xFF\xD9" : damaged).isEmpty());

    QString failure;
    QStringList warnings;
    const QImage thumbnail = makeThumbnail(path, extent, nullptr, &failure, &warnings);
    InputOutcome run;
    const QImage decoded = loadImage(path, run);
    QCOMPARE(thumbnail.isNull(), fails);
    QCOMPARE(failure, run.reason);
    QCOMPARE(warnings, warned);
    QCOMPARE(warned.isEmpty(), run.warnings.isEmpty());
    if (fails)
        return;
    const bool previewShown = warned.isEmpty();
    QVERIFY(near(thumbnail.pixel(extent / 4, 24), previewShown ? previewLeft : pictureLeft));
    // The rows a cut file lacks are grey.
    QCOMPARE(near(thumbnail.pixel(extent * 3 / 4, 47), previewShown ? previewRight : pictureRight), previewShown);
}

QTEST_MAIN(TestThumbnail)
#include "tst_thumbnail.moc"
