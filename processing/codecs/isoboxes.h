#ifndef ISOBOXES_H
#define ISOBOXES_H

#include <QByteArray>
#include <QList>

// The boxes of the ISO base media file format, which HEIF, AVIF and the
// JPEG XL container are made of: a size, a four-letter type, the contents.
namespace isoboxes {

// Big-endian fields read from bytes[from, to); a read past the end gives 0
// and leaves ok() false.
class Cursor
{
public:
    Cursor(const QByteArray &bytes, qsizetype from, qsizetype to) : bytes(bytes), at(from), end(to) {}

    quint64 read(int size);
    bool ok() const { return good; }
    qsizetype position() const { return at; }

private:
    const QByteArray &bytes;
    qsizetype at;
    qsizetype end;
    bool good = true;
};

struct Box
{
    QByteArray type;
    qsizetype start = 0;
    qsizetype size = 0;
    qsizetype payload = 0; // where the contents start
    bool toEnd = false;    // its size field says "to the end of the file"

    qsizetype end() const { return start + size; }
};

// The boxes laid side by side in bytes[from, to); false when one does not
// fit there.
bool boxesIn(const QByteArray &bytes, qsizetype from, qsizetype to, QList<Box> *boxes);
// The first box of the type; null when there is none.
const Box *find(const QList<Box> &boxes, const char *type);

// Appends value as a big-endian field of size bytes.
void put(QByteArray &out, quint64 value, int size);
QByteArray box(const char *type, const QByteArray &contents);
// A box whose contents start with a version and flags.
QByteArray fullBox(const char *type, int version, const QByteArray &contents, quint32 flags = 0);

} // namespace isoboxes

#endif // ISOBOXES_H
