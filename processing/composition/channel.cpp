#include "pipeline/imageprocessor.h"
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

// Keeps the 8-bit channels a key names and sets the others to 0: "Red"
// (r, 0, 0), "Green" (0, g, 0), "Blue" (0, 0, b), "Cyan" (0, g, b),
// "Magenta" (r, 0, b), "Yellow" (r, g, 0), r, g, b being the channels
// pixelColor reports. Every pixel is written opaque. Keys are matched
// exactly, case included; any other name returns the source unchanged.
// Size and format are kept (palette and monochrome images come back as
// RGB32 or ARGB32). A null image gives a null image.
QImage ImageProcessor::extractChannel(const QImage &image, const QString &channelName)
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
