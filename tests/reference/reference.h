#ifndef REFERENCE_H
#define REFERENCE_H

#include <QColor>
#include <QImage>
#include <QString>

// Literal references of the image operations, one pixel at a time through
// QImage::pixelColor and QImage::setPixelColor, written from the text of
// each algorithm and nothing else. Slow on purpose: they are the yardstick
// the production kernels are compared with, pixel for pixel.
namespace reference {

QImage resizeImage(const QImage &image, int width, int height, bool keepAspectRatio);
QImage cropImage(const QImage &image, int width, int height);
QImage applyAspectRatio(const QImage &image, const QString &ratioName);
QImage applyStandardSize(const QImage &image, const QString &sizeName);
// Lanczos 3 to exactly size, on premultiplied colours in double precision,
// stored through setPixelColor in the format the production kernel gives.
QImage resampleLanczos3(const QImage &image, const QSize &size);
QImage rotateImage(const QImage &image, int degrees);
QImage flipImage(const QImage &image, bool horizontal, bool vertical);
// The stored picture as EXIF orientation 1..8 asks a viewer to show it.
QImage orientedAsExifSays(const QImage &stored, int orientation);

QImage adjustBrightness(const QImage &image, int delta);
QImage adjustContrast(const QImage &image, int amount);
QImage adjustSaturation(const QImage &image, int percent);
QImage autoEnhance(const QImage &image);

QImage applyFilter(const QImage &image, const QString &filterName, int intensity);
QImage applyBlur(const QImage &image, int radius);
QImage applyGrayscale(const QImage &image);
QImage applyVintage(const QImage &image);
QImage applyEdgeDetection(const QImage &image);
QImage applyEmboss(const QImage &image);
QImage applyOilPainting(const QImage &image, int radius);
QImage applySharpen(const QImage &image, int amount, int radius, int threshold);

QImage addWatermark(const QImage &image, const QString &text, const QColor &color,
                    int opacity, int fontSize, int position);
// The text at a pixel size of percent of the picture's shorter side (rounded, at least 1).
QImage addWatermarkSizedToPicture(const QImage &image, const QString &text, const QColor &color,
                                  int opacity, int percent, int position);
// The logo, as 16-bit RGBA in the picture's colour space, scaled by the
// reference Lanczos 3 to widthPercent of the picture's
// width (its height in proportion, at most the picture's), then laid over
// each pixel by source-over with its alpha times opacityPercent, in double.
QImage addLogo(const QImage &image, const QImage &logo, int widthPercent, int position,
               int marginPercent, int opacityPercent);
QImage addBorder(const QImage &image, int thickness, const QColor &color);

QImage extractChannel(const QImage &image, const QString &channelName);
QImage splitGrid(const QImage &image, int rows, int cols);

// 8-bit YCbCr 4:2:0 planes, full-range BT.601 in 16-bit fixed point, as
// Grayscale8 images: Y and alpha of the picture's size (alpha null when the
// picture has none), Cb and Cr of half its size rounded up, each sample that
// of the mean of the pixels it covers.
struct YCbCr420
{
    QImage y, cb, cr, alpha;
};
YCbCr420 ycbcr420(const QImage &image);

// The format every operation's pixel work runs on: palette and monochrome
// images (whose pixels setPixelColor cannot write) become RGB32, or ARGB32
// when they have an alpha channel; every other image is returned as it is.
QImage workingImage(const QImage &image);

} // namespace reference

#endif // REFERENCE_H
