#include "batch/batchworker.h"
#include "commandline.h"
#include "progress.h"

#include <QFileInfo>
#include <QFuture>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QtConcurrent>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

std::atomic<bool> cancelRequested{false};

// The first Ctrl+C ends the run after the file being written; a second one
// ends the process at once.
extern "C" void requestCancel(int signalNumber)
{
    cancelRequested.store(true);
    std::signal(signalNumber, SIG_DFL);
}

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

QtMessageHandler defaultMessageHandler = nullptr;

// Without a desktop session Qt remarks on the missing runtime directory at
// every start; that is the normal setting of this tool, not news.
void dropSessionNotice(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    defaultMessageHandler(type, context, message);
}

// Fonts for the watermark need a GUI application, but not a screen.
void useOffscreenWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Creates directory and its missing parents. On failure stores the reason.
bool createOutputDirectory(const QString &directory, QString *reason)
{
    const QFileInfo info(directory);
    if (info.exists() && !info.isDir()) {
        *reason = QStringLiteral("not a directory");
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(QFile::encodeName(directory).constData()),
                                        error);
    if (error) {
        *reason = QString::fromLocal8Bit(error.message().c_str()).toLower();
        return false;
    }
    return true;
}

int run(const JobSettings &settings, bool quiet)
{
    QString reason;
    if (!createOutputDirectory(settings.outputDirectory, &reason)) {
        print(stderr, QStringLiteral("vellumo-batch: cannot create output directory %1: %2\n")
                              .arg(settings.outputDirectory, reason));
        return 1;
    }
    ProgressReport report(settings.imagePaths, quiet);
    QObject::connect(&report, &ProgressReport::finished, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    std::signal(SIGINT, requestCancel);
    std::signal(SIGTERM, requestCancel);
    const std::atomic<bool> *cancel = &cancelRequested;
    QFuture<void> batch = QtConcurrent::run(runBatch, settings, &report, cancel);
    QCoreApplication::exec();
    batch.waitForFinished();
    return report.nothingFailed() ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    useOffscreenWithoutDisplay();
    defaultMessageHandler = qInstallMessageHandler(dropSessionNotice);
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vellumo-batch"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELLUMO_VERSION));
    // Every input that cannot be decoded is reported with its reason; the
    // decoders' own warnings would only repeat it.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*.warning=false"));

    const CommandLine commandLine = parseCommandLine(QCoreApplication::arguments());
    switch (commandLine.action) {
    case CommandLine::Action::ShowHelp:
        print(stdout, commandLine.message);
        return 0;
    case CommandLine::Action::ShowVersion:
        print(stdout, QStringLiteral("vellumo-batch %1\n").arg(QCoreApplication::applicationVersion()));
        return 0;
    case CommandLine::Action::UsageError:
        print(stderr, QStringLiteral("vellumo-batch: %1\n").arg(commandLine.message));
        return 2;
    case CommandLine::Action::Run:
        break;
    }
    return run(commandLine.settings, commandLine.quiet);
}
