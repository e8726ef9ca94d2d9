#include "mainwindow.h"
#include "stylesheet.h"
#include "window/windowtestsupport.h"
#include "formats/formattable.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <memory>

// The window itself: its first start, look, dragging, pages, dependent widgets,
// colour choosers, exit and the remembered output directory.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void constructionGivesFirstStart();
    void filterTexts();
    void icons_data();
    void icons();
    void fileDialogs_data();
    void fileDialogs();
    void dragging_data();
    void dragging();
    void fullScreenNeverDrags();
    void slotsRaiseOneDialogPerClick_data();
    void slotsRaiseOneDialogPerClick();
    void pageButtons();
    void wheelScrollsPastUnchosenControls();
    void dependentWidgets_data();
    void dependentWidgets();
    void autoEnhanceShowsNothing();
    void valueLabelsFollowSliders_data();
    void valueLabelsFollowSliders();
    void colourButtons_data();
    void colourButtons();
    void minimiseButton();
    void exitAnsweredNo();
    void exitAnsweredYes();
    void platformCloseAsksNothing();
    void storedOutputDirectory_data();
    void storedOutputDirectory();
    void screenshots_data();
    void screenshots();

private:
    std::unique_ptr<MainWindow> window;
};

void TestMainWindow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    useOwnSettingsFolder();
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

void TestMainWindow::init()
{
    clearSettingsStores();
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestMainWindow::cleanup()
{
    window.reset();
}

void TestMainWindow::constructionGivesFirstStart()
{
    QCOMPARE(window->size(), QSize(690, 760));
    QCOMPARE(window->minimumSize(), QSize(690, 760));
    QCOMPARE(window->maximumSize(), QSize(690, 760));
    QCOMPARE(window->windowFlags(), Qt::Window | Qt::FramelessWindowHint);
    QVERIFY(window->testAttribute(Qt::WA_TranslucentBackground));
    QCOMPARE(window->windowTitle(), QStringLiteral("批量图片处理工具"));
    QCOMPARE(findIn<QStackedWidget>(window.get(), "stackedWidget")->currentIndex(), 0);
    QVERIFY(findIn<QToolButton>(window.get(), "basicSettingsButton")->isChecked());
    QVERIFY(!findIn<QToolButton>(window.get(), "advancedSettingsButton")->isChecked());
    QCOMPARE(findIn<QLabel>(window.get(), "outputPathLabel")->text(),
             QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    QCOMPARE(findIn<QListWidget>(window.get(), "imagesList")->count(), 0);
    QCOMPARE(findIn<QPushButton>(window.get(), "processButton")->toolTip(), QStringLiteral("开始处理 (Ctrl+Enter)"));
    for (const char *name : {"channelComboBox", "gridRowsSpinBox", "gridColsSpinBox", "gridRowsLabel",
                             "gridColsLabel", "batchPrefixLineEdit", "batchPrefixLabel"}) {
        QWidget *batchOption = findIn<QWidget>(window.get(), name);
        QVERIFY2(batchOption->isHidden() && batchOption->isEnabled(), name);
    }

    auto *shadow = qobject_cast<QGraphicsDropShadowEffect *>(
        findIn<QWidget>(window.get(), "centralwidget")->graphicsEffect());
    QVERIFY(shadow);
    QCOMPARE(shadow->blurRadius(), 20.0);
    QCOMPARE(shadow->color(), QColor(0, 0, 0, 80));
    QCOMPARE(shadow->offset(), QPointF(0, 0));
    const QMargins margins = findIn<QWidget>(window.get(), "centralwidget")->layout()->contentsMargins();
    QVERIFY(margins.left() >= 10 && margins.top() >= 10 && margins.right() >= 10 && margins.bottom() >= 10);
}

// The keys behind the entries are tst_optionmapping's.
void TestMainWindow::filterTexts()
{
    const QStringList texts = {"无", "模糊", "灰度", "复古", "边缘检测", "浮雕", "油画"};
    auto *filters = findIn<QComboBox>(window.get(), "filterComboBox");
    QCOMPARE(filters->count(), texts.size());
    for (int index = 0; index < texts.size(); ++index)
        QCOMPARE(filters->itemText(index), texts[index]);
    const QStringList formats = {"与输入相同", "JPG", "PNG", "BMP", "WEBP", "TIFF", "AVIF", "HEIC", "JXL"};
    auto *formatList = findIn<QComboBox>(window.get(), "formatComboBox");
    QCOMPARE(formatList->count(), formats.size());
    for (int index = 0; index < formats.size(); ++index)
        QCOMPARE(formatList->itemText(index), formats[index]);
    QCOMPARE(formatList->currentText(), QStringLiteral("JPG"));
}

void TestMainWindow::icons_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("on");
    QTest::newRow("logo") << "logoButton" << ":/image/logo.svg" << false;
    QTest::newRow("basic off") << "basicSettingsButton" << ":/image/home.svg" << false;
    QTest::newRow("basic on") << "basicSettingsButton" << ":/image/home-hover.svg" << true;
    QTest::newRow("advanced off") << "advancedSettingsButton" << ":/image/setting.svg" << false;
    QTest::newRow("advanced on") << "advancedSettingsButton" << ":/image/setting-hover.svg" << true;
    QTest::newRow("menu") << "menuButton" << ":/image/nav.svg" << false;
    QTest::newRow("minimise") << "minButton" << ":/image/min.svg" << false;
    QTest::newRow("close") << "closeButton" << ":/image/close.svg" << false;
}

void TestMainWindow::icons()
{
    QFETCH(QString, objectName);
    QFETCH(QString, file);
    QFETCH(bool, on);
    auto *button = findIn<QAbstractButton>(window.get(), objectName.toLatin1().constData());
    const QIcon::State state = on ? QIcon::On : QIcon::Off;
    const QImage shown = button->icon().pixmap(QSize(24, 24), QIcon::Normal, state).toImage();
    const QImage expected = QIcon(file).pixmap(QSize(24, 24)).toImage();
    QVERIFY(!expected.isNull());
    QCOMPARE(shown, expected);
}

void TestMainWindow::fileDialogs_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("fileMode");
    QTest::addColumn<QStringList>("filterNames");
    QTest::newRow("images, zh_CN") << "zh_CN" << "selectImagesButton" << "选择图片文件" << int(QFileDialog::ExistingFiles)
                                   << QStringList{"图片文件", "所有文件"};
    QTest::newRow("images, en_US") << "en_US" << "selectImagesButton" << "Select Image Files"
                                   << int(QFileDialog::ExistingFiles) << QStringList{"Image files", "All files"};
    QTest::newRow("output directory, zh_CN") << "zh_CN" << "selectOutputButton" << "选择输出目录"
                                             << int(QFileDialog::Directory) << QStringList();
    QTest::newRow("output directory, en_US") << "en_US" << "selectOutputButton" << "Select Output Directory"
                                             << int(QFileDialog::Directory) << QStringList();
}

