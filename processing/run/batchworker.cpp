#include "run/batchworker.h"

#include "core/picturememory.h"
#include "core/pixelaccess.h"
#include "formats/imagefile.h"
#include "geometry/resample.h"
#include "job/presets.h"
#include "job/inputoutcome.h"
#include "pipeline/chain.h"
#include "run/memorybudget.h"
#include "run/options.h"
#include "run/outputnaming.h"
#include "run/reportfile.h"
#include "run/runreport.h"
#include "run/writeoutput.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <new>
#include <utility>

namespace {

// An input left alone: an output of an earlier run (no path), or one whose
// output exists when existing outputs are skipped.
InputOutcome skippedFor(const OutputChoice &output)
{
    InputOutcome outcome = InputOutcome::skipped(output.path.isEmpty()
                                                         ? QStringLiteral("inside the output folder")
                                                         : QStringLiteral("%1 exists already").arg(output.path));
    outcome.output = output.path;
    return outcome;
}

// The output's own path once its size is known, when the template names it
// by size: what exists there is then met as the pre-run naming meets it.
OutputChoice sizedOutput(const OutputChoice &named, QSize size, const QString &ifExists)
{
    const QFileInfo sized(withOutputSize(named.path, size));
    const QString suffix = sized.suffix();
    return ClaimedNames().choose(sized.path(), sized.completeBaseName(), suffix, ifExists);
}

// Loads, processes and writes one input. An exception ends only this input,
// never the run; a request to stop ends its decode.
InputOutcome processInput(const QString &inputPath, const OutputChoice &named, bool namedBySize,
                          const JobSettings &settings, const ScaleTarget &scaleTarget,
                          const std::atomic<bool> *stop)
{
    InputOutcome outcome;
    try {
        QImage image = loadImage(inputPath, outcome, stop, scaleTarget);
        if (outcome.kind == InputOutcome::Kind::Stopped)
            return outcome;
        // Handed over, so the chain can drop the decoded picture after its first step.
        if (!outcome.failed())
            image = applyChain(std::move(image), settings, outcome);
        const OutputChoice output = namedBySize && !outcome.failed()
                ? sizedOutput(named, image.size(), settings.value(option::ifExists))
                : named;
        if (output.skip)
            return skippedFor(output);
        const QString folderProblem = outcome.failed() || named.treeFolder.isEmpty()
                ? QString() : makeTreeFolder(settings.outputDirectory, named.treeFolder);
        if (!folderProblem.isEmpty())
            outcome.fail(folderProblem);
        if (!outcome.failed())
            writeOutput(image, inputPath, output.path, settings, outcome);
        if (!outcome.failed()) {
            outcome.output = output.path;
            outcome.bytesWritten = QFileInfo(output.path).size();
        }
    } catch (const std::bad_alloc &) {
        outcome.fail(QStringLiteral("out of memory"));
    } catch (const std::exception &error) {
        outcome.fail(QStringLiteral("failed: %1").arg(QString::fromLocal8Bit(error.what())));
    }
    return outcome;
}

// Emits signal of report on report's thread, in the order of the calls.
template <typename... Parameters, typename... Arguments>
void post(RunReport *report, void (RunReport::*signal)(Parameters...), Arguments... arguments)
{
    QMetaObject::invokeMethod(
            report, [=] { (report->*signal)(arguments...); }, Qt::QueuedConnection);
}

// Everything but a plain written file: failure or skip, and each warning.
void report(RunReport *runReport, const QString &inputPath, const InputOutcome &outcome)
{
    if (outcome.kind == InputOutcome::Kind::Failed)
        post(runReport, &RunReport::inputFailed, inputPath, outcome.reason);
    else if (outcome.kind == InputOutcome::Kind::Skipped)
        post(runReport, &RunReport::inputSkipped, inputPath, outcome.reason);
    for (const QString &warning : outcome.warnings)
        post(runReport, &RunReport::inputWarned, inputPath, warning);
}


// How soon a worker sees that a hold has ended.
constexpr std::chrono::milliseconds holdPoll(50);

int jobCount(const JobSettings &settings, qsizetype inputs)
{
    const int jobs = settings.value(option::jobs);
    const int wanted = jobs > 0 ? jobs : QThread::idealThreadCount();
    return std::clamp(wanted, 1, std::max(1, int(inputs)));
}

// Hands the inputs of a run to its workers in input order, each once its
// memory fits beside the inputs in flight, and reports each one done.
class Schedule
{
public:
    Schedule(const JobSettings &settings, const OutputNames &names, ReportFile &reportFile,
             RunReport *runReport, const std::atomic<bool> *cancelRequested,
             const std::atomic<bool> *holdRequested)
        : settings(settings)
        , outputs(names.outputs)
        , ownInputs(shardShare(settings))
        , namedBySize(NameTemplate(settings).namesBySize())
        , reportFile(reportFile)
        , runReport(runReport)
        , cancelRequested(cancelRequested)
        , holdRequested(holdRequested)
        , budget(memorybudget::machineBudget())
        , copies(memorybudget::workingCopies(settings))
        , scaleTarget(scaleTargetOf(settings))
        // Found before the first input is decoded, not after the last.
        , outputProblem(outputDirectoryProblem(settings.outputDirectory))
    {
    }

