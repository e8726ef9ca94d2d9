#include "codecs/jpegstructure.h"

#include <QIODevice>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <unistd.h>

namespace jpegstructure {

namespace {

// A larger head is read at a time while looking for the first scan.
constexpr qint64 headStep = 64 * 1024;
constexpr int blockSide = 8;
constexpr qint64 bytesPerBlock = 64 * 2; // 64 coefficients of 16 bits

qint64 bigEndian16(const uchar *at)
{
    return qint64(at[0]) << 8 | at[1];
}

qint64 roundedUp(qint64 value, qint64 step)
{
    return (value + step - 1) / step * step;
}

qint64 dividedUp(qint64 value, qint64 divisor)
{
    return (value + divisor - 1) / divisor;
}

// Start of frame, of any coding; C4, C8 and CC are other markers.
bool isFrame(uchar marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool isProgressive(uchar marker)
{
    return marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
}

// Baseline, extended and progressive DCT with Huffman tables: the codings
// libjpeg decodes besides the arithmetic ones.
bool isHuffmanDct(uchar marker)
{
    return marker >= 0xC0 && marker <= 0xC2;
}

// Bytes that stand alone: a stuffed zero or a restart inside coded data, a
// temporary marker, a start of image.
bool isStandalone(uchar marker)
{
    return marker == 0x00 || marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7);
}

// The frame header, with the blocks of each component as libjpeg counts
// them; false for a header libjpeg refuses.
bool readFrame(const uchar *payload, qint64 length, uchar marker, Layout *layout)
{
    if (length < 6)
        return false;
    const qint64 height = bigEndian16(payload + 1);
    const qint64 width = bigEndian16(payload + 3);
    const int count = payload[5];
    if (width == 0 || height == 0 || count == 0 || length < 6 + 3 * qint64(count))
        return false;
    QList<Component> components;
    for (int index = 0; index < count; ++index) {
        const uchar *field = payload + 6 + 3 * index;
        const Component component{field[0], field[1] >> 4, field[1] & 0x0F};
        if (component.horizontal < 1 || component.horizontal > 4 || component.vertical < 1
            || component.vertical > 4)
            return false;
        layout->widest = qMax(layout->widest, component.horizontal);
        layout->tallest = qMax(layout->tallest, component.vertical);
        components << component;
    }
    for (Component &component : components) {
        component.widthInBlocks = dividedUp(width * component.horizontal, layout->widest * blockSide);
        component.heightInBlocks = dividedUp(height * component.vertical, layout->tallest * blockSide);
    }
    layout->framed = true;
    layout->progressive = isProgressive(marker);
    layout->huffman = isHuffmanDct(marker);
    layout->size = QSize(int(width), int(height));
    layout->components = components;
    return true;
}

// The blocks of the scan whose header is payload; none for a header that
// names no component of the frame.
ScanBlocks scanBlocks(const uchar *payload, qint64 length, const Layout &layout)
{
    const int count = length > 0 ? payload[0] : 0;
    if (!layout.framed || length < 1 + 2 * qint64(count))
        return {};
    qint64 unitBlocks = 0;
    const Component *named = nullptr;
    for (int index = 0; index < count; ++index) {
        for (const Component &component : layout.components) {
            if (component.id != payload[1 + 2 * index])
                continue;
            unitBlocks += component.horizontal * component.vertical;
            named = &component;
            break;
        }
    }
    if (!named)
        return {};
    const qint64 unitSide = qint64(layout.tallest) * blockSide;
    if (count == 1)
        return {named->heightInBlocks, named->widthInBlocks, unitSide, named->vertical};
    return {dividedUp(layout.size.height(), unitSide),
            dividedUp(layout.size.width(), qint64(layout.widest) * blockSide) * unitBlocks, unitSide, 1};
}

// Whether the scan whose header is payload holds the DC coefficients of its
// blocks (its spectral selection starts at 0).
bool codesDc(const uchar *payload, qint64 length)
{
    const qint64 spectralStart = 1 + 2 * qint64(length > 0 ? payload[0] : 0);
    return length > spectralStart + 2 && payload[spectralStart] == 0;
}

// Each block of a Huffman-coded scan of DC coefficients takes a code of at
// least one bit, so each byte of the first scan reaches at most 8 blocks;
// past its data libjpeg makes up what it decodes.
qint64 rowsWithData(const Layout &layout)
{
    const ScanBlocks &scan = layout.firstScanBlocks;
    const qint64 unitRows = dividedUp(8 * layout.firstScanBytes, scan.blocksPerUnitRow);
    return qMin(qint64(layout.size.height()), dividedUp(unitRows * scan.rowSpan, scan.rowSpanDivisor));
}

qint64 pictureBlocks(const Layout &layout)
{
    qint64 blocks = 0;
    for (const Component &component : layout.components)
        blocks += component.widthInBlocks * component.heightInBlocks;
    return blocks;
}

// The bytes the walk goes through, forward only: all of them in memory, or
// a file read a piece at a time into a buffer that holds any one segment.
class WalkedBytes
{
public:
    explicit WalkedBytes(const QByteArray &bytes)
        : data(reinterpret_cast<const uchar *>(bytes.constData())), filled(bytes.size()), size(bytes.size())
    {
    }
    WalkedBytes(int descriptor, qint64 size) : descriptor(descriptor), size(size) {}

