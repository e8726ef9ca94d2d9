#include "run/reportfile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

ReportFile::~ReportFile()
{
    if (descriptor >= 0)
        ::close(descriptor);
}

QString ReportFile::open(const QString &path)
{
    if (path.isEmpty())
        return QString();
    descriptor = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (descriptor >= 0)
        return QString();
    return QStringLiteral("cannot write the report %1: %2")
            .arg(path, QString::fromLocal8Bit(std::strerror(errno)).toLower());
}

namespace {

QString statusWord(InputOutcome::Kind kind)
{
    switch (kind) {
    case InputOutcome::Kind::Written:
        return QStringLiteral("written");
    case InputOutcome::Kind::Skipped:
        return QStringLiteral("skipped");
    case InputOutcome::Kind::Failed:
    case InputOutcome::Kind::Stopped:
        break;
    }
    return QStringLiteral("failed");
}

} // namespace

void ReportFile::add(const QString &inputPath, const InputOutcome &outcome)
{
    if (descriptor < 0)
        return;
    const QJsonObject line{{QStringLiteral("input"), inputPath},
                           {QStringLiteral("output"), outcome.output},
                           {QStringLiteral("status"), statusWord(outcome.kind)},
                           {QStringLiteral("reason"), outcome.reason},
                           {QStringLiteral("warnings"), QJsonArray::fromStringList(outcome.warnings)},
                           {QStringLiteral("bytes"), outcome.bytesWritten}};
    const QByteArray bytes = QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n';
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t step = ::write(descriptor, bytes.constData() + written, size_t(bytes.size() - written));
        if (step < 0 && errno == EINTR)
            continue;
        if (step <= 0)
            return;
        written += step;
    }
}
