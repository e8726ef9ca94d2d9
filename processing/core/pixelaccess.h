#ifndef PIXELACCESS_H
#define PIXELACCESS_H

#include <QImage>
#include <QRgb>

#include <atomic>
#include <functional>
#include <thread>

// Helpers shared by the fast kernels. The kernels read and write scan lines
// of the three 32-bit formats directly and must give exactly the pixels that
// QImage::pixelColor / setPixelColor would; other formats take the general
// per-pixel path of each kernel.
namespace pixelaccess {

// Palette and monochrome images, whose pixels setPixelColor cannot write,
// become RGB32 (ARGB32 when they have an alpha channel) before any pixel
// work; every other image is returned unchanged (a shared copy).
QImage workingImage(const QImage &image);

// True for RGB32, ARGB32 and ARGB32_Premultiplied: the formats with a scan-line path.
bool hasScanLinePath(QImage::Format format);

inline int clampChannel(int value)
{
    return value < 0 ? 0 : (value > 255 ? 255 : value);
}

// A float channel truncated toward zero and clamped to 0..255. Clamping
// first gives the same value for every finite input and keeps the integer
// conversion defined for infinities; NaN gives 0.
inline int truncateToChannel(float value)
{
    return value >= 255.0f ? 255 : (value > 0.0f ? int(value) : 0);
}

// An image of the source's size, format, colour table and metadata
// (resolution, offset, colour space, texts) whose pixels are not written
// yet: for kernels that overwrite every pixel, so no pixel is copied twice.
QImage blankLike(const QImage &source);

// Gives target the resolution, offset, colour space and texts of source:
// for results of another size that still show the source's picture. A
// target that shares the source's pixels stays shared.
void copyMetadata(const QImage &source, QImage &target);

// The 8-bit red, green and blue that QImage::pixelColor reports for a stored
// pixel, with the alpha forced to 255. For premultiplied pixels this repeats
// Qt's 16-bit unpremultiplication and rounding exactly, through a table.
class PixelReader
{
public:
    explicit PixelReader(QImage::Format format);
    QRgb opaqueRgb(QRgb stored) const
    {
        if (!table || qAlpha(stored) == 255) // opaque pixels are stored as they read
            return stored | 0xff000000u;
        const unsigned alpha = qAlpha(stored);
        const unsigned char *row = table + alpha * 256;
        return qRgb(row[qRed(stored)], row[qGreen(stored)], row[qBlue(stored)]);
    }

private:
    static const unsigned char *unpremultiplyTable();
    // Looked up once here rather than per pixel: null for formats stored unpremultiplied.
    const unsigned char *table;
};

// Runs body(firstRow, endRow) over consecutive bands of [0, height), on the
// global thread pool when the image is large enough to profit; returns once
// every band is done. Bands must write disjoint rows only. On a thread inside
// a CoreShare the bands use only that thread's share of the cores.
void forEachRowBand(int height, qint64 pixelsPerRow, const std::function<void(int, int)> &body);

// The cores the calling thread's picture may keep busy: every core alone,
// its share of them inside a CoreShare; for encoders with threads of their own.
int coresForPicture();

// While it lives, the calling thread is one of picturesInFlight threads that
// each work on a picture of their own: its row bands get the cores divided
// by that number, so pictures in parallel do not crowd the cores with bands
// as well, and a picture left alone still gets every core.
class CoreShare
{
public:
    explicit CoreShare(const std::atomic<int> &picturesInFlight);
    ~CoreShare();
    CoreShare(const CoreShare &) = delete;
    CoreShare &operator=(const CoreShare &) = delete;
};

// While it lives, the pages of a fresh large image are faulted in on another
// core, ahead of the caller who fills them (a decoder writing from the top):
// the kernel's first-touch cost, about a third of decoding a 12 MP JPEG,
// then runs beside the caller instead of inside it. Only when the calling
// thread's picture has a core to spare; the pages' contents are never
// touched, so the caller may write them at the same time.
class PagesFaultedAside
{
public:
    explicit PagesFaultedAside(QImage &image);
    ~PagesFaultedAside();
    PagesFaultedAside(const PagesFaultedAside &) = delete;
    PagesFaultedAside &operator=(const PagesFaultedAside &) = delete;

private:
    std::thread toucher;
};

} // namespace pixelaccess

#endif // PIXELACCESS_H
