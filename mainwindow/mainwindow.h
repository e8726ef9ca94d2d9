#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QMainWindow>
#include <QPoint>
#include <QStringList>
#include <QTranslator>

QT_BEGIN_NAMESPACE
namespace Ui { class MainWindow; }
class QMenu;
class QSettings;
QT_END_NAMESPACE

class ImageListPanel;
class OptionForm;
class RunController;

// The program's only window: frameless, of fixed size, with its own header
// bar and a menu column that switches between the basic and the advanced
// option page. It puts together the image list, the option form and the
// run, and owns the output directory, the settings store, the interface
// language and the application menu.
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
    void startOrStopRun();
    void startRun();
    void on_basicSettingsButton_clicked();
    void on_advancedSettingsButton_clicked();
    void on_closeButton_clicked();
    void on_minButton_clicked();
    void about();
    void resetApplication();
    void switchToChineseSimplified();
    void switchToChineseTraditional();
    void switchToEnglish();
    void updateMenuLanguage();

private:
    void saveOutputDirectory();
    void loadOutputDirectory();
    void switchLanguage(const QString &language);
    void loadLanguageSetting();
    void showApplicationMenu();
    void setUpAccessibility();
    void retranslateAccessibility();
    void applyFramelessLook();
    bool isDragArea(const QPoint &windowPosition) const;

    Ui::MainWindow *ui;
    OptionForm *options;
    ImageListPanel *imageList;
    RunController *run;
    QString outputDirectory;
    bool dragging;
    QPoint dragStartPosition;
    QPoint windowStartPosition;
    QSettings *settings;
    QMenu *appMenu;
    QTranslator appTranslator;
    QTranslator qtTranslator;
    QString currentLanguage;
};

#endif // MAINWINDOW_H
