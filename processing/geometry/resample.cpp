#include "geometry/resample.h"

#include "core/pixelaccess.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#ifdef __SSE2__
#include <immintrin.h>
#endif

namespace {

constexpr int channels = 4;
constexpr int alphaChannel = 3; // of ARGB32 words in memory (B, G, R, A) and of RGBA64
constexpr double lanczosLobes = 3.0;

double lanczos3(double x)
{
    x = std::abs(x);
    if (x < 1e-12)
        return 1.0;
    if (x >= lanczosLobes)
        return 0.0;
    const double angle = M_PI * x;
    return lanczosLobes * std::sin(angle) * std::sin(angle / lanczosLobes) / (angle * angle);
}

// The weights of one axis: target index t reads the source indices
// first[t] .. first[t] + taps - 1 with weights[t * taps ..], padded with
// zeros so that every target reads the same number of taps. first never
// decreases with t, and the taps stay inside the source.
struct AxisWeights
{
    int taps = 0;
    std::vector<int> first;
    std::vector<float> weights;
};

AxisWeights axisWeights(int source, int target)
{
    const double scale = double(source) / target;
    const double stretch = std::max(scale, 1.0);
    const double reach = lanczosLobes * stretch;
    AxisWeights axis;
    axis.taps = std::min(source, int(std::ceil(2 * reach)) + 1);
    axis.first.resize(size_t(target));
    axis.weights.assign(size_t(target) * size_t(axis.taps), 0.0f);
    std::vector<double> window;
    for (int t = 0; t < target; ++t) {
        const double centre = (t + 0.5) * scale;
        const int low = std::max(0, int(std::floor(centre - reach - 0.5)));
        const int high = std::min(source, int(std::ceil(centre + reach - 0.5)) + 1);
        window.clear();
        double sum = 0;
        for (int s = low; s < high; ++s) {
            window.push_back(lanczos3((s + 0.5 - centre) / stretch));
            sum += window.back();
        }
        const int first = std::max(0, std::min(low, source - axis.taps));
        axis.first[size_t(t)] = first;
        float *weights = axis.weights.data() + size_t(t) * size_t(axis.taps);
        for (int s = low; s < high; ++s)
            weights[s - first] = float(window[size_t(s - low)] / sum);
    }
    return axis;
}

// One source row, its channels widened to float once in widened, filtered
// along x into columns.first.size() float pixels.
template <typename Channel>
void filterRow(const Channel *source, int sourceWidth, const AxisWeights &columns, float *widened, float *out)
{
    for (int i = 0; i < sourceWidth * channels; ++i)
        widened[i] = float(source[i]);
    const int taps = columns.taps;
    for (size_t x = 0; x < columns.first.size(); ++x) {
        const float *in = widened + size_t(columns.first[x]) * channels;
        const float *weights = columns.weights.data() + x * size_t(taps);
        float sum[channels] = {};
        for (int k = 0; k < taps; ++k) {
            const float weight = weights[k];
            for (int c = 0; c < channels; ++c)
                sum[c] += weight * in[k * channels + c];
        }
        for (int c = 0; c < channels; ++c)
            out[x * channels + c] = sum[c];
    }
}

// Rounds the float sums of a row into stored channels; a premultiplied
// colour never exceeds its alpha.
template <typename Channel>
void storeRow(const float *sums, int width, Channel *out)
{
    constexpr float top = float(std::numeric_limits<Channel>::max());
    for (int x = 0; x < width; ++x) {
        const float *pixel = sums + size_t(x) * channels;
        const float alpha = std::clamp(pixel[alphaChannel] + 0.5f, 0.0f, top);
        for (int c = 0; c < channels; ++c) {
            const float bound = c == alphaChannel ? top : float(Channel(alpha));
            out[x * channels + c] = Channel(std::clamp(pixel[c] + 0.5f, 0.0f, bound));
        }
    }
}

// The target rows firstRow .. endRow - 1. Source rows are filtered along x
// once each into a ring of rows.taps slots, as the window of rows moves
// down, and each target row sums its window of the ring along y.
template <typename Channel>
void resampleBand(const QImage &source, const AxisWeights &columns, const AxisWeights &rows, uchar *target,
                  qsizetype targetStride, int firstRow, int endRow)
{
    const int width = int(columns.first.size());
    const size_t rowFloats = size_t(width) * channels;
    std::vector<float> ring(rowFloats * size_t(rows.taps));
    std::vector<float> sums(rowFloats);
    std::vector<float> widened(size_t(source.width()) * channels);
    int filteredEnd = rows.first[size_t(firstRow)];
    for (int y = firstRow; y < endRow; ++y) {
        const int first = rows.first[size_t(y)];
        filteredEnd = std::max(filteredEnd, first);
        for (; filteredEnd < first + rows.taps; ++filteredEnd)
            filterRow(reinterpret_cast<const Channel *>(source.constScanLine(filteredEnd)), source.width(), columns,
                      widened.data(), ring.data() + size_t(filteredEnd % rows.taps) * rowFloats);
        std::fill(sums.begin(), sums.end(), 0.0f);
        const float *weights = rows.weights.data() + size_t(y) * size_t(rows.taps);
        for (int k = 0; k < rows.taps; ++k) {
            const float weight = weights[k];
            const float *in = ring.data() + size_t((first + k) % rows.taps) * rowFloats;
            for (size_t i = 0; i < rowFloats; ++i)
                sums[i] += weight * in[i];
        }
        storeRow(sums.data(), width, reinterpret_cast<Channel *>(target + y * targetStride));
    }
}

// Lanczos 3 of 8-bit pictures in fixed point, 32-bit sums throughout: the
// weights with 14 fraction bits, the sums of the first pass kept in 16 bits
// with 6 fraction bits. Rows first (each target row sums its source rows
// into one row of the source's width), then columns: for a proportional
// downscale either order costs the same, and this one needs no ring of rows
// and lets every band of target rows run on its own.
constexpr int weightBits = 14;
constexpr int betweenBits = 6;
constexpr int verticalShift = weightBits - betweenBits;
constexpr int horizontalShift = weightBits + betweenBits;
constexpr int one = 1 << weightBits;

// An axis's weights in fixed point, each target's rounded so that they sum
// to exactly one (a plain colour stays plain, an opaque picture opaque), in
// pairs of taps, each pair repeated across the eight 16-bit words of a
// vector as the multiply-add of pairs takes it; the last pair of an odd
// count has a zero weight.
constexpr int pairWords = 8;

struct FixedWeights
{
    int pairs = 0;
    // Each target's pairs take an even count of places, the last one
    // zero for an odd count, so that they can be read four taps at a time.
    int placed = 0;
    std::vector<qint16> weights;
    const qint16 *of(size_t target) const { return weights.data() + target * size_t(placed * pairWords); }
    // The most a target's sum can move by the weights' rounding, in levels
    // of 8 bits, and the largest sum of a target's weights' magnitudes.
    double roundingLevels = 0;
    double magnitude = 0;
};

FixedWeights fixedWeights(const AxisWeights &axis)
{
    FixedWeights fixed;
    fixed.pairs = (axis.taps + 1) / 2;
    fixed.placed = fixed.pairs + fixed.pairs % 2;
    fixed.weights.assign(axis.first.size() * size_t(fixed.placed * pairWords), 0);
    std::vector<int> rounded(size_t(axis.taps));
    for (size_t t = 0; t < axis.first.size(); ++t) {
        const float *weights = axis.weights.data() + t * size_t(axis.taps);
        int sum = 0;
        int largest = 0;
        for (int k = 0; k < axis.taps; ++k) {
            rounded[size_t(k)] = int(std::lround(weights[k] * one));
            sum += rounded[size_t(k)];
            if (std::abs(weights[k]) > std::abs(weights[largest]))
                largest = k;
        }
        rounded[size_t(largest)] += one - sum;
        double error = 0;
        double magnitude = 0;
        for (int k = 0; k < axis.taps; ++k) {
            error += std::abs(double(rounded[size_t(k)]) / one - double(weights[k]));
            magnitude += std::abs(double(rounded[size_t(k)]) / one);
            qint16 *pair = const_cast<qint16 *>(fixed.of(t)) + size_t(k / 2 * pairWords);
            for (int word = k % 2; word < pairWords; word += 2)
                pair[word] = qint16(std::clamp(rounded[size_t(k)], -32768, 32767));
        }
        fixed.roundingLevels = std::max(fixed.roundingLevels, 255 * error);
        fixed.magnitude = std::max(fixed.magnitude, magnitude);
    }
    return fixed;
}

// Whether fixed point gives every channel within one level of the exact
// sums: the 16-bit values between the passes must hold 255 times the row
// weights' magnitude (a source of a pixel or two has weights normalised by
// a small sum), and the rounding of the weights and between the passes must
// move a sum by less than a level (a shrink by twenty or more spreads a
// target over hundreds of weights, each rounded).
bool fixedPointHolds(const FixedWeights &columns, const FixedWeights &rows)
{
    const double betweenLevels = 0.5 / (1 << betweenBits);
    return 255 * rows.magnitude * (1 << betweenBits) < 32767 && columns.magnitude < 2
            && columns.roundingLevels + rows.roundingLevels + columns.magnitude * betweenLevels < 0.9;
}

#if defined(__SSE2__) && defined(__GNUC__)
#define VELLUMO_WIDE_ROWS
// sumRowsFixed 32 bytes at a time where the processor has AVX2 (half the
// work of the vertical pass on 16 bytes), up to the index returned. The
// lanes of AVX2 unpack and pack each half on its own, so the two halves of
// the packed sums are put back in order before they are stored.
__attribute__((target("avx2"))) int sumRowsWide(const uchar *const *rows, const qint16 *weights, int pairs,
                                                int length, qint16 *out)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i half = _mm256_set1_epi32(1 << (verticalShift - 1));
    int i = 0;
    for (; i + 32 <= length; i += 32) {
        __m256i sums[4] = {zero, zero, zero, zero};
        for (int p = 0; p < pairs; ++p) {
            const __m256i weight = _mm256_broadcastsi128_si256(
                    _mm_loadu_si128(reinterpret_cast<const __m128i *>(weights + p * pairWords)));
            const __m256i first = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(rows[2 * p] + i));
            const __m256i second = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(rows[2 * p + 1] + i));
            const __m256i low = _mm256_unpacklo_epi8(first, second);
            const __m256i high = _mm256_unpackhi_epi8(first, second);
            sums[0] = _mm256_add_epi32(sums[0], _mm256_madd_epi16(_mm256_unpacklo_epi8(low, zero), weight));
            sums[1] = _mm256_add_epi32(sums[1], _mm256_madd_epi16(_mm256_unpackhi_epi8(low, zero), weight));
            sums[2] = _mm256_add_epi32(sums[2], _mm256_madd_epi16(_mm256_unpacklo_epi8(high, zero), weight));
            sums[3] = _mm256_add_epi32(sums[3], _mm256_madd_epi16(_mm256_unpackhi_epi8(high, zero), weight));
        }
        for (__m256i &sum : sums)
            sum = _mm256_srai_epi32(_mm256_add_epi32(sum, half), verticalShift);
        const __m256i firstHalves = _mm256_packs_epi32(sums[0], sums[1]);
        const __m256i secondHalves = _mm256_packs_epi32(sums[2], sums[3]);
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(out + i),
                            _mm256_permute2x128_si256(firstHalves, secondHalves, 0x20));
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(out + i + 16),
                            _mm256_permute2x128_si256(firstHalves, secondHalves, 0x31));
    }
    return i;
}

