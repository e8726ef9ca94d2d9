#include "composition/logo.h"
#include "run/batchworker.h"
#include "run/jobfile.h"
#include "run/runreport.h"
#include "commandline.h"
#include "progress.h"

#include <QFileInfo>
#include <QFuture>
#include <QGuiApplication>
#include <QtConcurrent>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>
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

// A GUI application, with its platform and fonts, only for a run that draws text.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv)
{
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    // A picture whose file gives no resolution gets Qt's default one, which
    // follows the screen: 96 dpi, as the window's offscreen screen has, on
    // whichever application and display.
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi);
    if (!argumentsDrawText(arguments))
        return std::make_unique<QCoreApplication>(argc, argv);
    useOffscreenWithoutDisplay();
    return std::make_unique<QGuiApplication>(argc, argv);
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

// The exit status of a run stopped by Ctrl+C or SIGTERM, as shells report
// a process ended by SIGINT.
constexpr int cancelledStatus = 130;

int run(const JobSettings &settings, const QStringList &undecodable, bool quiet)
{
    std::signal(SIGINT, requestCancel);
    std::signal(SIGTERM, requestCancel);
    QString reason;
    if (!createOutputDirectory(settings.outputDirectory, &reason)) {
        print(stderr, QStringLiteral("vellumo-batch: cannot create output directory %1: %2\n")
                              .arg(printable(settings.outputDirectory), reason));
        return 1;
    }
    QStringList share;
    for (const int index : shardShare(settings))
        share << settings.imagePaths.at(index);
    ProgressReport report(share, quiet);
    for (const QString &name : undecodable)
        report.inputRefused(name, QStringLiteral("cannot read: the name is not valid UTF-8"));
    QObject::connect(&report, &ProgressReport::finished, QCoreApplication::instance(),
                     &QCoreApplication::quit, Qt::QueuedConnection);
    RunReport runReport;
    QObject::connect(&runReport, &RunReport::progressed, &report, &ProgressReport::updateProgress);
    QObject::connect(&runReport, &RunReport::inputFailed, &report, &ProgressReport::fileFailed);
    QObject::connect(&runReport, &RunReport::inputSkipped, &report, &ProgressReport::fileSkipped);
    QObject::connect(&runReport, &RunReport::inputWarned, &report, &ProgressReport::fileWarning);
    QObject::connect(&runReport, &RunReport::finished, &report, &ProgressReport::processingFinished);
    const std::atomic<bool> *cancel = &cancelRequested;
    QFuture<void> batch = QtConcurrent::run(runBatch, settings, &runReport, cancel);
    QCoreApplication::exec();
    batch.waitForFinished();
    if (cancelRequested.load()) {
        print(stderr, QStringLiteral("vellumo-batch: cancelled, %1 of %2 inputs left unprocessed\n")
                              .arg(report.leftCount()).arg(share.size()));
        return cancelledStatus;
    }
    return report.nothingFailed() ? 0 : 1;
}

} // namespace

// The inputs of the command line, of its path lists and folders. False
// after printing the complaint when a list cannot be read.
bool gatherInputs(const CommandLine &commandLine, const QList<QByteArray> &paths, Inputs *inputs)
{
    QString complaint;
    if (!collectInputs(commandLine, paths, inputs, &complaint)) {
        print(stderr, QStringLiteral("vellumo-batch: %1\n").arg(printable(complaint)));
        return false;
    }
    return true;
}

int main(int argc, char *argv[])
{
    // A reader of the report that goes away must not end the run: writes to
    // a closed stderr then fail quietly.
    std::signal(SIGPIPE, SIG_IGN);
    defaultMessageHandler = qInstallMessageHandler(dropSessionNotice);
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vellumo-batch"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELLUMO_VERSION));

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
    case CommandLine::Action::SaveJobOnly:
        break;
    }
    for (const QString &warning : commandLine.warnings)
        print(stderr, QStringLiteral("vellumo-batch: warning: %1\n").arg(printable(warning)));
    if (!commandLine.saveJobPath.isEmpty()) {
        const QString failure = jobfile::save(commandLine.saveJobPath, commandLine.settings);
        if (!failure.isEmpty()) {
            print(stderr, QStringLiteral("vellumo-batch: %1\n").arg(printable(failure)));
            return 1;
        }
    }
    if (commandLine.action == CommandLine::Action::SaveJobOnly)
        return 0;
    // A logo that cannot be drawn would fail every input: none is touched.
    const QString logoMissing = logoProblem(commandLine.settings);
    if (!logoMissing.isEmpty()) {
        print(stderr, QStringLiteral("vellumo-batch: --logo %1\n").arg(printable(logoMissing)));
        return 2;
    }
    Inputs inputs;
    if (!gatherInputs(commandLine, commandLinePaths(argc, argv), &inputs))
        return 2;
    JobSettings settings = commandLine.settings;
    settings.imagePaths = inputs.paths;
    settings.imageRoots = inputs.roots;
    return run(settings, inputs.undecodable, commandLine.quiet);
}
