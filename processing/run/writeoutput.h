#ifndef WRITEOUTPUT_H
#define WRITEOUTPUT_H

#include "formats/metadata.h"
#include "job/inputoutcome.h"
#include "job/jobsettings.h"

#include <QImage>
#include <QString>

// The changes settings make to the metadata an output carries.
MetadataEdits metadataEditsOf(const JobSettings &settings);
// The outputs of settings carry none of their inputs' metadata.
bool stripsMetadata(const JobSettings &settings);

// Writes image to outputPath as the output of inputPath, in the format and
// quality of settings: with the input's metadata, or with the metadata
// removed only the colour profile. A metadata problem never stops the file;
// it is a warning of outcome. A failure to write fails outcome.

void writeOutput(const QImage &image, const QString &inputPath, const QString &outputPath,
                 const JobSettings &settings, InputOutcome &outcome);

#endif // WRITEOUTPUT_H