// Asked while statics are made, which may come before libgcc has read the
// processor's features for itself.
const bool wideRows = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}();
#endif

// One target row of the vertical pass: the sum over the source rows, two at
// a time, of each 8-bit channel times its row's weight, as 16-bit values
// with betweenBits fraction bits. rows holds 2 * pairs pointers, the last
// one repeated for an odd count.
void sumRowsFixed(const uchar *const *rows, const qint16 *weights, int pairs, int length, qint16 *out)
{
    int i = 0;
#ifdef VELLUMO_WIDE_ROWS
    if (wideRows)
        i = sumRowsWide(rows, weights, pairs, length, out);
#endif
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi32(1 << (verticalShift - 1));
    for (; i + 16 <= length; i += 16) {
        __m128i sums[4] = {zero, zero, zero, zero};
        for (int p = 0; p < pairs; ++p) {
            const __m128i weight = _mm_loadu_si128(reinterpret_cast<const __m128i *>(weights + p * pairWords));
            const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i *>(rows[2 * p] + i));
            const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i *>(rows[2 * p + 1] + i));
            const __m128i low = _mm_unpacklo_epi8(first, second);
            const __m128i high = _mm_unpackhi_epi8(first, second);
            sums[0] = _mm_add_epi32(sums[0], _mm_madd_epi16(_mm_unpacklo_epi8(low, zero), weight));
            sums[1] = _mm_add_epi32(sums[1], _mm_madd_epi16(_mm_unpackhi_epi8(low, zero), weight));
            sums[2] = _mm_add_epi32(sums[2], _mm_madd_epi16(_mm_unpacklo_epi8(high, zero), weight));
            sums[3] = _mm_add_epi32(sums[3], _mm_madd_epi16(_mm_unpackhi_epi8(high, zero), weight));
        }
        for (__m128i &sum : sums)
            sum = _mm_srai_epi32(_mm_add_epi32(sum, half), verticalShift);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i), _mm_packs_epi32(sums[0], sums[1]));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i + 8), _mm_packs_epi32(sums[2], sums[3]));
    }
