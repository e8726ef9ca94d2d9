// EXIF and XMP in HEIF and AVIF files. libheif reads them; to add them to a
// file our encoder wrote, its boxes are edited here, as libheif writes only
// a file it encoded itself: items are declared in the meta box (their
// entries, their locations, a reference to the picture they describe) and
// their data appended in a box of its own, the locations of the picture's
// data moved by what the meta box grew.
#include "codecs/heifmetadata.h"

#include "codecs/isoboxes.h"

#include <QFile>
#include <QList>

#include <libheif/heif.h>

#include <memory>

namespace heifmetadata {
namespace {

using namespace isoboxes;

constexpr char xmpContentType[] = "application/rdf+xml";

// The TIFF structure of an EXIF item, which starts with the offset of its
// header from the end of that offset.
QByteArray tiffOf(const QByteArray &item)
{
    if (item.size() < 4)
        return QByteArray();
    const auto *bytes = reinterpret_cast<const uchar *>(item.constData());
    const quint64 skip = 4 + (quint64(bytes[0]) << 24 | quint64(bytes[1]) << 16 | quint64(bytes[2]) << 8 | bytes[3]);
    return skip < quint64(item.size()) ? item.mid(qsizetype(skip)) : QByteArray();
}

QByteArray blockOf(const heif_image_handle *handle, heif_item_id id)
{
    QByteArray data(qsizetype(heif_image_handle_get_metadata_size(handle, id)), Qt::Uninitialized);
    if (heif_image_handle_get_metadata(handle, id, data.data()).code != heif_error_Ok)
        return QByteArray();
    return data;
}

// The first block of the type ("Exif", or "mime" of contentType).
QByteArray firstBlock(const heif_image_handle *handle, const char *type, const char *contentType)
{
    const int count = heif_image_handle_get_number_of_metadata_blocks(handle, type);
    QList<heif_item_id> ids(count);
    heif_image_handle_get_list_of_metadata_block_IDs(handle, type, ids.data(), count);
    for (const heif_item_id id : std::as_const(ids)) {
        if (!contentType || qstrcmp(heif_image_handle_get_metadata_content_type(handle, id), contentType) == 0)
            return blockOf(handle, id);
    }
    return QByteArray();
}

// ---- item locations ----

struct Extent
{
    quint64 index = 0;
    quint64 offset = 0;
    quint64 length = 0;
};

struct Location
{
    quint32 item = 0;
    quint16 method = 0; // 0: in the file, 1: in the meta box's idat, 2: from another item
    quint16 dataReference = 0;
    quint64 base = 0;
    QList<Extent> extents;
};

// The field sizes stay the file's own: readers such as exiv2 expect the
// layouts encoders write.
struct Locations
{
    int version = 0;
    int offsetSize = 4;
    int lengthSize = 4;
    int baseSize = 0;
    int indexSize = 0;
    QList<Location> items;

