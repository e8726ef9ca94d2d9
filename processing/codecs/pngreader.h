#ifndef PNGREADER_H
#define PNGREADER_H

#include <QByteArray>
#include <QImage>

// A PNG decoder for grey and colour files of 8 and 16 bits, plain or
// interlaced, with or without alpha, that gives exactly what Qt's reader
// gives: the same format and pixels, and the colour space, resolution,
// offset and texts Qt's reader takes from the file's other chunks. A file
// with a colour key gets alpha, transparent exactly where every sample
// equals the key's (Qt 6.4's reader misplaces the samples of 16-bit colour
// with a key). It
// inflates the image data in one pass with libdeflate, about twice as fast
// as zlib's stream.
namespace pngreader {

enum class Outcome { Decoded, LeftToQt };

// Decodes the PNG file held in bytes into *image. LeftToQt for every file
// it does not decode itself (palettes, depths below 8) and for any fault in
// the file, so that Qt's reader meets the fault and reports it in its own
// words.
Outcome decode(const QByteArray &bytes, QImage *image);

} // namespace pngreader

#endif // PNGREADER_H
