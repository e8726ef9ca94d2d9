#ifndef PHOTOPIXELS_H
#define PHOTOPIXELS_H

#include <QColorSpace>
#include <QImage>

// A 12 MP picture of gradients with grain, so that its JPEG is about as
// large as a camera's.
inline QImage photoPixels()
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    quint32 grain = 1;
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            grain = grain * 1664525u + 1013904223u;
            const int noise = int(grain >> 27);
            line[x] = qRgb((x * 255 / image.width() + noise) & 0xff,
                           (y * 255 / image.height() + noise) & 0xff, ((x ^ y) + noise) & 0xff);
        }
    }
    image.setColorSpace(QColorSpace::AdobeRgb);
    return image;
}

#endif // PHOTOPIXELS_H
