#include "batchrun.h"
#include "differential.h"
#include "composition/border.h"
#include "composition/channel.h"
#include "composition/gridcell.h"
#include "composition/logo.h"
#include "composition/watermark.h"
#include "reference.h"

#include <QColorSpace>
#include <QFont>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QtTest>

#include <climits>

namespace {

struct WatermarkCase
{
    QString text;
    int opacity;
    int fontSize;
    int position;
};

// Every format and size of the harness, plus extra sizes, each as a seeded random image.
template <typename AddRows>
void forEverySource(const QList<QSize> &extraSizes, AddRows addRows)
{
    quint32 seed = 1;
    for (QImage::Format format : differential::formats()) {
        for (const QSize &size : differential::sizes() + extraSizes) {
            const QString name = QStringLiteral("%1 %2x%3").arg(differential::formatName(format))
                                     .arg(size.width()).arg(size.height());
            addRows(name, differential::randomImage(size, format, seed++));
        }
    }
}

// Bounding box of the pixels that differ from the background colour.
QRect paintedBox(const QImage &image, QRgb background)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                box |= QRect(x, y, 1, 1);
    return box;
}

QImage filledImage(const QSize &size, QImage::Format format, const QColor &colour)
{
    QImage image(size, format);
    image.fill(colour);
    return image;
}

QFont watermarkFont(int pointSize)
{
    QFont font;
    font.setPointSize(pointSize);
    font.setWeight(QFont::Bold);
    return font;
}

bool sharesPixels(const QImage &result, const QImage &source)
{
    return result.cacheKey() == source.cacheKey();
}

} // namespace

Q_DECLARE_METATYPE(LogoPlacement)

class CompositionTest : public QObject
{
    Q_OBJECT

private:
    static void compareWithReference(const QImage &actual, const QImage &expected, const QImage &source,
                                     const QImage &untouched);

private slots:
    void extractChannelMatchesReference_data();
    void extractChannelMatchesReference();
    void splitGridMatchesReference_data();
    void splitGridMatchesReference();
    void borderMatchesReference_data();
    void borderMatchesReference();
    void watermarkMatchesReference_data();
    void watermarkMatchesReference();

    void watermarkStaysInsideAtAnchor_data();
    void watermarkStaysInsideAtAnchor();
    void watermarkUnknownPositionIsTopLeft();
    void watermarkCentreUsesTruncatedHalves();
    void watermarkOpacityZeroLeavesEveryPixel();
    void watermarkAtFullOpacityIsOpaqueOnEveryFormat();
    void watermarkLineBreakIsASpace_data();
    void watermarkLineBreakIsASpace();
    void watermarkWithoutTextOrImage();
    void watermarkSizedToPictureMatchesReference_data();
    void watermarkSizedToPictureMatchesReference();
    void watermarkSizedToPictureKeepsItsShare();
    void watermarkFieldsFilledPerInput_data();
    void watermarkFieldsFilledPerInput();

    void logoMatchesReference_data();
    void logoMatchesReference();
    void logoPlacedAtItsCorner_data();
    void logoPlacedAtItsCorner();
    void logoTakesThePictureColourSpace();

    void borderFramesTheSource();
    void borderTransparentPixelsShowTheFrame_data();
    void borderTransparentPixelsShowTheFrame();
    void borderKeepsFormatAndMetadata();
    void borderDegenerateInputs();

    void extractChannelKeepsNamedChannels_data();
    void extractChannelKeepsNamedChannels();
    void extractChannelMakesTranslucentPixelsOpaque();
    void extractChannelUnknownNameLeavesImage_data();
    void extractChannelUnknownNameLeavesImage();
    void extractChannelConvertsPaletteAndMono();

    void splitGridReturnsMiddleCell_data();
    void splitGridReturnsMiddleCell();
    void splitGridEmptyCellIsNull_data();
    void splitGridEmptyCellIsNull();
    void splitGridWithoutCellsReturnsSource();
};

