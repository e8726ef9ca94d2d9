#include "batchrun.h"
#include "geometry/size.h"
#include "run/jobfile.h"
#include "run/options.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#include <csignal>

namespace {

struct Outcome
{
    int exitCode = -1;
    QString standardOutput;
    QString standardError;
};

// Runs the tool to its end; stderr is a pipe, so progress comes as plain lines.
Outcome runTool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(VELLUMO_BATCH_PATH), arguments);
    process.waitForFinished(-1);
    Outcome outcome;
    outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.standardOutput = QString::fromLocal8Bit(process.readAllStandardOutput());
    outcome.standardError = QString::fromLocal8Bit(process.readAllStandardError());
    return outcome;
}

// Lines the tool wrote itself, without the platform's notices.
QStringList ownLines(const QString &text)
{
    QStringList lines;
    for (const QString &line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QStringLiteral("vellumo-batch")) || line.startsWith(QLatin1Char('[')))
            lines << line;
    }
    return lines;
}

// A file of a picture's encoding in format, reworked by edit first.
QString writeEncoded(const QTemporaryDir &directory, const QString &name, const char *format,
                     const std::function<void(QByteArray &)> &edit)
{
    QImage picture(64, 64, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    QByteArray bytes = batchrun::encoded(picture, format);
    edit(bytes);
    QFile file(directory.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return file.fileName();
}

QString writeFile(const QTemporaryDir &directory, const QString &name, const QByteArray &bytes)
{
    QFile file(directory.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName() : QString();
}

QString writeInput(const QTemporaryDir &directory, const QString &name)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(QColor(30, 120, 200));
    const QString path = directory.filePath(name);
    return image.save(path) ? path : QString();
}

} // namespace

class CliTest : public QObject
{
    Q_OBJECT

private slots:
    void usageErrors_data();
    void usageErrors();
    void successfulRun();
    void watermarkDrawn_data();
    void watermarkDrawn();
    void badInputFailsTheRun();
    void decoderRemarksNameTheirFile();
    void unstatedResolutionIs96Dpi();
    void outputDirectoryCannotBeCreated();
    void helpAndVersion_data();
    void helpAndVersion();
    void quietShowsOnlyFailures();
    void existingOutputSkipped();
    void shardCountsItsShare();
    void reportOfAKilledRun();
    void outputWords_data();
    void outputWords();
    void jobFileOverriddenByCommandLine();
    void faultyJobFileRunsNothing();
};

void CliTest::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("optionName");

    const QList<QPair<QString, QStringList>> badValues = {
        {"--quality", {"0", "101", "high", "8.5"}},
        {"--width", {"-1", "10000"}},
        {"--height", {"-1", "10000"}},
        {"--brightness", {"-101", "101"}},
        {"--contrast", {"-101", "101"}},
        {"--saturation", {"-1", "201"}},
        {"--rotation", {"-361", "361"}},
        {"--filter-intensity", {"0", "11"}},
        {"--watermark-opacity", {"-1", "256"}},
        {"--watermark-font-size", {"7", "73"}},
        {"--border", {"0", "101"}},
        {"--format", {"gif", "jpeg"}},
        {"--filter", {"sepia"}},
        {"--standard-size", {"640x481", "huge"}},
        {"--aspect-ratio", {"2:1"}},
        {"--channel", {"alpha"}},
        {"--grid", {"0x3", "3x11", "3", "axb"}},
        {"--watermark-position", {"middle"}},
        {"--watermark-color", {"notacolour", "#12345", "#1234567"}},
        {"--border-color", {"rgb(1,2,3)"}},
        {"--rename", {""}},
        {"--watermark", {""}},
        {"--watermark-size", {"0", "51"}},
        {"--logo", {"/nonexistent/logo.png", "/"}},
        {"--logo-width", {"0", "101"}},
        {"--logo-margin", {"-1", "26"}},
        {"--logo-opacity", {"-1", "101"}},
    };
    for (const auto &option : badValues) {
        for (const QString &value : option.second) {
            QTest::addRow("%s %s", qPrintable(option.first), qPrintable(value))
                    << QStringList{option.first, value} << option.first;
        }
    }
    QTest::newRow("unknown option") << QStringList{"--vignette"} << "vignette";
    QTest::newRow("missing value") << QStringList{"--quality"} << "--quality";
}

