#ifndef MEMORYBUDGET_H
#define MEMORYBUDGET_H

#include "formats/imagefile.h"
#include "job/jobsettings.h"

#include <QString>
#include <QtGlobal>

// How many inputs of a run may be in memory at once. Each input is counted
// as the size of its decoded picture, read from the file's header before
// decoding, times the pictures of that size the run holds for it at the
// same time; inputs start while the sum over those in flight stays within
// the budget.
namespace memorybudget {

// Beyond this a larger machine gains nothing from more decoded inputs at once.
constexpr qint64 capBytes = qint64(4) * 1024 * 1024 * 1024;

// A quarter of physicalBytes, at most capBytes.
qint64 budgetFor(qint64 physicalBytes);

// The budget of this machine.
qint64 machineBudget();

// The pictures alive at once for one input: the decoded one, a step's result
// while the step runs (when any step runs), and the encoder's copy in its
// own pixel format.
int workingCopies(const JobSettings &settings);

// Bytes of the decoded picture of path, 4 per pixel (8 for 16 bits per
// sample), from its header; 0 when
// path is no regular file or its header tells no size (such an input fails
// before it holds memory).
qint64 decodedBytes(const QString &path);

// What one input holds at its peak: its working copies of the decoded
// picture, or while it is decoded, the picture beside what the decoder keeps
// for it, whichever is more. libjpeg keeps every coefficient of a
// progressive JPEG (or one coded a component at a time): width x height x
// components x 2 bytes, in whole blocks, 1.5 GB for a colour 16000x16000
// file of a kilobyte; libjpeg keeps them whole however much it reduces the
// picture. A lossy JPEG XL tagged by a profile alone is decoded in floats
// (jxlDecoderBytes). The picture is counted at the size it is decoded at for target
// (reductionFor). 0 as for decodedBytes.
qint64 inputCost(const QString &path, int copies, const ScaleTarget &target = {});

// Whether an input counted as cost may start while inputsInFlight inputs
// holding bytesInFlight run. A lone input always starts, however large,
// since it is no worse alone than in a one-at-a-time run.
bool admits(qint64 cost, qint64 bytesInFlight, int inputsInFlight, qint64 budget);

} // namespace memorybudget

#endif // MEMORYBUDGET_H
