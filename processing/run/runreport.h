#ifndef RUNREPORT_H
#define RUNREPORT_H

#include <QObject>
#include <QString>

// What a run tells while it goes. Create it on the thread that is to hear
// the run, which needs an event loop, connect to its signals and hand it to
// runBatch: every signal is emitted on that thread, in the order the run
// reached it, however many workers the run has.
class RunReport : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    // After each input, written or not: the share of inputs done, rising.
    // An input a stop ended while it was decoded is not done, and is not
    // reported at all.
    void progressed(int percent);
    // Just before its progressed: the input finished with, after its
    // failure, skip or warnings, if any.
    void inputFinished(const QString &path);
    // An input that cannot be read or written; the run goes on.
    void inputFailed(const QString &path, const QString &reason);
    // An input whose output exists when existing outputs are skipped, or an
    // output of an earlier run inside the output folder.
    void inputSkipped(const QString &path, const QString &reason);
    // A problem that did not stop the input, one signal each.
    void inputWarned(const QString &path, const QString &message);
    // Once, after the last input or after a cancellation.
    void finished();
};

#endif // RUNREPORT_H
