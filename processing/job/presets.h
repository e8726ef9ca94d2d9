#ifndef PRESETS_H
#define PRESETS_H

#include <QList>
#include <QString>
#include <QStringList>

// One entry of a preset list: the key a run receives (the same in every
// language), the word the command line accepts for it (none for the entry
// that means "off") and the window's Simplified Chinese text, which the
// window looks up in its catalogue (context MainWindow).
struct PresetEntry
{
    const char *key;
    const char *word;
    const char *sourceText;
};

struct PresetList
{
    QList<PresetEntry> entries;

    // The command-line words, space-separated, in list order.
    QString words() const;
    // The entry whose word matches text case-insensitively, or -1.
    int indexOfWord(const QString &text) const;
    QString key(int index) const { return QString::fromUtf8(entries.at(index).key); }
};

namespace presets {
extern const PresetList formats;
extern const PresetList filters;
extern const PresetList aspectRatios;
extern const PresetList standardSizes;
extern const PresetList watermarkPositions;
extern const PresetList channels;
extern const PresetList existingOutputs;
} // namespace presets

#endif // PRESETS_H