#endif
    for (; i < length; ++i) {
        int sum = 0;
        for (int k = 0; k < 2 * pairs; ++k)
            sum += weights[k / 2 * pairWords + k % 2] * rows[k][i];
        out[i] = qint16((sum + (1 << (verticalShift - 1))) >> verticalShift);
    }
}

#ifdef __SSE2__
// The pixel of four channel sums with horizontalShift fraction bits (a
// rounding half already added), each clamped to 8 bits; a premultiplied
// colour never exceeds its alpha.
inline quint32 storedPixel(__m128i sum)
{
    sum = _mm_srai_epi32(sum, horizontalShift);
    const __m128i levels = _mm_packs_epi32(sum, sum);
    const __m128i alpha = _mm_shufflelo_epi16(levels, _MM_SHUFFLE(3, 3, 3, 3));
    return quint32(_mm_cvtsi128_si32(_mm_packus_epi16(_mm_min_epi16(levels, alpha), levels)));
}
#endif

#ifdef VELLUMO_WIDE_ROWS
// sumColumnsFixed four taps at a time where the processor has AVX2: each
// half of a vector holds a pair of pixels and a pair of weights, and the two
// halves' sums are added at the end.
__attribute__((target("avx2"))) void sumColumnsWide(const qint16 *row, const AxisWeights &columns,
                                                    const FixedWeights &fixed, quint32 *out)
{
    const int quads = fixed.placed / 2;
    for (size_t x = 0; x < columns.first.size(); ++x) {
        const qint16 *in = row + size_t(columns.first[x]) * channels;
        const qint16 *weights = fixed.of(x);
        __m256i sum = _mm256_setzero_si256();
        for (int q = 0; q < quads; ++q) {
            const __m256i four = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(in + 4 * q * channels));
            const __m256i interleaved = _mm256_unpacklo_epi16(four, _mm256_srli_si256(four, 8));
            const __m256i weight = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(weights + 2 * q * pairWords));
            sum = _mm256_add_epi32(sum, _mm256_madd_epi16(interleaved, weight));
        }
        const __m128i halves = _mm_add_epi32(_mm256_castsi256_si128(sum), _mm256_extracti128_si256(sum, 1));
        out[x] = storedPixel(_mm_add_epi32(halves, _mm_set1_epi32(1 << (horizontalShift - 1))));
    }
}
#endif

