#include "job/presets.h"
#include "mainwindow.h"
#include "presetpanel.h"
#include "window/windowtestsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>

#include <memory>

// Presets kept as job files, the options the window reopens with, and one
// job file giving the same outputs in the window and in vellumo-batch.
class TestPresets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstStartShipsPresets();
    void savedPresetAppliesRenamesAndGoes();
    void presetsAndOptionsSurviveARestart();
    void resetReturnsToTheInitialValues();
    void faultyImportIsRefused();
    void windowAndToolWriteTheSameBytes();

private:
    void openWindow();
    PresetPanel *presets() const { return window->findChild<PresetPanel *>(); }
    QSpinBox *spinBox(const char *name) const { return findIn<QSpinBox>(window.get(), name); }

    std::unique_ptr<QTemporaryDir> scratch;
    std::unique_ptr<MainWindow> window;
};

void TestPresets::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    useOwnSettingsFolder();
}

void TestPresets::init()
{
    clearSettingsStores();
    scratch = std::make_unique<QTemporaryDir>();
    openWindow();
}

void TestPresets::cleanup()
{
    window.reset();
    scratch.reset();
}

void TestPresets::openWindow()
{
    window.reset();
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

// The print preset needs a TIFF encoder among the formats; without one its
// file does not read and it is left out.
void TestPresets::firstStartShipsPresets()
{
    const QStringList names = presets()->names();
    for (const char *shipped : {"网页 1920", "社交媒体方图 1080", "缩略图 320"})
        QVERIFY2(names.contains(QString::fromUtf8(shipped)), qPrintable(names.join(", ")));

    QCOMPARE(presets()->apply(QStringLiteral("网页 1920")), QString());
    QCOMPARE(spinBox("widthSpinBox")->value(), 1920);
    QCOMPARE(spinBox("qualitySpinBox")->value(), 82);
    QCOMPARE(findIn<QComboBox>(window.get(), "metadataComboBox")->currentData().toString(),
             QString::fromLatin1(::presets::removeMetadata.key));
}

void TestPresets::savedPresetAppliesRenamesAndGoes()
{
    spinBox("widthSpinBox")->setValue(640);
    findIn<QSlider>(window.get(), "brightnessSlider")->setValue(30);
    QCOMPARE(presets()->saveAs(QStringLiteral("web")), QString());
    QVERIFY(QFileInfo::exists(PresetPanel::folder() + QStringLiteral("/web.json")));

    spinBox("widthSpinBox")->setValue(10);
    findIn<QSlider>(window.get(), "brightnessSlider")->setValue(-5);
    QCOMPARE(presets()->apply(QStringLiteral("web")), QString());
    QCOMPARE(spinBox("widthSpinBox")->value(), 640);
    QCOMPARE(findIn<QSlider>(window.get(), "brightnessSlider")->value(), 30);

    QCOMPARE(presets()->rename(QStringLiteral("web"), QStringLiteral("网页 1920")),
             QStringLiteral("已有名为“网页 1920”的预设"));
    QCOMPARE(presets()->rename(QStringLiteral("web"), QStringLiteral("web 640")), QString());
    QVERIFY(presets()->names().contains(QStringLiteral("web 640")));
    QVERIFY(!presets()->names().contains(QStringLiteral("web")));
    QCOMPARE(findIn<QComboBox>(window.get(), "presetComboBox")->currentText(), QStringLiteral("web 640"));

    QCOMPARE(presets()->remove(QStringLiteral("web 640")), QString());
    QVERIFY(!presets()->names().contains(QStringLiteral("web 640")));
    QVERIFY(!presets()->saveAs(QStringLiteral("../outside")).isEmpty());
    QVERIFY(!presets()->saveAs(QStringLiteral("  ")).isEmpty());
}

void TestPresets::presetsAndOptionsSurviveARestart()
{
    spinBox("widthSpinBox")->setValue(1920);
    QCOMPARE(presets()->saveAs(QStringLiteral("web")), QString());
    spinBox("heightSpinBox")->setValue(333);
    findIn<QComboBox>(window.get(), "filterComboBox")->setCurrentIndex(3);
    openWindow();

    QVERIFY(presets()->names().contains(QStringLiteral("web")));
    QCOMPARE(spinBox("widthSpinBox")->value(), 1920);
    QCOMPARE(spinBox("heightSpinBox")->value(), 333);
    QCOMPARE(findIn<QComboBox>(window.get(), "filterComboBox")->currentIndex(), 3);
}

void TestPresets::resetReturnsToTheInitialValues()
{
    spinBox("widthSpinBox")->setValue(1920);
    {
        MessageBoxAnswerer answerer(QMessageBox::Yes);
        QMetaObject::invokeMethod(window.get(), "resetApplication");
        QTRY_COMPARE(answerer.boxes.size(), 2);
    }
    QCOMPARE(spinBox("widthSpinBox")->value(), 0);
    openWindow();
    QCOMPARE(spinBox("widthSpinBox")->value(), 0);
}

void TestPresets::faultyImportIsRefused()
{
    const QString path = scratch->filePath(QStringLiteral("bad.json"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"vellumo-job": 1, "options": {"quality": 0}})");
    file.close();
    spinBox("qualitySpinBox")->setValue(77);

    QCOMPARE(presets()->importFile(path),
             path + QStringLiteral(": \"quality\" must be a whole number from 1 to 100 (got 0)"));
    QVERIFY(!presets()->names().contains(QStringLiteral("bad")));
    QCOMPARE(spinBox("qualitySpinBox")->value(), 77);
}

// The window runs its options; the tool runs the file exported from them.
void TestPresets::windowAndToolWriteTheSameBytes()
{
    QImage picture(120, 90, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 2, y * 2, (x + y) % 256));
    const QString input = scratch->filePath(QStringLiteral("photo.png"));
    QVERIFY(picture.save(input));
    spinBox("widthSpinBox")->setValue(64);
    findIn<QSlider>(window.get(), "contrastSlider")->setValue(25);
    findIn<QComboBox>(window.get(), "filterComboBox")->setCurrentIndex(3);
    findIn<QCheckBox>(window.get(), "borderCheckBox")->setChecked(true);
    const QString job = scratch->filePath(QStringLiteral("web.json"));
    QCOMPARE(presets()->exportTo(job), QString());

    window.reset(); // which stores its own output directory
    QSettings(QStringLiteral("Orvantis"), QStringLiteral("Vellumo"))
            .setValue(QStringLiteral("outputDirectory"), scratch->filePath(QStringLiteral("window")));
    openWindow();
    QCOMPARE(presets()->importFile(job), QString());
    window->addInputs({input});
    MessageBoxAnswerer answerer(QMessageBox::Ok);
    findIn<QPushButton>(window.get(), "processButton")->click();
    QTRY_COMPARE_WITH_TIMEOUT(answerer.boxes.size(), 1, 60000);

    QProcess tool;
    tool.start(QStringLiteral(VELLUMO_BATCH_PATH),
               {"--job", job, "-o", scratch->filePath(QStringLiteral("tool")), input});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 0);

    QFile fromWindow(scratch->filePath(QStringLiteral("window/photo_processed.jpg")));
    QFile fromTool(scratch->filePath(QStringLiteral("tool/photo_processed.jpg")));
    QVERIFY(fromWindow.open(QIODevice::ReadOnly));
    QVERIFY(fromTool.open(QIODevice::ReadOnly));
    const QByteArray bytes = fromWindow.readAll();
    QCOMPARE(QImage::fromData(bytes).width(), 64 + 2 * 10);
    QVERIFY(bytes == fromTool.readAll());
}

QTEST_MAIN(TestPresets)
#include "tst_presets.moc"
