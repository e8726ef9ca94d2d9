#ifndef OILPAINTFILTER_H
#define OILPAINTFILTER_H

#include <QImage>
#include <QRgb>

// Oil-painting effect: every pixel takes the mean colour of the most
// frequent brightness level around it.
class OilPaintFilter
{
public:
    // The eight brightness levels of a set of pixels: how many pixels have
    // each level, and the sums of their red, green and blue levels (each
    // channel / 32). Stored as one array so that whole sets add and
    // subtract in one loop. 32 bits hold the sums of any image below 600
    // million pixels.
    struct LevelBins
    {
        quint32 values[32] = {};
        quint32 &count(int level) { return values[level]; }
        quint32 &redSum(int level) { return values[8 + level]; }
        quint32 &greenSum(int level) { return values[16 + level]; }
        quint32 &blueSum(int level) { return values[24 + level]; }
        quint32 count(int level) const { return values[level]; }
        quint32 redSum(int level) const { return values[8 + level]; }
        quint32 greenSum(int level) const { return values[16 + level]; }
        quint32 blueSum(int level) const { return values[24 + level]; }
    };

    OilPaintFilter() {}

    QImage apply(const QImage &image, int radius);

    // The colour painted for a window with these bins: the level with the
    // greatest count (a tie goes to the lowest level), each channel being
    // (sum x 256) / (count x 8) of that level, that is 32 times its mean
    // channel level, truncated. bins must count at least one pixel, which
    // every window does since it holds its own centre.
    QRgb paintPixel(const LevelBins &bins) const;
};

#endif // OILPAINTFILTER_H