    qsizetype inputCount() const { return ownInputs.size(); }

    // One worker: processes admitted inputs until none is left or the run is cancelled.
    void work()
    {
        pixelaccess::CoreShare share(inputsInFlight);
        picturememory::KeptForReuse memory;
        for (;;) {
            const int next = claimNext();
            if (next < 0)
                return;
            const int index = ownInputs.at(next);
            const QString &inputPath = settings.imagePaths.at(index);
            const OutputChoice &output = outputs.at(index);
            const qint64 cost = output.skip ? 0 : memorybudget::inputCost(inputPath, copies, scaleTarget);
            if (!admit(next, cost, memory))
                return;
            const InputOutcome outcome = !outputProblem.isEmpty()
                    ? InputOutcome::failure(outputProblem)
                    : output.skip
                    ? skippedFor(output)
                    : processInput(inputPath, output, namedBySize, settings, scaleTarget, cancelRequested);
            finish(index, cost, outcome);
        }
    }

private:
    bool cancelled() const { return cancelRequested && cancelRequested->load(); }
    bool held() const { return holdRequested && holdRequested->load(); }

    int claimNext()
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (nextClaimed == int(ownInputs.size()) || cancelled())
            return -1;
        return nextClaimed++;
    }

    // Waits until the input at next in this process's share is the next to
    // start and its cost fits; false when the
    // run was cancelled meanwhile, which then starts no later input either.
    // Memory the worker kept from its last picture is counted by no input, so
    // it goes before a wait for room.
    bool admit(int next, qint64 cost, picturememory::KeptForReuse &memory)
    {
        std::unique_lock<std::mutex> lock(mutex);
        const auto fits = [&] {
            return cancelled() || memorybudget::admits(cost, bytesInFlight, inputsInFlight.load(), budget);
        };
        if (!fits())
            memory.release();
        changed.wait(lock, [&] { return nextAdmitted == next && fits(); });
        // Nobody notifies the end of a hold: it is looked at now and then.
        while (held() && !cancelled())
            changed.wait_for(lock, holdPoll);
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
        report(runReport, settings.imagePaths.at(index), outcome);
        post(runReport, &RunReport::inputFinished, settings.imagePaths.at(index));
        reportFile.add(settings.imagePaths.at(index), outcome);
        const int percent = int(qint64(completed) * 100 / ownInputs.size());
        post(runReport, &RunReport::progressed, percent);
    }

    const JobSettings &settings;
    const QList<OutputChoice> &outputs;
    const QList<int> ownInputs; // the indices of this process's share
    const bool namedBySize;
    ReportFile &reportFile;
    RunReport *const runReport;
    const std::atomic<bool> *const cancelRequested;
    const std::atomic<bool> *const holdRequested;
    const qint64 budget;
    const int copies;
    const ScaleTarget scaleTarget;
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

// Bilinear and nearest sampling take a few pixels of the decoded picture
// each, so a reduced decode, which averages, changes every output pixel
// (text fell to 11 to 22 dB): they start from the full decode.
ScaleTarget scaleTargetOf(const JobSettings &settings)
{
    const QString filter = settings.value(option::resampleFilter);
    if (settings.value(option::exactResize) || presets::bilinearFilter.is(filter)
        || presets::nearestFilter.is(filter))
        return {};
    return ScaleTarget([&settings](QSize upright) { return firstScaledSize(settings, upright); },
                       presets::lanczos3Filter.is(filter) ? lanczos3Reduction : smoothReduction);
}

QList<int> shardShare(const JobSettings &settings)
{
    QList<int> share;
    const int count = std::max(1, settings.shardCount);
    for (int index = settings.shardIndex; index < settings.imagePaths.size(); index += count)
        share << index;
    return share;
}

void runBatch(JobSettings settings, RunReport *report, const std::atomic<bool> *cancelRequested)
{
    runPausableBatch(std::move(settings), report, cancelRequested, nullptr);
}

void runPausableBatch(JobSettings settings, RunReport *report, const std::atomic<bool> *cancelRequested,
                      const std::atomic<bool> *holdRequested)
{
    raiseImageDecodeLimit();
    const OutputNames names = assignOutputNames(settings);
    ReportFile reportFile;
    const QString reportProblem = names.problem.isEmpty() ? reportFile.open(settings.value(option::reportFile))
                                                          : QString();
    // A problem found before any work ends the run as one input failed.
    const auto failBeforeWork = [&](const QString &path, const QString &reason) {
        post(report, &RunReport::inputFailed, path, reason);
        post(report, &RunReport::progressed, int(100 / std::max<qsizetype>(1, settings.imagePaths.size())));
    };
    if (!names.problem.isEmpty())
        failBeforeWork(names.problemInput, names.problem);
    else if (!reportProblem.isEmpty())
        failBeforeWork(settings.value(option::reportFile), reportProblem);
    else {
        Schedule schedule(settings, names, reportFile, report, cancelRequested, holdRequested);
        runWorkers(schedule, jobCount(settings, schedule.inputCount()));
    }
    post(report, &RunReport::finished);
}
