#include "batchrun.h"
#include "codecs/heifmetadata.h"
#include "composition/logo.h"
#include "formats/formattable.h"
#include "formats/photocredits.h"
#include "geometry/rotation.h"
#include "pipeline/chain.h"
#include "run/options.h"
#include "support/optionchanges.h"

#include <QColorSpace>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

#include <exiv2/exiv2.hpp>
#include <libheif/heif.h>

#include <functional>

using SettingsChange = std::function<void(JobSettings &)>;
Q_DECLARE_METATYPE(SettingsChange)

namespace {

constexpr char copyright[] = "Jane Doe, all rights reserved";
constexpr char dateTaken[] = "2024:05:01 10:20:30";
constexpr int dotsPerMeter = 11811; // 300 dpi
const QColor red(220, 30, 30);
const QColor blue(30, 30, 220);

// 64 x 48 as stored, red on the left and blue on the right. With
// orientation 6 a viewer turns it clockwise: 48 x 64, red on top.
QImage storedPhoto(const QColorSpace &colorSpace)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(blue);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width() / 2; ++x)
            image.setPixelColor(x, y, red);
    }
    image.setColorSpace(colorSpace);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

// A camera JPEG: the profile, orientation 6, date, copyright, camera, GPS, a
// preview, XMP and IPTC, all written with exiv2 as a camera would have them.
QString writePhoto(const QString &path, const QColorSpace &colorSpace)
{
    if (!storedPhoto(colorSpace).save(path, "JPG", 95))
        return QString();
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    image->readMetadata();
    Exiv2::ExifData &exif = image->exifData();
    exif["Exif.Image.Make"] = "Vellumo Camera Works";
    exif["Exif.Image.Model"] = "VC-1";
    exif["Exif.Image.Orientation"] = uint16_t(6);
    exif["Exif.Image.Artist"] = "Jane Doe";
    exif["Exif.Image.Copyright"] = copyright;
    exif["Exif.Photo.DateTimeOriginal"] = dateTaken;
    exif["Exif.Photo.PixelXDimension"] = uint32_t(64);
    exif["Exif.Photo.PixelYDimension"] = uint32_t(48);
    exif["Exif.Photo.LensModel"] = "50mm F1.8";
    exif["Exif.GPSInfo.GPSLatitudeRef"] = "N";
    exif["Exif.GPSInfo.GPSLatitude"] = "52/1 31/1 0/1";
    exif["Exif.GPSInfo.GPSLongitudeRef"] = "E";
    exif["Exif.GPSInfo.GPSLongitude"] = "13/1 24/1 0/1";
    const QByteArray thumbnail = batchrun::encoded(QImage(16, 12, QImage::Format_RGB32), "JPG");
    Exiv2::ExifThumb(exif).setJpegThumbnail(reinterpret_cast<const Exiv2::byte *>(thumbnail.constData()),
                                            long(thumbnail.size()));
    image->xmpData()["Xmp.xmp.Rating"] = "4";
    image->xmpData()["Xmp.tiff.Orientation"] = "6";
    image->xmpData()["Xmp.exif.GPSLatitude"] = "52,31.0N";
    image->iptcData()["Iptc.Application2.Keywords"] = "harbour";
    image->writeMetadata();
    return path;
}

struct FileMetadata
{
    Exiv2::ExifData exif;
    Exiv2::XmpData xmp;
    Exiv2::IptcData iptc;
    QString value(const Exiv2::ExifData &data, const char *key) const
    {
        const auto entry = data.findKey(Exiv2::ExifKey(key));
        return entry == data.end() ? QString() : QString::fromStdString(entry->toString());
    }
    QString exifValue(const char *key) const { return value(exif, key); }
    QString xmpValue(const char *key) const
    {
        const auto entry = xmp.findKey(Exiv2::XmpKey(key));
        return entry == xmp.end() ? QString() : QString::fromStdString(entry->toString());
    }
    QString iptcValue(const char *key) const
    {
        const auto entry = iptc.findKey(Exiv2::IptcKey(key));
        return entry == iptc.end() ? QString() : QString::fromStdString(entry->toString());
    }
    bool hasGps() const
    {
        return std::any_of(exif.begin(), exif.end(),
                           [](const Exiv2::Exifdatum &entry) { return entry.groupName() == "GPSInfo"; });
    }
    bool hasPreview() const { return Exiv2::ExifThumbC(exif).copy().size_ > 0; }
};

