#ifndef JPEGSTRUCTURE_H
#define JPEGSTRUCTURE_H

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>

class QIODevice;

// What the markers of a JPEG file say of the work and the memory its decode
// takes, read without decoding. libjpeg visits every block of a scan's
// components however few bytes the scan holds, so a file of a few hundred
// kilobytes can hold thousands of scans over a large picture and keep a
// core busy for minutes; and a progressive file is decoded into a buffer of
// every coefficient of the picture, kept beside the picture itself.
namespace jpegstructure {

// No encoder writes more scans: a progressive file has about ten.
constexpr int maxScans = 1000;
// The scans of a file may visit each block of the picture this many times
// on average; the usual progressive scripts visit a block 4 to 6 times.
constexpr int maxVisitsPerBlock = 32;
// The coded data of a file's first scan must be able to reach one row of
// its picture in this many: below, the file is a header with a sliver of
// data, whose decode would make up the rest of a picture of any size.
constexpr int leastRowShare = 64;

struct Component
{
    int id = 0;
    int horizontal = 1; // sampling factors, 1 to 4
    int vertical = 1;
    qint64 widthInBlocks = 0;
    qint64 heightInBlocks = 0;
};

// The blocks a scan makes the decoder visit, row by row of its units: the
// blocks of its one component, or the MCUs of its interleaved components.
struct ScanBlocks
{
    qint64 unitRows = 0;
    qint64 blocksPerUnitRow = 0;
    // A row of units spans rowSpan / rowSpanDivisor rows of the picture.
    qint64 rowSpan = 0;
    int rowSpanDivisor = 1;

    qint64 visits() const { return unitRows * blocksPerUnitRow; }
};

struct Layout
{
    bool framed = false; // a frame header libjpeg accepts was read
    bool progressive = false;
    bool huffman = false; // DCT coded with Huffman tables, not arithmetic
    QSize size;
    QList<Component> components;
    int widest = 1; // the largest sampling factors
    int tallest = 1;
    int firstScanComponents = 0;
    // The first scan's blocks when it codes their DC coefficients with
    // Huffman codes, at least a bit a block; none otherwise.
    ScanBlocks firstScanBlocks;
    qint64 firstScanBytes = 0; // its coded data
    int scans = 0;
    qint64 blockVisits = 0; // summed over the scans
    qint64 entropyBytes = 0; // the coded data of every scan
    bool ended = false; // the end of image was met after the scans walked
};

enum class Extent { FirstScan, AllScans };

// Walks the markers of the file held in bytes, as libjpeg meets them, up to
// the header of the first scan or up to the end of the image.
Layout read(const QByteArray &bytes, Extent extent);

// The same up to the end of the image for the file open as descriptor, of
// size bytes, read from its start a piece at a time: the whole file is
// never held.
Layout readFile(int descriptor, qint64 size);

// The same up to the first scan, reading from device only as far as that.
Layout readHead(QIODevice &device);

// Bytes libjpeg keeps for the coefficients of the whole picture when its
// scans need them kept (progressive, or one scan per component); 0 when it
// decodes row by row.
qint64 coefficientBytes(const Layout &layout);

// Why the file whose layout was read with Extent::AllScans is not decoded:
// its scans would take work out of proportion to its picture ("too many
// progressive scans: ..."), they hold no coded data at all, which libjpeg
// would decode to a blank picture ("damaged: no pixel data"), or the first
// scan's data cannot reach one row in leastRowShare ("damaged: the pixel
// data covers at most 16 of 16000 rows"), where libjpeg would make up the
// rest. Empty when it is decoded.
QString refusal(const Layout &layout);

} // namespace jpegstructure

#endif // JPEGSTRUCTURE_H
