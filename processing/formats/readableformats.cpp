#include "formats/readableformats.h"

const QList<ReadableFormat> &readableFormats()
{
    static const QList<ReadableFormat> formats = {
        {"jpeg", "image/jpeg"},
        {"png", "image/png"},
        {"webp", "image/webp"},
        {"tiff", "image/tiff"},
        {"bmp", "image/bmp"},
        {"gif", "image/gif"},
        {"mng", "video/x-mng"},
        {"ico", "image/vnd.microsoft.icon"},
        {"cur", "image/x-win-bitmap"},
        {"icns", "image/x-icns"},
        {"tga", "image/x-tga"},
        {"pbm", "image/x-portable-bitmap"},
        {"pgm", "image/x-portable-graymap"},
        {"ppm", "image/x-portable-pixmap"},
        {"xbm", "image/x-xbitmap"},
        {"xpm", "image/x-xpixmap"},
        {"wbmp", "image/vnd.wap.wbmp"},
    };
    return formats;
}
