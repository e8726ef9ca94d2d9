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

QString freeOutputPath(const QString &derivedPath, const QSet<QString> &claimed)
{
    if (!claimed.contains(fileKey(derivedPath)))
        return derivedPath;
    const int nameStart = derivedPath.lastIndexOf(QLatin1Char('/')) + 1;
    int dot = derivedPath.lastIndexOf(QLatin1Char('.'));
    if (dot < nameStart)
        dot = derivedPath.size();
    const QString stem = derivedPath.left(dot);
    const QString extension = derivedPath.mid(dot);
    for (int suffix = 2;; ++suffix) {
        const QString candidate = stem + QLatin1Char('_') + QString::number(suffix) + extension;
        if (!claimed.contains(fileKey(candidate)))
            return candidate;
    }
}
