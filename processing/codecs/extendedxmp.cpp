#include "codecs/extendedxmp.h"

#include <QIODevice>
#include <QtEndian>

namespace extendedxmp {

namespace {

const QByteArray mainSignature("http://ns.adobe.com/xap/1.0/\0", 29);
const QByteArray extensionSignature("http://ns.adobe.com/xmp/extension/\0", 35);

constexpr uchar app1 = 0xE1;
constexpr uchar startOfScan = 0xDA;
constexpr uchar endOfImage = 0xD9;

struct Segment
{
    uchar marker = 0;
    qint64 start = 0; // of its marker
    qint64 length = 0; // of marker, length field and payload
};

// The segment at position of a file held in bytes; a marker of 0 past the
// end, or at a cut segment.
Segment segmentAt(const QByteArray &bytes, qint64 position)
{
    if (position + 4 > bytes.size() || uchar(bytes.at(position)) != 0xFF)
        return {};
    const qint64 length = 2 + qFromBigEndian<quint16>(bytes.constData() + position + 2);
    if (position + length > bytes.size())
        return {};
    return {uchar(bytes.at(position + 1)), position, length};
}

} // namespace

QByteArray segmentsOf(QIODevice &device)
{
    QByteArray segments;
    if (!device.seek(0) || device.read(2) != "\xFF\xD8")
        return segments;
    for (;;) {
        const QByteArray header = device.read(4);
        if (header.size() < 4 || uchar(header.at(0)) != 0xFF)
            return segments;
        const uchar marker = uchar(header.at(1));
        const qint64 payload = qint64(qFromBigEndian<quint16>(header.constData() + 2)) - 2;
        if (marker == startOfScan || marker == endOfImage || payload < 0)
            return segments;
        if (marker == app1 && device.peek(extensionSignature.size()) == extensionSignature)
            segments += header + device.read(payload);
        else if (!device.seek(device.pos() + payload))
            return segments;
    }
}

bool insertInto(QByteArray &encoded, const QByteArray &segments)
{
    qint64 position = 2;
    for (Segment segment = segmentAt(encoded, position); segment.marker != 0
         && segment.marker != startOfScan;
         segment = segmentAt(encoded, position)) {
        position += segment.length;
        if (segment.marker == app1 && encoded.mid(segment.start + 4, mainSignature.size()) == mainSignature) {
            encoded.insert(position, segments);
            return true;
        }
    }
    return false;
}

} // namespace extendedxmp
