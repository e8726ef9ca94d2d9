#include "completiondialog.h"
#include "mainwindow.h"
#include "stylesheet.h"
#include "window/menutestsupport.h"
#include "window/windowtestsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QStyleOptionComboBox>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolButton>

#include <memory>

// Run-time language switching: what each language shows, what it leaves
// alone, what is remembered, and what a run receives whatever is shown.
class TestLanguages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void optionLists_data();
    void optionLists();
    void formAndMenuTexts_data();
    void formAndMenuTexts();
    void switchRestoresInitialOptions_data();
    void switchRestoresInitialOptions();
    void sameLanguageChangesNothing();
    void switchIsRemembered();
    void storedLanguageAtStart_data();
    void storedLanguageAtStart();
    void qtCatalogue_data();
    void qtCatalogue();
    void completionReportFits_data();
    void completionReportFits();
    void missingCataloguesFallBack();
    void runGetsKeysInEveryLanguage_data();
    void runGetsKeysInEveryLanguage();
    void screenshots_data();
    void screenshots();

private:
    void openWindow();
    void switchTo(const QString &language);
    QPushButton *menuButton() const;

    std::unique_ptr<MainWindow> window;
};

namespace {

const QStringList languages = {QStringLiteral("zh_CN"), QStringLiteral("zh_TW"), QStringLiteral("en_US")};

QStringList itemTexts(const QComboBox *list)
{
    QStringList texts;
    for (int index = 0; index < list->count(); ++index)
        texts.append(list->itemText(index));
    return texts;
}

QStringList itemKeys(const QComboBox *list)
{
    QStringList keys;
    for (int index = 0; index < list->count(); ++index)
        keys.append(list->itemData(index, Qt::UserRole).toString());
    return keys;
}

QString storedLanguage()
{
    return QSettings(QStringLiteral("Vellumo"), QStringLiteral("Vellumo")).value(QStringLiteral("language")).toString();
}

void selectText(QComboBox *list, const QString &text)
{
    const int index = list->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    list->setCurrentIndex(index);
}

// A label, box or button at least as wide as its text needs, a list whose
// current entry shows whole, a text field that does not wrap its text.
bool textFits(QWidget *control)
{
    if (auto *list = qobject_cast<QComboBox *>(control)) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.currentText = list->currentText();
        const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
        return field.width() >= list->fontMetrics().horizontalAdvance(list->currentText());
    }
    // The watermark box holds free text in two visible lines; the text may
    // wrap there, as long as all of it shows.
    if (auto *edit = qobject_cast<QTextEdit *>(control))
        return edit->document()->firstBlock().layout()->lineCount() <= 2;
    if (qobject_cast<QLabel *>(control) || qobject_cast<QAbstractButton *>(control))
        return control->width() >= control->minimumSizeHint().width();
    return true;
}

} // namespace

void TestLanguages::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    useOwnSettingsFolder();
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

void TestLanguages::init()
{
    clearSettingsStores();
    openWindow();
}

void TestLanguages::cleanup()
{
    window.reset();
}

