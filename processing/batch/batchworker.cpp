#include "batch/batchworker.h"

#include "batch/imagefile.h"
#include "batch/inputoutcome.h"
#include "batch/memorybudget.h"
#include "batch/metadata.h"
#include "batch/outputnaming.h"
#include "core/picturememory.h"
#include "core/pixelaccess.h"
#include "pipeline/chain.h"
#include "pipeline/imageprocessor.h"

#include <QMetaObject>
#include <QObject>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <new>

namespace {

// Loads, processes and writes one input. An exception ends only this input,
// never the run; a request to stop ends its decode.
InputOutcome processInput(ImageProcessor &processor, const QString &inputPath,
                          const QString &outputPath, const JobSettings &settings,
                          const std::atomic<bool> *stop)
{
    InputOutcome outcome;
    QString reason;
    try {
        QImage loaded = loadImage(inputPath, &reason, &outcome.warnings, stop);
        if (loaded.isNull() && reason == stoppedReason())
            return InputOutcome::stopped();
        if (loaded.isNull())
            return InputOutcome::failed(reason);
        // Handed over, so the chain can drop the decoded picture after its first step.
        const ChainResult result = applyChain(processor, std::move(loaded), settings);
        if (!result.failure.isEmpty())
            return InputOutcome::failed(result.failure);
        if (!writeOutput(processor, result.image, inputPath, outputPath, settings, &reason,
                         &outcome.warnings))
            return InputOutcome::failed(reason);
    } catch (const std::bad_alloc &) {
        return InputOutcome::failed(QStringLiteral("out of memory"));
    } catch (const std::exception &error) {
        return InputOutcome::failed(
                QStringLiteral("failed: %1").arg(QString::fromLocal8Bit(error.what())));
    }
    return outcome;
}

// A receiver without the slot would silently see nothing of the run.
template <typename... Arguments>
void post(QObject *receiver, const char *slot, Arguments... arguments)
{
    const bool posted =
            QMetaObject::invokeMethod(receiver, slot, Qt::QueuedConnection, arguments...);
    if (!posted)
        qWarning("runBatch: %s has no slot %s", receiver->metaObject()->className(), slot);
}

// Everything but a plain written file: failure or skip, and each warning.
void report(QObject *receiver, const QString &inputPath, const InputOutcome &outcome)
{
    if (outcome.kind != InputOutcome::Kind::Written) {
        const char *slot = outcome.kind == InputOutcome::Kind::Skipped ? batchreceiver::fileSkipped
                                                                       : batchreceiver::fileFailed;
        post(receiver, slot, Q_ARG(QString, inputPath), Q_ARG(QString, outcome.reason));
    }
    for (const QString &warning : outcome.warnings)
        post(receiver, batchreceiver::fileWarning, Q_ARG(QString, inputPath),
             Q_ARG(QString, warning));
}


// Where every input goes, in input order, fixed before any input is
// processed: so the names do not depend on which input finishes first, nor
// on which fails. Inputs are never overwritten, nor an output of this run by
// another one; a skipped input takes no name, and an output of an earlier
// run among the inputs is skipped without a path (as an input, it is still
// never written over).
QList<OutputChoice> assignOutputPaths(const JobSettings &settings)
{
    ClaimedNames claimed;
    for (const QString &path : settings.imagePaths)
        claimed.insert(path);
    const EarlierOutputs earlierOutputs(settings);
    QList<OutputChoice> outputs;
    for (int index = 0; index < settings.imagePaths.size(); ++index) {
        const QString &input = settings.imagePaths.at(index);
        if (earlierOutputs.contains(input)) {
            outputs << OutputChoice{QString(), true};
            continue;
        }
        outputs << claimed.choose(makeOutputPath(input, index + 1, settings), settings.ifExists);
        if (!outputs.last().skip)
            claimed.insert(outputs.last().path);
    }
    return outputs;
}

QString skipReason(const OutputChoice &output)
{
    return output.path.isEmpty() ? QStringLiteral("inside the output folder")
                                 : QStringLiteral("%1 exists already").arg(output.path);
}

int jobCount(const JobSettings &settings)
{
    const int wanted = settings.jobs > 0 ? settings.jobs : QThread::idealThreadCount();
    return std::clamp(wanted, 1, std::max(1, int(settings.imagePaths.size())));
}

// Hands the inputs of a run to its workers in input order, each once its
// memory fits beside the inputs in flight, and reports each one done.
class Schedule
{
public:
    Schedule(const JobSettings &settings, QObject *receiver, const std::atomic<bool> *cancelRequested)
        : settings(settings)
        , outputs(assignOutputPaths(settings))
        , receiver(receiver)
        , cancelRequested(cancelRequested)
        , budget(memorybudget::machineBudget())
        , copies(memorybudget::workingCopies(settings))
        // Found before the first input is decoded, not after the last.
        , outputProblem(outputDirectoryProblem(settings.outputDirectory))
    {
    }