void CompositionTest::compareWithReference(const QImage &actual, const QImage &expected,
                                           const QImage &source, const QImage &untouched)
{
    const QString diff = differential::firstDifference(actual, expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
    QCOMPARE(source, untouched);
}

void CompositionTest::extractChannelMatchesReference_data()
{
    QTest::addColumn<QImage>("source");
    QTest::addColumn<QString>("channel");
    forEverySource({QSize(300, 40)}, [](const QString &name, const QImage &source) {
        for (const char *channel : {"Red", "Green", "Blue", "Cyan", "Magenta", "Yellow", "red", ""})
            QTest::addRow("%s %s", qPrintable(name), channel) << source << QString::fromLatin1(channel);
    });
}

void CompositionTest::extractChannelMatchesReference()
{
    QFETCH(QImage, source);
    QFETCH(QString, channel);
    const QImage untouched = source.copy();
    compareWithReference(extractChannel(source, channel),
                         reference::extractChannel(source, channel), source, untouched);
}

void CompositionTest::splitGridMatchesReference_data()
{
    QTest::addColumn<QImage>("source");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    const QList<QPair<int, int>> grids = {{1, 1}, {1, 3}, {3, 1}, {3, 3}, {2, 2}, {10, 10},
                                          {0, 3}, {3, 0}, {-1, 2}, {2, -1}, {0, 0}};
    forEverySource({}, [&](const QString &name, const QImage &source) {
        for (const auto &grid : grids)
            QTest::addRow("%s %dx%d", qPrintable(name), grid.first, grid.second)
                << source << grid.first << grid.second;
    });
}

void CompositionTest::splitGridMatchesReference()
{
    QFETCH(QImage, source);
    QFETCH(int, rows);
    QFETCH(int, cols);
    const QImage untouched = source.copy();
    compareWithReference(splitGrid(source, rows, cols),
                         reference::splitGrid(source, rows, cols), source, untouched);
}

void CompositionTest::borderMatchesReference_data()
{
    QTest::addColumn<QImage>("source");
    QTest::addColumn<int>("thickness");
    QTest::addColumn<QColor>("colour");
    forEverySource({}, [&](const QString &name, const QImage &source) {
        for (int thickness : {-1, 0, 1, 10, 100})
            for (const QColor &colour : {QColor(10, 200, 30), QColor(200, 50, 100, 128), QColor(0, 0, 0, 0)})
                QTest::addRow("%s %d %s", qPrintable(name), thickness, qPrintable(colour.name(QColor::HexArgb)))
                    << source << thickness << colour;
    });
}

void CompositionTest::borderMatchesReference()
{
    QFETCH(QImage, source);
    QFETCH(int, thickness);
    QFETCH(QColor, colour);
    const QImage untouched = source.copy();
    compareWithReference(addBorder(source, thickness, colour),
                         reference::addBorder(source, thickness, colour), source, untouched);
}

void CompositionTest::watermarkMatchesReference_data()
{
    QTest::addColumn<QImage>("source");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("opacity");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<int>("position");
    const QString longText = QStringLiteral("A watermark far wider than any of these images, ").repeated(4);
    QList<WatermarkCase> cases;
    for (int position : {0, 1, 2, 3, 4, 7}) {
        for (int opacity : {0, 128, 255})
            cases.append({QStringLiteral("Watermark"), opacity, 24, position});
        for (int fontSize : {8, 72})
            cases.append({QStringLiteral("Watermark"), 128, fontSize, position});
        for (const QString &text : {QString(), QStringLiteral("a\nb"), longText})
            cases.append({text, 255, 24, position});
    }
    forEverySource({QSize(160, 70), QSize(420, 160)}, [&](const QString &name, const QImage &source) {
        for (const WatermarkCase &c : cases)
            QTest::addRow("%s %d %d %d %d", qPrintable(name), int(c.text.size()), c.opacity, c.fontSize, c.position)
                << source << c.text << c.opacity << c.fontSize << c.position;
    });
}

void CompositionTest::watermarkMatchesReference()
{
    QFETCH(QImage, source);
    QFETCH(QString, text);
    QFETCH(int, opacity);
    QFETCH(int, fontSize);
    QFETCH(int, position);
    const QImage untouched = source.copy();
    const QColor colour(250, 240, 10);
    compareWithReference(addWatermark(source, text, colour, opacity, fontSize, position),
                         reference::addWatermark(source, text, colour, opacity, fontSize, position),
                         source, untouched);
}

// The text's box (advance width, ascent above and descent below the
// baseline) lies 20 pixels from the edges the position names, or is centred
// on (400, 300); the painted pixels fill that box up to the glyphs' side
// bearings and antialiasing. "Á" reaches up near the ascent, "g" down near the descent.
void CompositionTest::watermarkStaysInsideAtAnchor_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("horizontal");
    QTest::addColumn<QString>("vertical");
    QTest::newRow("0 top left") << 0 << "left" << "top";
    QTest::newRow("1 top right") << 1 << "right" << "top";
    QTest::newRow("2 bottom left") << 2 << "left" << "bottom";
    QTest::newRow("3 bottom right") << 3 << "right" << "bottom";
    QTest::newRow("4 centre") << 4 << "centre" << "centre";
}

