#include "batchrun.h"
#include "differential.h"
#include "formats/imagefile.h"
#include "geometry/aspectratio.h"
#include "geometry/size.h"
#include "geometry/standardsize.h"
#include "pipeline/chain.h"
#include "run/memorybudget.h"
#include "run/options.h"
#include "run/preview.h"
#include "run/writeoutput.h"
#include "geometry/resample.h"
#include "job/presets.h"
#include "run/batchworker.h"
#include "tone/brightness.h"
#include "codecs/webpreader.h"

#include <QFont>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <functional>

using SettingsChange = std::function<void(JobSettings &)>;
Q_DECLARE_METATYPE(SettingsChange)
Q_DECLARE_METATYPE(QList<const ChainStep *>)

// A JPEG or WebP picture shrunk by the run is decoded at a half, a quarter
// or an eighth of its size when that still leaves the first scale's
// resampler enough pixels; the output stays within a bound of the full
// decode's.
class ShrinkOnLoadTest : public QObject
{
    Q_OBJECT

private slots:
    void reductionRule_data();
    void reductionRule();
    void reductionFollowsResampler_data();
    void reductionFollowsResampler();
    void closeToFullDecode_data();
    void closeToFullDecode();
    void exactResizeGivesFullDecodeBytes();
    void exactPreviewStartsFromTheRunsPixels();
    void budgetCountsDecodedSize_data();
    void budgetCountsDecodedSize();
    void reducedWebpDecodeStops();
};

namespace {

// Runs before the scale and needs every decoded pixel, as a step placed
// ahead of the size steps would.
const ChainStep wholePictureStep{"whole picture", {}, [](const JobSettings &) { return true; },
                                 [](const QImage &image, const JobSettings &) { return image; }};

QImageIOHandler::Transformations turnOf(bool turned)
{
    return turned ? QImageIOHandler::TransformationRotate90 : QImageIOHandler::TransformationNone;
}

ScaleTarget chainTarget(const JobSettings &settings, const QList<const ChainStep *> &steps = chainSteps())
{
    return [&settings, steps](QSize upright) { return firstScaledSize(settings, upright, steps); };
}

SettingsChange box(int width, int height, bool keepAspectRatio = true)
{
    return [=](JobSettings &s) {
        s.set(option::width, width);
        s.set(option::height, height);
        s.set(option::keepAspectRatio, keepAspectRatio);
    };
}

} // namespace

