#include "codecs/pngreader.h"

#include "codecs/pngrows.h"
#include "core/picturememory.h"
#include "core/pixelaccess.h"

#include <QBuffer>
#include <QImageReader>

#include <libdeflate.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace {

const char signature[] = "\x89PNG\r\n\x1a\n";
constexpr int signatureBytes = 8;

inline uint32_t bigEndian32(const uint8_t *at)
{
    return uint32_t(at[0]) << 24 | uint32_t(at[1]) << 16 | uint32_t(at[2]) << 8 | at[3];
}

void appendBigEndian32(QByteArray &bytes, uint32_t value)
{
    const char word[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    bytes.append(word, 4);
}

struct Chunk
{
    const uint8_t *start; // the length field
    uint32_t length;

    const uint8_t *type() const { return start + 4; }
    const uint8_t *data() const { return start + 8; }
    std::size_t wholeBytes() const { return std::size_t(length) + 12; }
    bool is(const char *name) const { return std::memcmp(type(), name, 4) == 0; }
    bool crcHolds() const
    {
        return libdeflate_crc32(0, type(), std::size_t(length) + 4) == bigEndian32(data() + length);
    }
};

struct Header
{
    uint32_t width = 0;
    uint32_t height = 0;
    const pngrows::Layout *layout = nullptr;
};

// The chunks from the header to the end, when they are in an order this
// reader takes: the image data in one run of chunks, and no critical chunk
// but those (not even a suggested palette). A transparency chunk changes the
// format Qt's reader gives, which decode() checks.
bool listChunks(const QByteArray &bytes, std::vector<Chunk> *chunks)
{
    const auto *at = reinterpret_cast<const uint8_t *>(bytes.constData()) + signatureBytes;
    const auto *end = reinterpret_cast<const uint8_t *>(bytes.constData()) + bytes.size();
    bool dataSeen = false;
    while (end - at >= 12) {
        const Chunk chunk{at, bigEndian32(at)};
        if (chunk.length > 0x7fffffffu || std::size_t(end - at) < chunk.wholeBytes())
            return false;
        const bool data = chunk.is("IDAT");
        if (chunks->empty() != chunk.is("IHDR") || (dataSeen && data && !chunks->back().is("IDAT")))
            return false;
        const bool critical = !(chunk.type()[0] & 0x20);
        if (critical && !data && !chunk.is("IHDR") && !chunk.is("IEND"))
            return false;
        if (critical && !chunk.crcHolds())
            return false;
        dataSeen = dataSeen || data;
        chunks->push_back(chunk);
        if (chunk.is("IEND"))
            return dataSeen;
        at += chunk.wholeBytes();
    }
    return false;
}

Header headerOf(const Chunk &header)
{
    const uint8_t *data = header.data();
    if (header.length != 13 || data[10] != 0 || data[11] != 0 || data[12] != 0) // deflate, filters, not interlaced
        return Header();
    const uint32_t width = bigEndian32(data);
    const uint32_t height = bigEndian32(data + 4);
    // Within 2^24 pixels a side the sizes of the rows cannot overflow; the
    // rare strip beyond goes to Qt's reader.
    constexpr uint32_t largestSide = 1u << 24;
    if (width == 0 || height == 0 || width > largestSide || height > largestSide)
        return Header();
    return Header{width, height, pngrows::layoutOf(data[9], data[8])};
}

void appendChunk(QByteArray &png, const char *type, const QByteArray &data)
{
    appendBigEndian32(png, uint32_t(data.size()));
    const qsizetype typeAt = png.size();
    png.append(type, 4).append(data);
    appendBigEndian32(png, libdeflate_crc32(0, png.constData() + typeAt, std::size_t(data.size()) + 4));
}

// One pixel of zero samples, filter none, in a stored deflate block.
QByteArray onePixelData(int bytesPerPixel)
{
    const QByteArray row(1 + bytesPerPixel, '\0');
    QByteArray stream("\x78\x01\x01", 3);
    const char lengths[4] = {char(row.size()), 0, char(~row.size()), char(0xff)};
    stream.append(lengths, 4).append(row);
    appendBigEndian32(stream, libdeflate_adler32(1, row.constData(), std::size_t(row.size())));
    return stream;
}

// The file as a picture of one pixel: all its chunks but the image data,
// which is one pixel's. Qt's reader takes from it what it takes from the
// whole file besides the pixels, and tells the format it decodes to.
QImage onePixelOf(const std::vector<Chunk> &chunks, int bytesPerPixel)
{
    QByteArray png(signature, signatureBytes);
    QByteArray header(reinterpret_cast<const char *>(chunks.front().data()), 13);
    header.replace(0, 8, QByteArray("\0\0\0\1\0\0\0\1", 8));
    appendChunk(png, "IHDR", header);
    bool dataWritten = false;
    for (std::size_t i = 1; i < chunks.size(); ++i) {
        const Chunk &chunk = chunks[i];
        if (!chunk.is("IDAT"))
            png.append(reinterpret_cast<const char *>(chunk.start), qsizetype(chunk.wholeBytes()));
        else if (!std::exchange(dataWritten, true))
            appendChunk(png, "IDAT", onePixelData(bytesPerPixel));
    }
    QBuffer buffer(&png);
    QImageReader reader(&buffer, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// The image data of all its chunks in one piece; held in place when one
// chunk carries it all.
struct Compressed
{
    const uint8_t *bytes = nullptr;
    std::size_t size = 0;
    std::vector<uint8_t> joined;
};

void gather(const std::vector<Chunk> &chunks, Compressed *compressed)
{
    std::vector<const Chunk *> parts;
    for (const Chunk &chunk : chunks) {
        if (chunk.is("IDAT")) {
            parts.push_back(&chunk);
            compressed->size += chunk.length;
        }
    }
    if (parts.size() == 1) {
        compressed->bytes = parts.front()->data();
        return;
    }
    compressed->joined.reserve(compressed->size);
    for (const Chunk *part : parts)
        compressed->joined.insert(compressed->joined.end(), part->data(), part->data() + part->length);
    compressed->bytes = compressed->joined.data();
}

struct FreeMemory
{
    void operator()(uint8_t *memory) const { std::free(memory); }
};

// Inflates exactly the rows the header promises: data that ends early, runs
// on or fails its check is left to Qt's reader and its remarks.
std::unique_ptr<uint8_t, FreeMemory> inflated(const Compressed &compressed, std::size_t bytes)
{
    std::unique_ptr<uint8_t, FreeMemory> rows(static_cast<uint8_t *>(std::malloc(bytes)));
    libdeflate_decompressor *decompressor = libdeflate_alloc_decompressor();
    if (!rows || !decompressor) {
        libdeflate_free_decompressor(decompressor);
        return nullptr;
    }
    std::size_t used = 0;
    const libdeflate_result result = libdeflate_zlib_decompress_ex(
            decompressor, compressed.bytes, compressed.size, rows.get(), bytes, &used, nullptr);
    libdeflate_free_decompressor(decompressor);
    if (result != LIBDEFLATE_SUCCESS || used != compressed.size)
        return nullptr;
    return rows;
}

bool unfilterInto(uint8_t *rows, const Header &header, QImage &image)
{
    const int bytesPerPixel = header.layout->bytesPerPixel;
    const std::size_t rowBytes = std::size_t(header.width) * std::size_t(bytesPerPixel);
    const std::vector<uint8_t> zeroRow(rowBytes, 0);
    const uint8_t *above = zeroRow.data();
    for (uint32_t y = 0; y < header.height; ++y) {
        uint8_t *row = rows + std::size_t(y) * (rowBytes + 1);
        if (!pngrows::unfilter(row[0], row + 1, above, rowBytes, bytesPerPixel))
            return false;
        header.layout->convert(row + 1, image.scanLine(int(y)), int(header.width));
        above = row + 1;
    }
    return true;
}

pngreader::Outcome decodeRows(const std::vector<Chunk> &chunks, const Header &header,
                              QImage *image)
{
    Compressed compressed;
    gather(chunks, &compressed);
    const std::size_t rowBytes = std::size_t(header.width) * std::size_t(header.layout->bytesPerPixel);
    const auto rows = inflated(compressed, (rowBytes + 1) * header.height);
    if (!rows)
        return pngreader::Outcome::LeftToQt;
    picturememory::DecodeTarget target(QSize(int(header.width), int(header.height)),
                                       header.layout->format, picturememory::Rows::AllWritten);
    if (target.image.isNull() || !unfilterInto(rows.get(), header, target.image))
        return pngreader::Outcome::LeftToQt;
    *image = target.image;
    return pngreader::Outcome::Decoded;
}

} // namespace

namespace pngreader {

Outcome decode(const QByteArray &bytes, QImage *image)
{
    std::vector<Chunk> chunks;
    if (!bytes.startsWith(QByteArray(signature, signatureBytes)) || !listChunks(bytes, &chunks))
        return Outcome::LeftToQt;
    const Header header = headerOf(chunks.front());
    if (!header.layout)
        return Outcome::LeftToQt;
    const QImage onePixel = onePixelOf(chunks, header.layout->bytesPerPixel);
    if (onePixel.format() != header.layout->format)
        return Outcome::LeftToQt;
    const Outcome outcome = decodeRows(chunks, header, image);
    if (outcome == Outcome::Decoded)
        pixelaccess::copyMetadata(onePixel, *image);
    return outcome;
}

} // namespace pngreader
