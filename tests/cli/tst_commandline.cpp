#include "commandline.h"
#include "differential.h"
#include "pipeline/chain.h"
#include "reference.h"
#include "run/options.h"
#include "support/optionchanges.h"

#include <QGuiApplication>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <functional>

// The command line read in process: each word reaches exactly the fields the
// tool's contract names, and no other.
class CommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void wordReachesItsFields_data();
    void wordReachesItsFields();
    void everyWordReachesItsOption();
    void aloneWordTakesNoNextArgument();
    void everyOptionDeclaredOnce();
    void presetWordsReachTheirKeysAndKernels();
    void nothingGivenMeansTheInitialValues();
    void shards_data();
    void shards();
};

namespace {

CommandLine parse(const QStringList &options)
{
    return parseCommandLine(QStringList{"vellumo-batch", "-o", "out"} + options
                            + QStringList{"in.png"});
}

// The words wordReachesItsFields_data gives a row.
QSet<QString> statedWords;

void addRow(const QStringList &arguments, const FieldValues &expected)
{
    statedWords.insert(arguments.first());
    QTest::newRow(qPrintable(arguments.join(QLatin1Char(' ')))) << arguments << expected;
}

} // namespace

void CommandLineTest::wordReachesItsFields_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<FieldValues>("expected");

    // The short words, values of another shape than the sweep below gives,
    // and the words that are not their option's name.
    addRow({"-f", "png"}, {{"format", "PNG"}});
    addRow({"-q", "99"}, {{"quality", 99}});
    addRow({"-j", "1"}, {{"jobs", 1}});
    addRow({"--rename", "trip"}, {{"batchRename", true}, {"batchPrefix", "trip"}});
    addRow({"--name", "{date}_{name}"}, {{"nameTemplate", "{date}_{name}"}});
    addRow({"--report", "run.jsonl"}, {{"reportFile", "run.jsonl"}});
    addRow({"--ignore-aspect"}, {{"keepAspectRatio", false}});
    addRow({"--auto-enhance"}, {{"autoEnhanceEnabled", true}});
    addRow({"--brightness", "-37"}, {{"brightness", -37}});
    addRow({"--grid", "2x7"}, {{"gridSplit", true}, {"gridRows", 2}, {"gridCols", 7}});
    addRow({"--watermark", "© me"}, {{"watermark", true}, {"watermarkText", "© me"}});
    addRow({"--watermark-position", "bottom-left"}, {{"watermarkPositionIndex", 2}});
    addRow({"--border", "33"}, {{"border", true}, {"borderThickness", 33}});
    addRow({"--border-color", "navy"}, {{"borderColor", QColor(Qt::darkBlue)}});
    addRow({"--watermark-size", "6"}, {{"watermarkSizeUnit", "percent"}, {"watermarkSizePercent", 6}});
    addRow({"--logo", "mark.png"}, {{"logo", true}, {"logoFile", "mark.png"}});
    addRow({"--logo-position", "top-right"}, {{"logoPositionIndex", 1}});
    addRow({"--scale", "35"}, {{"sizeMode", "scale"}, {"scalePercent", 35}});
    addRow({"--resample", "lanczos3"}, {{"resampleFilter", "lanczos3"}});
    addRow({"--sharpen", "60,3,5"}, {{"sharpenAmount", 60}, {"sharpenRadius", 3}, {"sharpenThreshold", 5}});
    addRow({"--strip-gps"}, {{"metadata", "no-location"}});
    addRow({"--strip-metadata"}, {{"metadata", "none"}});
    addRow({"--keep-dates"}, {{"keepDates", "modified"}});
    addRow({"--keep-dates=taken"}, {{"keepDates", "taken"}});
}

void CommandLineTest::wordReachesItsFields()
{
    QFETCH(QStringList, arguments);
    QFETCH(FieldValues, expected);

    const CommandLine commandLine = parse(arguments);
    QCOMPARE(commandLine.action, CommandLine::Action::Run);
    QCOMPARE(changedFields(commandLine.settings), expected);
}

