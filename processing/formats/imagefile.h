#ifndef IMAGEFILE_H
#define IMAGEFILE_H

#include "job/inputoutcome.h"

#include <QFile>
#include <QImage>
#include <QString>
#include <QStringList>

#include <atomic>

class QImageReader;

// Qt's default of 256 MB refuses ordinary camera and scanner images; beyond
// 1024 MB one decoded input would starve the rest of the run.
constexpr int allocationLimitMegabytes = 1024;

// Raises Qt's process-wide decode limit to the size a run accepts, so that
// large camera images load. The limit is shared by every thread: call it
// before images are read elsewhere (the window does at construction); a run
// calls it too and then writes nothing when the limit is already set.
void raiseImageDecodeLimit();

// Opens path for reading when it names a regular file (links followed),
// never blocking on a pipe or a device. Returns an empty string, or the
// reason it is not opened ("cannot read: not a regular file", ...).
QString openRegularFile(const QString &path, QFile *file);

// A file whose reads fail once *stop, when given, becomes true: Qt's
// decoders read the file as they decode, so each of them ends at its next
// read.
class StoppableFile : public QFile
{
public:
    explicit StoppableFile(const std::atomic<bool> *stop) : stop(stop) {}

    // Whether a read failed for the stop: what was decoded is not whole.
    bool readRefused() const { return refused; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;

private:
    const std::atomic<bool> *const stop;
    bool refused = false;
};

// Tells reader, which reads file, the format file's signature names, so
// that Qt's reader loads no other decoder to find it. Returns the format.
QByteArray readByContent(QImageReader &reader, QFile &file);

// How a picture is decoded: the request to stop, and the size wanted
// (invalid for the stored size).
struct DecodeRequest
{
    const std::atomic<bool> *stop = nullptr;
    QSize scaledSize;
};

// Decodes the picture reader reads from file, within the bounds of a run:
// refused before decoding when its header claims more than the allocation
// limit, when the file holds no pixel data, or when a JPEG's scans would
// take work out of proportion to its picture; ended soon after the request
// to stop, which makes outcome stopped (a picture decoded whole by then is
// kept). On failure returns a null image and fails outcome with the reason.
QImage decodeBounded(QImageReader &reader, StoppableFile &file, const DecodeRequest &request,
                     InputOutcome &outcome);

// Why a file of format, as readByContent names it, is refused before it is
// decoded: SVG may pull in any local file by reference. Empty otherwise.
QString formatRefusal(const QByteArray &format);

// Decodes path with its EXIF orientation applied, the format taken from the
// content whatever the name says. Only a regular file is opened, never
// blocking; SVG is refused, as it may pull in any local file by reference.
// On failure returns a null image and fails outcome with a short reason
// ("cannot read: ...", "too large: ..."), followed by what the decoder said
// of the file in brackets; when *stop, when given, became true meanwhile,
// outcome is stopped instead. A picture that decodes although damaged is
// returned, and what the decoder said about it is added to outcome's
// warnings.
QImage loadImage(const QString &path, InputOutcome &outcome, const std::atomic<bool> *stop = nullptr);

#endif // IMAGEFILE_H