// One target row of the horizontal pass: each target pixel sums its source
// pixels of the vertical pass's row, two at a time, into 8-bit channels; a
// premultiplied colour never exceeds its alpha. The row holds three zero
// pixels past its end for the last pairs of a target's places.
void sumColumnsFixed(const qint16 *row, const AxisWeights &columns, const FixedWeights &fixed, quint32 *out)
{
#ifdef VELLUMO_WIDE_ROWS
    if (wideRows)
        return sumColumnsWide(row, columns, fixed, out);
#endif
    const int width = int(columns.first.size());
    for (int x = 0; x < width; ++x) {
        const qint16 *in = row + size_t(columns.first[size_t(x)]) * channels;
        const qint16 *weights = fixed.of(size_t(x));
#ifdef __SSE2__
        __m128i sum = _mm_set1_epi32(1 << (horizontalShift - 1));
        for (int p = 0; p < fixed.pairs; ++p) {
            const __m128i two = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + 2 * p * channels));
            const __m128i interleaved = _mm_unpacklo_epi16(two, _mm_srli_si128(two, 8));
            const __m128i weight = _mm_loadu_si128(reinterpret_cast<const __m128i *>(weights + p * pairWords));
            sum = _mm_add_epi32(sum, _mm_madd_epi16(interleaved, weight));
        }
        out[x] = storedPixel(sum);
