#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "initialoptions.h"

#include "thumbnailloader.h"

#include <QMessageBox>
#include <QSettings>

namespace {

bool confirmReset(QWidget *parent)
{
    const QMessageBox::StandardButton answer = QMessageBox::question(
        parent, MainWindow::tr("确认重置"),
        MainWindow::tr("确定要将应用程序重置为初始状态吗？所有设置都将被清除。"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
    return answer == QMessageBox::Yes;
}

void clearStores()
{
    QSettings settingsStore(QStringLiteral("Orvantis"), QStringLiteral("Vellumo"));
    settingsStore.clear();
    settingsStore.sync();
    QSettings(QStringLiteral("Vellumo"), QStringLiteral("Vellumo")).remove(QStringLiteral("language"));
}

// Every processing option back to its value at a first start. Clearing the
// batch option boxes hides their controls through their own handlers.
void resetControls(Ui::MainWindow *ui)
{
    ui->progressBar->setValue(0);
    ui->widthSpinBox->setValue(0);
    ui->heightSpinBox->setValue(0);
    ui->aspectRatioCheckBox->setChecked(true);
    ui->cropCheckBox->setChecked(false);
    ui->formatComboBox->setCurrentIndex(0);
    ui->qualitySpinBox->setValue(85);
    ui->filterComboBox->setCurrentIndex(0);
    ui->filterIntensitySpinBox->setValue(5);
    ui->aspectRatioComboBox->setCurrentIndex(0);
    ui->standardSizeComboBox->setCurrentIndex(0);
    ui->brightnessSlider->setValue(initialoptions::brightness);
    ui->contrastSlider->setValue(initialoptions::contrast);
    ui->saturationSlider->setValue(initialoptions::saturation);
    ui->rotationSpinBox->setValue(initialoptions::rotation);
    ui->flipHorizontalCheckBox->setChecked(false);
    ui->flipVerticalCheckBox->setChecked(false);
    ui->watermarkCheckBox->setChecked(false);
    ui->watermarkTextEdit->setPlainText(initialoptions::watermarkText());
    ui->watermarkOpacitySlider->setValue(initialoptions::watermarkOpacity);
    ui->watermarkFontSizeSpinBox->setValue(initialoptions::watermarkFontSize);
    ui->watermarkPositionComboBox->setCurrentIndex(0);
    ui->borderCheckBox->setChecked(false);
    ui->borderThicknessSpinBox->setValue(initialoptions::borderThickness);
    ui->autoEnhanceCheckBox->setChecked(false);
    ui->extractChannelCheckBox->setChecked(false);
    ui->channelComboBox->setCurrentIndex(0);
    ui->gridSplitCheckBox->setChecked(false);
    ui->gridRowsSpinBox->setValue(initialoptions::gridRows);
    ui->gridColsSpinBox->setValue(initialoptions::gridCols);
    ui->batchRenameCheckBox->setChecked(false);
    ui->batchPrefixLineEdit->setText(initialoptions::batchPrefix());
}

} // namespace

// Returns the program to a first start after one confirmation: both stores
// emptied, selection and output directory forgotten, every option and the
// language back to the initial ones. The colours and the page shown stay.
// A run still going keeps its own copy of everything and finishes.
void MainWindow::resetApplication()
{
    if (!confirmReset(this))
        return;
    clearStores();
    imagePaths.clear();
    outputDirectory.clear();
    thumbnailLoader->stop();
    ui->imagesList->clear();
    ui->outputPathLabel->clear();
    resetControls(ui);
    switchLanguage(QStringLiteral("zh_CN"));
    QMessageBox::information(this, tr("重置完成"), tr("应用程序已重置为初始状态。"), QMessageBox::Ok,
                             QMessageBox::NoButton);
}
