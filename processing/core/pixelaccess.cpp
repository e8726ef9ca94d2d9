#include "core/pixelaccess.h"

#include <QColor>
#include <QColorSpace>
#include <QRgba64>
#include <QThread>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace pixelaccess {

QImage workingImage(const QImage &image)
{
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8:
        return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                             : QImage::Format_RGB32);
    default:
        return image;
    }
}

namespace {

#ifdef __linux__
constexpr size_t hugePageBytes = 2 * 1024 * 1024;

void freePixels(void *pixels)
{
    std::free(pixels);
}

// Large results are written once from end to end; on 2 MB pages the kernel
// takes one page fault where it would take 512 on small pages, which halves
// the time of the simpler kernels. A failed allocation gives a null image.
QImage allocateImage(const QSize &size, QImage::Format format)
{
    const qsizetype bitsPerLine = qsizetype(size.width()) * QImage::toPixelFormat(format).bitsPerPixel();
    const qsizetype bytesPerLine = (bitsPerLine + 31) / 32 * 4;
    const qsizetype bytes = bytesPerLine * size.height();
    if (size.isEmpty() || bytes < qsizetype(4 * hugePageBytes) || bytesPerLine > INT_MAX)
        return QImage(size, format);
    void *pixels = nullptr;
    if (posix_memalign(&pixels, hugePageBytes, size_t(bytes)) != 0)
        return QImage();
    madvise(pixels, size_t(bytes), MADV_HUGEPAGE);
    return QImage(static_cast<uchar *>(pixels), size.width(), size.height(), bytesPerLine, format,
                  freePixels, pixels);
}
#else
QImage allocateImage(const QSize &size, QImage::Format format)
{
    return QImage(size, format);
}
#endif

} // namespace

QImage blankLike(const QImage &source)
{
    QImage result = allocateImage(source.size(), source.format());
    if (result.isNull())
        return result;
    result.setColorTable(source.colorTable());
    copyMetadata(source, result);
    return result;
}

// Only what differs is set: a setter detaches a target that shares the
// source's pixels, which would copy them for nothing.
void copyMetadata(const QImage &source, QImage &target)
{
    if (target.dotsPerMeterX() != source.dotsPerMeterX())
        target.setDotsPerMeterX(source.dotsPerMeterX());
    if (target.dotsPerMeterY() != source.dotsPerMeterY())
        target.setDotsPerMeterY(source.dotsPerMeterY());
    if (target.offset() != source.offset())
        target.setOffset(source.offset());
    if (target.colorSpace() != source.colorSpace())
        target.setColorSpace(source.colorSpace());
    for (const QString &key : source.textKeys()) {
        if (target.text(key) != source.text(key))
            target.setText(key, source.text(key));
    }
}

bool hasScanLinePath(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
        || format == QImage::Format_ARGB32_Premultiplied;
}

PixelReader::PixelReader(QImage::Format format)
    : table(format == QImage::Format_ARGB32_Premultiplied ? unpremultiplyTable() : nullptr)
{
}

// Built once from Qt's own conversion, so it is exact by construction: entry
// [alpha * 256 + value] is the 8-bit channel pixelColor reports for a
// premultiplied channel value at that alpha.
const unsigned char *PixelReader::unpremultiplyTable()
{
    static const std::vector<unsigned char> table = [] {
        std::vector<unsigned char> values(256 * 256);
        for (int alpha = 0; alpha < 256; ++alpha) {
            for (int value = 0; value < 256; ++value) {
                QRgba64 wide = QRgba64::fromArgb32(qRgba(value, 0, 0, alpha));
                values[alpha * 256 + value] =
                    static_cast<unsigned char>(QColor::fromRgba64(wide.unpremultiplied()).red());
            }
        }
        return values;
    }();
    return table.data();
}

namespace {
thread_local const std::atomic<int> *picturesSharingCores = nullptr;
} // namespace

CoreShare::CoreShare(const std::atomic<int> &picturesInFlight)
{
    picturesSharingCores = &picturesInFlight;
}

CoreShare::~CoreShare()
{
    picturesSharingCores = nullptr;
}

namespace {

int picturesOnTheCores()
{
    return picturesSharingCores ? std::max(1, picturesSharingCores->load()) : 1;
}

} // namespace

int coresForPicture()
{
    return std::max(1, QThread::idealThreadCount() / picturesOnTheCores());
}

PagesFaultedAside::PagesFaultedAside(QImage &image)
{
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    constexpr qsizetype pageBytes = 4096;
    constexpr qsizetype smallestWorthIt = 8 * 1024 * 1024;
    if (image.sizeInBytes() < smallestWorthIt || coresForPicture() < 2)
        return;
    const auto start = (reinterpret_cast<quintptr>(image.bits()) + pageBytes - 1) & ~quintptr(pageBytes - 1);
    const auto end = (reinterpret_cast<quintptr>(image.bits()) + quintptr(image.sizeInBytes()))
            & ~quintptr(pageBytes - 1);
    // A kernel without the advice refuses it; the caller then faults the pages itself.
    toucher = std::thread([start, end] {
        madvise(reinterpret_cast<void *>(start), size_t(end - start), MADV_POPULATE_WRITE);
    });
#else
    Q_UNUSED(image);
#endif
}

PagesFaultedAside::~PagesFaultedAside()
{
    if (toucher.joinable())
        toucher.join();
}

// Alone, a picture gets four bands per core to even out uneven bands. Sharing
// the cores it gets one band per core of its share: no more bands than that
// run at once, whatever the size of the pool.
void forEachRowBand(int height, qint64 pixelsPerRow, const std::function<void(int, int)> &body)
{
    const int cores = std::max(1, QThread::idealThreadCount());
    const int sharing = picturesOnTheCores();
    const int wantedBands = sharing == 1 ? cores * 4 : coresForPicture();
    const qint64 minimumBandPixels = 64 * 1024;
    int bands = int(std::min<qint64>(wantedBands, (qint64(height) * pixelsPerRow) / minimumBandPixels));
    bands = std::clamp(bands, 1, std::max(1, height));
    if (bands == 1) {
        body(0, height);
        return;
    }
    std::vector<std::pair<int, int>> ranges;
    for (int band = 0; band < bands; ++band)
        ranges.emplace_back(int(qint64(height) * band / bands), int(qint64(height) * (band + 1) / bands));
    QtConcurrent::blockingMap(ranges, [&body](const std::pair<int, int> &range) {
        body(range.first, range.second);
    });
}

} // namespace pixelaccess