// exiv2 reads AVIF and JPEG XL containers once asked to, but not a HEIC of
// tiles: libheif finds its blocks there.
FileMetadata readMetadata(const QString &path)
{
    Exiv2::enableBMFF(true);
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    image->readMetadata();
    FileMetadata metadata{image->exifData(), image->xmpData(), image->iptcData()};
    if (path.endsWith(QLatin1String(".heic"))) {
        QString problem;
        const MetadataBlocks blocks = heifmetadata::read(path, &problem);
        if (!blocks.exif.isEmpty())
            Exiv2::ExifParser::decode(metadata.exif, reinterpret_cast<const Exiv2::byte *>(blocks.exif.constData()),
                                      uint32_t(blocks.exif.size()));
        if (!blocks.xmp.isEmpty())
            Exiv2::XmpParser::decode(metadata.xmp, blocks.xmp.toStdString());
    }
    return metadata;
}

// The pixels as stored, without any orientation a viewer would apply.
QImage storedPixels(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    return reader.read();
}

bool near(const QColor &actual, const QColor &expected)
{
    return qAbs(actual.red() - expected.red()) < 40 && qAbs(actual.green() - expected.green()) < 40
            && qAbs(actual.blue() - expected.blue()) < 40 && qAbs(actual.alpha() - expected.alpha()) < 40;
}

JobSettings settingsFor(const QString &input, const QString &outputDirectory, const QString &format)
{
    JobSettings settings;
    settings.imagePaths = {input};
    settings.outputDirectory = outputDirectory;
    settings.set(option::format, format);
    return settings;
}

QString outputOf(const JobSettings &settings)
{
    return settings.outputDirectory + QLatin1Char('/')
            + QFileInfo(settings.imagePaths.first()).baseName() + QStringLiteral("_processed.")
            + formatWritten(settings.value(option::format))->suffixList().first();
}

const QStringList formats = {QStringLiteral("JPG"), QStringLiteral("PNG"), QStringLiteral("WEBP")};

// Every written format whose files hold EXIF and XMP, from the format table.
QStringList metadataFormats()
{
    QStringList keys;
    for (const FileFormat &format : fileFormats()) {
        if (format.isWritten() && format.holdsMetadata)
            keys << QString::fromLatin1(format.output.key);
    }
    return keys;
}

// A phone's HEIC: stored as storedPhoto, turned clockwise by its irot box
// and saying so in its EXIF (orientation 6), with the camera and the date.
QString writeHeicPhoto(const QString &path)
{
    const QImage rows = storedPhoto(QColorSpace::SRgb).convertToFormat(QImage::Format_RGB888);
    heif_image *picture = nullptr;
    heif_image_create(rows.width(), rows.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &picture);
    heif_image_add_plane(picture, heif_channel_interleaved, rows.width(), rows.height(), 8);
    int stride = 0;
    uint8_t *plane = heif_image_get_plane(picture, heif_channel_interleaved, &stride);
    for (int y = 0; y < rows.height(); ++y)
        memcpy(plane + y * stride, rows.constScanLine(y), size_t(rows.width() * 3));
    heif_context *context = heif_context_alloc();
    heif_encoder *encoder = nullptr;
    heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder);
    heif_encoder_set_lossy_quality(encoder, 90);
    heif_encoding_options *options = heif_encoding_options_alloc();
    options->image_orientation = heif_orientation_rotate_90_cw;
    heif_image_handle *handle = nullptr;
    heif_context_encode_image(context, picture, encoder, options, &handle);
    Exiv2::ExifData exif;
    exif["Exif.Image.Make"] = "Apple";
    exif["Exif.Image.Model"] = "iPhone 12";
    exif["Exif.Image.Orientation"] = uint16_t(6);
    exif["Exif.Photo.DateTimeOriginal"] = dateTaken;
    Exiv2::Blob tiff;
    Exiv2::ExifParser::encode(tiff, Exiv2::bigEndian, exif);
    heif_context_add_exif_metadata(context, handle, tiff.data(), int(tiff.size()));
    const heif_error written = heif_context_write_to_file(context, QFile::encodeName(path).constData());
    heif_image_handle_release(handle);
    heif_encoding_options_free(options);
    heif_encoder_release(encoder);
    heif_image_release(picture);
    heif_context_free(context);
    return written.code == heif_error_Ok ? path : QString();
}

// Transparent on the left, opaque green on the right.
QImage halfTransparent(QImage::Format format)
{
    QImage image(40, 20, format);
    image.fill(QColor(0, 160, 0));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width() / 2; ++x)
            image.setPixelColor(x, y, QColor(0, 0, 0, 0));
    }
    return image;
}

} // namespace

