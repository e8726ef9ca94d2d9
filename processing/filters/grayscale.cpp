#include "filters/grayscale.h"

#include "core/filterrows.h"
#include "core/graymapping.h"

QImage applyGrayscale(const QImage &image)
{
    graymapping::GrayTable table;
    for (int gray = 0; gray < 256; ++gray)
        table[size_t(gray)] = filterrows::opaqueGray(gray);
    return graymapping::mapGray(image, table);
}
