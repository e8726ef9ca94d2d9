#ifndef JPEGWRITER_H
#define JPEGWRITER_H

#include <QByteArray>
#include <QImage>

// A JPEG encoder for RGB32 and Grayscale8 pictures that produces exactly the
// bytes of Qt's writer by default (baseline, 4:2:0, the picture's resolution in the JFIF
// header, its texts as comments, its colour profile), handing the rows to
// libjpeg as they are stored instead of converting each row to 24 bits first.
namespace jpegwriter {

// The choices beyond the quality; the initial ones give Qt's bytes.
struct JpegEncoding
{
    bool progressive = false;
    // Colour samples per brightness sample, across and down: 2x2 is 4:2:0,
    // 2x1 4:2:2, 1x1 4:4:4.
    int chromaStepX = 2;
    int chromaStepY = 2;

    bool isQtDefault() const { return !progressive && chromaStepX == 2 && chromaStepY == 2; }
};

// True for the formats encoded here.
bool writes(QImage::Format format);

// The file of image, of a format writes() accepts, at quality 1 to 100;
// empty when libjpeg refuses it.
QByteArray encode(const QImage &image, int quality, const JpegEncoding &encoding = {});

} // namespace jpegwriter

#endif // JPEGWRITER_H
