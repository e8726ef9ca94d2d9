#include "codecs/jxlmetadata.h"

#include "codecs/isoboxes.h"

#include <QFile>

#include <jxl/decode_cxx.h>

namespace jxlmetadata {
namespace {

using namespace isoboxes;

const QByteArray containerSignature("\0\0\0\x0cJXL \r\n\x87\n", 12);
const QByteArray codestreamSignature("\xff\x0a", 2);

// An Exif box starts with the offset of the TIFF header from the end of
// that offset.
QByteArray tiffOf(const QByteArray &contents)
{
    Cursor in(contents, 0, contents.size());
    const quint64 skip = in.read(4);
    return in.ok() && skip < quint64(contents.size() - 4) ? contents.mid(qsizetype(4 + skip)) : QByteArray();
}

// Collects the contents of the boxes the decoder reports into a growing
// buffer; a box of no interest is passed over.
class BoxCollector
{
public:
    explicit BoxCollector(JxlDecoder *decoder) : decoder(decoder) {}

    void start(QByteArray *target)
    {
        finish();
        current = target;
        if (!current || !current->isEmpty()) // the first of each kind counts
            return void(current = nullptr);
        current->resize(64 * 1024);
        JxlDecoderSetBoxBuffer(decoder, reinterpret_cast<uint8_t *>(current->data()), size_t(current->size()));
    }

    void grow()
    {
        const qsizetype used = current->size() - qsizetype(JxlDecoderReleaseBoxBuffer(decoder));
        current->resize(current->size() * 2);
        JxlDecoderSetBoxBuffer(decoder, reinterpret_cast<uint8_t *>(current->data() + used),
                               size_t(current->size() - used));
    }

    void finish()
    {
        if (current)
            current->chop(qsizetype(JxlDecoderReleaseBoxBuffer(decoder)));
        current = nullptr;
    }

private:
    JxlDecoder *decoder;
    QByteArray *current = nullptr;
};

} // namespace

MetadataBlocks read(const QString &path, QString *problem)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *problem = file.errorString();
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith(containerSignature))
        return {};
    const JxlDecoderPtr decoder = JxlDecoderMake(nullptr);
    JxlDecoderSubscribeEvents(decoder.get(), JXL_DEC_BOX);
    JxlDecoderSetDecompressBoxes(decoder.get(), JXL_TRUE);
    JxlDecoderSetInput(decoder.get(), reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
    JxlDecoderCloseInput(decoder.get());
    QByteArray exif;
    MetadataBlocks blocks;
    BoxCollector collector(decoder.get());
    for (;;) {
        const JxlDecoderStatus status = JxlDecoderProcessInput(decoder.get());
        if (status == JXL_DEC_BOX) {
            JxlBoxType type;
            JxlDecoderGetBoxType(decoder.get(), type, JXL_TRUE);
            const QByteArray name(type, 4);
            collector.start(name == "Exif" ? &exif : name == "xml " ? &blocks.xmp : nullptr);
        } else if (status == JXL_DEC_BOX_NEED_MORE_OUTPUT) {
            collector.grow();
        } else {
            collector.finish();
            if (status != JXL_DEC_SUCCESS)
                *problem = QStringLiteral("the JPEG XL container is damaged");
            break;
        }
    }
    blocks.exif = tiffOf(exif);
    return blocks;
}

bool insertInto(QByteArray &file, const MetadataBlocks &blocks, QString *problem)
{
    QByteArray container = file;
    if (container.startsWith(codestreamSignature)) {
        const QByteArray brand("jxl \0\0\0\0jxl ", 12);
        container = containerSignature + box("ftyp", brand) + box("jxlc", container);
    }
    QList<Box> boxes;
    if (!container.startsWith(containerSignature) || !boxesIn(container, 0, container.size(), &boxes)) {
        *problem = QStringLiteral("the JPEG XL container is not as expected");
        return false;
    }
    QByteArray added;
    if (!blocks.exif.isEmpty())
        added += box("Exif", QByteArray(4, '\0') + blocks.exif);
    if (!blocks.xmp.isEmpty())
        added += box("xml ", blocks.xmp);
    qsizetype at = container.size();
    for (const Box &box : std::as_const(boxes)) {
        if (box.type == "jxlc" || box.type == "jxlp") {
            at = box.start;
            break;
        }
    }
    file = container.insert(at, added);
    return true;
}

} // namespace jxlmetadata
