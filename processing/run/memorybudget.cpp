#include "run/memorybudget.h"

#include "codecs/jpegstructure.h"
#include "codecs/jxlcodec.h"
#include "formats/decodermessages.h"
#include "formats/imagefile.h"
#include "pipeline/chain.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>

#include <unistd.h>

namespace memorybudget {

qint64 budgetFor(qint64 physicalBytes)
{
    return std::min(physicalBytes / 4, capBytes);
}

qint64 machineBudget()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageBytes = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageBytes <= 0)
        return capBytes / 4; // unknown: as for a machine of 4 GB
    return budgetFor(qint64(pages) * pageBytes);
}

int workingCopies(const JobSettings &settings)
{
    const QList<const ChainStep *> &steps = chainSteps();
    const bool anyStepRuns = std::any_of(steps.begin(), steps.end(), [&](const ChainStep *step) {
        return step->runs(settings);
    });
    return anyStepRuns ? 3 : 2;
}

namespace {

struct HeldBytes
{
    qint64 picture = 0;
    qint64 decoder = 0; // beside the picture, while it decodes
};

HeldBytes heldBytes(const QString &path, const ScaleTarget &target)
{
    // Reading a pipe's header would consume what the decoder needs.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    // What the decoders say of a damaged header is reported with the file's
    // decode, which meets it again; here it would reach stderr without a name.
    const DecoderMessages heardAtDecode;
    QImageReader reader(&file);
    heardAtDecode.expectFormat(readByContent(reader, file));
    if (!reader.size().isValid())
        return {};
    const QSize size = reducedSize(reader.size(), reductionFor(reader, target));
    // A 16-bit picture stays 16-bit until it is encoded.
    const int bitsPerPixel = std::max(32, int(QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel()));
    HeldBytes held{qint64(size.width()) * size.height() * (bitsPerPixel / 8), 0};
    if (reader.format() == "jpeg" && file.seek(0))
        held.decoder = jpegstructure::coefficientBytes(jpegstructure::readHead(file));
    else if (reader.format() == "jxl" && file.seek(0))
        held.decoder = jxlDecoderBytes(file);
    return held;
}

} // namespace

qint64 decodedBytes(const QString &path)
{
    return heldBytes(path, {}).picture;
}

qint64 inputCost(const QString &path, int copies, const ScaleTarget &target)
{
    const HeldBytes held = heldBytes(path, target);
    return std::max(held.picture * copies, held.picture + held.decoder);
}

bool admits(qint64 cost, qint64 bytesInFlight, int inputsInFlight, qint64 budget)
{
    return inputsInFlight == 0 || bytesInFlight + cost <= budget;
}

} // namespace memorybudget
