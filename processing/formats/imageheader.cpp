#include "formats/imageheader.h"

#include <QIODevice>
#include <QtEndian>

#include <cctype>
#include <climits>

namespace {

const QString cutShort = QStringLiteral("damaged: the file is cut short");

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

// Skips a chain of GIF data sub-blocks up to its terminating empty block.
bool skipSubBlocks(QIODevice &device)
{
    for (;;) {
        const QByteArray length = device.read(1);
        if (length.isEmpty())
            return false;
        const int size = uchar(length.at(0));
        if (size == 0)
            return true;
        if (device.size() - device.pos() < size || !device.seek(device.pos() + size))
            return false;
    }
}

int colourTableBytes(char flags)
{
    return (uchar(flags) & 0x80) ? 3 * (2 << (uchar(flags) & 0x07)) : 0;
}

// Walks the blocks of a GIF from its start up to the trailer.
bool gifComplete(QIODevice &device)
{
    const QByteArray screen = device.read(13);
    if (screen.size() < 13 || !device.seek(device.pos() + colourTableBytes(screen.at(10))))
        return false;
    for (;;) {
        const QByteArray introducer = device.read(1);
        if (introducer.isEmpty())
            return false;
        switch (introducer.at(0)) {
        case 0x3b: // trailer
            return true;
        case 0x21: // extension: its label, then sub-blocks
            if (device.read(1).isEmpty() || !skipSubBlocks(device))
                return false;
            break;
        case 0x2c: { // image: descriptor, local colour table, code size, sub-blocks
            const QByteArray descriptor = device.read(9);
            if (descriptor.size() < 9
                || !device.seek(device.pos() + colourTableBytes(descriptor.at(8)))
                || device.read(1).isEmpty() || !skipSubBlocks(device))
                return false;
            break;
        }
        default: // not a block: what follows is not ours to judge
            return true;
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
    if (head.startsWith(QByteArrayLiteral("II*\0")) || head.startsWith(QByteArrayLiteral("MM\0*")))
        return QByteArrayLiteral("tiff");
    if (readBmpHeader(head, &bmp))
        return QByteArrayLiteral("bmp");
    return QByteArray();
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
        return device.size() < bmp.dataOffset + rowBytes * bmp.height ? cutShort : QString();
    }
    if (format == "gif")
        return gifComplete(device) ? QString() : cutShort;
    return QString();
}
