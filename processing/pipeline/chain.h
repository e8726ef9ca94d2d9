#ifndef CHAIN_H
#define CHAIN_H

#include "job/inputoutcome.h"
#include "job/step.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

// The steps in the order a run applies them.
const QList<const ChainStep *> &chainSteps();

// The size the first of steps that changes a picture's size gives a picture
// of size, when that step is a scale and the only steps running before it
// are scales leaving the size alone; an invalid size otherwise, as a crop or
// any step that is no scale works on the picture as decoded.
QSize firstScaledSize(const JobSettings &settings, QSize size,
                      const QList<const ChainStep *> &steps = chainSteps());

// settings as they apply to the input at inputPath: the options that take
// values from the input (the watermark's fields) filled for it.
JobSettings settingsForInput(const JobSettings &settings, const QString &inputPath);

// Sends image through every step that runs for settings, in chain order,
// and stops after the step named stopAfter when one is given. A step that
// leaves an empty picture ends the chain: outcome fails with "step: reason"
// and the result is null.
// Table steps that run one after the other take a single pass with their
// composed table where that gives the same pixels, and rewrite a picture no
// one else holds in place: hand image over (std::move) to let the chain
// drop it as soon as it is no longer needed.
QImage applyChain(QImage image, const JobSettings &settings, InputOutcome &outcome,
                  const QString &stopAfter = QString());

#endif // CHAIN_H