void CompositionTest::watermarkStaysInsideAtAnchor()
{
    QFETCH(int, position);
    QFETCH(QString, horizontal);
    QFETCH(QString, vertical);
    const QImage black = filledImage(QSize(800, 600), QImage::Format_RGB32, Qt::black);
    const QString text = QStringLiteral("ÁWatermarg");
    const QImage result = addWatermark(black, text, Qt::white, 255, 24, position);
    const QRect painted = paintedBox(result, qRgb(0, 0, 0));
    const QFontMetrics metrics(watermarkFont(24), &result);
    const int tolerance = 3;
    QVERIFY(!painted.isEmpty());
    QVERIFY2(QRect(18, 18, 800 - 36, 600 - 36).contains(painted), "the text stays inside the margins");
    if (horizontal == "left")
        QVERIFY(qAbs(painted.left() - 20) <= tolerance);
    else if (horizontal == "right")
        QVERIFY(qAbs(painted.right() + 1 - 780) <= tolerance);
    else
        QVERIFY(qAbs(painted.left() + painted.right() + 1 - 800) <= 2 * tolerance);
    QVERIFY(qAbs(painted.width() - metrics.horizontalAdvance(text)) <= tolerance);
    if (vertical == "top")
        QVERIFY(qAbs(painted.top() - 20) <= tolerance);
    else if (vertical == "bottom")
        QVERIFY(qAbs(painted.bottom() + 1 - 580) <= tolerance);
    else
        QVERIFY(qAbs(painted.top() + painted.bottom() + 1 - 600) <= 2 * tolerance);
}

void CompositionTest::watermarkUnknownPositionIsTopLeft()
{
    const QImage black = filledImage(QSize(300, 100), QImage::Format_RGB32, Qt::black);
    const QImage topLeft = addWatermark(black, "Watermark", Qt::white, 200, 24, 0);
    for (int position : {-1, 5, 7, INT_MAX})
        QCOMPARE(addWatermark(black, "Watermark", Qt::white, 200, 24, position), topLeft);
}

// 801 x 601 has the same centre as 800 x 600.
void CompositionTest::watermarkCentreUsesTruncatedHalves()
{
    const QImage even = addWatermark(filledImage(QSize(800, 600), QImage::Format_RGB32, Qt::black),
                                                      "Watermark", Qt::white, 255, 24, 4);
    const QImage odd = addWatermark(filledImage(QSize(801, 601), QImage::Format_RGB32, Qt::black),
                                                     "Watermark", Qt::white, 255, 24, 4);
    QCOMPARE(paintedBox(odd, qRgb(0, 0, 0)), paintedBox(even, qRgb(0, 0, 0)));
}

void CompositionTest::watermarkOpacityZeroLeavesEveryPixel()
{
    for (QImage::Format format : differential::formats()) {
        const QImage source = differential::randomImage(QSize(200, 80), format, 5);
        const QImage result = addWatermark(source, "Watermark", Qt::white, 0, 24, 0);
        const QString diff = differential::firstDifference(result, source);
        QVERIFY2(diff.isEmpty(), qPrintable(differential::formatName(format) + ": " + diff));
    }
}

