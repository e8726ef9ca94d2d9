#ifndef EXTENDEDXMP_H
#define EXTENDEDXMP_H

#include <QByteArray>

class QIODevice;

// XMP beyond the 64 KB of one JPEG segment goes into further APP1 segments
// ("http://ns.adobe.com/xmp/extension/"), which the main packet names by
// its xmpNote:HasExtendedXMP. exiv2 reads and writes the main packet only:
// the extension is carried here, as the segments' bytes.
namespace extendedxmp {

// The extension segments of the JPEG file device reads, whole and in file
// order, read from its head up to the first scan; empty when it has none.
QByteArray segmentsOf(QIODevice &device);

// Puts segments right after the main XMP segment of the JPEG file held in
// encoded. False, with encoded unchanged, when encoded has no main XMP
// segment for them to follow.
bool insertInto(QByteArray &encoded, const QByteArray &segments);

} // namespace extendedxmp

#endif // EXTENDEDXMP_H
