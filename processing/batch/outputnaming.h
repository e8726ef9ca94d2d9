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

#endif // OUTPUTNAMING_H