// Every format, palette and monochrome included, gets the text; at opacity
// 255 the glyphs' inner pixels take the colour exactly.
void CompositionTest::watermarkAtFullOpacityIsOpaqueOnEveryFormat()
{
    for (QImage::Format format : differential::formats()) {
        const QImage source = filledImage(QSize(200, 80), format, Qt::black);
        const QImage result = addWatermark(source, "Watermark", Qt::white, 255, 24, 0);
        QCOMPARE(result.format(), reference::workingImage(source).format());
        QCOMPARE(result.size(), source.size());
        bool foundWhite = false;
        for (int y = 0; y < result.height() && !foundWhite; ++y)
            for (int x = 0; x < result.width() && !foundWhite; ++x)
                foundWhite = result.pixelColor(x, y).rgb() == qRgb(255, 255, 255);
        QVERIFY2(foundWhite, qPrintable(differential::formatName(format)));
    }
}

void CompositionTest::watermarkLineBreakIsASpace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("oneLine");
    QTest::newRow("LF") << "Water\nmark" << "Water mark";
    QTest::newRow("CR") << "Water\rmark" << "Water mark";
    QTest::newRow("CR LF") << "Water\r\nmark" << "Water mark";
    QTest::newRow("two LF") << "Water\n\nmark" << "Water  mark";
    QTest::newRow("line separator") << QString("Water") + QChar(0x2028) + "mark" << "Water mark";
    QTest::newRow("paragraph separator") << QString("Water") + QChar(0x2029) + "mark" << "Water mark";
}

void CompositionTest::watermarkLineBreakIsASpace()
{
    QFETCH(QString, text);
    QFETCH(QString, oneLine);
    const QImage black = filledImage(QSize(400, 300), QImage::Format_RGB32, Qt::black);
    for (int position = 0; position <= 4; ++position)
        QCOMPARE(addWatermark(black, text, Qt::white, 255, 24, position),
                 addWatermark(black, oneLine, Qt::white, 255, 24, position));
}

void CompositionTest::watermarkWithoutTextOrImage()
{
    const QImage source = differential::randomImage(QSize(50, 40), QImage::Format_Indexed8, 8);
    QVERIFY(sharesPixels(addWatermark(source, QString(), Qt::white, 255, 24, 0), source));
    QVERIFY(sharesPixels(addWatermark(source, "Watermark", Qt::white, 0, 24, 0), source));
    QVERIFY(addWatermark(QImage(), "Watermark", Qt::white, 255, 24, 0).isNull());
}

void CompositionTest::borderFramesTheSource()
{
    const QImage source = differential::randomImage(QSize(200, 100), QImage::Format_RGB32, 9);
    const QColor frame(12, 34, 56);
    const QImage result = addBorder(source, 10, frame);
    QCOMPARE(result.size(), QSize(220, 120));
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 220; ++x) {
            const bool inFrame = y < 10 || y >= 110 || x < 10 || x >= 210;
            const QRgb expected = inFrame ? frame.rgb() : source.pixel(x - 10, y - 10);
            QCOMPARE(result.pixel(x, y), expected);
        }
    }
}

void CompositionTest::borderTransparentPixelsShowTheFrame_data()
{
    QTest::addColumn<QImage::Format>("format");
    for (QImage::Format format : {QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied,
                                  QImage::Format_RGBA64, QImage::Format_RGBA8888})
        QTest::newRow(qPrintable(differential::formatName(format))) << format;
}

void CompositionTest::borderTransparentPixelsShowTheFrame()
{
    QFETCH(QImage::Format, format);
    QImage source = filledImage(QSize(6, 4), format, QColor(255, 255, 255, 0));
    source.setPixelColor(2, 1, QColor(0, 0, 255));
    const QColor frame(200, 30, 40);
    const QImage result = addBorder(source, 2, frame);
    for (int y = 0; y < result.height(); ++y)
        for (int x = 0; x < result.width(); ++x)
            QCOMPARE(result.pixelColor(x, y), (x == 4 && y == 3) ? QColor(0, 0, 255) : frame);
}

