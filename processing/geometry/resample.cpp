#include "geometry/resample.h"

#include "core/pixelaccess.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

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
    const bool deep = source.depth() == 64;
    uchar *target = result.bits(); // taken before the bands, which write disjoint rows
    const qsizetype stride = result.bytesPerLine();
    const qint64 work = qint64(size.width()) * (columns.taps * source.height() / size.height() + rows.taps);
    pixelaccess::forEachRowBand(size.height(), work, [&](int firstRow, int endRow) {
        if (deep)
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
