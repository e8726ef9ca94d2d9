#include "differential.h"
#include "geometry/uprightturn.h"
#include "geometry/aspectratio.h"
#include "geometry/flip.h"
#include "geometry/resample.h"
#include "geometry/rotation.h"
#include "geometry/size.h"
#include "geometry/standardsize.h"
#include "reference.h"

#include <QtTest>

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>

using GeometryOperation = std::function<QImage(const QImage &)>;
Q_DECLARE_METATYPE(GeometryOperation)
using ParameterisedOperation = std::function<QImage(const QImage &, const QList<int> &)>;

namespace {

// Every format and size of the harness (or the sizes given), once per
// parameter set; each parameter set is a list of ints whose meaning the test
// function knows.
void addDifferentialRows(const QList<QList<int>> &parameterSets,
                         const QList<QSize> &sizes = differential::sizes())
{
    QTest::addColumn<QImage>("source");
    QTest::addColumn<QList<int>>("parameters");
    quint32 seed = 1;
    for (QImage::Format format : differential::formats()) {
        for (const QSize &size : sizes) {
            const QImage source = differential::randomImage(size, format, seed++);
            for (const QList<int> &parameters : parameterSets) {
                QStringList text;
                for (int value : parameters)
                    text << QString::number(value);
                QTest::addRow("%s %dx%d %s", qPrintable(differential::formatName(format)), size.width(),
                              size.height(), qPrintable(text.join(QLatin1Char(' '))))
                    << source << parameters;
            }
        }
    }
}

// One parameter set per index 0..count-1, naming an entry of a list of keys.
QList<QList<int>> indexSets(int count)
{
    QList<QList<int>> sets;
    for (int index = 0; index < count; ++index)
        sets << QList<int>{index};
    return sets;
}

// Pixel (x, y) records x and y, so a cut or a turn shows where it came from.
QImage coordinateImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x & 0xff, y & 0xff, ((x >> 8) << 4) | (y >> 8)));
    return image;
}

bool sharesPixels(const QImage &a, const QImage &b)
{
    return a.constBits() == b.constBits();
}

const QStringList ratioNames = {"1:1", "4:3", "16:9", "3:2", "original", "4:3 ", "16:9x", "", "1:2"};
const QStringList sizeNames = {"640x480", "1200x1200", "custom", "640X480", " 640x480", "640x4800"};

} // namespace

class GeometryTest : public QObject
{
    Q_OBJECT

private:
    void verifyMatchesReference(const ParameterisedOperation &production, const ParameterisedOperation &literal);

private slots:
    void resizeMatchesReference_data();
    void resizeMatchesReference();
    void cropMatchesReference_data();
    void cropMatchesReference();
    void aspectRatioMatchesReference_data();
    void aspectRatioMatchesReference();
    void standardSizeMatchesReference_data();
    void standardSizeMatchesReference();
    void rotateMatchesReference_data();
    void rotateMatchesReference();
    void flipMatchesReference_data();
    void flipMatchesReference();
    void uprightTurnMatchesQt_data();
    void uprightTurnMatchesQt();

    void lanczosMatchesReference_data();
    void lanczosMatchesReference();
    void lanczosKeepsPatternsOfReference_data();
    void lanczosKeepsPatternsOfReference();
    void everyFilterGivesTheSize_data();
    void everyFilterGivesTheSize();
    void sizeModesFollowThePicture_data();
    void sizeModesFollowThePicture();

