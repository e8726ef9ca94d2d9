#include "composition/channel.h"

#include "core/tonemapping.h"
#include "job/presets.h"

#include <optional>

// The rgb bits a channel key keeps; no value for a text that is not a key.
static std::optional<QRgb> keptChannels(const QString &channelName)
{
    static const struct {
        const PresetEntry &entry;
        QRgb mask;
    } choices[] = {{presets::red, 0xff0000},  {presets::green, 0x00ff00},   {presets::blue, 0x0000ff},
                   {presets::cyan, 0x00ffff}, {presets::magenta, 0xff00ff}, {presets::yellow, 0xffff00}};
    for (const auto &choice : choices) {
        if (choice.entry.is(channelName))
            return choice.mask;
    }
    return std::nullopt;
}

QImage extractChannel(const QImage &image, const QString &channelName)
{
    const std::optional<QRgb> kept = keptChannels(channelName);
    if (!kept)
        return image;
    const QRgb mask = *kept;
    const QImage source = pixelaccess::workingImage(image);
    const pixelaccess::PixelReader reader(source.format());
    return tonemapping::mapPixels(
        source, [&](QRgb stored) { return reader.opaqueRgb(stored) & mask; },
        [&](const QColor &colour) { return QColor(colour.rgb() & mask); });
}

namespace option {
constexpr Option<bool> extractChannelEnabled = declare::flag("extractChannelEnabled")
        .help("Keep one colour channel of the picture").widget("extractChannelCheckBox");
constexpr Option<QString> channel = declare::preset("channel", presets::channels)
        .valueWord("channel", "Extract one channel", "NAME").enables(extractChannelEnabled)
        .widget("channelComboBox").resetByLanguageSwitch();
} // namespace option

namespace {
constexpr const OptionDeclaration *channelOptions[] = {&option::extractChannelEnabled, &option::channel};
} // namespace

namespace steps {
constexpr ChainStep channel{
    "channel", channelOptions, [](const JobSettings &s) { return s.value(option::extractChannelEnabled); },
    [](const QImage &image, const JobSettings &s) {
        return extractChannel(image, s.value(option::channel));
    }};
} // namespace steps
