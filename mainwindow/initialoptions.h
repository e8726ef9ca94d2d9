#ifndef INITIALOPTIONS_H
#define INITIALOPTIONS_H

#include <QString>

// The values the options of the advanced page start from, which a language
// switch and the reset both return to.
namespace initialoptions {

constexpr int brightness = 0;
constexpr int contrast = 0;
constexpr int saturation = 100;
constexpr int rotation = 0;
constexpr int watermarkOpacity = 128;
constexpr int watermarkFontSize = 24;
constexpr int borderThickness = 10;
constexpr int gridRows = 3;
constexpr int gridCols = 3;

inline QString watermarkText()
{
    return QStringLiteral("Watermark");
}

inline QString batchPrefix()
{
    return QStringLiteral("image");
}

} // namespace initialoptions

#endif // INITIALOPTIONS_H
