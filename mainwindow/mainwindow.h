#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QColor>
#include <QFuture>
#include <QMainWindow>
#include <QMultiMap>
#include <QPoint>
#include <QSet>
#include <QStringList>
#include <QTranslator>

#include <atomic>
#include <memory>

QT_BEGIN_NAMESPACE
namespace Ui { class MainWindow; }
class QAction;
class QMenu;
class QMimeData;
class QSettings;
class QAbstractButton;
class QPushButton;
QT_END_NAMESPACE

class ThumbnailLoader;
struct JobSettings;

// The program's only window: frameless, of fixed size, with its own header
// bar and a menu column that switches between the basic and the advanced
// option page. It owns the selection, the output directory, the settings
// store, the interface language and the application menu.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Lists files as they are and folders as the pictures under them, after
    // the entries already there, as a drop onto the list does.
    void addInputs(const QStringList &paths);

    // Shows color as the button's swatch and keeps it as the button's
    // "color" property, which a run reads.
    static void showColor(QAbstractButton *button, const QColor &color);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void on_selectImagesButton_clicked();
    void on_selectOutputButton_clicked();
    void on_processButton_clicked();
    void processingFinished();
    void on_basicSettingsButton_clicked();
    void on_advancedSettingsButton_clicked();
    void on_autoEnhanceCheckBox_stateChanged(int state);
    void on_extractChannelCheckBox_stateChanged(int state);
    void on_gridSplitCheckBox_stateChanged(int state);
    void on_batchRenameCheckBox_stateChanged(int state);
    void updateProgress(int value);
    void on_closeButton_clicked();
    void on_minButton_clicked();
    void about();
    void resetApplication();
    void switchToChineseSimplified();
    void switchToChineseTraditional();
    void switchToEnglish();
    void updateMenuLanguage();

    // Beyond the form's own wiring: failures reported by the worker, the
    // colour choosers and the value labels that follow their sliders.
    void fileFailed(const QString &path, const QString &reason);
    void fileWarning(const QString &path, const QString &message);
    void fileSkipped(const QString &path, const QString &reason);
    void on_watermarkColorButton_clicked();
    void on_borderColorButton_clicked();
    void on_contrastSlider_valueChanged(int value);
    void on_saturationSlider_valueChanged(int value);
    void on_brightnessSlider_valueChanged(int value);
    void showThumbnail(const QString &path, const QImage &thumbnail);
    void addImageFiles();
    void addImageFolder();
    void removeSelectedImages();
    void clearImages();
    void showIdleProgress();

private:
    void saveOutputDirectory();
    void loadOutputDirectory();
    void initializeOptions();
    void switchLanguage(const QString &language);
    void loadLanguageSetting();
    void showApplicationMenu();
    void processImages();
    bool ensureOutputDirectory();
    void cancelRunningBatch();
    void stopRun();
    void showRunControls();
    JobSettings captureJobSettings() const;
    void showCompletion();
    QString completionMessage() const;
    QString completionDetails() const;
    void setUpImageList();
    void retranslateImageList();
    void appendImages(const QStringList &paths);
    static QStringList droppedPaths(const QMimeData *data);
    void setUpAccessibility();
    void keepLayoutSteady();
    void retranslateAccessibility();
    void showWarning(const QString &text);
    void applyFramelessLook();
    bool isDragArea(const QPoint &windowPosition) const;
    void chooseColor(QPushButton *button);

    Ui::MainWindow *ui;
    QStringList imagePaths;
    QString outputDirectory;
    bool dragging;
    QPoint dragStartPosition;
    QPoint windowStartPosition;
    QSettings *settings;
    QMenu *appMenu;
    QTranslator appTranslator;
    QTranslator qtTranslator;
    QString currentLanguage;

    ThumbnailLoader *thumbnailLoader;
    QAction *addImagesAction;
    QAction *addFolderAction;
    QAction *removeImagesAction;
    QAction *clearImagesAction;

    // What the run in progress, or the last one, has reported so far.
    struct BatchTally
    {
        int total = 0;
        int done = 0; // inputs finished with, written or not
        QString outputDirectory;
        QStringList inputs;
        // By input position: inputs run side by side finish in any order,
        // the box lists them in input order.
        QMultiMap<int, QString> failures;
        QMultiMap<int, QString> skipped;
        QMultiMap<int, QString> warnings;
        QSet<QString> warnedPaths; // a file may carry several warnings
    };
    QFuture<void> runningBatch;
    std::shared_ptr<std::atomic<bool>> cancelRequested;
    bool batchRunning;
    bool closing;
    BatchTally batch;
};

#endif // MAINWINDOW_H
