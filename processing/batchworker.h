#ifndef BATCHWORKER_H
#define BATCHWORKER_H

#include "jobsettings.h"

#include <QString>

#include <atomic>

class QObject;

// Runs one batch on the calling thread (a pool thread in practice).
//
// For every path of settings.imagePaths, in order: derives the output path,
// loads the image (EXIF orientation applied), sends it through the chain of
// operations the settings enable, writes it, and posts
// updateProgress(int percent) to receiver. An input that cannot be read or
// written is reported by a posted fileFailed(QString path, QString reason)
// and the run goes on. After the last path, or after a cancellation seen
// between two inputs, posts processingFinished() exactly once.
//
// Every call reaches receiver queued and by method name, so receiver must
// live on a thread with an event loop and must outlive the run. When
// cancelRequested is given and becomes true, the run stops before its next
// input; files written until then stay and none is left partial.
void runBatch(JobSettings settings, QObject *receiver,
              const std::atomic<bool> *cancelRequested = nullptr);

// Raises Qt's process-wide decode limit to the size a run accepts (1024 MB
// for one decoded image), so that large camera images load. The limit is
// shared by every thread: call it before images are read elsewhere (the
// window does at construction); runBatch calls it too and then writes
// nothing when the limit is already set.
void raiseImageDecodeLimit();

// The output path for the input at 1-based position: the batch prefix and a
// four-digit position when batch renaming is on with a prefix, otherwise the
// input's base name followed by "_processed", then "." and the lower-case
// format, inside settings.outputDirectory.
QString makeOutputPath(const QString &inputPath, int position, const JobSettings &settings);

#endif // BATCHWORKER_H
