#include "formats/imageheader.h"

#include "codecs/heifcodec.h"
#include "codecs/jxlcodec.h"
#include "codecs/rawcodec.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <cctype>
#include <climits>

namespace {

struct BmpHeader
{
    qint64 dataOffset = 0;
    qint64 width = 0;
    qint64 height = 0;
    int bitsPerPixel = 0;
    quint32 compression = 0;
};

bool readBmpHeader(const QByteArray &head, BmpHeader *header)
{
    if (head.size() < 30 || !head.startsWith("BM"))
        return false;
    const uchar *bytes = reinterpret_cast<const uchar *>(head.constData());
    header->dataOffset = qFromLittleEndian<quint32>(bytes + 10);
    const quint32 infoSize = qFromLittleEndian<quint32>(bytes + 14);
    if (infoSize == 12) { // OS/2
        header->width = qFromLittleEndian<quint16>(bytes + 18);
        header->height = qFromLittleEndian<quint16>(bytes + 20);
        header->bitsPerPixel = qFromLittleEndian<quint16>(bytes + 24);
        return true;
    }
    if (infoSize < 40 || head.size() < 34)
        return false;
    header->width = qAbs(qint64(qFromLittleEndian<qint32>(bytes + 18)));
    header->height = qAbs(qint64(qFromLittleEndian<qint32>(bytes + 22)));
    header->bitsPerPixel = qFromLittleEndian<quint16>(bytes + 28);
    header->compression = qFromLittleEndian<quint32>(bytes + 30);
    return true;
}

int decodedBmpDepth(int bitsPerPixel)
{
    return bitsPerPixel == 1 ? 1 : bitsPerPixel <= 8 ? 8 : 32;
}

// The first count whitespace-separated numbers from position on, skipping
// '#' comments as the PBM family allows; fewer when the text ends or holds
// something else.
QList<qint64> leadingNumbers(const QByteArray &text, int position, int count)
{
    QList<qint64> numbers;
    while (position < text.size() && numbers.size() < count) {
        const char c = text.at(position);
        if (c == '#') {
            while (position < text.size() && text.at(position) != '\n')
                ++position;
        } else if (std::isspace(uchar(c))) {
            ++position;
        } else if (std::isdigit(uchar(c))) {
            qint64 number = 0;
            while (position < text.size() && std::isdigit(uchar(text.at(position)))
                   && number < (qint64(1) << 40))
                number = number * 10 + (text.at(position++) - '0');
            numbers << number;
        } else {
            break;
        }
    }
    return numbers;
}

ClaimedPicture pnmClaim(const QByteArray &head)
{
    if (head.size() < 3 || head.at(0) != 'P' || head.at(1) < '1' || head.at(1) > '6')
        return {};
    const QList<qint64> numbers = leadingNumbers(head, 2, 2);
    if (numbers.size() < 2 || numbers.at(0) > INT_MAX || numbers.at(1) > INT_MAX)
        return {};
    const char kind = head.at(1);
    const int depth = (kind == '1' || kind == '4') ? 1 : (kind == '2' || kind == '5') ? 8 : 32;
    return {QSize(int(numbers.at(0)), int(numbers.at(1))), depth};
}

ClaimedPicture xpmClaim(const QByteArray &head)
{
    if (!head.contains("XPM"))
        return {};
    const int quote = head.indexOf('"');
    if (quote < 0)
        return {};
    const QList<qint64> numbers = leadingNumbers(head, quote + 1, 2);
    if (numbers.size() < 2 || numbers.at(0) > INT_MAX || numbers.at(1) > INT_MAX)
        return {};
    return {QSize(int(numbers.at(0)), int(numbers.at(1))), 32};
}

// Counts the pixels the LZW codes of a GIF image yield, without decoding
// them: each code stands for an earlier code's string and one pixel more.
// The count ends at the end code, at a code no decoder can know, or once
// it reaches the pixels wanted. A code size no GIF has is left to the
// decoder to judge: it counts as every pixel present.
class LzwPixelCount
{
public:
    LzwPixelCount(int minimumCodeSize, qint64 wanted)
        : valid(minimumCodeSize >= 1 && minimumCodeSize <= 11)
        , firstCodeSize(minimumCodeSize + 1)
        , clear(valid ? 1 << minimumCodeSize : 0)
        , wanted(wanted)
    {
        std::fill(lengths, lengths + clear, quint16(1));
        restart();
    }

