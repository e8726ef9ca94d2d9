#include "mainwindow.h"
#include "window/menutestsupport.h"
#include "window/windowtestsupport.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <memory>

// The application menu and what its entries reach, above all the reset.
class TestMenuReset : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void menuBuiltOnFirstClick();
    void aboutOpensTheDialog();
    void helpOpensTheGuide();
    void resetAnsweredNo();
    void resetAnsweredYes_data();
    void resetAnsweredYes();
    void resetTwice();
    void resetDuringRun();
    void resetWhileThumbnailsLoad();

private:
    void openWindow();
    void selectImages(const QStringList &names);
    void changeEveryOption();
    void chooseBorderColour(const QColor &colour);
    QPushButton *menuButton() const;

    std::unique_ptr<QTemporaryDir> scratch;
    std::unique_ptr<MainWindow> window;
};

namespace {

const int resetEntry = 4;
const int aboutEntry = 5;
const int helpEntry = 6;
const QString confirmationText = QStringLiteral("确定要将应用程序重置为初始状态吗？所有设置都将被清除。");

QSettings settingsStore()
{
    return QSettings(QStringLiteral("Orvantis"), QStringLiteral("Vellumo"));
}

QSettings languageStore()
{
    return QSettings(QStringLiteral("Vellumo"), QStringLiteral("Vellumo"));
}

void writeImage(const QString &path, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(30, 160, 90));
    QVERIFY(image.save(path));
}

QColor swatchCentre(QWidget *window, const char *button)
{
    return findIn<QPushButton>(window, button)->icon().pixmap(QSize(16, 16)).toImage().pixelColor(8, 8);
}

// The controls the reset puts back, by the kind of value they hold.
const char *const valueControls[] = {"progressBar", "widthSpinBox", "heightSpinBox", "qualitySpinBox",
                                     "filterIntensitySpinBox", "brightnessSlider", "contrastSlider",
                                     "saturationSlider", "rotationSpinBox", "watermarkOpacitySlider",
                                     "watermarkFontSizeSpinBox", "borderThicknessSpinBox", "gridRowsSpinBox",
                                     "gridColsSpinBox"};
const char *const checkBoxes[] = {"aspectRatioCheckBox", "cropCheckBox", "flipHorizontalCheckBox",
                                  "flipVerticalCheckBox", "watermarkCheckBox", "borderCheckBox",
                                  "autoEnhanceCheckBox", "extractChannelCheckBox", "gridSplitCheckBox",
                                  "batchRenameCheckBox"};
const char *const optionLists[] = {"formatComboBox", "filterComboBox", "aspectRatioComboBox", "standardSizeComboBox",
                                   "watermarkPositionComboBox", "channelComboBox"};

// Every value the reset table names, read in one go: a property a control.
QVariantList optionValues(QWidget *window)
{
    QVariantList values;
    for (const char *name : valueControls)
        values.append(findIn<QWidget>(window, name)->property("value"));
    for (const char *name : checkBoxes)
        values.append(findIn<QCheckBox>(window, name)->isChecked());
    for (const char *name : optionLists)
        values.append(findIn<QComboBox>(window, name)->currentIndex());
    values.append(findIn<QTextEdit>(window, "watermarkTextEdit")->toPlainText());
    values.append(findIn<QLineEdit>(window, "batchPrefixLineEdit")->text());
    return values;
}

// The values of a first start, in the order of optionValues.
const QVariantList initialValues = {0,     0,     0,     85,    5,     0,     0,     100,   0,     128,
                                    24,    10,    3,     3,     true,  false, false, false, false, false,
                                    false, false, false, false, 1,     0,     0,     0,     0,     0,
                                    QStringLiteral("Watermark"),  QStringLiteral("image")};

} // namespace

void TestMenuReset::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    useOwnSettingsFolder();
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

void TestMenuReset::init()
{
    clearSettingsStores();
    scratch = std::make_unique<QTemporaryDir>();
    QVERIFY(scratch->isValid());
    openWindow();
}

void TestMenuReset::cleanup()
{
    window.reset();
    scratch.reset();
}

