#include "composition/watermark.h"

#include "core/pixelaccess.h"
#include "formats/datetaken.h"
#include "formats/photocredits.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace {

constexpr int watermarkMargin = 20;

// The watermark is one line: a CR LF pair and every other line break become one space each.
QString singleLine(const QString &text)
{
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar lineBreak : {QChar(u'\n'), QChar(u'\r'), QChar(QChar::LineSeparator), QChar(QChar::ParagraphSeparator)})
        line.replace(lineBreak, QLatin1Char(' '));
    return line;
}

// Where the baseline starts so that the measured text sits at the anchor:
// right anchors (1, 3) end the text there, bottom anchors (2, 3) put its
// descent there, top anchors its ascent, and the centre (4) centres the
// text's box on it.
QPoint baselineStart(const QPoint &anchor, int position, const QFontMetrics &metrics, const QString &line)
{
    const int width = metrics.horizontalAdvance(line);
    QPoint start = anchor;
    if (position == 1 || position == 3)
        start.rx() -= width;
    else if (position == 4)
        start.rx() -= width / 2;
    if (position == 2 || position == 3)
        start.ry() -= metrics.descent();
    else if (position == 4)
        start.ry() += (metrics.ascent() - metrics.descent()) / 2;
    else
        start.ry() += metrics.ascent();
    return start;
}

// Paints line on image in font, placed for position around anchor; the
// painter has ended when this returns.
void drawLine(QImage &image, const QString &line, const QColor &pen, const QFont &font, int position,
              const QPoint &anchor)
{
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(pen);
    painter.drawText(baselineStart(anchor, position, painter.fontMetrics(), line), line);
}

// The reference point of each position, 20 pixels in from the edges it is
// named after: 0 top left, 1 top right, 2 bottom left, 3 bottom right, 4 the
// centre (W / 2, H / 2); any other index is top left.
QPoint watermarkAnchor(const QImage &image, int position)
{
    const int right = image.width() - watermarkMargin;
    const int bottom = image.height() - watermarkMargin;
    switch (position) {
    case 1: return QPoint(right, watermarkMargin);
    case 2: return QPoint(watermarkMargin, bottom);
    case 3: return QPoint(right, bottom);
    case 4: return QPoint(image.width() / 2, image.height() / 2);
    default: return QPoint(watermarkMargin, watermarkMargin);
    }
}

// The text in bold, its size set by setSize on the font.
template <typename SetSize>
QImage drawWatermarkText(const QImage &image, const QString &text, const QColor &color, int opacity, int position,
                         SetSize setSize)
{
    if (image.isNull() || text.isEmpty() || opacity <= 0)
        return image;
    QImage result = pixelaccess::workingImage(image);
    QColor pen = color;
    pen.setAlpha(std::min(opacity, 255));
    QFont font;
    setSize(font, result);
    font.setWeight(QFont::Bold);
    drawLine(result, singleLine(text), pen, font, position, watermarkAnchor(result, position));
    return result;
}

} // namespace

QImage addWatermark(const QImage &image, const QString &text, const QColor &color, int opacity,
                    int fontSize, int position)
{
    return drawWatermarkText(image, text, color, opacity, position,
                             [fontSize](QFont &font, const QImage &) { font.setPointSize(fontSize); });
}

int watermarkPixelSize(QSize picture, int percent)
{
    const qint64 shorter = std::min(picture.width(), picture.height());
    return int(std::max<qint64>(1, (shorter * percent + 50) / 100));
}

QImage addWatermarkSizedToPicture(const QImage &image, const QString &text, const QColor &color, int opacity,
                                  int percent, int position)
{
    return drawWatermarkText(image, text, color, opacity, position, [percent](QFont &font, const QImage &result) {
        font.setPixelSize(watermarkPixelSize(result.size(), percent));
    });
}

