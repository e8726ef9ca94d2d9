#include "mainwindow.h"
#include "optionform.h"
#include "pipeline/options.h"
#include "support/optionchanges.h"
#include "window/windowtestsupport.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>
#include <QTextEdit>

#include <memory>

// Every option control of the form against the field a run reads from it:
// one control changed at a time must change exactly its field.
class TestOptionMapping : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void controlReachesItsField_data();
    void controlReachesItsField();
    void everyControlIsTested();
    void controlsTakeTheDeclaredRanges();
    void startShowsTheInitialValues();

private:
    std::unique_ptr<MainWindow> window;
};

namespace {

// As a user would change it: a value typed or slid, a box ticked, an entry
// chosen, a text written.
void changeControl(QWidget *control, const QVariant &value)
{
    if (auto *slider = qobject_cast<QAbstractSlider *>(control))
        slider->setValue(value.toInt());
    else if (auto *box = qobject_cast<QSpinBox *>(control))
        box->setValue(value.toInt());
    else if (auto *check = qobject_cast<QCheckBox *>(control))
        check->setChecked(value.toBool());
    else if (auto *list = qobject_cast<QComboBox *>(control))
        list->setCurrentIndex(value.toInt());
    else if (auto *edit = qobject_cast<QTextEdit *>(control))
        edit->setPlainText(value.toString());
    else if (auto *line = qobject_cast<QLineEdit *>(control))
        line->setText(value.toString());
    else if (auto *button = qobject_cast<QAbstractButton *>(control))
        OptionForm::showColor(button, value.value<QColor>());
}

QSet<QString> testedControls;

void addRow(const char *control, const QVariant &value, const FieldValues &expected)
{
    testedControls.insert(QString::fromLatin1(control));
    QTest::newRow(control) << QString::fromLatin1(control) << value << expected;
}

} // namespace

void TestOptionMapping::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    useOwnSettingsFolder();
}

void TestOptionMapping::init()
{
    clearSettingsStores();
    window = std::make_unique<MainWindow>();
}

void TestOptionMapping::cleanup()
{
    window.reset();
}

void TestOptionMapping::controlReachesItsField_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<FieldValues>("expected");

    addRow("widthSpinBox", 640, {{"width", 640}});
    addRow("heightSpinBox", 480, {{"height", 480}});
    addRow("cropCheckBox", true, {{"crop", true}});
    addRow("aspectRatioCheckBox", false, {{"keepAspectRatio", false}});
    addRow("formatComboBox", 3, {{"format", "WEBP"}});
    addRow("qualitySpinBox", 42, {{"quality", 42}});
    addRow("filterComboBox", 6, {{"filter", "油画"}});
    addRow("filterIntensitySpinBox", 8, {{"filterIntensity", 8}});
    addRow("aspectRatioComboBox", 3, {{"aspectRatio", "16:9"}});
    addRow("standardSizeComboBox", 5, {{"standardSize", "1920x1080"}});
    addRow("brightnessSlider", -30, {{"brightness", -30}});
    addRow("contrastSlider", 45, {{"contrast", 45}});
    addRow("saturationSlider", 170, {{"saturation", 170}});
    addRow("rotationSpinBox", 270, {{"rotation", 270}});
    addRow("flipHorizontalCheckBox", true, {{"flipHorizontal", true}});
    addRow("flipVerticalCheckBox", true, {{"flipVertical", true}});
    addRow("autoEnhanceCheckBox", true, {{"autoEnhanceEnabled", true}});
    addRow("extractChannelCheckBox", true, {{"extractChannelEnabled", true}});
    addRow("channelComboBox", 4, {{"channel", "Magenta"}});
    addRow("gridSplitCheckBox", true, {{"gridSplit", true}});
    addRow("gridRowsSpinBox", 5, {{"gridRows", 5}});
    addRow("gridColsSpinBox", 7, {{"gridCols", 7}});
    addRow("watermarkCheckBox", true, {{"watermark", true}});
    addRow("watermarkTextEdit", "© 2026\nme", {{"watermarkText", "© 2026\nme"}});
    addRow("watermarkColorButton", QColor(10, 20, 30), {{"watermarkColor", QColor(10, 20, 30)}});
    addRow("watermarkOpacitySlider", 200, {{"watermarkOpacity", 200}});
    addRow("watermarkFontSizeSpinBox", 50, {{"watermarkFontSize", 50}});
    addRow("watermarkPositionComboBox", 3, {{"watermarkPositionIndex", 3}});
    addRow("borderCheckBox", true, {{"border", true}});
    addRow("borderThicknessSpinBox", 25, {{"borderThickness", 25}});
    addRow("borderColorButton", QColor(200, 0, 0), {{"borderColor", QColor(200, 0, 0)}});
    addRow("batchRenameCheckBox", true, {{"batchRename", true}});
    addRow("batchPrefixLineEdit", "holiday", {{"batchPrefix", "holiday"}});
    addRow("shrinkOnlyCheckBox", true, {{"shrinkOnly", true}});
    addRow("stripMetadataCheckBox", true, {{"stripMetadata", true}});
    addRow("ifExistsComboBox", 2, {{"ifExists", "skip"}});
}

void TestOptionMapping::controlReachesItsField()
{
    QFETCH(QString, control);
    QFETCH(QVariant, value);
    QFETCH(FieldValues, expected);

    auto *widget = window->findChild<QWidget *>(control);
    QVERIFY(widget);
    changeControl(widget, value);
    QCOMPARE(changedFields(window->findChild<OptionForm *>()->capture({}, {})), expected);
}

void TestOptionMapping::everyControlIsTested()
{
    for (const OptionDeclaration &option : optionDeclarations()) {
        if (option.widget)
            QVERIFY2(testedControls.contains(QString::fromUtf8(option.widget)), option.widget);
    }
}

void TestOptionMapping::controlsTakeTheDeclaredRanges()
{
    for (const OptionDeclaration &option : optionDeclarations()) {
        QWidget *control = window->findChild<OptionForm *>()->controlOf(option);
        QVERIFY2(!option.widget || control, option.widget);
        if (!control || option.type != OptionDeclaration::Type::Integer)
            continue;
        const int minimum = control->property("minimum").toInt();
        const int maximum = control->property("maximum").toInt();
        QVERIFY2(minimum == option.minimum && maximum == option.maximum, option.widget);
    }
}

void TestOptionMapping::startShowsTheInitialValues()
{
    QCOMPARE(changedFields(window->findChild<OptionForm *>()->capture({}, {})), FieldValues());
    const JobSettings shown = window->findChild<OptionForm *>()->capture({}, {});
    QCOMPARE(shown.brightness, 0);
    QCOMPARE(shown.saturation, 100);
    QCOMPARE(shown.quality, 85);
    QCOMPARE(shown.keepAspectRatio, true);
    QCOMPARE(shown.watermarkText, QStringLiteral("Watermark"));
    QCOMPARE(shown.watermarkColor, QColor(Qt::white));
    QCOMPARE(shown.gridRows, 3);
    QCOMPARE(shown.batchPrefix, QStringLiteral("image"));
}

QTEST_MAIN(TestOptionMapping)
#include "tst_optionmapping.moc"
