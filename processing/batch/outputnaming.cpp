#include "batch/outputnaming.h"

#include <QDir>
#include <QFileInfo>

QString makeOutputPath(const QString &inputPath, int position, const JobSettings &settings)
{
    const QString extension = settings.format.toLower();
    QString name;
    if (settings.batchRename && !settings.batchPrefix.isEmpty()) {
        // Concatenated, not formatted: the prefix may hold percent signs.
        name = settings.batchPrefix + QLatin1Char('_')
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

// The first of derivedPath, then "_2", "_3", ... that is not taken.
template <typename Taken>
QString firstFreePath(const QString &derivedPath, Taken taken)
{
    if (!taken(derivedPath))
        return derivedPath;
    const int nameStart = derivedPath.lastIndexOf(QLatin1Char('/')) + 1;
    int dot = derivedPath.lastIndexOf(QLatin1Char('.'));
    if (dot < nameStart)
        dot = derivedPath.size();
    const QString stem = derivedPath.left(dot);
    const QString extension = derivedPath.mid(dot);
    for (int suffix = 2;; ++suffix) {
        const QString candidate = stem + QLatin1Char('_') + QString::number(suffix) + extension;
        if (!taken(candidate))
            return candidate;
    }
}

} // namespace

QString freeOutputPath(const QString &derivedPath, const QSet<QString> &claimed)
{
    return firstFreePath(derivedPath,
                         [&claimed](const QString &path) { return claimed.contains(fileKey(path)); });
}

OutputChoice chooseOutputPath(const QString &derivedPath, const QSet<QString> &claimed,
                              const QString &ifExists)
{
    if (ifExists == QLatin1String("rename")) {
        return {firstFreePath(derivedPath,
                              [&claimed](const QString &path) {
                                  return claimed.contains(fileKey(path)) || QFileInfo::exists(path);
                              }),
                false};
    }
    const QString path = freeOutputPath(derivedPath, claimed);
    return {path, ifExists == QLatin1String("skip") && QFileInfo::exists(path)};
}