    bool done() const { return !valid || ended || pixels >= wanted; }
    qint64 count() const { return valid ? std::min(pixels, wanted) : wanted; }

    void feed(const QByteArray &bytes)
    {
        for (const char byte : bytes) {
            // Blocks may go on past the end code; their bytes mean nothing.
            if (done())
                return;
            bits |= quint32(uchar(byte)) << bitCount;
            bitCount += 8;
            while (bitCount >= codeSize && !done()) {
                const int code = int(bits & ((1u << codeSize) - 1));
                bits >>= codeSize;
                bitCount -= codeSize;
                take(code);
            }
        }
    }

private:
    static constexpr int tableSize = 4096;

    void restart()
    {
        codeSize = firstCodeSize;
        next = clear + 2;
        previous = -1;
    }

    void take(int code)
    {
        if (code == clear) {
            restart();
            return;
        }
        const bool known = code < next && code != clear + 1;
        if (code == clear + 1 || (!known && (code != next || previous < 0))) {
            ended = true;
            return;
        }
        const quint16 length = known ? lengths[code] : quint16(lengths[previous] + 1);
        if (previous >= 0 && next < tableSize) {
            lengths[next++] = quint16(lengths[previous] + 1);
            if (next == (1 << codeSize) && codeSize < 12)
                ++codeSize;
        }
        pixels += length;
        previous = code;
    }

    const bool valid;
    const int firstCodeSize;
    const int clear;
    const qint64 wanted;
    quint16 lengths[tableSize] = {};
    int codeSize = 0;
    int next = 0;
    int previous = -1;
    quint32 bits = 0;
    int bitCount = 0;
    qint64 pixels = 0;
    bool ended = false;
};

// Passes over a chain of GIF data sub-blocks up to its terminating empty
// block, handing their bytes to counter while it counts.
bool readSubBlocks(QIODevice &device, LzwPixelCount *counter = nullptr)
{
    for (;;) {
        const QByteArray length = device.read(1);
        if (length.isEmpty())
            return false;
        const int size = uchar(length.at(0));
        if (size == 0)
            return true;
        const bool whole = device.size() - device.pos() >= size;
        if (counter && !counter->done())
            counter->feed(device.read(size)); // a decoder reads a cut block's bytes too
        else if (whole)
            device.seek(device.pos() + size);
        if (!whole)
            return false;
    }
}

int colourTableBytes(char flags)
{
    return (uchar(flags) & 0x80) ? 3 * (2 << (uchar(flags) & 0x07)) : 0;
}

// What a walk over a GIF's blocks found: whether it reached the trailer, and
// the pixels its first image claims and those its LZW data holds.
struct GifWalk
{
    bool whole = false;
    qint64 claimed = -1; // no image met
    qint64 present = 0;
};

// An image descriptor after its introducer: position, size, flags.
using GifDescriptor = char[9];

// The first image's pixels, counted from its code size and sub-blocks.
bool readFirstImage(QIODevice &device, const GifDescriptor &descriptor, GifWalk *walk)
{
    walk->claimed = qint64(qFromLittleEndian<quint16>(descriptor + 4))
            * qFromLittleEndian<quint16>(descriptor + 6);
    const QByteArray codeSize = device.read(1);
    if (codeSize.isEmpty())
        return false;
    LzwPixelCount counter(uchar(codeSize.at(0)), walk->claimed);
    const bool read = readSubBlocks(device, &counter);
    walk->present = counter.count();
    return read;
}

// Walks the blocks of a GIF from its start; up to the trailer, or with
// firstImageOnly up to the end of the first image.
GifWalk walkGif(QIODevice &device, bool firstImageOnly)
{
    GifWalk walk;
    const QByteArray screen = device.read(13);
    if (screen.size() < 13 || !device.seek(device.pos() + colourTableBytes(screen.at(10))))
        return walk;
    for (;;) {
        const QByteArray introducer = device.read(1);
        if (introducer.isEmpty())
            return walk;
        switch (introducer.at(0)) {
        case 0x3b: // trailer
            walk.whole = true;
            return walk;
        case 0x21: // extension: its label, then sub-blocks
            if (device.read(1).isEmpty() || !readSubBlocks(device))
                return walk;
            break;
        case 0x2c: { // image: descriptor, local colour table, code size, sub-blocks
            GifDescriptor descriptor;
            if (device.read(descriptor, sizeof descriptor) < qint64(sizeof descriptor)
                || !device.seek(device.pos() + colourTableBytes(descriptor[8])))
                return walk;
            const bool read = walk.claimed < 0
                    ? readFirstImage(device, descriptor, &walk)
                    : !device.read(1).isEmpty() && readSubBlocks(device);
            if (!read || firstImageOnly)
                return walk;
            break;
        }
        default: // not a block: what follows is not ours to judge
            walk.whole = true;
            return walk;
        }
    }
}

} // namespace