// Every bad value stops the tool before anything is created.
void CliTest::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, optionName);

    QTemporaryDir inputs, work;
    const QString output = work.filePath(QStringLiteral("out"));
    const Outcome outcome =
            runTool(QStringList{"-o", output} + arguments + QStringList{writeInput(inputs, "a.png")});

    QCOMPARE(outcome.exitCode, 2);
    const QStringList lines = ownLines(outcome.standardError);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains(optionName), qPrintable(lines.first()));
    QVERIFY(!QFileInfo::exists(output));
}

void CliTest::successfulRun()
{
    QTemporaryDir inputs, work;
    const QString output = work.filePath(QStringLiteral("new/out"));
    const Outcome outcome = runTool({"-f", "png", "--rename", "shot", "--border", "2",
                                     "--brightness", "-20", "--watermark-color", "Navy", "-o",
                                     output, writeInput(inputs, "a.png"),
                                     writeInput(inputs, "b c.png")});

    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(QDir(output).entryList(QDir::Files, QDir::Name),
             (QStringList{"shot_0001.png", "shot_0002.png"}));
    QVERIFY(!QImage(QDir(output).filePath("shot_0002.png")).isNull());
    const QStringList lines = ownLines(outcome.standardError);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(0), QStringLiteral("[1/2] 50%"));
    QCOMPARE(lines.at(1), QStringLiteral("[2/2] 100%"));
    QVERIFY2(QRegularExpression("^vellumo-batch: 2 written, 0 failed, 0 skipped in \\d+\\.\\d s$")
                     .match(lines.at(2)).hasMatch(),
             qPrintable(lines.at(2)));
}

void CliTest::watermarkDrawn_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::newRow("--watermark TEXT") << QStringList{"--watermark", "Vellumo"};
    QTest::newRow("--watermark=TEXT") << QStringList{"--watermark=Vellumo"};
}

// The tool starts without fonts unless a watermark is asked for; asked for
// in either spelling, the text is drawn.
void CliTest::watermarkDrawn()
{
    QFETCH(QStringList, words);
    QTemporaryDir inputs, work;
    QImage grey(200, 80, QImage::Format_RGB32);
    grey.fill(Qt::darkGray);
    const QString input = inputs.filePath(QStringLiteral("grey.png"));
    QVERIFY(grey.save(input));
    const Outcome outcome = runTool(QStringList{"-f", "png", "--watermark-font-size", "30",
                                                "--watermark-opacity", "255", "-o", work.path()}
                                    + words + QStringList{input});
    QCOMPARE(outcome.exitCode, 0);
    const QImage written(QDir(work.path()).filePath(QStringLiteral("grey_processed.png")));
    QCOMPARE(written.size(), grey.size());
    int drawn = 0;
    for (int y = 0; y < written.height(); ++y) {
        for (int x = 0; x < written.width(); ++x)
            drawn += written.pixel(x, y) != grey.pixel(x, y);
    }
    QVERIFY2(drawn > 100, qPrintable(QString::number(drawn)));
}

void CliTest::badInputFailsTheRun()
{
    QTemporaryDir inputs, work;
    const QString damaged = inputs.filePath(QStringLiteral("damaged.jpg"));
    QFile file(damaged);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("this is not a picture");
    file.close();
    const QString missing = inputs.filePath(QStringLiteral("missing.png"));
    const Outcome outcome =
            runTool({"-o", work.path(), writeInput(inputs, "good.png"), damaged, missing});

    QCOMPARE(outcome.exitCode, 1);
    const QStringList lines = ownLines(outcome.standardError);
    QVERIFY(lines.contains("vellumo-batch: " + damaged + ": cannot read: unsupported or damaged image"));
    QVERIFY(lines.contains("vellumo-batch: " + missing + ": cannot read: no such file"));
    QVERIFY2(lines.last().startsWith("vellumo-batch: 1 written, 2 failed, 0 skipped in "),
             qPrintable(lines.last()));
    QCOMPARE(QDir(work.path()).entryList(QDir::Files), QStringList{"good_processed.jpg"});
}

