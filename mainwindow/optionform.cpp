#include "optionform.h"
#include "ui_mainwindow.h"

#include "imagelistpanel.h"

#include "filters/sharpen.h"
#include "formats/formattable.h"
#include "run/options.h"

#include <QColorDialog>
#include <QEvent>
#include <QFileDialog>
#include <QPainter>
#include <QScrollBar>

#include <functional>
#include <utility>

namespace {

using Type = OptionDeclaration::Type;
using OptionFilter = std::function<bool(const OptionDeclaration &)>;

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
        OptionForm::showColor(qobject_cast<QAbstractButton *>(control), value.value<QColor>());
        return;
    case Type::Preset: {
        auto *list = qobject_cast<QComboBox *>(control);
        list->setCurrentIndex(option.holdsIndex ? value.toInt() : list->findData(value));
        return;
    }
    }
}

// Lists whose option resetsWithList says so start at their first entry; the
// others keep the entry they showed. The entries' texts are declared in the
// window's translation context; a list that a run reads by position carries
// no keys.
void fillPresetList(QComboBox *list, const OptionDeclaration &option, bool resetsWithList)
{
    const int shown = resetsWithList ? 0 : qMax(0, list->currentIndex());
    // A list emptied and refilled selects its first entry on its own.
    list->clear();
    for (const PresetEntry &entry : *option.presets)
        list->addItem(QCoreApplication::translate("MainWindow", entry.sourceText),
                      option.holdsIndex ? QVariant() : QVariant(QString::fromUtf8(entry.key)));
    list->setCurrentIndex(shown);
}

// The fields a batch check box shows while it is fully checked.
QList<std::pair<QCheckBox *, QList<QWidget *>>> batchFields(const Ui::MainWindow *ui)
{
    return {{ui->extractChannelCheckBox, {ui->channelComboBox}},
            {ui->gridSplitCheckBox, {ui->gridRowsLabel, ui->gridRowsSpinBox, ui->gridColsLabel, ui->gridColsSpinBox}},
            {ui->batchRenameCheckBox, {ui->batchPrefixLabel, ui->batchPrefixLineEdit}}};
}

} // namespace

// Every control takes its declared range and initial value.
OptionForm::OptionForm(Ui::MainWindow *ui, QWidget *form)
    : QObject(form), ui(ui), form(form)
{
    keepLayoutSteady();
    scrollPastUnfocusedControls();
    connectDependentControls();
    for (const OptionDeclaration *option : optionDeclarations()) {
        QWidget *control = controlOf(*option);
        if (!control || option->type != Type::Integer)
            continue;
        if (auto *slider = qobject_cast<QAbstractSlider *>(control))
            slider->setRange(option->minimum, option->maximum);
        else if (auto *box = qobject_cast<QSpinBox *>(control))
            box->setRange(option->minimum, option->maximum);
    }
    // The lists are filled first, so that each takes its initial entry,
    // which need not be its first.
    retranslate();
    for (const OptionDeclaration *option : optionDeclarations()) {
        if (QWidget *control = controlOf(*option))
            setControl(control, *option, option->initial());
    }
    showOpacity(ui->watermarkOpacitySlider->value());
    enableFormatOptions();
    reportChanges();
}

// Each control's own change signal, whatever its kind.
void OptionForm::reportChanges()
{
    for (const OptionDeclaration *option : optionDeclarations()) {
        QWidget *control = controlOf(*option);
        if (auto *slider = qobject_cast<QAbstractSlider *>(control))
            connect(slider, &QAbstractSlider::valueChanged, this, &OptionForm::optionsChanged);
        else if (auto *box = qobject_cast<QSpinBox *>(control))
            connect(box, &QSpinBox::valueChanged, this, &OptionForm::optionsChanged);
        else if (auto *list = qobject_cast<QComboBox *>(control))
            connect(list, &QComboBox::currentIndexChanged, this, &OptionForm::optionsChanged);
        else if (auto *edit = qobject_cast<QTextEdit *>(control))
            connect(edit, &QTextEdit::textChanged, this, &OptionForm::optionsChanged);
        else if (auto *line = qobject_cast<QLineEdit *>(control))
            connect(line, &QLineEdit::textChanged, this, &OptionForm::optionsChanged);
        else if (auto *button = qobject_cast<QAbstractButton *>(control); button && option->type == Type::Flag)
            connect(button, &QAbstractButton::toggled, this, &OptionForm::optionsChanged);
    }
}