    void resizeFitsBox_data();
    void resizeFitsBox();
    void cropCutsCentredRegion_data();
    void cropCutsCentredRegion();
    void cropWithinLimitsReturnsSource_data();
    void cropWithinLimitsReturnsSource();
    void cropBelowOneGivesNullImage_data();
    void cropBelowOneGivesNullImage();
    void aspectRatioCutsCentredRegion_data();
    void aspectRatioCutsCentredRegion();
    void aspectRatioOfMatchingOrUnknownKeepsWholeImage_data();
    void aspectRatioOfMatchingOrUnknownKeepsWholeImage();
    void emptyRegionGivesNullImage_data();
    void emptyRegionGivesNullImage();
    void standardSizeStretchesToKey_data();
    void standardSizeStretchesToKey();
    void standardSizeOfUnknownKeyReturnsSource_data();
    void standardSizeOfUnknownKeyReturnsSource();
    void rotateTurnsPicture_data();
    void rotateTurnsPicture();
    void rotateByOddAngleLeavesTransparentCorners();
    void flipMirrors_data();
    void flipMirrors();
    void geometryOfNullImageIsNull_data();
    void geometryOfNullImageIsNull();
};

void GeometryTest::verifyMatchesReference(const ParameterisedOperation &production,
                                          const ParameterisedOperation &literal)
{
    QFETCH(QImage, source);
    QFETCH(QList<int>, parameters);
    const QImage untouched = source.copy();
    const QString diff = differential::firstDifference(production(source, parameters), literal(source, parameters));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
    QCOMPARE(source, untouched);
}

void GeometryTest::resizeMatchesReference_data()
{
    addDifferentialRows({{1, 1, 1}, {7, 3, 1}, {7, 3, 0}, {40, 9, 1}, {40, 9, 0}, {0, 5, 1}, {5, 0, 1},
                         {0, 1, 1}, {-2, 3, 1}, {0, 5, 0}, {-3, 5, 0}});
}

void GeometryTest::resizeMatchesReference()
{
    verifyMatchesReference([](const QImage &image, const QList<int> &values) { return resizeImage(image, values[0], values[1], values[2]); },
                           [](const QImage &image, const QList<int> &values) { return reference::resizeImage(image, values[0], values[1], values[2]); });
}

void GeometryTest::cropMatchesReference_data()
{
    addDifferentialRows({{1, 1}, {2, 2}, {4, 3}, {8, 8}, {9, 1}, {12, 10}, {22, 21}, {30, 6},
                         {31, 7}, {100, 100}, {0, 0}, {0, 5}, {-1, 3}, {INT_MAX, 2}, {INT_MIN, INT_MIN},
                         {INT_MIN, INT_MAX}, {INT_MAX, INT_MIN}});
}

void GeometryTest::cropMatchesReference()
{
    verifyMatchesReference([](const QImage &image, const QList<int> &values) { return cropImage(image, values[0], values[1]); },
                           [](const QImage &image, const QList<int> &values) { return reference::cropImage(image, values[0], values[1]); });
}

void GeometryTest::aspectRatioMatchesReference_data()
{
    addDifferentialRows(indexSets(ratioNames.size()));
}

void GeometryTest::aspectRatioMatchesReference()
{
    verifyMatchesReference([](const QImage &image, const QList<int> &values) { return applyAspectRatio(image, ratioNames.at(values[0])); },
                           [](const QImage &image, const QList<int> &values) { return reference::applyAspectRatio(image, ratioNames.at(values[0])); });
}

void GeometryTest::standardSizeMatchesReference_data()
{
    // Every result of a matching key is a full-size stretch: small sources keep the run short.
    addDifferentialRows(indexSets(sizeNames.size()), {QSize(1, 1), QSize(2, 3), QSize(9, 1)});
}

void GeometryTest::standardSizeMatchesReference()
{
    verifyMatchesReference([](const QImage &image, const QList<int> &values) { return applyStandardSize(image, sizeNames.at(values[0])); },
                           [](const QImage &image, const QList<int> &values) { return reference::applyStandardSize(image, sizeNames.at(values[0])); });
}

void GeometryTest::rotateMatchesReference_data()
{
    addDifferentialRows({{-360}, {-270}, {-180}, {-90}, {-45}, {-1}, {0}, {1}, {45}, {90}, {135},
                         {180}, {270}, {359}, {360}, {720}});
}

void GeometryTest::rotateMatchesReference()
{
    verifyMatchesReference([](const QImage &image, const QList<int> &values) { return rotateImage(image, values[0]); },
                           [](const QImage &image, const QList<int> &values) { return reference::rotateImage(image, values[0]); });
}

