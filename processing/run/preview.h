#ifndef PREVIEW_H
#define PREVIEW_H

#include "job/inputoutcome.h"
#include "job/jobsettings.h"

#include <QImage>
#include <QString>

// What a preview of one input works from: the picture decoded as a run
// decodes it, and a copy no larger than a screen, from which a first
// approximation of the result is rendered at once.
struct PreviewSource
{
    QString path;
    QImage full;
    QImage screen;
    // screen's scale relative to full (1 when full already fits).
    double factor = 1.0;
    // A failed read keeps the reason a run would give.
    InputOutcome outcome;
};

// Decodes path and makes its copy at most screenSide pixels on its longer edge.
PreviewSource loadPreviewSource(const QString &path, int screenSide);

// settings with every option measured in pixels scaled by factor, within
// its range: the same job for a picture scaled by factor.
JobSettings scaledSettings(const JobSettings &settings, double factor);

// The result at screen scale, quickly: the chain on the screen copy with
// the settings scaled to it, a standard size among them. An approximation
// of the exact result.
QImage renderApproximation(const PreviewSource &source, const JobSettings &settings, InputOutcome &outcome);

// The picture the run would encode: the chain on the full picture.
QImage renderExact(const PreviewSource &source, const JobSettings &settings, InputOutcome &outcome);

// The size in bytes of the file the run writes of result as the output of
// inputPath: in the format it chooses for that input, with the input's
// metadata unless settings strip it; -1 when the encoder refuses it.
qint64 encodedSize(const QImage &result, const QString &inputPath, const JobSettings &settings);

#endif // PREVIEW_H
