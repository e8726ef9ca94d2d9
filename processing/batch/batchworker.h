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

// Runs one batch; returns when it is over. Call it on a pool thread: it
// waits meanwhile.
//
// First every path of settings.imagePaths gets its output path, in input
// order. Then settings.jobs workers (0: one per core) each take the next
// input, load it (EXIF orientation applied), send it through the chain of
// operations the settings enable and write it with the input's metadata; an
// input starts only when its memory fits in the run's budget
// (batch/memorybudget.h) beside those in flight. After each input, posts
// updateProgress(int percent) with the share of inputs done, so the values
// rise. As soon as it is known, an input that cannot be read or written is
// reported by a posted fileFailed(QString path, QString reason), and the run
// goes on; one whose output exists and settings.ifExists is "skip" by
// fileSkipped(QString path, QString reason), and so is an output of an
// earlier run inside the output folder ("inside the output folder",
// batch/outputnaming.h); a problem that did not stop the
// input (metadata not carried over) by fileWarning(QString path, QString
// message). A damaged file that still decoded is reported as a warning too. When no file can be created in the output directory, every input fails with that reason and none is decoded. The outputs are the same bytes whatever the number of workers.
// After the last input, or once a cancellation has let the inputs in flight
// finish, posts processingFinished() exactly once.
//
// Every call reaches receiver queued and by method name, so receiver must
// live on a thread with an event loop and must outlive the run. When
// cancelRequested is given and becomes true, no further input starts and the
// inputs being decoded stop decoding (within a second), left unprocessed
// like those not started and reported by no call; the files being
// processed or written are finished, so none is left partial.
void runBatch(JobSettings settings, QObject *receiver,
              const std::atomic<bool> *cancelRequested = nullptr);

#endif // BATCHWORKER_H