// The slider sets the watermark's alpha, 0 to 255; people think of opacity
// in percent.
void OptionForm::showOpacity(int alpha)
{
    const QString percent = QStringLiteral("%1%").arg(qRound(alpha * 100.0 / ui->watermarkOpacitySlider->maximum()));
    ui->watermarkOpacityValueLabel->setText(percent);
    ui->watermarkOpacitySlider->setAccessibleDescription(percent);
}

QWidget *OptionForm::controlOf(const OptionDeclaration &option) const
{
    if (!option.widget)
        return nullptr;
    return form->findChild<QWidget *>(QString::fromUtf8(option.widget));
}

// The run works on this copy alone, so whatever changes in the window while
// it runs does not reach it.
JobSettings OptionForm::capture(const QStringList &inputs, const QString &outputDirectory) const
{
    JobSettings settings;
    for (const OptionDeclaration *option : optionDeclarations()) {
        if (const QWidget *control = controlOf(*option))
            option->setValue(settings, readControl(control, *option));
    }
    settings.imagePaths = inputs;
    settings.outputDirectory = outputDirectory;
    return settings;
}

// Each control's tool tip is its option's help, as the command line gives
// it, in the interface language. The options the table does not reset at a
// language switch keep their values. The batch fields hide, even under a checked box; checking it
// again shows them.
void OptionForm::retranslate()
{
    for (const OptionDeclaration *option : optionDeclarations()) {
        QWidget *control = controlOf(*option);
        if (control && option->help)
            control->setToolTip(QCoreApplication::translate("OptionHelp", option->help));
        if (auto *list = qobject_cast<QComboBox *>(control); list && option->type == Type::Preset)
            fillPresetList(list, *option, option->resetByLanguageSwitch);
        if (control && option->resetByLanguageSwitch)
            setControl(control, *option, option->initial());
    }
    for (const auto &[box, fields] : batchFields(ui)) {
        for (QWidget *field : fields)
            field->setVisible(false);
    }
}

// Clearing the batch check boxes hides their fields through their own
// connections.
void OptionForm::reset()
{
    for (const OptionDeclaration *option : optionDeclarations()) {
        QWidget *control = controlOf(*option);
        if (control && option->type != Type::Colour)
            setControl(control, *option, option->initial());
    }
}

void OptionForm::apply(const JobSettings &settings)
{
    for (const OptionDeclaration *option : optionDeclarations()) {
        if (QWidget *control = controlOf(*option))
            setControl(control, *option, option->value(settings));
    }
    emit optionsChanged();
}

// Fields that show and hide keep their place, and the slider values have
// room for their widest value, so that nothing around them moves.
void OptionForm::keepLayoutSteady()
{
    for (const auto &[box, fields] : batchFields(ui)) {
        for (QWidget *field : fields) {
            QSizePolicy policy = field->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            field->setSizePolicy(policy);
        }
    }
    for (QLabel *value : {ui->contrastValueLabel, ui->saturationValueLabel, ui->brightnessValueLabel,
                          ui->watermarkOpacityValueLabel}) {
        value->setContentsMargins(0, 0, 12, 0);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("-100")) + 16);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    const QFontMetrics text = ui->watermarkTextEdit->fontMetrics();
    ui->watermarkTextEdit->setFixedHeight(2 * text.lineSpacing() + 12);
}

// The wheel over the advanced page scrolls it: a list, box or slider
// passed under the pointer keeps its value unless the user has chosen it
// (by a click or Tab) first.
void OptionForm::scrollPastUnfocusedControls()
{
    for (const OptionDeclaration *option : optionDeclarations()) {
        QWidget *control = controlOf(*option);
        if (!control || !ui->advancedScrollArea->isAncestorOf(control))
            continue;
        if (control->focusPolicy() == Qt::WheelFocus)
            control->setFocusPolicy(Qt::StrongFocus);
        control->installEventFilter(this);
    }
}

bool OptionForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel || static_cast<QWidget *>(watched)->hasFocus())
        return QObject::eventFilter(watched, event);
    QCoreApplication::sendEvent(ui->advancedScrollArea->verticalScrollBar(), event);
    return true;
}