void GeometryTest::flipMatchesReference_data()
{
    addDifferentialRows({{0, 0}, {1, 0}, {0, 1}, {1, 1}});
}

void GeometryTest::flipMatchesReference()
{
    verifyMatchesReference([](const QImage &image, const QList<int> &values) { return flipImage(image, values[0], values[1]); },
                           [](const QImage &image, const QList<int> &values) { return reference::flipImage(image, values[0], values[1]); });
}

namespace {

// 8-bit pictures are resampled in fixed point within one level of the
// exact sums; a format that stores its colours unpremultiplied or in fewer
// bits adds its own rounding.
double lanczosTolerance(QImage::Format format)
{
    const QImage probe(1, 1, format);
    const bool premultipliedOrOpaque = !probe.hasAlphaChannel()
            || probe.pixelFormat().premultiplied() == QPixelFormat::Premultiplied;
    if (probe.depth() <= 32 && format != QImage::Format_RGB16 && premultipliedOrOpaque)
        return 1;
    return differential::roundingTolerance(format);
}

void verifyLanczosNearReference(const QImage &source, const QSize &size)
{
    const QImage result = resampleLanczos3(source, size);
    const QImage expected = reference::resampleLanczos3(source, size);
    QCOMPARE(result.size(), size);
    QCOMPARE(result.format(), expected.format());
    const double distance = differential::premultipliedDistance(result, expected);
    QVERIFY2(distance <= lanczosTolerance(result.format()), qPrintable(QString::number(distance)));
}

// A horizontal ramp and a zone plate, whose rings run from no frequency at
// the centre to nearly the highest at the corners.
QImage patternImage(bool zonePlate, QImage::Format format)
{
    QImage image(40, 30, QImage::Format_RGBA64);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const double r2 = (x - 20) * (x - 20) + (y - 15) * (y - 15);
            const double level = zonePlate ? 0.5 + 0.5 * std::cos(M_PI * r2 / 40) : x / 39.0;
            image.setPixelColor(x, y, QColor::fromRgbF(float(level), float(1 - level), float(level / 2)));
        }
    }
    return image.convertToFormat(format);
}

} // namespace

// Shrinking by a half and a third, enlarging twice and to one pixel.
void GeometryTest::lanczosMatchesReference_data()
{
    addDifferentialRows({{1, 2}, {1, 3}, {2, 1}, {0, 1}});
}

void GeometryTest::lanczosMatchesReference()
{
    QFETCH(QImage, source);
    QFETCH(QList<int>, parameters);
    const auto scaled = [&](int length) { return std::max(1, length * parameters[0] / parameters[1]); };
    verifyLanczosNearReference(source, QSize(scaled(source.width()), scaled(source.height())));
}

void GeometryTest::lanczosKeepsPatternsOfReference_data()
{
    QTest::addColumn<QImage>("source");
    QTest::addColumn<QSize>("size");
    for (const bool zonePlate : {false, true}) {
        for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_RGBA64}) {
            for (const QSize &size : {QSize(19, 14), QSize(13, 10), QSize(97, 71)})
                QTest::addRow("%s %s to %dx%d", zonePlate ? "zone plate" : "ramp",
                              qPrintable(differential::formatName(format)), size.width(), size.height())
                    << patternImage(zonePlate, format) << size;
        }
    }
    // Rows wide enough for the vector loops and their tails, shrunk by 4.5
    // and by 27, whose hundreds of taps each weigh too little for fixed point.
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        for (const QSize &size : {QSize(67, 2), QSize(11, 2)})
            QTest::addRow("random %s 301x6 to %dx%d", qPrintable(differential::formatName(format)), size.width(),
                          size.height())
                << differential::randomImage(QSize(301, 6), format, 23) << size;
    }
}

void GeometryTest::lanczosKeepsPatternsOfReference()
{
    QFETCH(QImage, source);
    QFETCH(QSize, size);
    verifyLanczosNearReference(source, size);
}

