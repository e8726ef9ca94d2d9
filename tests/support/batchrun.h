#ifndef BATCHRUN_H
#define BATCHRUN_H

// Shared by the worker tests: a recorder of everything a run reports, and
// small helpers for input files and output directories.

#include "run/batchworker.h"
#include "run/runreport.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>

#include <atomic>

// Everything a run tells its report, as it arrives on the recorder's thread.
class BatchRecorder
{
public:
    BatchRecorder();

    // Hand this to runBatch.
    RunReport report;
    QList<int> progress;
    QStringList failedPaths;
    QStringList failureReasons;
    QStringList skippedPaths;
    QStringList skipReasons;
    QStringList warningPaths;
    QStringList warnings;
    // "progress", "failed", "skipped", "warning" and "finished" in the order
    // they arrived.
    QStringList events;
    int finishedCount = 0;
    bool allOnOwnThread = true;

    QString reasonFor(const QString &path) const;

private:
    void record(const QString &event);
};

namespace batchrun {

// A record of the inputs and output directory, every option at its initial value.
JobSettings settingsFor(const QStringList &inputs, const QString &outputDirectory);

// Runs on this thread and then delivers what the run posted, so a test sees
// everything the run reported without waiting.
void runHere(const JobSettings &settings, BatchRecorder &recorder,
             const std::atomic<bool> *cancelRequested = nullptr);

// A picture whose colour changes along both axes, so that a turn, a flip
// or a crop shows in the pixels.
QImage testImage(int width, int height, int seed = 0);

// The path when the image was written, otherwise an empty string.
QString writeImage(const QString &path, const QImage &image = testImage(24, 16));

// The path when every byte was written, otherwise an empty string.
QString writeFile(const QString &path, const QByteArray &bytes);

// SHA-256 of the file's bytes; empty when it cannot be read.
QByteArray fileChecksum(const QString &path);

// Every entry of the directory, hidden ones included, by name.
QStringList entriesOf(const QString &directory);

// image as a file of format in memory, at quality (-1: the encoder's
// default); empty when Qt cannot write it.
QByteArray encoded(const QImage &image, const char *format, int quality = -1);

// A valid PNG whose header claims width x height, its checksum mended.
QByteArray pngClaiming(quint32 width, quint32 height);

} // namespace batchrun

#endif // BATCHRUN_H
