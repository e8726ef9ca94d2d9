#ifndef THUMBNAIL_H
#define THUMBNAIL_H

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <atomic>

// A preview longer than this many times the thumbnail's extent is not
// decoded: a camera's is 160x120, rarely beyond 640x480, and a larger claim
// costs more than the picture's own reduced decode.
constexpr int largestPreviewPerExtent = 16;

// The picture in path scaled to fit inside extent by extent, aspect ratio
// kept and EXIF orientation applied; a null image when it cannot be decoded,
// or when *stop, when given, became true meanwhile.
//
// A JPEG's embedded EXIF preview, and the thumbnail a HEIC or AVIF file
// holds, is used when it is at least extent pixels on its longer side, at
// most largestPreviewPerExtent times that and no larger than the picture,
// and has the picture's proportions (some cameras pad theirs with black
// bars); its header is read before it is decoded. So is a raw file's JPEG
// preview, which may be as large as the picture and is then decoded reduced.
// Otherwise the decoder scales while it decodes, so a camera photo never
// needs its full size in memory; the picture is decoded within the bounds
// of a run (imagefile.h, decodeBounded), and SVG is refused as a run
// refuses it. When the file cannot be read, *failure, when given, is set to
// the reason a run would give. A JPEG whose own data the run would refuse
// fails so even when its preview is whole, and one cut short is shown as
// decoded, never by its preview, with "damaged: the file is cut short" in
// *warnings (when given).
QImage makeThumbnail(const QString &path, int extent, const std::atomic<bool> *stop = nullptr,
                     QString *failure = nullptr, QStringList *warnings = nullptr);

// The JPEG data of the EXIF preview (IFD1) of a JPEG file's head, or empty
// when there is none or the EXIF block is malformed.
QByteArray embeddedExifPreview(const QByteArray &jpegHead);

#endif // THUMBNAIL_H
