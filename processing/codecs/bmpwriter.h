#ifndef BMPWRITER_H
#define BMPWRITER_H

#include <QImage>

class QIODevice;

// A BMP writer for 32-bit pictures that produces exactly the bytes of Qt's
// writer (24 bits per pixel, rows bottom up and padded to 4 bytes, the
// picture's resolution or 72 dpi), with whole rows converted at a time
// instead of one pixel per call and written in large blocks.
namespace bmpwriter {

// True for the formats written here: RGB32 and ARGB32, whose alpha Qt's
// writer drops as well.
bool writes(QImage::Format format);

// Writes image, of a format writes() accepts, to device; false when the
// device refuses a write.
bool write(const QImage &image, QIODevice *device);

} // namespace bmpwriter

#endif // BMPWRITER_H
