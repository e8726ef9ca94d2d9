#include "run/outputnaming.h"

#include "formats/formattable.h"
#include "run/options.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <sys/stat.h>

QString makeOutputPath(const QString &inputPath, int position, const JobSettings &settings)
{
    const QString extension =
            outputFormatFor(settings.value(option::format), inputPath).suffixList().constFirst();
    QString name;
    const QString prefix = settings.value(option::batchPrefix);
    if (settings.value(option::batchRename) && !prefix.isEmpty()) {
        // Concatenated, not formatted: the prefix may hold percent signs.
        name = prefix + QLatin1Char('_')
                + QStringLiteral("%1").arg(position, 4, 10, QLatin1Char('0'));
    } else {
        name = QFileInfo(inputPath).baseName() + QStringLiteral("_processed");
    }
    return settings.outputDirectory + QLatin1Char('/') + name + QLatin1Char('.') + extension;
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

// derivedPath for suffix 1, otherwise with "_suffix" before its extension.
QString withSuffix(const QString &derivedPath, int suffix)
{
    if (suffix == 1)
        return derivedPath;
    const int nameStart = derivedPath.lastIndexOf(QLatin1Char('/')) + 1;
    int dot = derivedPath.lastIndexOf(QLatin1Char('.'));
    if (dot < nameStart)
        dot = derivedPath.size();
    return derivedPath.left(dot) + QLatin1Char('_') + QString::number(suffix)
            + derivedPath.mid(dot);
}

// Searches from *suffix on and leaves it at the suffix chosen.
OutputChoice choosePath(const QString &derivedPath, const QSet<QString> &claimed,
                        const QString &ifExists, int *suffix)
{
    const bool passExisting = presets::renameBeside.is(ifExists);
    for (;; ++*suffix) {
        const QString path = withSuffix(derivedPath, *suffix);
        if (claimed.contains(fileKey(path)) || occupiedByOther(path)
            || (passExisting && QFileInfo::exists(path)))
            continue;
        return {path, presets::skipExisting.is(ifExists) && QFileInfo::exists(path)};
    }
}

} // namespace

OutputChoice chooseOutputPath(const QString &derivedPath, const QSet<QString> &claimed,
                              const QString &ifExists)
{
    int suffix = 1;
    return choosePath(derivedPath, claimed, ifExists, &suffix);
}

OutputChoice ClaimedNames::choose(const QString &derivedPath, const QString &ifExists)
{
    int &suffix = resumeSuffix[derivedPath];
    suffix = qMax(suffix, 1);
    return choosePath(derivedPath, keys, ifExists, &suffix);
}

EarlierOutputs::EarlierOutputs(const JobSettings &settings)
{
    const QString canonical = QFileInfo(settings.outputDirectory).canonicalFilePath();
    if (!canonical.isEmpty())
        folder = canonical.endsWith(QLatin1Char('/')) ? canonical : canonical + QLatin1Char('/');
    const QString prefix = settings.value(option::batchPrefix);
    const QString name = settings.value(option::batchRename) && !prefix.isEmpty()
            ? QStringLiteral("(%1_\\d{4,}|.*_processed)").arg(QRegularExpression::escape(prefix))
            : QStringLiteral(".*_processed");
    outputName.setPattern(QStringLiteral("^%1(_\\d+)?$").arg(name));
}

bool EarlierOutputs::contains(const QString &inputPath) const
{
    if (folder.isEmpty())
        return false;
    const QFileInfo input(inputPath);
    return input.canonicalFilePath().startsWith(folder)
            && outputName.match(input.completeBaseName()).hasMatch();
}

QString outputDirectoryProblem(const QString &directory)
{
    QTemporaryFile probe(directory + QStringLiteral("/.vellumo-probe-XXXXXX"));
    if (probe.open())
        return QString();
    return QStringLiteral("cannot write: %1").arg(probe.errorString().toLower());
}
