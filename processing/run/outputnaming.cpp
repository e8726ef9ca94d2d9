#include "run/outputnaming.h"

#include "formats/datetaken.h"
#include "formats/formattable.h"
#include "job/presets.h"
#include "run/options.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Stand for the output's width and height until the output has a size: no
// name holds a control character, so neither mark can be a name's own.
constexpr QChar widthMark(0x01);
constexpr QChar heightMark(0x02);

bool holdsControlCharacter(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}

// Why text cannot be part of a name; empty when it can.
QString namePartProblem(const QString &text)
{
    if (text.contains(QLatin1Char('/')))
        return QStringLiteral("a slash");
    if (holdsControlCharacter(text))
        return QStringLiteral("a control character");
    return QString();
}

QString dateOf(const QString &inputPath, const QString &format)
{
    QDateTime taken = dateTaken(inputPath);
    if (!taken.isValid())
        taken = QFileInfo(inputPath).lastModified();
    return taken.isValid() ? taken.toString(format) : QString();
}

} // namespace

NameTemplate::NameTemplate(const JobSettings &settings)
{
    const QString prefix = settings.value(option::batchPrefix);
    if (settings.value(option::batchRename) && !prefix.isEmpty()) {
        fields = {{Field::Kind::Literal, prefix + QLatin1Char('_')}, {Field::Kind::Number, {}}};
        const QString problem = namePartProblem(prefix);
        if (!problem.isEmpty())
            fault = QStringLiteral("the prefix holds %1").arg(problem);
        return;
    }
    parse(settings.value(option::nameTemplate));
}

NameTemplate::NameTemplate(const QString &text)
{
    parse(text);
}

void NameTemplate::parse(const QString &text)
{
    using Kind = Field::Kind;
    static const QHash<QString, Kind> kinds = {
            {QStringLiteral("name"), Kind::Name},   {QStringLiteral("n"), Kind::Number},
            {QStringLiteral("date"), Kind::Date},   {QStringLiteral("width"), Kind::Width},
            {QStringLiteral("height"), Kind::Height}, {QStringLiteral("format"), Kind::Format}};
    const auto failWith = [this, &text](const QString &why) {
        fault = QStringLiteral("the name template %1 %2").arg(text, why);
        fields.clear();
    };
    if (text.isEmpty())
        return failWith(QStringLiteral("is empty"));
    const auto addLiteral = [this](const QString &literal) {
        fields.append({Field::Kind::Literal, literal});
        return namePartProblem(literal);
    };
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype open = text.indexOf(QLatin1Char('{'), at);
        const qsizetype close = text.indexOf(QLatin1Char('}'), at);
        if (close >= 0 && (open < 0 || close < open))
            return failWith(QStringLiteral("has } without {"));
        const QString literal = text.mid(at, open < 0 ? -1 : open - at);
        const QString problem = literal.isEmpty() ? QString() : addLiteral(literal);
        if (!problem.isEmpty())
            return failWith(QStringLiteral("holds %1").arg(problem));
        if (open < 0)
            break;
        if (close < 0)
            return failWith(QStringLiteral("has { without }"));
        const QString inside = text.mid(open + 1, close - open - 1);
        const qsizetype colon = inside.indexOf(QLatin1Char(':'));
        const QString word = colon < 0 ? inside : inside.left(colon);
        const auto kind = kinds.constFind(word);
        if (kind == kinds.cend() || (colon >= 0 && *kind != Kind::Date)
            || inside.contains(QLatin1Char('{')) || (colon >= 0 && colon == inside.size() - 1))
            return failWith(QStringLiteral("has an unknown field {%1}").arg(inside));
        fields.append({*kind, colon < 0 ? QStringLiteral("yyyy-MM-dd") : inside.mid(colon + 1)});
        at = close + 1;
    }
}

bool NameTemplate::namesBySize() const
{
    return std::any_of(fields.cbegin(), fields.cend(), [](const Field &field) {
        return field.kind == Field::Kind::Width || field.kind == Field::Kind::Height;
    });
}

