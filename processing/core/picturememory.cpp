#include "core/picturememory.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace picturememory {

// The memory a worker keeps between pictures; shared with the pictures on
// it, which may outlive the worker's scope.
struct Kept : std::enable_shared_from_this<Kept>
{
    std::mutex mutex;
    void *block = nullptr;
    qsizetype bytes = 0;
    bool open = true;

    // Takes the kept block when it has exactly that size; a block of another
    // size goes back to the system, as it would only hold memory.
    void *take(qsizetype wanted)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        void *taken = bytes == wanted ? block : nullptr;
        if (!taken)
            std::free(block);
        block = nullptr;
        bytes = 0;
        return taken;
    }

    void put(void *returned, qsizetype size)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (open && !block) {
            block = returned;
            bytes = size;
            return;
        }
        std::free(returned);
    }

    // Gives the kept block back; closed, it keeps none from then on.
    void drop(bool closing)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        open = open && !closing;
        std::free(block);
        block = nullptr;
        bytes = 0;
    }
};

namespace {

thread_local Kept *keptOnThisThread = nullptr;

// One picture's hold on its block: the block returns to the worker's keep
// when the last image on it goes.
struct Lease
{
    void *block;
    qsizetype bytes;
    std::shared_ptr<Kept> kept;
};

void returnBlock(void *info)
{
    const Lease *lease = static_cast<const Lease *>(info);
    if (lease->kept)
        lease->kept->put(lease->block, lease->bytes);
    else
        std::free(lease->block);
    delete lease;
}

std::shared_ptr<Kept> keptHere()
{
    return keptOnThisThread ? keptOnThisThread->shared_from_this() : nullptr;
}

} // namespace

KeptForReuse::KeptForReuse()
    : kept(std::make_shared<Kept>())
{
    keptOnThisThread = kept.get();
}

KeptForReuse::~KeptForReuse()
{
    keptOnThisThread = nullptr;
    kept->drop(true);
}

void KeptForReuse::release()
{
    kept->drop(false);
}

DecodeTarget::DecodeTarget(QSize size, QImage::Format format, Rows rows)
{
    const qsizetype bitsPerLine = qsizetype(size.width()) * QImage::toPixelFormat(format).bitsPerPixel();
    const qsizetype bytesPerLine = (bitsPerLine + 31) / 32 * 4;
    const qsizetype bytes = bytesPerLine * size.height();
    if (size.isEmpty() || format == QImage::Format_Invalid || bytesPerLine > INT_MAX)
        return;
    const bool cleared = rows == Rows::MayBeLeft;
    void *block = keptOnThisThread ? keptOnThisThread->take(bytes) : nullptr;
    const bool fresh = !block;
    if (fresh)
        block = cleared ? std::calloc(size_t(bytes), 1) : std::malloc(size_t(bytes));
    else if (cleared)
        std::memset(block, 0, size_t(bytes));
    if (!block)
        return;
    Lease *lease = new Lease{block, bytes, keptHere()};
    image = QImage(static_cast<uchar *>(block), size.width(), size.height(), int(bytesPerLine),
                   format, returnBlock, lease);
    if (image.isNull()) { // Qt refused the image and will not call back
        returnBlock(lease);
        return;
    }
    if (fresh)
        pages.emplace(image);
}

} // namespace picturememory
