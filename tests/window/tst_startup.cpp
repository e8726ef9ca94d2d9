#include "stylesheet.h"
#include "window/windowtestsupport.h"
#include "windowarguments.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

// Start-up: the reading of the command line, what the program answers
// without a window, and the style sheet step: what it applies, what it logs
// and the box it leaves for the user.
class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void embeddedStyleSheetApplied();
    void styleSheetFile_data();
    void styleSheetFile();
    void warningBox();
    void commandLine_data();
    void commandLine();
    void answersWithoutWindow_data();
    void answersWithoutWindow();
};

namespace {

using LogEntry = std::pair<QtMsgType, QString>;
QList<LogEntry> logged;

void keepMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (QByteArray(context.category) == "default")
        logged.append({type, message});
}

const QString untouchedStyleSheet = QStringLiteral("QLabel { color: #123456; }");

} // namespace

void TestStartup::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestStartup::init()
{
    qApp->setStyleSheet(untouchedStyleSheet);
    logged.clear();
    qInstallMessageHandler(keepMessage);
}

void TestStartup::cleanup()
{
    qInstallMessageHandler(nullptr);
    qApp->setStyleSheet(QString());
}

void TestStartup::embeddedStyleSheetApplied()
{
    QFile file(QStringLiteral(":/qss/default.css"));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    const QString contents = QString::fromUtf8(file.readAll());
    QVERIFY(!contents.isEmpty());
    QVERIFY(loadStyleSheet(*qApp));
    QCOMPARE(qApp->styleSheet(), contents);
    QCOMPARE(logged, QList<LogEntry>());
}

void TestStartup::styleSheetFile_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("applied");
    QTest::newRow("empty file") << QByteArray() << true << false;
    QTest::newRow("missing file") << QByteArray() << false << false;
    QTest::newRow("not style sheet syntax, applied as it is") << QByteArray("}}{{ 样式 ;;") << true << true;
    QTest::newRow("one rule") << QByteArray("QPushButton { border: none; }") << true << true;
}

// Failures log what went wrong and leave the application's style sheet alone.
void TestStartup::styleSheetFile()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, exists);
    QFETCH(bool, applied);
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString path = directory.filePath(QStringLiteral("style.css"));
    if (exists) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }

    QCOMPARE(loadStyleSheetFile(*qApp, path), applied);
    QCOMPARE(qApp->styleSheet(), applied ? QString::fromUtf8(contents) : untouchedStyleSheet);
    QList<LogEntry> expected;
    if (!exists) {
        QFile missing(path);
        QVERIFY(!missing.open(QIODevice::ReadOnly));
        expected.append({QtCriticalMsg, QStringLiteral("无法打开样式表: \"%1\"").arg(missing.errorString())});
        expected.append({QtCriticalMsg, QStringLiteral("当前工作目录: \"%1\"").arg(QDir::currentPath())});
    } else if (!applied) {
        expected.append({QtWarningMsg, QStringLiteral("样式表为空！")});
    }
    QCOMPARE(logged, expected);
}

void TestStartup::warningBox()
{
    MessageBoxAnswerer answerer(QMessageBox::Ok);
    showStyleSheetWarning();
    QCOMPARE(answerer.boxes.size(), 1);
    QCOMPARE(answerer.boxes.first().title, QStringLiteral("警告"));
    QCOMPARE(answerer.boxes.first().text,
             QStringLiteral("无法加载样式表，将使用默认外观。\n这可能会影响应用程序的外观，但功能不受影响。"));
    QCOMPARE(answerer.boxes.first().icon, QMessageBox::Warning);
    QVERIFY(!answerer.boxes.first().hasParent);
}

void TestStartup::commandLine_data()
{
    using Action = WindowArguments::Action;
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("complaint");
    const QStringList none;
    QTest::newRow("nothing") << none << Action::Open << none << QString();
    QTest::newRow("files and folders, in order")
            << QStringList{"b.jpg", "folder/", "a.png"} << Action::Open
            << QStringList{"b.jpg", "folder/", "a.png"} << QString();
    QTest::newRow("a name like an option after --")
            << QStringList{"a.jpg", "--", "--help", "-v.png"} << Action::Open
            << QStringList{"a.jpg", "--help", "-v.png"} << QString();
    QTest::newRow("--help") << QStringList{"a.jpg", "--help"} << Action::ShowHelp << QStringList{"a.jpg"}
                            << QString();
    QTest::newRow("-h") << QStringList{"-h"} << Action::ShowHelp << none << QString();
    QTest::newRow("--version") << QStringList{"--version"} << Action::ShowVersion << none << QString();
    QTest::newRow("-v") << QStringList{"-v"} << Action::ShowVersion << none << QString();
    QTest::newRow("unknown option") << QStringList{"--bogus", "a.jpg"} << Action::UsageError << none
                                    << QStringLiteral("Unknown option 'bogus'");
}

void TestStartup::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(WindowArguments::Action, action);
    QFETCH(QStringList, inputs);
    QFETCH(QString, complaint);
    const WindowArguments parsed = parseWindowArguments(QStringList{"vellumo"} + arguments);
    QCOMPARE(parsed.action, action);
    QCOMPARE(parsed.inputs, inputs);
    QCOMPARE(parsed.complaint, complaint);
}

// The built program answers and ends without a window: on the offscreen
// platform, and on a terminal without a display, where a window system
// asked for would end the program with an error. Qt's own options are
// taken out before the program's are read.
void TestStartup::answersWithoutWindow_data()
{
    QTest::addColumn<bool>("display");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    // A pattern of stdout, or of stderr for a failure, where Qt may remark on
    // the session first.
    QTest::addColumn<QString>("output");
    const QString help = QStringLiteral("^Usage: \\S*vellumo \\[options\\] \\[FILE\\|FOLDER\\.\\.\\.\\]\n");
    const QString version = QStringLiteral("^vellumo \\d+\\.\\d+\\.\\d+\n$");
    for (const bool display : {true, false}) {
        const char *where = display ? "offscreen" : "no display";
        QTest::addRow("--help, %s", where) << display << QStringList{"--help"} << 0 << help;
        QTest::addRow("--version, %s", where) << display << QStringList{"--version"} << 0 << version;
    }
    QTest::newRow("Qt's option, then -v") << false << QStringList{"-platform", "offscreen", "-v"} << 0
                                          << version;
    QTest::newRow("unknown option") << true << QStringList{"--bogus"} << 2
                                    << QStringLiteral("(?m)^vellumo: Unknown option 'bogus' \\(see vellumo --help\\)$");
}

void TestStartup::answersWithoutWindow()
{
    QFETCH(bool, display);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, output);
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    if (display)
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VELLUMO_WINDOW_PATH), arguments);
    // A window that opened would keep the program running.
    QVERIFY(program.waitForFinished(5000));
    const QByteArray printed = status == 0 ? program.readAllStandardOutput() : program.readAllStandardError();
    QVERIFY2(QRegularExpression(output).match(QString::fromLocal8Bit(printed)).hasMatch(), printed.constData());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
