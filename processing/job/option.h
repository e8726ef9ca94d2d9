#ifndef OPTION_H
#define OPTION_H

#include "job/presets.h"

#include <QColor>
#include <QRgb>
#include <QString>
#include <QVariant>

#include <cstddef>

class JobSettings;

// One option of a run, declared once beside the operation that reads it: its
// name, range and initial value, the command-line word that sets it and the
// form widget it is read from. The command line, the window and a new
// record's values are all derived from the declarations.
struct OptionDeclaration
{
    enum class Type { Integer, Flag, Text, Colour, Preset };
    // How the command line sets the option.
    enum class Word {
        None,      // the command line has no word for it
        Value,     // --word VALUE
        SetsFlag,  // --word sets the flag
        ClearsFlag // --word clears the flag, which is on by default
    };

    const char *name = nullptr; // as tests and stored records name it
    Type type = Type::Integer;
    int initialNumber = 0;             // an Integer, a Flag or a Preset's entry
    const char *initialText = nullptr; // a Text
    QRgb initialColour = 0;            // a Colour
    int minimum = 0;
    int maximum = 0;
    const PresetList *presets = nullptr;
    bool holdsIndex = false; // a Preset whose run reads the entry's index, not its key
    Word word = Word::None;
    const char *commandLine = nullptr; // the long word, "brightness"
    const char *shortWord = nullptr;   // "q"
    const char *valueName = nullptr;   // "N"
    const char *help = nullptr;        // its meaning; the range and default are added
    // The flag that a value given on the command line switches on
    // (--watermark TEXT switches the watermark on).
    const OptionDeclaration *enables = nullptr;
    // When enables is a preset list rather than a flag, the entry it is set
    // to (--long-edge N sets the size mode to the long edge).
    const PresetEntry *enablesEntry = nullptr;
    // The entry of a Preset that its word given alone chooses (--keep-dates
    // is --keep-dates=modified); a value then only follows an equals sign.
    const PresetEntry *aloneEntry = nullptr;
    // Said in the help instead of the initial value.
    const char *defaultText = nullptr;
    // A value of several whole numbers (--grid RxC, --sharpen A,R,T): this
    // option takes the first, the further parts the others, in order, each
    // within its own range, separated by partSeparator.
    const OptionDeclaration *const *furtherParts = nullptr;
    int furtherPartCount = 0;
    char partSeparator = 0;
    const char *widget = nullptr; // the form's object name
    // Put back to its initial value at every language switch, as well as at
    // start and reset.
    bool resetByLanguageSwitch = false;
    // A length in the picture's pixels (a box side, a border's thickness, a
    // text's size), which a render at a smaller scale scales with it.
    bool inPixels = false;

    QVariant initial() const;
    // The value settings hold; the initial value when none was set.
    QVariant value(const JobSettings &settings) const;
    // A Preset key stored by an earlier version is taken as today's key.
    void setValue(JobSettings &settings, const QVariant &value) const;
    // "-100..100 (default 0)", "blur grayscale ... (default none)", ... for
    // the command line's help.
    QString helpText() const;
    // The ranges of a value of several parts, as help and complaints give them.
    QString partRanges() const;
    // What a value given for this option sets enables to.
    QVariant enablingValue() const;
};

// The handle of an option whose value is a T (int, bool, QString or QColor;
// a Preset is a QString key or an int index): what code reads and sets in a
// record, JobSettings::value(option).
template <typename T>
struct Option : OptionDeclaration
{
    using Value = T;
    constexpr explicit Option(const OptionDeclaration &declaration) : OptionDeclaration(declaration) {}
};

// The declarations are built in steps so that each reads as one line per
// fact, and constant-initialised, so that no order of static initialisation
// can see one half-made:
//   constexpr Option<int> brightness = declare::integer("brightness", 0, -100, 100)
//           .valueWord("brightness", "Brightness", "N").widget("brightnessSlider");
namespace declare {

using Word = OptionDeclaration::Word;

template <typename T>
class Builder
{
public:
    constexpr explicit Builder(const OptionDeclaration &declaration) : declaration(declaration) {}

