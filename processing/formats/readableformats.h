#ifndef READABLEFORMATS_H
#define READABLEFORMATS_H

#include <QList>

// A kind of file a run reads: Qt's name for its reader and the media type
// the desktop knows such files by (shared-mime-info's name, which is not
// always Qt's: MNG is video/x-mng there). The desktop file offers the
// program for files of these types. SVG is no input: it can refer to any
// local file.
struct ReadableFormat
{
    const char *reader;
    const char *mediaType;
};

const QList<ReadableFormat> &readableFormats();

#endif // READABLEFORMATS_H
