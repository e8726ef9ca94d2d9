#ifndef METADATABLOCKS_H
#define METADATABLOCKS_H

#include <QByteArray>

// A picture's EXIF and XMP as a container file holds them apart from its
// pixels: the EXIF as a TIFF structure from its byte-order mark on, the XMP
// as its packet's text. Either may be empty.
struct MetadataBlocks
{
    QByteArray exif;
    QByteArray xmp;

    bool isEmpty() const { return exif.isEmpty() && xmp.isEmpty(); }
};

#endif // METADATABLOCKS_H