class FidelityTest : public QObject
{
    Q_OBJECT

private slots:
    void profileAndResolutionThroughEveryStep_data();
    void profileAndResolutionThroughEveryStep();
    void metadataCarried_data();
    void metadataCarried();
    void heicPhotoUpright_data();
    void heicPhotoUpright();
    void resolutionInCarriedExif_data();
    void resolutionInCarriedExif();
    void locationAndCredits_data();
    void locationAndCredits();
    void keepDates_data();
    void keepDates();
    void creditsOfInput();
    void ownDirectoryLeftBehind();
    void stripKeepsOnlyTheProfile_data();
    void stripKeepsOnlyTheProfile();
    void damagedExifStillWritten();
    void extendedXmp_data();
    void extendedXmp();
    void transparency_data();
    void transparency();
    void existingOutput_data();
    void existingOutput();
};

void FidelityTest::profileAndResolutionThroughEveryStep_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<SettingsChange>("change");
    QTest::addColumn<int>("profile");

    const auto profiles = {QColorSpace::AdobeRgb, QColorSpace::DisplayP3};
    // The logo step draws a picture of its own.
    static const QTemporaryDir logoFolder;
    const QString logo = batchrun::writeImage(logoFolder.filePath(QStringLiteral("logo.png")));
    for (const QString &format : formats) {
        for (const QColorSpace::NamedColorSpace profile : profiles) {
            QTest::addRow("%s %d loaded upright", qPrintable(format), int(profile))
                    << format << SettingsChange([](JobSettings &) {}) << int(profile);
        }
        for (const ChainStep *step : chainSteps()) {
            for (const ChainStep *other : chainSteps())
                QVERIFY2(other->runs(withStepChanged(*step)) == (other == step), other->name);
            QTest::addRow("%s %s", qPrintable(format), step->name)
                    << format << SettingsChange([step, logo](JobSettings &s) {
                           s = withStepChanged(*step, s);
                           if (step == &steps::logo)
                               s.set(option::logoFile, logo);
                       })
                    << int(QColorSpace::AdobeRgb);
        }
    }
}

// The input is turned upright on loading (orientation 6); every step runs
// alone on it, and the written file carries the input's profile and, where
// the format holds one, its resolution.
void FidelityTest::profileAndResolutionThroughEveryStep()
{
    QFETCH(QString, format);
    QFETCH(SettingsChange, change);
    QFETCH(int, profile);

    QTemporaryDir inputs, outputs;
    const QColorSpace colorSpace{QColorSpace::NamedColorSpace(profile)};
    const QString input = writePhoto(inputs.filePath("photo.jpg"), colorSpace);
    JobSettings settings = settingsFor(input, outputs.path(), format);
    change(settings);
    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    QCOMPARE(recorder.failedPaths, QStringList());

    const QImage written(outputOf(settings));
    QVERIFY(!written.isNull());
    QCOMPARE(written.colorSpace(), colorSpace);
    if (format != QLatin1String("WEBP"))
        QCOMPARE(written.dotsPerMeterX(), dotsPerMeter);
}

void FidelityTest::metadataCarried_data()
{
    QTest::addColumn<QString>("format");
    for (const QString &format : metadataFormats())
        QTest::newRow(qPrintable(format)) << format;
}

