#ifndef JPEGWRITER_H
#define JPEGWRITER_H

#include <QByteArray>
#include <QImage>

// A JPEG encoder for RGB32 and Grayscale8 pictures that produces exactly the
// bytes of Qt's writer (baseline, the picture's resolution in the JFIF
// header, its texts as comments, its colour profile), handing the rows to
// libjpeg as they are stored instead of converting each row to 24 bits first.
namespace jpegwriter {

// True for the formats encoded here.
bool writes(QImage::Format format);

// The file of image, of a format writes() accepts, at quality 1 to 100;
// empty when libjpeg refuses it.
QByteArray encode(const QImage &image, int quality);

} // namespace jpegwriter

#endif // JPEGWRITER_H
