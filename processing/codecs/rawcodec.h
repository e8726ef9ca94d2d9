#ifndef RAWCODEC_H
#define RAWCODEC_H

#include <QByteArray>
#include <QImageIOHandler>
#include <QSize>

// Whether head, a file's first bytes (64 KB or all of a shorter file),
// starts a camera's raw file: a DNG, or the raw files of Canon (CR2, CR3),
// Nikon (NEF), Sony (ARW), Pentax (PEF), Olympus (ORF), Panasonic (RW2) or
// Fujifilm (RAF). The TIFF-based ones are told from a TIFF by their first
// directory: DNG's version tag, Canon's marker, or a camera maker's name
// beside the sub-directories that hold the sensor's data.
bool isCameraRaw(const QByteArray &head);

// Bytes of a file's start that isCameraRaw needs to see.
constexpr int cameraRawHeadBytes = 64 * 1024;

// The JPEG preview a camera stored in its raw file, as LibRaw finds it (the
// largest one), with the turn the raw picture takes to stand upright and the
// picture's size before that turn; empty jpeg when there is none.
struct RawPreview
{
    QByteArray jpeg;
    QImageIOHandler::Transformations transformation;
    QSize storedSize;
};
RawPreview rawPreview(const QByteArray &file);

#endif // RAWCODEC_H