void ShrinkOnLoadTest::reductionRule_data()
{
    QTest::addColumn<QSize>("stored");
    QTest::addColumn<bool>("turned"); // EXIF orientations 5 to 8
    QTest::addColumn<SettingsChange>("change");
    QTest::addColumn<QList<const ChainStep *>>("steps");
    QTest::addColumn<int>("reduction");

    const QSize photo(4000, 3000);
    const QSize large(8000, 6000);
    const QList<const ChainStep *> chain = chainSteps();
    // Each threshold: the reduced picture exactly 4.5 (a half) or six times
    // the target, then one pixel of target more.
    QTest::newRow("half, at its threshold") << photo << false << box(444, 0) << chain << 2;
    QTest::newRow("half, one pixel short") << photo << false << box(445, 0) << chain << 1;
    QTest::newRow("quarter, at its threshold") << photo << false << box(166, 0) << chain << 4;
    QTest::newRow("quarter, one pixel short") << photo << false << box(167, 0) << chain << 2;
    QTest::newRow("eighth, at its threshold") << photo << false << box(83, 0) << chain << 8;
    QTest::newRow("eighth, one pixel short") << photo << false << box(84, 0) << chain << 4;
    QTest::newRow("eighth, far below") << photo << false << box(16, 16) << chain << 8;
    QTest::newRow("height decides") << photo << false << box(166, 126, false) << chain << 2;
    // A partly filled last block would stretch the reduced picture.
    QTest::newRow("sides of half blocks") << QSize(4004, 3000) << false << box(16, 0) << chain << 4;
    QTest::newRow("sides of no whole blocks") << QSize(4001, 3001) << false << box(16, 0) << chain << 1;
    QTest::newRow("enlarged") << photo << false << box(8000, 0) << chain << 1;
    QTest::newRow("no scale") << photo << false << SettingsChange([](JobSettings &) {}) << chain << 1;
    // An exact size of 166x125 fits the stored sides, not the turned ones.
    QTest::newRow("photo as stored") << photo << false << box(166, 125, false) << chain << 4;
    QTest::newRow("turned photo, sides swapped") << photo << true << box(166, 125, false) << chain << 2;
    QTest::newRow("turned photo, its own sides") << photo << true << box(125, 166, false) << chain << 4;
    QTest::newRow("standard size") << large << false << SettingsChange([](JobSettings &s) {
        s.set(option::standardSize, QStringLiteral("640x480"));
    }) << chain << 2;
    QTest::newRow("standard size first, the crop after it") << large << false << SettingsChange([](JobSettings &s) {
        s.set(option::standardSize, QStringLiteral("640x480"));
        s.set(option::aspectRatio, QStringLiteral("1:1"));
    }) << chain << 2;
    QTest::newRow("shrink-only standard size left alone, then a scale") << QSize(800, 600) << false
            << SettingsChange([](JobSettings &s) {
                   s.set(option::standardSize, QStringLiteral("1024x768"));
                   s.set(option::shrinkOnly, true);
                   box(16, 0)(s);
               }) << chain << 8;
    QTest::newRow("crop") << photo << false << SettingsChange([](JobSettings &s) {
        box(83, 83)(s);
        s.set(option::crop, true);
    }) << chain << 1;
    QTest::newRow("aspect ratio cut before the scale") << photo << false << SettingsChange([](JobSettings &s) {
        box(83, 83)(s);
        s.set(option::aspectRatio, QStringLiteral("1:1"));
    }) << chain << 1;
    QTest::newRow("tone step after the scale") << photo << false << SettingsChange([](JobSettings &s) {
        box(83, 0)(s);
        s.set(option::brightness, 20);
    }) << chain << 8;
    QTest::newRow("step needing the whole picture before the scale")
            << photo << false << box(83, 0) << QList<const ChainStep *>{&wholePictureStep, &steps::size} << 1;
    QTest::newRow("same steps, the scale first")
            << photo << false << box(83, 0) << QList<const ChainStep *>{&steps::size, &wholePictureStep} << 8;
}

void ShrinkOnLoadTest::reductionRule()
{
    QFETCH(QSize, stored);
    QFETCH(bool, turned);
    QFETCH(SettingsChange, change);
    QFETCH(QList<const ChainStep *>, steps);
    QFETCH(int, reduction);
    JobSettings settings;
    change(settings);
    QCOMPARE(decodeReduction(stored, turnOf(turned), chainTarget(settings, steps)), reduction);
}

// Through the run's own target, for each resampler: the largest width of a
// 4000x3000 photo's scale at which each reduction is taken, and one more.
void ShrinkOnLoadTest::reductionFollowsResampler_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("reduction");
    // Widest scale at a half, a quarter and an eighth; none for samplers
    // that do not average.
    const QHash<QString, QList<int>> widest{{QStringLiteral("smooth"), {444, 166, 83}},
                                            {QStringLiteral("lanczos3"), {800, 400, 166}},
                                            {QStringLiteral("bilinear"), {}},
                                            {QStringLiteral("nearest"), {}}};
    for (const PresetEntry &entry : presets::resampleFilters) {
        const QString filter = QString::fromUtf8(entry.key);
        QVERIFY2(widest.contains(filter), entry.key);
        const QList<int> widths = widest.value(filter);
        for (int index = 0; index < widths.size(); ++index) {
            const int reduction = 2 << index;
            QTest::addRow("%s, %d at its threshold", entry.key, reduction) << filter << widths[index] << reduction;
            QTest::addRow("%s, %d one pixel short", entry.key, reduction)
                    << filter << widths[index] + 1 << reduction / 2;
        }
        if (widths.isEmpty())
            QTest::addRow("%s, far below", entry.key) << filter << 16 << 1;
    }
}

