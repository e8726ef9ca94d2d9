#ifndef HEIFMETADATA_H
#define HEIFMETADATA_H

#include "codecs/metadatablocks.h"

#include <QString>

// The EXIF and XMP items of a HEIF or AVIF file, which describe its primary
// picture.
namespace heifmetadata {

// The blocks libheif finds for the primary picture of the file at path; a
// problem names what libheif said when the file could not be read.
MetadataBlocks read(const QString &path, QString *problem);

// Adds blocks to the HEIF or AVIF file held in file as items that describe
// its primary picture, their data in a media data box at the end. The file
// must have none yet, as our encoder writes it. False, with file unchanged
// and the reason in *problem, when its boxes are not as expected.
bool insertInto(QByteArray &file, const MetadataBlocks &blocks, QString *problem);

} // namespace heifmetadata

#endif // HEIFMETADATA_H
