#include "options.h"

#include <QColor>
#include <QCommandLineParser>
#include <QList>
#include <QPair>
#include <QRegularExpression>

namespace {

// An accepted word on the command line and the key the run record holds for it.
using Choice = QPair<QString, QString>;

const QList<Choice> formatChoices = {
    {QStringLiteral("JPG"), QStringLiteral("JPG")},
    {QStringLiteral("PNG"), QStringLiteral("PNG")},
    {QStringLiteral("BMP"), QStringLiteral("BMP")},
    {QStringLiteral("WEBP"), QStringLiteral("WEBP")},
};

const QList<Choice> filterChoices = {
    {QStringLiteral("blur"), QStringLiteral("模糊")},
    {QStringLiteral("grayscale"), QStringLiteral("灰度")},
    {QStringLiteral("vintage"), QStringLiteral("复古")},
    {QStringLiteral("edge-detection"), QStringLiteral("边缘检测")},
    {QStringLiteral("emboss"), QStringLiteral("浮雕")},
    {QStringLiteral("oil-painting"), QStringLiteral("油画")},
};

const QList<Choice> channelChoices = {
    {QStringLiteral("red"), QStringLiteral("Red")},
    {QStringLiteral("green"), QStringLiteral("Green")},
    {QStringLiteral("blue"), QStringLiteral("Blue")},
    {QStringLiteral("cyan"), QStringLiteral("Cyan")},
    {QStringLiteral("magenta"), QStringLiteral("Magenta")},
    {QStringLiteral("yellow"), QStringLiteral("Yellow")},
};

const QList<Choice> standardSizeChoices = {
    {QStringLiteral("640x480"), QStringLiteral("640x480")},
    {QStringLiteral("800x600"), QStringLiteral("800x600")},
    {QStringLiteral("1024x768"), QStringLiteral("1024x768")},
    {QStringLiteral("1280x720"), QStringLiteral("1280x720")},
    {QStringLiteral("1920x1080"), QStringLiteral("1920x1080")},
    {QStringLiteral("1080x1080"), QStringLiteral("1080x1080")},
    {QStringLiteral("1200x1200"), QStringLiteral("1200x1200")},
};

const QList<Choice> aspectRatioChoices = {
    {QStringLiteral("1:1"), QStringLiteral("1:1")},
    {QStringLiteral("4:3"), QStringLiteral("4:3")},
    {QStringLiteral("16:9"), QStringLiteral("16:9")},
    {QStringLiteral("3:2"), QStringLiteral("3:2")},
};

// The watermark positions in the order of their index.
const QStringList watermarkPositions = {
    QStringLiteral("top-left"), QStringLiteral("top-right"), QStringLiteral("bottom-left"),
    QStringLiteral("bottom-right"), QStringLiteral("center"),
};

QString words(const QList<Choice> &choices)
{
    QStringList accepted;
    for (const Choice &choice : choices)
        accepted << choice.first;
    return accepted.join(QLatin1Char(' '));
}

QList<QCommandLineOption> optionTable()
{
    auto valued = [](const QStringList &names, const QString &description,
                     const QString &valueName) {
        return QCommandLineOption(names, description, valueName);
    };
    auto flag = [](const QStringList &names, const QString &description) {
        return QCommandLineOption(names, description);
    };
    return {
        valued({"o", "output"}, "Output directory (required; created if missing).", "DIR"),
        valued({"f", "format"}, "Output format: JPG PNG BMP WEBP (default JPG).", "FMT"),
        valued({"q", "quality"}, "Encoder quality, 1..100 (default 85).", "N"),
        valued({"rename"}, "Name the outputs PREFIX_0001.ext, PREFIX_0002.ext, ...", "PREFIX"),
        valued({"width"}, "Width of the size box, 0..9999 (default 0).", "N"),
        valued({"height"}, "Height of the size box, 0..9999 (default 0); the size step "
                           "runs only when width and height are both above 0.", "N"),
        flag({"crop"}, "Crop the centre to width x height instead of resizing."),
        flag({"ignore-aspect"}, "Resize to exactly width x height."),
        valued({"standard-size"}, "Standard size: " + words(standardSizeChoices) + ".", "WxH"),
        valued({"aspect-ratio"}, "Crop to an aspect ratio: " + words(aspectRatioChoices) + ".",
               "R"),
        valued({"brightness"}, "Brightness, -100..100 (default 0).", "N"),
        valued({"contrast"}, "Contrast, -100..100 (default 0).", "N"),
        valued({"saturation"}, "Saturation in percent, 0..200 (default 100).", "N"),
        valued({"rotation"}, "Rotation in degrees clockwise, -360..360 (default 0).", "N"),
        flag({"flip-horizontal"}, "Mirror left and right."),
        flag({"flip-vertical"}, "Mirror top and bottom."),
        valued({"filter"}, "Filter: " + words(filterChoices) + ".", "NAME"),
        valued({"filter-intensity"}, "Filter intensity, 1..10 (default 5).", "N"),
        flag({"auto-enhance"}, "Stretch the tonal range automatically."),
        valued({"channel"}, "Extract one channel: " + words(channelChoices) + ".", "NAME"),
        valued({"grid"}, "Keep one cell of a grid of ROWSxCOLUMNS, 1..10 each.", "RxC"),
        valued({"watermark"}, "Draw TEXT as a watermark.", "TEXT"),
        valued({"watermark-color"}, "Watermark colour, #RRGGBB or an SVG colour name "
                                    "(default white).", "C"),
        valued({"watermark-opacity"}, "Watermark alpha, 0..255 (default 128).", "N"),
        valued({"watermark-font-size"}, "Watermark size in points, 8..72 (default 24).", "N"),
        valued({"watermark-position"}, "Watermark position: " + watermarkPositions.join(' ')
                                               + " (default top-left).", "P"),
        valued({"border"}, "Add a border N pixels thick, 1..100.", "N"),
        valued({"border-color"}, "Border colour, #RRGGBB or an SVG colour name "
                                 "(default white).", "C"),
        flag({"quiet"}, "Print nothing but failures."),
        flag({"h", "help"}, "Show this help."),
        flag({"version"}, "Show the version."),
    };
}

// Reads the values of a parsed command line; the first bad value is kept as
// the complaint and later ones are ignored.
class OptionReader
{
public:
    explicit OptionReader(const QCommandLineParser &parser) : parser(parser) {}

