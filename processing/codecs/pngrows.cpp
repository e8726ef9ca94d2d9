#include "codecs/pngrows.h"

#include <QRgba64>

#include <cstring>
#include <algorithm>

namespace {

// PNG samples are big-endian.
inline uint16_t sample16(const uint8_t *at)
{
    return uint16_t(at[0] << 8 | at[1]);
}

void grey8(const uint8_t *samples, uchar *pixels, int width, const uint8_t *)
{
    std::copy(samples, samples + width, pixels);
}

void grey16(const uint8_t *samples, uchar *pixels, int width, const uint8_t *)
{
    auto *out = reinterpret_cast<uint16_t *>(pixels);
    for (int x = 0; x < width; ++x)
        out[x] = sample16(samples + 2 * x);
}

void greyAlpha8(const uint8_t *samples, uchar *pixels, int width, const uint8_t *)
{
    auto *out = reinterpret_cast<QRgb *>(pixels);
    for (int x = 0; x < width; ++x) {
        const uint8_t *in = samples + 2 * x;
        out[x] = qRgba(in[0], in[0], in[0], in[1]);
    }
}

void greyAlpha16(const uint8_t *samples, uchar *pixels, int width, const uint8_t *)
{
    auto *out = reinterpret_cast<QRgba64 *>(pixels);
    for (int x = 0; x < width; ++x) {
        const uint16_t grey = sample16(samples + 4 * x);
        out[x] = QRgba64::fromRgba64(grey, grey, grey, sample16(samples + 4 * x + 2));
    }
}

void rgb8(const uint8_t *samples, uchar *pixels, int width, const uint8_t *)
{
    auto *out = reinterpret_cast<QRgb *>(pixels);
    for (int x = 0; x < width; ++x) {
        const uint8_t *in = samples + 3 * x;
        out[x] = qRgb(in[0], in[1], in[2]);
    }
}

void rgb16(const uint8_t *samples, uchar *pixels, int width, const uint8_t *)
{
    auto *out = reinterpret_cast<QRgba64 *>(pixels);
    for (int x = 0; x < width; ++x) {
        const uint8_t *in = samples + 6 * x;
        out[x] = QRgba64::fromRgba64(sample16(in), sample16(in + 2), sample16(in + 4), 0xffff);
    }
}

void rgba8(const uint8_t *samples, uchar *pixels, int width, const uint8_t *)
{
    auto *out = reinterpret_cast<QRgb *>(pixels);
    for (int x = 0; x < width; ++x) {
        const uint8_t *in = samples + 4 * x;
        out[x] = qRgba(in[0], in[1], in[2], in[3]);
    }
}

void rgba16(const uint8_t *samples, uchar *pixels, int width, const uint8_t *)
{
    auto *out = reinterpret_cast<QRgba64 *>(pixels);
    for (int x = 0; x < width; ++x) {
        const uint8_t *in = samples + 8 * x;
        out[x] = QRgba64::fromRgba64(sample16(in), sample16(in + 2), sample16(in + 4), sample16(in + 6));
    }
}

// A pixel is the key's colour when its bytes are the key's: every sample
// equal at the file's own depth, 16-bit samples in all their 16 bits. The
// samples stay as they are under the transparency.
template <int bytesPerPixel>
inline bool isKey(const uint8_t *pixel, const uint8_t *key)
{
    return std::memcmp(pixel, key, bytesPerPixel) == 0;
}

void greyKeyed8(const uint8_t *samples, uchar *pixels, int width, const uint8_t *key)
{
    auto *out = reinterpret_cast<QRgb *>(pixels);
    for (int x = 0; x < width; ++x)
        out[x] = qRgba(samples[x], samples[x], samples[x], isKey<1>(samples + x, key) ? 0 : 0xff);
}

void greyKeyed16(const uint8_t *samples, uchar *pixels, int width, const uint8_t *key)
{
    auto *out = reinterpret_cast<QRgba64 *>(pixels);
    for (int x = 0; x < width; ++x) {
        const uint8_t *in = samples + 2 * x;
        const uint16_t grey = sample16(in);
        out[x] = QRgba64::fromRgba64(grey, grey, grey, isKey<2>(in, key) ? 0 : 0xffff);
    }
}

void rgbKeyed8(const uint8_t *samples, uchar *pixels, int width, const uint8_t *key)
{
    auto *out = reinterpret_cast<QRgb *>(pixels);
    for (int x = 0; x < width; ++x) {
        const uint8_t *in = samples + 3 * x;
        out[x] = qRgba(in[0], in[1], in[2], isKey<3>(in, key) ? 0 : 0xff);
    }
}

void rgbKeyed16(const uint8_t *samples, uchar *pixels, int width, const uint8_t *key)
{
    auto *out = reinterpret_cast<QRgba64 *>(pixels);
    for (int x = 0; x < width; ++x) {
        const uint8_t *in = samples + 6 * x;
        out[x] = QRgba64::fromRgba64(sample16(in), sample16(in + 2), sample16(in + 4),
                                     isKey<6>(in, key) ? 0 : 0xffff);
    }
}

// Qt's reader gives grey with alpha as colour, and no 8-bit format keeps
// colour without alpha in three bytes.
const pngrows::Layout layouts[] = {
    {0, 8, false, 1, QImage::Format_Grayscale8, grey8},
    {0, 16, false, 2, QImage::Format_Grayscale16, grey16},
    {2, 8, false, 3, QImage::Format_RGB32, rgb8},
    {2, 16, false, 6, QImage::Format_RGBX64, rgb16},
    {4, 8, false, 2, QImage::Format_ARGB32, greyAlpha8},
    {4, 16, false, 4, QImage::Format_RGBA64, greyAlpha16},
    {6, 8, false, 4, QImage::Format_ARGB32, rgba8},
    {6, 16, false, 8, QImage::Format_RGBA64, rgba16},
    {0, 8, true, 1, QImage::Format_ARGB32, greyKeyed8},
    {0, 16, true, 2, QImage::Format_RGBA64, greyKeyed16},
    {2, 8, true, 3, QImage::Format_ARGB32, rgbKeyed8},
    {2, 16, true, 6, QImage::Format_RGBA64, rgbKeyed16},
};

// The filters work on bytes, each against the byte one pixel to its left,
// so a row is undone pixel after pixel; the bytes of one pixel (at most
// eight) go side by side in the lanes of one vector, 16 bits wide so that
// sums do not overflow.
using Lanes = int16_t __attribute__((vector_size(16)));
using LaneBytes = uint8_t __attribute__((vector_size(8)));

template <int bpp>
inline Lanes load(const uint8_t *at)
{
    LaneBytes bytes{};
    std::memcpy(&bytes, at, bpp);
    return __builtin_convertvector(bytes, Lanes);
}

template <int bpp>
inline void store(uint8_t *at, Lanes lanes)
{
    const LaneBytes bytes = __builtin_convertvector(lanes & 0xff, LaneBytes);
    std::memcpy(at, &bytes, bpp);
}

inline Lanes absolute(Lanes value)
{
    return value < 0 ? -value : value;
}

template <int bpp>
void undoSub(uint8_t *row, std::size_t rowBytes)
{
    Lanes left = load<bpp>(row);
    for (std::size_t x = bpp; x < rowBytes; x += bpp) {
        left = (load<bpp>(row + x) + left) & 0xff;
        store<bpp>(row + x, left);
    }
}

void undoUp(uint8_t *row, const uint8_t *above, std::size_t rowBytes)
{
    for (std::size_t x = 0; x < rowBytes; ++x)
        row[x] = uint8_t(row[x] + above[x]);
}

template <int bpp>
void undoAverage(uint8_t *row, const uint8_t *above, std::size_t rowBytes)
{
    Lanes left = (load<bpp>(row) + (load<bpp>(above) >> 1)) & 0xff;
    store<bpp>(row, left);
    for (std::size_t x = bpp; x < rowBytes; x += bpp) {
        left = (load<bpp>(row + x) + ((left + load<bpp>(above + x)) >> 1)) & 0xff;
        store<bpp>(row + x, left);
    }
}

// The neighbour nearest to left + up - upLeft, ties going to left, then up.
inline Lanes paethPredictor(Lanes left, Lanes up, Lanes upLeft)
{
    const Lanes towardsLeft = absolute(up - upLeft);
    const Lanes towardsUp = absolute(left - upLeft);
    const Lanes towardsUpLeft = absolute(left + up - upLeft - upLeft);
    return (towardsLeft <= towardsUp && towardsLeft <= towardsUpLeft)
            ? left
            : (towardsUp <= towardsUpLeft ? up : upLeft);
}

template <int bpp>
void undoPaeth(uint8_t *row, const uint8_t *above, std::size_t rowBytes)
{
    Lanes upLeft = load<bpp>(above);
    Lanes left = (load<bpp>(row) + upLeft) & 0xff;
    store<bpp>(row, left);
    for (std::size_t x = bpp; x < rowBytes; x += bpp) {
        const Lanes up = load<bpp>(above + x);
        left = (load<bpp>(row + x) + paethPredictor(left, up, upLeft)) & 0xff;
        store<bpp>(row + x, left);
        upLeft = up;
    }
}

template <int bpp>
bool undoFilter(uint8_t filter, uint8_t *row, const uint8_t *above, std::size_t rowBytes)
{
    switch (filter) {
    case 0:
        return true;
    case 1:
        undoSub<bpp>(row, rowBytes);
        return true;
    case 2:
        undoUp(row, above, rowBytes);
        return true;
    case 3:
        undoAverage<bpp>(row, above, rowBytes);
        return true;
    case 4:
        undoPaeth<bpp>(row, above, rowBytes);
        return true;
    default:
        return false;
    }
}

} // namespace

namespace pngrows {

const Layout *layoutOf(int colorType, int bitDepth, bool keyed)
{
    for (const Layout &layout : layouts) {
        if (layout.colorType == colorType && layout.bitDepth == bitDepth && layout.keyed == keyed)
            return &layout;
    }
    return nullptr;
}

bool unfilter(uint8_t filter, uint8_t *row, const uint8_t *above, std::size_t rowBytes,
              int bytesPerPixel)
{
    switch (bytesPerPixel) {
    case 1:
        return undoFilter<1>(filter, row, above, rowBytes);
    case 2:
        return undoFilter<2>(filter, row, above, rowBytes);
    case 3:
        return undoFilter<3>(filter, row, above, rowBytes);
    case 4:
        return undoFilter<4>(filter, row, above, rowBytes);
    case 6:
        return undoFilter<6>(filter, row, above, rowBytes);
    case 8:
        return undoFilter<8>(filter, row, above, rowBytes);
    default:
        return false;
    }
}

} // namespace pngrows
