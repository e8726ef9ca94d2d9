#ifndef PROGRESS_H
#define PROGRESS_H

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>

// text with every control character written as an escape (\n, \t, \x1b,
// \u2028), so that a file name can neither forge a line of the report nor
// drive the terminal.
QString printable(const QString &text);

// Hears one run's report on the main thread and tells it on stderr: a bar redrawn in place on a terminal, one line per input
// otherwise, each failure, skip and warning with its path and reason, and a
// closing summary.
class ProgressReport : public QObject
{
    Q_OBJECT

public:
    ProgressReport(const QStringList &inputPaths, bool quiet, QObject *parent = nullptr);

    int failureCount() const { return failures; }
    // Skipped inputs are not failures: the run did what was asked.
    bool nothingFailed() const { return failures + refusals == 0 && done == inputPaths.size(); }
    // Inputs the run did not reach, as when it was cancelled.
    int leftCount() const { return inputPaths.size() - done; }

    // An input the run cannot be given, reported as failed before it starts.
    void inputRefused(const QString &name, const QString &reason);

public slots:
    void updateProgress(int percent);
    void fileFailed(const QString &path, const QString &reason);
    void fileSkipped(const QString &path, const QString &reason);
    void fileWarning(const QString &path, const QString &message);
    void processingFinished();

signals:
    void finished();

private:
    void drawBar(int percent);
    void clearBar();

    const QStringList inputPaths;
    const bool quiet;
    const bool onTerminal;
    QElapsedTimer clock;
    int done = 0;
    int failures = 0;
    int skips = 0;
    int refusals = 0;
    QStringList warnedPaths;
};

#endif // PROGRESS_H
