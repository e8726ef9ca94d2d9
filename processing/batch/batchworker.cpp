#include "batch/batchworker.h"

#include "batch/imagefile.h"
#include "batch/outputnaming.h"
#include "pipeline/chain.h"
#include "pipeline/imageprocessor.h"

#include <QMetaObject>
#include <QObject>
#include <QSet>

#include <exception>
#include <new>

namespace {

// Loads, processes and writes one input. Returns the reason of a failure, or
// an empty text when the output was written. An exception ends only this
// input, never the run.
QString processInput(ImageProcessor &processor, const QString &inputPath,
                     const QString &outputPath, const JobSettings &settings)
{
    QString reason;
    try {
        const QImage loaded = loadImage(inputPath, &reason);
        if (loaded.isNull())
            return reason;
        const ChainResult result = applyChain(processor, loaded, settings);
        if (!result.failure.isEmpty())
            return result.failure;
        if (!processor.saveImage(result.image, outputPath, settings.format, settings.quality,
                                 &reason))
            return reason;
    } catch (const std::bad_alloc &) {
        return QStringLiteral("out of memory");
    } catch (const std::exception &error) {
        return QStringLiteral("failed: %1").arg(QString::fromLocal8Bit(error.what()));
    }
    return QString();
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

} // namespace

void runBatch(JobSettings settings, QObject *receiver, const std::atomic<bool> *cancelRequested)
{
    raiseImageDecodeLimit();
    ImageProcessor processor;
    const int count = settings.imagePaths.size();

    // Inputs are never overwritten, nor an output of this run by a later one.
    QSet<QString> claimed;
    for (const QString &path : std::as_const(settings.imagePaths))
        claimed.insert(fileKey(path));

    for (int position = 1; position <= count; ++position) {
        if (cancelRequested && cancelRequested->load())
            break;
        const QString &inputPath = settings.imagePaths.at(position - 1);
        const QString outputPath =
                freeOutputPath(makeOutputPath(inputPath, position, settings), claimed);
        const QString failure = processInput(processor, inputPath, outputPath, settings);
        if (failure.isEmpty())
            claimed.insert(fileKey(outputPath));
        else
            post(receiver, batchreceiver::fileFailed, Q_ARG(QString, inputPath),
                 Q_ARG(QString, failure));
        const int percent = int(qint64(position) * 100 / count);
        post(receiver, batchreceiver::updateProgress, Q_ARG(int, percent));
    }
    post(receiver, batchreceiver::processingFinished);
}
