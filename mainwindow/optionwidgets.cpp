#include "optionwidgets.h"

#include "mainwindow.h"
#include "run/options.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QLineEdit>
#include <QTextEdit>
#include <QSpinBox>

namespace optionwidgets {

namespace {

using Type = OptionDeclaration::Type;

QVariant readControl(const QWidget *control, const OptionDeclaration &option)
{
    switch (option.type) {
    case Type::Integer:
        if (auto *slider = qobject_cast<const QAbstractSlider *>(control))
            return slider->value();
        return qobject_cast<const QSpinBox *>(control)->value();
    case Type::Flag:
        return qobject_cast<const QAbstractButton *>(control)->isChecked();
    case Type::Text:
        if (auto *edit = qobject_cast<const QTextEdit *>(control))
            return edit->toPlainText();
        return qobject_cast<const QLineEdit *>(control)->text();
    case Type::Colour:
        // The colour buttons keep the chosen colour as a property.
        return control->property("color");
    case Type::Preset: {
        auto *list = qobject_cast<const QComboBox *>(control);
        return option.holdsIndex ? QVariant(list->currentIndex()) : list->currentData();
    }
    }
    return QVariant();
}

void setControl(QWidget *control, const OptionDeclaration &option, const QVariant &value)
{
    switch (option.type) {
    case Type::Integer:
        if (auto *slider = qobject_cast<QAbstractSlider *>(control))
            slider->setValue(value.toInt());
        else
            qobject_cast<QSpinBox *>(control)->setValue(value.toInt());
        return;
    case Type::Flag:
        qobject_cast<QAbstractButton *>(control)->setChecked(value.toBool());
        return;
    case Type::Text:
        if (auto *edit = qobject_cast<QTextEdit *>(control))
            edit->setPlainText(value.toString());
        else
            qobject_cast<QLineEdit *>(control)->setText(value.toString());
        return;
    case Type::Colour:
        MainWindow::showColor(qobject_cast<QAbstractButton *>(control), value.value<QColor>());
        return;
    case Type::Preset: {
        auto *list = qobject_cast<QComboBox *>(control);
        list->setCurrentIndex(option.holdsIndex ? value.toInt() : list->findData(value));
        return;
    }
    }
}

} // namespace

QWidget *controlOf(const QWidget *form, const OptionDeclaration &option)
{
    if (!option.widget)
        return nullptr;
    return form->findChild<QWidget *>(QString::fromUtf8(option.widget));
}

void applyRanges(QWidget *form)
{
    for (const OptionDeclaration *declared : optionDeclarations()) {
        const OptionDeclaration &option = *declared;
        QWidget *control = controlOf(form, option);
        if (!control || option.type != Type::Integer)
            continue;
        if (auto *slider = qobject_cast<QAbstractSlider *>(control))
            slider->setRange(option.minimum, option.maximum);
        else if (auto *box = qobject_cast<QSpinBox *>(control))
            box->setRange(option.minimum, option.maximum);
    }
}

void fillPresetLists(QWidget *form,
                     const std::function<bool(const OptionDeclaration &)> &resetsWithList)
{
    for (const OptionDeclaration *declared : optionDeclarations()) {
        const OptionDeclaration &option = *declared;
        auto *list = qobject_cast<QComboBox *>(controlOf(form, option));
        if (!list || option.type != Type::Preset)
            continue;
        const int shown = resetsWithList(option) ? 0 : qMax(0, list->currentIndex());
        // A list emptied and refilled selects its first entry on its own.
        list->clear();
        // A list that a run reads by position carries no keys.
        for (const PresetEntry &entry : *option.presets)
            list->addItem(MainWindow::tr(entry.sourceText),
                          option.holdsIndex ? QVariant() : QVariant(QString::fromUtf8(entry.key)));
        list->setCurrentIndex(shown);
    }
}

void setInitialValues(QWidget *form, const std::function<bool(const OptionDeclaration &)> &selected)
{
    for (const OptionDeclaration *declared : optionDeclarations()) {
        const OptionDeclaration &option = *declared;
        QWidget *control = controlOf(form, option);
        if (control && selected(option))
            setControl(control, option, option.initial());
    }
}

JobSettings captureOptions(const QWidget *form)
{
    JobSettings settings;
    for (const OptionDeclaration *declared : optionDeclarations()) {
        const OptionDeclaration &option = *declared;
        if (const QWidget *control = controlOf(form, option))
            option.setValue(settings, readControl(control, option));
    }
    return settings;
}

} // namespace optionwidgets
