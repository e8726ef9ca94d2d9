#include "commandline.h"

#include "composition/watermark.h"
#include "formats/formattable.h"
#include "run/jobfile.h"
#include "run/options.h"
#include "run/outputnaming.h"

#include <QColor>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <sys/stat.h>

namespace {

QString longWord(const OptionDeclaration &option)
{
    return QString::fromUtf8(option.commandLine);
}

QCommandLineOption commandLineOption(const OptionDeclaration &option)
{
    QStringList names;
    if (option.shortWord)
        names << QString::fromUtf8(option.shortWord);
    names << longWord(option);
    if (option.word == OptionDeclaration::Word::Value)
        return QCommandLineOption(names, option.helpText(), QString::fromUtf8(option.valueName));
    return QCommandLineOption(names, option.helpText());
}

// The words of option's entries that have one of their own (--strip-gps).
QList<QCommandLineOption> entryWords(const OptionDeclaration &option)
{
    QList<QCommandLineOption> words;
    if (option.type != OptionDeclaration::Type::Preset)
        return words;
    for (const PresetEntry &entry : *option.presets) {
        if (entry.flagWord)
            words << QCommandLineOption(QString::fromUtf8(entry.flagWord),
                                        QStringLiteral("The same as --%1 %2.")
                                                .arg(longWord(option), QString::fromUtf8(entry.word)));
    }
    return words;
}

// A word given alone that stands for one of its values (--keep-dates) is
// written out with it, so that the parser never takes the next argument for
// its value: that value follows an equals sign only.
QStringList withAloneValues(QStringList arguments)
{
    for (QString &argument : arguments) {
        if (argument == QLatin1String("--"))
            break;
        for (const OptionDeclaration *option : optionDeclarations()) {
            if (option->aloneEntry && argument == QStringLiteral("--") + longWord(*option))
                argument += QLatin1Char('=') + QString::fromUtf8(option->aloneEntry->word);
        }
    }
    return arguments;
}

// The tool's own options, which no run record holds: -o, which the help
// lists first, and the rest, which it lists after the declared ones.
QList<QCommandLineOption> toolOptions()
{
    return {
        QCommandLineOption({"o", "output"}, "Output directory (required; created if missing).",
                           "DIR"),
        QCommandLineOption(QStringLiteral("job"),
                           "Take the options of the job file FILE; options given here as well "
                           "override its values.",
                           "FILE"),
        QCommandLineOption(QStringLiteral("save-job"),
                           "Write the options in effect (those of --job and of this command line) "
                           "to the job file FILE; with no input, write it and run nothing.",
                           "FILE"),
        QCommandLineOption(QStringLiteral("files-from"),
                           "Read input paths from FILE, one per line (- for standard input).",
                           "FILE"),
        QCommandLineOption(QStringLiteral("0"),
                           "The paths of --files-from are separated by NUL bytes, not lines."),
        QCommandLineOption({"r", "recursive"},
                           "A folder given as input stands for the pictures under it, in sorted "
                           "order (folders are refused otherwise)."),
        QCommandLineOption(QStringLiteral("shard"),
                           "Write only the inputs whose place in the whole job is K modulo N, named "
                           "as one run names them; auto takes K and N from a Slurm job array or a "
                           "Kubernetes Indexed Job.",
                           "K/N"),
        QCommandLineOption(QStringLiteral("shard-count"),
                           "With --shard auto under Kubernetes: the job's number of completions.", "N"),
        QCommandLineOption(QStringLiteral("quiet"), "Print nothing but failures and warnings."),
        QCommandLineOption({"h", "help"}, "Show this help."),
        QCommandLineOption(QStringLiteral("version"), "Show the version."),
    };
}

// Reads the declared options' values from a parsed command line; the first
// bad value is kept as the complaint and later ones are ignored.
class OptionReader
{
public:
    explicit OptionReader(const QCommandLineParser &parser) : parser(parser) {}

    void read(const OptionDeclaration &option, JobSettings &settings)
    {
        const QString name = longWord(option);
        if (option.word == OptionDeclaration::Word::None || !parser.isSet(name))
            return;
        switch (option.word) {
        case OptionDeclaration::Word::None:
            return;
        case OptionDeclaration::Word::SetsFlag:
            option.setValue(settings, true);
            return;
        case OptionDeclaration::Word::ClearsFlag:
            option.setValue(settings, false);
            return;
        case OptionDeclaration::Word::Value:
            break;
        }
        if (readValue(option, parser.value(name), settings) && option.enables)
            option.enables->setValue(settings, option.enablingValue());
    }