void CompositionTest::borderKeepsFormatAndMetadata()
{
    for (QImage::Format format : differential::formats()) {
        QImage source = differential::randomImage(QSize(7, 5), format, 3);
        source.setDotsPerMeterX(5000);
        source.setDotsPerMeterY(3000);
        source.setText(QStringLiteral("Comment"), QStringLiteral("kept"));
        source.setColorSpace(QColorSpace::DisplayP3);
        const QImage result = addBorder(source, 4, QColor(255, 0, 0, 100));
        const QString diff = differential::firstDifference(result, reference::addBorder(source, 4, QColor(255, 0, 0, 100)));
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
        QCOMPARE(result.colorSpace(), QColorSpace(QColorSpace::DisplayP3));
        QCOMPARE(result.format(), reference::workingImage(source).format());
        QCOMPARE(result.size(), QSize(15, 13));
        QCOMPARE(result.dotsPerMeterX(), 5000);
        QCOMPARE(result.dotsPerMeterY(), 3000);
        QCOMPARE(result.text(QStringLiteral("Comment")), QStringLiteral("kept"));
    }
}

// No frame below thickness 1; a null source is all frame; a canvas beyond
// what an image can hold is null rather than wrapped round.
void CompositionTest::borderDegenerateInputs()
{
    const QImage source = differential::randomImage(QSize(9, 4), QImage::Format_ARGB32, 4);
    QVERIFY(sharesPixels(addBorder(source, 0, Qt::red), source));
    QVERIFY(sharesPixels(addBorder(source, INT_MIN, Qt::red), source));
    const QImage frameOnly = addBorder(QImage(), 3, QColor(1, 2, 3, 4));
    QCOMPARE(frameOnly.size(), QSize(6, 6));
    QCOMPARE(paintedBox(frameOnly, qRgba(1, 2, 3, 4)), QRect());
    QVERIFY(addBorder(source, INT_MAX, Qt::red).isNull());
    QVERIFY(addBorder(source, INT_MAX / 2 - 10, Qt::red).isNull());
    QVERIFY(addBorder(QImage(), INT_MAX, Qt::red).isNull());
}

void CompositionTest::extractChannelKeepsNamedChannels_data()
{
    QTest::addColumn<QString>("channel");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("Red") << "Red" << QColor(200, 0, 0);
    QTest::newRow("Green") << "Green" << QColor(0, 100, 0);
    QTest::newRow("Blue") << "Blue" << QColor(0, 0, 50);
    QTest::newRow("Cyan") << "Cyan" << QColor(0, 100, 50);
    QTest::newRow("Magenta") << "Magenta" << QColor(200, 0, 50);
    QTest::newRow("Yellow") << "Yellow" << QColor(200, 100, 0);
}

void CompositionTest::extractChannelKeepsNamedChannels()
{
    QFETCH(QString, channel);
    QFETCH(QColor, expected);
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied,
                                  QImage::Format_RGB888, QImage::Format_RGBA64}) {
        const QImage result = extractChannel(filledImage(QSize(3, 2), format, QColor(200, 100, 50)), channel);
        QCOMPARE(result.format(), format);
        QCOMPARE(paintedBox(result, expected.rgba()), QRect());
    }
}

void CompositionTest::extractChannelMakesTranslucentPixelsOpaque()
{
    for (QImage::Format format : {QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied, QImage::Format_RGBA64}) {
        const QImage source = filledImage(QSize(2, 2), format, QColor(200, 100, 50, 128));
        const QColor read = source.pixelColor(0, 0);
        const QImage result = extractChannel(source, "Yellow");
        QCOMPARE(result.pixelColor(1, 1), QColor(read.red(), read.green(), 0, 255));
    }
}

void CompositionTest::extractChannelUnknownNameLeavesImage_data()
{
    QTest::addColumn<QString>("channel");
    QTest::newRow("lower case") << "red";
    QTest::newRow("empty") << "";
    QTest::newRow("padded") << " Red";
    QTest::newRow("displayed text") << "红色";
}

void CompositionTest::extractChannelUnknownNameLeavesImage()
{
    QFETCH(QString, channel);
    for (QImage::Format format : differential::formats()) {
        const QImage source = differential::randomImage(QSize(5, 3), format, 6);
        QVERIFY(sharesPixels(extractChannel(source, channel), source));
    }
}

