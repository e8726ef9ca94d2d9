#ifndef SAVEIMAGE_H
#define SAVEIMAGE_H

#include "job/inputoutcome.h"
#include "job/jobsettings.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>

// A last change to the encoded file before it is written, such as the
// source's metadata put into it.
using EncodedFileEdit = std::function<void(QByteArray &encoded)>;

// Writes image to path in format (a written format's key or Qt's name for
// it, in any case: "JPG", "jpeg", "TIFF", ...) at the quality and with the
// format's encoder options that settings hold (the resolution among them),
// with its colour profile; for a format that holds no alpha (JPG, BMP),
// laid over white. The file is written to a temporary name and renamed
// into place only once the encoder succeeded, so a failed write leaves
// neither a truncated file nor damage to an earlier file of that name. A
// failure fails outcome with its reason.
void saveImage(const QImage &image, const QString &path, const QString &format, const JobSettings &settings,
               InputOutcome &outcome, const EncodedFileEdit &edit = {});

// The bytes saveImage would write for image, without metadata; empty when
// the encoder refuses it.
QByteArray encodedImage(const QImage &image, const QString &format, const JobSettings &settings);

#endif // SAVEIMAGE_H