// The captions and the filters are in the interface language; the pictures'
// filter names every format a run reads, by Qt's name for it at least, and
// no other (SVG), and all files can be shown.
void TestMainWindow::fileDialogs()
{
    QFETCH(QString, language);
    QFETCH(QString, objectName);
    QFETCH(QString, caption);
    QFETCH(int, fileMode);
    QFETCH(QStringList, filterNames);
    window.reset();
    QSettings(QStringLiteral("Vellumo"), QStringLiteral("Vellumo")).setValue(QStringLiteral("language"), language);
    window = std::make_unique<MainWindow>();
    QCOMPARE(findIn<QPushButton>(window.get(), "selectImagesButton")->text() == QStringLiteral("添加图片"),
             language == QLatin1String("zh_CN"));
    QWidget *parent = nullptr;
    QString shownCaption;
    int shownMode = -1;
    bool directoriesOnly = false;
    QStringList shownFilters;
    ModalResponder<QFileDialog> responder([&](QFileDialog *dialog) {
        parent = dialog->parentWidget();
        shownCaption = dialog->windowTitle();
        shownMode = dialog->fileMode();
        directoriesOnly = dialog->testOption(QFileDialog::ShowDirsOnly);
        shownFilters = dialog->nameFilters();
        dialog->reject();
    });
    findIn<QPushButton>(window.get(), objectName.toLatin1().constData())->click();
    QCOMPARE(responder.answered(), 1);
    QCOMPARE(parent, window.get());
    QCOMPARE(shownCaption, caption);
    QCOMPARE(shownMode, fileMode);
    QCOMPARE(directoriesOnly, filterNames.isEmpty());
    if (filterNames.isEmpty())
        return;
    QCOMPARE(shownFilters.size(), 2);
    QCOMPARE(shownFilters.last(), filterNames.last() + QStringLiteral(" (*)"));
    QVERIFY2(shownFilters.first().startsWith(filterNames.first() + QStringLiteral(" (")), qPrintable(shownFilters.first()));
    const QStringList patterns = shownFilters.first().section(QLatin1Char('('), 1).chopped(1).split(QLatin1Char(' '));
    for (const QString &suffix : readableSuffixes())
        QVERIFY2(patterns.contains(QStringLiteral("*.") + suffix), qPrintable(suffix));
    QVERIFY(patterns.contains(QStringLiteral("*.heic")) && patterns.contains(QStringLiteral("*.dng")));
    QVERIFY(patterns.contains(QStringLiteral("*.jpg")));
    QVERIFY(!patterns.contains(QStringLiteral("*.svg")));
}

