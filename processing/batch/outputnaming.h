#ifndef OUTPUTNAMING_H
#define OUTPUTNAMING_H

#include "pipeline/jobsettings.h"

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

// The first of derivedPath, then "_2", "_3", ... before its extension, whose
// key is not in claimed.
QString freeOutputPath(const QString &derivedPath, const QSet<QString> &claimed);

// Where the input whose derived output path is derivedPath goes. claimed
// holds the keys of the run's inputs and of the outputs it has taken so far:
// those are never written over. A file that is there from before is
// replaced (ifExists "replace"), passed by like a claimed one ("rename"), or
// left alone and the input skipped ("skip"): then path is that file.
struct OutputChoice
{
    QString path;
    bool skip = false;
};
OutputChoice chooseOutputPath(const QString &derivedPath, const QSet<QString> &claimed,
                              const QString &ifExists);

#endif // OUTPUTNAMING_H
