// Times every image operation on a 4000x3000 image, the production kernel
// and the literal per-pixel reference side by side, and prints megapixels
// per second and the speed-up of each pair at the end.
//
// VELLUMO_BENCH_SIZE=WxH runs on another size (the references at radius 10
// take minutes on the full image).

#include "composition/border.h"
#include "composition/channel.h"
#include "composition/watermark.h"
#include "filters/blur.h"
#include "filters/edgedetection.h"
#include "filters/emboss.h"
#include "filters/grayscale.h"
#include "filters/oilpainting.h"
#include "filters/sharpen.h"
#include "filters/vintage.h"
#include "geometry/aspectratio.h"
#include "geometry/flip.h"
#include "geometry/resample.h"
#include "geometry/rotation.h"
#include "geometry/size.h"
#include "tone/autoenhance.h"
#include "tone/brightness.h"
#include "tone/contrast.h"
#include "tone/saturation.h"
#include "reference.h"

#include <QByteArray>
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QRandomGenerator>
#include <QThreadPool>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using Operation = std::function<QImage(const QImage &)>;

struct OperationPair
{
    std::string name;
    QImage::Format format;
    Operation production;
    Operation reference;
};

QSize benchSize()
{
    const QByteArray text = qgetenv("VELLUMO_BENCH_SIZE");
    const QList<QByteArray> parts = text.split('x');
    if (parts.size() == 2 && parts[0].toInt() > 0 && parts[1].toInt() > 0)
        return QSize(parts[0].toInt(), parts[1].toInt());
    return QSize(4000, 3000);
}

// A photograph-like test picture: smooth gradients plus a little noise, so
// that level histograms and edges are not degenerate.
QImage testImage(QImage::Format format)
{
    const QSize size = benchSize();
    QImage image(size, QImage::Format_ARGB32);
    QRandomGenerator random(20261209);
    for (int y = 0; y < size.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int noise = int(random.bounded(32));
            line[x] = qRgba((x * 255 / size.width() + noise) & 0xff, (y * 255 / size.height() + noise) & 0xff,
                            ((x + y) / 16 + noise) & 0xff, 255 - noise);
        }
    }
    return image.convertToFormat(format);
}

std::vector<OperationPair> operations()
{
    const QImage::Format rgb = QImage::Format_RGB32;
    const QImage::Format premultiplied = QImage::Format_ARGB32_Premultiplied;
    std::vector<OperationPair> list = {
        {"brightness", rgb, [](const QImage &i) { return adjustBrightness(i, 20); },
         [](const QImage &i) { return reference::adjustBrightness(i, 20); }},
        {"contrast", rgb, [](const QImage &i) { return adjustContrast(i, 20); },
         [](const QImage &i) { return reference::adjustContrast(i, 20); }},
        {"saturation", rgb, [](const QImage &i) { return adjustSaturation(i, 150); },
         [](const QImage &i) { return reference::adjustSaturation(i, 150); }},
        {"autoEnhance", rgb, [](const QImage &i) { return autoEnhance(i); },
         [](const QImage &i) { return reference::autoEnhance(i); }},
        {"extractChannel", rgb, [](const QImage &i) { return extractChannel(i, "Cyan"); },
         [](const QImage &i) { return reference::extractChannel(i, "Cyan"); }},
        {"resize1920x1080", rgb, [](const QImage &i) { return resizeImage(i, 1920, 1080, true); },
         [](const QImage &i) { return reference::resizeImage(i, 1920, 1080, true); }},
        {"rotate45", rgb, [](const QImage &i) { return rotateImage(i, 45); },
         [](const QImage &i) { return reference::rotateImage(i, 45); }},
        {"flip", rgb, [](const QImage &i) { return flipImage(i, true, true); },
         [](const QImage &i) { return reference::flipImage(i, true, true); }},
        {"aspectRatio16:9", rgb, [](const QImage &i) { return applyAspectRatio(i, "16:9"); },
         [](const QImage &i) { return reference::applyAspectRatio(i, "16:9"); }},
        {"watermark", rgb,
         [](const QImage &i) { return addWatermark(i, "Vellumo", Qt::white, 128, 48, 3); },
         [](const QImage &i) { return reference::addWatermark(i, "Vellumo", Qt::white, 128, 48, 3); }},
        {"border10", rgb, [](const QImage &i) { return addBorder(i, 10, Qt::white); },
         [](const QImage &i) { return reference::addBorder(i, 10, Qt::white); }},
        {"sharpenWeb", rgb, [](const QImage &i) { return applySharpen(i, 50, 1, 2); },
         [](const QImage &i) { return reference::applySharpen(i, 50, 1, 2); }},
    };
    for (QImage::Format format : {rgb, premultiplied}) {
        const std::string suffix = format == rgb ? "/RGB32" : "/ARGB32PM";
        const std::vector<OperationPair> filters = {
            {"blur10" + suffix, format, [](const QImage &i) { return applyBlur(i, 10); },
             [](const QImage &i) { return reference::applyBlur(i, 10); }},
            {"grayscale" + suffix, format, [](const QImage &i) { return applyGrayscale(i); },
             [](const QImage &i) { return reference::applyGrayscale(i); }},
            {"vintage" + suffix, format, [](const QImage &i) { return applyVintage(i); },
             [](const QImage &i) { return reference::applyVintage(i); }},
            {"edgeDetection" + suffix, format, [](const QImage &i) { return applyEdgeDetection(i); },
             [](const QImage &i) { return reference::applyEdgeDetection(i); }},
            {"emboss" + suffix, format, [](const QImage &i) { return applyEmboss(i); },
             [](const QImage &i) { return reference::applyEmboss(i); }},
            {"oilPainting10" + suffix, format, [](const QImage &i) { return applyOilPainting(i, 10); },
             [](const QImage &i) { return reference::applyOilPainting(i, 10); }},
        };
        list.insert(list.end(), filters.begin(), filters.end());
    }
    return list;
}