// Every declared word, given a value other than the initial one, reaches
// its option and what the option switches on, and nothing else; a word
// without a row of its own is its option's name, hyphenated.
void CommandLineTest::everyWordReachesItsOption()
{
    for (const OptionDeclaration *option : optionDeclarations()) {
        if (option->word == OptionDeclaration::Word::None)
            continue;
        QString hyphenated = QStringLiteral("--");
        for (const QChar c : QString::fromUtf8(option->name))
            hyphenated += c.isUpper() ? QLatin1Char('-') + c.toLower() : QString(c);
        const QString word = QStringLiteral("--") + option->commandLine;
        QVERIFY2(statedWords.contains(word) || word == hyphenated, option->commandLine);
        const QVariant value = changedValue(*option);
        FieldValues expected{{option->name, value}};
        QStringList arguments{word};
        if (option->enables)
            expected.insert(option->enables->name, option->enablingValue());
        if (option->furtherParts) {
            QStringList numbers{value.toString()};
            for (int part = 0; part < option->furtherPartCount; ++part) {
                const OptionDeclaration &further = *option->furtherParts[part];
                expected.insert(further.name, changedValue(further));
                numbers << changedValue(further).toString();
            }
            arguments << numbers.join(QLatin1Char(option->partSeparator));
        } else if (option->word == OptionDeclaration::Word::Value) {
            arguments << (option->type == OptionDeclaration::Type::Preset ? option->presets->at(changedEntry(*option)).word
                          : option->type == OptionDeclaration::Type::Colour ? value.value<QColor>().name()
                                                                            : value.toString());
        }
        if (option->aloneEntry) // its value follows an equals sign only
            arguments = QStringList{arguments.join(QLatin1Char('='))};
        const CommandLine commandLine = parse(arguments);
        QCOMPARE(commandLine.action, CommandLine::Action::Run);
        QCOMPARE(changedFields(commandLine.settings), expected);
        QCOMPARE(commandLine.settings.imagePaths, QStringList{"in.png"});
    }
}

// A word given alone takes no value from the next argument, which stays an
// input even when it reads as one of the word's values.
void CommandLineTest::aloneWordTakesNoNextArgument()
{
    const CommandLine commandLine = parse({"--keep-dates", "taken"});
    QCOMPARE(commandLine.action, CommandLine::Action::Run);
    QCOMPARE(changedFields(commandLine.settings), (FieldValues{{"keepDates", "modified"}}));
    QCOMPARE(commandLine.settings.imagePaths, (QStringList{"taken", "in.png"}));
}

// One declaration listed twice, or two of one name, would let one option
// write another's value.
void CommandLineTest::everyOptionDeclaredOnce()
{
    QSet<QString> names;
    for (const OptionDeclaration *option : optionDeclarations())
        names.insert(QString::fromUtf8(option->name));
    QCOMPARE(names.size(), optionDeclarations().size());
}

// Every word of every preset list: the run receives the key the word names
// (the word itself, case aside; for a watermark position its place in the
// contract's list), and the step that declares the option runs that key's
// kernel, as the literal reference has it. Every entry's Chinese text, which
// earlier versions used as the key of some entries, reads as its key.
void CommandLineTest::presetWordsReachTheirKeysAndKernels()
{
    using Kernel = std::function<QImage(const QImage &, const QVariant &)>;
    const QHash<QString, Kernel> kernels = {
        {"filter", [](const QImage &i, const QVariant &key) { return reference::applyFilter(i, key.toString(), 5); }},
        {"aspectRatio", [](const QImage &i, const QVariant &key) { return reference::applyAspectRatio(i, key.toString()); }},
        {"standardSize", [](const QImage &i, const QVariant &key) { return reference::applyStandardSize(i, key.toString()); }},
        {"channel", [](const QImage &i, const QVariant &key) { return reference::extractChannel(i, key.toString()); }},
        {"watermarkPositionIndex",
         [](const QImage &i, const QVariant &index) { return reference::addWatermark(i, "W", Qt::white, 128, 24, index.toInt()); }},
        // Without a logo file the logo step draws nothing over the text.
        {"logoPositionIndex",
         [](const QImage &i, const QVariant &) { return reference::addWatermark(i, "W", Qt::white, 128, 24, 0); }},
        // A filter alone changes no size: the size step leaves the picture.
        {"resampleFilter", [](const QImage &i, const QVariant &) { return i; }},
        // Read by the run or its writers, not by a step.
        {"format", nullptr}, {"ifExists", nullptr}, {"chromaSubsampling", nullptr}, {"metadata", nullptr},
        {"keepDates", nullptr},
    };
    const QStringList positions = {"top-left", "top-right", "bottom-left", "bottom-right", "center"};
    const QImage source = differential::randomImage(QSize(48, 40), QImage::Format_RGB32, 7);
    for (const OptionDeclaration *option : optionDeclarations()) {
        // The size modes are chosen by the words of their numbers.
        if (option->type != OptionDeclaration::Type::Preset || option->word == OptionDeclaration::Word::None)
            continue;
        const ChainStep *step = nullptr;
        for (const ChainStep *declaring : chainSteps())
            step = std::find(declaring->options.begin(), declaring->options.end(), option) != declaring->options.end() ? declaring : step;
        QVERIFY2(kernels.contains(option->name) && bool(step) == bool(kernels.value(option->name)), option->name);
        for (const PresetEntry &entry : *option->presets) {
            JobSettings stored;
            option->setValue(stored, QString::fromUtf8(entry.sourceText));
            QVERIFY(option->holdsIndex || option->value(stored) == QString::fromUtf8(entry.key));
            const QString word = QString::fromUtf8(entry.word);
            if (word.isEmpty())
                continue;
            const QString given = QStringLiteral("--") + option->commandLine;
            const JobSettings settings = (option->aloneEntry ? parse({"--watermark", "W", given + QLatin1Char('=') + word})
                                                             : parse({"--watermark", "W", given, word})).settings;
            const QVariant key = option->value(settings);
            QCOMPARE(key.toString().toLower(), option->holdsIndex ? QString::number(positions.indexOf(word)) : word.toLower());
            InputOutcome outcome;
            const QString difference = step ? differential::firstDifference(applyChain(source, settings, outcome, step->name),
                                                                            kernels.value(option->name)(source, key))
                                            : QString();
            QVERIFY2(difference.isEmpty(), qPrintable(word + QLatin1String(": ") + difference));
        }
    }
}

