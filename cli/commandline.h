#ifndef COMMANDLINE_H
#define COMMANDLINE_H

#include "job/jobsettings.h"

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>

// What the command line asks for. Every value is checked here, before
// anything is created or written.
struct CommandLine
{
    // SaveJobOnly: --save-job without inputs, which writes the job file and
    // runs nothing.
    enum class Action { Run, SaveJobOnly, ShowHelp, ShowVersion, UsageError };

    Action action = Action::UsageError;
    JobSettings settings;
    bool quiet = false;
    // Where more input paths come from: files of paths (--files-from, "-"
    // for standard input), one per line or NUL-separated (-0), and whether a
    // folder among the inputs stands for the pictures under it (-r).
    QStringList pathLists;
    bool nulSeparated = false;
    bool recursive = false;
    // Where --save-job writes the options in effect; empty when not asked.
    QString saveJobPath;
    // What reading --job FILE remarked (options it does not know).
    QStringList warnings;
    // The help text for ShowHelp, the one-line complaint for UsageError.
    QString message;
};

// What the tool does and what its exit status says, as the help and the
// manual tell them.
QString toolPurpose();
QString exitStatusMeaning();

// Every option, in the order the help lists them: -o, the declared options
// that have a command-line word, then the tool's own.
QList<QCommandLineOption> commandLineOptions();

// Parses arguments (the program name first, as QCoreApplication::arguments
// gives them) into the settings of one run.
CommandLine parseCommandLine(const QStringList &arguments);

// Whether the arguments ask for a watermark ("--watermark TEXT" or
// "--watermark=TEXT"): its text needs the fonts only a GUI application has,
// whose start costs every other run about 4 ms. Read before any application
// exists; a word after "--" counts too, which at worst starts the larger
// application for nothing.
bool argumentsDrawText(const QStringList &arguments);

// The inputs of a run as collected from the command line: the paths, and
// the names that are not valid UTF-8, which Qt cannot name a file by, each
// written with its bytes beyond ASCII as \xHH.
struct Inputs
{
    QStringList paths;
    QStringList undecodable;
};

// The text of a name's bytes; sets *valid to whether it names the same
// bytes again (it does not for bytes that are not valid UTF-8).
QString decodeName(const QByteArray &bytes, bool *valid);

// The bytes of a name, each beyond ASCII written as \xHH.
QString escapedBytes(const QByteArray &bytes);

// The input paths of a command line (argc and argv as main has them once
// the application took its own options out) as their bytes: parsed again
// over the arguments read as Latin-1, where each byte is a character of its
// own. Qt's text of a name that is not UTF-8 ("a\xff.png") is that of a
// valid name ("a\uFFFD.png"); the bytes tell them apart.
QList<QByteArray> commandLinePaths(int argc, char *argv[]);

// Collects the inputs: the paths of the command line (paths, as bytes) in
// their order, then those of each path list; with recursive, a folder is
// replaced by the files under it that have a picture suffix Qt reads, in
// sorted order, the output folder left out. Returns false with a complaint
// when a path list cannot be read.
bool collectInputs(const CommandLine &commandLine, const QList<QByteArray> &paths, Inputs *inputs,
                   QString *complaint);

#endif // COMMANDLINE_H
