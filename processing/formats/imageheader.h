#ifndef IMAGEHEADER_H
#define IMAGEHEADER_H

#include <QByteArray>
#include <QSize>
#include <QString>

class QIODevice;

// The size a BMP, PBM/PGM/PPM or XPM header claims, read without decoding:
// Qt's decoders of these formats give no size for a picture they refuse, so
// a huge claim would otherwise read as damage. Invalid for other content.
struct ClaimedPicture
{
    QSize size;
    int bitsPerPixel = 32; // as decoded
};
ClaimedPicture claimedPicture(const QByteArray &head);

// Qt's name of the format of a JPEG, PNG, GIF, WebP, TIFF, BMP, HEIC, AVIF,
// JPEG XL or camera raw file, from the signature its first bytes carry (a
// raw file's first directory may need cameraRawHeadBytes); empty for other
// content. Qt's reader
// given no format asks each of its decoders in turn, which loads every one
// of them with its libraries (a few ms at the first picture of a run).
QByteArray signatureFormat(const QByteArray &head);

// The warning for a file that ends before its picture does.
QString cutShortWarning();

// Why a decoded file is incomplete, for formats whose decoder fills what is
// missing in silence: a BMP shorter than its pixel rows, a GIF that ends
// before its trailer or whose first image's LZW data ends before its last
// pixel. Empty when nothing is missing or the format is another.
QString truncationOf(QIODevice &device, const QByteArray &format);

// Why a file holds no pixel at all, asked before decoding it, for formats
// whose decoder would make up a blank picture of the size the header
// claims: a GIF whose first image's LZW data yields no pixel, a BMP that
// ends before its pixel rows begin ("damaged: no pixel data"). Empty
// otherwise.
QString missingPixels(QIODevice &device, const QByteArray &format);

#endif // IMAGEHEADER_H
