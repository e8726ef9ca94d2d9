#ifndef BATCHWORKER_H
#define BATCHWORKER_H

#include "formats/imagefile.h"
#include "job/jobsettings.h"

#include <atomic>

class RunReport;

// Runs one batch; returns when it is over. Call it on a pool thread: it
// waits meanwhile.
//
// First every path of settings.imagePaths gets its output path, in input
// order, over the whole job (run/outputnaming.h); an input that would get
// no sound name is reported as failed, and then nothing is done. Of those
// inputs this process takes its shard's share (settings.shardIndex and
// shardCount). Then settings.jobs workers (0: one per core) each take the next
// input, load it (EXIF orientation applied), send it through the chain of
// operations the settings enable and write it with the input's metadata; an
// input starts only when its memory fits in the run's budget
// (run/memorybudget.h) beside those in flight. As soon as it is known, an
// input that cannot be read or written is reported as failed, and the run
// goes on; one whose output exists, when existing outputs are skipped, as
// skipped, and so is an output of an earlier run inside the output folder
// ("inside the output folder", run/outputnaming.h); a problem that did not stop the input (a damaged file that still
// decoded, metadata not carried over) as a warning. Then the input's
// progress follows. When no file can be created in the output directory,
// every input fails with that reason and none is decoded. The outputs are
// the same bytes whatever the number of workers or shards. Each input's end
// is added to the report file when one is set (run/reportfile.h), which
// failing to open fails the run before any work. After the last input, or
// once a cancellation has let the inputs in flight finish, report finishes,
// exactly once.
//
// report hears the run on its own thread (see RunReport) and must outlive
// the run. When cancelRequested is given and becomes true, no further input
// starts and the inputs being decoded stop decoding (within a second), left
// unprocessed like those not started and reported by no signal; the files
// being processed or written are finished, so none is left partial.
// The indices in settings.imagePaths of the inputs this process writes: its
// shard's share, every shardCount-th from shardIndex on.
QList<int> shardShare(const JobSettings &settings);

// What the chain's first scale makes of a picture, for its decoder to give
// no more pixels than that scale's resampler averages well; nothing when the
// run wants the pixels of a full decode, or its resampler does not average.
ScaleTarget scaleTargetOf(const JobSettings &settings);

void runBatch(JobSettings settings, RunReport *report, const std::atomic<bool> *cancelRequested = nullptr);

// runBatch that can also be held: while *holdRequested is true no further
// input starts; those in flight go on, and the run resumes when it becomes
// false again.
void runPausableBatch(JobSettings settings, RunReport *report, const std::atomic<bool> *cancelRequested,
                      const std::atomic<bool> *holdRequested);

#endif // BATCHWORKER_H
