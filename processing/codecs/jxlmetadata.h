#ifndef JXLMETADATA_H
#define JXLMETADATA_H

#include "codecs/metadatablocks.h"

#include <QString>

// The Exif and xml boxes of a JPEG XL file's container.
namespace jxlmetadata {

// The blocks libjxl finds in the file at path (compressed boxes too); a
// bare codestream has none. A problem says what stopped the reading.
MetadataBlocks read(const QString &path, QString *problem);

// Adds blocks to the JPEG XL file held in file, as boxes before its
// codestream; a bare codestream is put into a container first. False, with
// file unchanged and the reason in *problem, when its boxes are not as
// expected.
bool insertInto(QByteArray &file, const MetadataBlocks &blocks, QString *problem);

} // namespace jxlmetadata

#endif // JXLMETADATA_H
