#ifndef JXLCODEC_H
#define JXLCODEC_H

#include <QByteArray>

// Whether a file's first bytes start a JPEG XL codestream or the container
// that holds one.
bool isJpegXl(const QByteArray &head);

#endif // JXLCODEC_H