    // One worker: processes admitted inputs until none is left or the run is cancelled.
    void work()
    {
        pixelaccess::CoreShare share(inputsInFlight);
        picturememory::KeptForReuse memory;
        ImageProcessor processor;
        for (;;) {
            const int index = claimNext();
            if (index < 0)
                return;
            const QString &inputPath = settings.imagePaths.at(index);
            const OutputChoice &output = outputs.at(index);
            const qint64 cost = output.skip ? 0 : memorybudget::inputCost(inputPath, copies);
            if (!admit(index, cost, memory))
                return;
            const InputOutcome outcome = !outputProblem.isEmpty()
                    ? InputOutcome::failed(outputProblem)
                    : output.skip
                    ? InputOutcome::skipped(skipReason(output))
                    : processInput(processor, inputPath, output.path, settings, cancelRequested);
            finish(index, cost, outcome);
        }
    }

private:
    bool cancelled() const { return cancelRequested && cancelRequested->load(); }

    int claimNext()
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (nextClaimed == int(outputs.size()) || cancelled())
            return -1;
        return nextClaimed++;
    }

    // Waits until index is the next to start and its cost fits; false when the
    // run was cancelled meanwhile, which then starts no later input either.
    // Memory the worker kept from its last picture is counted by no input, so
    // it goes before a wait for room.
    bool admit(int index, qint64 cost, picturememory::KeptForReuse &memory)
    {
        std::unique_lock<std::mutex> lock(mutex);
        const auto fits = [&] {
            return cancelled() || memorybudget::admits(cost, bytesInFlight, inputsInFlight.load(), budget);
        };
        if (!fits())
            memory.release();
        changed.wait(lock, [&] { return nextAdmitted == index && fits(); });
        ++nextAdmitted;
        changed.notify_all();
        if (cancelled())
            return false;
        bytesInFlight += cost;
        ++inputsInFlight;
        return true;
    }

    // Posted under the lock, so the percentages arrive in increasing order.
    // A stopped input is reported as none the run did not start: not at all.
    void finish(int index, qint64 cost, const InputOutcome &outcome)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        bytesInFlight -= cost;
        --inputsInFlight;
        changed.notify_all();
        if (outcome.kind == InputOutcome::Kind::Stopped)
            return;
        ++completed;
        report(receiver, settings.imagePaths.at(index), outcome);
        const int percent = int(qint64(completed) * 100 / outputs.size());
        post(receiver, batchreceiver::updateProgress, Q_ARG(int, percent));
    }

    const JobSettings &settings;
    const QList<OutputChoice> outputs;
    QObject *const receiver;
    const std::atomic<bool> *const cancelRequested;
    const qint64 budget;
    const int copies;
    const QString outputProblem;

    std::mutex mutex;
    std::condition_variable changed;
    int nextClaimed = 0;
    int nextAdmitted = 0;
    int completed = 0;
    qint64 bytesInFlight = 0;
    std::atomic<int> inputsInFlight{0}; // read without the lock by the kernels' row bands
};

// Qt splits its own work on a large picture (smooth scaling, format
// conversions) over its global pool unless the calling thread belongs to that
// pool. Workers side by side therefore run on that pool, so that each keeps
// its picture on one core instead of queueing pieces behind the other
// pictures' pieces. Each worker first makes room for itself in the pool
// (releaseThread without a reservation raises the pool's limit by one until
// the worker takes the room back): so the workers start at once however busy
// the pool is, and the window's painting, which splits its work over that
// pool too, keeps its threads for the whole run. A lone worker runs on a
// thread of its own, where Qt's work on its picture still uses every core.
void runWorkers(Schedule &schedule, int jobs)
{
    QSemaphore finished;
    QThreadPool lone;
    QThreadPool *pool = QThreadPool::globalInstance();
    if (jobs == 1) {
        lone.start([&schedule, &finished] {
            schedule.work();
            finished.release();
        });
    }
    for (int worker = 0; jobs > 1 && worker < jobs; ++worker) {
        pool->releaseThread();
        pool->start([pool, &schedule, &finished] {
            schedule.work();
            pool->reserveThread();
            finished.release();
        });
    }
    // A pool thread that only waits leaves its place to others: to the row
    // bands of a lone worker's picture above all.
    const bool onPool = pool->contains(QThread::currentThread());
    if (onPool)
        pool->releaseThread();
    finished.acquire(jobs);
    if (onPool)
        pool->reserveThread();
}

} // namespace

void runBatch(JobSettings settings, QObject *receiver, const std::atomic<bool> *cancelRequested)
{
    raiseImageDecodeLimit();
    Schedule schedule(settings, receiver, cancelRequested);
    runWorkers(schedule, jobCount(settings));
    post(receiver, batchreceiver::processingFinished);
}
