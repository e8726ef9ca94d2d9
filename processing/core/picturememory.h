#ifndef PICTUREMEMORY_H
#define PICTUREMEMORY_H

#include "core/pixelaccess.h"

#include <QImage>

#include <memory>
#include <optional>

// Memory for the pictures a worker decodes one after another. The photos of
// one camera share a size, so the memory of the picture decoded last, its
// pages already faulted in, serves the next one: fresh pages cost the
// kernel's zeroing on first touch (about 0.6 ms per MB here, a third of
// decoding a 12 MP JPEG), and a picture over 32 MB never comes back from the
// allocator without it.
namespace picturememory {

struct Kept;

// While it lives, the decode targets of the calling thread reuse the memory
// of this thread's earlier pictures of the same byte size, once nothing
// holds them any more. At most two pictures' memory is kept (a photo turned
// upright takes two); it goes back to the system when a picture of another
// size comes, on release(), and at the end of the scope (or when the last
// picture on it goes, if that is later).
class KeptForReuse
{
public:
    KeptForReuse();
    ~KeptForReuse();
    KeptForReuse(const KeptForReuse &) = delete;
    KeptForReuse &operator=(const KeptForReuse &) = delete;

    // Gives the kept memory back now: for a worker about to wait for room
    // in the memory budget, where it would hold memory no input accounts for.
    void release();

private:
    std::shared_ptr<Kept> kept;
};

// The image a decoder fills, of the size and format the decoder gives: on
// kept memory when there is some of that size, otherwise on fresh memory
// whose pages are faulted in on another core while the decoder writes (when
// the picture has a core to spare). Null when there is no memory for it.
// A decoder that may leave rows unwritten (Qt's BMP reader on a file cut
// short) gets the memory cleared: it never shows an earlier picture's pixels.
enum class Rows { AllWritten, MayBeLeft };

class DecodeTarget
{
public:
    DecodeTarget(QSize size, QImage::Format format, Rows rows);
    ~DecodeTarget() = default;
    DecodeTarget(const DecodeTarget &) = delete;
    DecodeTarget &operator=(const DecodeTarget &) = delete;

    QImage image;

private:
    // Declared after the image, so it is done with the pages before the image goes.
    std::optional<pixelaccess::PagesFaultedAside> pages;
};

} // namespace picturememory

#endif // PICTUREMEMORY_H
