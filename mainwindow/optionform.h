#ifndef OPTIONFORM_H
#define OPTIONFORM_H

#include "job/jobsettings.h"

#include <QObject>

QT_BEGIN_NAMESPACE
namespace Ui { class MainWindow; }
class QAbstractButton;
class QPushButton;
QT_END_NAMESPACE

struct OptionDeclaration;

// The processing options of the form: each control found by the object
// name the option table declares, given its range and initial value, its
// preset list filled in the interface language, and read into the record
// a run gets. The window's only reader of the option table; it also keeps
// the controls that go with an option (the value beside a slider, the
// fields a check box shows) in step.
class OptionForm : public QObject
{
    Q_OBJECT

public:
    OptionForm(Ui::MainWindow *ui, QWidget *form);

    // The control of option in the form; null when the form lacks it.
    QWidget *controlOf(const OptionDeclaration &option) const;

    // The options the controls show, hidden ones too, for a run over
    // inputs into outputDirectory.
    JobSettings capture(const QStringList &inputs, const QString &outputDirectory) const;

    // Refills the preset lists in the interface language and puts back the
    // options a language switch resets; the batch fields hide.
    void retranslate();

    // Every option back to its value at a first start; the chosen colours
    // stay.
    void reset();

    // Every control shows its option's value in settings, colours included.
    void apply(const JobSettings &settings);

    // Shows color as the button's swatch and keeps it as the button's
    // "color" property, which capture reads.
    static void showColor(QAbstractButton *button, const QColor &color);

signals:
    // A control changed an option's value, by hand or by apply or reset.
    void optionsChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void keepLayoutSteady();
    void scrollPastUnfocusedControls();
    void reportChanges();
    void connectDependentControls();
    void chooseColor(QPushButton *button);
    void chooseLogo();
    void showOpacity(int alpha);
    void enableFormatOptions();

    Ui::MainWindow *ui;
    QWidget *form;
};

#endif // OPTIONFORM_H
