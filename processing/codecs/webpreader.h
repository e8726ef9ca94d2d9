#ifndef WEBPREADER_H
#define WEBPREADER_H

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <atomic>

// A still WebP picture decoded by libwebp straight at a smaller size, which
// its rescaler averages from the full picture as it decodes; the rest (full
// size decodes, animations) is left to Qt's reader. The picture is what Qt's
// reader gives, at that size: RGB32, or ARGB32 when the file has alpha, with
// the colour profile of its ICCP chunk.
namespace webpreader {

enum class Outcome { Decoded, LeftToQt, Failed, Stopped };

// Whether head, the start of a WebP file, is that of an animation, which
// is decoded whole by Qt's reader.
bool isAnimated(const QByteArray &head);

// Decodes the WebP file held in bytes into *image at size. LeftToQt for an
// animation; Failed for a file libwebp refuses; Stopped soon after *stop,
// when given, became true: the data is handed to libwebp a part at a time.
Outcome decodeScaled(const QByteArray &bytes, QSize size, QImage *image, const std::atomic<bool> *stop = nullptr);

} // namespace webpreader

#endif // WEBPREADER_H
