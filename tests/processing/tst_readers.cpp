#include "batchrun.h"
#include "formats/imagefile.h"
#include "formats/saveimage.h"
#include "formats/thumbnail.h"

#include <QColorSpace>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

#include <jxl/decode_cxx.h>
#include <jxl/encode_cxx.h>
#include <libheif/heif.h>

#include <cstring>
#include <functional>
#include <memory>

// The readers of HEIC, AVIF and JPEG XL against pictures made here with the
// libraries themselves, and our outputs of those formats decoded by a second
// path that other programs take.
class ReadersTest : public QObject
{
    Q_OBJECT

private slots:
    void heifOutputsReadAlikeElsewhere_data();
    void heifOutputsReadAlikeElsewhere();
    void jxlOutputsReadInTheirOwnColours_data();
    void jxlOutputsReadInTheirOwnColours();
    void deepHeifKeepsSixteenBitsAndAlpha();
    void heicTurnedByItsOrientation();
    void jxlTurnedByItsOrientation();
    void animatedJxlGivesItsFirstFrame();
    void heicThumbnailFillsTheList_data();
    void heicThumbnailFillsTheList();

private:
    QString fileWith(const QString &name, const QByteArray &bytes)
    {
        return batchrun::writeFile(directory.filePath(name), bytes);
    }

    QTemporaryDir directory;
};

namespace {

// A smooth photo-like picture, with a half-transparent left third when asked.
QImage sample(bool alpha, QColorSpace colours = QColorSpace::SRgb)
{
    QImage image(48, 32, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(40 + x * 4, 200 - y * 5, 60 + (x + y) * 2, alpha && x < 16 ? 128 : 255));
    }
    image.setColorSpace(colours);
    return image;
}

// The largest difference of any colour sample, and of alpha, in 8 bits.
int largestError(const QImage &expected, const QImage &actual)
{
    const QImage a = expected.convertToFormat(QImage::Format_ARGB32);
    const QImage b = actual.convertToFormat(QImage::Format_ARGB32);
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    return largest;
}

QImage loaded(const QString &path, InputOutcome &outcome)
{
    const QImage image = loadImage(path, outcome);
    if (outcome.failed())
        qWarning("%s", qPrintable(outcome.reason));
    return image;
}

QByteArray saved(const QImage &image, const QString &path, const QString &key)
{
    InputOutcome written;
    saveImage(image, path, key, batchrun::atQuality(95), written);
    QFile file(path);
    return !written.failed() && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// ---- HEIC and AVIF through libheif alone ----

using HeifContext = std::unique_ptr<heif_context, decltype(&heif_context_free)>;
using HeifHandle = std::unique_ptr<heif_image_handle, decltype(&heif_image_handle_release)>;
using HeifImage = std::unique_ptr<heif_image, decltype(&heif_image_release)>;

// Y'CbCr as the file codes it, turned into RGB by the matrix its nclx box
// states, or by BT.601 at full range when it states none, as readers that
// take the planes themselves do.
QImage heifThroughPlanes(const QByteArray &bytes)
{
    const HeifContext context(heif_context_alloc(), &heif_context_free);
    heif_image_handle *primary = nullptr;
    if (heif_context_read_from_memory_without_copy(context.get(), bytes.constData(), size_t(bytes.size()), nullptr)
                .code
        || heif_context_get_primary_image_handle(context.get(), &primary).code)
        return QImage();
    const HeifHandle handle(primary, &heif_image_handle_release);
    double kr = 0.299, kb = 0.114;
    bool fullRange = true;
    heif_color_profile_nclx *nclx = nullptr;
    if (heif_image_handle_get_nclx_color_profile(handle.get(), &nclx).code == heif_error_Ok) {
        if (nclx->matrix_coefficients == heif_matrix_coefficients_ITU_R_BT_709_5) {
            kr = 0.2126;
            kb = 0.0722;
        }
        fullRange = nclx->full_range_flag;
        heif_nclx_color_profile_free(nclx);
    }
    heif_image *decoded = nullptr;
    if (heif_decode_image(handle.get(), &decoded, heif_colorspace_YCbCr, heif_chroma_444, nullptr).code)
        return QImage();
    const HeifImage owned(decoded, &heif_image_release);
    const bool alpha = heif_image_has_channel(decoded, heif_channel_Alpha);
    int strides[4] = {};
    const uint8_t *planes[4] = {};
    const heif_channel channels[4] = {heif_channel_Y, heif_channel_Cb, heif_channel_Cr, heif_channel_Alpha};
    for (int c = 0; c < (alpha ? 4 : 3); ++c)
        planes[c] = heif_image_get_plane_readonly(decoded, channels[c], &strides[c]);
    QImage image(heif_image_get_width(decoded, heif_channel_Y), heif_image_get_height(decoded, heif_channel_Y),
                 QImage::Format_ARGB32);
    const double kg = 1 - kr - kb;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            auto at = [&](int c) { return double(planes[c][y * strides[c] + x]); };
            const double luma = fullRange ? at(0) : (at(0) - 16) * 255 / 219;
            const double scale = fullRange ? 1.0 : 255.0 / 224;
            const double cb = (at(1) - 128) * scale, cr = (at(2) - 128) * scale;
            const double r = luma + 2 * (1 - kr) * cr;
            const double b = luma + 2 * (1 - kb) * cb;
            const double g = (luma - kr * r - kb * b) / kg;
            auto channel = [](double v) { return qBound(0, qRound(v), 255); };
            image.setPixel(x, y, qRgba(channel(r), channel(g), channel(b), alpha ? planes[3][y * strides[3] + x] : 255));
        }
    }
    return image;
}

