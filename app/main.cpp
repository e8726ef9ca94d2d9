#include "mainwindow.h"
#include "stylesheet.h"
#include "windowarguments.h"

#include <QApplication>

namespace {

QStringList argumentList(int argc, char *argv[])
{
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    return arguments;
}

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("vellumo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELLUMO_VERSION));
}

} // namespace

// Help and version are answered before any window system is asked for, so
// that they answer on a terminal without a display too; arguments that
// fail this first reading may hold Qt's own options (-platform ...), which
// QApplication takes out before they are read again. The window is
// destroyed before the application object, so its destructor can still
// save the settings and wait for a run being cancelled.
int main(int argc, char *argv[])
{
    using Action = WindowArguments::Action;
    const WindowArguments early = parseWindowArguments(argumentList(argc, argv));
    if (early.action == Action::ShowHelp || early.action == Action::ShowVersion) {
        QCoreApplication core(argc, argv);
        nameApplication();
        return answerWithoutWindow(early);
    }
    QApplication application(argc, argv);
    nameApplication();
    QGuiApplication::setDesktopFileName(QStringLiteral(VELLUMO_APP_ID));
    const WindowArguments arguments = parseWindowArguments(QCoreApplication::arguments());
    if (arguments.action != Action::Open)
        return answerWithoutWindow(arguments);
    if (!loadStyleSheet(application))
        showStyleSheetWarning();
    MainWindow window;
    window.addInputs(arguments.inputs);
    window.show();
    return application.exec();
}
