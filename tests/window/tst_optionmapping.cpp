#include "composition/gridcell.h"
#include "composition/watermark.h"
#include "filters/sharpen.h"
#include "geometry/size.h"
#include "mainwindow.h"
#include "optionform.h"
#include "run/options.h"
#include "support/optionchanges.h"
#include "tone/brightness.h"
#include "tone/saturation.h"
#include "window/windowtestsupport.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTest>
#include <QTextEdit>

#include <memory>

Q_DECLARE_METATYPE(const OptionDeclaration *)

// Every row of the option table through the form, generated from the
// table: its control is there; set as a user sets it (beyond either end of
// its range, to every entry of its list, a flag turned over, a text, a
// colour) it reaches exactly its own field, as the value the control shows.
// And every control of the form that takes a value is some row's.
class TestOptionMapping : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void controlReachesItsField_data();
    void controlReachesItsField();
    void everyControlIsAnOption();
    void startShowsTheInitialValues();
    void sizeModeShowsItsFields();
    void webSharpeningSetsItsValues();

private:
    std::unique_ptr<MainWindow> window;
    OptionForm *form = nullptr;
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

// The control set to value shows shown, by default value itself: its
// option's field changes to that, unless it is the initial value.
void addRow(const OptionDeclaration &option, const QString &what, const QVariant &value, QVariant shown = {})
{
    if (!shown.isValid())
        shown = value;
    const FieldValues changed = {{QString::fromUtf8(option.name), shown}};
    QTest::addRow("%s %s", option.name, qPrintable(what))
        << &option << value << (shown == option.initial() ? FieldValues() : changed);
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
    form = window->findChild<OptionForm *>();
    QVERIFY(form);
}

void TestOptionMapping::cleanup()
{
    window.reset();
}

// A list whose field is a number gets the entry's position, any other its key.
void TestOptionMapping::controlReachesItsField_data()
{
    QTest::addColumn<const OptionDeclaration *>("option");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<FieldValues>("expected");
    using Type = OptionDeclaration::Type;
    for (const OptionDeclaration *declared : optionDeclarations()) {
        const OptionDeclaration &option = *declared;
        if (!option.widget)
            continue;
        switch (option.type) {
        case Type::Integer:
            addRow(option, QStringLiteral("below"), option.minimum - 1, option.minimum);
            addRow(option, QStringLiteral("above"), option.maximum + 1, option.maximum);
            break;
        case Type::Flag:
            addRow(option, QStringLiteral("turned"), !option.initial().toBool());
            break;
        case Type::Text:
            addRow(option, QStringLiteral("text"), QStringLiteral("假日\n© 2026"));
            break;
        case Type::Colour:
            addRow(option, QStringLiteral("colour"), QColor(10, 20, 30));
            break;
        case Type::Preset: {
            for (int index = 0; index < option.presets->size(); ++index)
                addRow(option, option.presets->key(index), index,
                       option.holdsIndex ? QVariant(index) : QVariant(option.presets->key(index)));
            break;
        }
        }
    }
}

void TestOptionMapping::controlReachesItsField()
{
    QFETCH(const OptionDeclaration *, option);
    QFETCH(QVariant, value);
    QFETCH(FieldValues, expected);
    QWidget *control = form->controlOf(*option);
    QVERIFY2(control, option->name);
    changeControl(control, value);
    QCOMPARE(changedFields(form->capture({}, {})), expected);
}

// A control the table does not name would change nothing a run gets; the
// preset list only sets the other controls. Each says what it does in its
// tool tip.
void TestOptionMapping::everyControlIsAnOption()
{
    QSet<QString> declared = {QStringLiteral("presetComboBox")};
    for (const OptionDeclaration *option : optionDeclarations()) {
        if (option->widget)
            declared.insert(QString::fromUtf8(option->widget));
    }
    for (QWidget *control : findIn<QStackedWidget>(window.get(), "stackedWidget")->findChildren<QWidget *>()) {
        const bool takesValue = qobject_cast<QAbstractSpinBox *>(control) || qobject_cast<QAbstractSlider *>(control)
            || qobject_cast<QComboBox *>(control) || qobject_cast<QCheckBox *>(control)
            || qobject_cast<QLineEdit *>(control) || qobject_cast<QTextEdit *>(control);
        const QString name = control->objectName();
        if (takesValue && !name.isEmpty() && !name.startsWith(QLatin1String("qt_"))) {
            QVERIFY2(declared.contains(name), qPrintable(name));
            QVERIFY2(!control->toolTip().isEmpty(), qPrintable(name));
        }
    }
}

void TestOptionMapping::startShowsTheInitialValues()
{
    QCOMPARE(changedFields(form->capture({}, {})), FieldValues());
    const JobSettings shown = form->capture({}, {});
    QCOMPARE(shown.value(option::brightness), 0);
    QCOMPARE(shown.value(option::saturation), 100);
    QCOMPARE(shown.value(option::quality), 85);
    QCOMPARE(shown.value(option::keepAspectRatio), true);
    QCOMPARE(shown.value(option::watermarkText), QStringLiteral("Watermark"));
    QCOMPARE(shown.value(option::watermarkColor), QColor(Qt::white));
    QCOMPARE(shown.value(option::gridRows), 3);
    QCOMPARE(shown.value(option::batchPrefix), QStringLiteral("image"));
}

// Each entry of the size modes shows the page holding its own fields.
void TestOptionMapping::sizeModeShowsItsFields()
{
    auto *modes = qobject_cast<QComboBox *>(form->controlOf(option::sizeMode));
    auto *stack = findIn<QStackedWidget>(window.get(), "sizeFieldsStack");
    const OptionDeclaration *fields[] = {&option::width, &option::longEdge, &option::shortEdge, &option::scalePercent};
    for (int index = 0; index < modes->count(); ++index) {
        modes->setCurrentIndex(index);
        QVERIFY(stack->currentWidget()->isAncestorOf(form->controlOf(*fields[index])));
    }
}

void TestOptionMapping::webSharpeningSetsItsValues()
{
    findIn<QPushButton>(window.get(), "webSharpenButton")->click();
    const JobSettings shown = form->capture({}, {});
    QCOMPARE(shown.value(option::sharpenAmount), webSharpening.amount);
    QCOMPARE(shown.value(option::sharpenRadius), webSharpening.radius);
    QCOMPARE(shown.value(option::sharpenThreshold), webSharpening.threshold);
    QVERIFY(webSharpening.amount > 0);
}

QTEST_MAIN(TestOptionMapping)
#include "tst_optionmapping.moc"