void TestLanguages::openWindow()
{
    window.reset();
    window = std::make_unique<MainWindow>();
    window->move(100, 60);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

QPushButton *TestLanguages::menuButton() const
{
    return findIn<QPushButton>(window.get(), "menuButton");
}

// Through the menu, as a user switches.
void TestLanguages::switchTo(const QString &language)
{
    const OpenedMenu opened = chooseMenuEntry(menuButton(), languages.indexOf(language));
    QVERIFY(opened.menu);
}

void TestLanguages::optionLists_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QStringList>("texts");
    const QStringList sizeTexts = {"640x480 (VGA)", "800x600 (SVGA)", "1024x768 (XGA)", "1280x720 (HD)",
                                   "1920x1080 (Full HD)", "1080x1080 (Instagram)", "1200x1200"};
    const QStringList ratios = {"4:3", "16:9", "3:2"};

    QTest::newRow("zh_CN aspect") << "zh_CN" << "aspectRatioComboBox"
                                  << QStringList{"原始比例", "1:1 (正方形)"} + ratios;
    QTest::newRow("zh_CN size") << "zh_CN" << "standardSizeComboBox" << QStringList{"自定义"} + sizeTexts;
    QTest::newRow("zh_CN position") << "zh_CN" << "watermarkPositionComboBox"
                                    << QStringList{"左上角", "右上角", "左下角", "右下角", "中心"};
    QTest::newRow("zh_CN channel") << "zh_CN" << "channelComboBox"
                                   << QStringList{"红色通道", "绿色通道", "蓝色通道", "青色通道", "洋红通道", "黄色通道"};

    QTest::newRow("zh_TW aspect") << "zh_TW" << "aspectRatioComboBox"
                                  << QStringList{"原始比例", "1:1 (正方形)"} + ratios;
    QTest::newRow("zh_TW size") << "zh_TW" << "standardSizeComboBox" << QStringList{"自訂"} + sizeTexts;
    QTest::newRow("zh_TW position") << "zh_TW" << "watermarkPositionComboBox"
                                    << QStringList{"左上角", "右上角", "左下角", "右下角", "中心"};
    QTest::newRow("zh_TW channel") << "zh_TW" << "channelComboBox"
                                   << QStringList{"紅色通道", "綠色通道", "藍色通道", "青色通道", "洋紅通道", "黃色通道"};

    QTest::newRow("en_US aspect") << "en_US" << "aspectRatioComboBox"
                                  << QStringList{"Original Ratio", "1:1 (Square)"} + ratios;
    QTest::newRow("en_US size") << "en_US" << "standardSizeComboBox" << QStringList{"Custom"} + sizeTexts;
    QTest::newRow("en_US position") << "en_US" << "watermarkPositionComboBox"
                                    << QStringList{"Top Left", "Top Right", "Bottom Left", "Bottom Right", "Center"};
    QTest::newRow("en_US channel") << "en_US" << "channelComboBox"
                                   << QStringList{"Red Channel", "Green Channel", "Blue Channel", "Cyan Channel",
                                                  "Magenta Channel", "Yellow Channel"};
}

// Each list in each language, also after it was refilled by earlier
// switches: the texts of that language, the keys of the first start (which
// tst_optionmapping holds to the table), the first selected.
void TestLanguages::optionLists()
{
    QFETCH(QString, language);
    QFETCH(QString, objectName);
    QFETCH(QStringList, texts);
    auto *list = findIn<QComboBox>(window.get(), objectName.toLatin1().constData());
    const QStringList keys = itemKeys(list);
    for (const QString &earlier : languages)
        switchTo(earlier);
    switchTo(language);
    QCOMPARE(itemTexts(list), texts);
    QCOMPARE(itemKeys(list), keys);
    QCOMPARE(list->currentIndex(), 0);
}

void TestLanguages::formAndMenuTexts_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("formTexts");
    QTest::addColumn<QStringList>("menuTexts");
    const QStringList languageNames = {"简体中文", "繁體中文", "English", QString()};
    QTest::newRow("zh_CN") << "zh_CN"
                           << QStringList{"批量图片处理工具", "开始处理", "宽高比:", "无", "行数:", "不透明度:", "左右镜像。"}
                           << languageNames + QStringList{"一键重置", "关于我们", "帮助"};
    QTest::newRow("zh_TW") << "zh_TW"
                           << QStringList{"批量圖片處理工具", "開始處理", "寬高比:", "無", "行數:", "不透明度:", "左右鏡像。"}
                           << languageNames + QStringList{"一鍵重置", "關於我們", "說明"};
    QTest::newRow("en_US") << "en_US" << QStringList{"Batch Image Processing Tool", "Start Processing", "Aspect Ratio:",
                                                     "None", "Rows:", "Opacity:", "Mirror left and right."}
                           << languageNames + QStringList{"One-click Reset", "About Us", "Help"};
}