    void readEntryWords(const OptionDeclaration &option, JobSettings &settings)
    {
        if (option.type != OptionDeclaration::Type::Preset)
            return;
        for (const PresetEntry &entry : *option.presets) {
            if (entry.flagWord && parser.isSet(QString::fromUtf8(entry.flagWord)))
                option.setValue(settings, QString::fromUtf8(entry.key));
        }
    }

    bool fail(const QString &message)
    {
        if (complaint.isEmpty())
            complaint = message;
        return false;
    }

    QString complaint;

private:
    bool readValue(const OptionDeclaration &option, const QString &text, JobSettings &settings)
    {
        const QString name = longWord(option);
        switch (option.type) {
        case OptionDeclaration::Type::Integer:
            return option.furtherParts ? readParts(option, text, settings)
                                   : readNumber(option, text, settings);
        case OptionDeclaration::Type::Preset: {
            const int index = option.presets->indexOfWord(text);
            if (index < 0)
                return fail(QStringLiteral("--%1 must be one of %2 (got %3)")
                                    .arg(name, option.presets->words(), text));
            option.setValue(settings,
                            option.holdsIndex ? QVariant(index) : QVariant(option.presets->key(index)));
            return true;
        }
        case OptionDeclaration::Type::Text:
            if (text.isEmpty())
                return fail(QStringLiteral("--%1 must be a non-empty text").arg(name));
            option.setValue(settings, text);
            return true;
        case OptionDeclaration::Type::Colour: {
            static const QRegularExpression hexColour(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
            if (!hexColour.match(text).hasMatch()
                && !QColor::colorNames().contains(text, Qt::CaseInsensitive))
                return fail(QStringLiteral("--%1 must be #RRGGBB or an SVG colour name (got %2)")
                                    .arg(name, text));
            option.setValue(settings, QColor::fromString(text));
            return true;
        }
        case OptionDeclaration::Type::Flag:
            break;
        }
        return false;
    }

    bool readNumber(const OptionDeclaration &option, const QString &text, JobSettings &settings)
    {
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok || value < option.minimum || value > option.maximum)
            return fail(QStringLiteral("--%1 must be a whole number from %2 to %3 (got %4)")
                                .arg(longWord(option)).arg(option.minimum).arg(option.maximum)
                                .arg(text));
        option.setValue(settings, value);
        return true;
    }

    // "RxC", "A,R,T": this option takes the first number, its further parts
    // the others.
    bool readParts(const OptionDeclaration &option, const QString &text, JobSettings &settings)
    {
        const QStringList numbers = text.split(QLatin1Char(option.partSeparator), Qt::KeepEmptyParts,
                                               Qt::CaseInsensitive);
        QList<const OptionDeclaration *> parts{&option};
        for (int part = 0; part < option.furtherPartCount; ++part)
            parts << option.furtherParts[part];
        static const QRegularExpression digits(QStringLiteral("^\\d{1,4}$"));
        bool fits = numbers.size() == parts.size();
        for (qsizetype part = 0; fits && part < parts.size(); ++part) {
            const int value = numbers.at(part).toInt();
            fits = digits.match(numbers.at(part)).hasMatch() && value >= parts.at(part)->minimum
                    && value <= parts.at(part)->maximum;
        }
        if (!fits)
            return fail(QStringLiteral("--%1 must be %2, %3 (got %4)")
                                .arg(longWord(option), QString::fromUtf8(option.valueName), option.partRanges(), text));
        for (qsizetype part = 0; part < parts.size(); ++part)
            parts.at(part)->setValue(settings, numbers.at(part).toInt());
        return true;
    }

    const QCommandLineParser &parser;
};

} // namespace

QString toolPurpose()
{
    return QStringLiteral("Runs the Vellumo chain of operations over every FILE and writes the "
                          "results into the output directory.");
}