#else
        int sums[channels];
        for (int c = 0; c < channels; ++c) {
            sums[c] = 1 << (horizontalShift - 1);
            for (int k = 0; k < 2 * fixed.pairs; ++k)
                sums[c] += weights[k / 2 * pairWords + k % 2] * in[k * channels + c];
            sums[c] = std::clamp(sums[c] >> horizontalShift, 0, 255);
        }
        uchar *pixel = reinterpret_cast<uchar *>(out + x);
        for (int c = 0; c < channels; ++c)
            pixel[c] = uchar(std::min(sums[c], sums[alphaChannel]));
#endif
    }
}

// The target rows firstRow .. endRow - 1 of an 8-bit picture in fixed point.
void resampleBandFixed(const QImage &source, const AxisWeights &columns, const FixedWeights &fixedColumns,
                       const AxisWeights &rows, const FixedWeights &fixedRows, uchar *target, qsizetype targetStride,
                       int firstRow, int endRow)
{
    const int length = source.width() * channels;
    std::vector<qint16> between(size_t(length + 3 * channels), 0);
    std::vector<const uchar *> sourceRows(size_t(2 * fixedRows.pairs));
    for (int y = firstRow; y < endRow; ++y) {
        const int first = rows.first[size_t(y)];
        for (size_t k = 0; k < sourceRows.size(); ++k)
            sourceRows[k] = source.constScanLine(std::min(first + int(k), first + rows.taps - 1));
        sumRowsFixed(sourceRows.data(), fixedRows.of(size_t(y)), fixedRows.pairs, length, between.data());
        sumColumnsFixed(between.data(), columns, fixedColumns, reinterpret_cast<quint32 *>(target + y * targetStride));
    }
}

// The format the filters work in: four channels of 8 bits, premultiplied
// when there is alpha, or of 16 bits for pictures deeper than 8 bits.
QImage::Format filteringFormat(const QImage &image)
{
    const bool deep = image.depth() > 32 || image.format() == QImage::Format_Grayscale16;
    if (deep)
        return image.hasAlphaChannel() ? QImage::Format_RGBA64_Premultiplied : QImage::Format_RGBX64;
    return image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
}

// The source in filteringFormat. Qt 6.4 squares the alpha when it converts
// RGBA64 to RGBA64_Premultiplied, so that step is done here.
QImage filteringCopy(const QImage &image)
{
    const QImage::Format format = filteringFormat(image);
    if (format != QImage::Format_RGBA64_Premultiplied || image.format() == format)
        return image.convertToFormat(format);
    QImage deep = image.format() == QImage::Format_RGBA64 ? image.copy() : image.convertToFormat(QImage::Format_RGBA64);
    for (int y = 0; y < deep.height(); ++y) {
        auto *pixel = reinterpret_cast<quint16 *>(deep.scanLine(y));
        for (int x = 0; x < deep.width(); ++x, pixel += channels) {
            const quint32 alpha = pixel[alphaChannel];
            for (int c = 0; c < alphaChannel; ++c)
                pixel[c] = quint16((pixel[c] * alpha + 32767) / 65535);
        }
    }
    deep.reinterpretAsFormat(format);
    return deep;
}

