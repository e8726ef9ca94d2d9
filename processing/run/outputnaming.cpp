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
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Stand for the output's width and height until the output has a size: no
// name holds a control character, so neither mark can be a name's own.
constexpr QChar widthMark(0x01);
constexpr QChar heightMark(0x02);
// Bytes a mark may take once filled in, above its own one.
constexpr int markGrowth = 6;

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

QString fileKey(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    return QDir::cleanPath(info.absoluteFilePath());
}

namespace {

bool occupiedByOther(const QString &path)
{
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && !S_ISREG(status.st_mode);
}

qsizetype nameBytes(const QString &name)
{
    return QFile::encodeName(name).size() + markGrowth * (name.count(widthMark) + name.count(heightMark));
}

// stem, with "_suffix" from 2 on, and ".extension", the stem cut at a
// character's start until the whole fits in nameLimit bytes.
QString fittedName(QString stem, int suffix, const QString &extension)
{
    const QString tail = (suffix > 1 ? QLatin1Char('_') + QString::number(suffix) : QString())
            + QLatin1Char('.') + extension;
    const qsizetype room = nameLimit - nameBytes(tail);
    while (!stem.isEmpty() && nameBytes(stem) > room) {
        stem.chop(1);
        if (!stem.isEmpty() && stem.back().isHighSurrogate())
            stem.chop(1);
    }
    return stem + tail;
}

} // namespace

OutputChoice ClaimedNames::choose(const QString &folder, const QString &stem, const QString &extension,
                                  const QString &ifExists)
{
    const bool passExisting = presets::renameBeside.is(ifExists);
    const QString prefix = folder + QLatin1Char('/');
    // Only names met before are remembered: most are met once.
    const QString derived = prefix + stem + QLatin1Char('.') + extension;
    for (int suffix = resumeSuffix.value(derived, 1);; ++suffix) {
        const QString path = prefix + fittedName(stem, suffix, extension);
        const QString key = fileKey(path);
        if (keys.contains(key) || occupiedByOther(path) || (passExisting && QFileInfo::exists(path)))
            continue;
        keys.insert(key);
        if (suffix > 1)
            resumeSuffix.insert(derived, suffix + 1);
        return {path, presets::skipExisting.is(ifExists) && QFileInfo::exists(path), QString()};
    }
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
    ClaimedNames claimed;
    QStringList treeFolders(settings.imagePaths.size());
    // Outputs go inside the output folder: only inputs there can be in their way.
    const QString outputFolderKey = fileKey(settings.outputDirectory) + QLatin1Char('/');
    for (qsizetype index = 0; index < settings.imagePaths.size(); ++index) {
        const QString &input = settings.imagePaths.at(index);
        const QString inputKey = fileKey(input);
        if (inputKey.startsWith(outputFolderKey))
            claimed.insertKey(inputKey);
        if (keepTree)
            treeFolders[index] = treeFolderOf(input, settings.imageRoots.value(index));
    }
    // A folder the tree takes is no file's name, whichever comes first.
    QSet<QString> folders;
    for (QString folder : std::as_const(treeFolders)) {
        for (; !folder.isEmpty() && !folders.contains(folder); folder = folder.section(QLatin1Char('/'), 0, -2)) {
            folders.insert(folder);
            claimed.insert(settings.outputDirectory + QLatin1Char('/') + folder);
        }
    }
    const EarlierOutputs earlierOutputs(settings);
    names.outputs.reserve(settings.imagePaths.size());
    for (qsizetype index = 0; index < settings.imagePaths.size(); ++index) {
        const QString &input = settings.imagePaths.at(index);
        if (earlierOutputs.contains(input)) {
            names.outputs << OutputChoice{QString(), true, QString()};
            continue;
        }
        // With "same as input" each input has its own.
        const QString extension = outputFormatFor(format, input).suffixList().constFirst();
        QString problem;
        const QString stem = naming.expand(input, int(index + 1), extension, &problem);
        if (!problem.isEmpty()) {
            names.problem = problem;
            names.problemInput = input;
            names.outputs.clear();
            return names;
        }
        const QString &treeFolder = treeFolders.at(index);
        const QString folder = treeFolder.isEmpty() ? settings.outputDirectory
                                                    : settings.outputDirectory + QLatin1Char('/') + treeFolder;
        names.outputs << claimed.choose(folder, stem, extension, ifExists);
        names.outputs.last().treeFolder = treeFolder;
    }
    return names;
}

EarlierOutputs::EarlierOutputs(const JobSettings &settings)
{
    const QString canonical = QFileInfo(settings.outputDirectory).canonicalFilePath();
    if (!canonical.isEmpty())
        folder = canonical.endsWith(QLatin1Char('/')) ? canonical : canonical + QLatin1Char('/');
    const QString name = NameTemplate(settings).pattern();
    const QString usual = NameTemplate(QString::fromUtf8(option::nameTemplate.initialText)).pattern();
    outputName.setPattern(QStringLiteral("^(%1|%2)(_\\d+)?$").arg(name.isEmpty() ? usual : name, usual));
}

bool EarlierOutputs::contains(const QString &inputPath) const
{
    if (folder.isEmpty())
        return false;
    // The name first: it costs no look-up on the disk.
    const QFileInfo input(inputPath);
    return outputName.match(input.completeBaseName()).hasMatch() && input.canonicalFilePath().startsWith(folder);
}

QString outputDirectoryProblem(const QString &directory)
{
    QTemporaryFile probe(directory + QStringLiteral("/.vellumo-probe-XXXXXX"));
    if (probe.open())
        return QString();
    return QStringLiteral("cannot write: %1").arg(probe.errorString().toLower());
}