void GeometryTest::everyFilterGivesTheSize_data()
{
    QTest::addColumn<QString>("filter");
    for (const PresetEntry &entry : presets::resampleFilters)
        QTest::newRow(entry.key) << QString::fromUtf8(entry.key);
}

// Each filter scales down and up to the exact size in the source's format,
// keeps a plain colour and gives the picture back as it is at its own size.
void GeometryTest::everyFilterGivesTheSize()
{
    QFETCH(QString, filter);
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_RGBA64}) {
        QImage source(60, 40, format);
        source.fill(QColor(200, 100, 50, 255));
        for (const QSize &size : {QSize(25, 17), QSize(130, 90)}) {
            const QImage result = resampleImage(source, size, filter);
            QCOMPARE(result.size(), size);
            QCOMPARE(result.format(), format);
            QCOMPARE(result.pixelColor(size.width() / 2, size.height() / 2).rgba(), source.pixelColor(0, 0).rgba());
        }
        QVERIFY(sharesPixels(resampleImage(source, source.size(), filter), source));
    }
}

void GeometryTest::sizeModesFollowThePicture_data()
{
    QTest::addColumn<QSize>("source");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("shrinkOnly");
    QTest::addColumn<QSize>("expected");
    const QSize landscape(4000, 3000);
    const QSize portrait(3000, 4000);
    for (const bool shrinkOnly : {false, true}) {
        const char *shrink = shrinkOnly ? " shrink-only" : "";
        QTest::addRow("landscape long 2048%s", shrink) << landscape << "longEdge" << 2048 << shrinkOnly << QSize(2048, 1536);
        QTest::addRow("portrait long 2048%s", shrink) << portrait << "longEdge" << 2048 << shrinkOnly << QSize(1536, 2048);
        QTest::addRow("landscape short 1000%s", shrink) << landscape << "shortEdge" << 1000 << shrinkOnly << QSize(1333, 1000);
        QTest::addRow("portrait short 1000%s", shrink) << portrait << "shortEdge" << 1000 << shrinkOnly << QSize(1000, 1333);
        QTest::addRow("landscape 25 %%%s", shrink) << landscape << "scale" << 25 << shrinkOnly << QSize(1000, 750);
        QTest::addRow("odd 3 %%%s", shrink) << QSize(333, 17) << "scale" << 3 << shrinkOnly << QSize(10, 1);
        const QSize enlarged = shrinkOnly ? portrait : QSize(4500, 6000);
        QTest::addRow("portrait long 6000%s", shrink) << portrait << "longEdge" << 6000 << shrinkOnly << enlarged;
        QTest::addRow("portrait 150 %%%s", shrink) << portrait << "scale" << 150 << shrinkOnly << enlarged;
        QTest::addRow("landscape short 4500%s", shrink) << landscape << "shortEdge" << 4500 << shrinkOnly
                                                         << (shrinkOnly ? landscape : QSize(6000, 4500));
    }
}