// A picture as libheif takes it, at the bits asked for.
HeifImage heifImageOf(const QImage &picture, int bits)
{
    const bool alpha = picture.hasAlphaChannel();
    heif_image *created = nullptr;
    const heif_chroma chroma = bits > 8 ? (alpha ? heif_chroma_interleaved_RRGGBBAA_LE : heif_chroma_interleaved_RRGGBB_LE)
                                        : (alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB);
    heif_image_create(picture.width(), picture.height(), heif_colorspace_RGB, chroma, &created);
    HeifImage image(created, &heif_image_release);
    heif_image_add_plane(created, heif_channel_interleaved, picture.width(), picture.height(), bits);
    int stride = 0;
    uint8_t *plane = heif_image_get_plane(created, heif_channel_interleaved, &stride);
    const QImage rows = picture.convertToFormat(alpha ? QImage::Format_RGBA64 : QImage::Format_RGBX64);
    const int channels = alpha ? 4 : 3;
    for (int y = 0; y < rows.height(); ++y) {
        const auto *in = reinterpret_cast<const quint16 *>(rows.constScanLine(y));
        for (int x = 0; x < rows.width(); ++x) {
            for (int c = 0; c < channels; ++c) {
                const quint16 value = quint16(in[x * 4 + c] >> (16 - bits));
                if (bits > 8)
                    memcpy(plane + y * stride + (x * channels + c) * 2, &value, 2);
                else
                    plane[y * stride + x * channels + c] = uint8_t(value);
            }
        }
    }
    return image;
}

