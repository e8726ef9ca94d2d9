#include "batch/batchworker.h"

#include "batch/imagefile.h"
#include "batch/inputoutcome.h"
#include "batch/metadata.h"
#include "batch/outputnaming.h"
#include "pipeline/chain.h"
#include "pipeline/imageprocessor.h"

#include <QMetaObject>
#include <QObject>

#include <exception>
#include <new>

namespace {

// Loads, processes and writes one input. An exception ends only this input,
// never the run.
InputOutcome processInput(ImageProcessor &processor, const QString &inputPath,
                          const QString &outputPath, const JobSettings &settings)
{
    InputOutcome outcome;
    QString reason;
    try {
        const QImage loaded = loadImage(inputPath, &reason, &outcome.warnings);
        if (loaded.isNull())
            return InputOutcome::failed(reason);
        const ChainResult result = applyChain(processor, loaded, settings);
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

} // namespace

void runBatch(JobSettings settings, QObject *receiver, const std::atomic<bool> *cancelRequested)
{
    raiseImageDecodeLimit();
    ImageProcessor processor;
    const int count = settings.imagePaths.size();

    // Inputs are never overwritten, nor an output of this run by a later one.
    ClaimedNames claimed;
    for (const QString &path : std::as_const(settings.imagePaths))
        claimed.insert(path);
    // Found before the first input is decoded, not after the last.
    const QString outputProblem = outputDirectoryProblem(settings.outputDirectory);

    for (int position = 1; position <= count; ++position) {
        if (cancelRequested && cancelRequested->load())
            break;
        const QString &inputPath = settings.imagePaths.at(position - 1);
        const OutputChoice output =
                claimed.choose(makeOutputPath(inputPath, position, settings), settings.ifExists);
        const InputOutcome outcome = !outputProblem.isEmpty()
                ? InputOutcome::failed(outputProblem)
                : output.skip
                ? InputOutcome::skipped(QStringLiteral("%1 exists already").arg(output.path))
                : processInput(processor, inputPath, output.path, settings);
        if (outcome.kind == InputOutcome::Kind::Written)
            claimed.insert(output.path);
        report(receiver, inputPath, outcome);
        const int percent = int(qint64(position) * 100 / count);
        post(receiver, batchreceiver::updateProgress, Q_ARG(int, percent));
    }
    post(receiver, batchreceiver::processingFinished);
}
