#ifndef OPTIONCHANGES_H
#define OPTIONCHANGES_H

#include "run/options.h"

#include <QMap>
#include <QString>
#include <QVariant>

using FieldValues = QMap<QString, QVariant>;

// The declared fields whose value in settings differs from a new record's,
// by field name: what a command line or the window's controls changed.
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

#endif // OPTIONCHANGES_H