// The camera photo, turned a further 90 degrees: upright pixels with
// Orientation 1, its profile, date, copyright, GPS, XMP and IPTC, the new
// pixel dimensions and no preview of the old picture.
void FidelityTest::metadataCarried()
{
    QFETCH(QString, format);

    QTemporaryDir inputs, outputs;
    const QString input = writePhoto(inputs.filePath("photo.jpg"), QColorSpace::DisplayP3);
    JobSettings settings = settingsFor(input, outputs.path(), format);
    settings.set(option::rotation, 90);
    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    QCOMPARE(recorder.failedPaths, QStringList());
    QCOMPARE(recorder.warnings, QStringList());

    // Red on top after loading, then a clockwise turn: red on the right.
    const QImage pixels = storedPixels(outputOf(settings));
    QCOMPARE(pixels.size(), QSize(64, 48));
    QVERIFY(near(pixels.pixelColor(60, 24), red));
    QVERIFY(near(pixels.pixelColor(4, 24), blue));
    QCOMPARE(pixels.colorSpace(), QColorSpace(QColorSpace::DisplayP3));

    const FileMetadata metadata = readMetadata(outputOf(settings));
    QCOMPARE(metadata.exifValue("Exif.Image.Orientation"), QStringLiteral("1"));
    QCOMPARE(metadata.exifValue("Exif.Photo.DateTimeOriginal"), QString::fromLatin1(dateTaken));
    QCOMPARE(metadata.exifValue("Exif.Image.Copyright"), QString::fromLatin1(copyright));
    QCOMPARE(metadata.exifValue("Exif.Image.Model"), QStringLiteral("VC-1"));
    QCOMPARE(metadata.exifValue("Exif.Photo.LensModel"), QStringLiteral("50mm F1.8"));
    QCOMPARE(metadata.exifValue("Exif.Photo.PixelXDimension"), QStringLiteral("64"));
    QCOMPARE(metadata.exifValue("Exif.Photo.PixelYDimension"), QStringLiteral("48"));
    QVERIFY(metadata.hasGps());
    QVERIFY(!metadata.hasPreview());
    QCOMPARE(metadata.xmpValue("Xmp.xmp.Rating"), QStringLiteral("4"));
    QCOMPARE(metadata.xmpValue("Xmp.tiff.Orientation"), QStringLiteral("1"));
    // Where the format has no IPTC block, its fields go to XMP.
    QVERIFY(metadata.iptcValue("Iptc.Application2.Keywords") == QStringLiteral("harbour")
            || metadata.xmpValue("Xmp.dc.subject") == QStringLiteral("harbour"));
}

void FidelityTest::heicPhotoUpright_data()
{
    metadataCarried_data();
}

// The phone's photo comes out upright, red on top, with its EXIF saying
// orientation 1 and keeping the camera and the date.
void FidelityTest::heicPhotoUpright()
{
    QFETCH(QString, format);

    QTemporaryDir inputs, outputs;
    const QString input = writeHeicPhoto(inputs.filePath("IMG_0001.heic"));
    QVERIFY(!input.isEmpty());
    JobSettings settings = settingsFor(input, outputs.path(), format);
    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    QCOMPARE(recorder.failedPaths, QStringList());
    QCOMPARE(recorder.warnings, QStringList());

    const QImage pixels = storedPixels(outputOf(settings));
    QCOMPARE(pixels.size(), QSize(48, 64));
    QVERIFY(near(pixels.pixelColor(24, 4), red));
    QVERIFY(near(pixels.pixelColor(24, 60), blue));
    const FileMetadata metadata = readMetadata(outputOf(settings));
    QCOMPARE(metadata.exifValue("Exif.Image.Orientation"), QStringLiteral("1"));
    QCOMPARE(metadata.exifValue("Exif.Image.Make"), QStringLiteral("Apple"));
    QCOMPARE(metadata.exifValue("Exif.Image.Model"), QStringLiteral("iPhone 12"));
    QCOMPARE(metadata.exifValue("Exif.Photo.DateTimeOriginal"), QString::fromLatin1(dateTaken));
}

void FidelityTest::resolutionInCarriedExif_data()
{
    metadataCarried_data();
}

// The resolution asked for is the one the carried EXIF and XMP say, in
// inches, whether or not the format has a field of its own (a camera's EXIF
// says 72 of any unit). Said in the EXIF, it is written: no warning.
void FidelityTest::resolutionInCarriedExif()
{
    QFETCH(QString, format);

    QTemporaryDir inputs, outputs;
    const QString input = writePhoto(inputs.filePath("photo.jpg"), QColorSpace::SRgb);
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(input).toStdString());
    image->readMetadata();
    image->exifData()["Exif.Image.XResolution"] = Exiv2::URational(72, 1);
    image->exifData()["Exif.Image.YResolution"] = Exiv2::URational(72, 1);
    image->exifData()["Exif.Image.ResolutionUnit"] = uint16_t(3); // centimetres
    image->xmpData()["Xmp.tiff.XResolution"] = "72/1";
    image->writeMetadata();
    JobSettings settings = settingsFor(input, outputs.path(), format);
    settings.set(option::dpi, 240);
    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    QCOMPARE(recorder.failedPaths, QStringList());
    QCOMPARE(recorder.warnings, QStringList());

    const FileMetadata metadata = readMetadata(outputOf(settings));
    QCOMPARE(metadata.exifValue("Exif.Image.XResolution"), QStringLiteral("240/1"));
    QCOMPARE(metadata.exifValue("Exif.Image.YResolution"), QStringLiteral("240/1"));
    QCOMPARE(metadata.exifValue("Exif.Image.ResolutionUnit"), QStringLiteral("2"));
    QCOMPARE(metadata.xmpValue("Xmp.tiff.XResolution"), QStringLiteral("240/1"));
}

