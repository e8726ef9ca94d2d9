#ifndef IMAGEFILE_H
#define IMAGEFILE_H

#include "job/inputoutcome.h"

#include <QFile>
#include <QImage>
#include <QImageIOHandler>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <type_traits>
#include <utility>

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

// What a picture decoded reduced must keep: at least a multiple of the
// target on both sides, one for each of the reductions 2, 4 and 8; and with
// wholeBlocks, the stored sides whole multiples of the reduction, since a
// partly filled last block stretches the reduced picture against the
// stored one by up to reduction - 1 pixels.
struct ReductionBar
{
    double multipleAtHalf;
    double multipleAtQuarter;
    double multipleAtEighth;
    bool wholeBlocks;

    double multipleAt(int reduction) const
    {
        return reduction == 2 ? multipleAtHalf : reduction == 4 ? multipleAtQuarter : multipleAtEighth;
    }
};

// For an output scaled by Qt's smooth scaling: averaged from at least 4.5
// reduced pixels each way at a half and 6 at a quarter and an eighth, the
// output stays within 40 dB PSNR of a full decode's on noise, fine texture,
// hard edges and small text (the worst is text, 42.0, 42.1 and 40.8 dB).
// Below that text falls (32 dB at twice) however exactly the reduction
// averages the full picture, as Qt's averaging boxes start at a whole
// source pixel and so fall differently on the reduced picture; a tenth of
// a pixel of stretch alone costs text 10 dB.
constexpr ReductionBar smoothReduction{4.5, 6, 6, true};

// For an output scaled by Lanczos 3, whose weights follow each pixel's
// centre: 2.5 times at a half and a quarter (text 44 and 42 dB), 3 at an
// eighth (text 42 dB; 39 at 2.5).
constexpr ReductionBar lanczos3Reduction{2.5, 2.5, 3, true};

// For a thumbnail, which only has to be as large as its box.
constexpr ReductionBar thumbnailReduction{1, 1, 1, false};

// The size a picture of the given upright size is scaled to first after it
// is decoded (an invalid size when it is needed as decoded), with how much
// larger than that its decode must stay. An empty target (the default)
// decodes every picture whole.
class ScaleTarget
{
public:
    ScaleTarget() = default;
    template<typename SizeOf, typename = std::enable_if_t<!std::is_same_v<std::decay_t<SizeOf>, ScaleTarget>>>
    ScaleTarget(SizeOf sizeOf, ReductionBar bar = smoothReduction) : sizeOf(std::move(sizeOf)), bar(bar)
    {
    }

    QSize operator()(QSize upright) const { return sizeOf(upright); }
    explicit operator bool() const { return bool(sizeOf); }
    const ReductionBar &reductionBar() const { return bar; }

private:
    std::function<QSize(QSize upright)> sizeOf;
    ReductionBar bar = smoothReduction;
};

// By how much a decoder may reduce a picture stored at stored, turned
// upright by transformation and then scaled to target: the largest of 2, 4
// and 8 that the target's bar allows; 1 when none does, or when there is
// no target.
int decodeReduction(QSize stored, QImageIOHandler::Transformations transformation, const ScaleTarget &target);

// The reduction reader's picture is decoded at: for a JPEG as
// decodeReduction allows, 1 for any other picture.
int reductionFor(QImageReader &reader, const ScaleTarget &target);

// size divided by reduction, rounded up, as the decoders reduce it.
QSize reducedSize(QSize size, int reduction);

// How a picture is decoded: the request to stop, and the reduction
// (reductionFor) a decoder that can reduce a picture as it decodes it is
// to take.
struct DecodeRequest
{
    const std::atomic<bool> *stop = nullptr;
    int reduction = 1;
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
// content whatever the name says, reduced as reductionFor allows for target.
// Only a regular file is opened, never blocking; SVG is refused, as it may
// pull in any local file by reference.
// On failure returns a null image and fails outcome with a short reason
// ("cannot read: ...", "too large: ..."), followed by what the decoder said
// of the file in brackets; when *stop, when given, became true meanwhile,
// outcome is stopped instead. A picture that decodes although damaged is
// returned, and what the decoder said about it is added to outcome's
// warnings.
QImage loadImage(const QString &path, InputOutcome &outcome, const std::atomic<bool> *stop = nullptr,
                 const ScaleTarget &target = {});

#endif // IMAGEFILE_H
