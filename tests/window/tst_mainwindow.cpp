#include "mainwindow.h"
#include "stylesheet.h"
#include "window/windowtestsupport.h"

#include <QAbstractSpinBox>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGraphicsDropShadowEffect>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>

#include <memory>

// The window itself: its form, look, dragging, pages, dependent widgets,
// colour choosers, exit and the remembered output directory.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void constructionGivesFirstStart();
    void formValues_data();
    void formValues();
    void formTexts_data();
    void formTexts();
    void filterKeys();
    void icons_data();
    void icons();
    void layouts_data();
    void layouts();
    void gridCells_data();
    void gridCells();
    void connections_data();
    void connections();
    void fileDialogs_data();
    void fileDialogs();
    void dragging_data();
    void dragging();
    void fullScreenNeverDrags();
    void slotsRaiseOneDialogPerClick_data();
    void slotsRaiseOneDialogPerClick();
    void pageButtons();
    void dependentWidgets_data();
    void dependentWidgets();
    void autoEnhanceShowsNothing();
    void valueLabelsFollowSliders_data();
    void valueLabelsFollowSliders();
    void colourButtons_data();
    void colourButtons();
    void minimiseButton();
    void progressSlot();
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
    for (const char *name : {"channelComboBox", "gridRowsSpinBox", "gridColsSpinBox", "label_20", "label_21",
                             "batchPrefixLineEdit", "label_22"}) {
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

void TestMainWindow::formValues_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("expected");
    auto range = [](const char *name, int minimum, int maximum, int value) {
        QTest::addRow("%s minimum", name) << name << QByteArray("minimum") << QVariant(minimum);
        QTest::addRow("%s maximum", name) << name << QByteArray("maximum") << QVariant(maximum);
        QTest::addRow("%s value", name) << name << QByteArray("value") << QVariant(value);
        if (QByteArray(name).endsWith("SpinBox") || QByteArray(name).endsWith("Slider"))
            QTest::addRow("%s step", name) << name << QByteArray("singleStep") << QVariant(1);
        if (QByteArray(name).endsWith("SpinBox")) {
            QTest::addRow("%s prefix", name) << name << QByteArray("prefix") << QVariant(QString());
            QTest::addRow("%s suffix", name) << name << QByteArray("suffix") << QVariant(QString());
        }
        if (QByteArray(name).endsWith("Slider"))
            QTest::addRow("%s orientation", name) << name << QByteArray("orientation") << QVariant(int(Qt::Horizontal));
    };
    range("widthSpinBox", 0, 9999, 0);
    range("heightSpinBox", 0, 9999, 0);
    range("qualitySpinBox", 1, 100, 85);
    range("progressBar", 0, 100, 0);
    range("rotationSpinBox", -360, 360, 0);
    range("contrastSlider", -100, 100, 0);
    range("saturationSlider", 0, 200, 100);
    range("brightnessSlider", -100, 100, 0);
    range("filterIntensitySpinBox", 1, 10, 5);
    range("watermarkOpacitySlider", 0, 255, 128);
    range("watermarkFontSizeSpinBox", 8, 72, 24);
    range("borderThicknessSpinBox", 1, 100, 10);
    range("gridRowsSpinBox", 1, 10, 3);
    range("gridColsSpinBox", 1, 10, 3);
    auto checked = [](const char *name, bool value) {
        QTest::addRow("%s checked", name) << name << QByteArray("checked") << QVariant(value);
        QTest::addRow("%s tristate", name) << name << QByteArray("tristate") << QVariant(false);
    };
    checked("aspectRatioCheckBox", true);
    for (const char *name : {"cropCheckBox", "flipVerticalCheckBox", "flipHorizontalCheckBox", "watermarkCheckBox",
                             "borderCheckBox", "autoEnhanceCheckBox", "extractChannelCheckBox",
                             "gridSplitCheckBox", "batchRenameCheckBox"})
        checked(name, false);
    QTest::newRow("formatComboBox entries") << "formatComboBox" << QByteArray("count") << QVariant(4);
    QTest::newRow("formatComboBox current") << "formatComboBox" << QByteArray("currentText") << QVariant("JPG");
    QTest::newRow("filterComboBox entries") << "filterComboBox" << QByteArray("count") << QVariant(7);
    QTest::newRow("filterComboBox current") << "filterComboBox" << QByteArray("currentText") << QVariant("无");
    const std::pair<const char *, int> presetLists[] = {
        {"aspectRatioComboBox", 5}, {"standardSizeComboBox", 8}, {"watermarkPositionComboBox", 5}, {"channelComboBox", 6}};
    for (const auto &[name, count] : presetLists) {
        QTest::addRow("%s entries", name) << name << QByteArray("count") << QVariant(count);
        QTest::addRow("%s current", name) << name << QByteArray("currentIndex") << QVariant(0);
    }
    QTest::newRow("watermarkTextEdit text") << "watermarkTextEdit" << QByteArray("plainText") << QVariant("Watermark");
    QTest::newRow("logoButton policy") << "logoButton" << QByteArray("sizePolicy")
                                       << QVariant(QSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed));
    QTest::newRow("frameMenu width") << "frameMenu" << QByteArray("maximumWidth") << QVariant(60);
    QTest::newRow("headerFrame height") << "headerFrame" << QByteArray("minimumHeight") << QVariant(45);
    QTest::newRow("selectImagesButton width") << "selectImagesButton" << QByteArray("minimumWidth") << QVariant(150);
    QTest::newRow("processButton size") << "processButton" << QByteArray("minimumSize") << QVariant(QSize(200, 50));
    QTest::newRow("basicSettingsButton checkable") << "basicSettingsButton" << QByteArray("checkable") << QVariant(true);
    QTest::newRow("advancedSettingsButton checkable") << "advancedSettingsButton" << QByteArray("checkable") << QVariant(true);
    QTest::newRow("logoButton icon size") << "logoButton" << QByteArray("iconSize") << QVariant(QSize(32, 32));
    QTest::newRow("basicSettingsButton icon size") << "basicSettingsButton" << QByteArray("iconSize") << QVariant(QSize(24, 24));
    QTest::newRow("imagesList frame") << "imagesList" << QByteArray("frameShape") << QVariant(int(QFrame::Box));
    QTest::newRow("imagesList shadow") << "imagesList" << QByteArray("frameShadow") << QVariant(int(QFrame::Plain));
    QTest::newRow("advancedSettingsButton icon size") << "advancedSettingsButton" << QByteArray("iconSize") << QVariant(QSize(24, 24));
    for (const char *name : {"frameMian", "frameMenu", "frame", "headerFrame"}) {
        QTest::addRow("%s frame", name) << name << QByteArray("frameShape") << QVariant(int(QFrame::StyledPanel));
        QTest::addRow("%s shadow", name) << name << QByteArray("frameShadow") << QVariant(int(QFrame::Raised));
    }
    QTest::newRow("title_label bold") << "title_label" << QByteArray("font") << QVariant();
}

