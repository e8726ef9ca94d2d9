#ifndef PRESETS_H
#define PRESETS_H

#include <QString>

#include <cstddef>

// One entry of a preset list: the key a run receives (the same in every
// language), the word the command line accepts for it (none for the entry
// that means "off") and the window's Simplified Chinese text, which the
// window looks up in its catalogue (context MainWindow). Code that asks for
// an entry compares with the named entry below, never with a spelled-out key.
struct PresetEntry
{
    const char *key;
    const char *word;
    const char *sourceText;
    // A command-line word of its own that chooses this entry (--strip-gps),
    // besides the list's option word with this entry's word.
    const char *flagWord = nullptr;

    bool is(const QString &text) const { return text == QLatin1String(key); }
};

// The entries of one list, in the order the window and --help show them.
class PresetList
{
public:
    template <std::size_t Count>
    constexpr PresetList(const PresetEntry *const (&entries)[Count])
        : entries(entries), count(int(Count))
    {
    }

    int size() const { return count; }
    const PresetEntry &at(int index) const { return *entries[index]; }
    QString key(int index) const { return QString::fromUtf8(at(index).key); }

    // The command-line words, space-separated, in list order.
    QString words() const;
    // The entry whose word matches text case-insensitively, or -1.
    int indexOfWord(const QString &text) const;
    // Today's key for a key that was stored: earlier versions keyed some
    // entries by their Chinese text ("模糊" for "blur"). Any other text is
    // returned as it is.
    QString currentKey(const QString &stored) const;

    struct Iterator
    {
        const PresetEntry *const *at;
        const PresetEntry &operator*() const { return **at; }
        Iterator &operator++() { ++at; return *this; }
        bool operator!=(const Iterator &other) const { return at != other.at; }
    };
    Iterator begin() const { return {entries}; }
    Iterator end() const { return {entries + count}; }

private:
    const PresetEntry *const *entries;
    int count;
};

namespace presets {

extern const PresetEntry noFilter, blur, grayscale, vintage, edgeDetection, emboss, oilPainting;
extern const PresetList filters;

extern const PresetEntry originalRatio, square, ratio4x3, ratio16x9, ratio3x2;
extern const PresetList aspectRatios;

extern const PresetEntry customSize, size640x480, size800x600, size1024x768, size1280x720,
        size1920x1080, size1080x1080, size1200x1200;
extern const PresetList standardSizes;

// A run receives the position's index, not a key.
extern const PresetEntry topLeft, topRight, bottomLeft, bottomRight, centre;
extern const PresetList watermarkPositions;
// The text watermark's size: in points, or in percent of the picture's shorter side.
extern const PresetEntry points, percentOfShorterSide;
extern const PresetList watermarkSizeUnits;

extern const PresetEntry smoothFilter, lanczos3Filter, bilinearFilter, nearestFilter;
extern const PresetList resampleFilters;

// Chosen in the window's list, or by --long-edge, --short-edge and --scale.
extern const PresetEntry boxSize, longEdgeSize, shortEdgeSize, scaleSize;
extern const PresetList sizeModes;

extern const PresetEntry red, green, blue, cyan, magenta, yellow;
extern const PresetList channels;

extern const PresetEntry replaceExisting, renameBeside, skipExisting;
extern const PresetList existingOutputs;

// What the outputs carry of the inputs' EXIF, XMP and IPTC.
extern const PresetEntry keepMetadata, removeLocation, removeMetadata;
extern const PresetList metadataChoices;

// The modification time each output is given: when it was written, its
// input's, or when its input was taken.
extern const PresetEntry newDates, modifiedDates, takenDates;
extern const PresetList outputDates;

} // namespace presets

#endif // PRESETS_H