void CompositionTest::extractChannelConvertsPaletteAndMono()
{
    QImage palette(2, 1, QImage::Format_Indexed8);
    palette.setColorTable({qRgb(200, 100, 50), qRgb(10, 20, 30)});
    palette.setPixel(0, 0, 0);
    palette.setPixel(1, 0, 1);
    const QImage fromPalette = extractChannel(palette, "Magenta");
    QCOMPARE(fromPalette.format(), QImage::Format_RGB32);
    QCOMPARE(fromPalette.pixelColor(0, 0), QColor(200, 0, 50));
    QCOMPARE(fromPalette.pixelColor(1, 0), QColor(10, 0, 30));

    QImage mono(3, 1, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.fill(1);
    const QImage fromMono = extractChannel(mono, "Red");
    QCOMPARE(fromMono.format(), QImage::Format_RGB32);
    QCOMPARE(fromMono.pixelColor(2, 0), QColor(255, 0, 0));
}

void CompositionTest::splitGridReturnsMiddleCell_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<QRect>("cell");
    QTest::newRow("3x3 of 300x300") << QSize(300, 300) << 3 << 3 << QRect(100, 100, 100, 100);
    QTest::newRow("3x3 of 100x100") << QSize(100, 100) << 3 << 3 << QRect(33, 33, 33, 33);
    QTest::newRow("2x2 of 300x200") << QSize(300, 200) << 2 << 2 << QRect(150, 100, 150, 100);
    QTest::newRow("1x1 of 300x200") << QSize(300, 200) << 1 << 1 << QRect(0, 0, 300, 200);
    QTest::newRow("1x3 of 300x100") << QSize(300, 100) << 1 << 3 << QRect(100, 0, 100, 100);
    QTest::newRow("10x10 of 1000x305") << QSize(1000, 305) << 10 << 10 << QRect(500, 150, 100, 30);
}

void CompositionTest::splitGridReturnsMiddleCell()
{
    QFETCH(QSize, size);
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(QRect, cell);
    const QImage source = differential::randomImage(size, QImage::Format_ARGB32, 10);
    const QImage result = splitGrid(source, rows, cols);
    QCOMPARE(result.size(), cell.size());
    QCOMPARE(result, source.copy(cell));
}

void CompositionTest::splitGridEmptyCellIsNull_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::newRow("too narrow") << QSize(5, 100) << 3 << 10;
    QTest::newRow("too low") << QSize(100, 5) << 10 << 3;
    QTest::newRow("both") << QSize(2, 2) << 3 << 3;
}

void CompositionTest::splitGridEmptyCellIsNull()
{
    QFETCH(QSize, size);
    QFETCH(int, rows);
    QFETCH(int, cols);
    QVERIFY(splitGrid(differential::randomImage(size, QImage::Format_RGB32, 11), rows, cols).isNull());
}

// No grid returns the source itself; a palette image keeps its format, as a cut-out needs no conversion.
void CompositionTest::splitGridWithoutCellsReturnsSource()
{
    const QImage source = differential::randomImage(QSize(30, 20), QImage::Format_Indexed8, 2);
    for (const QPair<int, int> &grid : QList<QPair<int, int>>{{0, 3}, {3, 0}, {-1, -1}, {INT_MIN, 1}})
        QVERIFY(sharesPixels(splitGrid(source, grid.first, grid.second), source));
    QCOMPARE(splitGrid(source, 2, 3).format(), QImage::Format_Indexed8);
    QVERIFY(splitGrid(QImage(), 3, 3).isNull());
}


void CompositionTest::watermarkSizedToPictureMatchesReference_data()
{
    QTest::addColumn<QImage>("source");
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("position");
    forEverySource({QSize(160, 70), QSize(420, 160)}, [&](const QString &name, const QImage &source) {
        for (const auto &[percent, position] : {std::pair(1, 0), std::pair(10, 3), std::pair(50, 4)})
            QTest::addRow("%s %d%% %d", qPrintable(name), percent, position) << source << percent << position;
    });
}

void CompositionTest::watermarkSizedToPictureMatchesReference()
{
    QFETCH(QImage, source);
    QFETCH(int, percent);
    QFETCH(int, position);
    const QImage untouched = source.copy();
    const QColor colour(250, 240, 10);
    compareWithReference(addWatermarkSizedToPicture(source, "Watermark", colour, 200, percent, position),
                         reference::addWatermarkSizedToPicture(source, "Watermark", colour, 200, percent, position),
                         source, untouched);
}