QString NameTemplate::expand(const QString &inputPath, int position, const QString &format,
                             QString *problem) const
{
    QString name;
    for (const Field &field : fields) {
        QString part;
        switch (field.kind) {
        case Field::Kind::Literal:
            name += field.text;
            continue;
        case Field::Kind::Name:
            part = QFileInfo(inputPath).baseName();
            break;
        case Field::Kind::Number:
            part = QStringLiteral("%1").arg(position, 4, 10, QLatin1Char('0'));
            break;
        case Field::Kind::Date:
            part = dateOf(inputPath, field.text);
            break;
        case Field::Kind::Width:
            part = widthMark;
            break;
        case Field::Kind::Height:
            part = heightMark;
            break;
        case Field::Kind::Format:
            part = format;
            break;
        }
        const QString partProblem = field.kind == Field::Kind::Width || field.kind == Field::Kind::Height
                ? QString() : namePartProblem(part);
        if (!partProblem.isEmpty()) {
            *problem = QStringLiteral("its output name would hold %1").arg(partProblem);
            return QString();
        }
        name += part;
    }
    if (name.isEmpty())
        *problem = QStringLiteral("its output name would be empty");
    return name;
}

QString NameTemplate::pattern() const
{
    QString pattern;
    for (const Field &field : fields) {
        switch (field.kind) {
        case Field::Kind::Literal:
            pattern += QRegularExpression::escape(field.text);
            break;
        case Field::Kind::Number:
            pattern += QStringLiteral("\\d{4,}");
            break;
        case Field::Kind::Width:
        case Field::Kind::Height:
            pattern += QStringLiteral("\\d+");
            break;
        case Field::Kind::Name:
        case Field::Kind::Date:
        case Field::Kind::Format:
            pattern += QStringLiteral(".*");
            break;
        }
    }
    return pattern;
}

QString withOutputSize(const QString &path, QSize size)
{
    QString filled = path;
    filled.replace(widthMark, QString::number(size.width()));
    filled.replace(heightMark, QString::number(size.height()));
    return filled;
}

