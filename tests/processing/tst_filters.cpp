#include "differential.h"
#include "filters/blur.h"
#include "filters/edgedetection.h"
#include "filters/emboss.h"
#include "filters/filter.h"
#include "filters/grayscale.h"
#include "filters/oilpainting.h"
#include "filters/sharpen.h"
#include "filters/vintage.h"
#include "reference.h"

#include <QtTest>

#include <climits>

namespace {

const QStringList filterKeys = {QStringLiteral("blur"), QStringLiteral("grayscale"), QStringLiteral("vintage"),
                                QStringLiteral("edge-detection"), QStringLiteral("emboss"), QStringLiteral("oil-painting")};

bool takesRadius(const QString &key)
{
    return key == QStringLiteral("blur") || key == QStringLiteral("oil-painting");
}

// Intensities around the substitution at 0 and beyond the windows of the
// harness images; the other filters ignore the intensity.
QList<int> intensitiesFor(const QString &key)
{
    if (takesRadius(key))
        return {INT_MIN, -1, 0, 1, 2, 10, 40};
    return {1};
}

QImage uniformImage(const QSize &size, const QColor &colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage grayImage(const QSize &size, int gray)
{
    return uniformImage(size, QColor(gray, gray, gray));
}

QColor opaque(int red, int green, int blue)
{
    return QColor(red, green, blue, 255);
}

// The format every filter result has: the source's, palette and monochrome
// images having become RGB32 or ARGB32 first.
QImage::Format workingFormat(const QImage &source)
{
    if (source.format() == QImage::Format_Indexed8 || source.format() == QImage::Format_Mono)
        return source.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    return source.format();
}

// Empty when every pixel of image is the opaque gray expectedGray(x, y).
template <typename ExpectedGray>
QString firstGrayMismatch(const QImage &image, ExpectedGray expectedGray)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int gray = expectedGray(x, y);
            if (image.pixelColor(x, y) != opaque(gray, gray, gray))
                return QStringLiteral("pixel (%1, %2): %3, expected gray %4")
                    .arg(x).arg(y).arg(image.pixelColor(x, y).name(QColor::HexArgb)).arg(gray);
        }
    }
    return QString();
}

} // namespace

class FiltersTest : public QObject
{
    Q_OBJECT

private slots:
    void filterMatchesReference_data();
    void filterMatchesReference();
    void bandedImagesMatchReference_data();
    void bandedImagesMatchReference();
    void sharpenMatchesReference_data();
    void sharpenMatchesReference();
    void sharpenOvershootsStepEdge_data();
    void sharpenOvershootsStepEdge();
    void hugeRadiusCoversWholeImage_data();
    void hugeRadiusCoversWholeImage();
    void unknownKeyOrNoRadiusReturnsSource_data();
    void unknownKeyOrNoRadiusReturnsSource();
    void resultIsOpaqueWithSourceSizeAndFormat_data();
    void resultIsOpaqueWithSourceSizeAndFormat();
    void nullImageGivesNullImage_data();
    void nullImageGivesNullImage();
    void grayscaleOfPrimaries_data();
    void grayscaleOfPrimaries();
    void vintageTones_data();
    void vintageTones();
    void blurWindowShrinksAtBorders();
    void blurKeepsSinglePixelOpaque();
    void edgeDetectionOfUniformImage_data();
    void edgeDetectionOfUniformImage();
    void embossOfUniformImage_data();
    void embossOfUniformImage();
    void oilPaintingOfUniformImage_data();
    void oilPaintingOfUniformImage();
    void oilPaintingTieGoesToLowestLevel();
};

void FiltersTest::filterMatchesReference_data()
{
    QTest::addColumn<QImage>("source");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("intensity");
    quint32 seed = 1;
    for (QImage::Format format : differential::formats()) {
        for (const QSize &size : differential::sizes()) {
            const QImage source = differential::randomImage(size, format, seed++);
            for (const QString &key : filterKeys) {
                for (int intensity : intensitiesFor(key))
                    QTest::addRow("%s %s %dx%d %d", qPrintable(key), qPrintable(differential::formatName(format)),
                                  size.width(), size.height(), intensity)
                        << source << key << intensity;
            }
        }
    }
}