void ShrinkOnLoadTest::reductionFollowsResampler()
{
    QFETCH(QString, filter);
    QFETCH(int, width);
    QFETCH(int, reduction);
    JobSettings settings;
    box(width, 0)(settings);
    settings.set(option::resampleFilter, filter);
    const QSize photo(4000, 3000);
    QCOMPARE(decodeReduction(photo, turnOf(false), scaleTargetOf(settings)), reduction);
    settings.set(option::exactResize, true);
    QCOMPARE(decodeReduction(photo, turnOf(false), scaleTargetOf(settings)), 1);
}

namespace {

constexpr int pictureWidth = 1200;
constexpr int pictureHeight = 896;

// Camera noise over a smooth gradient.
QImage noisyPhoto()
{
    QImage image(pictureWidth, pictureHeight, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const auto noisy = [&](int level) { return qBound(0, level + int(random.bounded(81)) - 40, 255); };
            row[x] = qRgb(noisy(x * 200 / pictureWidth + 30), noisy(y * 200 / pictureHeight + 30), noisy(128));
        }
    }
    return image;
}

// A woven texture: crossing waves of 3 to 9 pixels, over a little noise.
QImage finePattern()
{
    QImage image(pictureWidth, pictureHeight, QImage::Format_RGB32);
    QRandomGenerator random(11);
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double period = 3 + (x / 150 + y / 120) % 7;
            const double weave = std::sin(2 * M_PI * x / period) * std::sin(2 * M_PI * (y + x / 3) / (period + 1));
            const int level = int(50 * weave) + int(random.bounded(21)) - 10;
            row[x] = qRgb(qBound(0, 150 + level, 255), qBound(0, 110 + level, 255), qBound(0, 70 - level / 2, 255));
        }
    }
    return image;
}

