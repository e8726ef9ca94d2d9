#include "pipeline/options.h"

#include <QColor>

namespace {

using T = OptionDeclaration::Type;
using W = OptionDeclaration::Word;
using S = JobSettings;

OptionDeclaration integer(const char *name, int S::*field, int initial, int minimum, int maximum)
{
    OptionDeclaration option{name, field, T::Integer, initial};
    option.minimum = minimum;
    option.maximum = maximum;
    return option;
}

OptionDeclaration flag(const char *name, bool S::*field, bool initial = false)
{
    return {name, field, T::Flag, initial};
}

OptionDeclaration text(const char *name, QString S::*field, const char *initial)
{
    return {name, field, T::Text, QString::fromUtf8(initial)};
}

OptionDeclaration colour(const char *name, QColor S::*field, Qt::GlobalColor initial)
{
    return {name, field, T::Colour, QColor(initial)};
}

template <typename Field>
OptionDeclaration preset(const char *name, Field S::*field, const PresetList &list)
{
    OptionDeclaration option{name, field, T::Preset, QVariant()};
    option.presets = &list;
    if constexpr (std::is_same_v<Field, int>)
        option.initial = 0;
    else
        option.initial = list.key(0);
    return option;
}

// The table's rows are built in steps so that each reads as one line per fact.
struct Row
{
    OptionDeclaration option;

