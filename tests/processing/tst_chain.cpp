#include "composition/border.h"
#include "composition/gridcell.h"
#include "composition/logo.h"
#include "composition/watermark.h"
#include "filters/emboss.h"
#include "filters/filter.h"
#include "geometry/rotation.h"
#include "pipeline/chain.h"
#include "tone/brightness.h"

#include <QGuiApplication>
#include <QTest>

Q_DECLARE_METATYPE(JobSettings)

// The order of the chain and how it ends. The steps used here do not
// commute, so a step moved in the table changes the pixels.
class ChainTest : public QObject
{
    Q_OBJECT

private slots:
    void stepsInOrder();
    void orderShowsInThePixels_data();
    void orderShowsInThePixels();
    void stopsAfterANamedStep();
    void emptyStepFailsNamingIt_data();
    void emptyStepFailsNamingIt();
};

namespace {

QImage colourField(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgba(x * 7 % 256, y * 11 % 256, (x * y) % 256, 255));
    }
    return image;
}

QStringList stepNames()
{
    QStringList names;
    for (const ChainStep *step : chainSteps())
        names << QString::fromLatin1(step->name);
    return names;
}

} // namespace

// The steps of the first version keep their order; a step added later may
// stand anywhere between them.
void ChainTest::stepsInOrder()
{
    const QStringList expected{"standard size", "aspect ratio", "size", "brightness", "contrast",
                               "saturation", "rotation", "flip", "filter", "auto enhance",
                               "channel", "grid cell", "watermark", "border"};
    QStringList names = stepNames();
    names.removeIf([&expected](const QString &name) { return !expected.contains(name); });
    QCOMPARE(names, expected);
}

void ChainTest::orderShowsInThePixels_data()
{
    QTest::addColumn<JobSettings>("settings");
    QTest::addColumn<QImage>("expected");
    const QImage source = colourField(60, 40);
    JobSettings toneThenTurn;
    toneThenTurn.set(option::brightness, 40);
    toneThenTurn.set(option::rotation, 30);
    QTest::newRow("brightness before rotation")
            << toneThenTurn << rotateImage(adjustBrightness(source, 40), 30);

    JobSettings borderAround;
    borderAround.set(option::watermark, true);
    borderAround.set(option::watermarkText, QStringLiteral("W"));
    borderAround.set(option::watermarkPositionIndex, 0);
    borderAround.set(option::border, true);
    borderAround.set(option::borderThickness, 6);
    borderAround.set(option::borderColor, Qt::red);
    QTest::newRow("watermark before border")
            << borderAround
            << addBorder(addWatermark(source, QStringLiteral("W"), Qt::white, 128, 24, 0), 6,
                           Qt::red);

    // A logo stamped over the text watermark, and framed with the picture.
    static const QTemporaryDir logoFolder;
    const QString logoPath = logoFolder.filePath(QStringLiteral("logo.png"));
    const QImage logo = colourField(12, 6).convertToFormat(QImage::Format_ARGB32);
    logo.save(logoPath);
    JobSettings stamped = borderAround;
    stamped.set(option::watermarkPositionIndex, 4);
    stamped.set(option::logo, true);
    stamped.set(option::logoFile, logoPath);
    stamped.set(option::logoWidth, 50);
    stamped.set(option::logoPositionIndex, 4);
    QTest::newRow("watermark, then logo, then border")
            << stamped
            << addBorder(addLogo(addWatermark(source, QStringLiteral("W"), Qt::white, 128, 24, 4), logo,
                                 {50, 4, 2, 100}), 6, Qt::red);

    JobSettings turnThenFilter;
    turnThenFilter.set(option::rotation, 15);
    turnThenFilter.set(option::filter, QStringLiteral("emboss"));
    QTest::newRow("rotation before filter")
            << turnThenFilter << applyEmboss(rotateImage(source, 15));

    JobSettings cellThenFrame;
    cellThenFrame.set(option::gridSplit, true);
    cellThenFrame.set(option::gridRows, 2);
    cellThenFrame.set(option::gridCols, 2);
    cellThenFrame.set(option::border, true);
    cellThenFrame.set(option::borderThickness, 3);
    QTest::newRow("grid cell before border")
            << cellThenFrame << addBorder(splitGrid(source, 2, 2), 3, Qt::white);
}

void ChainTest::orderShowsInThePixels()
{
    QFETCH(JobSettings, settings);
    QFETCH(QImage, expected);
    InputOutcome outcome;
    QCOMPARE(applyChain(colourField(60, 40), settings, outcome), expected);
    QCOMPARE(outcome.reason, QString());
}

void ChainTest::stopsAfterANamedStep()
{
    const QImage source = colourField(60, 40);
    JobSettings settings;
    settings.set(option::brightness, 40);
    settings.set(option::rotation, 30);
    settings.set(option::border, true);
    InputOutcome outcome;
    QCOMPARE(applyChain(source, settings, outcome, QStringLiteral("brightness")), adjustBrightness(source, 40));
    // A step that does not run still ends the chain when named.
    QCOMPARE(applyChain(source, settings, outcome, QStringLiteral("size")), source);
}

void ChainTest::emptyStepFailsNamingIt_data()
{
    QTest::addColumn<JobSettings>("settings");
    QTest::addColumn<QSize>("sourceSize");
    QTest::addColumn<QString>("failure");

    JobSettings grid;
    grid.set(option::gridSplit, true);
    grid.set(option::gridRows, 10);
    grid.set(option::gridCols, 10);
    grid.set(option::border, true); // must not turn the empty cell into a frame
    QTest::newRow("grid larger than the picture")
            << grid << QSize(6, 6) << "grid cell: the picture is smaller than the grid";
    QTest::newRow("empty source") << JobSettings() << QSize() << "";
}

void ChainTest::emptyStepFailsNamingIt()
{
    QFETCH(JobSettings, settings);
    QFETCH(QSize, sourceSize);
    QFETCH(QString, failure);
    const QImage source = sourceSize.isValid() ? colourField(sourceSize.width(), sourceSize.height())
                                               : QImage();
    InputOutcome outcome;
    const QImage result = applyChain(source, settings, outcome);
    QCOMPARE(outcome.reason, failure);
    if (!failure.isEmpty())
        QVERIFY(result.isNull());
}

QTEST_MAIN(ChainTest)
#include "tst_chain.moc"
