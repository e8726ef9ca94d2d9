#ifndef HEIFCODEC_H
#define HEIFCODEC_H

#include <QByteArray>

// "avif" or "heic" for a file whose first bytes carry the brand of an AVIF
// or of a HEIF file of HEVC pictures, empty otherwise.
QByteArray heifFormat(const QByteArray &head);

#endif // HEIFCODEC_H
