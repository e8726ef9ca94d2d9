#include "job/option.h"

#include "job/jobsettings.h"

namespace {

using Type = OptionDeclaration::Type;

QString defaultValueText(const OptionDeclaration &option)
{
    if (option.defaultText)
        return QString::fromUtf8(option.defaultText);
    switch (option.type) {
    case Type::Integer:
        return QString::number(option.initialNumber);
    case Type::Colour:
        return option.initialColour == QColor(Qt::white).rgba() ? QStringLiteral("white")
                                                                : QColor::fromRgba(option.initialColour).name();
    case Type::Preset: {
        const PresetEntry &initial = option.presets->at(option.initialNumber);
        return initial.word ? QString::fromUtf8(initial.word) : QStringLiteral("none");
    }
    case Type::Flag:
    case Type::Text:
        break;
    }
    return option.initial().toString();
}

} // namespace

QVariant OptionDeclaration::initial() const
{
    switch (type) {
    case Type::Integer:
        return initialNumber;
    case Type::Flag:
        return bool(initialNumber);
    case Type::Text:
        return QString::fromUtf8(initialText);
    case Type::Colour:
        return QColor::fromRgba(initialColour);
    case Type::Preset:
        return holdsIndex ? QVariant(initialNumber) : QVariant(presets->key(initialNumber));
    }
    return QVariant();
}

QVariant OptionDeclaration::value(const JobSettings &settings) const
{
    const auto held = settings.values.constFind(this);
    return held == settings.values.constEnd() ? initial() : *held;
}

// Each value is kept as the option's own type, whatever the caller handed in.
void OptionDeclaration::setValue(JobSettings &settings, const QVariant &value) const
{
    QVariant &held = settings.values[this];
    switch (type) {
    case Type::Integer:
        held = value.toInt();
        return;
    case Type::Flag:
        held = value.toBool();
        return;
    case Type::Text:
        held = value.toString();
        return;
    case Type::Colour:
        held = value.value<QColor>();
        return;
    case Type::Preset:
        held = holdsIndex ? QVariant(value.toInt()) : QVariant(presets->currentKey(value.toString()));
        return;
    }
}

QString OptionDeclaration::helpText() const
{
    QString text = QString::fromUtf8(help);
    if (word == Word::SetsFlag || word == Word::ClearsFlag)
        return text;
    // An option that switches its step on has no default: the step is off.
    const QString byDefault =
            enables ? QString() : QStringLiteral(" (default %1)").arg(defaultValueText(*this));
    switch (type) {
    case Type::Integer:
        if (furtherParts)
            return text + QStringLiteral(", %1.").arg(partRanges());
        return text + QStringLiteral(", %1..%2%3.").arg(minimum).arg(maximum).arg(byDefault);
    case Type::Preset:
        return text + QStringLiteral(": %1%2.").arg(presets->words(), byDefault);
    case Type::Colour:
        return text + QStringLiteral(", #RRGGBB or an SVG colour name%1.").arg(byDefault);
    case Type::Text:
    case Type::Flag:
        break;
    }
    return text;
}

QVariant OptionDeclaration::enablingValue() const
{
    return enablesEntry ? QVariant(QString::fromUtf8(enablesEntry->key)) : QVariant(true);
}

// "1..10 each" when every part shares its range, else "0..500,1..10,0..255".
QString OptionDeclaration::partRanges() const
{
    QStringList ranges{QStringLiteral("%1..%2").arg(minimum).arg(maximum)};
    for (int part = 0; part < furtherPartCount; ++part)
        ranges << QStringLiteral("%1..%2").arg(furtherParts[part]->minimum).arg(furtherParts[part]->maximum);
    if (ranges.count(ranges.first()) == ranges.size())
        return ranges.first() + QStringLiteral(" each");
    return ranges.join(QLatin1Char(partSeparator));
}