void TestMainWindow::formValues()
{
    QFETCH(QString, objectName);
    QFETCH(QByteArray, property);
    QFETCH(QVariant, expected);
    QObject *widget = findIn<QWidget>(window.get(), objectName.toLatin1().constData());
    const QVariant actual = widget->property(property.constData());
    QVERIFY2(actual.isValid(), property.constData());
    if (property == "font") {
        QCOMPARE(actual.value<QFont>().pointSize(), 11);
        QVERIFY(actual.value<QFont>().bold());
    } else if (expected.metaType().id() == QMetaType::Int && actual.metaType().id() != QMetaType::Int) {
        QCOMPARE(actual.toInt(), expected.toInt());
    } else {
        QCOMPARE(actual, expected);
    }
}

void TestMainWindow::formTexts_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("expected");
    const char *const texts[][2] = {
        {"title_label", "Vellumo"}, {"logoButton", ""}, {"basicSettingsButton", ""}, {"advancedSettingsButton", ""},
        {"menuButton", ""}, {"minButton", ""}, {"closeButton", ""},
        {"selectImagesButton", "添加图片"}, {"selectOutputButton", "输出目录"}, {"groupBox_3", "基本处理选项"},
        {"label", "宽度:"}, {"label_2", "高度:"}, {"aspectRatioCheckBox", "保持宽高比"}, {"cropCheckBox", "裁剪"},
        {"label_3", "输出格式:"}, {"label_4", "质量:"}, {"processButton", "开始处理"},
        {"groupBox_4", "尺寸和角度预设"}, {"label_7", "宽高比:"}, {"label_8", "标准尺寸:"},
        {"flipVerticalCheckBox", "垂直翻转"}, {"flipHorizontalCheckBox", "水平翻转"}, {"label_12", "旋转角度:"},
        {"groupBox_5", "色彩调整"}, {"label_10", "对比度:"}, {"contrastValueLabel", "0"}, {"label_11", "饱和度:"},
        {"saturationValueLabel", "100"}, {"label_9", "亮度:"}, {"brightnessValueLabel", "0"},
        {"groupBox", "滤镜"}, {"label_5", "滤镜:"}, {"label_6", "强度:"},
        {"groupBox_7", "水印设置"}, {"watermarkCheckBox", "添加水印"}, {"label_13", "水印文字:"}, {"label_14", "颜色:"},
        {"watermarkColorButton", "选择颜色"}, {"label_15", "透明度:"}, {"label_16", "字体大小:"}, {"label_17", "位置:"},
        {"groupBox_8", "边框设置"}, {"borderCheckBox", "添加边框"}, {"label_18", "边框厚度:"}, {"label_19", "颜色:"},
        {"borderColorButton", "选择颜色"}, {"groupBox_9", "批量效果"}, {"autoEnhanceCheckBox", "自动增强"},
        {"extractChannelCheckBox", "通道提取"}, {"gridSplitCheckBox", "网格分割"}, {"label_20", "行数:"},
        {"label_21", "列数:"}, {"batchRenameCheckBox", "批量重命名"}, {"label_22", "前缀:"},
        {"batchPrefixLineEdit", "image"},
    };
    for (const auto &entry : texts)
        QTest::newRow(entry[0]) << QString::fromLatin1(entry[0]) << QString::fromUtf8(entry[1]);
}

