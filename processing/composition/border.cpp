#include "composition/border.h"

#include "core/pixelaccess.h"

#include <QPainter>

#include <climits>

// An uninitialised canvas thickness pixels larger than inner on every side;
// null when that size cannot be represented or allocated.
static QImage borderCanvas(const QSize &inner, QImage::Format format, int thickness)
{
    const qint64 width = inner.width() + 2 * qint64(thickness);
    const qint64 height = inner.height() + 2 * qint64(thickness);
    if (width > INT_MAX || height > INT_MAX)
        return QImage();
    return QImage(int(width), int(height), format);
}

QImage addBorder(const QImage &image, int thickness, const QColor &color)
{
    if (thickness < 1)
        return image;
    const QImage source = pixelaccess::workingImage(image);
    const QImage::Format format = source.isNull() ? QImage::Format_ARGB32 : source.format();
    QImage canvas = borderCanvas(source.size(), format, thickness);
    if (canvas.isNull())
        return canvas;
    pixelaccess::copyMetadata(source, canvas);
    canvas.fill(color);
    if (!source.isNull()) {
        // Drawn at a point, never from a source rectangle: for a one-pixel
        // rectangle QPainter fills with the pixel's 8-bit colour instead of blending it.
        QPainter painter(&canvas);
        painter.drawImage(QPoint(thickness, thickness), source);
    }
    return canvas;
}

namespace option {
constexpr Option<bool> border = declare::flag("border")
        .help("Add a border around the picture").widget("borderCheckBox");
constexpr Option<int> borderThickness = declare::integer("borderThickness", 10, 1, 100)
        .valueWord("border", "Add a border N pixels thick", "N").enables(border)
        .widget("borderThicknessSpinBox").resetByLanguageSwitch().inPixels();
constexpr Option<QColor> borderColor = declare::colour("borderColor", qRgb(255, 255, 255))
        .valueWord("border-color", "Border colour", "C").widget("borderColorButton");
} // namespace option

namespace {
constexpr const OptionDeclaration *borderOptions[] = {&option::border, &option::borderThickness,
                                                      &option::borderColor};
} // namespace

namespace steps {
constexpr ChainStep border{
    "border", borderOptions, [](const JobSettings &s) { return s.value(option::border); },
    [](const QImage &image, const JobSettings &s) {
        return addBorder(image, s.value(option::borderThickness), s.value(option::borderColor));
    }};
} // namespace steps