void TestMenuReset::openWindow()
{
    window.reset();
    window = std::make_unique<MainWindow>();
    window->move(10, 20);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

QPushButton *TestMenuReset::menuButton() const
{
    return findIn<QPushButton>(window.get(), "menuButton");
}

void TestMenuReset::selectImages(const QStringList &names)
{
    ModalResponder<QFileDialog> responder(
        [&](QFileDialog *dialog) { chooseInFileDialog(dialog, scratch->path(), names); });
    findIn<QPushButton>(window.get(), "selectImagesButton")->click();
    QCOMPARE(responder.answered(), 1);
}

void TestMenuReset::chooseBorderColour(const QColor &colour)
{
    ModalResponder<QColorDialog> responder([&](QColorDialog *dialog) {
        dialog->setCurrentColor(colour);
        dialog->accept();
    });
    findIn<QPushButton>(window.get(), "borderColorButton")->click();
    QCOMPARE(responder.answered(), 1);
}

// Every control of the reset away from its initial value; the batch boxes
// checked, so that their controls show.
void TestMenuReset::changeEveryOption()
{
    for (const char *name : valueControls)
        findIn<QWidget>(window.get(), name)->setProperty("value", 7);
    for (const char *name : checkBoxes) {
        auto *box = findIn<QCheckBox>(window.get(), name);
        box->setChecked(!box->isChecked());
    }
    for (const char *name : optionLists)
        findIn<QComboBox>(window.get(), name)->setCurrentIndex(2);
    findIn<QTextEdit>(window.get(), "watermarkTextEdit")->setPlainText(QStringLiteral("mine"));
    findIn<QLineEdit>(window.get(), "batchPrefixLineEdit")->setText(QStringLiteral("holiday"));
    const QVariantList changed = optionValues(window.get());
    for (int index = 0; index < changed.size(); ++index)
        QVERIFY2(changed.at(index) != initialValues.at(index), qPrintable(QString::number(index)));
}

// Built once, on the first click, as a child of the window with its own
// look, and opened at the bottom-left corner of the menu button.
void TestMenuReset::menuBuiltOnFirstClick()
{
    QVERIFY(window->findChildren<QMenu *>().isEmpty());
    const OpenedMenu first = chooseMenuEntry(menuButton(), -1);
    QVERIFY(first.menu);
    QCOMPARE(first.menu->parent(), window.get());
    QCOMPARE(first.position, menuButton()->mapToGlobal(QPoint(0, menuButton()->height())));
    QCOMPARE(first.menu->styleSheet(),
             QStringLiteral("QMenu { background-color: white; border: 1px solid #ddd; }"
                            "QMenu::item { padding: 5px 20px 5px 10px; }"
                            "QMenu::item:selected { background-color: #e6f2ff; }QMenu::icon { left: 5px; }"));
    QCOMPARE(first.texts, (QStringList{"简体中文", "繁體中文", "English", QString(), "一键重置", "关于Vellumo", "帮助"}));

    const QList<QAction *> entries = first.menu->actions();
    QVERIFY(entries.at(3)->isSeparator());
    QActionGroup *group = entries.at(0)->actionGroup();
    QVERIFY(group);
    QVERIFY(group->isExclusive());
    QCOMPARE(group->parent(), window.get());
    QCOMPARE(group->actions(), entries.mid(0, 3));
    for (int position = 0; position < entries.size(); ++position) {
        QAction *entry = entries.at(position);
        if (!entry->isSeparator())
            QCOMPARE(entry->parent(), window.get());
        QCOMPARE(entry->isCheckable(), position < 3);
        QCOMPARE(entry->isChecked(), position == 0);
    }

    window->move(60, 110);
    const OpenedMenu second = chooseMenuEntry(menuButton(), -1);
    QCOMPARE(second.menu, first.menu);
    QCOMPARE(second.position, menuButton()->mapToGlobal(QPoint(0, menuButton()->height())));
    QCOMPARE(second.texts, first.texts);
    QCOMPARE(window->findChildren<QMenu *>().size(), 1);
}

void TestMenuReset::aboutOpensTheDialog()
{
    QStringList opened;
    ModalResponder<QDialog> responder([&](QDialog *dialog) {
        opened.append(QString::fromLatin1(dialog->metaObject()->className()));
        QCOMPARE(dialog->parentWidget(), window.get());
        dialog->reject();
    });
    chooseMenuEntry(menuButton(), aboutEntry);
    QCOMPARE(opened, QStringList{QStringLiteral("AboutDialog")});
    QVERIFY(window->findChildren<QDialog *>().isEmpty());
}

// The menu's help entry and F1 open the same guide over the window.
void TestMenuReset::helpOpensTheGuide()
{
    MessageBoxAnswerer answerer(QMessageBox::Ok);
    chooseMenuEntry(menuButton(), helpEntry);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F1);
    QCOMPARE(answerer.boxes.size(), 2);
    for (const AnsweredBox &box : std::as_const(answerer.boxes)) {
        QCOMPARE(box.title, QStringLiteral("帮助"));
        QVERIFY2(box.text.contains(QStringLiteral("添加文件夹")), qPrintable(box.text));
        QVERIFY(box.hasParent);
    }
}

