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

QString printable(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        const QChar::Category category = c.category();
        if (category != QChar::Other_Control && category != QChar::Separator_Line
            && category != QChar::Separator_Paragraph) {
            escaped += c;
        } else if (c == QLatin1Char('\n')) {
            escaped += QStringLiteral("\\n");
        } else if (c == QLatin1Char('\t')) {
            escaped += QStringLiteral("\\t");
        } else if (c == QLatin1Char('\r')) {
            escaped += QStringLiteral("\\r");
        } else if (c.unicode() < 0x100) {
            escaped += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        } else {
            escaped += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        }
    }
    return escaped;
}

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
    writeError(QStringLiteral("vellumo-batch: %1: %2\n").arg(printable(path), printable(reason)));
}

void ProgressReport::inputRefused(const QString &name, const QString &reason)
{
    ++refusals;
    writeError(QStringLiteral("vellumo-batch: %1: %2\n").arg(printable(name), reason));
}

void ProgressReport::fileSkipped(const QString &path, const QString &reason)
{
    ++skips;
    clearBar();
    writeError(QStringLiteral("vellumo-batch: %1: skipped: %2\n")
                       .arg(printable(path), printable(reason)));
}

void ProgressReport::fileWarning(const QString &path, const QString &message)
{
    if (!warnedPaths.contains(path))
        warnedPaths << path;
    clearBar();
    writeError(QStringLiteral("vellumo-batch: %1: warning: %2\n")
                       .arg(printable(path), printable(message)));
}

void ProgressReport::processingFinished()
{
    clearBar();
    if (!quiet) {
        const int written = done - failures - skips;
        // A cancelled run says what it left undone on a line of its own.
        const QString warned = warnedPaths.isEmpty()
                ? QString()
                : QStringLiteral(", %1 with warnings").arg(warnedPaths.size());
        writeError(QStringLiteral("vellumo-batch: %1 written, %2 failed, %3 skipped%4 in %5 s\n")
                           .arg(written).arg(failures + refusals).arg(skips).arg(warned)
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