// Group boxes carry their text as the title, every other widget as its text.
void TestMainWindow::formTexts()
{
    QFETCH(QString, objectName);
    QFETCH(QString, expected);
    QWidget *widget = findIn<QWidget>(window.get(), objectName.toLatin1().constData());
    const char *property = objectName.startsWith(QLatin1String("groupBox")) ? "title" : "text";
    QCOMPARE(widget->property(property).toString(), expected);
}

void TestMainWindow::filterKeys()
{
    const QStringList keys = {"无", "模糊", "灰度", "复古", "边缘检测", "浮雕", "油画"};
    auto *filters = findIn<QComboBox>(window.get(), "filterComboBox");
    QCOMPARE(filters->count(), keys.size());
    for (int index = 0; index < keys.size(); ++index) {
        QCOMPARE(filters->itemData(index, Qt::UserRole).toString(), keys[index]);
        QCOMPARE(filters->itemText(index), keys[index]);
    }
    const QStringList formats = {"JPG", "PNG", "BMP", "WEBP"};
    auto *formatList = findIn<QComboBox>(window.get(), "formatComboBox");
    for (int index = 0; index < formats.size(); ++index)
        QCOMPARE(formatList->itemText(index), formats[index]);
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

namespace {

// A layout item by what it is: a widget or a nested layout by object name,
// a spacer by its direction when it has the sizes and policies of the form's
// spacers ("spacer H": 40 by 20, expanding across; "spacer V": 20 by 40,
// expanding down), anything else spelled out.
QString describe(QLayoutItem *item)
{
    if (item->widget())
        return item->widget()->objectName();
    if (item->layout())
        return item->layout()->objectName();
    QSpacerItem *spacer = item->spacerItem();
    const QSizePolicy policy = spacer->sizePolicy();
    if (spacer->sizeHint() == QSize(40, 20) && policy.horizontalPolicy() == QSizePolicy::Expanding
        && policy.verticalPolicy() == QSizePolicy::Minimum)
        return QStringLiteral("spacer H");
    if (spacer->sizeHint() == QSize(20, 40) && policy.horizontalPolicy() == QSizePolicy::Minimum
        && policy.verticalPolicy() == QSizePolicy::Expanding)
        return QStringLiteral("spacer V");
    return QStringLiteral("spacer %1x%2").arg(spacer->sizeHint().width()).arg(spacer->sizeHint().height());
}

// What the style gives a layout whose spacing and margins the form leaves
// alone: the layout of a child widget, or nested in one.
struct StyleDefaults
{
    StyleDefaults()
        : child(&top), outer(&child)
    {
        outer.addLayout(&nested);
    }
    QWidget top;
    QWidget child;
    QVBoxLayout outer;
    QVBoxLayout nested;
};

constexpr int styleDefault = -1;

} // namespace

void TestMainWindow::layouts_data()
{
    QTest::addColumn<QString>("layoutName");
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<QList<int>>("margins");
    const QList<int> none = {0, 0, 0, 0};
    const QList<int> defaults(4, styleDefault);
    // The body's margin is where its shadow shows, the same on every side;
    // no wider, so that the advanced page fits in every language.
    QTest::newRow("centralwidget") << "verticalLayout" << "centralwidget" << QStringList{"frameMian"}
                                   << styleDefault << QList<int>{10, 10, 10, 10};
    QTest::newRow("frameMian") << "horizontalLayout_4" << "frameMian" << QStringList{"frameMenu", "frame"} << 0 << none;
    QTest::newRow("frameMenu") << "verticalLayout_8" << "frameMenu"
                               << QStringList{"logoButton", "basicSettingsButton", "spacer V", "advancedSettingsButton"}
                               << 5 << none;
    QTest::newRow("frame") << "verticalLayout_4" << "frame" << QStringList{"headerFrame", "stackedWidget"} << 0 << none;
    QTest::newRow("headerFrame") << "horizontalLayout_6" << "headerFrame"
                                 << QStringList{"title_label", "spacer H", "menuButton", "minButton", "closeButton"}
                                 << 5 << QList<int>{15, 0, 0, 0};
    QTest::newRow("basicPage") << "verticalLayout_9" << "basicPage"
                               << QStringList{"horizontalLayout_8", "imagesList", "groupBox_3", "horizontalLayout_5"}
                               << styleDefault << QList<int>{styleDefault, 10, styleDefault, styleDefault};
    QTest::newRow("output row") << "horizontalLayout_8" << "basicPage"
                                << QStringList{"selectImagesButton", "spacer H", "outputPathLabel", "selectOutputButton"}
                                << styleDefault << defaults;
    QTest::newRow("start row") << "horizontalLayout_5" << "basicPage" << QStringList{"progressBar", "processButton"}
                               << styleDefault << defaults;
    QTest::newRow("advancedPage") << "verticalLayout_5" << "advancedPage"
                                  << QStringList{"groupBox_4", "groupBox_5", "groupBox", "groupBox_7", "groupBox_8",
                                                 "groupBox_9"}
                                  << styleDefault << QList<int>{styleDefault, 15, styleDefault, styleDefault};
    QTest::newRow("colour row") << "horizontalLayout" << "groupBox_5"
                                << QStringList{"label_10", "contrastSlider", "contrastValueLabel",
                                               "label_11", "saturationSlider", "saturationValueLabel",
                                               "label_9", "brightnessSlider", "brightnessValueLabel"}
                                << styleDefault << defaults;
    QTest::newRow("filter row") << "horizontalLayout_7" << "groupBox"
                                << QStringList{"label_5", "filterComboBox", "label_6", "filterIntensitySpinBox"}
                                << styleDefault << defaults;
    QTest::newRow("watermark") << "verticalLayout_6" << "groupBox_7" << QStringList{"watermarkCheckBox", "gridLayout_3"}
                               << styleDefault << defaults;
    QTest::newRow("border") << "verticalLayout_7" << "groupBox_8" << QStringList{"borderCheckBox", "horizontalLayout_3"}
                            << styleDefault << defaults;
    QTest::newRow("border row") << "horizontalLayout_3" << "groupBox_8"
                                << QStringList{"label_18", "borderThicknessSpinBox", "label_19", "borderColorButton",
                                               "spacer H"}
                                << styleDefault << defaults;
}

// Containment, order, spacing and margins of every box layout; a default is
// whatever the style gives a layout at the same depth.
void TestMainWindow::layouts()
{
    QFETCH(QString, layoutName);
    QFETCH(QString, owner);
    QFETCH(QStringList, items);
    QFETCH(int, spacing);
    QFETCH(QList<int>, margins);
    auto *layout = findIn<QBoxLayout>(window.get(), layoutName.toLatin1().constData());
    QCOMPARE(layout->parentWidget()->objectName(), owner);
    QStringList found;
    for (int index = 0; index < layout->count(); ++index)
        found.append(describe(layout->itemAt(index)));
    QCOMPARE(found, items);

    const StyleDefaults style;
    const bool nested = layout->parentWidget()->layout() != layout;
    const QBoxLayout &reference = nested ? style.nested : style.outer;
    QCOMPARE(layout->spacing(), spacing == styleDefault ? reference.spacing() : spacing);
    const QMargins defaultMargins = reference.contentsMargins();
    const QMargins expected(margins[0] == styleDefault ? defaultMargins.left() : margins[0],
                            margins[1] == styleDefault ? defaultMargins.top() : margins[1],
                            margins[2] == styleDefault ? defaultMargins.right() : margins[2],
                            margins[3] == styleDefault ? defaultMargins.bottom() : margins[3]);
    QCOMPARE(layout->contentsMargins(), expected);
}

void TestMainWindow::gridCells_data()
{
    QTest::addColumn<QString>("layoutName");
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("basic options") << "gridLayout" << "groupBox_3"
                                   << QStringList{"0,0 label", "0,1 widthSpinBox", "0,2 label_2", "0,3 heightSpinBox",
                                                  "1,0 aspectRatioCheckBox", "1,1 cropCheckBox",
                                                  "1,2+2 shrinkOnlyCheckBox",
                                                  "2,0 label_3", "2,1 formatComboBox", "2,2 label_4",
                                                  "2,3 qualitySpinBox"};
    QTest::newRow("presets") << "gridLayout_5" << "groupBox_4"
                             << QStringList{"0,0 label_7", "0,1 aspectRatioComboBox", "0,2 label_8",
                                            "0,3 standardSizeComboBox", "0,9 spacer H",
                                            "2,0 flipVerticalCheckBox", "2,1 flipHorizontalCheckBox",
                                            "2,2 label_12", "2,3 rotationSpinBox"};
    QTest::newRow("watermark") << "gridLayout_3" << "groupBox_7"
                               << QStringList{"0,0 label_13", "0,1+3 watermarkTextEdit", "0,4 label_14",
                                              "0,5 watermarkColorButton", "1,0 label_15", "1,1 watermarkOpacitySlider",
                                              "1,2 label_16", "1,3 watermarkFontSizeSpinBox", "1,4 label_17",
                                              "1,5 watermarkPositionComboBox"};
    QTest::newRow("batch effects") << "gridLayout_4" << "groupBox_9"
                                   << QStringList{"0,0 autoEnhanceCheckBox", "0,1 extractChannelCheckBox",
                                                  "0,2 channelComboBox", "1,0 gridSplitCheckBox", "1,1 label_20",
                                                  "1,2 gridRowsSpinBox", "1,3 label_21", "1,4 gridColsSpinBox",
                                                  "1,5 spacer H", "2,0 batchRenameCheckBox", "2,1 label_22",
                                                  "2,2 batchPrefixLineEdit", "3,0 stripMetadataCheckBox",
                                                  "3,1+2 ifExistsLabel", "3,3+3 ifExistsComboBox"};
}

// Every cell by row and column; "+n" marks a cell spanning n columns.
void TestMainWindow::gridCells()
{
    QFETCH(QString, layoutName);
    QFETCH(QString, owner);
    QFETCH(QStringList, cells);
    auto *grid = findIn<QGridLayout>(window.get(), layoutName.toLatin1().constData());
    QCOMPARE(grid->parentWidget()->objectName(), owner);
    QStringList found;
    for (int index = 0; index < grid->count(); ++index) {
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        QCOMPARE(rowSpan, 1);
        QCOMPARE(grid->itemAt(index)->alignment(), Qt::Alignment());
        const QString span = columnSpan > 1 ? QStringLiteral("+%1").arg(columnSpan) : QString();
        found.append(QStringLiteral("%1,%2%3 %4").arg(row).arg(column).arg(span, describe(grid->itemAt(index))));
    }
    found.sort();
    cells.sort();
    QCOMPARE(found, cells);
}

namespace {

// QObject::receivers is protected; named through a class that makes it
// public it is an ordinary member pointer of QObject.
struct ReceiverCount : QObject
{
    using QObject::receivers;
};

int connectionCount(const QObject *sender, const char *signal)
{
    return (sender->*(&ReceiverCount::receivers))(signal);
}

} // namespace

void TestMainWindow::connections_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<int>("count");
    for (const char *name : {"selectImagesButton", "selectOutputButton", "processButton", "basicSettingsButton",
                             "advancedSettingsButton", "closeButton", "minButton", "menuButton",
                             "watermarkColorButton", "borderColorButton"})
        QTest::newRow(name) << name << QByteArray(SIGNAL(clicked(bool))) << 1;
    for (const char *name : {"autoEnhanceCheckBox", "extractChannelCheckBox", "gridSplitCheckBox", "batchRenameCheckBox"})
        QTest::newRow(name) << name << QByteArray(SIGNAL(stateChanged(int))) << 1;
    for (const char *name : {"contrastSlider", "saturationSlider", "brightnessSlider"})
        QTest::newRow(name) << name << QByteArray(SIGNAL(valueChanged(int))) << 1;
    QTest::newRow("logoButton") << "logoButton" << QByteArray(SIGNAL(clicked(bool))) << 0;
    QTest::newRow("watermarkCheckBox") << "watermarkCheckBox" << QByteArray(SIGNAL(stateChanged(int))) << 0;
    QTest::newRow("watermarkOpacitySlider") << "watermarkOpacitySlider" << QByteArray(SIGNAL(valueChanged(int))) << 0;
}

