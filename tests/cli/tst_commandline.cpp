#include "commandline.h"
#include "composition/channel.h"
#include "composition/watermark.h"
#include "filters/filter.h"
#include "geometry/size.h"
#include "run/options.h"
#include "support/optionchanges.h"
#include "tone/saturation.h"

#include <QGuiApplication>
#include <QSet>
#include <QTest>

// The command line read in process: each word reaches exactly the fields the
// tool's contract names, and no other.
class CommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void wordReachesItsFields_data();
    void wordReachesItsFields();
    void everyDeclaredWordIsTested();
    void noTwoOptionsShareAField();
    void nothingGivenMeansTheInitialValues();
    void storedChineseTextsReadAsKeys();
};

namespace {

CommandLine parse(const QStringList &options)
{
    return parseCommandLine(QStringList{"vellumo-batch", "-o", "out"} + options
                            + QStringList{"in.png"});
}

// Every word that wordReachesItsFields_data gives a row.
QSet<QString> testedWords;

void addRow(const QStringList &arguments, const FieldValues &expected)
{
    testedWords.insert(arguments.first());
    QTest::newRow(qPrintable(arguments.join(QLatin1Char(' ')))) << arguments << expected;
}

} // namespace

void CommandLineTest::wordReachesItsFields_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<FieldValues>("expected");

    addRow({"--format", "webp"}, {{"format", "WEBP"}});
    addRow({"-f", "png"}, {{"format", "PNG"}});
    addRow({"--quality", "37"}, {{"quality", 37}});
    addRow({"-q", "99"}, {{"quality", 99}});
    addRow({"--rename", "trip"}, {{"batchRename", true}, {"batchPrefix", "trip"}});
    addRow({"--width", "640"}, {{"width", 640}});
    addRow({"--height", "480"}, {{"height", 480}});
    addRow({"--crop"}, {{"crop", true}});
    addRow({"--ignore-aspect"}, {{"keepAspectRatio", false}});
    addRow({"--shrink-only"}, {{"shrinkOnly", true}});
    addRow({"--standard-size", "1280x720"}, {{"standardSize", "1280x720"}});
    addRow({"--aspect-ratio", "16:9"}, {{"aspectRatio", "16:9"}});
    addRow({"--brightness", "-37"}, {{"brightness", -37}});
    addRow({"--contrast", "41"}, {{"contrast", 41}});
    addRow({"--saturation", "150"}, {{"saturation", 150}});
    addRow({"--rotation", "-90"}, {{"rotation", -90}});
    addRow({"--flip-horizontal"}, {{"flipHorizontal", true}});
    addRow({"--flip-vertical"}, {{"flipVertical", true}});
    addRow({"--filter", "oil-painting"}, {{"filter", "oil-painting"}});
    addRow({"--filter-intensity", "9"}, {{"filterIntensity", 9}});
    addRow({"--auto-enhance"}, {{"autoEnhanceEnabled", true}});
    addRow({"--channel", "magenta"}, {{"extractChannelEnabled", true}, {"channel", "Magenta"}});
    addRow({"--grid", "2x7"}, {{"gridSplit", true}, {"gridRows", 2}, {"gridCols", 7}});
    addRow({"--watermark", "© me"}, {{"watermark", true}, {"watermarkText", "© me"}});
    addRow({"--watermark-color", "#102030"}, {{"watermarkColor", QColor(0x10, 0x20, 0x30)}});
    addRow({"--watermark-opacity", "7"}, {{"watermarkOpacity", 7}});
    addRow({"--watermark-font-size", "60"}, {{"watermarkFontSize", 60}});
    addRow({"--watermark-position", "bottom-left"}, {{"watermarkPositionIndex", 2}});
    addRow({"--border", "33"}, {{"border", true}, {"borderThickness", 33}});
    addRow({"--border-color", "navy"}, {{"borderColor", QColor(Qt::darkBlue)}});
    addRow({"--strip-metadata"}, {{"stripMetadata", true}});
    addRow({"--if-exists", "skip"}, {{"ifExists", "skip"}});
    addRow({"--jobs", "3"}, {{"jobs", 3}});
    addRow({"-j", "1"}, {{"jobs", 1}});
}

