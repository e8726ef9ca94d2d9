#include "commandline.h"
#include "run/options.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

// The manual and the completions of vellumo-batch as the package installs
// them (unpacked into a scratch root by package_build): every option of the
// command line is in each, and the completions offer each option's values,
// as bash, fish and zsh read the scripts.
class TestInstalledFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void manualListsEveryOption();
    void completionsOfferEveryOption();
    void completionsOfferValues_data();
    void completionsOfferValues();
    void completionsOfferValuesAfterEqualsOnly();
    void completionsOfferFilesAndFolders();

private:
    QTemporaryDir scratch; // the folder the shells complete in
};

namespace {

const QString root = QStringLiteral(VELLUMO_PACKAGE_ROOT);
const QString bashScript = root + QStringLiteral("/usr/share/bash-completion/completions/vellumo-batch");
const QString fishScript = root + QStringLiteral("/usr/share/fish/vendor_completions.d/vellumo-batch.fish");
const QString zshScript = root + QStringLiteral("/usr/share/zsh/vendor-completions/_vellumo-batch");

QStringList dashedNames(const QCommandLineOption &option)
{
    QStringList names;
    for (const QString &name : option.names())
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    return names;
}

QString run(const QString &program, const QStringList &arguments, const QString &folder = QString())
{
    QProcess process;
    process.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("MANWIDTH"), QStringLiteral("200"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        qWarning("%s %s: %s", qPrintable(program), qPrintable(arguments.join(QLatin1Char(' '))),
                 process.readAllStandardError().constData());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// What bash's completion of the installed script puts up for the line, the
// cursor at its end: the function complete -p names, run as bash runs it.
QStringList bashReplies(const QString &line, const QString &folder)
{
    const QString script = QStringLiteral(
            "source '%1'\n"
            "function=$(complete -p vellumo-batch | sed -n 's/.* -F \\([^ ]*\\) .*/\\1/p')\n"
            "COMP_LINE=$1 COMP_POINT=${#1}\n"
            "COMP_WORDS=($1); [[ $1 == *' ' ]] && COMP_WORDS+=('')\n"
            "COMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n"
            "$function\n"
            "printf '%s\\n' \"${COMPREPLY[@]}\"\n").arg(bashScript);
    QStringList replies = run(QStringLiteral("bash"), {QStringLiteral("-c"), script, QStringLiteral("bash"), line},
                              folder).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    replies.sort();
    return replies;
}

// What fish offers for the line: the first column of complete -C.
QStringList fishReplies(const QString &line, const QString &folder)
{
    QStringList replies;
    const QString script = QStringLiteral("source '%1'; complete -C'%2'").arg(fishScript, line);
    for (const QString &reply : run(QStringLiteral("fish"), {QStringLiteral("-c"), script}, folder)
                                        .split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        replies << reply.section(QLatin1Char('\t'), 0, 0);
    replies.sort();
    return replies;
}

QStringList sorted(QStringList words)
{
    words.sort();
    return words;
}

} // namespace

void TestInstalledFiles::initTestCase()
{
    QVERIFY2(QFile::exists(bashScript), "the package is unpacked by the test package_build");
    QVERIFY(scratch.isValid());
}

// Each option's names and value name head an entry of the manual, as man
// shows it.
void TestInstalledFiles::manualListsEveryOption()
{
    const QString manual = run(QStringLiteral("man"), {QStringLiteral("-l"),
                                                       root + QStringLiteral("/usr/share/man/man1/vellumo-batch.1.gz")});
    QVERIFY(manual.contains(QStringLiteral("vellumo-batch - ")));
    for (const QCommandLineOption &option : commandLineOptions()) {
        QString heading = dashedNames(option).join(QStringLiteral(", "));
        if (!option.valueName().isEmpty())
            heading += QLatin1Char(' ') + option.valueName();
        const QRegularExpression entry(QStringLiteral("\\n {7}%1(\\n| )").arg(QRegularExpression::escape(heading)));
        QVERIFY2(manual.contains(entry), qPrintable(heading));
    }
}

void TestInstalledFiles::completionsOfferEveryOption()
{
    QStringList names;
    for (const QCommandLineOption &option : commandLineOptions())
        names << dashedNames(option);
    names.sort();
    QCOMPARE(bashReplies(QStringLiteral("vellumo-batch -"), scratch.path()), names);
    QStringList longNames = names.filter(QRegularExpression(QStringLiteral("^--")));
    // fish offers an option whose value is optional with and without "=".
    for (const OptionDeclaration *option : optionDeclarations()) {
        if (option->aloneEntry)
            longNames << QStringLiteral("--%1=").arg(QLatin1String(option->commandLine));
    }
    QCOMPARE(fishReplies(QStringLiteral("vellumo-batch --"), scratch.path()), sorted(longNames));
    QFile zsh(zshScript);
    QVERIFY(zsh.open(QIODevice::ReadOnly));
    const QString zshText = QString::fromUtf8(zsh.readAll());
    for (const QString &name : std::as_const(names))
        QVERIFY2(zshText.contains(QRegularExpression(QStringLiteral("[{'(,]%1[+=\\[ }]").arg(name))), qPrintable(name));
    QCOMPARE(run(QStringLiteral("zsh"), {QStringLiteral("-n"), zshScript}), QString());
}

// Every preset list's words and the colour names, after the option's long
// and short names, and after --word= for bash.
void TestInstalledFiles::completionsOfferValues_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("words");
    for (const OptionDeclaration *option : optionDeclarations()) {
        QStringList words;
        if (option->word != OptionDeclaration::Word::Value || option->aloneEntry)
            continue;
        if (option->type == OptionDeclaration::Type::Preset)
            words = option->presets->words().split(QLatin1Char(' '));
        else if (option->type == OptionDeclaration::Type::Colour)
            words = QColor::colorNames();
        const QString longName = QStringLiteral("--") + QLatin1String(option->commandLine);
        QTest::addRow("%s", qPrintable(longName)) << QStringLiteral("vellumo-batch %1 ").arg(longName) << sorted(words);
        if (option->shortWord)
            QTest::addRow("-%s", option->shortWord)
                    << QStringLiteral("vellumo-batch -%1 ").arg(QLatin1String(option->shortWord)) << sorted(words);
    }
}

void TestInstalledFiles::completionsOfferValues()
{
    QFETCH(QString, line);
    QFETCH(QStringList, words);
    QCOMPARE(bashReplies(line, scratch.path()), words);
    QCOMPARE(fishReplies(line, scratch.path()), words);
    if (line.contains(QStringLiteral("--")))
        QCOMPARE(bashReplies(line.trimmed() + QLatin1Char('='), scratch.path()), words);
}

// An option that means something alone takes its value after "=" only; the
// word after it is an input.
void TestInstalledFiles::completionsOfferValuesAfterEqualsOnly()
{
    int checked = 0;
    for (const OptionDeclaration *option : optionDeclarations()) {
        if (!option->aloneEntry)
            continue;
        ++checked;
        const QString longName = QStringLiteral("vellumo-batch --") + QLatin1String(option->commandLine);
        const QStringList words = sorted(option->presets->words().split(QLatin1Char(' ')));
        QStringList joined;
        for (const QString &word : words)
            joined << longName.section(QLatin1Char(' '), 1) + QLatin1Char('=') + word;
        QCOMPARE(bashReplies(longName + QLatin1Char('='), scratch.path()), words);
        QCOMPARE(fishReplies(longName + QLatin1Char('='), scratch.path()), joined);
        const QString alone = QString::fromUtf8(option->aloneEntry->word);
        QVERIFY(!bashReplies(longName + QLatin1Char(' '), scratch.path()).contains(alone));
        QVERIFY(!fishReplies(longName + QLatin1Char(' '), scratch.path()).contains(alone));
    }
    QVERIFY(checked > 0);
}

// Inputs are files and folders, -o a folder, --files-from a file.
void TestInstalledFiles::completionsOfferFilesAndFolders()
{
    QVERIFY(QDir(scratch.path()).mkpath(QStringLiteral("photos")));
    QFile picture(scratch.filePath(QStringLiteral("picture.jpg")));
    QVERIFY(picture.open(QIODevice::WriteOnly));
    picture.close();
    const QStringList both = {QStringLiteral("photos"), QStringLiteral("picture.jpg")};
    QCOMPARE(bashReplies(QStringLiteral("vellumo-batch "), scratch.path()), both);
    QCOMPARE(bashReplies(QStringLiteral("vellumo-batch -o "), scratch.path()), QStringList{"photos"});
    QCOMPARE(bashReplies(QStringLiteral("vellumo-batch --files-from "), scratch.path()), both);
    QCOMPARE(bashReplies(QStringLiteral("vellumo-batch --format PNG -- "), scratch.path()), both);
    QCOMPARE(fishReplies(QStringLiteral("vellumo-batch -o "), scratch.path()), QStringList{"photos/"});
    QCOMPARE(fishReplies(QStringLiteral("vellumo-batch --files-from "), scratch.path()),
             (QStringList{"photos/", "picture.jpg"}));
}

QTEST_MAIN(TestInstalledFiles)
#include "tst_installedfiles.moc"
