#ifndef OPTIONCHANGES_H
#define OPTIONCHANGES_H

#include "job/step.h"
#include "run/options.h"

#include <QMap>
#include <QString>
#include <QVariant>

using FieldValues = QMap<QString, QVariant>;

// The declared options whose value in settings differs from a new record's,
// by name: what a command line or the window's controls changed.
inline FieldValues changedFields(const JobSettings &settings)
{
    const JobSettings initial;
    FieldValues changed;
    for (const OptionDeclaration *option : optionDeclarations()) {
        if (option->value(settings) != option->value(initial))
            changed.insert(QString::fromUtf8(option->name), option->value(settings));
    }
    return changed;
}

// The entry of a Preset after its initial one.
inline int changedEntry(const OptionDeclaration &option)
{
    return (option.initialNumber + 1) % option.presets->size();
}

// A value of option other than its initial one and within its range, as a
// user who touched only that option would leave it.
inline QVariant changedValue(const OptionDeclaration &option)
{
    const QVariant initial = option.initial();
    switch (option.type) {
    case OptionDeclaration::Type::Integer:
        return initial.toInt() < option.maximum ? initial.toInt() + 1 : initial.toInt() - 1;
    case OptionDeclaration::Type::Flag:
        return !initial.toBool();
    case OptionDeclaration::Type::Text:
        return QStringLiteral("W");
    case OptionDeclaration::Type::Colour:
        return QColor(0x10, 0x20, 0x30);
    case OptionDeclaration::Type::Preset:
        return option.holdsIndex ? QVariant(changedEntry(option))
                                 : QVariant(option.presets->key(changedEntry(option)));
    }
    return QVariant();
}

// settings with every option step declares changed, which runs the step.
inline JobSettings withStepChanged(const ChainStep &step, JobSettings settings = {})
{
    for (const OptionDeclaration *option : step.options)
        option->setValue(settings, changedValue(*option));
    return settings;
}

#endif // OPTIONCHANGES_H
