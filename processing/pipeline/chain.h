#ifndef CHAIN_H
#define CHAIN_H

#include "core/tonemapping.h"
#include "job/jobsettings.h"

#include <QImage>
#include <QString>

// One step of the chain: its name as reports give it, whether it runs for a
// run's settings, and what it does to the picture.
struct ChainStep
{
    const char *name;
    bool (*runs)(const JobSettings &settings);
    QImage (*apply)(const QImage &image, const JobSettings &settings);
    // Why the step leaves an empty picture of input, when it has a reason
    // of its own beyond running out of memory; null for none.
    QString (*emptyReason)(const QImage &input, const JobSettings &settings);
    // For a step that maps each colour channel through a table of its own
    // (its apply is then applyChannelTable with it), that table; else null.
    tonemapping::ChannelTable (*table)(const JobSettings &settings);
};

// The steps in the order a run applies them.
const QList<ChainStep> &chainSteps();

struct ChainResult
{
    QImage image;
    // Empty when every step left a picture; otherwise "step: reason".
    QString failure;
};

// Sends image through every step that runs for settings, in chain order,
// and stops after the step named stopAfter when one is given. A step that
// leaves an empty picture ends the chain with a failure naming that step.
// Table steps that run one after the other take a single pass with their
// composed table where that gives the same pixels, and rewrite a picture no
// one else holds in place: hand image over (std::move) to let the chain
// drop it as soon as it is no longer needed.
ChainResult applyChain(QImage image, const JobSettings &settings, const QString &stopAfter = QString());

#endif // CHAIN_H