// The form, the filter list and the menu follow the language; the check
// mark sits on the language in use.
void TestLanguages::formAndMenuTexts()
{
    QFETCH(QString, language);
    QFETCH(QStringList, formTexts);
    QFETCH(QStringList, menuTexts);
    switchTo(language == QLatin1String("en_US") ? QStringLiteral("zh_TW") : QStringLiteral("en_US"));
    switchTo(language);
    const QStringList shown = {window->windowTitle(), findIn<QPushButton>(window.get(), "processButton")->text(),
                               findIn<QLabel>(window.get(), "aspectRatioLabel")->text(),
                               findIn<QComboBox>(window.get(), "filterComboBox")->itemText(0),
                               findIn<QLabel>(window.get(), "gridRowsLabel")->text(),
                               findIn<QLabel>(window.get(), "watermarkOpacityLabel")->text(),
                               findIn<QCheckBox>(window.get(), "flipHorizontalCheckBox")->toolTip()};
    QCOMPARE(shown, formTexts);
    const OpenedMenu opened = chooseMenuEntry(menuButton(), -1);
    QCOMPARE(opened.texts, menuTexts);
    const QList<QAction *> entries = opened.menu->actions();
    for (int position = 0; position < languages.size(); ++position)
        QCOMPARE(entries.at(position)->isChecked(), languages.at(position) == language);
    QCOMPARE(storedLanguage(), language);
}

void TestLanguages::switchRestoresInitialOptions_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("to English") << "zh_CN" << "en_US";
    QTest::newRow("to Traditional") << "zh_CN" << "zh_TW";
    QTest::newRow("back to Simplified") << "en_US" << "zh_CN";
}

