#ifndef OUTPUTNAMING_H
#define OUTPUTNAMING_H

#include "job/jobsettings.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QString>

// The output path for the input at 1-based position: the batch prefix and a
// four-digit position when batch renaming is on with a prefix, otherwise the
// input's base name followed by "_processed", then "." and the lower-case
// format, inside settings.outputDirectory.
QString makeOutputPath(const QString &inputPath, int position, const JobSettings &settings);

// Two texts name the same file when this key is equal: the cleaned absolute
// path, or for an existing file its canonical path, so that a symbolic link
// to an input counts as that input.
QString fileKey(const QString &path);

// Where the input whose derived output path is derivedPath goes: the first
// of derivedPath, then "_2", "_3", ... before its extension, that is not
// taken. claimed holds the keys of the run's inputs and of the outputs it
// has taken so far, and a name that exists as anything but a regular file
// (a symbolic link included, whatever it points to) is never written to:
// those are taken. A regular file that is there from before is replaced
// (ifExists "replace"), passed by like a taken one ("rename"), or left alone
// and the input skipped ("skip"): then path is that file.
struct OutputChoice
{
    QString path;
    bool skip = false;
};
OutputChoice chooseOutputPath(const QString &derivedPath, const QSet<QString> &claimed,
                              const QString &ifExists);

// The names one run has claimed, and where each derived path's last search
// ended: the next search resumes there, so that many inputs of one name are
// named in linear time (a claimed name is never given back).
class ClaimedNames
{
public:
    void insert(const QString &path) { keys.insert(fileKey(path)); }

    // chooseOutputPath with the names claimed so far.
    OutputChoice choose(const QString &derivedPath, const QString &ifExists);

private:
    QSet<QString> keys;
    QHash<QString, int> resumeSuffix;
};

// The outputs of earlier runs among the inputs of a run over settings: the
// files inside its output folder, at any depth (symbolic links and ".."
// resolved), named as this program names its outputs ("NAME_processed", or
// with batch renaming "PREFIX_0001", either perhaps with "_2", "_3", ...
// after it). A run skips them, so that a second run over a folder that
// holds its output folder does not process the first run's outputs again.
class EarlierOutputs
{
public:
    explicit EarlierOutputs(const JobSettings &settings);
    bool contains(const QString &inputPath) const;

private:
    QString folder; // canonical, with a slash at its end; empty while it does not exist
    QRegularExpression outputName;
};

// Why no file can be created in directory ("cannot write: ..."), found by
// creating and removing one; empty when it can.
QString outputDirectoryProblem(const QString &directory);

#endif // OUTPUTNAMING_H
