#ifndef REPORTFILE_H
#define REPORTFILE_H

#include "job/inputoutcome.h"

#include <QString>

// A run's report for audit and resume: one JSON line per input, added to the
// end of the file as soon as the input ends ({"input", "output", "status":
// written, failed or skipped, "reason", "warnings", "bytes"}), each in one
// write, so that a run killed at any moment leaves whole lines for every
// input it finished, and several processes can add to one file.
class ReportFile
{
public:
    ReportFile() = default;
    ReportFile(const ReportFile &) = delete;
    ReportFile &operator=(const ReportFile &) = delete;
    ~ReportFile();

    // Opens path for adding; the reason when it cannot be ("cannot write the
    // report PATH: ..."). An empty path opens nothing and adds nothing.
    QString open(const QString &path);

    void add(const QString &inputPath, const InputOutcome &outcome);

private:
    int descriptor = -1;
};

#endif // REPORTFILE_H