void CommandLineTest::wordReachesItsFields()
{
    QFETCH(QStringList, arguments);
    QFETCH(FieldValues, expected);

    const CommandLine commandLine = parse(arguments);
    QCOMPARE(commandLine.action, CommandLine::Action::Run);
    QCOMPARE(changedFields(commandLine.settings), expected);
}

void CommandLineTest::everyDeclaredWordIsTested()
{
    for (const OptionDeclaration *declared : optionDeclarations()) {
        const OptionDeclaration &option = *declared;
        if (option.word == OptionDeclaration::Word::None)
            continue;
        const QString word = QStringLiteral("--") + QString::fromUtf8(option.commandLine);
        QVERIFY2(testedWords.contains(word), qPrintable(word));
    }
}

// Two rows on one field would let one option write another's value.
void CommandLineTest::noTwoOptionsShareAField()
{
    QSet<QString> names;
    JobSettings marked;
    for (const OptionDeclaration *declared : optionDeclarations()) {
        const OptionDeclaration &option = *declared;
        QVERIFY2(!names.contains(QString::fromUtf8(option.name)), option.name);
        names.insert(QString::fromUtf8(option.name));
        const JobSettings before = marked;
        QVariant different;
        switch (option.type) {
        case OptionDeclaration::Type::Integer:
        case OptionDeclaration::Type::Preset:
            different = option.type == OptionDeclaration::Type::Integer || option.holdsIndex
                    ? QVariant(option.value(marked).toInt() + 1000) : QVariant(QStringLiteral("x"));
            break;
        case OptionDeclaration::Type::Flag:
            different = !option.value(marked).toBool();
            break;
        case OptionDeclaration::Type::Text:
            different = QStringLiteral("changed");
            break;
        case OptionDeclaration::Type::Colour:
            different = QColor(1, 2, 3);
            break;
        }
        option.setValue(marked, different);
        QCOMPARE(changedFields(marked).size(), changedFields(before).size() + 1);
    }
}

void CommandLineTest::nothingGivenMeansTheInitialValues()
{
    const CommandLine commandLine = parse({});
    QCOMPARE(commandLine.action, CommandLine::Action::Run);
    QCOMPARE(changedFields(commandLine.settings), FieldValues());
    QCOMPARE(commandLine.settings.imagePaths, QStringList{"in.png"});
    QCOMPARE(commandLine.settings.outputDirectory, QStringLiteral("out"));
    const JobSettings initial;
    QCOMPARE(initial.value(option::format), QStringLiteral("JPG"));
    QCOMPARE(initial.value(option::quality), 85);
    QCOMPARE(initial.value(option::keepAspectRatio), true);
    QCOMPARE(initial.value(option::saturation), 100);
    QCOMPARE(initial.value(option::filter), QStringLiteral("none"));
    QCOMPARE(initial.value(option::channel), QStringLiteral("Red"));
    QCOMPARE(initial.value(option::watermarkText), QStringLiteral("Watermark"));
    QCOMPARE(initial.value(option::ifExists), QStringLiteral("replace"));
}

// Earlier versions keyed the "off" entries and the filters by their Chinese
// texts; a record given such a key holds today's key.
void CommandLineTest::storedChineseTextsReadAsKeys()
{
    for (const OptionDeclaration *declared : optionDeclarations()) {
        const OptionDeclaration &option = *declared;
        if (option.type != OptionDeclaration::Type::Preset || option.holdsIndex)
            continue;
        for (const PresetEntry &entry : *option.presets) {
            JobSettings settings;
            option.setValue(settings, QString::fromUtf8(entry.sourceText));
            QCOMPARE(option.value(settings).toString(), QString::fromUtf8(entry.key));
        }
    }
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
