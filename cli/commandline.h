#ifndef COMMANDLINE_H
#define COMMANDLINE_H

#include "pipeline/jobsettings.h"

#include <QString>
#include <QStringList>

// What the command line asks for. Every value is checked here, before
// anything is created or written.
struct CommandLine
{
    enum class Action { Run, ShowHelp, ShowVersion, UsageError };

    Action action = Action::UsageError;
    JobSettings settings;
    bool quiet = false;
    // The help text for ShowHelp, the one-line complaint for UsageError.
    QString message;
};

// Parses arguments (the program name first, as QCoreApplication::arguments
// gives them) into the settings of one run.
CommandLine parseCommandLine(const QStringList &arguments);

#endif // COMMANDLINE_H