// A picture handed to libheif as it stands, with the irot/imir boxes of an
// EXIF orientation and an EXIF block stating it, at the bits asked for, and
// with a thumbnail when one is given.
QByteArray heifMadeByLibheif(const QImage &picture, heif_compression_format compression, int bits,
                             heif_orientation orientation = heif_orientation_normal, const QImage &thumbnail = {})
{
    const HeifContext context(heif_context_alloc(), &heif_context_free);
    heif_encoder *encoder = nullptr;
    heif_context_get_encoder_for_format(context.get(), compression, &encoder);
    heif_encoder_set_lossy_quality(encoder, 95);
    if (compression == heif_compression_AV1)
        heif_encoder_set_parameter_integer(encoder, "speed", 9);
    heif_encoding_options *options = heif_encoding_options_alloc();
    options->image_orientation = orientation;
    heif_image_handle *handle = nullptr;
    heif_image_handle *small = nullptr;
    bool encoded = !heif_context_encode_image(context.get(), heifImageOf(picture, bits).get(), encoder, options, &handle).code;
    if (encoded && !thumbnail.isNull()) {
        // libheif encodes only a thumbnail smaller than its box: one pixel less.
        const int box = qMax(thumbnail.width(), thumbnail.height()) - 1;
        encoded = !heif_context_encode_thumbnail(context.get(), heifImageOf(thumbnail, bits).get(), handle, encoder,
                                                 options, box, &small)
                           .code;
        heif_image_handle_release(small);
    }
    heif_encoding_options_free(options);
    heif_encoder_release(encoder);
    const HeifHandle owned(handle, &heif_image_handle_release);
    if (!encoded)
        return QByteArray();
    if (orientation != heif_orientation_normal) {
        // Exif's offset word, then a little-endian TIFF block with its one entry.
        QByteArray exif("\0\0\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 22);
        exif += char(orientation);
        exif += QByteArray(7, '\0');
        heif_context_add_exif_metadata(context.get(), handle, exif.constData(), int(exif.size()));
    }
    QByteArray bytes;
    heif_writer writer{1, [](heif_context *, const void *data, size_t size, void *target) {
                           static_cast<QByteArray *>(target)->append(static_cast<const char *>(data), qsizetype(size));
                           return heif_error{heif_error_Ok, heif_suberror_Unspecified, "ok"};
                       }};
    heif_context_write(context.get(), &writer, &bytes);
    return bytes;
}

// ---- JPEG XL through libjxl alone ----

// The file's pixels as libjxl gives them in sRGB, its own colour conversion.
QImage jxlInSrgb(const QByteArray &bytes)
{
    const JxlDecoderPtr decoder = JxlDecoderMake(nullptr);
    JxlDecoderSubscribeEvents(decoder.get(), JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING | JXL_DEC_FULL_IMAGE);
    JxlDecoderSetInput(decoder.get(), reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
    JxlDecoderCloseInput(decoder.get());
    JxlBasicInfo info{};
    QImage image;
    const JxlPixelFormat format{4, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    for (;;) {
        switch (JxlDecoderProcessInput(decoder.get())) {
        case JXL_DEC_BASIC_INFO:
            JxlDecoderGetBasicInfo(decoder.get(), &info);
            break;
        case JXL_DEC_COLOR_ENCODING: {
            JxlColorEncoding srgb;
            JxlColorEncodingSetToSRGB(&srgb, JXL_FALSE);
            if (JxlDecoderSetPreferredColorProfile(decoder.get(), &srgb) != JXL_DEC_SUCCESS)
                return QImage();
            break;
        }
        case JXL_DEC_NEED_IMAGE_OUT_BUFFER:
            image = QImage(int(info.xsize), int(info.ysize), QImage::Format_RGBA8888);
            JxlDecoderSetImageOutBuffer(decoder.get(), &format, image.bits(), size_t(image.sizeInBytes()));
            break;
        case JXL_DEC_FULL_IMAGE:
            return image;
        default:
            return QImage();
        }
    }
}

// Lossless frames of one colour each, an animation when there are several,
// stored as the orientation says.
QByteArray jxlMadeByLibjxl(const QList<QImage> &frames, JxlOrientation orientation = JXL_ORIENT_IDENTITY)
{
    const JxlEncoderPtr encoder = JxlEncoderMake(nullptr);
    JxlBasicInfo info;
    JxlEncoderInitBasicInfo(&info);
    info.xsize = uint32_t(frames.first().width());
    info.ysize = uint32_t(frames.first().height());
    info.bits_per_sample = 8;
    info.uses_original_profile = JXL_TRUE;
    info.orientation = orientation;
    info.have_animation = frames.size() > 1;
    info.animation.tps_numerator = 10;
    info.animation.tps_denominator = 1;
    JxlEncoderSetBasicInfo(encoder.get(), &info);
    JxlColorEncoding srgb;
    JxlColorEncodingSetToSRGB(&srgb, JXL_FALSE);
    JxlEncoderSetColorEncoding(encoder.get(), &srgb);
    JxlEncoderFrameSettings *settings = JxlEncoderFrameSettingsCreate(encoder.get(), nullptr);
    JxlEncoderSetFrameLossless(settings, JXL_TRUE);
    const JxlPixelFormat format{3, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 4};
    for (const QImage &frame : frames) {
        JxlFrameHeader header;
        JxlEncoderInitFrameHeader(&header);
        header.duration = 1;
        JxlEncoderSetFrameHeader(settings, &header);
        const QImage rows = frame.convertToFormat(QImage::Format_RGB888);
        JxlEncoderAddImageFrame(settings, &format, rows.constBits(), size_t(rows.sizeInBytes()));
    }
    JxlEncoderCloseInput(encoder.get());
    QByteArray bytes(1 << 20, Qt::Uninitialized);
    uint8_t *next = reinterpret_cast<uint8_t *>(bytes.data());
    size_t room = size_t(bytes.size());
    if (JxlEncoderProcessOutput(encoder.get(), &next, &room) != JXL_ENC_SUCCESS)
        return QByteArray();
    bytes.truncate(bytes.size() - qsizetype(room));
    return bytes;
}

// A landscape picture whose top left quarter is red on black: where that
// quarter lands tells a turn from a mirror or a transposition.
QImage markedCorner()
{
    QImage image(40, 24, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 20; ++x)
            image.setPixel(x, y, qRgb(255, 0, 0));
    }
    return image;
}

// Turned a quarter clockwise, as orientation 6 asks: 24x40, red at the top right.
void verifyTurnedClockwise(const QImage &image)
{
    QCOMPARE(image.size(), QSize(24, 40));
    QVERIFY(qRed(image.pixel(18, 4)) > 200 && qGreen(image.pixel(18, 4)) < 60);
    QVERIFY(qRed(image.pixel(5, 4)) < 60);
    QVERIFY(qRed(image.pixel(18, 35)) < 60);
}

} // namespace

// Our outputs decoded from their Y'CbCr planes by the matrix the file states
// give the picture we wrote, alpha included: the colours any reader of the
// planes gets, not only ours.
void ReadersTest::heifOutputsReadAlikeElsewhere_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("alpha");
    for (const char *key : {"HEIC", "AVIF"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1 opaque").arg(key))) << QString::fromLatin1(key) << false;
        QTest::newRow(qPrintable(QStringLiteral("%1 alpha").arg(key))) << QString::fromLatin1(key) << true;
    }
}

void ReadersTest::heifOutputsReadAlikeElsewhere()
{
    QFETCH(QString, key);
    QFETCH(bool, alpha);
    const QString path = directory.filePath(QStringLiteral("out.") + key);
    const QByteArray bytes = saved(sample(alpha), path, key);
    QVERIFY(!bytes.isEmpty());
    const QImage elsewhere = heifThroughPlanes(bytes);
    QCOMPARE(elsewhere.size(), sample(alpha).size());
    QVERIFY2(largestError(sample(alpha), elsewhere) <= 8, qPrintable(QString::number(largestError(sample(alpha), elsewhere))));
    InputOutcome outcome;
    const QImage ours = loaded(path, outcome);
    QVERIFY(largestError(elsewhere, ours) <= 3);
}

// A lossy JPEG XL made from a profile libjxl cannot name (ProPhoto's curve)
// comes out of libjxl in linear light: read back in its own profile, the
// picture has its colours, and libjxl's own conversion to sRGB agrees.
void ReadersTest::jxlOutputsReadInTheirOwnColours_data()
{
    QTest::addColumn<QColorSpace>("colours");
    QTest::newRow("sRGB") << QColorSpace(QColorSpace::SRgb);
    QTest::newRow("ProPhoto RGB") << QColorSpace(QColorSpace::ProPhotoRgb);
}

void ReadersTest::jxlOutputsReadInTheirOwnColours()
{
    QFETCH(QColorSpace, colours);
    // Colours sRGB holds, which libjxl's conversion to sRGB leaves unclipped.
    const QImage original = sample(true).convertedToColorSpace(colours);
    const QString path = directory.filePath(QStringLiteral("out.jxl"));
    const QByteArray bytes = saved(original, path, QStringLiteral("JXL"));
    QVERIFY(!bytes.isEmpty());
    InputOutcome outcome;
    const QImage ours = loaded(path, outcome);
    QCOMPARE(ours.colorSpace(), original.colorSpace());
    QCOMPARE(ours.depth(), 32);
    QVERIFY2(largestError(original, ours) <= 8, qPrintable(QString::number(largestError(original, ours))));
    const QImage inSrgb = jxlInSrgb(bytes);
    QVERIFY(!inSrgb.isNull());
    const QImage oursInSrgb = ours.convertedToColorSpace(QColorSpace::SRgb);
    QVERIFY2(largestError(inSrgb, oursInSrgb) <= 4, qPrintable(QString::number(largestError(inSrgb, oursInSrgb))));
}

// A 10-bit HEIC with alpha stays deep: 16-bit samples, alpha kept, within
// the encoder's loss of the 10-bit values. (HEIC, as libaom 3.6 fails or
// stops on an assertion when libheif hands it 10 bits; HEIC and AVIF are
// read by one path.)
void ReadersTest::deepHeifKeepsSixteenBitsAndAlpha()
{
    QImage deep(48, 32, QImage::Format_RGBA64);
    for (int y = 0; y < deep.height(); ++y) {
        for (int x = 0; x < deep.width(); ++x)
            deep.setPixelColor(x, y, QColor::fromRgba64(quint16(8000 + x * 900), quint16(30000 + y * 700),
                                                         quint16(50000 - x * 300), quint16(x < 16 ? 20000 : 65535)));
    }
    const QString path = fileWith(QStringLiteral("deep.heic"), heifMadeByLibheif(deep, heif_compression_HEVC, 10));
    InputOutcome outcome;
    const QImage image = loaded(path, outcome);
    QCOMPARE(image.format(), QImage::Format_RGBA64);
    int largest = 0;
    for (int y = 0; y < deep.height(); ++y) {
        for (int x = 0; x < deep.width(); ++x) {
            const QRgba64 p = deep.pixelColor(x, y).rgba64(), q = image.pixelColor(x, y).rgba64();
            largest = std::max({largest, std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                                std::abs(p.blue() - q.blue()), std::abs(p.alpha() - q.alpha())});
        }
    }
    QVERIFY2(largest <= 2048, qPrintable(QString::number(largest)));
    // 16 bits, not 8 widened: alpha 20000 is no multiple of 257.
    QVERIFY(image.pixelColor(4, 4).rgba64().alpha() % 257 != 0);
}

// A phone's HEIC: stored as the sensor saw it, with irot and an EXIF
// orientation of 6 that say the same; read upright, turned once.
void ReadersTest::heicTurnedByItsOrientation()
{
    const QString path = fileWith(QStringLiteral("phone.heic"),
                                  heifMadeByLibheif(markedCorner(), heif_compression_HEVC, 8, heif_orientation_rotate_90_cw));
    InputOutcome outcome;
    verifyTurnedClockwise(loaded(path, outcome));
    QImageReader reader(path);
    QCOMPARE(reader.size(), QSize(24, 40));
}

// libjxl turns the picture as its header says; the size the header gives
// to the memory budget is the upright one, and the rows are not sheared.
void ReadersTest::jxlTurnedByItsOrientation()
{
    const QString path = fileWith(QStringLiteral("turned.jxl"), jxlMadeByLibjxl({markedCorner()}, JXL_ORIENT_ROTATE_90_CW));
    InputOutcome outcome;
    verifyTurnedClockwise(loaded(path, outcome));
    QImageReader reader(path);
    QCOMPARE(reader.size(), QSize(24, 40));
}

// An animation gives its first frame, and says so as an animated GIF does.
void ReadersTest::animatedJxlGivesItsFirstFrame()
{
    QList<QImage> frames;
    for (const QColor colour : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue)}) {
        QImage frame(16, 12, QImage::Format_RGB32);
        frame.fill(colour);
        frames << frame;
    }
    const QString path = fileWith(QStringLiteral("animated.jxl"), jxlMadeByLibjxl(frames));
    InputOutcome outcome;
    const QImage image = loaded(path, outcome);
    QCOMPARE(image.pixel(8, 6), qRgb(255, 0, 0));
    QCOMPARE(outcome.warnings, QStringList{QStringLiteral("only the first of its 3 frames is used")});
}

// The list shows a HEIC file's own thumbnail, blue here on a red picture,
// when it fills the box as the picture would; otherwise the picture.
void ReadersTest::heicThumbnailFillsTheList_data()
{
    QTest::addColumn<QSize>("thumbnailSize");
    QTest::addColumn<bool>("used");
    QTest::newRow("picture's proportions") << QSize(160, 120) << true;
    QTest::newRow("other proportions") << QSize(160, 90) << false;
    QTest::newRow("smaller than the box") << QSize(48, 36) << false;
}

void ReadersTest::heicThumbnailFillsTheList()
{
    QFETCH(QSize, thumbnailSize);
    QFETCH(bool, used);
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QImage thumbnail(thumbnailSize, QImage::Format_RGB32);
    thumbnail.fill(Qt::blue);
    const QString path = fileWith(QStringLiteral("thumbnailed.heic"),
                                  heifMadeByLibheif(picture, heif_compression_HEVC, 8, heif_orientation_normal, thumbnail));
    const QImage shown = makeThumbnail(path, 64);
    QCOMPARE(shown.size(), QSize(64, 48));
    QCOMPARE(qBlue(shown.pixel(32, 24)) > 200, used);
}

QTEST_MAIN(ReadersTest)
#include "tst_readers.moc"