// The preset controls return to their initial values and the batch
// controls hide, their boxes staying checked; the rest keeps its state.
void TestLanguages::switchRestoresInitialOptions()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    switchTo(from);
    findIn<QToolButton>(window.get(), "advancedSettingsButton")->click();
    findIn<QComboBox>(window.get(), "aspectRatioComboBox")->setCurrentIndex(2);
    findIn<QComboBox>(window.get(), "standardSizeComboBox")->setCurrentIndex(5);
    findIn<QComboBox>(window.get(), "watermarkPositionComboBox")->setCurrentIndex(4);
    findIn<QComboBox>(window.get(), "channelComboBox")->setCurrentIndex(3);
    findIn<QComboBox>(window.get(), "filterComboBox")->setCurrentIndex(3);
    findIn<QSlider>(window.get(), "brightnessSlider")->setValue(40);
    findIn<QSlider>(window.get(), "contrastSlider")->setValue(-20);
    findIn<QSlider>(window.get(), "saturationSlider")->setValue(150);
    findIn<QSlider>(window.get(), "watermarkOpacitySlider")->setValue(10);
    findIn<QSpinBox>(window.get(), "rotationSpinBox")->setValue(90);
    findIn<QSpinBox>(window.get(), "watermarkFontSizeSpinBox")->setValue(50);
    findIn<QSpinBox>(window.get(), "borderThicknessSpinBox")->setValue(30);
    findIn<QSpinBox>(window.get(), "filterIntensitySpinBox")->setValue(9);
    findIn<QSpinBox>(window.get(), "widthSpinBox")->setValue(300);
    findIn<QTextEdit>(window.get(), "watermarkTextEdit")->setPlainText(QStringLiteral("mine"));
    for (const char *box : {"gridSplitCheckBox", "batchRenameCheckBox", "extractChannelCheckBox", "borderCheckBox"})
        findIn<QCheckBox>(window.get(), box)->setChecked(true);
    findIn<QSpinBox>(window.get(), "gridRowsSpinBox")->setValue(7);
    findIn<QSpinBox>(window.get(), "gridColsSpinBox")->setValue(2);
    findIn<QLineEdit>(window.get(), "batchPrefixLineEdit")->setText(QStringLiteral("holiday"));

    switchTo(to);
    for (const char *list : {"aspectRatioComboBox", "standardSizeComboBox", "watermarkPositionComboBox", "channelComboBox"})
        QCOMPARE(findIn<QComboBox>(window.get(), list)->currentIndex(), 0);
    QCOMPARE(findIn<QSlider>(window.get(), "brightnessSlider")->value(), 0);
    QCOMPARE(findIn<QSlider>(window.get(), "contrastSlider")->value(), 0);
    QCOMPARE(findIn<QSlider>(window.get(), "saturationSlider")->value(), 100);
    QCOMPARE(findIn<QSlider>(window.get(), "watermarkOpacitySlider")->value(), 128);
    QCOMPARE(findIn<QSpinBox>(window.get(), "rotationSpinBox")->value(), 0);
    QCOMPARE(findIn<QSpinBox>(window.get(), "watermarkFontSizeSpinBox")->value(), 24);
    QCOMPARE(findIn<QSpinBox>(window.get(), "borderThicknessSpinBox")->value(), 10);
    QCOMPARE(findIn<QSpinBox>(window.get(), "gridRowsSpinBox")->value(), 3);
    QCOMPARE(findIn<QSpinBox>(window.get(), "gridColsSpinBox")->value(), 3);
    QCOMPARE(findIn<QTextEdit>(window.get(), "watermarkTextEdit")->toPlainText(), QStringLiteral("Watermark"));
    QCOMPARE(findIn<QLineEdit>(window.get(), "batchPrefixLineEdit")->text(), QStringLiteral("image"));
    QCOMPARE(findIn<QLabel>(window.get(), "brightnessValueLabel")->text(), QStringLiteral("0"));
    QCOMPARE(findIn<QLabel>(window.get(), "saturationValueLabel")->text(), QStringLiteral("100"));
    for (const char *control : {"gridRowsSpinBox", "gridColsSpinBox", "gridRowsLabel", "gridColsLabel",
                                "batchPrefixLineEdit", "batchPrefixLabel", "channelComboBox"})
        QVERIFY2(findIn<QWidget>(window.get(), control)->isHidden(), control);

    for (const char *box : {"gridSplitCheckBox", "batchRenameCheckBox", "extractChannelCheckBox", "borderCheckBox"})
        QVERIFY2(findIn<QCheckBox>(window.get(), box)->isChecked(), box);
    QCOMPARE(findIn<QComboBox>(window.get(), "filterComboBox")->currentIndex(), 3);
    QCOMPARE(findIn<QSpinBox>(window.get(), "filterIntensitySpinBox")->value(), 9);
    QCOMPARE(findIn<QSpinBox>(window.get(), "widthSpinBox")->value(), 300);
    QCOMPARE(findIn<QStackedWidget>(window.get(), "stackedWidget")->currentIndex(), 1);
}

// Choosing the language in use refills nothing and stores nothing.
void TestLanguages::sameLanguageChangesNothing()
{
    findIn<QComboBox>(window.get(), "aspectRatioComboBox")->setCurrentIndex(3);
    findIn<QSlider>(window.get(), "brightnessSlider")->setValue(40);
    switchTo(QStringLiteral("zh_CN"));
    QCOMPARE(findIn<QComboBox>(window.get(), "aspectRatioComboBox")->currentIndex(), 3);
    QCOMPARE(findIn<QSlider>(window.get(), "brightnessSlider")->value(), 40);
    QVERIFY(!QSettings(QStringLiteral("Vellumo"), QStringLiteral("Vellumo")).contains(QStringLiteral("language")));
    const OpenedMenu opened = chooseMenuEntry(menuButton(), -1);
    QVERIFY(opened.menu->actions().at(0)->isChecked());
    QCOMPARE(opened.texts.at(5), QStringLiteral("关于Vellumo"));
}