void FidelityTest::locationAndCredits_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("stripAll");
    for (const QString &format : metadataFormats()) {
        QTest::addRow("%s", qPrintable(format)) << format << false;
        QTest::addRow("%s, the rest stripped", qPrintable(format)) << format << true;
    }
}

// Without its location and with the photographer's credits, the camera's
// other entries kept; with everything stripped, the credits alone.
void FidelityTest::locationAndCredits()
{
    QFETCH(QString, format);
    QFETCH(bool, stripAll);
    const QString artist = QStringLiteral("Ann Lee");
    const QString rights = QStringLiteral("(c) 2026 Ann Lee");

    QTemporaryDir inputs, outputs;
    const QString input = writePhoto(inputs.filePath("photo.jpg"), QColorSpace::SRgb);
    JobSettings settings = settingsFor(input, outputs.path(), format);
    const PresetEntry &removed = stripAll ? presets::removeMetadata : presets::removeLocation;
    settings.set(option::metadata, QString::fromLatin1(removed.key));
    settings.set(option::artist, artist);
    settings.set(option::copyright, rights);
    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    QCOMPARE(recorder.failedPaths, QStringList());
    QCOMPARE(recorder.warnings, QStringList());

    const FileMetadata metadata = readMetadata(outputOf(settings));
    QVERIFY(!metadata.hasGps());
    QCOMPARE(metadata.exifValue("Exif.Image.GPSTag"), QString());
    QCOMPARE(metadata.xmpValue("Xmp.exif.GPSLatitude"), QString());
    QCOMPARE(metadata.exifValue("Exif.Image.Make"), stripAll ? QString() : QStringLiteral("Vellumo Camera Works"));
    QCOMPARE(metadata.xmpValue("Xmp.xmp.Rating"), stripAll ? QString() : QStringLiteral("4"));
    QCOMPARE(metadata.exifValue("Exif.Image.Artist"), artist);
    QCOMPARE(metadata.exifValue("Exif.Image.Copyright"), rights);
    QCOMPARE(metadata.xmpValue("Xmp.dc.creator"), artist);
    QCOMPARE(metadata.xmpValue("Xmp.dc.rights"), QStringLiteral("lang=\"x-default\" ") + rights);
}

void FidelityTest::keepDates_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("when");
    QTest::addColumn<bool>("dated"); // the input holds a date taken
    for (const FileFormat &format : fileFormats()) {
        if (!format.isWritten())
            continue;
        for (const PresetEntry &entry : presets::outputDates)
            QTest::addRow("%s %s", format.output.key, entry.key)
                    << QString::fromLatin1(format.output.key) << QString::fromLatin1(entry.key) << true;
    }
    QTest::addRow("taken, none held") << QStringLiteral("PNG") << QString::fromLatin1(presets::takenDates.key)
                                      << false;
}

// The output is given its input's modification time, or the time it was
// taken; an input without one gives its modification time, and says so.
void FidelityTest::keepDates()
{
    QFETCH(QString, format);
    QFETCH(QString, when);
    QFETCH(bool, dated);
    const QDateTime modified(QDate(2019, 6, 30), QTime(18, 45, 12));
    const QDateTime taken = QDateTime::fromString(QString::fromLatin1(dateTaken), "yyyy:MM:dd HH:mm:ss");

    QTemporaryDir inputs, outputs;
    const QString input = dated ? writePhoto(inputs.filePath("photo.jpg"), QColorSpace::SRgb)
                                : batchrun::writeImage(inputs.filePath("drawing.png"));
    QFile file(input);
    QVERIFY(file.open(QIODevice::ReadOnly) && file.setFileTime(modified, QFileDevice::FileModificationTime));
    file.close();
    JobSettings settings = settingsFor(input, outputs.path(), format);
    settings.set(option::keepDates, when);
    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    QCOMPARE(recorder.failedPaths, QStringList());

    const bool fromTaken = presets::takenDates.is(when) && dated;
    const QDateTime written = QFileInfo(outputOf(settings)).lastModified();
    QCOMPARE(written == modified, presets::modifiedDates.is(when) || (presets::takenDates.is(when) && !dated));
    QCOMPARE(written == taken, fromTaken);
    const QString noDate = QStringLiteral("no date taken: given its modification time");
    QCOMPARE(recorder.warnings.contains(noDate), presets::takenDates.is(when) && !dated);
}