    qint64 end() const { return size; }

    // The count bytes from position on, together; null past the end.
    const uchar *span(qint64 position, qint64 count)
    {
        if (position < base || position + count > base + filled)
            fill(position, count);
        return position + count <= base + filled ? data + (position - base) : nullptr;
    }

    // Where the next 0xFF from position on is; -1 when none is.
    qint64 nextFF(qint64 position)
    {
        while (position < size && span(position, 1)) {
            const qint64 available = base + filled - position;
            const auto *found = static_cast<const uchar *>(std::memchr(data + (position - base), 0xFF, size_t(available)));
            if (found)
                return base + (found - data);
            position += available;
        }
        return -1;
    }

private:
    // A file that is shorter than it was ends where its bytes do.
    void fill(qint64 position, qint64 count)
    {
        if (descriptor < 0)
            return;
        const qint64 wanted = std::max<qint64>(count, pieceBytes);
        if (qint64(buffer.size()) < wanted)
            buffer.resize(size_t(wanted));
        qint64 got = 0;
        while (got < wanted) {
            const ssize_t read = ::pread(descriptor, buffer.data() + got, size_t(wanted - got), off_t(position + got));
            if (read < 0 && errno == EINTR)
                continue;
            if (read <= 0)
                break;
            got += read;
        }
        data = buffer.data();
        base = position;
        filled = got;
        if (got < wanted)
            size = std::min(size, position + got);
    }