void TestLanguages::switchIsRemembered()
{
    switchTo(QStringLiteral("en_US"));
    QCOMPARE(storedLanguage(), QStringLiteral("en_US"));
    openWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("Batch Image Processing Tool"));
    const OpenedMenu opened = chooseMenuEntry(menuButton(), -1);
    QCOMPARE(opened.texts.at(5), QStringLiteral("About Vellumo"));
    QVERIFY(opened.menu->actions().at(2)->isChecked());
    QVERIFY(!opened.menu->actions().at(0)->isChecked());
}

void TestLanguages::storedLanguageAtStart_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("missingCatalogue");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("storedAfterwards");
    QTest::addColumn<int>("checkedEntry");
    QTest::newRow("Traditional") << "zh_TW" << QString() << "批量圖片處理工具" << "zh_TW" << 1;
    QTest::newRow("English") << "en_US" << QString() << "Batch Image Processing Tool" << "en_US" << 2;
    QTest::newRow("Simplified") << "zh_CN" << QString() << "批量图片处理工具" << "zh_CN" << 0;
    QTest::newRow("no catalogue") << "fr_FR" << ":/translations/lang_fr_FR.qm" << "批量图片处理工具" << "zh_CN" << 0;
    QTest::newRow("empty") << "" << ":/translations/lang_.qm" << "批量图片处理工具" << "zh_CN" << 0;
}

// A code without a catalogue is logged and replaced by Simplified Chinese.
void TestLanguages::storedLanguageAtStart()
{
    QFETCH(QString, stored);
    QFETCH(QString, missingCatalogue);
    QFETCH(QString, title);
    QFETCH(QString, storedAfterwards);
    QFETCH(int, checkedEntry);
    window.reset();
    QSettings(QStringLiteral("Vellumo"), QStringLiteral("Vellumo")).setValue(QStringLiteral("language"), stored);
    if (!missingCatalogue.isEmpty()) {
        const QString message = QStringLiteral("Translation file not found: \"%1\"").arg(missingCatalogue);
        QTest::ignoreMessage(QtWarningMsg, qPrintable(message));
    }
    openWindow();
    QCOMPARE(window->windowTitle(), title);
    QCOMPARE(storedLanguage(), storedAfterwards);
    const OpenedMenu opened = chooseMenuEntry(menuButton(), -1);
    for (int position = 0; position < languages.size(); ++position)
        QCOMPARE(opened.menu->actions().at(position)->isChecked(), position == checkedEntry);
}

void TestLanguages::qtCatalogue_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("yes");
    QTest::addColumn<QString>("details");
    QTest::newRow("Simplified") << "zh_CN" << "是(&Y)" << "显示详情...";
    QTest::newRow("Traditional") << "zh_TW" << "是(&Y)" << "顯示詳情...";
    QTest::newRow("English") << "en_US" << "&Yes" << "Show Details...";
}

// Qt's standard buttons speak the language in force from the start, the
// source language too, and again after a switch away and back.
void TestLanguages::qtCatalogue()
{
    QFETCH(QString, language);
    QFETCH(QString, yes);
    QFETCH(QString, details);
    auto standardTexts = [] {
        QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes);
        box.setDetailedText(QStringLiteral("-"));
        QStringList texts{box.button(QMessageBox::Yes)->text()};
        for (QAbstractButton *button : box.buttons())
            if (box.buttonRole(button) == QMessageBox::ActionRole)
                texts.append(button->text());
        return texts;
    };
    window.reset();
    QSettings(QStringLiteral("Vellumo"), QStringLiteral("Vellumo")).setValue(QStringLiteral("language"), language);
    openWindow();
    QCOMPARE(standardTexts(), QStringList({yes, details}));
    switchTo(language == QLatin1String("en_US") ? QStringLiteral("zh_TW") : QStringLiteral("en_US"));
    switchTo(language);
    QCOMPARE(standardTexts(), QStringList({yes, details}));
}