void TestMainWindow::dragging_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("moves");
    QTest::newRow("title, left") << "title_label" << Qt::LeftButton << true;
    QTest::newRow("header, left") << "headerFrame" << Qt::LeftButton << true;
    QTest::newRow("menu column, left") << "frameMenu" << Qt::LeftButton << true;
    QTest::newRow("title, right") << "title_label" << Qt::RightButton << false;
    QTest::newRow("basic page, left") << "basicPage" << Qt::LeftButton << false;
    QTest::newRow("group box, left") << "groupBox_3" << Qt::LeftButton << false;
}

// The cursor keeps its place on the pressed widget while the window follows.
void TestMainWindow::dragging()
{
    QFETCH(QString, objectName);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, moves);
    auto *target = findIn<QWidget>(window.get(), objectName.toLatin1().constData());
    const QPoint press = objectName == QLatin1String("frameMenu") ? QPoint(30, target->height() / 2)
                                                                  : QPoint(5, 5);
    const QPoint start = window->pos();
    const QPoint globalPress = target->mapToGlobal(press);
    const QPoint offset(37, -23);
    QTest::mousePress(target, button, {}, press);
    QTest::mouseMove(target, press + offset);
    QTest::mouseRelease(target, button, {}, press + offset);
    if (!moves) {
        QCOMPARE(window->pos(), start);
        return;
    }
    QCOMPARE(window->pos(), start + offset);
    QCOMPARE(target->mapToGlobal(press), globalPress + offset);
    QTest::mouseMove(target, press + offset);
    QCOMPARE(window->pos(), start + offset);
}

void TestMainWindow::fullScreenNeverDrags()
{
    window->showFullScreen();
    QTRY_VERIFY(window->isFullScreen());
    auto *title = findIn<QLabel>(window.get(), "title_label");
    const QPoint start = window->pos();
    QTest::mousePress(title, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(title, QPoint(50, 40));
    QTest::mouseRelease(title, Qt::LeftButton, {}, QPoint(50, 40));
    QCOMPARE(window->pos(), start);
}

void TestMainWindow::slotsRaiseOneDialogPerClick_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("dialogClass");
    QTest::newRow("add images") << "selectImagesButton" << "QFileDialog";
    QTest::newRow("output directory") << "selectOutputButton" << "QFileDialog";
    QTest::newRow("start without images") << "processButton" << "QMessageBox";
    QTest::newRow("close") << "closeButton" << "QMessageBox";
    QTest::newRow("watermark colour") << "watermarkColorButton" << "QColorDialog";
    QTest::newRow("border colour") << "borderColorButton" << "QColorDialog";
}

