#ifndef CHAIN_H
#define CHAIN_H

#include "job/step.h"

#include <QImage>
#include <QList>
#include <QString>

// The steps in the order a run applies them.
const QList<const ChainStep *> &chainSteps();

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
