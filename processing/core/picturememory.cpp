#include "core/picturememory.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <utility>

namespace picturememory {

// The memory a worker keeps between pictures; shared with the pictures on
// it, which may outlive the worker's scope. Two blocks: a photo turned
// upright needs its decoded picture and the turned one at once.
struct Kept : std::enable_shared_from_this<Kept>
{
    struct Block
    {
        void *pixels = nullptr;
        qsizetype bytes = 0;
    };
    static constexpr int blockCount = 2;

    std::mutex mutex;
    Block blocks[blockCount];
    bool open = true;

    // Takes a kept block of exactly that size. When there is none, the kept
    // blocks go back to the system, as they would only hold memory.
    void *take(qsizetype wanted)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        for (Block &block : blocks) {
            if (block.pixels && block.bytes == wanted)
                return std::exchange(block, Block()).pixels;
        }
        freeAll();
        return nullptr;
    }

    void put(void *returned, qsizetype size)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        for (Block &block : blocks) {
            if (open && !block.pixels) {
                block = {returned, size};
                return;
            }
        }
        std::free(returned);
    }

    // Gives the kept blocks back; closed, it keeps none from then on.
    void drop(bool closing)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        open = open && !closing;
        freeAll();
    }

private:
    void freeAll()
    {
        for (Block &block : blocks)
            std::free(std::exchange(block, Block()).pixels);
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
