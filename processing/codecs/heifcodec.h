#ifndef HEIFCODEC_H
#define HEIFCODEC_H

#include <QByteArray>
#include <QImage>

// "avif" or "heic" for a file whose first bytes carry the brand of an AVIF
// or of a HEIF file of HEVC pictures, empty otherwise.
QByteArray heifFormat(const QByteArray &head);

// The largest thumbnail a HEIC or AVIF file holds for its primary picture
// whose stored size is at least extent and at most largest pixels on its
// longer side, and no larger than the picture: decoded and turned as the
// file says, a null image when there is none.
QImage heifThumbnail(const QByteArray &file, int extent, int largest);

#endif // HEIFCODEC_H