// A decoder's remark about a damaged file reaches the report with the file's
// name, after the reason it failed, never stderr alone: libtiff's remarks
// included, and those met while the run weighs a file's memory before
// decoding it.
void CliTest::decoderRemarksNameTheirFile()
{
    QTemporaryDir inputs, work;
    const QString cut = writeEncoded(inputs, QStringLiteral("cut.tif"), "tiff",
                                     [](QByteArray &tiff) { tiff.truncate(tiff.size() * 2 / 3); });
    QVERIFY(!cut.isEmpty());

    const Outcome outcome = runTool({"-f", "png", "-o", work.path(), cut});
    QCOMPARE(outcome.exitCode, 1);
    const QStringList lines = outcome.standardError.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(ownLines(outcome.standardError), lines);
    QVERIFY(!lines.filter(QRegularExpression(
                             "^vellumo-batch: " + QRegularExpression::escape(cut)
                             + ": cannot read: unsupported or damaged image \\(.+\\)$"))
                     .isEmpty());
}

// A file that states no resolution gives the output 96 dpi, with or without
// a watermark (the tool starts a GUI application only for one).
void CliTest::unstatedResolutionIs96Dpi()
{
    QTemporaryDir inputs, work;
    // Without its pHYs chunk (length, type, 9 bytes, CRC) the file states no resolution.
    const QString input = writeEncoded(inputs, QStringLiteral("plain.png"), "png", [](QByteArray &png) {
        const int chunk = png.indexOf("pHYs") - 4;
        if (chunk > 0)
            png.remove(chunk, 4 + 4 + 9 + 4);
    });
    QVERIFY(!input.isEmpty());
    QFile written(input);
    QVERIFY(written.open(QIODevice::ReadOnly) && !written.readAll().contains("pHYs"));
    for (const QStringList &words : {QStringList(), QStringList{"--watermark", "v"}}) {
        const Outcome outcome = runTool(QStringList{"-f", "png", "--if-exists", "rename", "-o",
                                                    work.path()} + words + QStringList{input});
        QCOMPARE(outcome.exitCode, 0);
    }
    const QStringList outputs = QDir(work.path()).entryList(QDir::Files, QDir::Name);
    QCOMPARE(outputs.size(), 2);
    for (const QString &name : outputs) {
        const QImage written(QDir(work.path()).filePath(name));
        QCOMPARE(written.dotsPerMeterX(), 3780);
        QCOMPARE(written.dotsPerMeterY(), 3780);
    }
}

void CliTest::outputDirectoryCannotBeCreated()
{
    QTemporaryDir inputs;
    const QString blocker = writeInput(inputs, "blocker.png");
    const QString output = blocker + QStringLiteral("/out");
    const Outcome outcome = runTool({"-o", output, writeInput(inputs, "a.png")});

    QCOMPARE(outcome.exitCode, 1);
    const QStringList lines = ownLines(outcome.standardError);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().startsWith("vellumo-batch: cannot create output directory " + output + ": ")
                     && lines.first().size() > 50,
             qPrintable(lines.first()));
    QCOMPARE(QDir(inputs.path()).entryList(QDir::Files, QDir::Name),
             (QStringList{"a.png", "blocker.png"}));
}

void CliTest::helpAndVersion_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QStringList>("expectedText");

    const QStringList everyOption{
        "--output", "--format", "--quality", "--rename", "--width", "--height", "--crop",
        "--ignore-aspect", "--standard-size", "--aspect-ratio", "--brightness", "--contrast",
        "--saturation", "--rotation", "--flip-horizontal", "--flip-vertical", "--filter",
        "--filter-intensity", "--auto-enhance", "--channel", "--grid", "--watermark",
        "--watermark-color", "--watermark-opacity", "--watermark-font-size",
        "--watermark-position", "--border", "--border-color", "--quiet", "--help", "--version"};
    QTest::newRow("-h") << "-h" << everyOption;
    QTest::newRow("--help") << "--help" << everyOption;
    QTest::newRow("--version") << "--version" << QStringList{"vellumo-batch 1.0.0\n"};
}

void CliTest::helpAndVersion()
{
    QFETCH(QString, argument);
    QFETCH(QStringList, expectedText);

    const Outcome outcome = runTool({argument});
    QCOMPARE(outcome.exitCode, 0);
    for (const QString &text : expectedText)
        QVERIFY2(outcome.standardOutput.contains(text), qPrintable(text));
}

void CliTest::quietShowsOnlyFailures()
{
    QTemporaryDir inputs, work;
    const QString missing = inputs.filePath(QStringLiteral("missing.png"));
    const Outcome outcome =
            runTool({"--quiet", "-o", work.path(), writeInput(inputs, "a.png"), missing});

    QCOMPARE(outcome.exitCode, 1);
    QCOMPARE(ownLines(outcome.standardError),
             QStringList{"vellumo-batch: " + missing + ": cannot read: no such file"});
    QCOMPARE(QDir(work.path()).entryList(QDir::Files), QStringList{"a_processed.jpg"});
}

