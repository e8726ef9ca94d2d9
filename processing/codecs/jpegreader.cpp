#include "codecs/jpegreader.h"

#include "codecs/jpegerrors.h"
#include "core/picturememory.h"

#include <QColorSpace>
#include <QtGlobal>

#include <cerrno>
#include <csetjmp>
#include <cstdlib>

#include <unistd.h>

namespace {

// libjpeg's remarks reach Qt's log in its own words, as from Qt's reader.
void logMessage(j_common_ptr info)
{
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    qWarning("%s", text);
}

// The file from memory. Past its end the decoder is given an end-of-image
// marker without a remark of its own, as Qt's reader does: a cut file then
// reads as Qt reads it, warning that its data ended early.
const JOCTET endOfImage[] = {0xFF, JPEG_EOI};

void startSource(j_decompress_ptr) {}

boolean endOfFile(j_decompress_ptr info)
{
    info->src->next_input_byte = endOfImage;
    info->src->bytes_in_buffer = sizeof endOfImage;
    return TRUE;
}

void skipInput(j_decompress_ptr info, long count)
{
    jpeg_source_mgr *source = info->src;
    if (count <= 0)
        return;
    if (size_t(count) < source->bytes_in_buffer) {
        source->next_input_byte += count;
        source->bytes_in_buffer -= size_t(count);
    } else {
        endOfFile(info);
    }
}

void endSource(j_decompress_ptr) {}

// The file read a piece at a time from its descriptor, so that a decode
// holds the picture and this buffer rather than the picture and the whole
// file. pread leaves the position others read the file from where it is.
struct FileSource
{
    jpeg_source_mgr manager;
    int descriptor;
    off_t position = 0;
    JOCTET buffer[64 * 1024];
};

boolean fillFromFile(j_decompress_ptr info)
{
    auto *source = reinterpret_cast<FileSource *>(info->src);
    ssize_t got;
    do
        got = ::pread(source->descriptor, source->buffer, sizeof source->buffer, source->position);
    while (got < 0 && errno == EINTR);
    if (got <= 0)
        return endOfFile(info);
    source->position += got;
    source->manager.next_input_byte = source->buffer;
    source->manager.bytes_in_buffer = size_t(got);
    return TRUE;
}

void skipInFile(j_decompress_ptr info, long count)
{
    auto *source = reinterpret_cast<FileSource *>(info->src);
    if (count <= 0)
        return;
    if (size_t(count) < source->manager.bytes_in_buffer) {
        source->manager.next_input_byte += count;
        source->manager.bytes_in_buffer -= size_t(count);
        return;
    }
    source->position += off_t(size_t(count) - source->manager.bytes_in_buffer);
    source->manager.bytes_in_buffer = 0;
}

bool decodedHere(const jpeg_decompress_struct &info)
{
    return info.data_precision == 8
            && ((info.num_components == 1 && info.jpeg_color_space == JCS_GRAYSCALE)
                || (info.num_components == 3
                    && (info.jpeg_color_space == JCS_YCbCr || info.jpeg_color_space == JCS_RGB)));
}

void setResolution(const jpeg_decompress_struct &info, QImage &image)
{
    if (info.density_unit == 1) {
        image.setDotsPerMeterX(int(100. * info.X_density / 2.54));
        image.setDotsPerMeterY(int(100. * info.Y_density / 2.54));
    } else if (info.density_unit == 2) {
        image.setDotsPerMeterX(int(100. * info.X_density));
        image.setDotsPerMeterY(int(100. * info.Y_density));
    }
}

// libjpeg reports its progress at every row of blocks of every scan and of
// the output: there the decode ends when the run asks it to stop, through
// the failed stage's jump, without a word of libjpeg's.
struct StopCheck
{
    jpeg_progress_mgr manager;
    const std::atomic<bool> *stop;
    JpegErrors *errors;
    bool stopped = false;
};

void checkStop(j_common_ptr info)
{
    auto *check = reinterpret_cast<StopCheck *>(info->progress);
    if (!check->stop->load(std::memory_order_relaxed))
        return;
    check->stopped = true;
    std::longjmp(check->errors->failed, 1);
}

// Each stage below arms the jump for itself and holds no object with a
// destructor: longjmp leaves its frame when libjpeg fails.

bool readHeader(jpeg_decompress_struct &info, JpegErrors &errors, jpeg_source_mgr *source)
{
    if (setjmp(errors.failed))
        return false;
    info.src = source;
    jpeg_save_markers(&info, JPEG_APP0 + 2, 0xFFFF); // the colour profile
    jpeg_read_header(&info, TRUE);
    return true;
}

bool startRows(jpeg_decompress_struct &info, JpegErrors &errors, int scaleDenominator)
{
    if (setjmp(errors.failed))
        return false;
    info.out_color_space = info.num_components == 1 ? JCS_GRAYSCALE : JCS_EXT_BGRX;
    info.scale_num = 1;
    info.scale_denom = unsigned(scaleDenominator);
    jpeg_start_decompress(&info);
    return true;
}

bool readRows(jpeg_decompress_struct &info, JpegErrors &errors, QImage &image)
{
    if (setjmp(errors.failed))
        return false;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    return true;
}

bool readProfile(jpeg_decompress_struct &info, JpegErrors &errors, JOCTET **profile,
                 unsigned int *length)
{
    if (setjmp(errors.failed))
        return false;
    return jpeg_read_icc_profile(&info, profile, length);
}

bool finishRows(jpeg_decompress_struct &info, JpegErrors &errors)
{
    if (setjmp(errors.failed))
        return false;
    jpeg_finish_decompress(&info);
    return true;
}

QColorSpace colorSpaceOf(jpeg_decompress_struct &info, JpegErrors &errors)
{
    JOCTET *profile = nullptr;
    unsigned int length = 0;
    if (!readProfile(info, errors, &profile, &length))
        return QColorSpace();
    const QColorSpace space = QColorSpace::fromIccProfile(
            QByteArray(reinterpret_cast<const char *>(profile), int(length)));
    std::free(profile);
    return space;
}

jpegreader::Outcome decompress(jpeg_decompress_struct &info, JpegErrors &errors,
                               jpeg_source_mgr *source, QImage *image, int scaleDenominator)
{
    if (!readHeader(info, errors, source))
        return jpegreader::Outcome::Failed;
    if (!decodedHere(info))
        return jpegreader::Outcome::LeftToQt;
    if (!startRows(info, errors, scaleDenominator))
        return jpegreader::Outcome::Failed;
    {
        picturememory::DecodeTarget target(
                QSize(int(info.output_width), int(info.output_height)),
                info.num_components == 1 ? QImage::Format_Grayscale8 : QImage::Format_RGB32,
                picturememory::Rows::AllWritten);
        if (target.image.isNull() || !readRows(info, errors, target.image))
            return jpegreader::Outcome::Failed;
        *image = target.image;
    }
    setResolution(info, *image);
    image->setColorSpace(colorSpaceOf(info, errors));
    return finishRows(info, errors) ? jpegreader::Outcome::Decoded : jpegreader::Outcome::Failed;
}

jpegreader::Outcome decodeFrom(jpeg_source_mgr *source, QImage *image, const std::atomic<bool> *stop,
                               int scaleDenominator)
{
    using jpegreader::Outcome;
    jpeg_decompress_struct info;
    JpegErrors errors;
    info.err = jumpingErrors(errors, logMessage);
    jpeg_create_decompress(&info);
    StopCheck check{{checkStop, 0, 0, 0, 0}, stop, &errors};
    if (stop)
        info.progress = &check.manager;
    Outcome outcome = decompress(info, errors, source, image, scaleDenominator);
    jpeg_destroy_decompress(&info);
    if (check.stopped)
        outcome = Outcome::Stopped;
    if (outcome != Outcome::Decoded)
        *image = QImage();
    return outcome;
}

} // namespace

namespace jpegreader {

Outcome decode(const QByteArray &bytes, QImage *image, const std::atomic<bool> *stop, int scaleDenominator)
{
    jpeg_source_mgr source{reinterpret_cast<const JOCTET *>(bytes.constData()), size_t(bytes.size()),
                           startSource, endOfFile, skipInput, jpeg_resync_to_restart, endSource};
    return decodeFrom(&source, image, stop, scaleDenominator);
}

Outcome decodeFile(int descriptor, QImage *image, const std::atomic<bool> *stop, int scaleDenominator)
{
    FileSource source{{nullptr, 0, startSource, fillFromFile, skipInFile, jpeg_resync_to_restart, endSource},
                      descriptor, 0, {}};
    return decodeFrom(&source.manager, image, stop, scaleDenominator);
}

} // namespace jpegreader