// Crop and the box are read in the box mode only.
void GeometryTest::sizeModesFollowThePicture()
{
    QFETCH(QSize, source);
    QFETCH(QString, mode);
    QFETCH(int, value);
    QFETCH(bool, shrinkOnly);
    QFETCH(QSize, expected);
    JobSettings settings;
    settings.set(option::sizeMode, mode);
    settings.set(option::longEdge, value);
    settings.set(option::shortEdge, value);
    settings.set(option::scalePercent, value);
    settings.set(option::shrinkOnly, shrinkOnly);
    settings.set(option::width, 1);
    settings.set(option::crop, true);
    QVERIFY(steps::size.runs(settings));
    QImage picture(source, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    QCOMPARE(steps::size.apply(picture, settings).size(), expected);
    if (expected != source)
        QCOMPARE(modeTargetSize(settings, source), expected);
}

void GeometryTest::resizeFitsBox_data()
{
    QTest::addColumn<QSize>("source");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<bool>("keepAspectRatio");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("keep 400x300 in 200x200") << QSize(400, 300) << QSize(200, 200) << true << QSize(200, 150);
    QTest::newRow("stretch 400x300 to 200x200") << QSize(400, 300) << QSize(200, 200) << false << QSize(200, 200);
    QTest::newRow("keep 300x400 in 200x200") << QSize(300, 400) << QSize(200, 200) << true << QSize(150, 200);
    QTest::newRow("keep enlarges 40x30 to 400x300") << QSize(40, 30) << QSize(400, 400) << true << QSize(400, 300);
}

void GeometryTest::resizeFitsBox()
{
    QFETCH(QSize, source);
    QFETCH(QSize, box);
    QFETCH(bool, keepAspectRatio);
    QFETCH(QSize, expected);
    const QImage result = resizeImage(coordinateImage(source.width(), source.height()),
                                                       box.width(), box.height(), keepAspectRatio);
    QCOMPARE(result.size(), expected);
}

void GeometryTest::cropCutsCentredRegion_data()
{
    QTest::addColumn<QSize>("source");
    QTest::addColumn<QSize>("limit");
    QTest::addColumn<QRect>("region");
    QTest::newRow("201x100 to 100x100") << QSize(201, 100) << QSize(100, 100) << QRect(50, 0, 100, 100);
    QTest::newRow("101x100 to 100x100") << QSize(101, 100) << QSize(100, 100) << QRect(0, 0, 100, 100);
    QTest::newRow("100x100 to 150x50") << QSize(100, 100) << QSize(150, 50) << QRect(0, 25, 100, 50);
    QTest::newRow("100x101 to 100x98") << QSize(100, 101) << QSize(100, 98) << QRect(0, 1, 100, 98);
    QTest::newRow("100x100 to INT_MAXx40") << QSize(100, 100) << QSize(INT_MAX, 40) << QRect(0, 30, 100, 40);
    QTest::newRow("100x100 to 40xINT_MAX") << QSize(100, 100) << QSize(40, INT_MAX) << QRect(30, 0, 40, 100);
}

void GeometryTest::cropCutsCentredRegion()
{
    QFETCH(QSize, source);
    QFETCH(QSize, limit);
    QFETCH(QRect, region);
    const QImage image = coordinateImage(source.width(), source.height());
    const QImage result = cropImage(image, limit.width(), limit.height());
    QCOMPARE(result.size(), region.size());
    QCOMPARE(result.pixel(0, 0), image.pixel(region.topLeft()));
    QCOMPARE(result, image.copy(region));
}

void GeometryTest::cropWithinLimitsReturnsSource_data()
{
    QTest::addColumn<QSize>("limit");
    QTest::newRow("same size") << QSize(100, 100);
    QTest::newRow("larger") << QSize(500, 500);
}

void GeometryTest::cropWithinLimitsReturnsSource()
{
    QFETCH(QSize, limit);
    const QImage image = coordinateImage(100, 100);
    QVERIFY(sharesPixels(cropImage(image, limit.width(), limit.height()), image));
}

// Limits far below zero must not reach the arithmetic of the cut, where
// they would overflow.
void GeometryTest::cropBelowOneGivesNullImage_data()
{
    QTest::addColumn<QSize>("source");
    QTest::addColumn<QSize>("limit");
    const QList<QSize> sources = {QSize(100, 100), QSize(7, 3), QSize(1, 1)};
    const QList<QSize> limits = {QSize(INT_MIN, INT_MIN), QSize(INT_MIN, 50), QSize(50, INT_MIN),
                                 QSize(INT_MIN, INT_MAX), QSize(INT_MAX, INT_MIN), QSize(INT_MIN + 1, 1),
                                 QSize(-1, INT_MAX), QSize(INT_MAX, 0)};
    for (const QSize &source : sources) {
        for (const QSize &limit : limits)
            QTest::addRow("%dx%d to %dx%d", source.width(), source.height(), limit.width(), limit.height())
                << source << limit;
    }
}

void GeometryTest::cropBelowOneGivesNullImage()
{
    QFETCH(QSize, source);
    QFETCH(QSize, limit);
    const QImage image = coordinateImage(source.width(), source.height());
    QVERIFY(cropImage(image, limit.width(), limit.height()).isNull());
}

void GeometryTest::aspectRatioCutsCentredRegion_data()
{
    QTest::addColumn<QSize>("source");
    QTest::addColumn<QString>("ratioName");
    QTest::addColumn<QRect>("region");
    QTest::newRow("4:3 of 1920x1080") << QSize(1920, 1080) << "4:3" << QRect(240, 0, 1440, 1080);
    QTest::newRow("16:9 of 1080x1920") << QSize(1080, 1920) << "16:9" << QRect(0, 656, 1080, 607);
    QTest::newRow("3:2 of 1000x1000") << QSize(1000, 1000) << "3:2" << QRect(0, 167, 1000, 666);
    QTest::newRow("16:9 of 1366x768") << QSize(1366, 768) << "16:9" << QRect(0, 0, 1365, 768);
    QTest::newRow("1:1 of 300x200") << QSize(300, 200) << "1:1" << QRect(50, 0, 200, 200);
    QTest::newRow("1:1 of 200x301") << QSize(200, 301) << "1:1" << QRect(0, 50, 200, 200);
}

void GeometryTest::aspectRatioCutsCentredRegion()
{
    QFETCH(QSize, source);
    QFETCH(QString, ratioName);
    QFETCH(QRect, region);
    const QImage image = coordinateImage(source.width(), source.height());
    const QImage result = applyAspectRatio(image, ratioName);
    QCOMPARE(result.size(), region.size());
    QCOMPARE(result, image.copy(region));
}

void GeometryTest::aspectRatioOfMatchingOrUnknownKeepsWholeImage_data()
{
    QTest::addColumn<QSize>("source");
    QTest::addColumn<QString>("ratioName");
    QTest::newRow("4:3 of 400x300") << QSize(400, 300) << "4:3";
    QTest::newRow("16:9 of 1280x720") << QSize(1280, 720) << "16:9";
    QTest::newRow("3:2 of 300x200") << QSize(300, 200) << "3:2";
    QTest::newRow("1:1 of 50x50") << QSize(50, 50) << "1:1";
    QTest::newRow("no preset") << QSize(300, 200) << "original";
    QTest::newRow("other case") << QSize(300, 200) << "16:9 ";
    QTest::newRow("empty name") << QSize(300, 200) << "";
}

void GeometryTest::aspectRatioOfMatchingOrUnknownKeepsWholeImage()
{
    QFETCH(QSize, source);
    QFETCH(QString, ratioName);
    const QImage image = coordinateImage(source.width(), source.height());
    QCOMPARE(applyAspectRatio(image, ratioName), image);
}

void GeometryTest::emptyRegionGivesNullImage_data()
{
    QTest::addColumn<GeometryOperation>("operation");
    QTest::newRow("16:9 of 1x100") << GeometryOperation([](const QImage &image) {
        return applyAspectRatio(image.copy(0, 0, 1, 100), "16:9");
    });
    QTest::newRow("crop to 0x0") << GeometryOperation([](const QImage &image) {
        return cropImage(image, 0, 0);
    });
    QTest::newRow("crop to 0x50") << GeometryOperation([](const QImage &image) {
        return cropImage(image, 0, 50);
    });
    QTest::newRow("crop to negative width") << GeometryOperation([](const QImage &image) {
        return cropImage(image, -20, 50);
    });
    QTest::newRow("resize to 0x0") << GeometryOperation([](const QImage &image) {
        return resizeImage(image, 0, 0, true);
    });
}

void GeometryTest::emptyRegionGivesNullImage()
{
    QFETCH(GeometryOperation, operation);
    QVERIFY(operation(coordinateImage(100, 100)).isNull());
}

void GeometryTest::standardSizeStretchesToKey_data()
{
    QTest::addColumn<QString>("sizeName");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("640x480") << "640x480" << QSize(640, 480);
    QTest::newRow("800x600") << "800x600" << QSize(800, 600);
    QTest::newRow("1024x768") << "1024x768" << QSize(1024, 768);
    QTest::newRow("1280x720") << "1280x720" << QSize(1280, 720);
    QTest::newRow("1920x1080") << "1920x1080" << QSize(1920, 1080);
    QTest::newRow("1080x1080") << "1080x1080" << QSize(1080, 1080);
    QTest::newRow("1200x1200") << "1200x1200" << QSize(1200, 1200);
}

void GeometryTest::standardSizeStretchesToKey()
{
    QFETCH(QString, sizeName);
    QFETCH(QSize, expected);
    const QImage image = coordinateImage(1000, 1000);
    const QImage result = applyStandardSize(image, sizeName);
    QCOMPARE(result.size(), expected);
    QCOMPARE(result, image.scaled(expected, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void GeometryTest::standardSizeOfUnknownKeyReturnsSource_data()
{
    QTest::addColumn<QString>("sizeName");
    QTest::newRow("no preset") << "custom";
    QTest::newRow("upper case") << "640X480";
    QTest::newRow("leading blank") << " 640x480";
    QTest::newRow("prefix of a key") << "640x4";
    QTest::newRow("empty") << "";
}

void GeometryTest::standardSizeOfUnknownKeyReturnsSource()
{
    QFETCH(QString, sizeName);
    const QImage image = coordinateImage(30, 20);
    QVERIFY(sharesPixels(applyStandardSize(image, sizeName), image));
}

void GeometryTest::rotateTurnsPicture_data()
{
    QTest::addColumn<int>("degrees");
    QTest::addColumn<QSize>("expected");
    QTest::addColumn<QPoint>("sourceOfTopLeft");
    QTest::newRow("90 clockwise") << 90 << QSize(300, 400) << QPoint(0, 299);
    QTest::newRow("-90 counter-clockwise") << -90 << QSize(300, 400) << QPoint(399, 0);
    QTest::newRow("180") << 180 << QSize(400, 300) << QPoint(399, 299);
    QTest::newRow("270") << 270 << QSize(300, 400) << QPoint(399, 0);
    QTest::newRow("360") << 360 << QSize(400, 300) << QPoint(0, 0);
}

void GeometryTest::rotateTurnsPicture()
{
    QFETCH(int, degrees);
    QFETCH(QSize, expected);
    QFETCH(QPoint, sourceOfTopLeft);
    const QImage image = coordinateImage(400, 300);
    const QImage result = rotateImage(image, degrees);
    QCOMPARE(result.size(), expected);
    QCOMPARE(result.pixel(0, 0), image.pixel(sourceOfTopLeft));
}

void GeometryTest::rotateByOddAngleLeavesTransparentCorners()
{
    const QImage image = coordinateImage(400, 300);
    const QImage result = rotateImage(image, 45);
    QVERIFY(result.width() > 400 && result.height() > 300);
    QVERIFY(result.hasAlphaChannel());
    QCOMPARE(result.format(), QImage::Format_ARGB32_Premultiplied);
    for (const QPoint &corner : {QPoint(0, 0), QPoint(result.width() - 1, 0), QPoint(0, result.height() - 1),
                                 QPoint(result.width() - 1, result.height() - 1)})
        QCOMPARE(result.pixelColor(corner).alpha(), 0);
    QCOMPARE(result.pixelColor(result.width() / 2, result.height() / 2).alpha(), 255);
}

void GeometryTest::flipMirrors_data()
{
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<QPoint>("sourceOfTopLeft");
    QTest::newRow("neither") << false << false << QPoint(0, 0);
    QTest::newRow("horizontal") << true << false << QPoint(39, 0);
    QTest::newRow("vertical") << false << true << QPoint(0, 29);
    QTest::newRow("both") << true << true << QPoint(39, 29);
}

void GeometryTest::flipMirrors()
{
    QFETCH(bool, horizontal);
    QFETCH(bool, vertical);
    QFETCH(QPoint, sourceOfTopLeft);
    const QImage image = coordinateImage(40, 30);
    const QImage result = flipImage(image, horizontal, vertical);
    QCOMPARE(result.size(), image.size());
    QCOMPARE(result.pixel(0, 0), image.pixel(sourceOfTopLeft));
    QCOMPARE(sharesPixels(result, image), !horizontal && !vertical);
}

void GeometryTest::geometryOfNullImageIsNull_data()
{
    QTest::addColumn<GeometryOperation>("operation");
    QTest::newRow("resize") << GeometryOperation([](const QImage &image) { return resizeImage(image, 10, 10, true); });
    QTest::newRow("crop") << GeometryOperation([](const QImage &image) { return cropImage(image, 10, 10); });
    QTest::newRow("aspect ratio") << GeometryOperation([](const QImage &image) { return applyAspectRatio(image, "4:3"); });
    QTest::newRow("square") << GeometryOperation([](const QImage &image) { return applyAspectRatio(image, "1:1"); });
    QTest::newRow("standard size") << GeometryOperation([](const QImage &image) { return applyStandardSize(image, "640x480"); });
    QTest::newRow("rotate") << GeometryOperation([](const QImage &image) { return rotateImage(image, 45); });
    QTest::newRow("flip") << GeometryOperation([](const QImage &image) { return flipImage(image, true, true); });
}

void GeometryTest::geometryOfNullImageIsNull()
{
    QFETCH(GeometryOperation, operation);
    QVERIFY(operation(QImage()).isNull());
}

void GeometryTest::uprightTurnMatchesQt_data()
{
    QTest::addColumn<QImage::Format>("format");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("mirror");
    QTest::addColumn<bool>("flip");
    QTest::addColumn<bool>("quarterTurn");
    // RGB888 goes through Qt; 700x301 is split into row bands; 130x67 crosses tiles.
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32,
                                  QImage::Format_ARGB32_Premultiplied, QImage::Format_Grayscale8,
                                  QImage::Format_RGB888}) {
        for (const QSize size : {QSize(130, 67), QSize(700, 301), QSize(1, 5)}) {
            for (int flags = 0; flags < 8; ++flags) {
                QTest::addRow("%s %dx%d mirror %d flip %d turn %d",
                              qPrintable(differential::formatName(format)), size.width(),
                              size.height(), flags & 1, (flags >> 1) & 1, flags >> 2)
                        << format << size << bool(flags & 1) << bool(flags & 2) << bool(flags & 4);
            }
        }
    }
}

// Every EXIF orientation: the pixels are those of the definition (mirror,
// then flip, then a quarter turn clockwise) and of Qt's own functions.
void GeometryTest::uprightTurnMatchesQt()
{
    QFETCH(QImage::Format, format);
    QFETCH(QSize, size);
    QFETCH(bool, mirror);
    QFETCH(bool, flip);
    QFETCH(bool, quarterTurn);
    const QImage source = differential::randomImage(size, format, 5);
    const QImage turned = uprightTurn(source, mirror, flip, quarterTurn);

    QImage expected = source.mirrored(mirror, flip);
    if (quarterTurn)
        expected = expected.transformed(QTransform().rotate(90));
    QCOMPARE(turned.format(), expected.format());
    QCOMPARE(turned.size(), expected.size());
    QVERIFY(turned == expected);
    for (int y = 0; y < turned.height(); ++y) {
        for (int x = 0; x < turned.width(); ++x) {
            // Turned clockwise, target (x, y) shows the unturned picture's (y, height - 1 - x).
            int u = quarterTurn ? y : x;
            int v = quarterTurn ? size.height() - 1 - x : y;
            u = mirror ? size.width() - 1 - u : u;
            v = flip ? size.height() - 1 - v : v;
            if (turned.pixel(x, y) != source.pixel(u, v))
                QFAIL(qPrintable(QStringLiteral("differs at %1,%2").arg(x).arg(y)));
        }
    }
}

QTEST_MAIN(GeometryTest)
#include "tst_geometry.moc"
