#include "differential.h"

#include <QColor>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace differential {

QList<QImage::Format> formats()
{
    return {QImage::Format_RGB32,     QImage::Format_ARGB32,    QImage::Format_ARGB32_Premultiplied,
            QImage::Format_RGB888,    QImage::Format_Grayscale8, QImage::Format_RGBA64,
            QImage::Format_RGBA64_Premultiplied, QImage::Format_Grayscale16, QImage::Format_RGB16,
            QImage::Format_RGBA8888,  QImage::Format_BGR888,    QImage::Format_Indexed8,
            QImage::Format_Mono};
}

QList<QSize> sizes()
{
    return {QSize(1, 1), QSize(1, 9), QSize(9, 1), QSize(2, 3), QSize(5, 4),
            QSize(13, 11), QSize(23, 22), QSize(31, 7)};
}

QString formatName(QImage::Format format)
{
    switch (format) {
    case QImage::Format_RGB32: return QStringLiteral("RGB32");
    case QImage::Format_ARGB32: return QStringLiteral("ARGB32");
    case QImage::Format_ARGB32_Premultiplied: return QStringLiteral("ARGB32PM");
    case QImage::Format_RGB888: return QStringLiteral("RGB888");
    case QImage::Format_Grayscale8: return QStringLiteral("Gray8");
    case QImage::Format_RGBA64: return QStringLiteral("RGBA64");
    case QImage::Format_RGBA64_Premultiplied: return QStringLiteral("RGBA64PM");
    case QImage::Format_Grayscale16: return QStringLiteral("Gray16");
    case QImage::Format_RGB16: return QStringLiteral("RGB16");
    case QImage::Format_RGBA8888: return QStringLiteral("RGBA8888");
    case QImage::Format_BGR888: return QStringLiteral("BGR888");
    case QImage::Format_Indexed8: return QStringLiteral("Indexed8");
    case QImage::Format_Mono: return QStringLiteral("Mono");
    default: return QStringLiteral("format%1").arg(int(format));
    }
}

QImage randomImage(const QSize &size, QImage::Format format, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(size, QImage::Format_ARGB32);
    for (int y = 0; y < size.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const quint32 bits = random.generate();
            const int alphaChoice = int(bits >> 29);
            const int alpha = alphaChoice < 4 ? 255 : (alphaChoice == 4 ? 0 : int(bits & 0xff));
            line[x] = qRgba(int((bits >> 8) & 0xff), int((bits >> 16) & 0xff),
                            int((bits >> 21) & 0xff), alpha);
        }
    }
    return image.convertToFormat(format);
}

QString firstDifference(const QImage &actual, const QImage &expected)
{
    if (actual.isNull() != expected.isNull())
        return QStringLiteral("null: actual %1, expected %2").arg(actual.isNull()).arg(expected.isNull());
    if (actual.size() != expected.size())
        return QStringLiteral("size: actual %1x%2, expected %3x%4")
            .arg(actual.width()).arg(actual.height()).arg(expected.width()).arg(expected.height());
    if (actual.format() != expected.format())
        return QStringLiteral("format: actual %1, expected %2")
            .arg(formatName(actual.format()), formatName(expected.format()));
    const int depth = actual.depth();
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const bool same = depth < 8
                ? actual.pixelIndex(x, y) == expected.pixelIndex(x, y)
                : std::memcmp(actual.constScanLine(y) + x * depth / 8,
                              expected.constScanLine(y) + x * depth / 8, depth / 8) == 0;
            if (!same)
                return QStringLiteral("pixel (%1, %2): actual %3, expected %4")
                    .arg(x).arg(y)
                    .arg(actual.pixelColor(x, y).name(QColor::HexArgb),
                         expected.pixelColor(x, y).name(QColor::HexArgb));
        }
    }
    return QString();
}

double premultipliedDistance(const QImage &a, const QImage &b)
{
    const QImage first = a.convertToFormat(QImage::Format_RGBA64_Premultiplied);
    const QImage second = b.convertToFormat(QImage::Format_RGBA64_Premultiplied);
    int largest = 0;
    for (int y = 0; y < first.height(); ++y) {
        const auto *p = reinterpret_cast<const quint16 *>(first.constScanLine(y));
        const auto *q = reinterpret_cast<const quint16 *>(second.constScanLine(y));
        for (int i = 0; i < 4 * first.width(); ++i)
            largest = std::max(largest, std::abs(int(p[i]) - int(q[i])));
    }
    return largest / 257.0;
}

double roundingTolerance(QImage::Format format)
{
    if (format == QImage::Format_RGB16)
        return 2 + 255.0 / 31;
    const QImage probe(1, 1, format);
    return probe.depth() == 64 || format == QImage::Format_Grayscale16 ? 0.1 : 2;
}

double colourPsnr(const QImage &a, const QImage &b, int *largestDifference)
{
    const QImage first = a.convertToFormat(QImage::Format_RGB32);
    const QImage second = b.convertToFormat(QImage::Format_RGB32);
    double squares = 0;
    int largest = 0;
    for (int y = 0; y < first.height(); ++y) {
        const auto *rowA = reinterpret_cast<const QRgb *>(first.constScanLine(y));
        const auto *rowB = reinterpret_cast<const QRgb *>(second.constScanLine(y));
        for (int x = 0; x < first.width(); ++x) {
            for (const int shift : {0, 8, 16}) {
                const int difference = std::abs(int((rowA[x] >> shift) & 0xff) - int((rowB[x] >> shift) & 0xff));
                largest = std::max(largest, difference);
                squares += double(difference) * difference;
            }
        }
    }
    if (largestDifference)
        *largestDifference = largest;
    const double meanSquare = squares / (3.0 * first.width() * first.height());
    return meanSquare == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / meanSquare);
}

} // namespace differential