    Row &word(W form, const char *longWord, const char *help, const char *valueName = nullptr,
              const char *shortWord = nullptr)
    {
        option.word = form;
        option.commandLine = longWord;
        option.help = help;
        option.valueName = valueName;
        option.shortWord = shortWord;
        return *this;
    }
    Row &enables(bool S::*flagField)
    {
        option.enables = flagField;
        return *this;
    }
    Row &widget(const char *objectName)
    {
        option.widget = objectName;
        return *this;
    }
    Row &resetByLanguageSwitch()
    {
        option.resetByLanguageSwitch = true;
        return *this;
    }
    Row &byDefault(const char *description)
    {
        option.defaultText = description;
        return *this;
    }
    Row &cellPair()
    {
        option.readsCellPair = true;
        return *this;
    }
};

QList<OptionDeclaration> declare()
{
    const QList<Row> rows = {
        // Output and naming
        Row{preset("format", &S::format, presets::formats)}
                .word(W::Value, "format", "Output format", "FMT", "f").widget("formatComboBox"),
        Row{integer("quality", &S::quality, 85, 1, 100)}
                .word(W::Value, "quality", "Encoder quality", "N", "q").widget("qualitySpinBox"),
        Row{flag("stripMetadata", &S::stripMetadata)}
                .word(W::SetsFlag, "strip-metadata",
                      "Write no EXIF, XMP or IPTC (the colour profile stays).")
                .widget("stripMetadataCheckBox"),
        Row{preset("ifExists", &S::ifExists, presets::existingOutputs)}
                .word(W::Value, "if-exists", "What becomes of an output file that exists "
                      "before the run (rename writes beside it with _2, _3 ...)", "P")
                .widget("ifExistsComboBox"),
        Row{integer("jobs", &S::jobs, 0, 1, 256)}
                .word(W::Value, "jobs", "Inputs processed at once", "N", "j")
                .byDefault("the number of CPU cores"),
        Row{flag("batchRename", &S::batchRename)}.widget("batchRenameCheckBox"),
        Row{text("batchPrefix", &S::batchPrefix, "image")}
                .word(W::Value, "rename", "Name the outputs PREFIX_0001.ext, PREFIX_0002.ext, ...",
                      "PREFIX")
                .enables(&S::batchRename).widget("batchPrefixLineEdit").resetByLanguageSwitch(),
        // Geometry
        Row{integer("width", &S::width, 0, 0, 9999)}
                .word(W::Value, "width", "Width of the size box", "N").widget("widthSpinBox"),
        Row{integer("height", &S::height, 0, 0, 9999)}
                .word(W::Value, "height", "Height of the size box", "N")
                .widget("heightSpinBox"),
        Row{flag("shrinkOnly", &S::shrinkOnly)}
                .word(W::SetsFlag, "shrink-only", "Resize and standard sizes never enlarge a "
                      "picture already inside the box.")
                .widget("shrinkOnlyCheckBox"),
        Row{flag("crop", &S::crop)}
                .word(W::SetsFlag, "crop", "Crop the centre to width x height instead of resizing.")
                .widget("cropCheckBox"),
        Row{flag("keepAspectRatio", &S::keepAspectRatio, true)}
                .word(W::ClearsFlag, "ignore-aspect", "Resize to exactly width x height.")
                .widget("aspectRatioCheckBox"),
        Row{preset("standardSize", &S::standardSize, presets::standardSizes)}
                .word(W::Value, "standard-size", "Standard size", "WxH")
                .widget("standardSizeComboBox").resetByLanguageSwitch(),
        Row{preset("aspectRatio", &S::aspectRatio, presets::aspectRatios)}
                .word(W::Value, "aspect-ratio", "Crop to an aspect ratio", "R")
                .widget("aspectRatioComboBox").resetByLanguageSwitch(),
        // Tone
        Row{integer("brightness", &S::brightness, 0, -100, 100)}
                .word(W::Value, "brightness", "Brightness", "N").widget("brightnessSlider")
                .resetByLanguageSwitch(),
        Row{integer("contrast", &S::contrast, 0, -100, 100)}
                .word(W::Value, "contrast", "Contrast", "N").widget("contrastSlider")
                .resetByLanguageSwitch(),
        Row{integer("saturation", &S::saturation, 100, 0, 200)}
                .word(W::Value, "saturation", "Saturation in percent", "N")
                .widget("saturationSlider").resetByLanguageSwitch(),
        Row{integer("rotation", &S::rotation, 0, -360, 360)}
                .word(W::Value, "rotation", "Rotation in degrees clockwise", "N")
                .widget("rotationSpinBox").resetByLanguageSwitch(),
        Row{flag("flipHorizontal", &S::flipHorizontal)}
                .word(W::SetsFlag, "flip-horizontal", "Mirror left and right.")
                .widget("flipHorizontalCheckBox"),
        Row{flag("flipVertical", &S::flipVertical)}
                .word(W::SetsFlag, "flip-vertical", "Mirror top and bottom.")
                .widget("flipVerticalCheckBox"),
        // Filter
        Row{preset("filter", &S::filter, presets::filters)}
                .word(W::Value, "filter", "Filter", "NAME").widget("filterComboBox"),
        Row{integer("filterIntensity", &S::filterIntensity, 5, 1, 10)}
                .word(W::Value, "filter-intensity", "Filter intensity", "N")
                .widget("filterIntensitySpinBox"),
        Row{flag("autoEnhanceEnabled", &S::autoEnhanceEnabled)}
                .word(W::SetsFlag, "auto-enhance",
                      "Raise brightness by 10, then contrast by 15, and make the picture opaque.")
                .widget("autoEnhanceCheckBox"),
        Row{flag("extractChannelEnabled", &S::extractChannelEnabled)}
                .widget("extractChannelCheckBox"),
        Row{preset("channel", &S::channel, presets::channels)}
                .word(W::Value, "channel", "Extract one channel", "NAME")
                .enables(&S::extractChannelEnabled).widget("channelComboBox")
                .resetByLanguageSwitch(),
        Row{flag("gridSplit", &S::gridSplit)}.widget("gridSplitCheckBox"),
        Row{integer("gridRows", &S::gridRows, 3, 1, 10)}
                .word(W::Value, "grid", "Keep the middle cell of a grid of ROWSxCOLUMNS", "RxC")
                .enables(&S::gridSplit).cellPair().widget("gridRowsSpinBox")
                .resetByLanguageSwitch(),
        Row{integer("gridCols", &S::gridCols, 3, 1, 10)}.widget("gridColsSpinBox")
                .resetByLanguageSwitch(),
        // Decoration
        Row{flag("watermark", &S::watermark)}.widget("watermarkCheckBox"),
        Row{text("watermarkText", &S::watermarkText, "Watermark")}
                .word(W::Value, "watermark", "Draw TEXT as a watermark.", "TEXT")
                .enables(&S::watermark).widget("watermarkTextEdit").resetByLanguageSwitch(),
        Row{colour("watermarkColor", &S::watermarkColor, Qt::white)}
                .word(W::Value, "watermark-color", "Watermark colour", "C")
                .widget("watermarkColorButton"),
        Row{integer("watermarkOpacity", &S::watermarkOpacity, 128, 0, 255)}
                .word(W::Value, "watermark-opacity", "Watermark alpha", "N")
                .widget("watermarkOpacitySlider").resetByLanguageSwitch(),
        Row{integer("watermarkFontSize", &S::watermarkFontSize, 24, 8, 72)}
                .word(W::Value, "watermark-font-size", "Watermark size in points", "N")
                .widget("watermarkFontSizeSpinBox").resetByLanguageSwitch(),
        Row{preset("watermarkPositionIndex", &S::watermarkPositionIndex,
                   presets::watermarkPositions)}
                .word(W::Value, "watermark-position", "Watermark position", "P")
                .widget("watermarkPositionComboBox").resetByLanguageSwitch(),
        Row{flag("border", &S::border)}.widget("borderCheckBox"),
        Row{integer("borderThickness", &S::borderThickness, 10, 1, 100)}
                .word(W::Value, "border", "Add a border N pixels thick", "N")
                .enables(&S::border).widget("borderThicknessSpinBox").resetByLanguageSwitch(),
        Row{colour("borderColor", &S::borderColor, Qt::white)}
                .word(W::Value, "border-color", "Border colour", "C")
                .widget("borderColorButton"),
    };
    QList<OptionDeclaration> options;
    for (const Row &row : rows)
        options.append(row.option);
    return options;
}

QString defaultValueText(const OptionDeclaration &option)
{
    if (option.defaultText)
        return QString::fromUtf8(option.defaultText);
    switch (option.type) {
    case T::Integer:
        return QString::number(option.initial.toInt());
    case T::Colour:
        return option.initial.value<QColor>() == QColor(Qt::white) ? QStringLiteral("white")
                                                                  : option.initial.value<QColor>().name();
    case T::Preset: {
        const PresetEntry &first = option.presets->at(0);
        return first.word ? QString::fromUtf8(first.word) : QStringLiteral("none");
    }
    case T::Flag:
    case T::Text:
        break;
    }
    return option.initial.toString();
}

} // namespace

