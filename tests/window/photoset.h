#ifndef PHOTOSET_H
#define PHOTOSET_H

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringList>

// Camera-sized JPEGs made fast: one flat picture encoded once and written
// under many names, each with an EXIF orientation of its own.
namespace photoset {

inline QByteArray orientationSegment(int orientation)
{
    // "II*\0", IFD0 at 8 with one SHORT entry 0x0112, no next IFD.
    QByteArray tiff("II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 18);
    tiff.append(char(orientation));
    tiff.append(QByteArray(3 + 4, '\0'));
    const QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    segment.append(char((body.size() + 2) >> 8));
    segment.append(char((body.size() + 2) & 0xFF));
    return segment + body;
}

inline QStringList writePhotos(const QString &directory, int count, const QSize &size = QSize(4000, 3000))
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(QColor(70, 120, 170));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPEG", 80);
    QDir().mkpath(directory);
    QStringList paths;
    const int orientations[] = {1, 6, 8, 3};
    for (int index = 0; index < count; ++index) {
        paths.append(QDir(directory).filePath(QStringLiteral("IMG_%1.JPG").arg(index + 1, 4, 10, QLatin1Char('0'))));
        QFile file(paths.last());
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(paths.last()));
        file.write(jpeg.left(2) + orientationSegment(orientations[index % 4]) + jpeg.mid(2));
    }
    return paths;
}

} // namespace photoset

#endif // PHOTOSET_H
