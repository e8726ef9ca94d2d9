#include "composition/logo.h"

#include "core/pixelaccess.h"
#include "formats/imagefile.h"
#include "geometry/resample.h"
#include "job/inputoutcome.h"

#include <QColorSpace>
#include <QDateTime>
#include <QFileInfo>

#include <algorithm>
#include <mutex>

QSize logoSize(QSize logo, QSize pictureSize, const LogoPlacement &placement)
{
    qint64 width = std::max<qint64>(1, (qint64(pictureSize.width()) * placement.widthPercent + 50) / 100);
    qint64 height = std::max<qint64>(1, (qint64(logo.height()) * width * 2 + logo.width()) / (2 * logo.width()));
    if (height > pictureSize.height()) {
        height = pictureSize.height();
        width = std::max<qint64>(1, (qint64(logo.width()) * height * 2 + logo.height()) / (2 * logo.height()));
    }
    return QSize(int(width), int(height));
}

QPoint logoCorner(QSize logo, QSize pictureSize, const LogoPlacement &placement)
{
    const int shorter = std::min(pictureSize.width(), pictureSize.height());
    const int margin = int((qint64(shorter) * placement.marginPercent + 50) / 100);
    const int right = pictureSize.width() - margin - logo.width();
    const int bottom = pictureSize.height() - margin - logo.height();
    switch (placement.position) {
    case 1: return QPoint(right, margin);
    case 2: return QPoint(margin, bottom);
    case 3: return QPoint(right, bottom);
    case 4: return QPoint((pictureSize.width() - logo.width()) / 2, (pictureSize.height() - logo.height()) / 2);
    default: return QPoint(margin, margin);
    }
}

namespace {

// The logo as the picture's pixels take it: 16-bit RGBA in the picture's
// colour space, at its size on the picture.
QImage preparedLogo(const QImage &logo, const QImage &picture, const LogoPlacement &placement)
{
    QImage prepared = logo.convertToFormat(QImage::Format_RGBA64);
    const QColorSpace target = picture.colorSpace();
    if (target.isValid()) {
        if (!prepared.colorSpace().isValid())
            prepared.setColorSpace(QColorSpace::SRgb);
        if (prepared.colorSpace() != target)
            prepared.convertToColorSpace(target);
    }
    const QSize size = logoSize(logo.size(), picture.size(), placement);
    return size == prepared.size() ? prepared : resampleLanczos3(prepared, size);
}

struct Blend
{
    float red, green, blue, alpha;
};

// Source-over of a logo pixel (16-bit, unpremultiplied) with alpha times
// opacity over a picture pixel of alpha under, on channels in 0..1.
Blend over(const quint16 *logo, float opacity, const Blend &under)
{
    const float a = logo[3] / 65535.0f * opacity;
    const float kept = under.alpha * (1 - a);
    const float alpha = a + kept;
    const auto channel = [&](quint16 top, float bottom) {
        return alpha > 0 ? (top / 65535.0f * a + bottom * kept) / alpha : 0.0f;
    };
    return {channel(logo[0], under.red), channel(logo[1], under.green), channel(logo[2], under.blue), alpha};
}

int eightBits(float channel)
{
    return int(channel * 255 + 0.5f);
}

// The stored 32-bit pixels, read and written directly.
void blendScanLineRow(QRgb *row, const quint16 *logo, int pixels, float opacity, QImage::Format format)
{
    for (int x = 0; x < pixels; ++x, logo += 4) {
        QRgb pixel = row[x];
        if (format == QImage::Format_ARGB32_Premultiplied)
            pixel = qUnpremultiply(pixel);
        const float alpha = format == QImage::Format_RGB32 ? 1.0f : qAlpha(pixel) / 255.0f;
        const Blend b = over(logo, opacity, {qRed(pixel) / 255.0f, qGreen(pixel) / 255.0f, qBlue(pixel) / 255.0f, alpha});
        pixel = qRgba(eightBits(b.red), eightBits(b.green), eightBits(b.blue), eightBits(b.alpha));
        row[x] = format == QImage::Format_ARGB32_Premultiplied ? qPremultiply(pixel) : pixel;
    }
}

// A 16-bit grey picture, read and written directly: the blend's grey at 16
// bits, weighted as Qt's qGray weighs the channels, where Qt's own writing
// of a colour would keep only 8 bits of it.
void blendGrey16Row(quint16 *row, const quint16 *logo, int pixels, float opacity)
{
    const auto level = [](float channel) { return int(channel * 65535 + 0.5f); };
    for (int x = 0; x < pixels; ++x, logo += 4) {
        const float grey = row[x] / 65535.0f;
        const Blend b = over(logo, opacity, {grey, grey, grey, 1.0f});
        row[x] = quint16((level(b.red) * 11 + level(b.green) * 16 + level(b.blue) * 5) / 32);
    }
}

// Every other format, through its colours at full precision.
void blendPixelRow(QImage &picture, int y, int left, const quint16 *logo, int pixels, float opacity)
{
    const bool hasAlpha = picture.hasAlphaChannel();
    for (int x = left; x < left + pixels; ++x, logo += 4) {
        const QColor under = picture.pixelColor(x, y);
        const Blend b = over(logo, opacity, {under.redF(), under.greenF(), under.blueF(), hasAlpha ? under.alphaF() : 1.0f});
        picture.setPixelColor(x, y, QColor::fromRgbF(b.red, b.green, b.blue, b.alpha));
    }
}

} // namespace