    // --longWord VALUE, or -shortWord VALUE.
    constexpr Builder valueWord(const char *longWord, const char *help, const char *valueName,
                                const char *shortWord = nullptr) const
    {
        Builder next = word(Word::Value, longWord, help);
        next.declaration.valueName = valueName;
        next.declaration.shortWord = shortWord;
        return next;
    }
    // --longWord sets the flag.
    constexpr Builder setsFlag(const char *longWord, const char *help) const
    {
        return word(Word::SetsFlag, longWord, help);
    }
    // --longWord clears the flag, which is on by default.
    constexpr Builder clearsFlag(const char *longWord, const char *help) const
    {
        return word(Word::ClearsFlag, longWord, help);
    }
    constexpr Builder enables(const OptionDeclaration &flag) const
    {
        Builder next = *this;
        next.declaration.enables = &flag;
        return next;
    }
    constexpr Builder selects(const OptionDeclaration &list, const PresetEntry &entry) const
    {
        Builder next = enables(list);
        next.declaration.enablesEntry = &entry;
        return next;
    }
    constexpr Builder alone(const PresetEntry &entry) const
    {
        Builder next = *this;
        next.declaration.aloneEntry = &entry;
        return next;
    }
    constexpr Builder widget(const char *objectName) const
    {
        Builder next = *this;
        next.declaration.widget = objectName;
        return next;
    }
    // The meaning of an option without a word of its own (a check box that
    // switches a step on, a further part of another's value): the form's
    // tool tip.
    constexpr Builder help(const char *text) const
    {
        Builder next = *this;
        next.declaration.help = text;
        return next;
    }
    constexpr Builder resetByLanguageSwitch() const
    {
        Builder next = *this;
        next.declaration.resetByLanguageSwitch = true;
        return next;
    }
    constexpr Builder inPixels() const
    {
        Builder next = *this;
        next.declaration.inPixels = true;
        return next;
    }
    constexpr Builder byDefault(const char *description) const
    {
        Builder next = *this;
        next.declaration.defaultText = description;
        return next;
    }
    template <std::size_t Count>
    constexpr Builder parts(char separator, const OptionDeclaration *const (&further)[Count]) const
    {
        Builder next = *this;
        next.declaration.furtherParts = further;
        next.declaration.furtherPartCount = int(Count);
        next.declaration.partSeparator = separator;
        return next;
    }
    constexpr operator Option<T>() const { return Option<T>(declaration); }

private:
    constexpr Builder word(Word form, const char *longWord, const char *help) const
    {
        Builder next = *this;
        next.declaration.word = form;
        next.declaration.commandLine = longWord;
        next.declaration.help = help;
        return next;
    }

    OptionDeclaration declaration;
};

constexpr OptionDeclaration named(const char *name, OptionDeclaration::Type type)
{
    OptionDeclaration declaration;
    declaration.name = name;
    declaration.type = type;
    return declaration;
}

constexpr Builder<int> integer(const char *name, int initial, int minimum, int maximum)
{
    OptionDeclaration declaration = named(name, OptionDeclaration::Type::Integer);
    declaration.initialNumber = initial;
    declaration.minimum = minimum;
    declaration.maximum = maximum;
    return Builder<int>(declaration);
}

constexpr Builder<bool> flag(const char *name, bool initial = false)
{
    OptionDeclaration declaration = named(name, OptionDeclaration::Type::Flag);
    declaration.initialNumber = initial;
    return Builder<bool>(declaration);
}

constexpr Builder<QString> text(const char *name, const char *initial)
{
    OptionDeclaration declaration = named(name, OptionDeclaration::Type::Text);
    declaration.initialText = initial;
    return Builder<QString>(declaration);
}

constexpr Builder<QColor> colour(const char *name, QRgb initial)
{
    OptionDeclaration declaration = named(name, OptionDeclaration::Type::Colour);
    declaration.initialColour = initial;
    return Builder<QColor>(declaration);
}

// A run reads the key of the chosen entry; the entry at initialEntry is the
// initial one.
constexpr Builder<QString> preset(const char *name, const PresetList &list, int initialEntry = 0)
{
    OptionDeclaration declaration = named(name, OptionDeclaration::Type::Preset);
    declaration.presets = &list;
    declaration.initialNumber = initialEntry;
    return Builder<QString>(declaration);
}

// A run reads the index of the chosen entry; the entry at initialEntry is
// the initial one.
constexpr Builder<int> presetIndex(const char *name, const PresetList &list, int initialEntry = 0)
{
    OptionDeclaration declaration = named(name, OptionDeclaration::Type::Preset);
    declaration.presets = &list;
    declaration.holdsIndex = true;
    declaration.initialNumber = initialEntry;
    return Builder<int>(declaration);
}

} // namespace declare

#endif // OPTION_H