void FiltersTest::filterMatchesReference()
{
    QFETCH(QImage, source);
    QFETCH(QString, key);
    QFETCH(int, intensity);
    const QImage expected = reference::applyFilter(source, key, intensity);
    const QString diff = differential::firstDifference(applyFilter(source, key, intensity), expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

// Large enough that the rows are split into bands on several threads.
void FiltersTest::bandedImagesMatchReference_data()
{
    QTest::addColumn<QImage>("source");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("intensity");
    const QList<QImage::Format> formats = {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied,
                                           QImage::Format_RGB888};
    quint32 seed = 500;
    for (QImage::Format format : formats) {
        const QImage source = differential::randomImage(QSize(640, 257), format, seed++);
        for (const QString &key : filterKeys)
            QTest::addRow("%s %s", qPrintable(key), qPrintable(differential::formatName(format)))
                << source << key << (takesRadius(key) ? 2 : 1);
    }
}

void FiltersTest::bandedImagesMatchReference()
{
    filterMatchesReference();
}

void FiltersTest::sharpenMatchesReference_data()
{
    QTest::addColumn<QImage>("source");
    QTest::addColumn<QList<int>>("parameters");
    const QList<QList<int>> parameterSets = {{50, 1, 2}, {100, 2, 0}, {500, 1, 0}, {37, 3, 40}, {0, 1, 0}};
    quint32 seed = 900;
    for (QImage::Format format : differential::formats()) {
        for (const QSize &size : differential::sizes() + QList<QSize>{QSize(640, 257)}) {
            const QImage source = differential::randomImage(size, format, seed++);
            for (const QList<int> &parameters : parameterSets)
                QTest::addRow("%s %dx%d %d,%d,%d", qPrintable(differential::formatName(format)), size.width(),
                              size.height(), parameters[0], parameters[1], parameters[2])
                    << source << parameters;
        }
    }
}

void FiltersTest::sharpenMatchesReference()
{
    QFETCH(QImage, source);
    QFETCH(QList<int>, parameters);
    const QImage expected = reference::applySharpen(source, parameters[0], parameters[1], parameters[2]);
    const QString diff = differential::firstDifference(
            applySharpen(source, parameters[0], parameters[1], parameters[2]), expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void FiltersTest::sharpenOvershootsStepEdge_data()
{
    QTest::addColumn<int>("amount");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<int>("darkSide");
    QTest::addColumn<int>("lightSide");
    // Beside the edge the 3 x 3 mean is 100 on the dark side (50, 50, 200)
    // and 150 on the light one (50, 200, 200): a difference of 50 either way.
    QTest::newRow("50 %") << 50 << 2 << 25 << 225;
    QTest::newRow("100 %") << 100 << 0 << 0 << 250;
    QTest::newRow("threshold above the difference") << 100 << 51 << 50 << 200;
}

// A step from 50 to 200 between columns 3 and 4 overshoots on both sides
// by amount % of the difference from the blur, and nowhere else.
void FiltersTest::sharpenOvershootsStepEdge()
{
    QFETCH(int, amount);
    QFETCH(int, threshold);
    QFETCH(int, darkSide);
    QFETCH(int, lightSide);
    QImage edge(8, 5, QImage::Format_RGB32);
    for (int x = 0; x < edge.width(); ++x)
        for (int y = 0; y < edge.height(); ++y)
            edge.setPixel(x, y, x < 4 ? qRgb(50, 50, 50) : qRgb(200, 200, 200));
    const QImage result = applySharpen(edge, amount, 1, threshold);
    const int expected[8] = {50, 50, 50, darkSide, lightSide, 200, 200, 200};
    for (int x = 0; x < edge.width(); ++x)
        QCOMPARE(qRed(result.pixel(x, 2)), expected[x]);
}

// A radius far beyond the image covers the whole image, like one of the
// image's largest side.
void FiltersTest::hugeRadiusCoversWholeImage_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("radius");
    QTest::newRow("blur INT_MAX") << QStringLiteral("blur") << INT_MAX;
    QTest::newRow("blur 100000") << QStringLiteral("blur") << 100000;
    QTest::newRow("oil INT_MAX") << QStringLiteral("oil-painting") << INT_MAX;
    QTest::newRow("oil 100000") << QStringLiteral("oil-painting") << 100000;
}

void FiltersTest::hugeRadiusCoversWholeImage()
{
    QFETCH(QString, key);
    QFETCH(int, radius);
    const QImage source = differential::randomImage(QSize(7, 4), QImage::Format_ARGB32, 77);
    const QImage expected = reference::applyFilter(source, key, 7);
    const QString diff = differential::firstDifference(applyFilter(source, key, radius), expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void FiltersTest::unknownKeyOrNoRadiusReturnsSource_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("radius");
    QTest::newRow("none key") << QStringLiteral("none") << 5;
    QTest::newRow("empty key") << QString() << 5;
    QTest::newRow("capitalised key") << QStringLiteral("Blur") << 5;
    QTest::newRow("key with a trailing blank") << QStringLiteral("blur ") << 5;
    QTest::newRow("part of a key") << QStringLiteral("edge") << 5;
    QTest::newRow("blur radius 0") << QStringLiteral("blur") << 0;
    QTest::newRow("blur radius -4") << QStringLiteral("blur") << -4;
    QTest::newRow("oil radius 0") << QStringLiteral("oil") << 0;
    QTest::newRow("oil radius INT_MIN") << QStringLiteral("oil") << INT_MIN;
}

void FiltersTest::unknownKeyOrNoRadiusReturnsSource()
{
    QFETCH(QString, key);
    QFETCH(int, radius);
    const QImage source = differential::randomImage(QSize(5, 4), QImage::Format_Indexed8, 8);
    QImage result;
    if (key == QStringLiteral("blur"))
        result = applyBlur(source, radius);
    else if (key == QStringLiteral("oil"))
        result = applyOilPainting(source, radius);
    else
        result = applyFilter(source, key, radius);
    QCOMPARE(result.constBits(), source.constBits());
    QCOMPARE(result.format(), source.format());
}

void FiltersTest::resultIsOpaqueWithSourceSizeAndFormat_data()
{
    QTest::addColumn<QImage>("source");
    QTest::addColumn<QString>("key");
    quint32 seed = 900;
    for (QImage::Format format : differential::formats()) {
        const QImage source = differential::randomImage(QSize(6, 5), format, seed++);
        for (const QString &key : filterKeys)
            QTest::addRow("%s %s", qPrintable(key), qPrintable(differential::formatName(format))) << source << key;
    }
}

void FiltersTest::resultIsOpaqueWithSourceSizeAndFormat()
{
    QFETCH(QImage, source);
    QFETCH(QString, key);
    const QImage before = source.copy();
    const QImage result = applyFilter(source, key, 2);
    QCOMPARE(result.size(), source.size());
    QCOMPARE(result.format(), workingFormat(source));
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < result.width(); ++x)
            QCOMPARE(result.pixelColor(x, y).alpha(), 255);
    }
    QCOMPARE(source, before);
}

void FiltersTest::nullImageGivesNullImage_data()
{
    QTest::addColumn<QString>("key");
    for (const QString &key : filterKeys)
        QTest::newRow(qPrintable(key)) << key;
}

void FiltersTest::nullImageGivesNullImage()
{
    QFETCH(QString, key);
    QVERIFY(applyFilter(QImage(), key, 3).isNull());
}

void FiltersTest::grayscaleOfPrimaries_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("gray");
    QTest::newRow("red") << QColor(255, 0, 0) << 87;
    QTest::newRow("green") << QColor(0, 255, 0) << 127;
    QTest::newRow("blue") << QColor(0, 0, 255) << 39;
    QTest::newRow("white") << QColor(255, 255, 255) << 255;
    QTest::newRow("black") << QColor(0, 0, 0) << 0;
}

void FiltersTest::grayscaleOfPrimaries()
{
    QFETCH(QColor, colour);
    QFETCH(int, gray);
    const QImage result = applyGrayscale(uniformImage(QSize(3, 2), colour));
    const QString mismatch = firstGrayMismatch(result, [gray](int, int) { return gray; });
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void FiltersTest::vintageTones_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("gray 0") << QColor(0, 0, 0) << opaque(0, 0, 0);
    QTest::newRow("gray 100") << QColor(100, 100, 100) << opaque(135, 120, 93);
    QTest::newRow("gray 128") << QColor(128, 128, 128) << opaque(172, 153, 119);
    QTest::newRow("gray 189") << QColor(189, 189, 189) << opaque(255, 227, 177);
    QTest::newRow("gray 255") << QColor(255, 255, 255) << opaque(255, 255, 238);
    QTest::newRow("pure red") << QColor(255, 0, 0) << opaque(117, 104, 81);
}

void FiltersTest::vintageTones()
{
    QFETCH(QColor, colour);
    QFETCH(QColor, expected);
    const QImage result = applyVintage(uniformImage(QSize(2, 2), colour));
    QCOMPARE(result.pixelColor(0, 0), expected);
    QCOMPARE(result.pixelColor(1, 1), expected);
}

// At the top-left corner a radius-1 window holds only the four pixels
// inside; their mean red 101 / 4 truncates to 25.
void FiltersTest::blurWindowShrinksAtBorders()
{
    QImage source = uniformImage(QSize(3, 3), QColor(200, 200, 200));
    source.setPixelColor(0, 0, QColor(10, 0, 0));
    source.setPixelColor(1, 0, QColor(20, 0, 0));
    source.setPixelColor(0, 1, QColor(30, 0, 0));
    source.setPixelColor(1, 1, QColor(41, 0, 0));
    const QImage result = applyBlur(source, 1);
    QCOMPARE(result.pixelColor(0, 0), opaque(25, 0, 0));
    // The centre sees all nine: red (101 + 5 x 200) / 9, green and blue 1000 / 9.
    QCOMPARE(result.pixelColor(1, 1), opaque(122, 111, 111));
}

void FiltersTest::blurKeepsSinglePixelOpaque()
{
    QImage source(1, 1, QImage::Format_ARGB32);
    source.setPixelColor(0, 0, QColor(12, 34, 56, 100));
    const QImage result = applyBlur(source, 4);
    QCOMPARE(result.pixelColor(0, 0), opaque(12, 34, 56));
}

void FiltersTest::edgeDetectionOfUniformImage_data()
{
    QTest::addColumn<int>("gray");
    QTest::addColumn<int>("corner");
    QTest::addColumn<int>("firstRowAndColumn");
    QTest::addColumn<int>("farCorners");
    QTest::newRow("gray 100") << 100 << 255 << 255 << 255;
    QTest::newRow("gray 30") << 30 << 127 << 120 << 90;
}

// Only the first row and the first column see a rise from the zeros beyond
// the image; the top-right and bottom-left pixels see half of it.
void FiltersTest::edgeDetectionOfUniformImage()
{
    QFETCH(int, gray);
    QFETCH(int, corner);
    QFETCH(int, firstRowAndColumn);
    QFETCH(int, farCorners);
    const int width = 6, height = 5;
    const QImage result = applyEdgeDetection(grayImage(QSize(width, height), gray));
    const QString mismatch = firstGrayMismatch(result, [&](int x, int y) {
        if (x == 0 && y == 0)
            return corner;
        if ((x == width - 1 && y == 0) || (x == 0 && y == height - 1))
            return farCorners;
        return (x == 0 || y == 0) ? firstRowAndColumn : 0;
    });
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void FiltersTest::embossOfUniformImage_data()
{
    QTest::addColumn<int>("gray");
    QTest::addColumn<int>("inner");
    QTest::addColumn<int>("topLeft");
    QTest::addColumn<int>("bottomRight");
    QTest::newRow("gray 100") << 100 << 228 << 116 << 255;
    QTest::newRow("black") << 0 << 128 << 0 << 255;
}

void FiltersTest::embossOfUniformImage()
{
    QFETCH(int, gray);
    QFETCH(int, inner);
    QFETCH(int, topLeft);
    QFETCH(int, bottomRight);
    const QImage result = applyEmboss(grayImage(QSize(5, 4), gray));
    QCOMPARE(result.pixelColor(0, 0), opaque(topLeft, topLeft, topLeft));
    QCOMPARE(result.pixelColor(4, 3), opaque(bottomRight, bottomRight, bottomRight));
    const QString mismatch = firstGrayMismatch(result.copy(1, 1, 3, 2), [inner](int, int) { return inner; });
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void FiltersTest::oilPaintingOfUniformImage_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("white") << QColor(255, 255, 255) << opaque(224, 224, 224);
    QTest::newRow("100 150 200") << QColor(100, 150, 200) << opaque(96, 128, 192);
}

void FiltersTest::oilPaintingOfUniformImage()
{
    QFETCH(QColor, colour);
    QFETCH(QColor, expected);
    const QImage result = applyOilPainting(uniformImage(QSize(4, 3), colour), 2);
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < result.width(); ++x)
            QCOMPARE(result.pixelColor(x, y), expected);
    }
}

void FiltersTest::oilPaintingTieGoesToLowestLevel()
{
    QImage source(2, 1, QImage::Format_RGB32);
    source.setPixelColor(0, 0, Qt::black);
    source.setPixelColor(1, 0, Qt::white);
    const QImage result = applyOilPainting(source, 1);
    QCOMPARE(result.pixelColor(0, 0), opaque(0, 0, 0));
    QCOMPARE(result.pixelColor(1, 0), opaque(0, 0, 0));
}

QTEST_GUILESS_MAIN(FiltersTest)
#include "tst_filters.moc"
