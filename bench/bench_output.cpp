// What writing an output costs beyond the pixels, on a 12 MP camera-like
// JPEG (4000 x 3000, Adobe RGB profile, EXIF with GPS and a preview, XMP,
// IPTC): the metadata copy, laying a transparent picture on white, the
// upright loading, and the choice of an output name.
//
//     vellumo-bench --benchmark_filter=output/

#include "formats/imagefile.h"
#include "photopixels.h"
#include "formats/metadata.h"
#include "run/options.h"
#include "run/writeoutput.h"
#include "run/outputnaming.h"

#include <QBuffer>
#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <exiv2/exiv2.hpp>

namespace {

// The photo files, made once and kept for the whole run of the benchmarks.
struct PhotoFiles
{
    QTemporaryDir directory;
    QString upright;    // Orientation 1
    QString turned;     // Orientation 6
    QImage pixels = photoPixels();

    PhotoFiles()
    {
        upright = write("upright.jpg", 1);
        turned = write("turned.jpg", 6);
    }

    QString write(const QString &name, uint16_t orientation)
    {
        const QString path = directory.filePath(name);
        pixels.save(path, "JPG", 90);
        auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
        image->readMetadata();
        Exiv2::ExifData &exif = image->exifData();
        exif["Exif.Image.Make"] = "Camera";
        exif["Exif.Image.Orientation"] = orientation;
        exif["Exif.Image.Copyright"] = "Jane Doe";
        exif["Exif.Photo.DateTimeOriginal"] = "2024:05:01 10:20:30";
        exif["Exif.Photo.PixelXDimension"] = uint32_t(4000);
        exif["Exif.Photo.PixelYDimension"] = uint32_t(3000);
        exif["Exif.GPSInfo.GPSLatitude"] = "52/1 31/1 0/1";
        QByteArray thumbnail;
        QBuffer buffer(&thumbnail);
        buffer.open(QIODevice::WriteOnly);
        pixels.scaled(160, 120).save(&buffer, "JPG");
        Exiv2::ExifThumb(exif).setJpegThumbnail(
                reinterpret_cast<const Exiv2::byte *>(thumbnail.constData()), long(thumbnail.size()));
        image->xmpData()["Xmp.xmp.Rating"] = "4";
        image->iptcData()["Iptc.Application2.Keywords"] = "harbour";
        image->writeMetadata();
        return path;
    }
};

PhotoFiles &photos()
{
    static PhotoFiles files;
    return files;
}

QByteArray encodedJpeg(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 85);
    return bytes;
}

void metadataCopy(benchmark::State &state)
{
    const QByteArray encoded = encodedJpeg(photos().pixels);
    state.counters["JPEG MB"] = double(encoded.size()) / 1e6;
    for (auto _ : state) {
        QString warning;
        const PhotoMetadata metadata = PhotoMetadata::read(photos().upright, &warning);
        QByteArray output = encoded;
        const QString problem = metadata.writeInto(output, QSize(4000, 3000));
        benchmark::DoNotOptimize(output.constData());
        if (!warning.isEmpty() || !problem.isEmpty())
            state.SkipWithError("metadata not carried");
    }
}

// The whole write of a processed picture: encoding, metadata, the file.
void writeJpeg(benchmark::State &state, bool strip, bool transparent)
{
    JobSettings settings;
    settings.set(option::metadata, QString::fromLatin1((strip ? presets::removeMetadata : presets::keepMetadata).key));
    const QString output = photos().directory.filePath("output.jpg");
    const QImage image = transparent
            ? photos().pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied)
            : photos().pixels;
    for (auto _ : state) {
        InputOutcome outcome;
        writeOutput(image, photos().upright, output, settings, outcome);
        if (outcome.failed())
            state.SkipWithError("not written");
    }
}

void load(benchmark::State &state, bool turned)
{
    const QString path = turned ? photos().turned : photos().upright;
    for (auto _ : state) {
        InputOutcome outcome;
        const QImage image = loadImage(path, outcome);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// Renaming past earlier outputs reads the output folder once.
void renameChoice(benchmark::State &state)
{
    for (const QString name : {"photo_processed.jpg", "photo_processed_2.jpg", "photo_processed_3.jpg"})
        QFile(photos().directory.filePath(name)).open(QIODevice::WriteOnly);
    for (auto _ : state)
        benchmark::DoNotOptimize(ClaimedNames(photos().directory.path()).choose(QString(), QStringLiteral("photo_processed"),
                                                       QStringLiteral("jpg"), QStringLiteral("rename")));
}

} // namespace

BENCHMARK(metadataCopy)->Name("output/metadataCopy")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(writeJpeg, keep, false, false)->Name("output/writeJpeg keep metadata")
        ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(writeJpeg, strip, true, false)->Name("output/writeJpeg strip metadata")
        ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(writeJpeg, flatten, false, true)->Name("output/writeJpeg transparent, on white")
        ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(load, upright, false)->Name("output/load orientation 1")
        ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(load, turned, true)->Name("output/load orientation 6")
        ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(renameChoice)->Name("output/rename past 3 earlier outputs")
        ->Unit(benchmark::kMicrosecond)->UseRealTime();
