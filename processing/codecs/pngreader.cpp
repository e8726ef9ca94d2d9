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

// What the header and the colour key say of the pixels.
struct Header
{
    uint32_t width = 0;
    uint32_t height = 0;
    bool interlaced = false;
    const pngrows::Layout *layout = nullptr;
    uint8_t key[6] = {}; // a pixel of the key's colour as the rows store it
};

// The chunks from the header to the end, when they are in an order this
// reader takes: the image data in one run of chunks, and no critical chunk
// but those (not even a suggested palette).
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

enum class Key { None, Read, Faulty };

// The colour key of a grey or colour file, as the rows store a pixel of its
// colour: 8-bit files take the low byte of each 16-bit sample, as Qt's
// reader does. Qt's reader takes the first of two keys and remarks on the
// second, so such a file is left to it. A key it skips (after the image
// data, failing its checksum, or beyond the depth of 8-bit grey) leaves the
// one-pixel copy without alpha, and readAlike() leaves that file to it too.
Key readKey(const std::vector<Chunk> &chunks, int channels, int sampleBytes, uint8_t *key)
{
    Key found = Key::None;
    for (const Chunk &chunk : chunks) {
        if (!chunk.is("tRNS"))
            continue;
        if (found != Key::None || chunk.length != 2u * uint32_t(channels))
            return Key::Faulty;
        // 16-bit samples, of which 8-bit files use the low byte.
        for (int i = 0; i < channels; ++i) {
            std::memcpy(key + i * sampleBytes, chunk.data() + 2 * i + 2 - sampleBytes,
                        std::size_t(sampleBytes));
        }
        found = Key::Read;
    }
    return found;
}

// The header of a file this reader decodes, with its key; a null layout
// for any other.
Header headerOf(const std::vector<Chunk> &chunks)
{
    const Chunk &chunk = chunks.front();
    const uint8_t *data = chunk.data();
    if (chunk.length != 13 || data[10] != 0 || data[11] != 0 || data[12] > 1) // deflate, filters, Adam7
        return Header();
    Header header;
    header.width = bigEndian32(data);
    header.height = bigEndian32(data + 4);
    header.interlaced = data[12] == 1;
    // Within 2^24 pixels a side the sizes of the rows cannot overflow; the
    // rare strip beyond goes to Qt's reader.
    constexpr uint32_t largestSide = 1u << 24;
    if (header.width == 0 || header.height == 0 || header.width > largestSide
        || header.height > largestSide)
        return Header();
    const int bitDepth = data[8];
    const int colorType = data[9];
    // A key on a file with alpha is Qt's reader's to skip, as before.
    Key key = Key::None;
    if ((colorType == 0 || colorType == 2) && (bitDepth == 8 || bitDepth == 16))
        key = readKey(chunks, colorType == 0 ? 1 : 3, bitDepth / 8, header.key);
    if (key != Key::Faulty)
        header.layout = pngrows::layoutOf(colorType, bitDepth, key == Key::Read);
    return header;
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

// Qt's reader must take the file as this reader does: to the same format,
// or for a colour key to one with alpha (a palette for 8-bit grey), so that
// it has taken the key as well.
bool readAlike(const QImage &onePixel, const pngrows::Layout &layout)
{
    return layout.keyed ? onePixel.hasAlphaChannel() : onePixel.format() == layout.format;
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

// The pixels a pass of the rows carries: from column x and row y on, every
// dx-th column of every dy-th row.
struct Pass
{
    uint32_t x, y, dx, dy;
};

// Adam7 interlacing sends seven passes over ever finer grids; a plain file
// is one pass over every pixel.
const Pass adam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                      {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

std::vector<Pass> passesOf(const Header &header)
{
    if (header.interlaced)
        return std::vector<Pass>(std::begin(adam7), std::end(adam7));
    return {Pass{0, 0, 1, 1}};
}

struct PassSize
{
    std::size_t columns = 0;
    std::size_t rows = 0; // none when no column falls in the picture
};

PassSize sizeOf(const Pass &pass, const Header &header)
{
    if (header.width <= pass.x || header.height <= pass.y)
        return PassSize();
    return PassSize{(header.width - pass.x + pass.dx - 1) / pass.dx,
                    (header.height - pass.y + pass.dy - 1) / pass.dy};
}

std::size_t inflatedBytes(const Header &header)
{
    std::size_t bytes = 0;
    for (const Pass &pass : passesOf(header)) {
        const PassSize size = sizeOf(pass, header);
        bytes += size.rows * (size.columns * std::size_t(header.layout->bytesPerPixel) + 1);
    }
    return bytes;
}

// A row of a pass lands on every dx-th pixel of its line: converted side by
// side into passPixels, then spread out, unless it fills the line.
void placeRow(const uint8_t *samples, const Pass &pass, std::size_t columns, const Header &header,
              uchar *line, std::vector<uchar> &passPixels)
{
    const pngrows::Layout &layout = *header.layout;
    if (pass.dx == 1) {
        layout.convert(samples, line, int(columns), header.key);
        return;
    }
    const auto pixelBytes = std::size_t(QImage::toPixelFormat(layout.format).bitsPerPixel() / 8);
    passPixels.resize(columns * pixelBytes);
    layout.convert(samples, passPixels.data(), int(columns), header.key);
    for (std::size_t i = 0; i < columns; ++i) {
        std::memcpy(line + (pass.x + i * pass.dx) * pixelBytes, passPixels.data() + i * pixelBytes,
                    pixelBytes);
    }
}

bool unfilterInto(uint8_t *rows, const Header &header, QImage &image)
{
    const int bytesPerPixel = header.layout->bytesPerPixel;
    const std::vector<uint8_t> zeroRow(std::size_t(header.width) * std::size_t(bytesPerPixel), 0);
    std::vector<uchar> passPixels;
    for (const Pass &pass : passesOf(header)) {
        const PassSize size = sizeOf(pass, header);
        const std::size_t rowBytes = size.columns * std::size_t(bytesPerPixel);
        const uint8_t *above = zeroRow.data();
        for (std::size_t row = 0; row < size.rows; ++row, rows += rowBytes + 1) {
            if (!pngrows::unfilter(rows[0], rows + 1, above, rowBytes, bytesPerPixel))
                return false;
            uchar *line = image.scanLine(int(pass.y + row * pass.dy));
            placeRow(rows + 1, pass, size.columns, header, line, passPixels);
            above = rows + 1;
        }
    }
    return true;
}

pngreader::Outcome decodeRows(const std::vector<Chunk> &chunks, const Header &header,
                              QImage *image)
{
    Compressed compressed;
    gather(chunks, &compressed);
    const auto rows = inflated(compressed, inflatedBytes(header));
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
    const Header header = headerOf(chunks);
    if (!header.layout)
        return Outcome::LeftToQt;
    const QImage onePixel = onePixelOf(chunks, header.layout->bytesPerPixel);
    if (!readAlike(onePixel, *header.layout))
        return Outcome::LeftToQt;
    const Outcome outcome = decodeRows(chunks, header, image);
    if (outcome == Outcome::Decoded)
        pixelaccess::copyMetadata(onePixel, *image);
    return outcome;
}

} // namespace pngreader
