#ifndef INPUTOUTCOME_H
#define INPUTOUTCOME_H

#include <QString>
#include <QStringList>

// What became of one input of a run, carried from its reading through every
// step to its writing and on to the report: each stage records a failure or
// a warning here instead of handing back a reason of its own.
struct InputOutcome
{
    // Stopped: the run was stopped while the input was decoded; it is left
    // unprocessed like the inputs the run did not start.
    enum class Kind { Written, Skipped, Failed, Stopped };

    Kind kind = Kind::Written;
    // Why the input failed or was skipped; empty when it was written.
    QString reason;
    // Problems that did not stop the input (a damaged but decodable file,
    // metadata that could not be copied), each a short text without the path.
    QStringList warnings;
    // The file written, and its size in bytes.
    QString output;
    qint64 bytesWritten = 0;

    bool failed() const { return kind == Kind::Failed; }
    // A failed input is reported by its reason alone.
    void fail(const QString &why)
    {
        kind = Kind::Failed;
        reason = why;
        warnings.clear();
    }

    static InputOutcome failure(const QString &reason) { return {Kind::Failed, reason, {}, {}, 0}; }
    static InputOutcome skipped(const QString &reason) { return {Kind::Skipped, reason, {}, {}, 0}; }
    static InputOutcome stopped() { return {Kind::Stopped, {}, {}, {}, 0}; }
};

#endif // INPUTOUTCOME_H