// Qt's conversion from RGBX64 to Grayscale16 keeps about 12 bits; the
// filtered grey is in every colour channel, so red is taken as it is.
QImage deepGray(const QImage &filtered)
{
    QImage gray(filtered.size(), QImage::Format_Grayscale16);
    if (gray.isNull())
        return gray;
    for (int y = 0; y < gray.height(); ++y) {
        const auto *pixel = reinterpret_cast<const quint16 *>(filtered.constScanLine(y));
        auto *out = reinterpret_cast<quint16 *>(gray.scanLine(y));
        for (int x = 0; x < gray.width(); ++x)
            out[x] = pixel[x * channels];
    }
    return gray;
}

// The result back in the format the source came in (the working format for
// palette and monochrome sources), with the source's metadata.
QImage inSourceFormat(QImage result, const QImage &source)
{
    const QImage::Format stored = source.format();
    const bool paletted = stored == QImage::Format_Indexed8 || stored == QImage::Format_Mono
            || stored == QImage::Format_MonoLSB;
    const QImage::Format opaque = source.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    const QImage::Format format = paletted ? opaque : stored;
    if (format == QImage::Format_Grayscale16 && result.format() == QImage::Format_RGBX64)
        result = deepGray(result);
    else if (result.format() != format)
        result.convertTo(format);
    pixelaccess::copyMetadata(source, result);
    return result;
}

// Qt's raster painter with smooth transforms samples bilinearly at every
// scale, unlike QImage::scaled, which averages areas when it shrinks.
QImage resampleBilinear(const QImage &image, const QSize &size)
{
    const QImage source = filteringCopy(image);
    QImage result(size, source.format());
    if (source.isNull() || result.isNull())
        return QImage();
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), size), source);
    painter.end();
    return inSourceFormat(result, image);
}

} // namespace

QImage resampleLanczos3(const QImage &image, const QSize &size)
{
    if (image.isNull() || size.isEmpty())
        return QImage();
    const QImage source = filteringCopy(image);
    QImage result(size, source.format());
    if (source.isNull() || result.isNull())
        return QImage();
    const AxisWeights columns = axisWeights(source.width(), size.width());
    const AxisWeights rows = axisWeights(source.height(), size.height());
    const FixedWeights fixedColumns = fixedWeights(columns);
    const FixedWeights fixedRows = fixedWeights(rows);
    const bool deep = source.depth() == 64;
    const bool fixed = !deep && fixedPointHolds(fixedColumns, fixedRows);
    uchar *target = result.bits(); // taken before the bands, which write disjoint rows
    const qsizetype stride = result.bytesPerLine();
    const qint64 work = qint64(size.width()) * (columns.taps * source.height() / size.height() + rows.taps);
    pixelaccess::forEachRowBand(size.height(), work, [&](int firstRow, int endRow) {
        if (fixed)
            resampleBandFixed(source, columns, fixedColumns, rows, fixedRows, target, stride, firstRow, endRow);
        else if (deep)
            resampleBand<quint16>(source, columns, rows, target, stride, firstRow, endRow);
        else
            resampleBand<quint8>(source, columns, rows, target, stride, firstRow, endRow);
    });
    return inSourceFormat(result, image);
}

QImage resampleImage(const QImage &image, const QSize &size, const QString &filter)
{
    if (image.size() == size)
        return image;
    if (presets::lanczos3Filter.is(filter))
        return resampleLanczos3(image, size);
    if (presets::bilinearFilter.is(filter))
        return resampleBilinear(image, size);
    const bool nearest = presets::nearestFilter.is(filter);
    return image.scaled(size, Qt::IgnoreAspectRatio, nearest ? Qt::FastTransformation : Qt::SmoothTransformation);
}

namespace option {
constexpr Option<QString> resampleFilter = declare::preset("resampleFilter", presets::resampleFilters)
        .valueWord("resample", "Resampling filter of every size change", "FILTER")
        .widget("resampleComboBox");
} // namespace option
