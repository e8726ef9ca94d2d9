#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "optionwidgets.h"
#include "pipeline/options.h"
#include "thumbnailloader.h"

#include <QCloseEvent>
#include <QColorDialog>
#include <QCoreApplication>
#include <QGraphicsDropShadowEffect>
#include <QMessageBox>
#include <QPainter>
#include <QSettings>
#include <QStandardPaths>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent),
      ui(new Ui::MainWindow),
      dragging(false),
      settings(new QSettings(QStringLiteral("Orvantis"), QStringLiteral("Vellumo"), this)),
      appMenu(nullptr),
      currentLanguage(QStringLiteral("zh_CN")),
      thumbnailLoader(new ThumbnailLoader(this)),
      addImagesAction(nullptr),
      addFolderAction(nullptr),
      removeImagesAction(nullptr),
      clearImagesAction(nullptr),
      cancelRequested(std::make_shared<std::atomic<bool>>(false)),
      batchRunning(false),
      closing(false)
{
    ui->setupUi(this);
    setUpImageList();
    setUpAccessibility();
    keepLayoutSteady();
    applyFramelessLook();
    ui->progressBar->setValue(0);
    optionwidgets::applyRanges(this);
    optionwidgets::setInitialValues(this, [](const OptionDeclaration &) { return true; });
    initializeOptions();
    ui->stackedWidget->setCurrentIndex(0);
    connect(ui->menuButton, &QPushButton::clicked, this, [this] { showApplicationMenu(); });
    connect(thumbnailLoader, &ThumbnailLoader::thumbnailReady, this, &MainWindow::showThumbnail,
            Qt::QueuedConnection);
    loadLanguageSetting();
    loadOutputDirectory();
}

// A run still going is stopped first: it posts to this window until it ends.
MainWindow::~MainWindow()
{
    cancelRunningBatch();
    delete thumbnailLoader;
    saveOutputDirectory();
    delete ui;
}

// No system frame: the transparent margin of the central widget's layout is
// where the body's shadow shows, evenly on all four sides.
void MainWindow::applyFramelessLook()
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    auto *shadow = new QGraphicsDropShadowEffect(this);
    shadow->setBlurRadius(20.0);
    shadow->setColor(QColor(0, 0, 0, 80));
    shadow->setOffset(0, 0);
    shadow->setEnabled(true);
    ui->centralwidget->setGraphicsEffect(shadow);
    setFixedSize(690, 760);
}

// Options that show and hide keep their place, and the slider values have
// room for their widest value, so that nothing around them moves.
void MainWindow::keepLayoutSteady()
{
    for (QWidget *optional : std::initializer_list<QWidget *>{
                 ui->channelComboBox, ui->gridRowsSpinBox, ui->gridColsSpinBox, ui->gridRowsLabel, ui->gridColsLabel,
                 ui->batchPrefixLineEdit, ui->batchPrefixLabel}) {
        QSizePolicy policy = optional->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        optional->setSizePolicy(policy);
    }
    for (QLabel *value : {ui->contrastValueLabel, ui->saturationValueLabel, ui->brightnessValueLabel}) {
        value->setContentsMargins(0, 0, 12, 0);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("-100")) + 16);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    const QFontMetrics text = ui->watermarkTextEdit->fontMetrics();
    ui->watermarkTextEdit->setFixedHeight(2 * text.lineSpacing() + 12);
}

void MainWindow::saveOutputDirectory()
{
    settings->setValue(QStringLiteral("outputDirectory"), outputDirectory);
    settings->sync();
}

// An empty stored value stays empty: it is what a reset leaves behind.
void MainWindow::loadOutputDirectory()
{
    const QString picturesDirectory = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    outputDirectory = settings->value(QStringLiteral("outputDirectory"), picturesDirectory).toString();
    ui->outputPathLabel->setText(outputDirectory);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    cancelRunningBatch();
    saveOutputDirectory();
    event->accept();
}

// During a run the question says that leaving stops it.
void MainWindow::on_closeButton_clicked()
{
    const QString question = batchRunning
            ? tr("图片正在处理中。退出将停止处理：正在写入的文件会写完，其余的不再处理。确定要退出Vellumo吗？")
            : tr("确定要退出Vellumo吗？");
    const QMessageBox::StandardButton answer = QMessageBox::question(
        this, tr("确认退出"), question, QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
    if (answer == QMessageBox::Yes)
        QCoreApplication::quit();
}

void MainWindow::on_minButton_clicked()
{
    showMinimized();
}

void MainWindow::on_basicSettingsButton_clicked()
{
    ui->stackedWidget->setCurrentIndex(0);
}

void MainWindow::on_advancedSettingsButton_clicked()
{
    ui->stackedWidget->setCurrentIndex(1);
}

// Auto enhance has no settings of its own to show.
void MainWindow::on_autoEnhanceCheckBox_stateChanged(int)
{
}

void MainWindow::on_extractChannelCheckBox_stateChanged(int state)
{
    ui->channelComboBox->setVisible(state == Qt::Checked);
}

void MainWindow::on_gridSplitCheckBox_stateChanged(int state)
{
    const bool checked = state == Qt::Checked;
    ui->gridRowsSpinBox->setVisible(checked);
    ui->gridColsSpinBox->setVisible(checked);
    ui->gridRowsLabel->setVisible(checked);
    ui->gridColsLabel->setVisible(checked);
}

void MainWindow::on_batchRenameCheckBox_stateChanged(int state)
{
    const bool checked = state == Qt::Checked;
    ui->batchPrefixLineEdit->setVisible(checked);
    ui->batchPrefixLabel->setVisible(checked);
}

void MainWindow::on_contrastSlider_valueChanged(int value)
{
    ui->contrastValueLabel->setNum(value);
}

void MainWindow::on_saturationSlider_valueChanged(int value)
{
    ui->saturationValueLabel->setNum(value);
}

void MainWindow::on_brightnessSlider_valueChanged(int value)
{
    ui->brightnessValueLabel->setNum(value);
}

void MainWindow::on_watermarkColorButton_clicked()
{
    chooseColor(ui->watermarkColorButton);
}

void MainWindow::on_borderColorButton_clicked()
{
    chooseColor(ui->borderColorButton);
}

// A cancelled dialog keeps the colour the button shows.
void MainWindow::chooseColor(QPushButton *button)
{
    const QColor shown = button->property("color").value<QColor>();
    const QColor chosen = QColorDialog::getColor(shown, this, tr("选择颜色"));
    if (chosen.isValid())
        showColor(button, chosen);
}

// A framed swatch, so that white still shows on the white button.
void MainWindow::showColor(QAbstractButton *button, const QColor &color)
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