QString exitStatusMeaning()
{
    return QStringLiteral("0 when every input was written, 1 when at least one failed, 2 on a "
                          "usage error (nothing is written), 130 when stopped by Ctrl+C or SIGTERM.");
}

QList<QCommandLineOption> commandLineOptions()
{
    const QList<QCommandLineOption> tool = toolOptions();
    QList<QCommandLineOption> options = {tool.first()};
    for (const OptionDeclaration *option : optionDeclarations()) {
        if (option->word != OptionDeclaration::Word::None)
            options.append(commandLineOption(*option));
        options.append(entryWords(*option));
    }
    return options + tool.mid(1);
}

namespace {

CommandLine usageError(const QString &message)
{
    CommandLine commandLine;
    commandLine.message = message + QStringLiteral(" (see vellumo-batch --help)");
    return commandLine;
}

// A whole number from minimum up, or -1.
int wholeNumber(const QString &text, int minimum)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok && number >= minimum ? number : -1;
}

// K and N of "K/N", or of the scheduler's environment for "auto"; sets
// *complaint when there are none.
void readShard(const QCommandLineParser &parser, JobSettings &settings, OptionReader &reader)
{
    const QString shard = parser.value(QStringLiteral("shard"));
    const bool countGiven = parser.isSet(QStringLiteral("shard-count"));
    if (countGiven && shard != QStringLiteral("auto"))
        reader.fail(QStringLiteral("--shard-count needs --shard auto"));
    if (!parser.isSet(QStringLiteral("shard")))
        return;
    int index = -1;
    int count = -1;
    if (shard == QStringLiteral("auto")) {
        if (qEnvironmentVariableIsSet("SLURM_ARRAY_TASK_ID")) {
            const int minimum = qEnvironmentVariableIsSet("SLURM_ARRAY_TASK_MIN")
                    ? wholeNumber(qEnvironmentVariable("SLURM_ARRAY_TASK_MIN"), 0) : 0;
            index = wholeNumber(qEnvironmentVariable("SLURM_ARRAY_TASK_ID"), 0) - minimum;
            count = wholeNumber(qEnvironmentVariable("SLURM_ARRAY_TASK_COUNT"), 1);
        } else if (qEnvironmentVariableIsSet("JOB_COMPLETION_INDEX")) {
            if (!countGiven)
                return void(reader.fail(QStringLiteral("--shard auto under JOB_COMPLETION_INDEX needs --shard-count N")));
            index = wholeNumber(qEnvironmentVariable("JOB_COMPLETION_INDEX"), 0);
            count = wholeNumber(parser.value(QStringLiteral("shard-count")), 1);
        } else {
            return void(reader.fail(QStringLiteral("--shard auto needs SLURM_ARRAY_TASK_ID and SLURM_ARRAY_TASK_COUNT, "
                                                   "or JOB_COMPLETION_INDEX and --shard-count")));
        }
    } else {
        const QStringList parts = shard.split(QLatin1Char('/'));
        if (parts.size() == 2) {
            index = wholeNumber(parts.at(0), 0);
            count = wholeNumber(parts.at(1), 1);
        }
    }
    if (index < 0 || count < 1 || index >= count)
        return void(reader.fail(QStringLiteral("--shard must be K/N with 0 <= K < N, or auto (got %1, shard %2 of %3)")
                                        .arg(shard).arg(index).arg(count)));
    settings.shardIndex = index;
    settings.shardCount = count;
}

// The options of --job FILE into the command line's settings, before the
// command line's own override them. False with the usage error set when the
// file cannot be read or holds a bad value; nothing runs then.
bool readJobFile(const QCommandLineParser &parser, CommandLine *commandLine)
{
    const QStringList files = parser.values(QStringLiteral("job"));
    if (files.isEmpty())
        return true;
    if (files.size() > 1) {
        *commandLine = usageError(QStringLiteral("--job may be given only once"));
        return false;
    }
    const jobfile::Reading reading = jobfile::load(files.first(), &commandLine->settings);
    if (!reading.error.isEmpty()) {
        *commandLine = usageError(reading.error);
        return false;
    }
    commandLine->warnings = reading.warnings;
    return true;
}

} // namespace

