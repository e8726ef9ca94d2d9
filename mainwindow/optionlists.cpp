#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "initialoptions.h"

#include <QList>

namespace {

// One preset entry: its displayed text is looked up in the current catalogue,
// its key is what a run receives, the same in every language.
struct OptionEntry
{
    const char *sourceText;
    const char *key;
};

const OptionEntry aspectRatioEntries[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "原始比例"), "原始比例"},
    {QT_TRANSLATE_NOOP("MainWindow", "1:1 (正方形)"), "1:1"},
    {QT_TRANSLATE_NOOP("MainWindow", "4:3"), "4:3"},
    {QT_TRANSLATE_NOOP("MainWindow", "16:9"), "16:9"},
    {QT_TRANSLATE_NOOP("MainWindow", "3:2"), "3:2"},
};

const OptionEntry standardSizeEntries[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "自定义"), "自定义"},
    {QT_TRANSLATE_NOOP("MainWindow", "640x480 (VGA)"), "640x480"},
    {QT_TRANSLATE_NOOP("MainWindow", "800x600 (SVGA)"), "800x600"},
    {QT_TRANSLATE_NOOP("MainWindow", "1024x768 (XGA)"), "1024x768"},
    {QT_TRANSLATE_NOOP("MainWindow", "1280x720 (HD)"), "1280x720"},
    {QT_TRANSLATE_NOOP("MainWindow", "1920x1080 (Full HD)"), "1920x1080"},
    {QT_TRANSLATE_NOOP("MainWindow", "1080x1080 (Instagram)"), "1080x1080"},
    {QT_TRANSLATE_NOOP("MainWindow", "1200x1200"), "1200x1200"},
};

// The watermark position travels as the entry's position: no keys.
const OptionEntry watermarkPositionEntries[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "左上角"), nullptr},
    {QT_TRANSLATE_NOOP("MainWindow", "右上角"), nullptr},
    {QT_TRANSLATE_NOOP("MainWindow", "左下角"), nullptr},
    {QT_TRANSLATE_NOOP("MainWindow", "右下角"), nullptr},
    {QT_TRANSLATE_NOOP("MainWindow", "中心"), nullptr},
};

const OptionEntry channelEntries[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "红色通道"), "Red"},
    {QT_TRANSLATE_NOOP("MainWindow", "绿色通道"), "Green"},
    {QT_TRANSLATE_NOOP("MainWindow", "蓝色通道"), "Blue"},
    {QT_TRANSLATE_NOOP("MainWindow", "青色通道"), "Cyan"},
    {QT_TRANSLATE_NOOP("MainWindow", "洋红通道"), "Magenta"},
    {QT_TRANSLATE_NOOP("MainWindow", "黄色通道"), "Yellow"},
};

// The list starts empty, so its first entry ends up selected.
template <std::size_t Count>
void fillOptionList(QComboBox *list, const OptionEntry (&entries)[Count])
{
    list->clear();
    for (const OptionEntry &entry : entries) {
        const QVariant key = entry.key ? QVariant(QString::fromUtf8(entry.key)) : QVariant();
        list->addItem(MainWindow::tr(entry.sourceText), key);
    }
}

} // namespace

// Fills the four preset lists in the interface language and puts the
// controls they go with back to their initial values. The controls of the
// batch options start hidden; their check boxes show them again.
void MainWindow::initializeOptions()
{
    fillOptionList(ui->aspectRatioComboBox, aspectRatioEntries);
    fillOptionList(ui->standardSizeComboBox, standardSizeEntries);
    fillOptionList(ui->watermarkPositionComboBox, watermarkPositionEntries);
    fillOptionList(ui->channelComboBox, channelEntries);

    ui->brightnessSlider->setValue(initialoptions::brightness);
    ui->contrastSlider->setValue(initialoptions::contrast);
    ui->saturationSlider->setValue(initialoptions::saturation);
    ui->rotationSpinBox->setValue(initialoptions::rotation);
    ui->watermarkTextEdit->setPlainText(initialoptions::watermarkText());
    ui->watermarkOpacitySlider->setValue(initialoptions::watermarkOpacity);
    ui->watermarkFontSizeSpinBox->setValue(initialoptions::watermarkFontSize);
    ui->borderThicknessSpinBox->setValue(initialoptions::borderThickness);
    ui->gridRowsSpinBox->setValue(initialoptions::gridRows);
    ui->gridColsSpinBox->setValue(initialoptions::gridCols);
    ui->batchPrefixLineEdit->setText(initialoptions::batchPrefix());

    const QList<QWidget *> batchControls = {ui->gridRowsSpinBox, ui->gridColsSpinBox, ui->label_20,
                                            ui->label_21, ui->batchPrefixLineEdit, ui->label_22,
                                            ui->channelComboBox};
    for (QWidget *batchControl : batchControls)
        batchControl->setVisible(false);
}