QImage drawn(const std::function<void(QPainter &)> &draw)
{
    QImage image(pictureWidth, pictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    draw(painter);
    return image;
}

// Saturated shapes with sharp borders at every angle.
QImage hardEdges()
{
    return drawn([](QPainter &painter) {
        painter.setPen(Qt::NoPen);
        for (int shape = 0; shape < 40; ++shape) {
            painter.setBrush(QColor::fromHsv(shape * 37 % 360, 255, 40 + shape * 5));
            painter.save();
            painter.translate(30 + shape * 29, 40 + (shape * 97) % 820);
            painter.rotate(shape * 13);
            painter.drawRect(0, 0, 60 + shape * 3, 25 + shape % 7 * 9);
            painter.restore();
        }
    });
}

// Lines of black text from 6 to 30 pixels high.
QImage text()
{
    return drawn([](QPainter &painter) {
        painter.setPen(Qt::black);
        int y = 10;
        for (int size = 6; y < pictureHeight; size += 2) {
            QFont font;
            font.setPixelSize(size);
            painter.setFont(font);
            painter.drawText(5, y + size, QStringLiteral("Vellumo shrinks 1234567890 photos as they are decoded"));
            y += size + 6;
        }
    });
}

// A file named without a suffix, so that it is read by its content.
QString fileHolding(const QTemporaryDir &directory, const QByteArray &content)
{
    const QString path = directory.filePath(QStringLiteral("photo"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return QString();
    return path;
}

} // namespace

void ShrinkOnLoadTest::closeToFullDecode_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QSize>("scale"); // a height of 0 keeps the proportions

    const QList<QPair<const char *, QImage>> pictures{
            {"noise", noisyPhoto()}, {"fine texture", finePattern()}, {"hard edges", hardEdges()}, {"text", text()}};
    QList<std::tuple<const char *, const char *, QByteArray>> files;
    for (const auto &[pictureName, picture] : pictures) {
        for (const char *format : {"jpg", "webp"})
            files.append({format, pictureName, batchrun::encoded(picture, format, 90)});
    }
    for (const PresetEntry &entry : presets::resampleFilters) {
        JobSettings settings;
        settings.set(option::resampleFilter, QString::fromUtf8(entry.key));
        const ScaleTarget target = scaleTargetOf(settings);
        // Each reduction at its threshold, where the least averaging follows
        // it, and a few pixels below, where the reduced pixels fall across
        // the target's; a stretch; and for a sampler that does not average,
        // a strong shrink.
        QList<QSize> scales{QSize(target ? 90 : 24, target ? 40 : 0)};
        for (const int reduction : {2, 4, 8}) {
            const int widest = target ? int(pictureWidth / reduction / target.reductionBar().multipleAt(reduction)) : 0;
            scales << QSize(widest, 0) << QSize(widest - 3, 0);
        }
        for (const auto &[format, pictureName, file] : files) {
            for (const QSize scale : scales) {
                if (scale.width() > 0)
                    QTest::addRow("%s, %s, %s, %dx%d", format, entry.key, pictureName, scale.width(), scale.height())
                            << file << QString::fromUtf8(entry.key) << scale;
            }
        }
    }
}

// Against the full decode scaled the same way: PSNR of 40 dB at least
// (qInfo gives each row's PSNR and largest channel difference); with a
// resampler that does not average, the very pixels of the full decode.
void ShrinkOnLoadTest::closeToFullDecode()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, filter);
    QFETCH(QSize, scale);
    QTemporaryDir directory;
    const QString path = fileHolding(directory, file);
    JobSettings settings;
    box(scale.width(), scale.height(), scale.height() == 0)(settings);
    settings.set(option::resampleFilter, filter);

    InputOutcome outcome;
    const QImage reduced = applyChain(loadImage(path, outcome, nullptr, scaleTargetOf(settings)), settings, outcome);
    const QImage full = applyChain(loadImage(path, outcome), settings, outcome);
    QVERIFY2(!outcome.failed(), qPrintable(outcome.reason));
    QCOMPARE(reduced.size(), full.size());
    if (decodeReduction(QSize(pictureWidth, pictureHeight), {}, scaleTargetOf(settings)) == 1) {
        QCOMPARE(reduced, full);
        return;
    }
    QVERIFY(reduced != full); // the reduction did happen
    int largestDifference = 0;
    const double ratio = differential::colourPsnr(reduced, full, &largestDifference);
    qInfo("PSNR %.1f dB, largest channel difference %d", ratio, largestDifference);
    QVERIFY2(ratio >= 40, qPrintable(QString::number(ratio)));
}

// --exact-resize writes what a full decode through the same chain gives,
// byte for byte; without it the run decodes reduced.
void ShrinkOnLoadTest::exactResizeGivesFullDecodeBytes()
{
    QTemporaryDir inputs, outputs, expectedOutputs;
    const QString input = batchrun::writeImage(inputs.filePath(QStringLiteral("photo.jpg")), noisyPhoto());
    JobSettings settings = batchrun::settingsFor({input}, outputs.path());
    box(50, 0)(settings);

    InputOutcome outcome;
    const QString expected = expectedOutputs.filePath(QStringLiteral("expected.jpg"));
    writeOutput(applyChain(loadImage(input, outcome), settings, outcome), input, expected, settings, outcome);
    QVERIFY2(!outcome.failed(), qPrintable(outcome.reason));
    const QString written = outputs.filePath(QStringLiteral("photo_processed.jpg"));
    for (const bool exact : {false, true}) {
        settings.set(option::exactResize, exact);
        BatchRecorder recorder;
        batchrun::runHere(settings, recorder);
        QVERIFY(recorder.failedPaths.isEmpty());
        QCOMPARE(batchrun::fileChecksum(written) == batchrun::fileChecksum(expected), exact);
        QVERIFY(QFile::remove(written));
    }
}

// The preview's exact render is the picture the run encodes, reduced decode
// included; with --exact-resize, that of the full decode.
void ShrinkOnLoadTest::exactPreviewStartsFromTheRunsPixels()
{
    QTemporaryDir inputs;
    const QString input = batchrun::writeImage(inputs.filePath(QStringLiteral("photo.jpg")), noisyPhoto());
    JobSettings settings;
    box(50, 0)(settings);
    const PreviewSource source = loadPreviewSource(input, 1024);
    for (const bool exact : {false, true}) {
        settings.set(option::exactResize, exact);
        InputOutcome outcome;
        const QImage run = applyChain(loadImage(input, outcome, nullptr, scaleTargetOf(settings)), settings, outcome);
        QVERIFY(renderExact(source, settings, outcome) == run);
    }
}