// No leaves the stores, the selection, the directory and every option.
void TestMenuReset::resetAnsweredNo()
{
    writeImage(scratch->filePath(QStringLiteral("photo.png")), QSize(20, 10));
    window.reset();
    settingsStore().setValue(QStringLiteral("outputDirectory"), scratch->path());
    openWindow();
    chooseMenuEntry(menuButton(), 2);
    selectImages({QStringLiteral("photo.png")});
    changeEveryOption();
    const QVariantList changed = optionValues(window.get());

    MessageBoxAnswerer answerer(QMessageBox::No);
    chooseMenuEntry(menuButton(), resetEntry);
    QCOMPARE(answerer.boxes.size(), 1);
    QCOMPARE(answerer.boxes[0].title, QStringLiteral("Confirm Reset"));
    QCOMPARE(answerer.boxes[0].icon, QMessageBox::Question);
    QCOMPARE(optionValues(window.get()), changed);
    QCOMPARE(findIn<QListWidget>(window.get(), "imagesList")->count(), 1);
    QCOMPARE(findIn<QLabel>(window.get(), "outputPathLabel")->text(), scratch->path());
    QCOMPARE(settingsStore().value(QStringLiteral("outputDirectory")).toString(), scratch->path());
    QCOMPARE(languageStore().value(QStringLiteral("language")).toString(), QStringLiteral("en_US"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Batch Image Processing Tool"));
}

void TestMenuReset::resetAnsweredYes_data()
{
    QTest::addColumn<int>("languageEntry");
    QTest::addColumn<QString>("questionTitle");
    QTest::addColumn<QString>("questionText");
    QTest::newRow("from Simplified Chinese") << 0 << "确认重置" << confirmationText;
    QTest::newRow("from Traditional Chinese") << 1 << "確認重置"
                                              << "確定要將應用程式重置為初始狀態嗎？所有設定都將被清除。";
    QTest::newRow("from English")
        << 2 << "Confirm Reset"
        << "Are you sure you want to reset the application to its initial state? All settings will be cleared.";
}

// A first start again: stores empty, nothing selected, every option at its
// initial value, Simplified Chinese with the check mark on it. The colours
// and the page shown stay; the question spoke the language of the time.
void TestMenuReset::resetAnsweredYes()
{
    QFETCH(int, languageEntry);
    QFETCH(QString, questionTitle);
    QFETCH(QString, questionText);
    writeImage(scratch->filePath(QStringLiteral("photo.png")), QSize(20, 10));
    window.reset();
    settingsStore().setValue(QStringLiteral("outputDirectory"), scratch->path());
    openWindow();
    chooseMenuEntry(menuButton(), languageEntry);
    selectImages({QStringLiteral("photo.png")});
    findIn<QToolButton>(window.get(), "advancedSettingsButton")->click();
    const QColor chosen(12, 140, 230);
    chooseBorderColour(chosen);
    changeEveryOption();

    MessageBoxAnswerer answerer(QMessageBox::Yes);
    const OpenedMenu opened = chooseMenuEntry(menuButton(), resetEntry);
    QCOMPARE(answerer.boxes.size(), 2);
    QCOMPARE(answerer.boxes[0].title, questionTitle);
    QCOMPARE(answerer.boxes[0].text, questionText);
    QVERIFY(answerer.boxes[0].hasParent);
    QCOMPARE(answerer.boxes[1].title, QStringLiteral("重置完成"));
    QCOMPARE(answerer.boxes[1].text, QStringLiteral("应用程序已重置为初始状态。"));
    QCOMPARE(answerer.boxes[1].icon, QMessageBox::Information);
    QVERIFY(answerer.boxes[1].hasParent);

    QCOMPARE(settingsStore().allKeys(), QStringList());
    const QStringList languageKeys = languageEntry == 0 ? QStringList() : QStringList{QStringLiteral("language")};
    QCOMPARE(languageStore().allKeys(), languageKeys);
    QCOMPARE(optionValues(window.get()), initialValues);
    for (const char *control : {"gridRowsSpinBox", "gridColsSpinBox", "gridRowsLabel", "gridColsLabel",
                                "batchPrefixLineEdit", "batchPrefixLabel", "channelComboBox"})
        QVERIFY2(findIn<QWidget>(window.get(), control)->isHidden(), control);
    QCOMPARE(findIn<QListWidget>(window.get(), "imagesList")->count(), 0);
    QCOMPARE(findIn<QLabel>(window.get(), "outputPathLabel")->text(), QString());
    QCOMPARE(window->windowTitle(), QStringLiteral("批量图片处理工具"));
    for (int position = 0; position < 3; ++position)
        QCOMPARE(opened.menu->actions().at(position)->isChecked(), position == 0);
    QCOMPARE(swatchCentre(window.get(), "borderColorButton"), chosen);
    QCOMPARE(swatchCentre(window.get(), "watermarkColorButton"), QColor(Qt::white));
    QCOMPARE(findIn<QStackedWidget>(window.get(), "stackedWidget")->currentIndex(), 1);

    window.reset();
    QCOMPARE(settingsStore().value(QStringLiteral("outputDirectory")), QVariant(QString()));
    openWindow();
    QCOMPARE(findIn<QLabel>(window.get(), "outputPathLabel")->text(), QString());
}

void TestMenuReset::resetTwice()
{
    chooseMenuEntry(menuButton(), 2);
    MessageBoxAnswerer answerer(QMessageBox::Yes);
    chooseMenuEntry(menuButton(), resetEntry);
    changeEveryOption();
    chooseMenuEntry(menuButton(), resetEntry);
    QCOMPARE(answerer.boxes.size(), 4);
    QCOMPARE(answerer.boxes[2].title, QStringLiteral("确认重置"));
    QCOMPARE(answerer.boxes[2].text, confirmationText);
    QCOMPARE(answerer.boxes[3].text, QStringLiteral("应用程序已重置为初始状态。"));
    QCOMPARE(optionValues(window.get()), initialValues);
    QCOMPARE(languageStore().allKeys(), QStringList());
    QCOMPARE(settingsStore().allKeys(), QStringList());
}

// The run keeps its own copy of the paths and options: it writes every
// file and reports them all, while the window has forgotten them.
void TestMenuReset::resetDuringRun()
{
    const int count = 150;
    const QString original = scratch->filePath(QStringLiteral("original.png"));
    // Large enough that the run still goes on when the reset is chosen.
    writeImage(original, QSize(1600, 1200));
    QStringList names;
    for (int index = 0; index < count; ++index) {
        names.append(QStringLiteral("photo%1.png").arg(index, 3, 10, QLatin1Char('0')));
        QVERIFY(QFile::copy(original, scratch->filePath(names.last())));
    }
    const QString output = scratch->filePath(QStringLiteral("out"));
    window.reset();
    settingsStore().setValue(QStringLiteral("outputDirectory"), output);
    openWindow();
    selectImages(names);
    findIn<QComboBox>(window.get(), "filterComboBox")->setCurrentIndex(6);
    findIn<QCheckBox>(window.get(), "batchRenameCheckBox")->setChecked(true);

    MessageBoxAnswerer answerer(QMessageBox::Yes);
    QSignalSpy progress(findIn<QProgressBar>(window.get(), "progressBar"), &QProgressBar::valueChanged);
    findIn<QPushButton>(window.get(), "processButton")->click();
    QVERIFY(progress.wait(30000));
    QCOMPARE(findIn<QPushButton>(window.get(), "processButton")->text(), QStringLiteral("停止处理"));
    chooseMenuEntry(menuButton(), resetEntry);
    QTRY_COMPARE_WITH_TIMEOUT(answerer.boxes.size(), 3, 300000);
    const QStringList titles = {answerer.boxes[0].title, answerer.boxes[1].title, answerer.boxes[2].title};
    const int completion = titles.indexOf(QStringLiteral("完成"));
    QVERIFY2(completion > 0, qPrintable(titles.join(QLatin1Char(' '))));
    QCOMPARE(answerer.boxes[completion].text, QStringLiteral("图片处理完成！共处理了 %1 张图片。").arg(count));
    QCOMPARE(QDir(output).entryList(QDir::Files).size(), count);
    QVERIFY(QFileInfo::exists(QDir(output).filePath(QStringLiteral("image_0150.jpg"))));
    QVERIFY(findIn<QPushButton>(window.get(), "processButton")->isEnabled());
    QCOMPARE(findIn<QListWidget>(window.get(), "imagesList")->count(), 0);
}

// Thumbnails still being made for the forgotten selection never reach the
// emptied list; the next selection gets its own.
void TestMenuReset::resetWhileThumbnailsLoad()
{
    const QString original = scratch->filePath(QStringLiteral("original.png"));
    writeImage(original, QSize(1600, 1200));
    QStringList names;
    for (int index = 0; index < 80; ++index) {
        names.append(QStringLiteral("photo%1.png").arg(index, 2, 10, QLatin1Char('0')));
        QVERIFY(QFile::copy(original, scratch->filePath(names.last())));
    }
    selectImages(names);
    MessageBoxAnswerer answerer(QMessageBox::Yes);
    chooseMenuEntry(menuButton(), resetEntry);
    auto *list = findIn<QListWidget>(window.get(), "imagesList");
    QCOMPARE(list->count(), 0);

    selectImages({names.last()});
    QTRY_VERIFY_WITH_TIMEOUT(!list->item(0)->icon().isNull(), 30000);
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), names.last());
}

QTEST_MAIN(TestMenuReset)
#include "tst_menu_reset.moc"
