#ifndef PNGREADER_H
#define PNGREADER_H

#include <QByteArray>
#include <QImage>

// A PNG decoder for non-interlaced grey and colour files of 8 and 16 bits,
// with or without alpha, that gives exactly what Qt's reader gives: the same
// format and pixels, and the colour space, resolution, offset and texts
// Qt's reader takes from the file's other chunks. It inflates the image data
// in one pass with libdeflate, about twice as fast as zlib's stream.
namespace pngreader {

enum class Outcome { Decoded, LeftToQt };

// Decodes the PNG file held in bytes into *image. LeftToQt for every file
// it does not decode itself (palettes, transparency chunks, interlacing,
// low depths) and for any fault in the file, so that Qt's reader meets the
// fault and reports it in its own words.
Outcome decode(const QByteArray &bytes, QImage *image);

} // namespace pngreader

#endif // PNGREADER_H
