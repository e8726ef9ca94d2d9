#include "stylesheet.h"
#include "window/windowtestsupport.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

// The style sheet step of start-up: what it applies, what it logs and the
// box it leaves for the user.
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

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