// Each handler is connected exactly once, so it runs once per signal; the
// controls that only hold values have no handler at all.
void TestMainWindow::connections()
{
    QFETCH(QString, objectName);
    QFETCH(QByteArray, signal);
    QFETCH(int, count);
    const QObject *sender = findIn<QWidget>(window.get(), objectName.toLatin1().constData());
    QCOMPARE(connectionCount(sender, signal.constData()), count);
}

void TestMainWindow::fileDialogs_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("fileMode");
    QTest::addColumn<QStringList>("filters");
    for (const char *language : {"zh_CN", "en_US"}) {
        QTest::addRow("images, %s", language) << language << "selectImagesButton" << "选择图片文件"
                                              << int(QFileDialog::ExistingFiles)
                                              << QStringList{"图片文件 (*.png *.jpg *.jpeg *.bmp *.tiff *.webp *.tif)"};
        QTest::addRow("output directory, %s", language) << language << "selectOutputButton" << "选择输出目录"
                                                        << int(QFileDialog::Directory) << QStringList();
    }
}

// The captions and the filter are fixed texts, the same in every language.
void TestMainWindow::fileDialogs()
{
    QFETCH(QString, language);
    QFETCH(QString, objectName);
    QFETCH(QString, caption);
    QFETCH(int, fileMode);
    QFETCH(QStringList, filters);
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
    QCOMPARE(directoriesOnly, filters.isEmpty());
    if (!filters.isEmpty())
        QCOMPARE(shownFilters, filters);
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

void TestMainWindow::dependentWidgets_data()
{
    QTest::addColumn<QString>("checkBox");
    QTest::addColumn<QStringList>("dependents");
    QTest::newRow("channel") << "extractChannelCheckBox" << QStringList{"channelComboBox"};
    QTest::newRow("grid") << "gridSplitCheckBox"
                          << QStringList{"gridRowsSpinBox", "gridColsSpinBox", "label_20", "label_21"};
    QTest::newRow("rename") << "batchRenameCheckBox" << QStringList{"batchPrefixLineEdit", "label_22"};
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
    const char *const watched[] = {"channelComboBox", "gridRowsSpinBox", "gridColsSpinBox", "label_20",
                                   "label_21", "batchPrefixLineEdit", "label_22"};
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

void TestMainWindow::progressSlot()
{
    auto *bar = findIn<QProgressBar>(window.get(), "progressBar");
    for (int value : {40, 100, 0}) {
        QVERIFY(QMetaObject::invokeMethod(window.get(), "updateProgress", Qt::QueuedConnection, Q_ARG(int, value)));
        QTRY_COMPARE(bar->value(), value);
    }
}

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
    close->click();
    QCOMPARE(answerer.boxes.size(), 2);
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