namespace {

QByteArray littleEndian(quint32 value, int bytes)
{
    QByteArray field;
    for (int byte = 0; byte < bytes; ++byte)
        field += char(value >> (8 * byte) & 0xff);
    return field;
}

QByteArray riffChunk(const QByteArray &name, const QByteArray &content)
{
    return name + littleEndian(quint32(content.size()), 4) + content + QByteArray(content.size() % 2, '\0');
}

// Two frames of picture, each the coded frame of a still WebP file.
QByteArray animatedWebp(const QImage &picture)
{
    const QByteArray still = batchrun::encoded(picture, "webp", 90);
    const QByteArray frameChunk = still.mid(12); // the "VP8 " chunk
    const quint32 width = quint32(picture.width() - 1), height = quint32(picture.height() - 1);
    const QByteArray frame = riffChunk("ANMF", QByteArray(6, '\0') + littleEndian(width, 3) + littleEndian(height, 3)
                                                       + littleEndian(100, 3) + QByteArray(1, '\0') + frameChunk);
    const QByteArray content = "WEBP" + riffChunk("VP8X", "\x02" + QByteArray(3, '\0') + littleEndian(width, 3)
                                                                 + littleEndian(height, 3))
            + riffChunk("ANIM", QByteArray(6, '\0')) + frame + frame;
    return "RIFF" + littleEndian(quint32(content.size()), 4) + content;
}

} // namespace

void ShrinkOnLoadTest::budgetCountsDecodedSize_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("reduced");
    const QImage picture = batchrun::testImage(1600, 1200);
    QTest::newRow("JPEG") << batchrun::encoded(picture, "jpg") << true;
    QTest::newRow("WebP") << batchrun::encoded(picture, "webp") << true;
    QTest::newRow("animated WebP") << animatedWebp(picture) << false;
    QTest::newRow("PNG") << batchrun::encoded(picture, "png") << false;
}

// The budget counts a picture at the size it is decoded at: a JPEG or a
// still WebP file reduced; a PNG, an animation and any file under
// --exact-resize at their stored size.
void ShrinkOnLoadTest::budgetCountsDecodedSize()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, reduced);
    QTemporaryDir inputs;
    const QString path = fileHolding(inputs, file);
    JobSettings settings;
    box(25, 0)(settings);
    const ScaleTarget target = scaleTargetOf(settings);
    const QSize decoded = reduced ? QSize(200, 150) : QSize(1600, 1200);
    InputOutcome outcome;
    QCOMPARE(loadImage(path, outcome, nullptr, target).size(), decoded);
    const int copies = memorybudget::workingCopies(settings);
    QCOMPARE(memorybudget::inputCost(path, copies, target), qint64(decoded.width()) * decoded.height() * 4 * copies);
    QCOMPARE(memorybudget::inputCost(path, copies), qint64(1600) * 1200 * 4 * copies);
}

// A reduced WebP decode ends when asked to stop.
void ShrinkOnLoadTest::reducedWebpDecodeStops()
{
    const QByteArray file = batchrun::encoded(batchrun::testImage(640, 480), "webp");
    QImage image;
    for (const bool stop : {false, true}) {
        const std::atomic<bool> stopRequested{stop};
        const webpreader::Outcome outcome = webpreader::decodeScaled(file, QSize(320, 240), &image, &stopRequested);
        QCOMPARE(outcome, stop ? webpreader::Outcome::Stopped : webpreader::Outcome::Decoded);
        QCOMPARE(image.size(), stop ? QSize(0, 0) : QSize(320, 240));
    }
}

QTEST_MAIN(ShrinkOnLoadTest)
#include "tst_shrinkonload.moc"