// Each by-name connection exists exactly once: one click, one dialog.
void TestMainWindow::slotsRaiseOneDialogPerClick()
{
    QFETCH(QString, objectName);
    QFETCH(QString, dialogClass);
    QStringList opened;
    ModalResponder<QDialog> responder([&opened](QDialog *dialog) {
        opened.append(QString::fromLatin1(dialog->metaObject()->className()));
        dialog->reject();
    });
    if (objectName.contains(QLatin1String("Color")))
        findIn<QToolButton>(window.get(), "advancedSettingsButton")->click();
    findIn<QPushButton>(window.get(), objectName.toLatin1().constData())->click();
    QCOMPARE(opened, QStringList{dialogClass});
    QVERIFY(window->isVisible());
}

void TestMainWindow::pageButtons()
{
    auto *pages = findIn<QStackedWidget>(window.get(), "stackedWidget");
    auto *basic = findIn<QToolButton>(window.get(), "basicSettingsButton");
    auto *advanced = findIn<QToolButton>(window.get(), "advancedSettingsButton");
    QButtonGroup *group = basic->group();
    QVERIFY(group);
    QCOMPARE(group->objectName(), QStringLiteral("buttonGroup"));
    QCOMPARE(group->parent(), window.get());
    QVERIFY(group->exclusive());
    QCOMPARE(group->buttons(), (QList<QAbstractButton *>{basic, advanced}));
    for (int round = 0; round < 2; ++round) {
        advanced->click();
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("advancedPage"));
        QVERIFY(advanced->isChecked() && !basic->isChecked());
        advanced->click();
        QCOMPARE(pages->currentIndex(), 1);
        QVERIFY(advanced->isChecked());
        basic->click();
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("basicPage"));
        QVERIFY(basic->isChecked() && !advanced->isChecked());
    }
}

// Turning the wheel over the advanced page scrolls it, whatever passes
// under the pointer; a list takes the wheel once it is chosen.
void TestMainWindow::wheelScrollsPastUnchosenControls()
{
    findIn<QToolButton>(window.get(), "advancedSettingsButton")->click();
    auto *list = findIn<QComboBox>(window.get(), "watermarkPositionComboBox");
    QScrollBar *bar = findIn<QScrollArea>(window.get(), "advancedScrollArea")->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    const int index = list->currentIndex();
    const auto turnWheel = [list] {
        const QPointF centre = QRectF(list->rect()).center();
        QWheelEvent wheel(centre, list->mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(list, &wheel);
    };
    turnWheel();
    QCOMPARE(list->currentIndex(), index);
    QVERIFY(bar->value() > 0);
    list->setFocus();
    QTRY_VERIFY(list->hasFocus());
    turnWheel();
    QVERIFY(list->currentIndex() != index);
}

void TestMainWindow::dependentWidgets_data()
{
    QTest::addColumn<QString>("checkBox");
    QTest::addColumn<QStringList>("dependents");
    QTest::newRow("channel") << "extractChannelCheckBox" << QStringList{"channelComboBox"};
    QTest::newRow("grid") << "gridSplitCheckBox"
                          << QStringList{"gridRowsSpinBox", "gridColsSpinBox", "gridRowsLabel", "gridColsLabel"};
    QTest::newRow("rename") << "batchRenameCheckBox" << QStringList{"batchPrefixLineEdit", "batchPrefixLabel"};
}

// Shown only while the box is fully checked; hiding keeps values and the
// enabled state.
void TestMainWindow::dependentWidgets()
{
    QFETCH(QString, checkBox);
    QFETCH(QStringList, dependents);
    auto *box = findIn<QCheckBox>(window.get(), checkBox.toLatin1().constData());
    auto allShown = [&](bool shown) {
        for (const QString &name : dependents) {
            QWidget *widget = findIn<QWidget>(window.get(), name.toLatin1().constData());
            if (widget->isHidden() == shown || !widget->isEnabled())
                return false;
        }
        return true;
    };
    auto *rows = findIn<QSpinBox>(window.get(), "gridRowsSpinBox");
    rows->setValue(7);
    box->setChecked(true);
    QVERIFY(allShown(true));
    box->setChecked(false);
    QVERIFY(allShown(false));
    box->setCheckState(Qt::PartiallyChecked);
    QVERIFY(allShown(false));
    box->setCheckState(Qt::Checked);
    QVERIFY(allShown(true));
    QCOMPARE(rows->value(), 7);
}

void TestMainWindow::autoEnhanceShowsNothing()
{
    const char *const watched[] = {"channelComboBox", "gridRowsSpinBox", "gridColsSpinBox", "gridRowsLabel",
                                   "gridColsLabel", "batchPrefixLineEdit", "batchPrefixLabel"};
    auto hiddenStates = [&] {
        QList<bool> states;
        for (const char *name : watched)
            states.append(findIn<QWidget>(window.get(), name)->isHidden());
        return states;
    };
    const QList<bool> before = hiddenStates();
    auto *box = findIn<QCheckBox>(window.get(), "autoEnhanceCheckBox");
    box->setChecked(true);
    QCOMPARE(hiddenStates(), before);
    box->setChecked(false);
    QCOMPARE(hiddenStates(), before);
}

void TestMainWindow::valueLabelsFollowSliders_data()
{
    QTest::addColumn<QString>("slider");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("value");
    QTest::newRow("contrast low") << "contrastSlider" << "contrastValueLabel" << -100;
    QTest::newRow("contrast") << "contrastSlider" << "contrastValueLabel" << 35;
    QTest::newRow("saturation") << "saturationSlider" << "saturationValueLabel" << 0;
    QTest::newRow("saturation high") << "saturationSlider" << "saturationValueLabel" << 200;
    QTest::newRow("brightness") << "brightnessSlider" << "brightnessValueLabel" << -7;
    QTest::newRow("beyond range") << "brightnessSlider" << "brightnessValueLabel" << 500;
}

void TestMainWindow::valueLabelsFollowSliders()
{
    QFETCH(QString, slider);
    QFETCH(QString, label);
    QFETCH(int, value);
    auto *control = findIn<QSlider>(window.get(), slider.toLatin1().constData());
    auto *shown = findIn<QLabel>(window.get(), label.toLatin1().constData());
    QCOMPARE(shown->text(), QString::number(control->value()));
    control->setValue(value);
    QCOMPARE(shown->text(), QString::number(control->value()));
    QVERIFY(control->value() >= control->minimum() && control->value() <= control->maximum());
}

void TestMainWindow::colourButtons_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::newRow("watermark") << "watermarkColorButton";
    QTest::newRow("border") << "borderColorButton";
}

