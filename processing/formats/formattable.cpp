#include "formats/formattable.h"

#include "formats/encoderoptions.h"
#include "formats/imagefile.h"

#include <QImageReader>

namespace presets {
constexpr PresetEntry sameAsInput{"same", "same", QT_TRANSLATE_NOOP("MainWindow", "与输入相同")};
constexpr PresetEntry jpg{"JPG", "JPG", QT_TRANSLATE_NOOP("MainWindow", "JPG")};
} // namespace presets

namespace {

constexpr PresetEntry notWritten{nullptr, nullptr, nullptr};

constexpr const OptionDeclaration *jpegOptions[] = {&option::progressive, &option::chromaSubsampling, &option::dpi};
constexpr const OptionDeclaration *pngOptions[] = {&option::pngCompression, &option::dpi};
constexpr const OptionDeclaration *resolutionOnly[] = {&option::dpi};
constexpr const OptionDeclaration *webpOptions[] = {&option::webpLossless};
constexpr const OptionDeclaration *jxlOptions[] = {&option::jxlLossless, &option::jxlEffort};

// reader, media types, suffixes, output entry, alpha, 16 bits, profile, EXIF/XMP, encoder options
constexpr FileFormat rows[] = {
    {"jpeg", "image/jpeg", "jpg jpeg jpe", presets::jpg, false, false, true, true, jpegOptions},
    {"png", "image/png", "png", {"PNG", "PNG", QT_TRANSLATE_NOOP("MainWindow", "PNG")}, true, true, true, true,
     pngOptions},
    {"bmp", "image/bmp", "bmp dib", {"BMP", "BMP", QT_TRANSLATE_NOOP("MainWindow", "BMP")}, false, false, false,
     false, resolutionOnly},
    {"webp", "image/webp", "webp", {"WEBP", "WEBP", QT_TRANSLATE_NOOP("MainWindow", "WEBP")}, true, false, true, true,
     webpOptions},
    {"tiff", "image/tiff", "tif tiff", {"TIFF", "TIFF", QT_TRANSLATE_NOOP("MainWindow", "TIFF")}, true, true, true, true,
     resolutionOnly},
    {"avif", "image/avif", "avif", {"AVIF", "AVIF", QT_TRANSLATE_NOOP("MainWindow", "AVIF")}, true, false, true, true},
    {"heic", "image/heif image/heic", "heic heif hif", {"HEIC", "HEIC", QT_TRANSLATE_NOOP("MainWindow", "HEIC")},
     true, false, true, true},
    {"jxl", "image/jxl", "jxl", {"JXL", "JXL", QT_TRANSLATE_NOOP("MainWindow", "JXL")}, true, false, true, true,
     jxlOptions},
    {"raw",
     "image/x-adobe-dng image/x-canon-cr2 image/x-canon-cr3 image/x-nikon-nef image/x-sony-arw "
     "image/x-fuji-raf image/x-olympus-orf image/x-panasonic-rw2 image/x-pentax-pef",
     "dng cr2 cr3 nef arw raf orf rw2 pef", notWritten},
    {"gif", "image/gif", "gif", notWritten},
    {"mng", "video/x-mng", "mng", notWritten},
    {"ico", "image/vnd.microsoft.icon", "ico", notWritten},
    {"cur", "image/x-win-bitmap", "cur", notWritten},
    {"icns", "image/x-icns", "icns", notWritten},
    {"tga", "image/x-tga", "tga", notWritten},
    {"pbm", "image/x-portable-bitmap", "pbm", notWritten},
    {"pgm", "image/x-portable-graymap", "pgm", notWritten},
    {"ppm", "image/x-portable-pixmap", "ppm", notWritten},
    {"xbm", "image/x-xbitmap", "xbm", notWritten},
    {"xpm", "image/x-xpixmap", "xpm", notWritten},
    {"wbmp", "image/vnd.wap.wbmp", "wbmp", notWritten},
};

constexpr int writtenCount()
{
    int count = 0;
    for (const FileFormat &row : rows)
        count += row.output.key != nullptr;
    return count;
}

struct OutputEntries
{
    const PresetEntry *entries[writtenCount() + 1];
};

constexpr OutputEntries collectOutputEntries()
{
    OutputEntries list{};
    list.entries[0] = &presets::sameAsInput;
    int next = 1;
    for (const FileFormat &row : rows) {
        if (row.output.key)
            list.entries[next++] = &row.output;
    }
    return list;
}

constexpr OutputEntries outputEntries = collectOutputEntries();

} // namespace

namespace presets {
constexpr PresetList formats(outputEntries.entries);
} // namespace presets

QStringList FileFormat::suffixList() const
{
    return QString::fromLatin1(suffixes).split(QLatin1Char(' '));
}

QStringList FileFormat::mediaTypeList() const
{
    return QString::fromLatin1(mediaTypes).split(QLatin1Char(' '));
}

const QList<FileFormat> &fileFormats()
{
    static const QList<FileFormat> formats(std::begin(rows), std::end(rows));
    return formats;
}

const FileFormat *formatWritten(const QString &name)
{
    for (const FileFormat &row : rows) {
        if (row.output.key && (name.compare(QLatin1String(row.output.key), Qt::CaseInsensitive) == 0
                               || name.compare(QLatin1String(row.reader), Qt::CaseInsensitive) == 0))
            return &row;
    }
    return nullptr;
}

const FileFormat *formatReadBy(const QByteArray &reader)
{
    for (const FileFormat &row : rows) {
        if (reader == row.reader)
            return &row;
    }
    return nullptr;
}

QStringList readableSuffixes()
{
    QStringList suffixes;
    for (const FileFormat &row : rows)
        suffixes << row.suffixList();
    return suffixes;
}

const FileFormat *formatOfFile(const QString &path)
{
    QFile file;
    if (!openRegularFile(path, &file).isEmpty())
        return nullptr;
    QImageReader reader(&file);
    return formatReadBy(readByContent(reader, file));
}

const FileFormat &outputFormatFor(const QString &key, const QString &inputPath)
{
    const FileFormat *chosen = presets::sameAsInput.is(key) ? formatOfFile(inputPath) : formatWritten(key);
    return chosen && chosen->isWritten() ? *chosen : rows[0];
}