// The same percentage covers the same share of a picture four times as
// large, whatever resolution either claims.
void CompositionTest::watermarkSizedToPictureKeepsItsShare()
{
    QImage small = filledImage(QSize(400, 300), QImage::Format_RGB32, Qt::black);
    QImage large = filledImage(QSize(1600, 1200), QImage::Format_RGB32, Qt::black);
    large.setDotsPerMeterX(small.dotsPerMeterX() * 3);
    large.setDotsPerMeterY(small.dotsPerMeterY() * 3);
    const QRect smallBox = paintedBox(addWatermarkSizedToPicture(small, "Wg", Qt::white, 255, 10, 4), qRgb(0, 0, 0));
    const QRect largeBox = paintedBox(addWatermarkSizedToPicture(large, "Wg", Qt::white, 255, 10, 4), qRgb(0, 0, 0));
    QVERIFY2(smallBox.height() > 15, "a tenth of 300 pixels draws a line of glyphs about 30 high");
    QVERIFY2(qAbs(largeBox.height() - 4 * smallBox.height()) <= 8,
             qPrintable(QStringLiteral("%1 against %2").arg(largeBox.height()).arg(smallBox.height())));
    QVERIFY(qAbs(largeBox.width() - 4 * smallBox.width()) <= 8);
}

void CompositionTest::watermarkFieldsFilledPerInput_data()
{
    QTest::addColumn<QStringList>("exif");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("filled");
    const QStringList credits = {"Exif.Image.Artist=Ana Lima ", "Exif.Image.Copyright=(c) 2026 Ana Lima",
                                 "Exif.Photo.DateTimeOriginal=2024:05:17 09:30:00"};
    QTest::newRow("artist") << credits << "© {artist}" << "© Ana Lima";
    QTest::newRow("copyright") << credits << "{copyright}" << "(c) 2026 Ana Lima";
    QTest::newRow("date taken") << credits << "{date}" << "2024-05-17";
    QTest::newRow("name") << credits << "{name}" << "IMG_0042";
    QTest::newRow("all, twice") << credits << "{name} {artist} {date} {name}" << "IMG_0042 Ana Lima 2024-05-17 IMG_0042";
    QTest::newRow("unknown field stays") << credits << "{camera} {Artist}" << "{camera} {Artist}";
    QTest::newRow("value holding a field") << QStringList{"Exif.Image.Artist={name}"} << "{artist}" << "{name}";
    QTest::newRow("no artist") << QStringList{} << "by {artist}" << "by ";
    QTest::newRow("no copyright") << QStringList{} << "{copyright}" << "";
    QTest::newRow("no date") << QStringList{} << "[{date}]" << "[]";
}

void CompositionTest::watermarkFieldsFilledPerInput()
{
    QFETCH(QStringList, exif);
    QFETCH(QString, text);
    QFETCH(QString, filled);
    const QTemporaryDir folder;
    const QString input = batchrun::jpegWithExif(folder.filePath("IMG_0042.tar.jpg"), exif);
    QVERIFY(!input.isEmpty());
    QCOMPARE(watermarkTextFor(text, input), filled);
}

void CompositionTest::logoMatchesReference_data()
{
    QTest::addColumn<QImage>("source");
    QTest::addColumn<QImage>("logo");
    QTest::addColumn<LogoPlacement>("placement");
    const QImage logos[] = {differential::randomImage(QSize(11, 7), QImage::Format_ARGB32, 91),
                            differential::randomImage(QSize(5, 9), QImage::Format_RGBA64, 92)};
    const LogoPlacement placements[] = {{20, 0, 2, 100}, {100, 1, 0, 50}, {35, 2, 10, 100},
                                        {50, 3, 25, 30}, {100, 4, 2, 100}, {20, 7, 2, 0}};
    int row = 0;
    forEverySource({QSize(160, 70), QSize(16000, 3)}, [&](const QString &name, const QImage &source) {
        for (const LogoPlacement &p : placements)
            QTest::addRow("%s %d%% at %d, %d%%, %d%%", qPrintable(name), p.widthPercent, p.position,
                          p.marginPercent, p.opacityPercent)
                << source << logos[row++ % 2] << p;
    });
}