// A TIFF (as a raw file is) whose first directory describes its own strips
// and sensor: the photo's entries are carried, those are not.
void FidelityTest::ownDirectoryLeftBehind()
{
    QTemporaryDir inputs, outputs;
    const QString input = batchrun::writeImage(inputs.filePath("scan.tif"), storedPhoto(QColorSpace::SRgb));
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(input).toStdString());
    image->readMetadata();
    image->exifData()["Exif.Image.Make"] = "Vellumo Camera Works";
    image->exifData()["Exif.Image.ColorMatrix1"] = "1/1 0/1 0/1 0/1 1/1 0/1 0/1 0/1 1/1";
    image->exifData()["Exif.Photo.DateTimeOriginal"] = dateTaken;
    image->writeMetadata();

    JobSettings settings = settingsFor(input, outputs.path(), QStringLiteral("JPG"));
    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    QCOMPARE(recorder.failedPaths, QStringList());
    const FileMetadata metadata = readMetadata(outputOf(settings));
    QCOMPARE(metadata.exifValue("Exif.Image.Make"), QStringLiteral("Vellumo Camera Works"));
    QCOMPARE(metadata.exifValue("Exif.Photo.DateTimeOriginal"), QString::fromLatin1(dateTaken));
    QCOMPARE(metadata.exifValue("Exif.Image.ColorMatrix1"), QString());
    QCOMPARE(metadata.exifValue("Exif.Image.StripOffsets"), QString());
    QCOMPARE(metadata.exifValue("Exif.Image.BitsPerSample"), QString());
}

// The credits the watermark's fields show, from any format that holds them.
void FidelityTest::creditsOfInput()
{
    QTemporaryDir inputs, outputs;
    const QString camera = writePhoto(inputs.filePath("photo.jpg"), QColorSpace::SRgb);
    QCOMPARE(photoCredits(camera).artist, QStringLiteral("Jane Doe"));
    QCOMPARE(photoCredits(camera).copyright, QString::fromLatin1(copyright));
    const QString plain = batchrun::writeImage(inputs.filePath("plain.png"));
    QCOMPARE(photoCredits(plain).artist, QString());
    QCOMPARE(photoCredits(plain).copyright, QString());

    JobSettings settings = settingsFor(camera, outputs.path(), QStringLiteral("HEIC"));
    settings.set(option::artist, QStringLiteral("Ann Lee"));
    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    QCOMPARE(photoCredits(outputOf(settings)).artist, QStringLiteral("Ann Lee"));
    QCOMPARE(photoCredits(outputOf(settings)).copyright, QString::fromLatin1(copyright));
}

void FidelityTest::stripKeepsOnlyTheProfile_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("pngInput");
    for (const QString &format : formats) {
        QTest::addRow("camera JPEG to %s", qPrintable(format)) << format << false;
        QTest::addRow("PNG with texts to %s", qPrintable(format)) << format << true;
    }
}

void FidelityTest::stripKeepsOnlyTheProfile()
{
    QFETCH(QString, format);
    QFETCH(bool, pngInput);

    QTemporaryDir inputs, outputs;
    QString input = writePhoto(inputs.filePath("photo.jpg"), QColorSpace::AdobeRgb);
    if (pngInput) {
        // A PNG as exiv2 writes one: EXIF and XMP in text chunks, besides a plain text.
        QImage png = QImage(input).convertToFormat(QImage::Format_ARGB32);
        png.setText("Author", "Jane Doe");
        const QString pngPath = inputs.filePath("drawing.png");
        QVERIFY(png.save(pngPath));
        auto image = Exiv2::ImageFactory::open(QFile::encodeName(pngPath).toStdString());
        image->readMetadata();
        image->setExifData(readMetadata(input).exif);
        image->setXmpData(readMetadata(input).xmp);
        image->writeMetadata();
        input = pngPath;
    }
    JobSettings settings = settingsFor(input, outputs.path(), format);
    settings.set(option::metadata, QString::fromLatin1(presets::removeMetadata.key));
    settings.set(option::rotation, 90);
    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    QCOMPARE(recorder.failedPaths, QStringList());

    const FileMetadata metadata = readMetadata(outputOf(settings));
    QVERIFY(!metadata.hasGps());
    QVERIFY(metadata.exif.empty());
    QVERIFY(metadata.xmp.empty());
    QVERIFY(metadata.iptc.empty());
    const QImage written(outputOf(settings));
    QCOMPARE(written.textKeys(), QStringList());
    QCOMPARE(written.colorSpace(), QColorSpace(QColorSpace::AdobeRgb));
}