// The dialog opens on the current colour; the choice shows as the button's
// swatch and a cancelled dialog keeps it.
void TestMainWindow::colourButtons()
{
    QFETCH(QString, objectName);
    findIn<QToolButton>(window.get(), "advancedSettingsButton")->click();
    auto *button = findIn<QPushButton>(window.get(), objectName.toLatin1().constData());
    auto swatchCentre = [button] {
        return button->icon().pixmap(QSize(16, 16)).toImage().pixelColor(8, 8);
    };
    QCOMPARE(swatchCentre(), QColor(Qt::white));
    QList<QColor> offered;
    const QColor chosen(12, 140, 230);
    {
        ModalResponder<QColorDialog> responder([&](QColorDialog *dialog) {
            offered.append(dialog->currentColor());
            dialog->setCurrentColor(chosen);
            dialog->accept();
        });
        button->click();
    }
    QCOMPARE(swatchCentre(), chosen);
    QCOMPARE(button->text(), QStringLiteral("选择颜色"));
    {
        ModalResponder<QColorDialog> responder([&](QColorDialog *dialog) {
            offered.append(dialog->currentColor());
            dialog->setCurrentColor(Qt::red);
            dialog->reject();
        });
        button->click();
    }
    QCOMPARE(offered, (QList<QColor>{Qt::white, chosen}));
    QCOMPARE(swatchCentre(), chosen);
}

void TestMainWindow::minimiseButton()
{
    findIn<QPushButton>(window.get(), "minButton")->click();
    QTRY_VERIFY(window->isMinimized());
}