void TestLanguages::completionReportFits_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("zh_CN") << "zh_CN" << QStringList{"确定", "复制", "保存…", "打开输出文件夹"};
    QTest::newRow("zh_TW") << "zh_TW" << QStringList{"確定", "複製", "儲存…", "開啟輸出資料夾"};
    QTest::newRow("en_US") << "en_US" << QStringList{"OK", "Copy", "Save…", "Open Output Folder"};
}

// The report's buttons, Qt's and ours, are in the language in force and
// each as wide as its text needs, also when the box is made small.
void TestLanguages::completionReportFits()
{
    QFETCH(QString, language);
    QFETCH(QStringList, buttons);
    switchTo(language == QLatin1String("en_US") ? QStringLiteral("zh_TW") : QStringLiteral("en_US"));
    switchTo(language);
    const QList<ReportedInput> reported = {
        {QStringLiteral("/photos/DSC_0001.JPG"), EntryState::Failed, QStringLiteral("cannot read: empty file")},
        {QStringLiteral("/photos/DSC_0002.JPG"), EntryState::Warned, QStringLiteral("Corrupt JPEG data")}};
    CompletionDialog report(QStringLiteral("-"), QStringLiteral("-"), reported, window.get());
    report.show();
    QVERIFY(QTest::qWaitForWindowExposed(&report));
    report.resize(report.minimumSizeHint());
    QCoreApplication::processEvents();
    QStringList shown;
    for (QAbstractButton *button : report.findChildren<QAbstractButton *>()) {
        if (!qobject_cast<QDialogButtonBox *>(button->parentWidget()))
            continue;
        shown.append(button->text());
        QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
        QVERIFY2(report.rect().contains(button->geometry().translated(button->parentWidget()->pos())),
                 qPrintable(button->text()));
    }
    shown.sort();
    buttons.sort();
    QCOMPARE(shown, buttons);
}

// With the program's catalogues gone, a chosen language falls back to
// Simplified Chinese, which then shows the source texts; the check mark
// moves to the language in use and that language is stored.
void TestLanguages::missingCataloguesFallBack()
{
    switchTo(QStringLiteral("en_US"));
    Q_CLEANUP_RESOURCE(vellumo_resources_translations);
    QTest::ignoreMessage(QtWarningMsg, "Translation file not found: \":/translations/lang_zh_TW.qm\"");
    QTest::ignoreMessage(QtWarningMsg, "Translation file not found: \":/translations/lang_zh_CN.qm\"");
    const OpenedMenu opened = chooseMenuEntry(menuButton(), 1);
    Q_INIT_RESOURCE(vellumo_resources_translations);
    QCOMPARE(window->windowTitle(), QStringLiteral("批量图片处理工具"));
    QCOMPARE(findIn<QComboBox>(window.get(), "aspectRatioComboBox")->itemText(0), QStringLiteral("原始比例"));
    QCOMPARE(storedLanguage(), QStringLiteral("zh_CN"));
    const QList<QAction *> entries = opened.menu->actions();
    for (int position = 0; position < languages.size(); ++position)
        QCOMPARE(entries.at(position)->isChecked(), position == 0);
    QCOMPARE(entries.at(4)->text(), QStringLiteral("一键重置"));
    QCOMPARE(entries.at(5)->text(), QStringLiteral("关于我们"));
    switchTo(QStringLiteral("zh_TW"));
    QCOMPARE(window->windowTitle(), QStringLiteral("批量圖片處理工具"));
}

