#ifndef IMAGEPROCESSOR_H
#define IMAGEPROCESSOR_H

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>

#include <functional>

// All image operations of a run. The class holds no data: every operation
// depends only on its arguments, never changes its source and returns a new
// image (a shared copy of the source when there is nothing to do). A null
// source gives a null result unless an operation says otherwise.
class ImageProcessor
{
public:
    ImageProcessor() {}

    // Geometry
    QImage resizeImage(const QImage &image, int width, int height, bool keepAspectRatio,
                       bool shrinkOnly = false);
    QImage cropImage(const QImage &image, int width, int height);
    QImage applyAspectRatio(const QImage &image, const QString &ratioName);
    // Whether the ratio's region of a picture of size keeps a row and a column.
    static bool aspectRatioFits(QSize size, const QString &ratioName);
    QImage applyStandardSize(const QImage &image, const QString &sizeName,
                             bool shrinkOnly = false);
    QImage rotateImage(const QImage &image, int degrees);
    QImage flipImage(const QImage &image, bool horizontal, bool vertical);

    // Tone
    QImage adjustBrightness(const QImage &image, int delta);
    QImage adjustContrast(const QImage &image, int amount);
    QImage adjustSaturation(const QImage &image, int percent);
    QImage autoEnhance(const QImage &image);

    // Filters
    QImage applyFilter(const QImage &image, const QString &filterName, int intensity);
    QImage applyBlur(const QImage &image, int radius);
    QImage applyGrayscale(const QImage &image);
    QImage applyVintage(const QImage &image);
    QImage applyEdgeDetection(const QImage &image);
    QImage applyEmboss(const QImage &image);
    QImage applyOilPainting(const QImage &image, int radius);

    // Watermark and border
    QImage addWatermark(const QImage &image, const QString &text, const QColor &color,
                        int opacity, int fontSize, int position);
    QImage addBorder(const QImage &image, int thickness, const QColor &color);

    // Channel extraction and grid split
    QImage extractChannel(const QImage &image, const QString &channelName);
    QImage splitGrid(const QImage &image, int rows, int cols);

    // A last change to the encoded file before it is written, such as the
    // source's metadata put into it.
    using EncodedFileEdit = std::function<void(QByteArray &encoded)>;

    // Writes image to path in format ("JPG", "PNG", "BMP", "WEBP") at quality
    // 1..100, with its colour profile; for JPG and BMP, which hold no alpha,
    // laid over white. The file is written to a temporary name and renamed
    // into place only once the encoder succeeded, so a failed write leaves
    // neither a truncated file nor damage to an earlier file of that name.
    // On failure returns false and, when errorString is given, stores the
    // reason there.
    bool saveImage(const QImage &image, const QString &path, const QString &format, int quality,
                   QString *errorString = nullptr, const EncodedFileEdit &edit = {});

private:
    QPoint watermarkAnchor(const QImage &image, int position);
};

#endif // IMAGEPROCESSOR_H
