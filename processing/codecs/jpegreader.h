#ifndef JPEGREADER_H
#define JPEGREADER_H

#include <QByteArray>
#include <QImage>

#include <atomic>

// A JPEG decoder for grey and colour files that gives exactly what Qt's
// reader gives (Grayscale8 or RGB32 pixels, the colour profile, the JFIF
// resolution), with libjpeg writing its rows straight into the picture
// instead of through a 24-bit row that is converted afterwards. Texts and the
// EXIF orientation are left to Qt's reader, which has them from the header.
namespace jpegreader {

enum class Outcome { Decoded, LeftToQt, Failed, Stopped };

// Decodes the JPEG file held in bytes into *image. LeftToQt for what is
// decoded here differently or not at all (CMYK, 12-bit samples), so that
// Qt's reader takes it; Failed after libjpeg gave up on a damaged file, with
// its words passed to Qt's log as Qt's reader does. Stopped soon after
// *stop, when given, became true: libjpeg is asked at every row of blocks
// of every scan. A scale denominator of 2, 4 or 8 gives the picture that
// much smaller, from libjpeg's reduced inverse transforms.
Outcome decode(const QByteArray &bytes, QImage *image, const std::atomic<bool> *stop = nullptr,
               int scaleDenominator = 1);

// The same for the file open as descriptor, read from its start a piece at
// a time, so that the decode never holds the whole file beside the picture.
Outcome decodeFile(int descriptor, QImage *image, const std::atomic<bool> *stop = nullptr,
                   int scaleDenominator = 1);

} // namespace jpegreader

#endif // JPEGREADER_H