void TestLanguages::runGetsKeysInEveryLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("sizeText");
    QTest::addColumn<QString>("ratioText");
    QTest::addColumn<QString>("channelText");
    QTest::newRow("zh_CN") << "zh_CN" << "640x480 (VGA)" << "1:1 (正方形)" << "绿色通道";
    QTest::newRow("zh_TW") << "zh_TW" << "640x480 (VGA)" << "1:1 (正方形)" << "綠色通道";
    QTest::newRow("en_US") << "en_US" << "640x480 (VGA)" << "1:1 (Square)" << "Green Channel";
}

// Entries chosen by what they show reach the run as their keys: stretched
// to 640 by 480, cut to a centred square, only the green channel kept.
void TestLanguages::runGetsKeysInEveryLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, sizeText);
    QFETCH(QString, ratioText);
    QFETCH(QString, channelText);
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    QImage source(48, 32, QImage::Format_RGB32);
    source.fill(QColor(200, 100, 50));
    QVERIFY(source.save(scratch.filePath(QStringLiteral("photo.png"))));
    switchTo(language);
    {
        ModalResponder<QFileDialog> responder([&](QFileDialog *dialog) {
            chooseInFileDialog(dialog, scratch.path(), {QStringLiteral("photo.png")});
        });
        findIn<QPushButton>(window.get(), "selectImagesButton")->click();
        QCOMPARE(responder.answered(), 1);
    }
    QVERIFY(QDir(scratch.path()).mkdir(QStringLiteral("out")));
    {
        ModalResponder<QFileDialog> responder([&](QFileDialog *dialog) {
            chooseInFileDialog(dialog, scratch.filePath(QStringLiteral("out")));
        });
        findIn<QPushButton>(window.get(), "selectOutputButton")->click();
        QCOMPARE(responder.answered(), 1);
    }
    selectText(findIn<QComboBox>(window.get(), "standardSizeComboBox"), sizeText);
    selectText(findIn<QComboBox>(window.get(), "aspectRatioComboBox"), ratioText);
    selectText(findIn<QComboBox>(window.get(), "channelComboBox"), channelText);
    findIn<QCheckBox>(window.get(), "extractChannelCheckBox")->setChecked(true);
    findIn<QComboBox>(window.get(), "formatComboBox")->setCurrentText(QStringLiteral("PNG"));

    MessageBoxAnswerer answerer(QMessageBox::Ok);
    findIn<QPushButton>(window.get(), "processButton")->click();
    QTRY_COMPARE_WITH_TIMEOUT(answerer.boxes.size(), 1, 60000);
    const QImage written(scratch.filePath(QStringLiteral("out/photo_processed.png")));
    QCOMPARE(written.size(), QSize(480, 480));
    QCOMPARE(written.pixelColor(240, 240), QColor(0, 100, 0));
}

void TestLanguages::screenshots_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << "en_US";
    QTest::newRow("Traditional") << "zh_TW";
}

// Styled as the program shows itself. Every text must fit its control: no
// label, box or button narrower than its text needs. The pictures are for
// a person to look at.
void TestLanguages::screenshots()
{
    QFETCH(QString, language);
    QVERIFY(loadStyleSheet(*qApp));
    openWindow();
    switchTo(language);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    auto *pages = findIn<QStackedWidget>(window.get(), "stackedWidget");
    for (const char *pageButton : {"basicSettingsButton", "advancedSettingsButton"}) {
        findIn<QToolButton>(window.get(), pageButton)->click();
        QWidget *page = pages->currentWidget();
        const QString path = QStringLiteral(VELLUMO_TEST_OUTPUT_DIR "/mainwindow_%1_%2.png").arg(language, page->objectName());
        QVERIFY(window->grab().save(path));
        QStringList cramped;
        for (QWidget *control : page->findChildren<QWidget *>()) {
            if (control->isVisible() && !textFits(control))
                cramped.append(control->objectName());
        }
        QVERIFY2(cramped.isEmpty(), qPrintable(cramped.join(QLatin1Char(' '))));
    }
    qApp->setStyleSheet(QString());
}

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"
