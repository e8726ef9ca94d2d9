#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <QStringList>

QT_BEGIN_NAMESPACE
namespace Ui { class MainWindow; }
class QMenu;
class QSettings;
QT_END_NAMESPACE

class ImageListPanel;
class LanguageSwitcher;
class OptionForm;
class PresetPanel;
class PreviewWindow;
class RunController;

// The program's only window: frameless, of fixed size, with its own header
// bar and a menu column that switches between the basic and the advanced
// option page. It puts together the image list, the option form, the run
// and the interface language, and owns the output directory, the settings
// store and the application menu.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Lists files as they are and folders as the pictures under them, after
    // the entries already there, as a drop onto the list does.
    void addInputs(const QStringList &paths);

    // The job file that keeps the options the window closed with.
    static QString lastOptionsPath();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void chooseOutputDirectory();
    void startOrStopRun();
    void startRun();
    void confirmQuit();
    void showApplicationMenu();
    void showAbout();
    void resetApplication();
    void retranslate();

private:
    void connectControls();
    void connectPreview();
    void showPreview();
    void applyFramelessLook();
    void setUpAccessibility();
    void retranslateAccessibility();
    void updateMenuLanguage();
    void saveOutputDirectory();
    void loadOutputDirectory();
    void saveLastOptions();
    void loadLastOptions();
    bool isDragArea(const QPoint &windowPosition) const;

    Ui::MainWindow *ui;
    OptionForm *options;
    ImageListPanel *imageList;
    RunController *run;
    PresetPanel *presets = nullptr;
    PreviewWindow *preview = nullptr;
    LanguageSwitcher *languages;
    QString outputDirectory;
    QSettings *settings;
    QMenu *appMenu;
    bool dragging;
    QPoint dragStartPosition;
    QPoint windowStartPosition;
};

#endif // MAINWINDOW_H
