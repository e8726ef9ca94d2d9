#ifndef WINDOWARGUMENTS_H
#define WINDOWARGUMENTS_H

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>

// What the window's command line asks: vellumo [options] [FILE|FOLDER]...
// The inputs are listed as if they were dropped onto the window, which is
// how a file manager hands over a selection (the desktop file's %F).
struct WindowArguments
{
    enum class Action { Open, ShowHelp, ShowVersion, UsageError };

    Action action = Action::UsageError;
    QStringList inputs;
    QString complaint; // for UsageError
};

// What the program is, and the options besides the inputs, as the help and
// the manual give them.
QString windowDescription();
QList<QCommandLineOption> windowOptions();

// Parses arguments, the program name first.
WindowArguments parseWindowArguments(const QStringList &arguments);

// Prints the help or the version on stdout, or the complaint on stderr, for
// arguments that open no window, and returns the exit status. The
// application object must exist: the help names the program by it.
int answerWithoutWindow(const WindowArguments &arguments);

#endif // WINDOWARGUMENTS_H
