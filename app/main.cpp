#include "mainwindow.h"
#include "stylesheet.h"

#include <QApplication>

// The window is destroyed before the application object, so its destructor
// can still save the settings and wait for a run being cancelled.
int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (!loadStyleSheet(application))
        showStyleSheetWarning();
    MainWindow window;
    window.show();
    return application.exec();
}
