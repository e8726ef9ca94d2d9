#ifndef DIFFERENTIAL_H
#define DIFFERENTIAL_H

// Shared harness of the differential tests: seeded random images of many
// sizes in every pixel format Qt hands the chain, and an exact comparison
// that names the first differing pixel.

#include <QImage>
#include <QList>
#include <QRandomGenerator>
#include <QSize>
#include <QString>

#include <cstring>

namespace differential {

// Every pixel format Qt hands the chain.
QList<QImage::Format> formats();

// From a single pixel and single rows or columns up to sizes beyond the
// largest blur and oil-painting window (21 x 21).
QList<QSize> sizes();

QString formatName(QImage::Format format);

// Random colours with a mix of opaque, transparent and partial alpha,
// converted to the wanted format; the same seed gives the same image.
QImage randomImage(const QSize &size, QImage::Format format, quint32 seed);

// Empty when the two images have the same size, format and pixels (compared
// as stored); otherwise a description of the first difference.
QString firstDifference(const QImage &actual, const QImage &expected);

// The largest difference between two pictures' premultiplied channels, in
// levels of 8 bits: for results that may differ from a reference by rounding.
double premultipliedDistance(const QImage &a, const QImage &b);

// How far premultipliedDistance lets a result computed in float or in
// stored steps stray from a reference in double: 2 levels at 8 bits (0.1 at
// 16 bits), one step of the coarsest channel more for a format of fewer bits.
double roundingTolerance(QImage::Format format);

// The peak signal to noise ratio of two pictures' colour samples in 8 bits,
// in dB (99 when they are the same); largestDifference, when given, takes
// the largest difference of any sample.
double colourPsnr(const QImage &a, const QImage &b, int *largestDifference = nullptr);

} // namespace differential

#endif // DIFFERENTIAL_H
