#include "tone/hsvarithmetic.h"

#include <climits>

// Everything below is free of branches (selections by comparison and by
// bit masks) so that the compiler vectorises the colour loop; random colours
// would mispredict every branch on which channel is largest or which sixth of
// the hue circle a colour lies in. Each float operation is the one QColor
// performs, in the same order, so the results are bit for bit Qt's.
namespace hsvarithmetic {

namespace {

inline float maxOf(float a, float b) { return a < b ? b : a; }
inline float minOf(float a, float b) { return a < b ? a : b; }
inline float absOf(float a) { return __builtin_fabsf(a); }

// qFuzzyIsNull and qFuzzyCompare for floats.
inline bool fuzzyIsNull(float value) { return absOf(value) <= 0.00001f; }
inline bool fuzzyCompare(float a, float b) { return absOf(a - b) * 100000.f <= minOf(absOf(a), absOf(b)); }

// qRound for the non-negative values met here.
inline int roundHalfUp(float value) { return int(value + 0.5f); }

// 16 bits to 8 with rounding, as QColor and QRgba64 do it.
inline int divideBy257(int value)
{
    const int rounded = value + 128;
    return (rounded - (rounded >> 8)) >> 8;
}

inline int to8Bits(float unit) { return divideBy257(roundHalfUp(unit * USHRT_MAX)); }

inline int choose(bool condition, int chosen, int other) { return other ^ ((chosen ^ other) & -int(condition)); }

inline float unitChannel(quint16 channel) { return float(channel) / float(USHRT_MAX); }

} // namespace

// Twice the vector width where the processor has AVX2; same values.
#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target_clones("avx2", "default")))
#endif
void saturateColours(const quint16 *red16, const quint16 *green16, const quint16 *blue16, int count,
                     float factor, QRgb *out)
{
    for (int i = 0; i < count; ++i) {
        // getHsv: value, saturation and hue, the hue in hundredths of a degree
        // truncated to whole degrees; no hue (−1) when the colour is gray.
        const float red = unitChannel(red16[i]);
        const float green = unitChannel(green16[i]);
        const float blue = unitChannel(blue16[i]);
        const float max = maxOf(maxOf(red, green), blue);
        const float min = minOf(minOf(red, green), blue);
        const float delta = max - min;
        const bool achromatic = fuzzyIsNull(delta);
        const int value = divideBy257(roundHalfUp(max * USHRT_MAX));
        const int saturation = divideBy257(roundHalfUp((delta / (achromatic ? 1.0f : max)) * USHRT_MAX));
        const bool redIsMax = fuzzyCompare(red, max);
        const bool greenIsMax = !redIsMax & fuzzyCompare(green, max);
        const float difference = redIsMax ? green - blue : (greenIsMax ? blue - red : red - green);
        const float offset = redIsMax ? 0.0f : (greenIsMax ? 2.0f : 4.0f);
        float hue = (offset + difference / (achromatic ? 1.0f : delta)) * 60.0f;
        hue += 360.0f * float(hue < 0.0f);
        // Truncating division by 100 of a whole number up to 36000 is exact in floats.
        const int degrees = int(float(roundHalfUp(hue * 100.0f)) / 100.0f);

        // The new saturation; setHsv keeps hue 0..359 (360 wraps to 0).
        const float scaled = float(saturation) * factor;
        const int newSaturation = int(minOf(maxOf(scaled, 0.0f), 255.0f));
        const bool gray = achromatic | (newSaturation == 0);
        const int wrapped = choose(degrees >= 360, degrees - 360, degrees);

        // QColor::toRgb from HSV, then 16 bits to 8 as setPixelColor stores it.
        const float sixths = float(wrapped * 100) / 6000.0f;
        const float s = float(newSaturation * 0x101) / float(USHRT_MAX);
        const float v = float(value * 0x101) / float(USHRT_MAX);
        const int sector = int(sixths);
        const float fraction = sixths - float(sector);
        const int top = to8Bits(v);
        const int low = to8Bits(v * (1.0f - s));
        const int falling = to8Bits(v * (1.0f - (s * fraction)));
        const int rising = to8Bits(v * (1.0f - (s * (1.0f - fraction))));
        const bool s0 = sector == 0, s1 = sector == 1, s2 = sector == 2;
        const bool s3 = sector == 3, s4 = sector == 4, s5 = sector == 5;
        const int r = choose(s0 | s5, top, choose(s1, falling, choose(s4, rising, low)));
        const int g = choose(s1 | s2, top, choose(s0, rising, choose(s3, falling, low)));
        const int b = choose(s3 | s4, top, choose(s2, rising, choose(s5, falling, low)));
        out[i] = qRgb(choose(gray, value, r), choose(gray, value, g), choose(gray, value, b));
    }
}

} // namespace hsvarithmetic