// An EXIF block whose directory points past its end: the picture is written
// with the entries before the damage, and the warning says what was kept.
void FidelityTest::damagedExifStillWritten()
{
    QTemporaryDir inputs, outputs;
    QByteArray jpeg = batchrun::encoded(storedPhoto(QColorSpace::SRgb), "JPG");
    QVERIFY(!jpeg.isEmpty());
    QByteArray exif("Exif\0\0II\x2a\0\x08\0\0\0\x40\x00\x12\x01\x03\0\x01\0\0\0", 24);
    exif.append(QByteArray(12, '\xff'));
    const int length = exif.size() + 2;
    jpeg.insert(2, QByteArray("\xff\xe1", 2) + char(length >> 8) + char(length & 0xff) + exif);
    const QString input = batchrun::writeFile(inputs.filePath("damaged.jpg"), jpeg);

    for (const QString &format : formats) {
        JobSettings settings = settingsFor(input, outputs.path(), format);
        BatchRecorder recorder;
        batchrun::runHere(settings, recorder);
        QCOMPARE(recorder.failedPaths, QStringList());
        QCOMPARE(recorder.warningPaths, QStringList{input});
        QVERIFY2(recorder.warnings.first().startsWith("metadata read in part, EXIF carried: "),
                 qPrintable(recorder.warnings.first()));
        QCOMPARE(readMetadata(outputOf(settings)).exifValue("Exif.Image.Orientation"), "1");
        QCOMPARE(QImage(outputOf(settings)).size(), QSize(64, 48));
    }
}

void FidelityTest::extendedXmp_data()
{
    QTest::addColumn<QString>("format");
    for (const QString &format : formats)
        QTest::newRow(qPrintable(format)) << format;
}

// XMP beyond one segment: carried into a JPEG after its main packet, which
// still names it; its loss is warned for the other formats.
void FidelityTest::extendedXmp()
{
    QFETCH(QString, format);
    constexpr char guid[] = "0123456789ABCDEF0123456789ABCDEF";
    QTemporaryDir inputs, outputs;
    const QString input = writePhoto(inputs.filePath("photo.jpg"), QColorSpace::SRgb);
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(input).toStdString());
    image->readMetadata();
    Exiv2::XmpProperties::registerNs("http://ns.adobe.com/xmp/note/", "xmpNote");
    image->xmpData()["Xmp.xmpNote.HasExtendedXMP"] = guid;
    image->writeMetadata();
    const QByteArray packet = "<x:xmpmeta xmlns:x='adobe:ns:meta/'>extended part</x:xmpmeta>";
    QByteArray extension = QByteArray("http://ns.adobe.com/xmp/extension/\0", 35) + guid;
    extension.append(QByteArray::fromHex("000000") + char(packet.size()) + QByteArray(4, '\0') + packet);
    QFile file(input);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray jpeg = file.readAll();
    jpeg.insert(2, "\xff\xe1" + QByteArray(1, char((extension.size() + 2) >> 8))
                       + char((extension.size() + 2) & 0xff) + extension);
    QVERIFY(file.seek(0) && file.write(jpeg) == jpeg.size());
    file.close();

    JobSettings settings = settingsFor(input, outputs.path(), format);
    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    QCOMPARE(recorder.failedPaths, QStringList());
    QFile output(outputOf(settings));
    QVERIFY(output.open(QIODevice::ReadOnly));
    const QByteArray written = output.readAll();
    const bool jpegOutput = format == QLatin1String("JPG");
    QCOMPARE(written.contains(extension), jpegOutput);
    QCOMPARE(readMetadata(outputOf(settings)).xmpValue("Xmp.xmpNote.HasExtendedXMP"), QString(guid));
    QCOMPARE(recorder.warnings, jpegOutput ? QStringList()
                                           : QStringList{"extended XMP not carried: only a JPEG output holds it"});
}