ClaimedPicture claimedPicture(const QByteArray &head)
{
    BmpHeader bmp;
    if (readBmpHeader(head, &bmp)) {
        if (bmp.width > INT_MAX || bmp.height > INT_MAX)
            return {};
        return {QSize(int(bmp.width), int(bmp.height)), decodedBmpDepth(bmp.bitsPerPixel)};
    }
    const ClaimedPicture pnm = pnmClaim(head);
    return pnm.size.isValid() ? pnm : xpmClaim(head);
}

QByteArray signatureFormat(const QByteArray &head)
{
    BmpHeader bmp;
    if (head.startsWith("\xff\xd8\xff"))
        return QByteArrayLiteral("jpeg");
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return QByteArrayLiteral("png");
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return QByteArrayLiteral("gif");
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP")
        return QByteArrayLiteral("webp");
    if (isCameraRaw(head))
        return QByteArrayLiteral("raw");
    const QByteArray heif = heifFormat(head);
    if (!heif.isEmpty())
        return heif;
    if (isJpegXl(head))
        return QByteArrayLiteral("jxl");
    if (head.startsWith(QByteArrayLiteral("II*\0")) || head.startsWith(QByteArrayLiteral("MM\0*")))
        return QByteArrayLiteral("tiff");
    if (readBmpHeader(head, &bmp))
        return QByteArrayLiteral("bmp");
    return QByteArray();
}

QString cutShortWarning()
{
    return QStringLiteral("damaged: the file is cut short");
}

QString truncationOf(QIODevice &device, const QByteArray &format)
{
    if (!device.seek(0))
        return QString();
    if (format == "bmp") {
        BmpHeader bmp;
        // Compressed rows have no size known in advance; the decoder tells.
        if (!readBmpHeader(device.peek(64), &bmp) || (bmp.compression != 0 && bmp.compression != 3))
            return QString();
        const qint64 rowBytes = (bmp.width * bmp.bitsPerPixel + 31) / 32 * 4;
        return device.size() < bmp.dataOffset + rowBytes * bmp.height ? cutShortWarning() : QString();
    }
    if (format == "gif") {
        const GifWalk walk = walkGif(device, false);
        if (!walk.whole)
            return cutShortWarning();
        return walk.present < walk.claimed ? QStringLiteral("damaged: the pixel data ends early")
                                           : QString();
    }
    return QString();
}

QString missingPixels(QIODevice &device, const QByteArray &format)
{
    const QString none = QStringLiteral("damaged: no pixel data");
    if (!device.seek(0))
        return QString();
    if (format == "bmp") {
        BmpHeader bmp;
        return readBmpHeader(device.peek(64), &bmp) && bmp.width > 0 && bmp.height > 0
                        && device.size() <= bmp.dataOffset
                ? none
                : QString();
    }
    if (format == "gif") {
        const GifWalk walk = walkGif(device, true);
        return walk.claimed > 0 && walk.present == 0 ? none : QString();
    }
    return QString();
}
