#include "composition/border.h"
#include "formats/imagefile.h"
#include "geometry/standardsize.h"
#include "job/presets.h"
#include "mainwindow.h"
#include "optionform.h"
#include "pipeline/chain.h"
#include "previewwindow.h"
#include "run/preview.h"
#include "photoset.h"
#include "run/options.h"
#include "run/reasons.h"
#include "run/writeoutput.h"
#include "window/windowtestsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>

#include <memory>

// The preview shows what the run would write, and never a render that a
// later change made stale.
class TestPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void exactResultIsTheRunsPicture();
    void staleRenderIsNeverShown();
    void failedFileShowsTheRunsReason();
    void splitDividerFollowsMouseAndKeys();
    void standardSizeAtScreenScale();
    void encodedSizeIsTheWrittenFiles_data();
    void encodedSizeIsTheWrittenFiles();

private:
    PreviewWindow *openPreview(const QString &input);
    JobSettings formSettings() const { return window->findChild<OptionForm *>()->capture({}, QString()); }

    std::unique_ptr<QTemporaryDir> scratch;
    std::unique_ptr<MainWindow> window;
    QString photo;
};

void TestPreview::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    useOwnSettingsFolder();
}

// Larger than the preview's screen copy, so that an approximation comes first.
void TestPreview::init()
{
    clearSettingsStores();
    scratch = std::make_unique<QTemporaryDir>();
    QImage picture(1500, 1100, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    photo = scratch->filePath(QStringLiteral("photo.png"));
    QVERIFY(picture.save(photo));
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestPreview::cleanup()
{
    window.reset();
    scratch.reset();
}

PreviewWindow *TestPreview::openPreview(const QString &input)
{
    window->addInputs({input});
    findIn<QPushButton>(window.get(), "previewButton")->click();
    return window->findChild<PreviewWindow *>();
}

void TestPreview::exactResultIsTheRunsPicture()
{
    findIn<QSpinBox>(window.get(), "widthSpinBox")->setValue(1200);
    findIn<QSlider>(window.get(), "brightnessSlider")->setValue(30);
    findIn<QComboBox>(window.get(), "filterComboBox")->setCurrentIndex(3);
    findIn<QCheckBox>(window.get(), "borderCheckBox")->setChecked(true);
    PreviewWindow *preview = openPreview(photo);
    QVERIFY(preview && preview->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(preview->resultIsExact(), 30000);

    InputOutcome outcome;
    const QImage expected = applyChain(loadImage(photo, outcome), formSettings(), outcome);
    QCOMPARE(preview->result().size(), QSize(1200 + 20, 880 + 20));
    QVERIFY(preview->result() == expected);
    QTRY_VERIFY_WITH_TIMEOUT(preview->statusText().contains(QStringLiteral("KiB")), 30000);
    QVERIFY2(preview->statusText().startsWith(QStringLiteral("输出 1220 × 900 像素")), qPrintable(preview->statusText()));
}

// The first change's exact render, slow, is still going when two quick
// changes come; every picture shown after them is one of the last change's.
void TestPreview::staleRenderIsNeverShown()
{
    PreviewWindow *preview = openPreview(photo);
    QTRY_VERIFY_WITH_TIMEOUT(preview->resultIsExact(), 30000);
    // Exactness read as each picture is shown: by the time a check polls, the
    // exact render of a quick machine may have followed the approximation.
    QList<bool> shownExact;
    auto recordShown = connect(preview, &PreviewWindow::resultShown, this,
                               [&] { shownExact.append(preview->resultIsExact()); });
    findIn<QComboBox>(window.get(), "filterComboBox")->setCurrentIndex(6);
    findIn<QSpinBox>(window.get(), "filterIntensitySpinBox")->setValue(10);
    QTRY_VERIFY_WITH_TIMEOUT(!shownExact.isEmpty(), 30000);
    QVERIFY(!shownExact.first());
    disconnect(recordShown);

    QList<std::pair<QImage, bool>> results;
    connect(preview, &PreviewWindow::resultShown, this,
            [&] { results.append({preview->result(), preview->resultIsExact()}); });
    findIn<QComboBox>(window.get(), "filterComboBox")->setCurrentIndex(0);
    findIn<QSlider>(window.get(), "brightnessSlider")->setValue(40);
    QTRY_VERIFY_WITH_TIMEOUT(!results.isEmpty() && results.last().second, 60000);

    const JobSettings last = formSettings();
    const PreviewSource source = loadPreviewSource(photo, PreviewWindow::screenSide);
    InputOutcome outcome;
    const QImage approximation = renderApproximation(source, last, outcome);
    const QImage exact = renderExact(source, last, outcome);
    for (const auto &[picture, isExact] : results)
        QVERIFY(picture == (isExact ? exact : approximation));
}

void TestPreview::failedFileShowsTheRunsReason()
{
    const QString damaged = scratch->filePath(QStringLiteral("damaged.png"));
    QFile file(damaged);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\x89PNG\r\n\x1a\n not really");
    file.close();
    InputOutcome outcome;
    loadImage(damaged, outcome);
    QVERIFY(outcome.failed());

    PreviewWindow *preview = openPreview(damaged);
    QTRY_COMPARE_WITH_TIMEOUT(preview->statusText(), QStringLiteral("无法处理：") + reasons::localised(outcome.reason), 30000);
}

// Split, the input shows left of the divider and the result right of it;
// the divider goes where the mouse presses and drags it over the picture,
// which the fitted view centres in a wider window, and the arrow keys move
// it by a twentieth of the picture.
void TestPreview::splitDividerFollowsMouseAndKeys()
{
    QImage grey(1500, 1100, QImage::Format_RGB32);
    grey.fill(QColor(128, 128, 128));
    const QString input = scratch->filePath(QStringLiteral("grey.png"));
    QVERIFY(grey.save(input));
    findIn<QSlider>(window.get(), "brightnessSlider")->setValue(-100); // the result is dark
    PreviewWindow *preview = openPreview(input);
    preview->resize(1200, 600);
    QTRY_VERIFY_WITH_TIMEOUT(preview->resultIsExact(), 30000);
    preview->findChild<QComboBox *>()->setCurrentIndex(1);
    auto *canvas = preview->findChild<PreviewCanvas *>();
    QTRY_VERIFY(canvas->width() > canvas->height() * 2);
    const int row = canvas->height() / 2;
    const auto firstDark = [canvas, row] {
        const QImage shot = canvas->grab().toImage();
        for (int x = 0; x < shot.width(); ++x)
            if (qGray(shot.pixel(x, row)) < 64)
                return x;
        return -1;
    };
    const int centre = canvas->width() / 2;
    const auto near = [](int shown, int wanted) { return qAbs(shown - wanted) <= 3; };
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(centre - 150, row));
    QVERIFY2(near(firstDark(), centre - 150), qPrintable(QString::number(firstDark())));
    QTest::mouseMove(canvas, QPoint(centre + 100, row));
    QVERIFY2(near(firstDark(), centre + 100), qPrintable(QString::number(firstDark())));
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(centre + 100, row));
    const int pictureWidth = canvas->height() * 1500 / 1100;
    QTest::keyClick(canvas, Qt::Key_Left);
    QVERIFY2(near(firstDark(), centre + 100 - pictureWidth / 20), qPrintable(QString::number(firstDark())));
}

// A standard size is scaled with the other lengths, not reached by
// enlarging the screen copy.
void TestPreview::standardSizeAtScreenScale()
{
    const PreviewSource source = loadPreviewSource(photo, PreviewWindow::screenSide);
    QVERIFY(source.factor < 1);
    JobSettings settings;
    settings.set(option::standardSize, QString::fromLatin1(presets::size1920x1080.key));
    settings.set(option::border, true);
    InputOutcome outcome;
    const QImage quick = renderApproximation(source, settings, outcome);
    const int border = qRound(settings.value(option::borderThickness) * source.factor);
    QCOMPARE(quick.size(), (QSizeF(1920, 1080) * source.factor).toSize() + QSize(2 * border, 2 * border));
}

void TestPreview::encodedSizeIsTheWrittenFiles_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("strip");
    QTest::newRow("same as input, metadata kept") << "same" << false;
    QTest::newRow("same as input, stripped") << "same" << true;
    QTest::newRow("PNG, metadata kept") << "PNG" << false;
}

// The size the preview gives is that of the file the run writes.
void TestPreview::encodedSizeIsTheWrittenFiles()
{
    QFETCH(QString, format);
    QFETCH(bool, strip);
    const QString input = photoset::writePhotos(scratch->filePath(QStringLiteral("camera")), 2, QSize(300, 200)).last();
    JobSettings settings;
    settings.set(option::format, format);
    settings.set(option::metadata, QString::fromLatin1((strip ? presets::removeMetadata : presets::keepMetadata).key));
    InputOutcome outcome;
    const QImage result = applyChain(loadImage(input, outcome), settings, outcome);
    const QString output = scratch->filePath(QStringLiteral("written"));
    writeOutput(result, input, output, settings, outcome);
    QVERIFY2(!outcome.failed(), qPrintable(outcome.reason));
    QCOMPARE(encodedSize(result, input, settings), QFileInfo(output).size());
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