// A partly checked box, which a user cannot make, shows nothing either.
void OptionForm::connectDependentControls()
{
    for (const auto &[box, fields] : batchFields(ui)) {
        connect(box, &QCheckBox::stateChanged, this, [fields = fields](int state) {
            for (QWidget *field : fields)
                field->setVisible(state == Qt::Checked);
        });
    }
    const std::pair<QSlider *, QLabel *> valuesShown[] = {{ui->contrastSlider, ui->contrastValueLabel},
                                                          {ui->saturationSlider, ui->saturationValueLabel},
                                                          {ui->brightnessSlider, ui->brightnessValueLabel}};
    for (const auto &[slider, value] : valuesShown)
        connect(slider, &QSlider::valueChanged, value, qOverload<int>(&QLabel::setNum));
    connect(ui->watermarkOpacitySlider, &QSlider::valueChanged, this, &OptionForm::showOpacity);
    // The size modes' and the watermark's size units' fields are the pages
    // of a stack, in the list's order.
    const std::pair<QComboBox *, QStackedWidget *> pagedFields[] = {
            {ui->sizeModeComboBox, ui->sizeFieldsStack}, {ui->watermarkSizeUnitComboBox, ui->watermarkSizeStack}};
    for (const auto &[list, stack] : pagedFields)
        connect(list, &QComboBox::currentIndexChanged, stack, &QStackedWidget::setCurrentIndex);
    // Cropping and keeping the proportions concern the box alone: the other
    // modes keep the proportions and never crop.
    connect(ui->sizeModeComboBox, &QComboBox::currentIndexChanged, this, [this](int mode) {
        for (QWidget *boxOnly : {static_cast<QWidget *>(ui->aspectRatioCheckBox), static_cast<QWidget *>(ui->cropCheckBox)})
            boxOnly->setEnabled(mode == 0);
    });
    connect(ui->formatComboBox, &QComboBox::currentIndexChanged, this, &OptionForm::enableFormatOptions);
    connect(ui->logoFileButton, &QPushButton::clicked, this, &OptionForm::chooseLogo);
    connect(ui->webSharpenButton, &QPushButton::clicked, this, [this] {
        ui->sharpenAmountSpinBox->setValue(webSharpening.amount);
        ui->sharpenRadiusSpinBox->setValue(webSharpening.radius);
        ui->sharpenThresholdSpinBox->setValue(webSharpening.threshold);
    });
    for (QPushButton *button : {ui->watermarkColorButton, ui->borderColorButton})
        connect(button, &QPushButton::clicked, this, [this, button] { chooseColor(button); });
}

// A format option's control, with its label, is enabled while the chosen
// format's writer reads it; "same as input" may write any format.
void OptionForm::enableFormatOptions()
{
    const QString chosen = readControl(ui->formatComboBox, option::format).toString();
    const FileFormat *written = formatWritten(chosen);
    const QList<QLabel *> labels = form->findChildren<QLabel *>();
    for (const FileFormat &format : fileFormats()) {
        for (const OptionDeclaration *option : format.encoderOptions) {
            QWidget *control = controlOf(*option);
            const bool applies = !written || written->encoderOptions.contains(*option);
            control->setEnabled(applies);
            for (QLabel *label : labels) {
                if (label->buddy() == control)
                    label->setEnabled(applies);
            }
        }
    }
}

// A cancelled dialog keeps the colour the button shows.
void OptionForm::chooseColor(QPushButton *button)
{
    const QColor shown = button->property("color").value<QColor>();
    const QColor chosen = QColorDialog::getColor(shown, form, tr("选择颜色"));
    if (chosen.isValid()) {
        showColor(button, chosen);
        emit optionsChanged();
    }
}

// A cancelled dialog keeps the file the field names.
void OptionForm::chooseLogo()
{
    const QString filters = ImageListPanel::tr("图片文件 (%1)").arg(readableNameFilters().join(QLatin1Char(' ')));
    const QString chosen = QFileDialog::getOpenFileName(form, tr("选择标志图片"), ui->logoFileEdit->text(), filters);
    if (!chosen.isEmpty())
        ui->logoFileEdit->setText(chosen);
}

// A framed swatch, so that white still shows on the white button.
void OptionForm::showColor(QAbstractButton *button, const QColor &color)
{
    QPixmap swatch(16, 16);
    swatch.fill(color);
    QPainter painter(&swatch);
    painter.setPen(QColor(0xb6, 0xb6, 0xb6));
    painter.drawRect(0, 0, swatch.width() - 1, swatch.height() - 1);
    painter.end();
    button->setIcon(QIcon(swatch));
    button->setProperty("color", color);
}