    bool isSet(const QString &name) const { return parser.isSet(name); }

    int number(const QString &name, int minimum, int maximum, int fallback)
    {
        if (!parser.isSet(name))
            return fallback;
        const QString text = parser.value(name);
        bool ok = false;
        const int value = text.toInt(&ok);
        if (ok && value >= minimum && value <= maximum)
            return value;
        fail(QStringLiteral("--%1 must be a whole number from %2 to %3 (got %4)")
                     .arg(name).arg(minimum).arg(maximum).arg(text));
        return fallback;
    }

    QString choice(const QString &name, const QList<Choice> &choices, const QString &fallback)
    {
        if (!parser.isSet(name))
            return fallback;
        const QString text = parser.value(name);
        for (const Choice &choice : choices) {
            if (choice.first.compare(text, Qt::CaseInsensitive) == 0)
                return choice.second;
        }
        fail(QStringLiteral("--%1 must be one of %2 (got %3)").arg(name, words(choices), text));
        return fallback;
    }

    QString text(const QString &name, const QString &fallback)
    {
        if (!parser.isSet(name))
            return fallback;
        const QString text = parser.value(name);
        if (text.isEmpty())
            fail(QStringLiteral("--%1 must be a non-empty text").arg(name));
        return text;
    }

    QColor colour(const QString &name, const QColor &fallback)
    {
        if (!parser.isSet(name))
            return fallback;
        const QString text = parser.value(name);
        static const QRegularExpression hexColour(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
        if (hexColour.match(text).hasMatch()
            || QColor::colorNames().contains(text, Qt::CaseInsensitive))
            return QColor::fromString(text);
        fail(QStringLiteral("--%1 must be #RRGGBB or an SVG colour name (got %2)").arg(name, text));
        return fallback;
    }

    void fail(const QString &message)
    {
        if (complaint.isEmpty())
            complaint = message;
    }

    QString complaint;

private:
    const QCommandLineParser &parser;
};

void readGeometry(OptionReader &reader, JobSettings &settings)
{
    settings.width = reader.number(QStringLiteral("width"), 0, 9999, settings.width);
    settings.height = reader.number(QStringLiteral("height"), 0, 9999, settings.height);
    settings.crop = reader.isSet(QStringLiteral("crop"));
    settings.keepAspectRatio = !reader.isSet(QStringLiteral("ignore-aspect"));
    settings.standardSize = reader.choice(QStringLiteral("standard-size"), standardSizeChoices,
                                          settings.standardSize);
    settings.aspectRatio = reader.choice(QStringLiteral("aspect-ratio"), aspectRatioChoices,
                                         settings.aspectRatio);
    settings.rotation = reader.number(QStringLiteral("rotation"), -360, 360, settings.rotation);
    settings.flipHorizontal = reader.isSet(QStringLiteral("flip-horizontal"));
    settings.flipVertical = reader.isSet(QStringLiteral("flip-vertical"));
}

void readTone(OptionReader &reader, JobSettings &settings)
{
    settings.brightness = reader.number(QStringLiteral("brightness"), -100, 100,
                                        settings.brightness);
    settings.contrast = reader.number(QStringLiteral("contrast"), -100, 100, settings.contrast);
    settings.saturation = reader.number(QStringLiteral("saturation"), 0, 200,
                                        settings.saturation);
    settings.filter = reader.choice(QStringLiteral("filter"), filterChoices, settings.filter);
    settings.filterIntensity = reader.number(QStringLiteral("filter-intensity"), 1, 10,
                                             settings.filterIntensity);
    settings.autoEnhanceEnabled = reader.isSet(QStringLiteral("auto-enhance"));
    settings.extractChannelEnabled = reader.isSet(QStringLiteral("channel"));
    settings.channel = reader.choice(QStringLiteral("channel"), channelChoices, settings.channel);
}

// "RxC" with both from 1 to 10.
void readGrid(OptionReader &reader, const QCommandLineParser &parser, JobSettings &settings)
{
    settings.gridSplit = parser.isSet(QStringLiteral("grid"));
    if (!settings.gridSplit)
        return;
    const QString text = parser.value(QStringLiteral("grid"));
    static const QRegularExpression grid(QStringLiteral("^(\\d{1,2})[xX](\\d{1,2})$"));
    const QRegularExpressionMatch match = grid.match(text);
    const int rows = match.hasMatch() ? match.captured(1).toInt() : 0;
    const int cols = match.hasMatch() ? match.captured(2).toInt() : 0;
    if (rows < 1 || rows > 10 || cols < 1 || cols > 10) {
        reader.fail(QStringLiteral("--grid must be ROWSxCOLUMNS with each from 1 to 10 (got %1)")
                            .arg(text));
        return;
    }
    settings.gridRows = rows;
    settings.gridCols = cols;
}

void readDecoration(OptionReader &reader, JobSettings &settings)
{
    settings.watermark = reader.isSet(QStringLiteral("watermark"));
    settings.watermarkText = reader.text(QStringLiteral("watermark"), settings.watermarkText);
    settings.watermarkColor = reader.colour(QStringLiteral("watermark-color"),
                                            settings.watermarkColor);
    settings.watermarkOpacity = reader.number(QStringLiteral("watermark-opacity"), 0, 255,
                                              settings.watermarkOpacity);
    settings.watermarkFontSize = reader.number(QStringLiteral("watermark-font-size"), 8, 72,
                                               settings.watermarkFontSize);
    QList<Choice> positions;
    for (int index = 0; index < watermarkPositions.size(); ++index)
        positions.append({watermarkPositions.at(index), QString::number(index)});
    settings.watermarkPositionIndex =
            reader.choice(QStringLiteral("watermark-position"), positions, QStringLiteral("0"))
                    .toInt();
    settings.border = reader.isSet(QStringLiteral("border"));
    settings.borderThickness = reader.number(QStringLiteral("border"), 1, 100,
                                             settings.borderThickness);
    settings.borderColor = reader.colour(QStringLiteral("border-color"), settings.borderColor);
}

void readOutput(OptionReader &reader, const QCommandLineParser &parser, JobSettings &settings)
{
    settings.format = reader.choice(QStringLiteral("format"), formatChoices, settings.format);
    settings.quality = reader.number(QStringLiteral("quality"), 1, 100, settings.quality);
    settings.batchRename = reader.isSet(QStringLiteral("rename"));
    settings.batchPrefix = reader.text(QStringLiteral("rename"), settings.batchPrefix);
    settings.outputDirectory = parser.value(QStringLiteral("output"));
    if (settings.outputDirectory.isEmpty())
        reader.fail(QStringLiteral("-o/--output DIR is required"));
    settings.imagePaths = parser.positionalArguments();
    if (settings.imagePaths.isEmpty())
        reader.fail(QStringLiteral("at least one input FILE is required"));
}

CommandLine usageError(const QString &message)
{
    CommandLine commandLine;
    commandLine.message = message + QStringLiteral(" (see vellumo-batch --help)");
    return commandLine;
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
            QStringLiteral("Runs the Vellumo chain of operations over every FILE and writes the "
                           "results into the output directory.\n"
                           "Exit status: 0 when every input was written, 1 when at least one "
                           "failed, 2 on a usage error (nothing is written)."));
    parser.addOptions(optionTable());
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Input images."),
                                 QStringLiteral("-o DIR FILE..."));
    if (!parser.parse(arguments)) {
        QString complaint = parser.errorText();
        if (complaint.endsWith(QLatin1Char('.')))
            complaint.chop(1);
        return usageError(complaint);
    }

    CommandLine commandLine;
    if (parser.isSet(QStringLiteral("help"))) {
        commandLine.action = CommandLine::Action::ShowHelp;
        commandLine.message = parser.helpText();
        return commandLine;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        commandLine.action = CommandLine::Action::ShowVersion;
        return commandLine;
    }

    OptionReader reader(parser);
    readOutput(reader, parser, commandLine.settings);
    readGeometry(reader, commandLine.settings);
    readTone(reader, commandLine.settings);
    readGrid(reader, parser, commandLine.settings);
    readDecoration(reader, commandLine.settings);
    if (!reader.complaint.isEmpty())
        return usageError(reader.complaint);
    commandLine.quiet = parser.isSet(QStringLiteral("quiet"));
    commandLine.action = CommandLine::Action::Run;
    return commandLine;
}