void FidelityTest::transparency_data()
{
    QTest::addColumn<QImage>("source");
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QColor>("expected"); // where the picture is transparent

    const QImage eightBit = halfTransparent(QImage::Format_ARGB32);
    const QImage sixteenBit = halfTransparent(QImage::Format_RGBA64);
    const QColor white(255, 255, 255);
    const QColor transparent(0, 0, 0, 0);
    for (const auto &[name, source] : {std::pair("8-bit", eightBit), std::pair("16-bit", sixteenBit)}) {
        QTest::addRow("%s PNG to JPG on white", name) << source << "JPG" << 0 << white;
        QTest::addRow("%s PNG to BMP on white", name) << source << "BMP" << 0 << white;
        QTest::addRow("%s PNG to PNG keeps alpha", name) << source << "PNG" << 0 << transparent;
        QTest::addRow("%s PNG to WEBP keeps alpha", name) << source << "WEBP" << 0 << transparent;
    }
    const QImage opaque = halfTransparent(QImage::Format_RGB32);
    QTest::newRow("corners of a turn in JPG") << opaque << "JPG" << 30 << white;
    QTest::newRow("corners of a turn in PNG") << opaque << "PNG" << 30 << transparent;
}

// Checked at the top-left pixel: transparent in the source, and a corner
// outside the turned picture.
void FidelityTest::transparency()
{
    QFETCH(QImage, source);
    QFETCH(QString, format);
    QFETCH(int, rotation);
    QFETCH(QColor, expected);

    QTemporaryDir inputs, outputs;
    const QString input = batchrun::writeImage(inputs.filePath("logo.png"), source);
    QVERIFY(!input.isEmpty());
    JobSettings settings = settingsFor(input, outputs.path(), format);
    settings.set(option::rotation, rotation);
    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    QCOMPARE(recorder.failedPaths, QStringList());

    const QImage written(outputOf(settings));
    QVERIFY2(near(written.pixelColor(0, 0), expected),
             qPrintable(written.pixelColor(0, 0).name(QColor::HexArgb)));
    if (rotation == 0) {
        QVERIFY(near(written.pixelColor(35, 10), QColor(0, 160, 0)));
        if (format == QLatin1String("PNG"))
            QCOMPARE(written.depth(), source.depth());
    }
}

void FidelityTest::existingOutput_data()
{
    QTest::addColumn<QString>("ifExists");
    QTest::addColumn<QStringList>("expectedEntries");
    QTest::addColumn<bool>("earlierKept");
    QTest::addColumn<QString>("newOutput"); // empty when skipped

    QTest::newRow("replace") << "replace" << QStringList{"photo_processed.png"} << false
                             << "photo_processed.png";
    QTest::newRow("rename") << "rename" << QStringList{"photo_processed.png", "photo_processed_2.png"}
                            << true << "photo_processed_2.png";
    QTest::newRow("skip") << "skip" << QStringList{"photo_processed.png"} << true << QString();
}

// The output of an earlier run is there; an input whose output name is taken
// by another input is never written over, whatever the choice.
void FidelityTest::existingOutput()
{
    QFETCH(QString, ifExists);
    QFETCH(QStringList, expectedEntries);
    QFETCH(bool, earlierKept);
    QFETCH(QString, newOutput);

    QTemporaryDir inputs, outputs;
    const QString input = batchrun::writeImage(inputs.filePath("photo.png"), batchrun::testImage(20, 10, 1));
    const QString earlier = batchrun::writeImage(outputs.filePath("photo_processed.png"),
                                                 batchrun::testImage(12, 6, 2));
    const QByteArray earlierChecksum = batchrun::fileChecksum(earlier);
    JobSettings settings = settingsFor(input, outputs.path(), "PNG");
    settings.set(option::ifExists, ifExists);
    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);

    QCOMPARE(recorder.failedPaths, QStringList());
    QCOMPARE(recorder.skippedPaths, newOutput.isEmpty() ? QStringList{input} : QStringList());
    QCOMPARE(batchrun::entriesOf(outputs.path()), expectedEntries);
    QCOMPARE(batchrun::fileChecksum(earlier) == earlierChecksum, earlierKept);
    if (!newOutput.isEmpty())
        QCOMPARE(QImage(outputs.filePath(newOutput)).size(), QSize(20, 10));

    // Two inputs, the second named like the first one's output.
    const QString other = batchrun::writeImage(inputs.filePath("photo_processed.png"),
                                               batchrun::testImage(8, 8, 3));
    const QByteArray otherChecksum = batchrun::fileChecksum(other);
    settings.imagePaths = {input, other};
    settings.outputDirectory = inputs.path();
    BatchRecorder second;
    batchrun::runHere(settings, second);
    QCOMPARE(second.failedPaths, QStringList());
    QCOMPARE(batchrun::fileChecksum(other), otherChecksum);
}

QTEST_MAIN(FidelityTest)
#include "tst_fidelity.moc"