QVariant OptionDeclaration::value(const JobSettings &settings) const
{
    return std::visit([&settings](auto member) { return QVariant::fromValue(settings.*member); },
                      field);
}

// A preset key stored by an earlier version reads as today's key.
void OptionDeclaration::setValue(JobSettings &settings, const QVariant &value) const
{
    std::visit(
            [this, &settings, &value](auto member) {
                using Value = std::decay_t<decltype(settings.*member)>;
                if constexpr (std::is_same_v<Value, QString>)
                    settings.*member = presets ? presets->currentKey(value.toString()) : value.toString();
                else
                    settings.*member = value.value<Value>();
            },
            field);
}

QString OptionDeclaration::helpText() const
{
    QString text = QString::fromUtf8(help);
    if (word == Word::SetsFlag || word == Word::ClearsFlag)
        return text;
    // An option that switches its step on has no default: the step is off.
    const QString byDefault =
            enables ? QString() : QStringLiteral(" (default %1)").arg(defaultValueText(*this));
    switch (type) {
    case Type::Integer:
        if (readsCellPair)
            return text + QStringLiteral(", %1..%2 each.").arg(minimum).arg(maximum);
        return text + QStringLiteral(", %1..%2%3.").arg(minimum).arg(maximum).arg(byDefault);
    case Type::Preset:
        return text + QStringLiteral(": %1%2.").arg(presets->words(), byDefault);
    case Type::Colour:
        return text + QStringLiteral(", #RRGGBB or an SVG colour name%1.").arg(byDefault);
    case Type::Text:
    case Type::Flag:
        break;
    }
    return text;
}

const QList<OptionDeclaration> &optionDeclarations()
{
    static const QList<OptionDeclaration> options = declare();
    return options;
}

const OptionDeclaration *findOption(const char *name)
{
    for (const OptionDeclaration &option : optionDeclarations()) {
        if (qstrcmp(option.name, name) == 0)
            return &option;
    }
    return nullptr;
}

void applyInitialValues(JobSettings &settings)
{
    for (const OptionDeclaration &option : optionDeclarations())
        option.setValue(settings, option.initial);
}

JobSettings::JobSettings()
{
    applyInitialValues(*this);
}
