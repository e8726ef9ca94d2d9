#ifndef MAINWINDOW_H
#define MAINWINDOW_H

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
class QMenu;
class QSettings;
QT_END_NAMESPACE

class ImageListPanel;
class OptionForm;

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

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void chooseOutputDirectory();
    void on_processButton_clicked();
    void processingFinished();
    void on_basicSettingsButton_clicked();
    void on_advancedSettingsButton_clicked();
    void updateProgress(int value);
    void on_closeButton_clicked();
    void on_minButton_clicked();
    void about();
    void resetApplication();
    void switchToChineseSimplified();
    void switchToChineseTraditional();
    void switchToEnglish();
    void updateMenuLanguage();

    // Failures reported by the worker.
    void fileFailed(const QString &path, const QString &reason);
    void fileWarning(const QString &path, const QString &message);
    void fileSkipped(const QString &path, const QString &reason);
    void showIdleProgress();

private:
    void saveOutputDirectory();
    void loadOutputDirectory();
    void switchLanguage(const QString &language);
    void loadLanguageSetting();
    void showApplicationMenu();
    void processImages();
    bool ensureOutputDirectory();
    void cancelRunningBatch();
    void stopRun();
    void showRunControls();
    void showCompletion();
    QString completionMessage() const;
    QString completionDetails() const;
    void setUpAccessibility();
    void retranslateAccessibility();
    void showWarning(const QString &text);
    void applyFramelessLook();
    bool isDragArea(const QPoint &windowPosition) const;

    Ui::MainWindow *ui;
    OptionForm *options;
    ImageListPanel *imageList;
    QString outputDirectory;
    bool dragging;
    QPoint dragStartPosition;
    QPoint windowStartPosition;
    QSettings *settings;
    QMenu *appMenu;
    QTranslator appTranslator;
    QTranslator qtTranslator;
    QString currentLanguage;

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
