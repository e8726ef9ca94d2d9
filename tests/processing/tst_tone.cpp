#include "differential.h"
#include "pipeline/chain.h"
#include "tone/autoenhance.h"
#include "tone/brightness.h"
#include "tone/contrast.h"
#include "tone/saturation.h"
#include "reference.h"

#include <QRandomGenerator>
#include <QtTest>

#include <climits>
#include <functional>

using ToneOperation = std::function<QImage(const QImage &)>;
Q_DECLARE_METATYPE(ToneOperation)

namespace {

// Every format and size of the harness, once per parameter value.
void addDifferentialRows(const QList<int> &parameters)
{
    QTest::addColumn<QImage>("source");
    QTest::addColumn<int>("parameter");
    quint32 seed = 1;
    for (QImage::Format format : differential::formats()) {
        for (const QSize &size : differential::sizes()) {
            const QImage source = differential::randomImage(size, format, seed++);
            for (int parameter : parameters)
                QTest::addRow("%s %dx%d %d", qPrintable(differential::formatName(format)),
                              size.width(), size.height(), parameter)
                    << source << parameter;
        }
    }
}

// One opaque pixel of the given colour in RGB32.
QImage pixelImage(const QColor &colour)
{
    QImage image(1, 1, QImage::Format_RGB32);
    image.setPixelColor(0, 0, colour);
    return image;
}

QColor onlyPixel(const QImage &image)
{
    return image.pixelColor(0, 0);
}

// Every colour whose index is a multiple of step, one per pixel, in rows of 4096.
QImage everyColour(int step)
{
    const int count = ((1 << 24) + step - 1) / step;
    const int width = 4096;
    QImage image(width, (count + width - 1) / width, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (int index = 0; index < count; ++index)
        reinterpret_cast<QRgb *>(image.scanLine(index / width))[index % width] =
            0xff000000u | quint32(index) * quint32(step);
    return image;
}

// Each row one alpha 0..255, each column a random colour premultiplied by it.
QImage everyAlphaPremultiplied(int columns)
{
    QImage image(columns, 256, QImage::Format_ARGB32_Premultiplied);
    QRandomGenerator random(99);
    for (int alpha = 0; alpha < 256; ++alpha) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(alpha));
        for (int x = 0; x < columns; ++x)
            line[x] = qPremultiply(qRgba(random.bounded(256), random.bounded(256), random.bounded(256), alpha));
    }
    return image;
}

QList<ToneOperation> allToneOperations(QStringList *names)
{
    *names = {"brightness", "contrast", "saturation", "autoEnhance"};
    return {
        [](const QImage &image) { return adjustBrightness(image, 20); },
        [](const QImage &image) { return adjustContrast(image, 40); },
        [](const QImage &image) { return adjustSaturation(image, 150); },
        [](const QImage &image) { return autoEnhance(image); },
    };
}

void addToneOperationColumn()
{
    QTest::addColumn<ToneOperation>("operation");
    QStringList names;
    const QList<ToneOperation> operations = allToneOperations(&names);
    for (int index = 0; index < operations.size(); ++index)
        QTest::newRow(qPrintable(names.at(index))) << operations.at(index);
}

} // namespace

class ToneTest : public QObject
{
    Q_OBJECT

private:
    void verifyMatchesReference(const std::function<QImage(const QImage &, int)> &production,
                                const std::function<QImage(const QImage &, int)> &literal);

private slots:
    void brightnessMatchesReference_data() { addDifferentialRows({INT_MIN, -256, -255, -100, -99, -1, 0, 1, 10, 99, 100, 255, 256, INT_MAX}); }
    void brightnessMatchesReference();
    void contrastMatchesReference_data() { addDifferentialRows({INT_MIN, -300, -255, -100, -99, -1, 0, 1, 15, 99, 100, 258, 259, 260, INT_MAX}); }
    void contrastMatchesReference();
    void saturationMatchesReference_data() { addDifferentialRows({INT_MIN, -1, 0, 1, 37, 99, 100, 101, 150, 199, 200, 1000, INT_MAX}); }
    void saturationMatchesReference();
    void autoEnhanceMatchesReference_data() { addDifferentialRows({0}); }
    void autoEnhanceMatchesReference();
    void toneStepsOfOneChainMatchReference_data() { addDifferentialRows({-100, -20, 1, 40, 100}); }
    void toneStepsOfOneChainMatchReference();

    void saturationOverManyColours_data();
    void saturationOverManyColours();
    void saturationWrapsHueJustBelowFullCircle();

    void brightnessShiftsChannels_data();
    void brightnessShiftsChannels();
    void contrastMapsChannels_data();
    void contrastMapsChannels();
    void autoEnhanceMapsChannels_data();
    void autoEnhanceMapsChannels();
    void saturationScalesSaturation_data();
    void saturationScalesSaturation();

    void toneResultIsOpaque_data() { addToneOperationColumn(); }
    void toneResultIsOpaque();
    void toneResultKeepsFormatSizeAndMetadata_data() { addToneOperationColumn(); }
    void toneResultKeepsFormatSizeAndMetadata();
    void toneOfNullImageIsNull_data() { addToneOperationColumn(); }
    void toneOfNullImageIsNull();
};

