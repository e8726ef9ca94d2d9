// What the preview costs on a 12 MP photo (4000 x 3000 JPEG): reading it
// with its screen copy, the first picture after a change (the chain at
// screen scale), the exact result and its encoded size; and, in the window,
// the time from a slider move to the first and to the exact picture while
// the window answers input (the 95th percentile of the delay of a timer
// due every 5 ms, which is how late a key or mouse event would be served).
//
//     vellumo-bench-preview [--benchmark_filter=preview/...]

#include "composition/border.h"
#include "composition/watermark.h"
#include "filters/filter.h"
#include "mainwindow.h"
#include "photopixels.h"
#include "optionform.h"
#include "previewwindow.h"
#include "run/preview.h"
#include "tone/brightness.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPushButton>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

QString photoPath()
{
    static QTemporaryDir directory;
    static const QString path = [] {
        const QString file = directory.filePath(QStringLiteral("photo.jpg"));
        photoPixels().save(file, "JPG", 90);
        return file;
    }();
    return path;
}

// The option sets: a tone change, the dearest filter, text and a border.
JobSettings optionSet(int index)
{
    JobSettings settings;
    if (index == 0)
        settings.set(option::brightness, 30);
    if (index == 1) {
        settings.set(option::filter, QStringLiteral("oil-painting"));
        settings.set(option::filterIntensity, 5);
    }
    if (index == 2) {
        settings.set(option::watermark, true);
        settings.set(option::border, true);
    }
    return settings;
}

const char *const optionSetNames[] = {"brightness", "oil-painting", "watermark+border"};

const PreviewSource &source()
{
    static const PreviewSource loaded = loadPreviewSource(photoPath(), PreviewWindow::screenSide);
    return loaded;
}

void load(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(loadPreviewSource(photoPath(), PreviewWindow::screenSide));
}

// The chain at screen scale, the first picture after a change, or on the
// whole picture, the exact result.
using Render = QImage (*)(const PreviewSource &, const JobSettings &, InputOutcome &);

void rendered(benchmark::State &state, Render render)
{
    const JobSettings settings = optionSet(int(state.range(0)));
    state.SetLabel(optionSetNames[state.range(0)]);
    for (auto _ : state) {
        InputOutcome outcome;
        benchmark::DoNotOptimize(render(source(), settings, outcome));
    }
}

void encodedFileSize(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(encodedSize(source().full, source().path, JobSettings()));
}

// One iteration is one move of the brightness slider, timed to the exact
// picture; the counters give the first picture's time and the input delay.
void sliderInWindow(benchmark::State &state)
{
    MainWindow window;
    window.show();
    window.addInputs({photoPath()});
    window.findChild<QPushButton *>(QStringLiteral("previewButton"))->click();
    auto *preview = window.findChild<PreviewWindow *>();
    auto *slider = window.findChild<QSlider *>(QStringLiteral("brightnessSlider"));
    int shown = 0;
    QObject::connect(preview, &PreviewWindow::resultShown, [&shown] { ++shown; });
    while (!preview->resultIsExact())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);

    QList<double> delays, firsts;
    QElapsedTimer clock;
    QTimer ticker;
    qint64 due = 0;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        delays.append(std::max<qint64>(0, now - due) / 1e6);
        due = now + 5'000'000;
    });
    int value = 0;
    for (auto _ : state) {
        clock.start();
        due = 5'000'000;
        ticker.start(5);
        shown = 0;
        slider->setValue(++value % 100);
        double first = -1;
        while (!(preview->resultIsExact() && shown > 0)) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            if (first < 0 && shown > 0)
                first = clock.nsecsElapsed() / 1e6;
        }
        firsts.append(first);
        ticker.stop();
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
    }
    std::sort(delays.begin(), delays.end());
    std::sort(firsts.begin(), firsts.end());
    state.counters["first_ms_median"] = firsts.value(firsts.size() / 2);
    state.counters["input_delay_ms_p95"] = delays.value(int(delays.size() * 0.95));
}

} // namespace

BENCHMARK(load)->Name("preview/load")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(rendered, first, renderApproximation)->Name("preview/first-picture")->DenseRange(0, 2)
        ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(rendered, exact, renderExact)->Name("preview/exact")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(encodedFileSize)->Name("preview/encoded-size")->Unit(benchmark::kMillisecond);
BENCHMARK(sliderInWindow)->Name("preview/window-slider")->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
