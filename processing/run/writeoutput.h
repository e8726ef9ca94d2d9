#ifndef WRITEOUTPUT_H
#define WRITEOUTPUT_H

#include "job/jobsettings.h"

#include <QImage>
#include <QString>
#include <QStringList>

// Writes image to outputPath as the output of inputPath, in the format and
// quality of settings: with the input's metadata, or with stripMetadata only
// the colour profile. A metadata problem never stops the file; it is appended
// to *warnings. On failure to write returns false with the reason.
bool writeOutput(const QImage &image, const QString &inputPath, const QString &outputPath,
                 const JobSettings &settings, QString *reason, QStringList *warnings);

#endif // WRITEOUTPUT_H
