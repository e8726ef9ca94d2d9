#ifndef RUN_OPTIONS_H
#define RUN_OPTIONS_H

#include "formats/encoderoptions.h"
#include "job/jobsettings.h"

#include <QList>

// The options of the output, its naming and the run itself; each step's
// options are declared beside its kernel.
namespace option {
extern const Option<QString> format;
// All of the input's metadata carried, all but its location, or none.
extern const Option<QString> metadata;
// Stamped into every output's EXIF and XMP; nothing when empty.
extern const Option<QString> artist;
extern const Option<QString> copyright;
// Each output's modification time: when written, its input's, or when its
// input was taken.
extern const Option<QString> keepDates;
extern const Option<QString> ifExists;
// Inputs processed at once; 0 for as many as there are cores.
extern const Option<int> jobs;
// Decode every pixel before a downscale, instead of letting the JPEG
// decoder reduce the picture first: slower, and the bytes of a full decode.
extern const Option<bool> exactResize;
extern const Option<bool> batchRename;
extern const Option<QString> batchPrefix;
// The outputs' names, unless batch renaming names them PREFIX_{n}.
extern const Option<QString> nameTemplate;
// A picture found under a folder goes to the same place below the output folder.
extern const Option<bool> keepTree;
// Where the run adds one JSON line per input; none when empty.
extern const Option<QString> reportFile;
} // namespace option

// Every option of a run, in the order --help and the tests list them: the
// options above, then each step's in chain order.
const QList<const OptionDeclaration *> &optionDeclarations();

#endif // RUN_OPTIONS_H