// The kernel blends in float where the reference works in double.
void CompositionTest::logoMatchesReference()
{
    QFETCH(QImage, source);
    QFETCH(QImage, logo);
    QFETCH(LogoPlacement, placement);
    const QImage untouched = source.copy();
    const QImage logoUntouched = logo.copy();
    const QImage result = addLogo(source, logo, placement);
    QCOMPARE(logo, logoUntouched);
    const QImage expected = reference::addLogo(source, logo, placement.widthPercent, placement.position,
                                               placement.marginPercent, placement.opacityPercent);
    QCOMPARE(result.format(), expected.format());
    QCOMPARE(result.size(), expected.size());
    const double distance = differential::premultipliedDistance(result, expected);
    QVERIFY2(distance <= differential::roundingTolerance(source.format()), qPrintable(QString::number(distance)));
    QCOMPARE(source, untouched);
}

// 200 x 100: the logo, twice as wide as high, takes a fifth of the width
// (40 x 20) and keeps 2 pixels (2 % of 100) from the edges it names.
void CompositionTest::logoPlacedAtItsCorner_data()
{
    QTest::addColumn<LogoPlacement>("placement");
    QTest::addColumn<QRect>("painted");
    QTest::newRow("top left") << LogoPlacement{20, 0, 2, 100} << QRect(2, 2, 40, 20);
    QTest::newRow("top right") << LogoPlacement{20, 1, 2, 100} << QRect(158, 2, 40, 20);
    QTest::newRow("bottom left") << LogoPlacement{20, 2, 2, 100} << QRect(2, 78, 40, 20);
    QTest::newRow("bottom right") << LogoPlacement{20, 3, 2, 100} << QRect(158, 78, 40, 20);
    QTest::newRow("centre") << LogoPlacement{20, 4, 2, 100} << QRect(80, 40, 40, 20);
    QTest::newRow("unknown is top left") << LogoPlacement{20, 9, 2, 100} << QRect(2, 2, 40, 20);
    QTest::newRow("whole width, no margin") << LogoPlacement{100, 3, 0, 100} << QRect(0, 0, 200, 100);
    QTest::newRow("too tall for the picture") << LogoPlacement{100, 0, 10, 100} << QRect(10, 10, 190, 90);
    QTest::newRow("invisible") << LogoPlacement{20, 3, 2, 0} << QRect();
}

void CompositionTest::logoPlacedAtItsCorner()
{
    QFETCH(LogoPlacement, placement);
    QFETCH(QRect, painted);
    const QImage logo = filledImage(QSize(10, 5), QImage::Format_ARGB32, QColor(255, 0, 0));
    const QImage picture = filledImage(QSize(200, 100), QImage::Format_RGB32, Qt::black);
    const QImage result = addLogo(picture, logo, placement);
    QCOMPARE(paintedBox(result, qRgb(0, 0, 0)), painted);
    if (!painted.isEmpty())
        QCOMPARE(result.pixel(painted.center()), qRgb(255, 0, 0));
}

// An sRGB red drawn on a Display P3 picture lands as P3's own numbers for that red.
void CompositionTest::logoTakesThePictureColourSpace()
{
    QImage picture = filledImage(QSize(50, 50), QImage::Format_RGB32, Qt::black);
    picture.setColorSpace(QColorSpace::DisplayP3);
    QImage logo = filledImage(QSize(10, 10), QImage::Format_ARGB32, QColor(255, 0, 0));
    logo.setColorSpace(QColorSpace::SRgb);
    const QRgb expected = QColorSpace(QColorSpace::SRgb).transformationToColorSpace(QColorSpace::DisplayP3)
                                  .map(qRgb(255, 0, 0));
    QVERIFY(expected != qRgb(255, 0, 0));
    const QImage result = addLogo(picture, logo, {20, 0, 0, 100});
    QCOMPARE(result.pixel(5, 5), expected);
    QCOMPARE(result.colorSpace(), picture.colorSpace());
}

QTEST_MAIN(CompositionTest)
#include "tst_composition.moc"
