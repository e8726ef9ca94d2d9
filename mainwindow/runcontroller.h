#ifndef RUNCONTROLLER_H
#define RUNCONTROLLER_H

#include "completiondialog.h"

#include <QFuture>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QStringList>

#include <atomic>
#include <memory>

QT_BEGIN_NAMESPACE
class QProgressBar;
class QPushButton;
QT_END_NAMESPACE

class OptionForm;

// One run at a time on a pool thread, with the options the form shows when
// it starts: the start button that also stops it, the progress bar, and the
// box that reports the run when it ends, every failure, skip and warning
// with its reason.
class RunController : public QObject
{
    Q_OBJECT

public:
    // Boxes open over window.
    RunController(const OptionForm &form, QPushButton *startButton, QProgressBar *progressBar, QWidget *window);
    // A run still going is stopped and waited for: its report is this
    // object's child and speaks to it until the run ends.
    ~RunController() override;

    bool isRunning() const { return batchRunning; }

    // Starts a run over inputs, each found under the folder beside it in
    // roots (JobSettings::imageRoots), into outputDirectory, made when missing;
    // without inputs or a directory a warning says what is missing. Does
    // nothing while a run goes on.
    void start(const QStringList &inputs, const QStringList &roots, const QString &outputDirectory);
    // No new input starts; those in flight finish whole.
    void stop();
    // The window is going: the run is stopped and waited for, so that
    // nothing is left half-written, and it is not reported.
    void leave();
    void clearProgress();
    void retranslate();
    // While held no further input starts, and the box of a run that ends
    // meanwhile waits; resuming lets both go on.
    void hold();
    void resume();

public slots:
    void showSelectionCount(int count);

signals:
    void runStarted();
    // What became of an input, as soon as the run says it.
    void inputReported(const QString &path, EntryState state, const QStringList &reasons);
    // The run has ended, before its box opens.
    void runEnded();

private:
    // What the run's RunReport says, heard on this object's thread.
    void updateProgress(int value);
    void fileFailed(const QString &path, const QString &reason);
    void fileWarning(const QString &path, const QString &message);
    void fileSkipped(const QString &path, const QString &reason);
    void fileFinished(const QString &path);
    void processingFinished();
    void record(const QString &path, EntryState state, const QString &reason);

    bool ensureOutputDirectory(const QString &directory);
    void showWarning(const QString &text);
    void showRunControls();
    void showIdleProgress();
    void showProgressText(const QString &text);
    void showCompletion();
    QString completionMessage() const;

    const OptionForm &form;
    QPushButton *startButton;
    QProgressBar *progressBar;
    QWidget *window;
    int selectedCount = 0;

    // What the run in progress, or the last one, has reported so far.
    struct BatchTally
    {
        int total = 0;
        int done = 0; // inputs finished with, written or not
        QString outputDirectory;
        QStringList inputs;
        // By input position: inputs run side by side finish in any order,
        // the box lists them in input order.
        QMap<int, QList<ReportedInput>> reported;
        int failures = 0;
        int skipped = 0;
        QSet<QString> warnedPaths; // a file may carry several warnings
    };
    QFuture<void> runningBatch;
    std::shared_ptr<std::atomic<bool>> cancelRequested;
    std::shared_ptr<std::atomic<bool>> holdRequested;
    bool batchRunning = false;
    bool closing = false;
    bool completionWaiting = false;
    BatchTally batch;
};

#endif // RUNCONTROLLER_H
