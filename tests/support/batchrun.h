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
#include <QPair>
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

// Every option at its initial value but the encoder's quality.
JobSettings atQuality(int quality);

// Runs on this thread and then delivers what the run posted, so a test sees
// everything the run reported without waiting.
void runHere(const JobSettings &settings, BatchRecorder &recorder,
             const std::atomic<bool> *cancelRequested = nullptr);

// A picture whose colour changes along both axes, so that a turn, a flip
// or a crop shows in the pixels.
QImage testImage(int width, int height, int seed = 0);

// The path when the image was written, otherwise an empty string.
QString writeImage(const QString &path, const QImage &image = testImage(24, 16));

// A JPEG at path with the EXIF tags given as "Exif.Image.Artist=value";
// the path, or an empty string when it could not be written.
QString jpegWithExif(const QString &path, const QStringList &tags);

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

// A progressive JPEG of width x height with the least data a scan can hold:
// a DC scan setting every block to mid grey, then acScans scans that each
// end every block of one component with runs of empty blocks. Each scan
// costs the decoder a pass over the blocks and the file a few bytes. With
// sampling (horizontal, vertical per component) other than one 1x1
// component, only the headers up to the first scan are written.
QByteArray progressiveJpeg(int width, int height, int acScans,
                           const QList<QPair<int, int>> &sampling = {{1, 1}});

// The picture of grey levels (Format_Grayscale8) as a GIF with a grey
// palette, its pixels coded by LZW as encoders code them: codes growing to
// 12 bits, a clear code when the table is full. codeBytes, when not
// negative, keeps only that many bytes of the coded data (the sub-blocks
// and the trailer stay whole).
QByteArray lzwGif(const QImage &grey, qsizetype codeBytes = -1);

} // namespace batchrun

#endif // BATCHRUN_H
