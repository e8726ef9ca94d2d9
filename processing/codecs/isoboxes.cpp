#include "codecs/isoboxes.h"

namespace isoboxes {

quint64 Cursor::read(int size)
{
    quint64 value = 0;
    if (size < 0 || size > 8 || at + size > end) {
        good = false;
        return 0;
    }
    for (int i = 0; i < size; ++i)
        value = value << 8 | uchar(bytes[at++]);
    return value;
}

bool boxesIn(const QByteArray &bytes, qsizetype from, qsizetype to, QList<Box> *boxes)
{
    while (from < to) {
        Cursor cursor(bytes, from, to);
        Box box;
        box.start = from;
        quint64 size = cursor.read(4);
        box.type = bytes.mid(cursor.position(), 4);
        cursor.read(4);
        if (size == 1)
            size = cursor.read(8);
        box.toEnd = size == 0;
        if (box.toEnd)
            size = quint64(to - from);
        box.payload = cursor.position();
        if (!cursor.ok() || size < quint64(box.payload - from) || size > quint64(to - from))
            return false;
        box.size = qsizetype(size);
        boxes->append(box);
        from += box.size;
    }
    return true;
}

const Box *find(const QList<Box> &boxes, const char *type)
{
    for (const Box &box : boxes) {
        if (box.type == type)
            return &box;
    }
    return nullptr;
}

void put(QByteArray &out, quint64 value, int size)
{
    for (int shift = (size - 1) * 8; shift >= 0; shift -= 8)
        out.append(char(value >> shift & 0xff));
}

QByteArray box(const char *type, const QByteArray &contents)
{
    QByteArray out;
    put(out, quint64(contents.size()) + 8, 4);
    return out + QByteArray(type, 4) + contents;
}

QByteArray fullBox(const char *type, int version, const QByteArray &contents, quint32 flags)
{
    QByteArray header;
    put(header, quint64(version) << 24 | flags, 4);
    return box(type, header + contents);
}

} // namespace isoboxes
