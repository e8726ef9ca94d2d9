#ifndef FORMATTABLE_H
#define FORMATTABLE_H

#include "job/option.h"
#include "job/presets.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>

// The options of the option table that one format's writer reads.
class FormatOptions
{
public:
    constexpr FormatOptions() = default;
    template <std::size_t Count>
    constexpr FormatOptions(const OptionDeclaration *const (&list)[Count]) : list(list), count(int(Count))
    {
    }

    const OptionDeclaration *const *begin() const { return list; }
    const OptionDeclaration *const *end() const { return list + count; }
    bool contains(const OptionDeclaration &option) const { return std::find(begin(), end(), &option) != end(); }

private:
    const OptionDeclaration *const *list = nullptr;
    int count = 0;
};

// One kind of picture file: the reader Qt (or one of our codecs registered
// with Qt) opens it with, found by its signature whatever the suffix; the
// media types the desktop knows it by (shared-mime-info's names, which are
// not always Qt's: MNG is video/x-mng there); its suffixes; and, when a run
// writes it, its entry in the output list and what such a file keeps of a
// picture, and the encoder options its writer reads. Adding a format is its codec and a row here: the command line's
// and the window's lists, the file dialog's filter, the folders' scan, the
// desktop file's types and the manuals follow.
struct FileFormat
{
    const char *reader;
    const char *mediaTypes; // space-separated
    const char *suffixes;   // space-separated, lower case; the first names a written file
    PresetEntry output;     // key null when a run does not write the format
    bool holdsAlpha = false;
    bool holdsDeepSamples = false; // 16 bits a sample
    bool holdsProfile = false;
    bool holdsMetadata = false; // EXIF and XMP carried by the metadata step
    FormatOptions encoderOptions{};

    bool isWritten() const { return output.key != nullptr; }
    QStringList suffixList() const;
    QStringList mediaTypeList() const;
};

// Every format a run reads, in the order the lists show them. SVG is no
// input: it can refer to any local file.
const QList<FileFormat> &fileFormats();

// The row of a written format, named by its key or Qt's reader name ("JPG",
// "jpeg", in any case); null when a run writes no such format.
const FileFormat *formatWritten(const QString &name);
// The row of a format Qt's reader names ("jpeg"); null when there is none.
const FileFormat *formatReadBy(const QByteArray &reader);

// The row of the format of the file at path, by its content; null when it
// is none of the table's or no regular file.
const FileFormat *formatOfFile(const QString &path);

// The suffixes of every readable format, lower case.
QStringList readableSuffixes();

namespace presets {
// "Same as input": each output in its input's format, JPG for an input whose
// format is not written.
extern const PresetEntry sameAsInput;
extern const PresetEntry jpg;
// The output list: "same as input", then every written format in table order.
extern const PresetList formats;
} // namespace presets

// The format an output of inputPath is written in when key is chosen: the
// row of key, or with "same as input" the row of the input's own format
// (by content), or JPG's when that format is not written or not known.
const FileFormat &outputFormatFor(const QString &key, const QString &inputPath);

#endif // FORMATTABLE_H
