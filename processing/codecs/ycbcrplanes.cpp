#include "codecs/ycbcrplanes.h"

#include <QtGlobal>

namespace ycbcr {
namespace {

// The rows of a 32-bit RGB or ARGB picture are read where they are; any
// other picture is converted by Qt a band of rows at a time, which stays in
// the cache, instead of into a whole 8-bit copy.
class ArgbRows
{
public:
    explicit ArgbRows(const QImage &image)
        : image(image),
          target(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32),
          direct(image.format() == target)
    {
    }

    // A band starts at an even row and holds an even number of rows, so
    // the rows of a pair come from one band.
    const QRgb *row(int y)
    {
        if (direct)
            return reinterpret_cast<const QRgb *>(image.constScanLine(y));
        if (band.isNull() || y < bandStart || y >= bandStart + band.height())
            convertBandAt(y);
        return reinterpret_cast<const QRgb *>(band.constScanLine(y - bandStart));
    }

private:
    static constexpr int bandRows = 16;

    void convertBandAt(int y)
    {
        bandStart = y - y % 2;
        QImage view(image.constScanLine(bandStart), image.width(), qMin(bandRows, image.height() - bandStart),
                    image.bytesPerLine(), image.format());
        view.setColorTable(image.colorTable());
        band = view.convertToFormat(target);
    }

    const QImage &image;
    const QImage::Format target;
    const bool direct;
    QImage band;
    int bandStart = 0;
};

struct Matrix
{
    int red, green, blue;
};

constexpr Matrix lumaRow{19595, 38470, 7471};
constexpr Matrix blueDifference{-11059, -21709, 32768};
constexpr Matrix redDifference{32768, -27439, -5329};

// The coefficients of a difference sum to 0, so 128 plus a half keeps the
// numerator positive and the division rounds.
uint8_t chroma(const Matrix &matrix, int red, int green, int blue, int pixels)
{
    const int scale = 65536 * pixels;
    const int value = (matrix.red * red + matrix.green * green + matrix.blue * blue + 128 * scale + scale / 2) / scale;
    return uint8_t(qMin(value, 255));
}

void lumaOf(const QRgb *in, uint8_t *out, int width)
{
    for (int x = 0; x < width; ++x)
        out[x] = uint8_t((lumaRow.red * qRed(in[x]) + lumaRow.green * qGreen(in[x]) + lumaRow.blue * qBlue(in[x])
                          + 32768) >> 16);
}

void alphaOf(const QRgb *in, uint8_t *out, int width)
{
    for (int x = 0; x < width; ++x)
        out[x] = uint8_t(qAlpha(in[x]));
}

// One row of Cb and Cr from two rows of pixels; a last row of odd height
// comes as both, which gives its own mean.
void chromaOf(const QRgb *top, const QRgb *bottom, int width, uint8_t *cb, uint8_t *cr)
{
    for (int x = 0; x < width; x += 2) {
        const int columns = qMin(2, width - x);
        int red = 0, green = 0, blue = 0;
        for (int dx = x; dx < x + columns; ++dx) {
            red += qRed(top[dx]) + qRed(bottom[dx]);
            green += qGreen(top[dx]) + qGreen(bottom[dx]);
            blue += qBlue(top[dx]) + qBlue(bottom[dx]);
        }
        cb[x / 2] = chroma(blueDifference, red, green, blue, 2 * columns);
        cr[x / 2] = chroma(redDifference, red, green, blue, 2 * columns);
    }
}

uint8_t *rowOf(const Plane &plane, int y)
{
    return plane.bits + qsizetype(y) * plane.stride;
}

} // namespace

void fromPicture(const QImage &image, const Planes420 &planes)
{
    ArgbRows rows(image);
    const int width = image.width();
    const int height = image.height();
    for (int y = 0; y < height; y += 2) {
        const int pair = qMin(2, height - y);
        const QRgb *top = rows.row(y);
        const QRgb *bottom = pair == 2 ? rows.row(y + 1) : top;
        for (int dy = 0; dy < pair; ++dy) {
            lumaOf(dy == 0 ? top : bottom, rowOf(planes.y, y + dy), width);
            if (planes.alpha.bits)
                alphaOf(dy == 0 ? top : bottom, rowOf(planes.alpha, y + dy), width);
        }
        chromaOf(top, bottom, width, rowOf(planes.cb, y / 2), rowOf(planes.cr, y / 2));
    }
}

} // namespace ycbcr
