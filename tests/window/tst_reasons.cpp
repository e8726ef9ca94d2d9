#include "batchrun.h"
#include "composition/gridcell.h"
#include "formats/imagefile.h"
#include "pipeline/chain.h"
#include "run/jobfile.h"
#include "run/reasons.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

// The run's reasons and the job files' messages, English on the command
// line, read in the window's language: every form in every catalogue, and
// the messages real failures give.
class TestReasons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void formsReadInTheirLanguage_data();
    void formsReadInTheirLanguage();
    void everyStepIsNamed();
    void failuresReadInChinese_data();
    void failuresReadInChinese();
    void foreignTextStaysAsItIs();

private:
    QStringList failureMessages();
    QTemporaryDir scratch;
};

namespace {

const QRegularExpression placeholder(QStringLiteral("%\\d"));
// A word of English (not an acronym such as JPEG, nor a #RRGGBB colour, nor
// the x of 4000x3000).
const QRegularExpression englishWord(QStringLiteral("(?=[A-Za-z]*[a-z])[A-Za-z]{2,}"));
// Values a file or the user gave, quoted, stay as they were.
const QRegularExpression quoted(QStringLiteral("\"[^\"]*\"|“[^”]*”|「[^」]*」"));

QStringList placeholdersOf(const QString &text)
{
    QStringList found;
    for (auto match = placeholder.globalMatch(text); match.hasNext();)
        found.append(match.next().captured());
    found.sort();
    return found;
}

class Language
{
public:
    explicit Language(const QString &code)
    {
        loaded = translator.load(QStringLiteral(":/translations/lang_%1.qm").arg(code));
        QCoreApplication::installTranslator(&translator);
    }
    ~Language() { QCoreApplication::removeTranslator(&translator); }
    bool loaded = false;

private:
    QTranslator translator;
};

} // namespace

void TestReasons::initTestCase()
{
    QVERIFY(scratch.isValid());
}

void TestReasons::formsReadInTheirLanguage_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("chinese");
    QTest::newRow("zh_CN") << "zh_CN" << true;
    QTest::newRow("zh_TW") << "zh_TW" << true;
    QTest::newRow("en_US") << "en_US" << false;
}

// Each form is translated, keeps its values, and in Chinese holds no
// English word beyond them.
void TestReasons::formsReadInTheirLanguage()
{
    QFETCH(QString, code);
    QFETCH(bool, chinese);
    const Language language(code);
    QVERIFY(language.loaded);
    for (const QString &form : reasons::forms()) {
        const QString said = QCoreApplication::translate(reasons::context, form.toUtf8().constData());
        QVERIFY2(!said.isEmpty(), qPrintable(form));
        QCOMPARE(placeholdersOf(said), placeholdersOf(form));
        if (chinese) {
            const QString words = QString(said).remove(placeholder).remove(quoted);
            QVERIFY2(!englishWord.match(words).hasMatch(), qPrintable(form + QLatin1String(" → ") + said));
        }
    }
}

void TestReasons::everyStepIsNamed()
{
    for (const ChainStep *step : chainSteps())
        QVERIFY2(reasons::forms().contains(QLatin1String(step->name)), step->name);
}

// What the library says of files that fail or warn, of a step that leaves
// no picture, of a run's skip and of faulty job files.
QStringList TestReasons::failureMessages()
{
    QStringList said;
    const auto loaded = [&said](const QString &path) {
        InputOutcome outcome;
        loadImage(path, outcome);
        said << outcome.reason << outcome.warnings;
    };
    const QString folder = scratch.filePath(QStringLiteral("in"));
    QDir().mkpath(folder);
    const QString damagedPng = batchrun::writeFile(folder + QStringLiteral("/d.png"), "\x89PNG\r\n\x1a\n not really");
    const QString empty = batchrun::writeFile(folder + QStringLiteral("/empty.png"), {});
    const QString svg = batchrun::writeFile(folder + QStringLiteral("/a.svg"),
                                            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4\" height=\"4\"/>");
    for (const QString &path : {damagedPng, empty, svg, folder, folder + QStringLiteral("/missing.png")})
        loaded(path);

    JobSettings grid;
    grid.set(option::gridSplit, true);
    grid.set(option::gridCols, 10);
    InputOutcome gridOutcome;
    applyChain(batchrun::testImage(4, 4), grid, gridOutcome);
    said << gridOutcome.reason;

    const QString output = scratch.filePath(QStringLiteral("out"));
    QDir().mkpath(output);
    const QString earlier = batchrun::writeImage(output + QStringLiteral("/a_processed.png"));
    BatchRecorder recorder;
    batchrun::runHere(batchrun::settingsFor({earlier}, output), recorder);
    said << recorder.skipReasons;

    const QString job = scratch.filePath(QStringLiteral("job.json"));
    for (const QByteArray &document :
         {QByteArray(R"({"vellumo-job": 1, "options": {"width": 99999}})"),
          QByteArray(R"({"vellumo-job": 2, "options": {"keep-tree": 3}})"),
          QByteArray(R"({"vellumo-job": 1, "options": {"border-color": "#12"}})"),
          QByteArray(R"({"vellumo-job": 1, "options": {"watermark": 5}})"),
          QByteArray(R"({"vellumo-job": 1, "options": {"no-such-option": 5}})"),
          QByteArray(R"({"vellumo-job": 99, "options": {}})"), QByteArray(R"({"vellumo-job": 1)"),
          QByteArray(R"({"options": {}})"), QByteArray(R"({"vellumo-job": 1, "options": 7})")}) {
        JobSettings settings;
        const jobfile::Reading reading = jobfile::read(document, job, &settings);
        said << reading.error << reading.warnings;
    }
    JobSettings unread;
    said << jobfile::load(scratch.filePath(QStringLiteral("none.json")), &unread).error;
    said.removeAll(QString());
    return said;
}

void TestReasons::failuresReadInChinese_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("zh_CN") << "zh_CN";
    QTest::newRow("zh_TW") << "zh_TW";
}

// Beyond the paths, the values a file or the user gave (quoted) and other
// software's words (in brackets at the end), no English is left.
void TestReasons::failuresReadInChinese()
{
    QFETCH(QString, code);
    const QStringList messages = failureMessages();
    QVERIFY2(messages.size() == 17, qPrintable(messages.join(QLatin1Char('\n')))); // one a case
    const Language language(code);
    QVERIFY(language.loaded);
    static const QRegularExpression path(QStringLiteral("/[^ ：，\"“”]*"));
    static const QRegularExpression detail(QStringLiteral("( \\(.*\\)|（.*）)$"));
    for (const QString &message : messages) {
        QVERIFY2(reasons::recognised(message), qPrintable(message));
        const QString said = reasons::localised(message);
        const QString words = QString(said).remove(detail).remove(quoted).remove(path);
        QVERIFY2(!englishWord.match(words).hasMatch(), qPrintable(message + QLatin1String(" → ") + said));
    }
}

void TestReasons::foreignTextStaysAsItIs()
{
    const Language language(QStringLiteral("zh_CN"));
    for (const QString &text : {QStringLiteral("libpng error: IHDR: CRC error"), QStringLiteral("/tmp/no such file"),
                                QStringLiteral("cannot read:")})
        QCOMPARE(reasons::localised(text), text);
    QCOMPARE(reasons::localised(QStringLiteral("cannot read: %1 frames")),
             QCoreApplication::translate(reasons::context, "cannot read: %1").replace(QStringLiteral("%1"), QStringLiteral("%1 frames")));
}

QTEST_MAIN(TestReasons)
#include "tst_reasons.moc"