void ToneTest::verifyMatchesReference(const std::function<QImage(const QImage &, int)> &production,
                                      const std::function<QImage(const QImage &, int)> &literal)
{
    QFETCH(QImage, source);
    QFETCH(int, parameter);
    const QImage untouched = source.copy();
    const QImage actual = production(source, parameter);
    const QString diff = differential::firstDifference(actual, literal(reference::workingImage(source), parameter));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
    QCOMPARE(source, untouched);
}

void ToneTest::brightnessMatchesReference()
{
    verifyMatchesReference([](const QImage &image, int delta) { return adjustBrightness(image, delta); },
                           reference::adjustBrightness);
}

void ToneTest::contrastMatchesReference()
{
    verifyMatchesReference([](const QImage &image, int amount) { return adjustContrast(image, amount); },
                           reference::adjustContrast);
}

void ToneTest::saturationMatchesReference()
{
    verifyMatchesReference([](const QImage &image, int percent) { return adjustSaturation(image, percent); },
                           reference::adjustSaturation);
}

void ToneTest::autoEnhanceMatchesReference()
{
    verifyMatchesReference([](const QImage &image, int) { return autoEnhance(image); },
                           [](const QImage &image, int) { return reference::autoEnhance(image); });
}

// Brightness, contrast and auto enhance in one chain take one pass where
// that is exact, and rewrite a picture the chain alone holds in place: the
// pixels are those of the three literal steps one after the other, whether
// the caller still holds the source or hands over a copy.
void ToneTest::toneStepsOfOneChainMatchReference()
{
    QFETCH(QImage, source);
    QFETCH(int, parameter);
    JobSettings settings;
    settings.set(option::brightness, parameter);
    settings.set(option::contrast, (parameter * 7) % 101);
    settings.set(option::autoEnhanceEnabled, parameter % 2 == 0);
    QImage expected = reference::adjustBrightness(reference::workingImage(source), settings.value(option::brightness));
    expected = reference::adjustContrast(expected, settings.value(option::contrast));
    if (settings.value(option::autoEnhanceEnabled))
        expected = reference::autoEnhance(expected);

    const QImage untouched = source.copy();
    InputOutcome outcome;
    QString diff = differential::firstDifference(applyChain(source, settings, outcome), expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
    QCOMPARE(source, untouched);
    diff = differential::firstDifference(applyChain(source.copy(), settings, outcome), expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

// The scan-line path repeats QColor's HSV arithmetic; every colour once at
// one factor, and a wide sample at the others, including the premultiplied
// pixels whose 16-bit unpremultiplied channels feed the conversion.
void ToneTest::saturationOverManyColours_data()
{
    QTest::addColumn<QImage>("source");
    QTest::addColumn<int>("percent");
    const QImage allColours = everyColour(1);
    const QImage sampledColours = everyColour(61);
    const QImage premultiplied = everyAlphaPremultiplied(1024);
    QTest::newRow("every colour 150") << allColours << 150;
    for (int percent : {0, 37, 100, 200})
        QTest::addRow("sampled colours %d", percent) << sampledColours << percent;
    for (int percent : {0, 100, 150})
        QTest::addRow("premultiplied %d", percent) << premultiplied << percent;
}

void ToneTest::saturationOverManyColours()
{
    QFETCH(QImage, source);
    QFETCH(int, percent);
    const QString diff = differential::firstDifference(adjustSaturation(source, percent),
                                                       reference::adjustSaturation(source, percent));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

// getHsv rounds a hue a hair below 360 up to 360; the colour must come back
// as pure red, not as an invalid colour.
void ToneTest::saturationWrapsHueJustBelowFullCircle()
{
    QImage image(1, 1, QImage::Format_RGBA64);
    image.setPixelColor(0, 0, QColor::fromRgba64(65535, 0, 1));
    int hue = 0;
    int saturation = 0;
    int value = 0;
    image.pixelColor(0, 0).getHsv(&hue, &saturation, &value);
    QCOMPARE(hue, 360);
    const QImage result = adjustSaturation(image, 100);
    QCOMPARE(result.pixelColor(0, 0).rgba64(), QColor::fromRgba64(65535, 0, 0).rgba64());
}

void ToneTest::brightnessShiftsChannels_data()
{
    QTest::addColumn<int>("delta");
    QTest::addColumn<QColor>("before");
    QTest::addColumn<QColor>("after");
    QTest::newRow("+10 clamps at 255") << 10 << QColor(250, 128, 0) << QColor(255, 138, 10);
    QTest::newRow("-100 clamps at 0") << -100 << QColor(50, 150, 255) << QColor(0, 50, 155);
    QTest::newRow("INT_MAX saturates") << INT_MAX << QColor(0, 1, 255) << QColor(255, 255, 255);
    QTest::newRow("INT_MIN saturates") << INT_MIN << QColor(0, 254, 255) << QColor(0, 0, 0);
}

void ToneTest::brightnessShiftsChannels()
{
    QFETCH(int, delta);
    QFETCH(QColor, before);
    QFETCH(QColor, after);
    QCOMPARE(onlyPixel(adjustBrightness(pixelImage(before), delta)), after);
}

void ToneTest::contrastMapsChannels_data()
{
    QTest::addColumn<int>("amount");
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<QList<int>>("after");
    QTest::newRow("15") << 15 << QList<int>{0, 100, 127, 128, 129, 200, 255}
                        << QList<int>{0, 96, 126, 128, 129, 208, 255};
    QTest::newRow("100") << 100 << QList<int>{100, 200} << QList<int>{64, 255};
    QTest::newRow("-100") << -100 << QList<int>{0, 128, 255} << QList<int>{71, 128, 183};
    QTest::newRow("0") << 0 << QList<int>{0, 1, 64, 127, 128, 254, 255} << QList<int>{0, 1, 64, 127, 128, 254, 255};
    QTest::newRow("259 thresholds") << 259 << QList<int>{0, 127, 128, 129, 255} << QList<int>{0, 0, 128, 255, 255};
    QTest::newRow("-255 flattens") << -255 << QList<int>{0, 100, 255} << QList<int>{128, 128, 128};
}

void ToneTest::contrastMapsChannels()
{
    QFETCH(int, amount);
    QFETCH(QList<int>, before);
    QFETCH(QList<int>, after);
    for (int index = 0; index < before.size(); ++index) {
        const int value = before.at(index);
        const QColor result = onlyPixel(adjustContrast(pixelImage(QColor(value, value, value)), amount));
        QCOMPARE(result, QColor(after.at(index), after.at(index), after.at(index)));
    }
}

void ToneTest::autoEnhanceMapsChannels_data()
{
    QTest::addColumn<QColor>("before");
    QTest::addColumn<QColor>("after");
    QTest::newRow("gray 100") << QColor(100, 100, 100) << QColor(107, 107, 107);
    QTest::newRow("10, 128, 200") << QColor(10, 128, 200) << QColor(6, 139, 220);
}

void ToneTest::autoEnhanceMapsChannels()
{
    QFETCH(QColor, before);
    QFETCH(QColor, after);
    QCOMPARE(onlyPixel(autoEnhance(pixelImage(before))), after);
}

void ToneTest::saturationScalesSaturation_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<QColor>("before");
    QTest::addColumn<QColor>("after");
    QTest::newRow("0 grays, value kept") << 0 << QColor(200, 50, 120) << QColor(200, 200, 200);
    QTest::newRow("0 grays blue") << 0 << QColor(10, 20, 90) << QColor(90, 90, 90);
    QTest::newRow("200 doubles") << 200 << QColor(200, 150, 150) << QColor(200, 100, 100);
    QTest::newRow("200 caps at 255") << 200 << QColor(200, 50, 50) << QColor(200, 0, 0);
    QTest::newRow("achromatic stays at 200") << 200 << QColor(90, 90, 90) << QColor(90, 90, 90);
    QTest::newRow("achromatic stays at 0") << 0 << QColor(255, 255, 255) << QColor(255, 255, 255);
}

void ToneTest::saturationScalesSaturation()
{
    QFETCH(int, percent);
    QFETCH(QColor, before);
    QFETCH(QColor, after);
    QCOMPARE(onlyPixel(adjustSaturation(pixelImage(before), percent)), after);
}

void ToneTest::toneResultIsOpaque()
{
    QFETCH(ToneOperation, operation);
    for (QImage::Format format : {QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied, QImage::Format_RGBA64}) {
        QImage source(3, 1, format);
        source.setPixelColor(0, 0, QColor(10, 200, 30, 0));
        source.setPixelColor(1, 0, QColor(10, 200, 30, 128));
        source.setPixelColor(2, 0, QColor(10, 200, 30, 1));
        const QImage result = operation(source);
        for (int x = 0; x < result.width(); ++x)
            QCOMPARE(result.pixelColor(x, 0).alpha(), 255);
    }
}

void ToneTest::toneResultKeepsFormatSizeAndMetadata()
{
    QFETCH(ToneOperation, operation);
    for (QImage::Format format : differential::formats()) {
        QImage source = differential::randomImage(QSize(7, 5), format, 3);
        source.setDotsPerMeterX(5000);
        source.setDotsPerMeterY(3000);
        source.setText(QStringLiteral("Comment"), QStringLiteral("kept"));
        const QImage result = operation(source);
        QCOMPARE(result.size(), source.size());
        QCOMPARE(result.format(), reference::workingImage(source).format());
        QCOMPARE(result.dotsPerMeterX(), 5000);
        QCOMPARE(result.dotsPerMeterY(), 3000);
        QCOMPARE(result.text(QStringLiteral("Comment")), QStringLiteral("kept"));
    }
}

void ToneTest::toneOfNullImageIsNull()
{
    QFETCH(ToneOperation, operation);
    QVERIFY(operation(QImage()).isNull());
}

QTEST_MAIN(ToneTest)
#include "tst_tone.moc"