QString watermarkTextFor(const QString &text, const QString &inputPath)
{
    static const QRegularExpression field(QStringLiteral("\\{(artist|copyright|date|name)\\}"));
    QString filled;
    qsizetype done = 0;
    std::optional<PhotoCredits> credits;
    for (const QRegularExpressionMatch &match : field.globalMatch(text)) {
        filled += QStringView(text).mid(done, match.capturedStart() - done);
        done = match.capturedEnd();
        const QStringView name = match.capturedView(1);
        if (name == u"name") {
            filled += QFileInfo(inputPath).baseName();
        } else if (name == u"date") {
            const QDateTime taken = dateTaken(inputPath);
            filled += taken.isValid() ? taken.toString(QStringLiteral("yyyy-MM-dd")) : QString();
        } else {
            if (!credits)
                credits = photoCredits(inputPath);
            filled += name == u"artist" ? credits->artist : credits->copyright;
        }
    }
    return filled.append(QStringView(text).mid(done));
}

namespace option {
constexpr Option<bool> watermark = declare::flag("watermark")
        .help("Draw a text watermark on the picture").widget("watermarkCheckBox");
constexpr Option<QString> watermarkText = declare::text("watermarkText", "Watermark")
        .valueWord("watermark", "Draw TEXT as a watermark.", "TEXT").enables(watermark)
        .widget("watermarkTextEdit").resetByLanguageSwitch();
constexpr Option<QColor> watermarkColor = declare::colour("watermarkColor", qRgb(255, 255, 255))
        .valueWord("watermark-color", "Watermark colour", "C").widget("watermarkColorButton");
constexpr Option<int> watermarkOpacity = declare::integer("watermarkOpacity", 128, 0, 255)
        .valueWord("watermark-opacity", "Watermark alpha", "N").widget("watermarkOpacitySlider")
        .resetByLanguageSwitch();
constexpr Option<QString> watermarkSizeUnit = declare::preset("watermarkSizeUnit", presets::watermarkSizeUnits)
        .help("Size the watermark in points, or in % of the picture's shorter side so that it looks the same at "
              "every output size")
        .widget("watermarkSizeUnitComboBox");
constexpr Option<int> watermarkFontSize = declare::integer("watermarkFontSize", 24, 8, 72)
        .valueWord("watermark-font-size", "Watermark size in points", "N").widget("watermarkFontSizeSpinBox")
        .resetByLanguageSwitch().inPixels();
constexpr Option<int> watermarkSizePercent = declare::integer("watermarkSizePercent", 4, 1, 50)
        .valueWord("watermark-size", "Watermark size in % of the picture's shorter side", "PERCENT")
        .selects(watermarkSizeUnit, presets::percentOfShorterSide).widget("watermarkSizePercentSpinBox");
constexpr Option<int> watermarkPositionIndex =
        declare::presetIndex("watermarkPositionIndex", presets::watermarkPositions)
        .valueWord("watermark-position", "Watermark position", "P").widget("watermarkPositionComboBox")
        .resetByLanguageSwitch();
} // namespace option

namespace {

QImage drawWatermark(const QImage &image, const JobSettings &s)
{
    const bool sizedToPicture = presets::percentOfShorterSide.is(s.value(option::watermarkSizeUnit));
    return (sizedToPicture ? addWatermarkSizedToPicture : addWatermark)(
            image, s.value(option::watermarkText), s.value(option::watermarkColor),
            s.value(option::watermarkOpacity),
            s.value(sizedToPicture ? option::watermarkSizePercent : option::watermarkFontSize),
            s.value(option::watermarkPositionIndex));
}

constexpr const OptionDeclaration *watermarkOptions[] = {
    &option::watermark,         &option::watermarkText,          &option::watermarkColor,
    &option::watermarkOpacity,  &option::watermarkSizeUnit,      &option::watermarkFontSize,
    &option::watermarkSizePercent, &option::watermarkPositionIndex};

} // namespace

namespace steps {
constexpr ChainStep watermark{
    "watermark", watermarkOptions,
    [](const JobSettings &s) {
        return s.value(option::watermark) && !s.value(option::watermarkText).isEmpty();
    },
    drawWatermark,
    nullptr,
    nullptr,
    nullptr,
    [](JobSettings &s, const QString &inputPath) {
        s.set(option::watermarkText, watermarkTextFor(s.value(option::watermarkText), inputPath));
    }};
} // namespace steps
