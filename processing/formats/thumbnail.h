#ifndef THUMBNAIL_H
#define THUMBNAIL_H

#include <QByteArray>
#include <QImage>
#include <QString>

// The picture in path scaled to fit inside extent by extent, aspect ratio
// kept and EXIF orientation applied; a null image when it cannot be decoded.
//
// A JPEG's embedded EXIF preview is used when it is at least extent pixels
// on its longer side and has the picture's proportions (some cameras pad
// theirs with black bars); otherwise the decoder scales while it decodes,
// so a camera photo never needs its full size in memory.
QImage makeThumbnail(const QString &path, int extent);

// The JPEG data of the EXIF preview (IFD1) of a JPEG file's head, or empty
// when there is none or the EXIF block is malformed.
QByteArray embeddedExifPreview(const QByteArray &jpegHead);

#endif // THUMBNAIL_H
