#include "codecs/webpreader.h"

#include <QColorSpace>

#include <webp/decode.h>
#include <webp/demux.h>

#include <memory>

namespace {

// The data is handed over in parts of this size, between which the decode
// can stop: a few milliseconds of decoding each.
constexpr size_t partBytes = 64 * 1024;

// The "VP8X" chunk's flags, at its fixed place in the file's header.
constexpr int extendedHeaderSize = 21;
constexpr char animationFlag = 0x02;

QColorSpace colorSpaceOf(const QByteArray &bytes)
{
    const WebPData data{reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size())};
    const std::unique_ptr<WebPDemuxer, decltype(&WebPDemuxDelete)> demuxer(WebPDemux(&data), WebPDemuxDelete);
    WebPChunkIterator chunk;
    if (!demuxer || !WebPDemuxGetChunk(demuxer.get(), "ICCP", 1, &chunk))
        return QColorSpace();
    const QColorSpace space = QColorSpace::fromIccProfile(
            QByteArray(reinterpret_cast<const char *>(chunk.chunk.bytes), qsizetype(chunk.chunk.size)));
    WebPDemuxReleaseChunkIterator(&chunk);
    return space;
}

// Feeds the file to the decoder a part at a time, asking for the stop
// between parts.
webpreader::Outcome decodeInParts(WebPIDecoder *decoder, const QByteArray &bytes, const std::atomic<bool> *stop)
{
    const auto *data = reinterpret_cast<const uint8_t *>(bytes.constData());
    const size_t total = size_t(bytes.size());
    for (size_t given = std::min(partBytes, total);; given = std::min(given + partBytes, total)) {
        if (stop && stop->load(std::memory_order_relaxed))
            return webpreader::Outcome::Stopped;
        const VP8StatusCode status = WebPIUpdate(decoder, data, given);
        if (status == VP8_STATUS_OK)
            return webpreader::Outcome::Decoded;
        if (status != VP8_STATUS_SUSPENDED || given == total)
            return webpreader::Outcome::Failed;
    }
}

} // namespace

namespace webpreader {

bool isAnimated(const QByteArray &head)
{
    return head.size() >= extendedHeaderSize && head.startsWith("RIFF") && head.mid(8, 8) == "WEBPVP8X"
            && (head.at(20) & animationFlag);
}

Outcome decodeScaled(const QByteArray &bytes, QSize size, QImage *image, const std::atomic<bool> *stop)
{
    *image = QImage();
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config)
        || WebPGetFeatures(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()),
                           &config.input) != VP8_STATUS_OK)
        return Outcome::Failed;
    if (config.input.has_animation)
        return Outcome::LeftToQt;
    QImage decoded(size, config.input.has_alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (decoded.isNull())
        return Outcome::Failed;
    config.options.use_scaling = 1;
    config.options.scaled_width = size.width();
    config.options.scaled_height = size.height();
    // Blue, green, red, alpha in memory: Qt's 32-bit formats on this byte order.
    config.output.colorspace = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? MODE_BGRA : MODE_ARGB;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = decoded.bits();
    config.output.u.RGBA.stride = int(decoded.bytesPerLine());
    config.output.u.RGBA.size = size_t(decoded.sizeInBytes());
    WebPIDecoder *decoder = WebPIDecode(nullptr, 0, &config);
    if (!decoder)
        return Outcome::Failed;
    const Outcome outcome = decodeInParts(decoder, bytes, stop);
    WebPIDelete(decoder);
    WebPFreeDecBuffer(&config.output);
    if (outcome != Outcome::Decoded)
        return outcome;
    decoded.setColorSpace(colorSpaceOf(bytes));
    *image = decoded;
    return Outcome::Decoded;
}

} // namespace webpreader
