#include "run/jobfile.h"

#include "run/options.h"

#include <QColor>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>

namespace jobfile {

const int currentVersion = 2;

namespace {

using Type = OptionDeclaration::Type;

const QString versionKey = QStringLiteral("vellumo-job");
const QString optionsKey = QStringLiteral("options");

// A job file is a few kilobytes; anything far larger is not one.
constexpr qint64 largestFile = 1 << 20;

// Version 0 named the watermark's text "watermark-text".
void renameWatermarkText(QJsonObject &options)
{
    const auto old = options.constFind(QStringLiteral("watermark-text"));
    if (old == options.constEnd())
        return;
    options.insert(QStringLiteral("watermark"), *old);
    options.remove(QStringLiteral("watermark-text"));
}

// Version 1 held the metadata choice as two flags, "strip-gps" and
// "strip-metadata" (which wins), and the dates kept as the flag "keep-dates".
// A flag that is set becomes its entry under key; a value that is no flag
// moves there as it is, to be refused with what the key accepts.
void flagToEntry(QJsonObject &options, const char *flag, const char *key, const PresetEntry &whenSet)
{
    const QJsonValue value = options.take(QLatin1String(flag));
    if (!value.isBool() && !value.isUndefined())
        options.insert(QLatin1String(key), value);
    else if (value.toBool())
        options.insert(QLatin1String(key), QString::fromUtf8(whenSet.word));
}

void chooseMetadataAndDates(QJsonObject &options)
{
    flagToEntry(options, "strip-gps", "metadata", presets::removeLocation);
    flagToEntry(options, "strip-metadata", "metadata", presets::removeMetadata);
    flagToEntry(options, "keep-dates", "keep-dates", presets::modifiedDates);
}

// The steps that bring the options of a file to the current version, each
// taking them from version - 1 to version, in order.
struct Migration
{
    int version;
    void (*apply)(QJsonObject &options);
};
const Migration migrations[] = {{1, renameWatermarkText}, {2, chooseMetadataAndDates}};

void migrate(int fromVersion, QJsonObject &options)
{
    for (const Migration &step : migrations) {
        if (step.version > fromVersion)
            step.apply(options);
    }
}

QString kebabCase(const char *name)
{
    QString key;
    for (const QChar c : QString::fromUtf8(name)) {
        if (c.isUpper())
            key += QLatin1Char('-') + c.toLower();
        else
            key += c;
    }
    return key;
}

// A preset entry as the file names it: its command-line word, or its key
// for the entry that has none ("none", "original").
QString entryText(const PresetEntry &entry)
{
    return QString::fromUtf8(entry.word ? entry.word : entry.key);
}

int indexOfEntry(const PresetList &list, const QString &text)
{
    const int byWord = list.indexOfWord(text);
    if (byWord >= 0)
        return byWord;
    for (int index = 0; index < list.size(); ++index) {
        if (list.at(index).is(text))
            return index;
    }
    return -1;
}

QString entryTexts(const PresetList &list)
{
    QStringList texts;
    for (const PresetEntry &entry : list)
        texts << entryText(entry);
    return texts.join(QLatin1Char(' '));
}

QJsonValue jsonValue(const OptionDeclaration &option, const QVariant &value)
{
    switch (option.type) {
    case Type::Integer:
        return value.toInt();
    case Type::Flag:
        return value.toBool();
    case Type::Text:
        return value.toString();
    case Type::Colour: {
        const QColor colour = value.value<QColor>();
        return colour.name(colour.alpha() == 255 ? QColor::HexRgb : QColor::HexArgb);
    }
    case Type::Preset: {
        const PresetList &list = *option.presets;
        const int index = option.holdsIndex ? value.toInt() : indexOfEntry(list, value.toString());
        return index >= 0 && index < list.size() ? entryText(list.at(index)) : value.toString();
    }
    }
    return QJsonValue();
}

QString shown(const QJsonValue &value)
{
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

// The value a file gives option, or a null QVariant with *complaint set
// to what the option accepts.
QVariant optionValue(const OptionDeclaration &option, const QJsonValue &value, QString *complaint)
{
    switch (option.type) {
    case Type::Integer: {
        const double number = value.toDouble(0.5);
        const bool whole = value.isDouble() && number == double(qint64(number));
        // An option whose initial value stands for "automatic" (jobs 0) keeps it.
        if (whole && ((number >= option.minimum && number <= option.maximum)
                      || number == option.initialNumber))
            return int(number);
        *complaint = QStringLiteral("a whole number from %1 to %2").arg(option.minimum).arg(option.maximum);
        return QVariant();
    }
    case Type::Flag:
        if (value.isBool())
            return value.toBool();
        *complaint = QStringLiteral("true or false");
        return QVariant();
    case Type::Text:
        if (value.isString())
            return value.toString();
        *complaint = QStringLiteral("a text");
        return QVariant();
    case Type::Colour: {
        static const QRegularExpression hexColour(QStringLiteral("^#([0-9A-Fa-f]{2})?[0-9A-Fa-f]{6}$"));
        const QString text = value.toString();
        if (value.isString()
            && (hexColour.match(text).hasMatch() || QColor::colorNames().contains(text, Qt::CaseInsensitive)))
            return QColor::fromString(text);
        *complaint = QStringLiteral("#RRGGBB, #AARRGGBB or an SVG colour name");
        return QVariant();
    }
    case Type::Preset: {
        const PresetList &list = *option.presets;
        const int index = value.isString() ? indexOfEntry(list, value.toString()) : -1;
        if (index >= 0)
            return option.holdsIndex ? QVariant(index) : QVariant(list.key(index));
        *complaint = QStringLiteral("one of %1").arg(entryTexts(list));
        return QVariant();
    }
    }
    return QVariant();
}

// The options of a document at the current version, or an error.
QString readOptions(const QByteArray &document, const QString &path, QJsonObject *options)
{
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(document, &parseError);
    if (json.isNull())
        return QStringLiteral("%1: not a job file: %2 at byte %3")
                .arg(path, parseError.errorString()).arg(parseError.offset);
    const QJsonValue version = json.object().value(versionKey);
    if (!json.isObject() || !version.isDouble() || version.toDouble() != double(version.toInt())
        || version.toInt() < 0)
        return QStringLiteral("%1: not a job file: no \"%2\" version number").arg(path, versionKey);
    if (version.toInt() > currentVersion)
        return QStringLiteral("%1: needs a program that reads job file version %2; this one reads "
                              "versions up to %3")
                .arg(path).arg(version.toInt()).arg(currentVersion);
    const QJsonValue held = json.object().value(optionsKey);
    if (!held.isObject() && !held.isUndefined())
        return QStringLiteral("%1: \"%2\" must be an object").arg(path, optionsKey);
    *options = held.toObject();
    migrate(version.toInt(), *options);
    return QString();
}

} // namespace

QString keyOf(const OptionDeclaration &option)
{
    if (option.commandLine)
        return QString::fromUtf8(option.commandLine);
    for (const OptionDeclaration *other : optionDeclarations()) {
        if (other->enables == &option && other->commandLine)
            return QString::fromUtf8(other->commandLine) + QStringLiteral("-enabled");
    }
    return kebabCase(option.name);
}

QByteArray write(const JobSettings &settings)
{
    QJsonObject options;
    for (const OptionDeclaration *option : optionDeclarations())
        options.insert(keyOf(*option), jsonValue(*option, option->value(settings)));
    return QJsonDocument(QJsonObject{{versionKey, currentVersion}, {optionsKey, options}}).toJson();
}

Reading read(const QByteArray &document, const QString &path, JobSettings *settings)
{
    Reading reading;
    QJsonObject options;
    reading.error = readOptions(document, path, &options);
    if (!reading.error.isEmpty())
        return reading;
    JobSettings result = *settings;
    for (const OptionDeclaration *option : optionDeclarations()) {
        const QString key = keyOf(*option);
        const QJsonValue value = options.take(key);
        if (value.isUndefined()) {
            option->setValue(result, option->initial());
            continue;
        }
        QString accepted;
        const QVariant read = optionValue(*option, value, &accepted);
        if (!read.isValid()) {
            reading.error = QStringLiteral("%1: \"%2\" must be %3 (got %4)").arg(path, key, accepted, shown(value));
            return reading;
        }
        option->setValue(result, read);
    }
    for (auto unknown = options.constBegin(); unknown != options.constEnd(); ++unknown)
        reading.warnings << QStringLiteral("%1: unknown option \"%2\" ignored").arg(path, unknown.key());
    *settings = result;
    return reading;
}

Reading load(const QString &path, JobSettings *settings)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("%1: cannot read: %2").arg(path, file.errorString().toLower()), {}};
    if (file.size() > largestFile)
        return {QStringLiteral("%1: not a job file: larger than %2 bytes").arg(path).arg(largestFile), {}};
    return read(file.readAll(), path, settings);
}

QString save(const QString &path, const JobSettings &settings)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(write(settings)) < 0 || !file.commit())
        return QStringLiteral("%1: cannot write: %2").arg(path, file.errorString().toLower());
    return QString();
}

} // namespace jobfile