QImage addLogo(const QImage &image, const QImage &logo, const LogoPlacement &placement)
{
    if (image.isNull() || logo.isNull() || placement.opacityPercent <= 0)
        return image;
    QImage result = pixelaccess::workingImage(image);
    const QImage placed = preparedLogo(logo, result, placement);
    const QPoint corner = logoCorner(placed.size(), result.size(), placement);
    const QRect area = QRect(corner, placed.size()) & result.rect();
    const float opacity = std::min(placement.opacityPercent, 100) / 100.0f;
    const bool scanLines = pixelaccess::hasScanLinePath(result.format());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto *row = reinterpret_cast<const quint16 *>(placed.constScanLine(y - corner.y()))
                + 4 * (area.left() - corner.x());
        if (scanLines)
            blendScanLineRow(reinterpret_cast<QRgb *>(result.scanLine(y)) + area.left(), row, area.width(), opacity,
                             result.format());
        else if (result.format() == QImage::Format_Grayscale16)
            blendGrey16Row(reinterpret_cast<quint16 *>(result.scanLine(y)) + area.left(), row, area.width(), opacity);
        else
            blendPixelRow(result, y, area.left(), row, area.width(), opacity);
    }
    return result;
}

namespace option {
constexpr Option<bool> logo =
        declare::flag("logo").help("Draw a logo picture on the picture, after the text watermark").widget("logoCheckBox");
constexpr Option<QString> logoFile = declare::text("logoFile", "")
        .valueWord("logo", "Draw the picture in FILE (PNG, WebP or any format read) as a logo.", "FILE")
        .enables(logo).widget("logoFileEdit");
constexpr Option<int> logoWidth = declare::integer("logoWidth", 20, 1, 100)
        .valueWord("logo-width", "Logo width in % of the picture's width", "PERCENT").widget("logoWidthSpinBox");
constexpr Option<int> logoPositionIndex = declare::presetIndex("logoPositionIndex", presets::watermarkPositions, 3)
        .valueWord("logo-position", "Logo position", "P").widget("logoPositionComboBox")
        .resetByLanguageSwitch();
constexpr Option<int> logoMargin = declare::integer("logoMargin", 2, 0, 25)
        .valueWord("logo-margin", "Logo margin in % of the picture's shorter side", "PERCENT")
        .widget("logoMarginSpinBox");
constexpr Option<int> logoOpacity = declare::integer("logoOpacity", 100, 0, 100)
        .valueWord("logo-opacity", "Logo opacity in %", "PERCENT").widget("logoOpacitySpinBox");
} // namespace option

namespace {

struct LoadedLogo
{
    QImage picture;
    QString problem;
};

// Every input of a run gets the same logo: it is decoded once, and again
// only when its file changes.
LoadedLogo loadedLogo(const QString &path)
{
    static std::mutex guard;
    static QString cachedPath;
    static QDateTime cachedTime;
    static qint64 cachedSize = -1;
    static LoadedLogo cached;
    const QFileInfo file(path);
    const std::lock_guard lock(guard);
    if (path != cachedPath || file.lastModified() != cachedTime || file.size() != cachedSize) {
        InputOutcome outcome;
        cached.picture = loadImage(path, outcome);
        cached.problem = outcome.failed() ? QStringLiteral("%1: %2").arg(path, outcome.reason) : QString();
        cachedPath = path;
        cachedTime = file.lastModified();
        cachedSize = file.size();
    }
    return cached;
}

bool drawsLogo(const JobSettings &s)
{
    return s.value(option::logo) && !s.value(option::logoFile).isEmpty();
}

QImage drawLogo(const QImage &image, const JobSettings &s)
{
    const LoadedLogo logo = loadedLogo(s.value(option::logoFile));
    if (logo.picture.isNull())
        return QImage();
    return addLogo(image, logo.picture,
                   {s.value(option::logoWidth), s.value(option::logoPositionIndex), s.value(option::logoMargin),
                    s.value(option::logoOpacity)});
}

constexpr const OptionDeclaration *logoOptions[] = {&option::logo,      &option::logoFile,
                                                    &option::logoWidth, &option::logoPositionIndex,
                                                    &option::logoMargin, &option::logoOpacity};

} // namespace

QString logoProblem(const JobSettings &settings)
{
    return drawsLogo(settings) ? loadedLogo(settings.value(option::logoFile)).problem : QString();
}

namespace steps {
constexpr ChainStep logo{"logo", logoOptions, drawsLogo, drawLogo,
                         [](const QImage &, const JobSettings &s) { return logoProblem(s); }};
} // namespace steps
