#ifndef JOBFILE_H
#define JOBFILE_H

#include "job/jobsettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// A job file keeps the value of every option of the table under its key, in
// a versioned JSON document: {"vellumo-job": 1, "options": {"width": 1920}}.
// It is written and read from the option table alone; the input paths and
// the output directory are not part of it.
namespace jobfile {

// The version this program writes; older files are migrated when read.
extern const int currentVersion;

// The key of option in a job file: its command-line word; an option with
// none is named after the word that switches it on ("watermark-enabled"),
// or else after its own name ("grid-cols").
QString keyOf(const OptionDeclaration &option);

// The document holding every option of settings, indented, keys in table order.
QByteArray write(const JobSettings &settings);

struct Reading
{
    // Empty when the document was read; the first fault otherwise, in
    // which case settings are left as they were.
    QString error;
    // Options this program does not know, each named.
    QStringList warnings;
};

// Sets in settings every option of the document, and each option it lacks
// to its initial value; path names the source in the messages.
Reading read(const QByteArray &document, const QString &path, JobSettings *settings);

// The same for the file at path, and its writing through a saved file that
// replaces path only whole. save returns the reason of a failure, or empty.
Reading load(const QString &path, JobSettings *settings);
QString save(const QString &path, const JobSettings &settings);

} // namespace jobfile

#endif // JOBFILE_H
