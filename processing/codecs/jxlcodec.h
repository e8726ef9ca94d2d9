#ifndef JXLCODEC_H
#define JXLCODEC_H

#include <QByteArray>
#include <QtGlobal>

class QIODevice;

// Whether a file's first bytes start a JPEG XL codestream or the container
// that holds one.
bool isJpegXl(const QByteArray &head);

// What decoding the JPEG XL file on device holds beside the picture it
// gives: nothing more than the picture's size for most files, but a lossy
// file tagged by a profile alone comes out of libjxl in floats, 16 bytes a
// pixel, beside libjxl's own float frame, before it is brought back to its
// profile. 0 when the header cannot be read.
qint64 jxlDecoderBytes(QIODevice &device);

#endif // JXLCODEC_H