namespace {

qsizetype nameBytes(const QString &name)
{
    return QFile::encodeName(name).size();
}

// No UTF-16 unit takes more than three bytes in UTF-8.
constexpr int mostBytesPerUnit = 3;

// stem, with "_suffix" from 2 on, and ".extension", the stem cut at a
// character's start until the whole fits in nameLimit bytes.
QString fittedName(QString stem, int suffix, const QString &extension)
{
    const QString tail = (suffix > 1 ? QLatin1Char('_') + QString::number(suffix) : QString())
            + QLatin1Char('.') + extension;
    // Most names are far too short to need counting in bytes.
    if ((stem.size() + tail.size()) * mostBytesPerUnit <= nameLimit)
        return stem + tail;
    const qsizetype room = nameLimit - nameBytes(tail);
    while (!stem.isEmpty() && nameBytes(stem) > room) {
        stem.chop(1);
        if (!stem.isEmpty() && stem.back().isHighSurrogate())
            stem.chop(1);
    }
    return stem + tail;
}

QString below(const QString &folder, const QString &name)
{
    return folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
}

// Calls visit(name, isRegularFile, isSymbolicLink) for every entry of the
// folder at path, in one listing; nothing when it cannot be read (a missing
// folder holds nothing). The type comes with the entry on most file systems;
// where it does not, the entry itself is looked at, never what a link points to.
template <typename Visit>
void listFolder(const QString &path, Visit visit)
{
    DIR *folder = ::opendir(QFile::encodeName(path).constData());
    if (!folder)
        return;
    while (const dirent *entry = ::readdir(folder)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        unsigned char type = entry->d_type;
        struct stat status;
        if (type == DT_UNKNOWN && ::fstatat(::dirfd(folder), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0)
            type = S_ISREG(status.st_mode) ? DT_REG : S_ISLNK(status.st_mode) ? DT_LNK : DT_DIR;
        visit(QFile::decodeName(entry->d_name), type == DT_REG, type == DT_LNK || type == DT_UNKNOWN);
    }
    ::closedir(folder);
}

// The inputs inside the output folder, by their index, as paths below it:
// no output may take their names. An input's folder is resolved once for all the inputs in it,
// and an input that is itself a symbolic link, as that folder's one listing
// shows, is resolved alone, so that a link to an output counts as it.
QHash<qsizetype, QString> inputsInside(const QStringList &inputs, const QString &outputDirectory)
{
    const QString outputFolder = QFileInfo(outputDirectory).canonicalFilePath();
    if (outputFolder.isEmpty())
        return {};
    const QString outputPrefix = outputFolder.endsWith(QLatin1Char('/')) ? outputFolder
                                                                          : outputFolder + QLatin1Char('/');
    struct Folder
    {
        QString canonical;
        QSet<QString> links;
    };
    QHash<QString, Folder> folders;
    QHash<qsizetype, QString> inside;
    for (qsizetype index = 0; index < inputs.size(); ++index) {
        const QFileInfo info(inputs.at(index));
        const QString folderPath = info.path();
        auto folder = folders.find(folderPath);
        if (folder == folders.end()) {
            folder = folders.insert(folderPath, {QFileInfo(folderPath).canonicalFilePath(), {}});
            listFolder(folderPath, [&folder](const QString &name, bool, bool isLink) {
                if (isLink)
                    folder->links.insert(name);
            });
        }
        if (folder->canonical.isEmpty())
            continue;
        const QString key = folder->links.contains(info.fileName())
                ? info.canonicalFilePath()
                : below(folder->canonical == QLatin1String("/") ? QString() : folder->canonical, info.fileName());
        if (key.startsWith(outputPrefix))
            inside.insert(index, key.mid(outputPrefix.size()));
    }
    return inside;
}

} // namespace

ClaimedNames::ClaimedNames(const QString &outputDirectory) : outputDirectory(outputDirectory)
{
}

const QHash<QString, ClaimedNames::Entry> &ClaimedNames::entriesOf(const QString &folder)
{
    auto listing = listings.find(folder);
    if (listing != listings.end())
        return *listing;
    listing = listings.insert(folder, {});
    const QString path = folder.isEmpty() ? outputDirectory : outputDirectory + QLatin1Char('/') + folder;
    listFolder(path, [&listing](const QString &name, bool isRegularFile, bool) {
        listing->insert(name, isRegularFile ? Entry::RegularFile : Entry::Other);
    });
    return *listing;
}

OutputChoice ClaimedNames::choose(const QString &folder, const QString &stem, const QString &extension,
                                  const QString &ifExists)
{
    const bool passExisting = presets::renameBeside.is(ifExists);
    const QHash<QString, Entry> &entries = entriesOf(folder);
    // Only names met before are remembered: most are met once.
    const QString derived = below(folder, stem + QLatin1Char('.') + extension);
    for (int suffix = resumeSuffix.value(derived, 1);; ++suffix) {
        const QString name = fittedName(stem, suffix, extension);
        const QString key = below(folder, name);
        const auto entry = entries.constFind(name);
        const bool exists = entry != entries.cend();
        if (taken.contains(key) || (exists && (*entry == Entry::Other || passExisting)))
            continue;
        taken.insert(key);
        if (suffix > 1)
            resumeSuffix.insert(derived, suffix + 1);
        return {outputDirectory + QLatin1Char('/') + key, presets::skipExisting.is(ifExists) && exists,
                folder};
    }
}

OutputChoice ClaimedNames::chooseBySize(const OutputChoice &marked, QSize size, const QString &ifExists)
{
    const QFileInfo filled(withOutputSize(marked.path, size));
    return choose(marked.treeFolder, filled.completeBaseName(), filled.suffix(), ifExists);
}

QString treeFolderOf(const QString &inputPath, const QString &root)
{
    if (root.isEmpty())
        return QString();
    // Absolute and cleaned, neither holds ".." any more.
    const QString folder = QDir::cleanPath(QFileInfo(root).absoluteFilePath());
    const QString input = QDir::cleanPath(QFileInfo(inputPath).absoluteFilePath());
    const QString below = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    if (!input.startsWith(below))
        return QString();
    const QString relative = QFileInfo(input.mid(below.size())).path();
    return relative == QStringLiteral(".") ? QString() : relative;
}

QString makeTreeFolder(const QString &outputDirectory, const QString &treeFolder)
{
    int folder = ::open(QFile::encodeName(outputDirectory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int error = errno;
    QString made = outputDirectory;
    for (const QString &name : treeFolder.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (folder < 0)
            break;
        made += QLatin1Char('/') + name;
        const QByteArray bytes = QFile::encodeName(name);
        const bool createdOrThere = ::mkdirat(folder, bytes.constData(), 0777) == 0 || errno == EEXIST;
        const int next = createdOrThere
                ? ::openat(folder, bytes.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)
                : -1;
        error = errno;
        ::close(folder);
        folder = next;
    }
    if (folder >= 0) {
        ::close(folder);
        return QString();
    }
    const QString why = error == ELOOP || error == ENOTDIR
            ? QStringLiteral("a symbolic link or a file is in the way")
            : QString::fromLocal8Bit(std::strerror(error)).toLower();
    return QStringLiteral("cannot create folder %1: %2").arg(made, why);
}

OutputNames assignOutputNames(const JobSettings &settings)
{
    OutputNames names;
    const NameTemplate naming(settings);
    if (!naming.problem().isEmpty()) {
        names.problem = naming.problem();
        return names;
    }
    const bool keepTree = settings.value(option::keepTree) && !settings.imageRoots.isEmpty();
    const QString format = settings.value(option::format);
    const QString ifExists = settings.value(option::ifExists);
    const bool bySize = naming.namesBySize();
    ClaimedNames &claimed = names.claimed = ClaimedNames(settings.outputDirectory);
    const QHash<qsizetype, QString> inside = inputsInside(settings.imagePaths, settings.outputDirectory);
    for (const QString &input : inside)
        claimed.claim(input);
    QStringList treeFolders(settings.imagePaths.size());
    for (qsizetype index = 0; keepTree && index < settings.imagePaths.size(); ++index)
        treeFolders[index] = treeFolderOf(settings.imagePaths.at(index), settings.imageRoots.value(index));
    // A folder the tree takes is no file's name, whichever comes first.
    QSet<QString> folders;
    for (QString folder : std::as_const(treeFolders)) {
        for (; !folder.isEmpty() && !folders.contains(folder); folder = folder.section(QLatin1Char('/'), 0, -2)) {
            folders.insert(folder);
            claimed.claim(folder);
        }
    }
    const EarlierOutputs earlierOutputs(settings);
    // With "same as input" each input has its own.
    const bool extensionPerInput = presets::sameAsInput.is(format);
    const QString commonExtension = outputFormatFor(format, QString()).suffixList().constFirst();
    names.outputs.reserve(settings.imagePaths.size());
    for (qsizetype index = 0; index < settings.imagePaths.size(); ++index) {
        const QString &input = settings.imagePaths.at(index);
        if (inside.contains(index) && earlierOutputs.named(input)) {
            names.outputs << OutputChoice{QString(), true, QString()};
            continue;
        }
        const QString extension =
                extensionPerInput ? outputFormatFor(format, input).suffixList().constFirst() : commonExtension;
        QString problem;
        const QString stem = naming.expand(input, int(index + 1), extension, &problem);
        if (!problem.isEmpty()) {
            names.problem = problem;
            names.problemInput = input;
            names.outputs.clear();
            return names;
        }
        const QString &treeFolder = treeFolders.at(index);
        const QString marked = settings.outputDirectory + QLatin1Char('/')
                + below(treeFolder, stem + QLatin1Char('.') + extension);
        names.outputs << (bySize ? OutputChoice{marked, false, treeFolder}
                                 : claimed.choose(treeFolder, stem, extension, ifExists));
    }
    // Only names by size are claimed after this.
    if (!bySize)
        claimed = ClaimedNames(settings.outputDirectory);
    return names;
}

EarlierOutputs::EarlierOutputs(const JobSettings &settings)
{
    const QString name = NameTemplate(settings).pattern();
    const QString usual = NameTemplate(QString::fromUtf8(option::nameTemplate.initialText)).pattern();
    outputName.setPattern(QStringLiteral("^(%1|%2)(_\\d+)?$").arg(name.isEmpty() ? usual : name, usual));
}

bool EarlierOutputs::named(const QString &inputPath) const
{
    return outputName.match(QFileInfo(inputPath).completeBaseName()).hasMatch();
}

QString outputDirectoryProblem(const QString &directory)
{
    QTemporaryFile probe(directory + QStringLiteral("/.vellumo-probe-XXXXXX"));
    if (probe.open())
        return QString();
    return QStringLiteral("cannot write: %1").arg(probe.errorString().toLower());
}