void CommandLineTest::nothingGivenMeansTheInitialValues()
{
    const CommandLine commandLine = parse({});
    QCOMPARE(commandLine.action, CommandLine::Action::Run);
    QCOMPARE(changedFields(commandLine.settings), FieldValues());
    QCOMPARE(commandLine.settings.imagePaths, QStringList{"in.png"});
    QCOMPARE(commandLine.settings.outputDirectory, QStringLiteral("out"));
    const FieldValues contract = {{"format", "JPG"},     {"quality", 85},  {"keepAspectRatio", true},
                                  {"saturation", 100},   {"filter", "none"}, {"channel", "Red"},
                                  {"watermarkText", "Watermark"}, {"ifExists", "replace"}};
    FieldValues initial;
    for (const OptionDeclaration *option : optionDeclarations())
        initial.insert(option->name, option->value(JobSettings()));
    for (auto stated = contract.begin(); stated != contract.end(); ++stated)
        QCOMPARE(initial.value(stated.key()), stated.value());
}

void CommandLineTest::shards_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<int>("index"); // -1: a usage error
    QTest::addColumn<int>("count");

    const QStringList slurm{"SLURM_ARRAY_TASK_ID=7", "SLURM_ARRAY_TASK_MIN=5", "SLURM_ARRAY_TASK_COUNT=4"};
    QTest::newRow("none") << QStringList{} << QStringList{} << 0 << 1;
    QTest::newRow("K/N") << QStringList{"--shard", "2/5"} << QStringList{} << 2 << 5;
    QTest::newRow("K not below N") << QStringList{"--shard", "5/5"} << QStringList{} << -1 << 0;
    QTest::newRow("no N") << QStringList{"--shard", "1"} << QStringList{} << -1 << 0;
    QTest::newRow("N of 0") << QStringList{"--shard", "0/0"} << QStringList{} << -1 << 0;
    QTest::newRow("Slurm array") << QStringList{"--shard", "auto"} << slurm << 2 << 4;
    QTest::newRow("Slurm from 0") << QStringList{"--shard", "auto"}
                                  << QStringList{"SLURM_ARRAY_TASK_ID=3", "SLURM_ARRAY_TASK_COUNT=4"} << 3 << 4;
    QTest::newRow("Kubernetes") << QStringList{"--shard", "auto", "--shard-count", "6"}
                                << QStringList{"JOB_COMPLETION_INDEX=5"} << 5 << 6;
    QTest::newRow("Kubernetes without a count") << QStringList{"--shard", "auto"}
                                                << QStringList{"JOB_COMPLETION_INDEX=5"} << -1 << 0;
    QTest::newRow("Kubernetes index beyond") << QStringList{"--shard", "auto", "--shard-count", "5"}
                                             << QStringList{"JOB_COMPLETION_INDEX=5"} << -1 << 0;
    QTest::newRow("no scheduler") << QStringList{"--shard", "auto"} << QStringList{} << -1 << 0;
    QTest::newRow("count without auto") << QStringList{"--shard", "1/2", "--shard-count", "2"} << QStringList{}
                                        << -1 << 0;
    QTest::newRow("name and rename") << QStringList{"--name", "{n}", "--rename", "x"} << QStringList{} << -1 << 0;
    QTest::newRow("unsound template") << QStringList{"--name", "{size}"} << QStringList{} << -1 << 0;
}

// Which share of the job a process writes, from the command line or the
// scheduler's environment.
void CommandLineTest::shards()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(int, index);
    QFETCH(int, count);

    for (const QString &variable : environment)
        qputenv(variable.section('=', 0, 0).toUtf8(), variable.section('=', 1).toUtf8());
    const CommandLine commandLine = parse(arguments);
    for (const QString &variable : environment)
        qunsetenv(variable.section('=', 0, 0).toUtf8());
    QCOMPARE(commandLine.action, index < 0 ? CommandLine::Action::UsageError : CommandLine::Action::Run);
    if (index >= 0) {
        QCOMPARE(commandLine.settings.shardIndex, index);
        QCOMPARE(commandLine.settings.shardCount, count);
    }
}

QTEST_MAIN(CommandLineTest)
#include "tst_commandline.moc"