// A second run with skip leaves the first run's file and is no failure.
void CliTest::existingOutputSkipped()
{
    QTemporaryDir inputs, work;
    const QString input = writeInput(inputs, "a.png");
    QCOMPARE(runTool({"-o", work.path(), input}).exitCode, 0);
    const Outcome outcome = runTool({"--if-exists", "skip", "-o", work.path(), input});

    QCOMPARE(outcome.exitCode, 0);
    const QStringList lines = ownLines(outcome.standardError);
    QVERIFY2(lines.contains("vellumo-batch: " + input + ": skipped: "
                            + QDir(work.path()).filePath("a_processed.jpg") + " exists already"),
             qPrintable(lines.join('\n')));
    QVERIFY2(lines.last().startsWith("vellumo-batch: 0 written, 0 failed, 1 skipped in "),
             qPrintable(lines.last()));
    QCOMPARE(QDir(work.path()).entryList(QDir::Files), QStringList{"a_processed.jpg"});
}

// A shard's summary and exit status are about its own share of the inputs.
void CliTest::shardCountsItsShare()
{
    QTemporaryDir inputs, work;
    QStringList arguments{"--shard", "1/3", "--rename", "s", "-o", work.path()};
    for (const char *name : {"a.png", "b.png", "c.png", "d.png", "e.png"})
        arguments << writeInput(inputs, name);
    const Outcome outcome = runTool(arguments);

    QCOMPARE(outcome.exitCode, 0);
    const QStringList lines = ownLines(outcome.standardError);
    QVERIFY2(lines.last().startsWith("vellumo-batch: 2 written, 0 failed, 0 skipped in "), qPrintable(lines.last()));
    QCOMPARE(QDir(work.path()).entryList(QDir::Files), (QStringList{"s_0002.jpg", "s_0005.jpg"}));
}

// A run killed at a known point, frozen once its report holds three lines
// and read then, leaves those lines and no more: whole lines, in input order
// (one worker), each naming an output of the size written. Every output in
// the folder is whole; a rerun that skips existing outputs writes exactly
// the others.
void CliTest::reportOfAKilledRun()
{
    constexpr int inputCount = 12;
    QTemporaryDir inputs, work;
    const QString report = inputs.filePath("report.jsonl");
    QStringList arguments{"-j", "1", "--filter", "oil-painting", "--if-exists", "skip", "--report", report,
                          "-o", work.path()};
    const qsizetype firstInput = arguments.size();
    for (int index = 0; index < inputCount; ++index)
        arguments << batchrun::writeImage(inputs.filePath(QString("p%1.png").arg(index, 2, 10, QChar('0'))),
                                          batchrun::testImage(900, 900, index));
    const auto reportLines = [&report] {
        QFile file(report);
        return file.open(QIODevice::ReadOnly) ? file.readAll().split('\n') : QList<QByteArray>();
    };
    QProcess run;
    run.start(QStringLiteral(VELLUMO_BATCH_PATH), arguments);
    QTRY_VERIFY_WITH_TIMEOUT(reportLines().size() > 3, 60000);
    // Still running, with lines left to write; a pid of 0 would stop this test's own group.
    const auto pid = pid_t(run.processId());
    QVERIFY(pid > 0);
    QCOMPARE(::kill(pid, SIGSTOP), 0);
    const QList<QByteArray> atTheKill = reportLines();
    QCOMPARE(::kill(pid, SIGKILL), 0);
    run.waitForFinished(-1);
    QList<QByteArray> lines = reportLines();
    QCOMPARE(lines, atTheKill);
    QCOMPARE(lines.takeLast(), QByteArray()); // ends with a whole line
    QVERIFY(lines.size() < inputCount);
    for (int index = 0; index < lines.size(); ++index) {
        const QJsonObject entry = QJsonDocument::fromJson(lines.at(index)).object();
        QCOMPARE(entry["input"].toString(), arguments.at(firstInput + index));
        QCOMPARE(entry["status"].toString(), "written");
        QCOMPARE(QFileInfo(entry["output"].toString()).size(), entry["bytes"].toInteger());
    }
    // The input in flight may have its output whole before its line; no
    // output is there in part.
    const QStringList finished = QDir(work.path()).entryList(QDir::Files | QDir::Hidden);
    QVERIFY(finished.size() == lines.size() || finished.size() == lines.size() + 1);
    for (const QString &name : finished) {
        QImageReader reader(work.filePath(name));
        QVERIFY2(!reader.read().isNull(), qPrintable(name + ": " + reader.errorString()));
    }
    const Outcome rerun = runTool(arguments);
    QCOMPARE(rerun.exitCode, 0);
    const QString summary = ownLines(rerun.standardError).last();
    QVERIFY2(summary.contains(QString("%1 written, 0 failed, %2 skipped").arg(inputCount - finished.size())
                                      .arg(finished.size())),
             qPrintable(summary));
    QCOMPARE(QDir(work.path()).entryList({"*_processed.jpg"}, QDir::Files).size(), inputCount);
}

