#ifndef BATCHWORKER_H
#define BATCHWORKER_H

#include "pipeline/jobsettings.h"

#include <atomic>

class QObject;

// The slots of a run's receiver, called by these names.
namespace batchreceiver {
constexpr char updateProgress[] = "updateProgress"; // (int percent)
constexpr char fileFailed[] = "fileFailed";         // (QString path, QString reason)
constexpr char fileSkipped[] = "fileSkipped";       // (QString path, QString reason)
constexpr char fileWarning[] = "fileWarning";       // (QString path, QString message)
constexpr char processingFinished[] = "processingFinished"; // ()
} // namespace batchreceiver

// Runs one batch on the calling thread (a pool thread in practice).
//
// For every path of settings.imagePaths, in order: derives the output path,
// loads the image (EXIF orientation applied), sends it through the chain of
// operations the settings enable, writes it with the input's metadata, and
// posts updateProgress(int percent) to receiver. An input that cannot be read
// or written is reported by a posted fileFailed(QString path, QString reason)
// and the run goes on; one whose output exists and settings.ifExists is
// "skip" by fileSkipped(QString path, QString reason); a problem that did
// not stop the input (metadata not carried over, a damaged file that still
// decoded) by fileWarning(QString path, QString message). When no file can
// be created in the output directory, every input fails with that reason
// and none is decoded. After the last path, or after a cancellation seen
// between two inputs, posts processingFinished() exactly once.
//
// Every call reaches receiver queued and by method name, so receiver must
// live on a thread with an event loop and must outlive the run. When
// cancelRequested is given and becomes true, the run stops before its next
// input; files written until then stay and none is left partial.
void runBatch(JobSettings settings, QObject *receiver,
              const std::atomic<bool> *cancelRequested = nullptr);

#endif // BATCHWORKER_H
