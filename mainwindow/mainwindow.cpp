#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "imagelistpanel.h"
#include "languageswitcher.h"
#include "optionform.h"
#include "presetpanel.h"
#include "previewwindow.h"
#include "runcontroller.h"
#include "run/jobfile.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGraphicsDropShadowEffect>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent),
      ui(new Ui::MainWindow),
      settings(new QSettings(QStringLiteral("Orvantis"), QStringLiteral("Vellumo"), this)),
      appMenu(nullptr),
      dragging(false)
{
    ui->setupUi(this);
    options = new OptionForm(ui, this);
    imageList = new ImageListPanel(ui->imagesList, this);
    run = new RunController(*options, ui->processButton, ui->progressBar, this);
    languages = new LanguageSwitcher(this);
    setUpAccessibility();
    applyFramelessLook();
    ui->stackedWidget->setCurrentIndex(0);
    connectControls();
    languages->switchToStoredLanguage();
    presets = new PresetPanel(*options, ui->presetComboBox, ui->presetMenuButton, this);
    loadOutputDirectory();
    loadLastOptions();
}

// The run controller, a child, stops a run still going and waits for it
// as it goes.
MainWindow::~MainWindow()
{
    saveOutputDirectory();
    saveLastOptions();
    delete ui;
}

// The page buttons switch the page however they are checked: a click, the
// keyboard or an accessibility tool's toggle.
void MainWindow::connectControls()
{
    connect(ui->selectImagesButton, &QPushButton::clicked, imageList, &ImageListPanel::replaceImages);
    connect(ui->selectOutputButton, &QPushButton::clicked, this, &MainWindow::chooseOutputDirectory);
    connect(ui->processButton, &QPushButton::clicked, this, &MainWindow::startOrStopRun);
    connect(ui->menuButton, &QPushButton::clicked, this, &MainWindow::showApplicationMenu);
    connect(ui->minButton, &QPushButton::clicked, this, &MainWindow::showMinimized);
    connect(ui->closeButton, &QPushButton::clicked, this, &MainWindow::confirmQuit);
    connect(ui->basicSettingsButton, &QAbstractButton::toggled, this, [this](bool checked) {
        if (checked)
            ui->stackedWidget->setCurrentIndex(0);
    });
    connect(ui->advancedSettingsButton, &QAbstractButton::toggled, this, [this](bool checked) {
        if (checked)
            ui->stackedWidget->setCurrentIndex(1);
    });
    connect(imageList, &ImageListPanel::countChanged, run, &RunController::showSelectionCount);
    connect(languages, &LanguageSwitcher::languageChanged, this, &MainWindow::retranslate);
    connectPreview();
}

// The preview opens from its button and a double click on an entry (Ctrl+P
// is among the keyboard's ways in), and then follows the entry chosen and
// every option.
void MainWindow::connectPreview()
{
    connect(ui->previewButton, &QPushButton::clicked, this, &MainWindow::showPreview);
    connect(ui->imagesList, &QListWidget::itemDoubleClicked, this, &MainWindow::showPreview);
    connect(ui->imagesList, &QListWidget::currentRowChanged, this, [this] {
        if (preview && preview->isVisible())
            showPreview();
    });
    connect(options, &OptionForm::optionsChanged, this, [this] {
        if (preview && preview->isVisible())
            preview->render();
    });
}

// The entry chosen, or the first when none is.
void MainWindow::showPreview()
{
    const QStringList &paths = imageList->paths();
    if (paths.isEmpty())
        return;
    if (!preview) {
        preview = new PreviewWindow(*options, this);
        preview->move(frameGeometry().topRight() + QPoint(12, 0));
    }
    const int row = ui->imagesList->currentRow();
    preview->showInput(paths.value(row, paths.first()));
    preview->show();
    preview->raise();
}

// Re-texting refills the option lists, so their selections and the values
// they go with return to the initial ones.
void MainWindow::retranslate()
{
    options->retranslate();
    ui->retranslateUi(this);
    imageList->retranslate();
    retranslateAccessibility();
    run->retranslate();
    if (presets)
        presets->retranslate();
    updateMenuLanguage();
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

QString MainWindow::lastOptionsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/last-options.json");
}

// The options the window closed with, kept as a job file of its own.
void MainWindow::saveLastOptions()
{
    QDir().mkpath(QFileInfo(lastOptionsPath()).path());
    jobfile::save(lastOptionsPath(), options->capture({}, QString()));
}

// A first start, or a file this version cannot read, keeps the initial values.
void MainWindow::loadLastOptions()
{
    JobSettings last;
    if (QFileInfo::exists(lastOptionsPath()) && jobfile::load(lastOptionsPath(), &last).error.isEmpty())
        options->apply(last);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    run->leave();
    saveOutputDirectory();
    saveLastOptions();
    event->accept();
}

void MainWindow::chooseOutputDirectory()
{
    const QString directory = QFileDialog::getExistingDirectory(
        this, QStringLiteral("选择输出目录"), QString(), QFileDialog::ShowDirsOnly);
    if (directory.isEmpty())
        return;
    outputDirectory = directory;
    ui->outputPathLabel->setText(outputDirectory);
}

// While a run goes on the same button stops it.
void MainWindow::startOrStopRun()
{
    if (run->isRunning())
        run->stop();
    else
        startRun();
}

void MainWindow::addInputs(const QStringList &paths)
{
    imageList->addInputs(paths);
}

void MainWindow::startRun()
{
    run->start(imageList->paths(), outputDirectory);
}

// During a run the question says that leaving stops it.
void MainWindow::confirmQuit()
{
    const QString question = run->isRunning()
            ? tr("图片正在处理中。退出将停止处理：正在写入的文件会写完，其余的不再处理。确定要退出Vellumo吗？")
            : tr("确定要退出Vellumo吗？");
    const QMessageBox::StandardButton answer = QMessageBox::question(
        this, tr("确认退出"), question, QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
    if (answer == QMessageBox::Yes)
        QCoreApplication::quit();
}