    bool fits(quint64 value, int size) const { return size == 8 || value >> (8 * size) == 0; }
    // The data of item starts at.
    bool place(Location &item, quint64 at) const;
};

bool Locations::place(Location &item, quint64 at) const
{
    if (baseSize > 0) {
        item.base = at;
        return fits(at, baseSize);
    }
    for (Extent &extent : item.extents) {
        extent.offset += at - item.base;
        if (!fits(extent.offset, offsetSize))
            return false;
    }
    item.base = at;
    return true;
}

bool parseLocations(const QByteArray &bytes, const Box &iloc, Locations *locations)
{
    Cursor in(bytes, iloc.payload, iloc.end());
    const int version = locations->version = int(in.read(1));
    in.read(3);
    const int sizes = int(in.read(1));
    const int offsetSize = locations->offsetSize = sizes >> 4;
    const int lengthSize = locations->lengthSize = sizes & 15;
    const int moreSizes = int(in.read(1));
    const int baseSize = locations->baseSize = moreSizes >> 4;
    locations->indexSize = version >= 1 ? moreSizes & 15 : 0;
    const quint64 count = in.read(version < 2 ? 2 : 4);
    for (quint64 i = 0; i < count && in.ok(); ++i) {
        Location item;
        item.item = quint32(in.read(version < 2 ? 2 : 4));
        if (version >= 1)
            item.method = quint16(in.read(2) & 15);
        item.dataReference = quint16(in.read(2));
        item.base = in.read(baseSize);
        const quint64 extents = in.read(2);
        for (quint64 e = 0; e < extents && in.ok(); ++e)
            item.extents.append({in.read(locations->indexSize), in.read(offsetSize), in.read(lengthSize)});
        locations->items.append(item);
    }
    return in.ok() && version <= 2;
}

// Version 2 when an id needs four bytes.
QByteArray locationBox(const Locations &locations, bool wideIds)
{
    const int version = wideIds ? 2 : locations.version;
    QByteArray contents;
    put(contents, quint64(locations.offsetSize << 4 | locations.lengthSize), 1);
    put(contents, quint64(locations.baseSize << 4 | locations.indexSize), 1);
    put(contents, quint64(locations.items.size()), version < 2 ? 2 : 4);
    for (const Location &item : locations.items) {
        put(contents, item.item, version < 2 ? 2 : 4);
        if (version >= 1)
            put(contents, item.method, 2);
        put(contents, item.dataReference, 2);
        put(contents, item.base, locations.baseSize);
        put(contents, quint64(item.extents.size()), 2);
        for (const Extent &extent : item.extents) {
            put(contents, extent.index, locations.indexSize);
            put(contents, extent.offset, locations.offsetSize);
            put(contents, extent.length, locations.lengthSize);
        }
    }
    return fullBox("iloc", version, contents);
}

// Moves the data in the file that lies after the meta box by delta. False
// when some lies within the meta box, which no encoder does.
bool moveDataAfter(Locations &locations, qsizetype metaStart, qsizetype metaEnd, qsizetype delta)
{
    for (Location &item : locations.items) {
        if (item.method != 0 || item.dataReference != 0 || item.extents.isEmpty())
            continue;
        bool after = true, before = true;
        for (const Extent &extent : std::as_const(item.extents)) {
            const quint64 at = item.base + extent.offset;
            after = after && at >= quint64(metaEnd);
            before = before && at + extent.length <= quint64(metaStart);
        }
        if ((!after && !before) || (after && !locations.place(item, item.base + quint64(delta))))
            return false;
    }
    return true;
}

// ---- item information and references ----

struct NewItem
{
    quint32 id;
    QByteArray entry; // its infe box
    QByteArray data;
};

QByteArray itemEntry(quint32 id, const char *type, const char *contentType)
{
    const bool wide = id > 0xffff;
    QByteArray contents;
    put(contents, id, wide ? 4 : 2);
    put(contents, 0, 2); // not protected
    contents += QByteArray(type, 4);
    contents.append('\0'); // no name
    if (contentType)
        contents += QByteArray(contentType) + '\0';
    return fullBox("infe", wide ? 3 : 2, contents, 1); // hidden: no picture to show
}

// The highest item id the entries declare.
bool highestItem(const QByteArray &bytes, const Box &iinf, quint32 *highest, QList<Box> *entries)
{
    Cursor in(bytes, iinf.payload, iinf.end());
    const int version = int(in.read(1));
    in.read(3);
    in.read(version == 0 ? 2 : 4);
    if (!in.ok() || !boxesIn(bytes, in.position(), iinf.end(), entries))
        return false;
    *highest = 0;
    for (const Box &entry : std::as_const(*entries)) {
        Cursor fields(bytes, entry.payload, entry.end());
        const int entryVersion = int(fields.read(1));
        fields.read(3);
        const quint64 id = fields.read(entryVersion >= 3 ? 4 : 2);
        if (!fields.ok())
            return false;
        *highest = qMax(*highest, quint32(id));
    }
    return true;
}

QByteArray entriesBox(const QByteArray &bytes, const Box &iinf, const QList<Box> &entries,
                      const QList<NewItem> &added)
{
    const int version = uchar(bytes[iinf.payload]);
    QByteArray contents;
    put(contents, quint64(entries.size() + added.size()), version == 0 ? 2 : 4);
    for (const Box &entry : entries)
        contents += bytes.mid(entry.start, entry.size);
    for (const NewItem &item : added)
        contents += item.entry;
    return fullBox("iinf", version, contents);
}

// The references with a "content describes" reference of each new item to
// the primary picture; version 1 of the box holds four-byte ids.
bool referencesBox(const QByteArray &bytes, const Box *iref, const QList<NewItem> &added, quint32 primary,
                   QByteArray *out)
{
    if (iref && iref->end() - iref->payload < 4)
        return false;
    const int version = iref ? uchar(bytes[iref->payload]) : (added.last().id > 0xffff || primary > 0xffff);
    const int idSize = version == 0 ? 2 : 4;
    if (idSize == 2 && (added.last().id > 0xffff || primary > 0xffff))
        return false;
    QByteArray contents = iref ? bytes.mid(iref->payload + 4, iref->end() - iref->payload - 4) : QByteArray();
    for (const NewItem &item : added) {
        QByteArray reference;
        put(reference, item.id, idSize);
        put(reference, 1, 2);
        put(reference, primary, idSize);
        contents += box("cdsc", reference);
    }
    *out = fullBox("iref", version, contents);
    return true;
}

bool primaryItem(const QByteArray &bytes, const Box &pitm, quint32 *primary)
{
    Cursor in(bytes, pitm.payload, pitm.end());
    const int version = int(in.read(1));
    in.read(3);
    *primary = quint32(in.read(version == 0 ? 2 : 4));
    return in.ok();
}

QList<NewItem> newItems(const MetadataBlocks &blocks, quint32 highest)
{
    QList<NewItem> items;
    if (!blocks.exif.isEmpty()) {
        QByteArray data(4, '\0'); // the TIFF header follows at once
        items.append({++highest, itemEntry(highest, "Exif", nullptr), data + blocks.exif});
    }
    if (!blocks.xmp.isEmpty())
        items.append({++highest, itemEntry(highest, "mime", xmpContentType), blocks.xmp});
    return items;
}

struct MetaParts
{
    const Box *iloc = nullptr;
    const Box *iinf = nullptr;
    const Box *iref = nullptr;
    const Box *pitm = nullptr;
};

} // namespace

MetadataBlocks read(const QString &path, QString *problem)
{
    const std::unique_ptr<heif_context, decltype(&heif_context_free)> context(heif_context_alloc(),
                                                                               &heif_context_free);
    heif_error error = heif_context_read_from_file(context.get(), QFile::encodeName(path).constData(), nullptr);
    heif_image_handle *primary = nullptr;
    if (error.code == heif_error_Ok)
        error = heif_context_get_primary_image_handle(context.get(), &primary);
    if (error.code != heif_error_Ok) {
        *problem = QString::fromUtf8(error.message);
        return {};
    }
    const std::unique_ptr<heif_image_handle, decltype(&heif_image_handle_release)> handle(
            primary, &heif_image_handle_release);
    return {tiffOf(firstBlock(primary, "Exif", nullptr)), firstBlock(primary, "mime", xmpContentType)};
}

bool insertInto(QByteArray &file, const MetadataBlocks &blocks, QString *problem)
{
    if (blocks.isEmpty())
        return true;
    *problem = QStringLiteral("the HEIF boxes are not as expected");
    QList<Box> top;
    if (!boxesIn(file, 0, file.size(), &top) || top.isEmpty() || top.last().toEnd)
        return false;
    const Box *meta = find(top, "meta");
    QList<Box> children;
    if (!meta || !boxesIn(file, meta->payload + 4, meta->end(), &children))
        return false;
    const MetaParts parts{find(children, "iloc"), find(children, "iinf"), find(children, "iref"),
                          find(children, "pitm")};
    Locations locations;
    QList<Box> entries;
    quint32 highest = 0, primary = 0;
    if (!parts.iloc || !parts.iinf || !parts.pitm || !parseLocations(file, *parts.iloc, &locations)
        || !highestItem(file, *parts.iinf, &highest, &entries) || !primaryItem(file, *parts.pitm, &primary))
        return false;
    const QList<NewItem> added = newItems(blocks, highest);
    const bool wideIds = added.last().id > 0xffff;
    QByteArray references;
    if (!referencesBox(file, parts.iref, added, primary, &references))
        return false;

    // The locations box keeps its size whatever values it holds, so the meta
    // box's growth is known before the locations are moved.
    const auto metaBox = [&](const Locations &final) {
        QByteArray contents = file.mid(meta->payload, 4);
        for (const Box &child : std::as_const(children)) {
            if (&child == parts.iloc)
                contents += locationBox(final, wideIds);
            else if (&child == parts.iinf)
                contents += entriesBox(file, child, entries, added) + (parts.iref ? QByteArray() : references);
            else
                contents += &child == parts.iref ? references : file.mid(child.start, child.size);
        }
        return box("meta", contents);
    };
    Locations withNew = locations;
    for (const NewItem &item : added)
        withNew.items.append({item.id, 0, 0, 0, {Extent{0, 0, quint64(item.data.size())}}});
    const qsizetype delta = metaBox(withNew).size() - meta->size;
    if (!moveDataAfter(locations, meta->start, meta->end(), delta))
        return false;
    quint64 dataAt = quint64(file.size() + delta) + 8;
    QByteArray data;
    for (const NewItem &item : added) {
        Location location{item.id, 0, 0, 0, {Extent{0, 0, quint64(item.data.size())}}};
        if (!locations.place(location, dataAt) || !locations.fits(location.extents.first().length, locations.lengthSize))
            return false;
        locations.items.append(location);
        dataAt += quint64(item.data.size());
        data += item.data;
    }
    file = file.left(meta->start) + metaBox(locations) + file.mid(meta->end()) + box("mdat", data);
    problem->clear();
    return true;
}

} // namespace heifmetadata