    static constexpr qint64 pieceBytes = 256 * 1024;
    const int descriptor = -1;
    std::vector<uchar> buffer;
    const uchar *data = nullptr;
    qint64 base = 0; // the file's position of data[0]
    qint64 filled = 0;
    qint64 size;
};

// Markers are found as libjpeg finds them: the next 0xFF not followed by a
// stuffed zero or a restart, whatever lies between (coded data, or garbage
// libjpeg skips with a warning); segments are passed over by their length.
Layout walk(WalkedBytes &bytes, Extent extent)
{
    Layout layout;
    const uchar *start = bytes.span(0, 2);
    if (!start || start[0] != 0xFF || start[1] != 0xD8)
        return layout;
    qint64 position = 2;
    qint64 codedFrom = -1; // where the coded data of the current scan began
    const auto codedUpTo = [&](qint64 end) {
        if (codedFrom < 0)
            return;
        layout.entropyBytes += end - codedFrom;
        if (layout.scans == 1)
            layout.firstScanBytes = end - codedFrom;
        codedFrom = -1;
    };
    while (position < bytes.end()) {
        const qint64 found = bytes.nextFF(position);
        if (found < 0)
            break;
        qint64 next = found + 1;
        while (bytes.span(next, 1) && *bytes.span(next, 1) == 0xFF)
            ++next;
        const uchar *markerByte = bytes.span(next, 1);
        if (!markerByte)
            break;
        const uchar marker = *markerByte;
        position = next + 1;
        if (isStandalone(marker))
            continue;
        codedUpTo(found);
        layout.ended = marker == 0xD9;
        const uchar *lengthBytes = layout.ended ? nullptr : bytes.span(position, 2);
        if (!lengthBytes)
            break;
        const qint64 length = bigEndian16(lengthBytes);
        const uchar *payload = length < 2 ? nullptr : bytes.span(position + 2, length - 2);
        if (!payload)
            break;
        position += length;
        if (isFrame(marker) && !layout.framed && !readFrame(payload, length - 2, marker, &layout))
            return Layout();
        if (marker != 0xDA)
            continue;
        const ScanBlocks blocks = scanBlocks(payload, length - 2, layout);
        layout.blockVisits += blocks.visits();
        if (++layout.scans == 1) {
            layout.firstScanComponents = length > 2 ? payload[0] : 0;
            if (layout.huffman && codesDc(payload, length - 2))
                layout.firstScanBlocks = blocks;
        }
        if (extent == Extent::FirstScan)
            break;
        codedFrom = position;
    }
    codedUpTo(bytes.end());
    return layout;
}

} // namespace

Layout read(const QByteArray &bytes, Extent extent)
{
    WalkedBytes walked(bytes);
    return walk(walked, extent);
}

Layout readFile(int descriptor, qint64 size)
{
    WalkedBytes walked(descriptor, size);
    return walk(walked, Extent::AllScans);
}

// Walked afresh as the head grows: a head holds few segments before its
// first scan, each passed over by its length.
Layout readHead(QIODevice &device)
{
    QByteArray head;
    for (;;) {
        const QByteArray more = device.read(headStep);
        head += more;
        const Layout layout = read(head, Extent::FirstScan);
        if (layout.scans > 0 || more.size() < headStep)
            return layout;
    }
}

// libjpeg rounds each component's blocks up to whole sampling units.
qint64 coefficientBytes(const Layout &layout)
{
    if (!layout.framed
        || (!layout.progressive && layout.firstScanComponents >= layout.components.size()))
        return 0;
    qint64 bytes = 0;
    for (const Component &component : layout.components) {
        bytes += roundedUp(component.widthInBlocks, component.horizontal)
                * roundedUp(component.heightInBlocks, component.vertical) * bytesPerBlock;
    }
    return bytes;
}

QString refusal(const Layout &layout)
{
    const QString noPixelData = QStringLiteral("damaged: no pixel data");
    if (layout.scans > 0 && layout.entropyBytes == 0)
        return noPixelData;
    if (layout.firstScanBlocks.visits() > 0) {
        const qint64 rows = rowsWithData(layout);
        if (rows == 0)
            return noPixelData;
        if (rows * leastRowShare < layout.size.height()) {
            return QStringLiteral("damaged: the pixel data covers at most %1 of %2 rows")
                    .arg(rows).arg(layout.size.height());
        }
    }
    if (layout.scans > maxScans) {
        return QStringLiteral("too many progressive scans: %1 (at most %2)")
                .arg(layout.scans).arg(maxScans);
    }
    const qint64 blocks = pictureBlocks(layout);
    if (blocks > 0 && layout.blockVisits > maxVisitsPerBlock * blocks) {
        return QStringLiteral("too many progressive scans: they visit each block %1 times "
                              "(at most %2)")
                .arg(layout.blockVisits / blocks).arg(maxVisitsPerBlock);
    }
    return QString();
}

} // namespace jpegstructure