void CliTest::outputWords_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QSize>("expectedSize");
    QTest::addColumn<QStringList>("expectedTexts");

    const QStringList texts{"Author"};
    QTest::newRow("width alone") << QStringList{"--width", "20"} << QSize(20, 15) << texts;
    QTest::newRow("height alone") << QStringList{"--height", "60"} << QSize(80, 60) << texts;
    QTest::newRow("shrink only") << QStringList{"--height", "60", "--shrink-only"} << QSize(40, 30)
                                 << texts;
    QTest::newRow("strip metadata") << QStringList{"--strip-metadata"} << QSize(40, 30)
                                    << QStringList();
    QTest::newRow("no metadata") << QStringList{"--metadata", "none"} << QSize(40, 30) << QStringList();
}

void CliTest::outputWords()
{
    QFETCH(QStringList, arguments);
    QFETCH(QSize, expectedSize);
    QFETCH(QStringList, expectedTexts);

    QTemporaryDir inputs, work;
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    image.setText("Author", "Jane Doe");
    const QString input = inputs.filePath("a.png");
    QVERIFY(image.save(input));
    const Outcome outcome = runTool(arguments + QStringList{"-f", "png", "-o", work.path(), input});

    QCOMPARE(outcome.exitCode, 0);
    const QImage written(QDir(work.path()).filePath("a_processed.png"));
    QCOMPARE(written.size(), expectedSize);
    QCOMPARE(written.textKeys(), expectedTexts);
}


// --save-job without inputs writes the file's options with the command
// line's on top and runs nothing; the saved file then runs as they said.
void CliTest::jobFileOverriddenByCommandLine()
{
    QTemporaryDir work;
    const QString job = writeFile(work, "web.json",
                                  R"({"vellumo-job": 1, "options": {"width": 30, "height": 30, "format": "PNG",
                                      "quality": 50, "vignette": 2}})");
    const QString saved = work.filePath("saved.json");
    const Outcome saving = runTool({"--job", job, "--width", "20", "--save-job", saved});

    QCOMPARE(saving.exitCode, 0);
    QCOMPARE(ownLines(saving.standardError),
             QStringList{"vellumo-batch: warning: " + job + ": unknown option \"vignette\" ignored"});
    QCOMPARE(QDir(work.path()).entryList(QDir::Files, QDir::Name), (QStringList{"saved.json", "web.json"}));
    JobSettings settings;
    QCOMPARE(jobfile::load(saved, &settings).error, QString());
    QCOMPARE(settings.value(option::width), 20);
    QCOMPARE(settings.value(option::height), 30);
    QCOMPARE(settings.value(option::quality), 50);
    QCOMPARE(settings.value(option::format), QStringLiteral("PNG"));

    const Outcome running = runTool({"--job", saved, "-o", work.filePath("out"), writeInput(work, "a.png")});
    QCOMPARE(running.exitCode, 0);
    QCOMPARE(QImage(work.filePath("out/a_processed.png")).size(), QSize(20, 15));
}

void CliTest::faultyJobFileRunsNothing()
{
    QTemporaryDir work;
    const QString job = writeFile(work, "web.json", R"({"vellumo-job": 1, "options": {"quality": 500}})");
    const QString output = work.filePath("out");
    const Outcome outcome = runTool({"--job", job, "-o", output, writeInput(work, "a.png")});

    QCOMPARE(outcome.exitCode, 2);
    QCOMPARE(ownLines(outcome.standardError),
             QStringList{"vellumo-batch: " + job + ": \"quality\" must be a whole number from 1 to 100 "
                         "(got 500) (see vellumo-batch --help)"});
    QVERIFY(!QFileInfo::exists(output));
}

QTEST_MAIN(CliTest)
#include "tst_cli.moc"