// A photo's long edge to 1920 with each filter; the Lanczos reference sums
// the whole picture for every pixel, so these have no reference to pair.
std::vector<std::pair<std::string, Operation>> resamplings()
{
    std::vector<std::pair<std::string, Operation>> list;
    for (const PresetEntry &filter : presets::resampleFilters) {
        list.emplace_back(std::string("resample1920/") + filter.key, [key = filter.key](const QImage &i) {
            const QSize size = i.size().scaled(1920, 1920, Qt::KeepAspectRatio);
            return resampleImage(i, size, QString::fromUtf8(key));
        });
    }
    return list;
}

void runOperation(benchmark::State &state, const Operation &operation, QImage::Format format)
{
    const QImage source = testImage(format);
    for (auto _ : state) {
        QImage result = operation(source);
        benchmark::DoNotOptimize(result.constBits());
    }
    state.counters["MP/s"] = benchmark::Counter(double(source.width()) * source.height() / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
}

// runOperation with the global thread pool held to threads (0: as it is).
void runOnThreads(benchmark::State &state, const Operation &operation, QImage::Format format, int threads)
{
    QThreadPool *pool = QThreadPool::globalInstance();
    const int usual = pool->maxThreadCount();
    if (threads > 0)
        pool->setMaxThreadCount(threads);
    runOperation(state, operation, format);
    pool->setMaxThreadCount(usual);
}

// Prints the usual console table, then one line per operation pairing the
// production and the reference time.
class SpeedUpReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            seconds[run.run_name.function_name] =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const double megapixels = double(benchSize().width()) * benchSize().height() / 1e6;
        std::printf("\n%-24s %14s %14s %10s\n", "operation", "production MP/s", "reference MP/s", "speed-up");
        for (const auto &[name, productionSeconds] : seconds) {
            if (name.rfind("production/", 0) != 0)
                continue;
            const std::string operation = name.substr(std::string("production/").size());
            const auto reference = seconds.find("reference/" + operation);
            if (reference == seconds.end())
                continue;
            std::printf("%-24s %14.1f %14.2f %9.0fx\n", operation.c_str(), megapixels / productionSeconds,
                        megapixels / reference->second, reference->second / productionSeconds);
        }
    }

private:
    std::map<std::string, double> seconds;
};

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    for (const OperationPair &pair : operations()) {
        benchmark::RegisterBenchmark(("production/" + pair.name).c_str(), runOperation, pair.production, pair.format)
            ->Unit(benchmark::kMillisecond)->UseRealTime();
        benchmark::RegisterBenchmark(("reference/" + pair.name).c_str(), runOperation, pair.reference, pair.format)
            ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
    }
    // The resamplers with every core (wall time) and on one thread (the
    // global pool, where both our bands and Qt's own splitting of a smooth
    // scale run, held to one thread); CPU time is the whole process's.
    for (const auto &[name, operation] : resamplings()) {
        for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
            for (const int threads : {0, 1}) {
                const std::string label = "production/" + name + (format == QImage::Format_RGB32 ? "/RGB32" : "/ARGB32PM")
                        + (threads == 1 ? "/1thread" : "");
                benchmark::RegisterBenchmark(label.c_str(), runOnThreads, operation, format, threads)
                    ->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
            }
        }
    }
    SpeedUpReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
