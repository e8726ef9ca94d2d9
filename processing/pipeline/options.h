#ifndef PIPELINE_OPTIONS_H
#define PIPELINE_OPTIONS_H

#include "job/jobsettings.h"
#include "job/presets.h"

#include <QList>
#include <QVariant>

#include <variant>

// Every option of a run, declared once: the field of JobSettings it fills,
// its range and initial value, the command-line word that sets it and the
// form widget it is read from. The command-line tool, the window and the
// JobSettings defaults are all derived from this table.
struct OptionDeclaration
{
    enum class Type { Integer, Flag, Text, Colour, Preset };
    // How the command line sets the field.
    enum class Word {
        None,      // the command line has no word for it
        Value,     // --word VALUE
        SetsFlag,  // --word sets the flag
        ClearsFlag // --word clears the flag, which is on by default
    };
    using Field = std::variant<int JobSettings::*, bool JobSettings::*, QString JobSettings::*,
                               QColor JobSettings::*>;

    const char *name; // the field's name
    Field field;
    Type type;
    QVariant initial;
    int minimum = 0;
    int maximum = 0;
    const PresetList *presets = nullptr; // for Preset; an int field holds the index
    Word word = Word::None;
    const char *commandLine = nullptr;   // the long word, "brightness"
    const char *shortWord = nullptr;     // "q"
    const char *valueName = nullptr;     // "N"
    const char *help = nullptr;          // its meaning; the range and default are added
    // The flag that a value given on the command line switches on
    // (--watermark TEXT switches the watermark on).
    bool JobSettings::*enables = nullptr;
    // Said in the help instead of the initial value.
    const char *defaultText = nullptr;
    // --grid RxC sets this field and the next one of the table.
    bool readsCellPair = false;
    const char *widget = nullptr; // the form's object name
    // Put back to its initial value at every language switch, as well as at
    // start and reset.
    bool resetByLanguageSwitch = false;

    QVariant value(const JobSettings &settings) const;
    void setValue(JobSettings &settings, const QVariant &value) const;
    // "-100..100 (default 0)", "blur grayscale ... (default none)", ... for
    // the command line's help.
    QString helpText() const;
};

const QList<OptionDeclaration> &optionDeclarations();
const OptionDeclaration *findOption(const char *name);

// The settings every option starts from.
void applyInitialValues(JobSettings &settings);

#endif // PIPELINE_OPTIONS_H