bool argumentsDrawText(const QStringList &arguments)
{
    const QString word = QStringLiteral("--") + longWord(option::watermarkText);
    return std::any_of(arguments.begin(), arguments.end(), [&word](const QString &argument) {
        return argument == word || argument.startsWith(word + QLatin1Char('='));
    });
}

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(toolPurpose() + QStringLiteral("\nExit status: ")
                                     + exitStatusMeaning());
    parser.addOptions(commandLineOptions());
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Input images; every argument after -- is one."),
                                 QStringLiteral("-o DIR [--] FILE..."));
    if (!parser.parse(withAloneValues(arguments))) {
        QString complaint = parser.errorText();
        if (complaint.endsWith(QLatin1Char('.')))
            complaint.chop(1);
        return usageError(complaint);
    }

    CommandLine commandLine;
    if (parser.isSet(QStringLiteral("help"))) {
        commandLine.action = CommandLine::Action::ShowHelp;
        commandLine.message = parser.helpText();
        return commandLine;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        commandLine.action = CommandLine::Action::ShowVersion;
        return commandLine;
    }

    OptionReader reader(parser);
    JobSettings &settings = commandLine.settings;
    if (!readJobFile(parser, &commandLine))
        return commandLine;
    for (const OptionDeclaration *option : optionDeclarations()) {
        reader.read(*option, settings);
        reader.readEntryWords(*option, settings);
    }
    // A second -o is a mistake, or a file name taken for an option.
    if (parser.values(QStringLiteral("output")).size() > 1)
        reader.fail(QStringLiteral("-o/--output may be given only once"));
    settings.outputDirectory = parser.value(QStringLiteral("output"));
    settings.imagePaths = parser.positionalArguments();
    commandLine.pathLists = parser.values(QStringLiteral("files-from"));
    commandLine.saveJobPath = parser.value(QStringLiteral("save-job"));
    const bool runs = !settings.imagePaths.isEmpty() || !commandLine.pathLists.isEmpty();
    if (settings.outputDirectory.isEmpty() && (runs || commandLine.saveJobPath.isEmpty()))
        reader.fail(QStringLiteral("-o/--output DIR is required"));
    commandLine.nulSeparated = parser.isSet(QStringLiteral("0"));
    commandLine.recursive = parser.isSet(QStringLiteral("recursive"));
    if (commandLine.nulSeparated && commandLine.pathLists.isEmpty())
        reader.fail(QStringLiteral("-0 needs --files-from FILE"));
    if (!runs && commandLine.saveJobPath.isEmpty())
        reader.fail(QStringLiteral("at least one input FILE is required"));
    readShard(parser, settings, reader);
    if (parser.isSet(longWord(option::nameTemplate)) && parser.isSet(longWord(option::batchPrefix)))
        reader.fail(QStringLiteral("--name and --rename exclude each other (--rename P is --name 'P_{n}')"));
    const QString namingProblem = NameTemplate(settings).problem();
    if (!namingProblem.isEmpty())
        reader.fail(QStringLiteral("--name: %1").arg(namingProblem));
    if (!reader.complaint.isEmpty())
        return usageError(reader.complaint);
    commandLine.quiet = parser.isSet(QStringLiteral("quiet"));
    commandLine.action = runs ? CommandLine::Action::Run : CommandLine::Action::SaveJobOnly;
    return commandLine;
}

QString decodeName(const QByteArray &bytes, bool *valid)
{
    const QString name = QFile::decodeName(bytes);
    *valid = QFile::encodeName(name) == bytes;
    return name;
}

QString escapedBytes(const QByteArray &bytes)
{
    QString escaped;
    for (const char byte : bytes) {
        if (uchar(byte) < 0x80)
            escaped += QLatin1Char(byte);
        else
            escaped += QStringLiteral("\\x%1").arg(uchar(byte), 2, 16, QLatin1Char('0'));
    }
    return escaped;
}

