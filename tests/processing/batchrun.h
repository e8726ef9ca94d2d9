#ifndef BATCHRUN_H
#define BATCHRUN_H

// Shared by the worker tests: a receiver that records every call of a run,
// and small helpers for input files and output directories. Each test file
// includes "moc_batchrun.cpp" once.

#include "batch/batchworker.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QObject>
#include <QStringList>
#include <QThread>

class BatchRecorder : public QObject
{
    Q_OBJECT

public:
    QList<int> progress;
    QStringList failedPaths;
    QStringList failureReasons;
    QStringList skippedPaths;
    QStringList skipReasons;
    QStringList warningPaths;
    QStringList warnings;
    // "progress", "failed", "skipped", "warning" and "finished" in the order
    // the calls arrived.
    QStringList events;
    int finishedCount = 0;
    bool allOnOwnThread = true;
    // When set, raised at the first progress call.
    std::atomic<bool> *cancelOnFirstProgress = nullptr;

    QString reasonFor(const QString &path) const
    {
        const int index = failedPaths.indexOf(path);
        return index < 0 ? QString() : failureReasons.at(index);
    }

public slots:
    void updateProgress(int percent)
    {
        record(QStringLiteral("progress"));
        progress << percent;
        if (cancelOnFirstProgress)
            cancelOnFirstProgress->store(true);
    }
    void fileFailed(const QString &path, const QString &reason)
    {
        record(QStringLiteral("failed"));
        failedPaths << path;
        failureReasons << reason;
    }
    void fileSkipped(const QString &path, const QString &reason)
    {
        record(QStringLiteral("skipped"));
        skippedPaths << path;
        skipReasons << reason;
    }
    void fileWarning(const QString &path, const QString &message)
    {
        record(QStringLiteral("warning"));
        warningPaths << path;
        warnings << message;
    }
    void processingFinished()
    {
        record(QStringLiteral("finished"));
        ++finishedCount;
    }

private:
    void record(const QString &event)
    {
        events << event;
        allOnOwnThread = allOnOwnThread && QThread::currentThread() == thread();
    }
};

namespace batchrun {

// Runs on this thread and then delivers the queued calls, so a test sees
// every call of the run without waiting.
inline void runHere(const JobSettings &settings, BatchRecorder &recorder,
                    const std::atomic<bool> *cancelRequested = nullptr)
{
    runBatch(settings, &recorder, cancelRequested);
    QCoreApplication::sendPostedEvents(&recorder);
}

// A picture whose colour changes along both axes, so that a turn, a flip
// or a crop shows in the pixels.
inline QImage testImage(int width, int height, int seed = 0)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 255) / qMax(1, width - 1), (y * 255) / qMax(1, height - 1),
                                      (seed * 37) % 256));
    }
    return image;
}

inline QString writeImage(const QString &path, const QImage &image = testImage(24, 16))
{
    return image.save(path) ? path : QString();
}

inline QByteArray fileChecksum(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

inline QStringList entriesOf(const QString &directory)
{
    return QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                     QDir::Name);
}

} // namespace batchrun

#endif // BATCHRUN_H