// The close button and Ctrl+Q ask the same question.
void TestMainWindow::exitAnsweredNo()
{
    MessageBoxAnswerer answerer(QMessageBox::No);
    auto *close = findIn<QPushButton>(window.get(), "closeButton");
    close->click();
    QCOMPARE(answerer.boxes.size(), 1);
    QCOMPARE(answerer.boxes[0].title, QStringLiteral("确认退出"));
    QCOMPARE(answerer.boxes[0].text, QStringLiteral("确定要退出Vellumo吗？"));
    QCOMPARE(answerer.boxes[0].icon, QMessageBox::Question);
    QVERIFY(answerer.boxes[0].hasParent);
    QVERIFY(window->isVisible());
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(answerer.boxes.size(), 2);
    QCOMPARE(answerer.boxes[1].text, answerer.boxes[0].text);
    QVERIFY(window->isVisible());
}

// Yes ends the event loop, closing the window and saving the directory.
void TestMainWindow::exitAnsweredYes()
{
    MessageBoxAnswerer answerer(QMessageBox::Yes);
    QTimer::singleShot(0, findIn<QPushButton>(window.get(), "closeButton"), &QPushButton::click);
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(answerer.boxes.size(), 1);
    QVERIFY(!window->isVisible());
    const QString shown = findIn<QLabel>(window.get(), "outputPathLabel")->text();
    QCOMPARE(QSettings("Orvantis", "Vellumo").value("outputDirectory").toString(), shown);
}

void TestMainWindow::platformCloseAsksNothing()
{
    MessageBoxAnswerer answerer(QMessageBox::No);
    QVERIFY(window->close());
    QVERIFY(!window->isVisible());
    QCOMPARE(answerer.boxes.size(), 0);
    QCOMPARE(QSettings("Orvantis", "Vellumo").value("outputDirectory").toString(),
             QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
}

void TestMainWindow::storedOutputDirectory_data()
{
    QTest::addColumn<QString>("stored");
    QTest::newRow("missing directory") << QDir::tempPath() + "/vellumo-no-such-directory";
    QTest::newRow("empty after a reset") << QString();
}

// The stored value is shown as it is and written back on close.
void TestMainWindow::storedOutputDirectory()
{
    QFETCH(QString, stored);
    window.reset();
    QSettings("Orvantis", "Vellumo").setValue("outputDirectory", stored);
    window = std::make_unique<MainWindow>();
    QCOMPARE(findIn<QLabel>(window.get(), "outputPathLabel")->text(), stored);
    QVERIFY(!QFileInfo::exists(stored) || stored.isEmpty());
    window.reset();
    const QVariant written = QSettings("Orvantis", "Vellumo").value("outputDirectory");
    QVERIFY(written.isValid());
    QCOMPARE(written.toString(), stored);
}

// Styled as the program shows itself: the style sheet is applied before the
// window is built, as at start-up. Every page must fit without squeezing a
// control below its size hint, the advanced one also with every batch
// option shown; the pictures are for a person to look at.
void TestMainWindow::screenshots_data()
{
    QTest::addColumn<QString>("language");
    for (const char *language : {"zh_CN", "zh_TW", "en_US"})
        QTest::newRow(language) << QString::fromLatin1(language);
}

void TestMainWindow::screenshots()
{
    QFETCH(QString, language);
    window.reset();
    QSettings(QStringLiteral("Vellumo"), QStringLiteral("Vellumo")).setValue(QStringLiteral("language"), language);
    QVERIFY(loadStyleSheet(*qApp));
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto *pages = findIn<QStackedWidget>(window.get(), "stackedWidget");
    auto savePicture = [&](const QString &name) {
        QApplication::processEvents();
        QWidget *page = pages->currentWidget();
        QVERIFY2(page->minimumSizeHint().height() <= pages->height(), qPrintable(name));
        const QString path = QStringLiteral(VELLUMO_TEST_OUTPUT_DIR "/mainwindow_%1_%2.png").arg(language, name);
        QVERIFY(window->grab().save(path));
        QCOMPARE(QImage(path).size(), window->size() * window->devicePixelRatio());
    };
    savePicture(QStringLiteral("basicPage"));
    findIn<QToolButton>(window.get(), "advancedSettingsButton")->click();
    savePicture(QStringLiteral("advancedPage"));
    for (const char *name : {"extractChannelCheckBox", "gridSplitCheckBox", "batchRenameCheckBox"})
        findIn<QCheckBox>(window.get(), name)->setChecked(true);
    savePicture(QStringLiteral("advancedPage_batchOptions"));
    qApp->setStyleSheet(QString());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