namespace {

void addName(const QByteArray &bytes, Inputs *inputs)
{
    bool valid = false;
    const QString name = decodeName(bytes, &valid);
    if (valid)
        inputs->paths << name;
    else
        inputs->undecodable << escapedBytes(bytes);
}

bool readPathList(const QString &list, bool nulSeparated, Inputs *inputs, QString *complaint)
{
    const bool standardInput = list == QStringLiteral("-");
    QFile file(standardInput ? QString() : list);
    const bool opened = standardInput ? file.open(stdin, QIODevice::ReadOnly)
                                      : file.open(QIODevice::ReadOnly);
    if (!opened) {
        *complaint = QStringLiteral("--files-from %1: %2").arg(list, file.errorString().toLower());
        return false;
    }
    const QByteArray text = file.readAll();
    const char separator = nulSeparated ? '\0' : '\n';
    for (QByteArray entry : text.split(separator)) {
        if (!nulSeparated && entry.endsWith('\r'))
            entry.chop(1);
        if (!entry.isEmpty())
            addName(entry, inputs);
    }
    return true;
}

// The suffixes of the formats a run reads, lower case.
QSet<QByteArray> pictureSuffixes()
{
    QSet<QByteArray> suffixes;
    for (const QString &suffix : readableSuffixes())
        suffixes.insert(suffix.toLatin1());
    return suffixes;
}

// A folder as the file system knows it, whatever path names it.
struct FolderIdentity
{
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FolderIdentity &other) const
    {
        return device == other.device && inode == other.inode;
    }
};

FolderIdentity identityOf(const struct stat &status)
{
    return {status.st_dev, status.st_ino};
}

// The files with a picture suffix below folder, hidden ones, linked folders
// and the output folder left out, as bytes: Qt's listing drops names that
// are not valid UTF-8 without a word, and those must be reported.
void collectPictures(const QByteArray &folder, const QSet<QByteArray> &suffixes,
                     const FolderIdentity &output, QList<QByteArray> *pictures)
{
    DIR *directory = ::opendir(folder.constData());
    if (!directory)
        return;
    while (const dirent *entry = ::readdir(directory)) {
        const QByteArray name(entry->d_name);
        if (name.startsWith('.'))
            continue;
        const QByteArray path = folder + '/' + name;
        struct stat link, target;
        if (::lstat(path.constData(), &link) != 0)
            continue;
        if (S_ISDIR(link.st_mode)) {
            if (!(identityOf(link) == output))
                collectPictures(path, suffixes, output, pictures);
            continue;
        }
        const int dot = name.lastIndexOf('.');
        if (dot > 0 && suffixes.contains(name.mid(dot + 1).toLower())
            && ::stat(path.constData(), &target) == 0 && S_ISREG(target.st_mode))
            *pictures << path;
    }
    ::closedir(directory);
}

// The pictures below folder, by path in byte order, so that a run numbers
// them the same way every time. The output folder below it holds the
// outputs of earlier runs, not pictures to process.
void addPicturesUnder(const QString &folder, const QString &outputFolder, Inputs *inputs)
{
    struct stat status;
    FolderIdentity output;
    if (::stat(QFile::encodeName(outputFolder).constData(), &status) == 0)
        output = identityOf(status);
    QList<QByteArray> pictures;
    collectPictures(QFile::encodeName(folder), pictureSuffixes(), output, &pictures);
    std::sort(pictures.begin(), pictures.end());
    inputs->roots.resize(inputs->paths.size()); // the inputs before, each given by itself
    for (const QByteArray &picture : std::as_const(pictures)) {
        addName(picture, inputs);
        inputs->roots.resize(inputs->paths.size(), folder);
    }
}

} // namespace

QList<QByteArray> commandLinePaths(int argc, char *argv[])
{
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments << QString::fromLatin1(argv[index]);
    QList<QByteArray> paths;
    for (const QString &path : parseCommandLine(arguments).settings.imagePaths)
        paths << path.toLatin1();
    return paths;
}

bool collectInputs(const CommandLine &commandLine, const QList<QByteArray> &paths, Inputs *inputs,
                   QString *complaint)
{
    Inputs listed;
    for (const QByteArray &path : paths)
        addName(path, &listed);
    for (const QString &list : commandLine.pathLists) {
        if (!readPathList(list, commandLine.nulSeparated, &listed, complaint))
            return false;
    }
    inputs->undecodable = listed.undecodable;
    for (const QString &path : std::as_const(listed.paths)) {
        if (commandLine.recursive && QFileInfo(path).isDir())
            addPicturesUnder(path, commandLine.settings.outputDirectory, inputs);
        else
            inputs->paths << path;
        if (!inputs->roots.isEmpty())
            inputs->roots.resize(inputs->paths.size());
    }
    return true;
}
