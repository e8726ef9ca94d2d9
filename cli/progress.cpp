#include "progress.h"


#include <cstdio>
#include <unistd.h>

namespace {

constexpr int barWidth = 30;

void writeError(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

// Minutes and seconds, "2:05".
QString clockText(qint64 milliseconds)
{
    const qint64 seconds = milliseconds / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

ProgressReport::ProgressReport(const QStringList &inputPaths, bool quiet, QObject *parent)
    : QObject(parent), inputPaths(inputPaths), quiet(quiet), onTerminal(isatty(STDERR_FILENO))
{
    clock.start();
}

// One call arrives per input, read or not, so the calls count the inputs done.
// Inputs finish in any order when several run at once, so the line names no file.
void ProgressReport::updateProgress(int percent)
{
    ++done;
    if (quiet)
        return;
    if (onTerminal) {
        drawBar(percent);
        return;
    }
    writeError(QStringLiteral("[%1/%2] %3%\n").arg(done).arg(inputPaths.size()).arg(percent));
}

void ProgressReport::fileFailed(const QString &path, const QString &reason)
{
    ++failures;
    clearBar();
    writeError(QStringLiteral("vellumo-batch: %1: %2\n").arg(path, reason));
}

void ProgressReport::fileSkipped(const QString &path, const QString &reason)
{
    ++skips;
    clearBar();
    writeError(QStringLiteral("vellumo-batch: %1: skipped: %2\n").arg(path, reason));
}

void ProgressReport::fileWarning(const QString &path, const QString &message)
{
    clearBar();
    writeError(QStringLiteral("vellumo-batch: %1: warning: %2\n").arg(path, message));
}

void ProgressReport::processingFinished()
{
    clearBar();
    if (!quiet) {
        const int written = done - failures - skips;
        const int notProcessed = inputPaths.size() - done;
        const QString cancelled = notProcessed > 0
                ? QStringLiteral(", %1 not processed (cancelled)").arg(notProcessed)
                : QString();
        writeError(QStringLiteral("vellumo-batch: %1 written, %2 failed, %3 skipped%4 in %5 s\n")
                           .arg(written).arg(failures).arg(skips).arg(cancelled)
                           .arg(double(clock.elapsed()) / 1000.0, 0, 'f', 1));
    }
    emit finished();
}

void ProgressReport::drawBar(int percent)
{
    const int filled = percent * barWidth / 100;
    const qint64 elapsed = clock.elapsed();
    const qint64 remaining = elapsed * (inputPaths.size() - done) / done;
    writeError(QStringLiteral("\r%1% [%2%3] %4/%5  %6 elapsed  %7 left\x1b[K")
                       .arg(percent, 3)
                       .arg(QString(filled, QLatin1Char('#')))
                       .arg(QString(barWidth - filled, QLatin1Char('-')))
                       .arg(done).arg(inputPaths.size())
                       .arg(clockText(elapsed), clockText(remaining)));
}

// Failures and the summary start on a clean line, not after the bar.
void ProgressReport::clearBar()
{
    if (onTerminal && !quiet && done > 0)
        writeError(QStringLiteral("\r\x1b[K"));
}
