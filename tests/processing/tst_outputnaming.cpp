#include "batchrun.h"
#include "filters/filter.h"
#include "formats/datetaken.h"
#include "run/options.h"
#include "run/outputnaming.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void setFileTime(const QString &path, const QDateTime &time)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

// The files below folder, as relative paths, sorted.
QStringList treeOf(const QString &folder)
{
    QStringList files;
    QDirIterator walk(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (walk.hasNext())
        files << QDir(folder).relativeFilePath(walk.next());
    files.sort();
    return files;
}

// Every file below folder with its bytes.
QMap<QString, QByteArray> contentsOf(const QString &folder)
{
    QMap<QString, QByteArray> contents;
    for (const QString &file : treeOf(folder))
        contents.insert(file, batchrun::fileChecksum(QDir(folder).filePath(file)));
    return contents;
}

} // namespace

class OutputNamingTest : public QObject
{
    Q_OBJECT

private slots:
    void templateNames_data();
    void templateNames();
    void unsoundTemplates_data();
    void unsoundTemplates();
    void unsoundNamesStopTheRun_data();
    void unsoundNamesStopTheRun();
    void dateTakenOrder_data();
    void dateTakenOrder();
    void longNamesFit();
    void earlierOutputsFollowTheTemplate_data();
    void earlierOutputsFollowTheTemplate();
    void treeFolders_data();
    void treeFolders();
    void treeKeptSafely();
    void shardsMakeOneRun_data();
    void shardsMakeOneRun();
    void reportAndResume();
    void clashesAfterSizing_data();
    void clashesAfterSizing();
    void linkedInputKeepsItsFile();
};

void OutputNamingTest::templateNames_data()
{
    QTest::addColumn<QString>("nameTemplate");
    QTest::addColumn<QString>("prefix"); // batch renaming when not empty
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("expected");

    const QString usual = "{name}_processed";
    QTest::newRow("usual name up to the first dot") << usual << "" << "holiday.beach.JPG" << 1
                                                    << "holiday_processed";
    QTest::newRow("empty base name") << usual << "" << ".png" << 1 << "_processed";
    QTest::newRow("prefix pads to four digits") << usual << "image" << "a.png" << 7 << "image_0007";
    QTest::newRow("position above 9999 in full") << usual << "image" << "a.png" << 12345 << "image_12345";
    QTest::newRow("prefix taken literally") << usual << "%1 {n}" << "a.png" << 3 << "%1 {n}_0003";
    QTest::newRow("number and name") << "{n}-{name}" << "" << "cat.png" << 42 << "0042-cat";
    QTest::newRow("format") << "{name}.{format}" << "" << "cat.png" << 1 << "cat.webp";
    QTest::newRow("size") << "{name}_{width}x{height}" << "" << "cat.png" << 1 << "cat_640x480";
    QTest::newRow("file time") << "{date}_{name}" << "" << "cat.png" << 1 << "2021-03-04_cat";
    QTest::newRow("date format") << "{date:yyyyMMdd-HHmm}" << "" << "cat.png" << 1 << "20210304-0506";
    QTest::newRow("literal only") << "same" << "" << "cat.png" << 1 << "same";
}

// Each field of a template, given one input whose file time is known.
void OutputNamingTest::templateNames()
{
    QFETCH(QString, nameTemplate);
    QFETCH(QString, prefix);
    QFETCH(QString, input);
    QFETCH(int, position);
    QFETCH(QString, expected);

    QTemporaryDir inputs;
    QVERIFY(!batchrun::writeImage(inputs.filePath(input)).isEmpty());
    setFileTime(inputs.filePath(input), QDateTime(QDate(2021, 3, 4), QTime(5, 6, 7)));
    JobSettings settings = batchrun::settingsFor({}, "/out");
    settings.set(option::nameTemplate, nameTemplate);
    settings.set(option::batchRename, !prefix.isEmpty());
    settings.set(option::batchPrefix, prefix);
    const NameTemplate naming(settings);
    QCOMPARE(naming.problem(), QString());
    QString problem;
    const QString name = naming.expand(inputs.filePath(input), position, "webp", &problem);
    QCOMPARE(problem, QString());
    QCOMPARE(withOutputSize(name, QSize(640, 480)), expected);
}

void OutputNamingTest::unsoundTemplates_data()
{
    QTest::addColumn<QString>("nameTemplate");
    for (const char *text : {"", "{name", "name}", "{nam}", "{name:x}", "{date:}", "{{name}}", "a/{name}",
                             "a\t{name}"})
        QTest::newRow(text) << QString::fromUtf8(text);
}

void OutputNamingTest::unsoundTemplates()
{
    QFETCH(QString, nameTemplate);
    QVERIFY(!NameTemplate(nameTemplate).problem().isEmpty());
}

void OutputNamingTest::unsoundNamesStopTheRun_data()
{
    QTest::addColumn<QString>("nameTemplate");
    QTest::addColumn<QString>("badInput");
    QTest::addColumn<QString>("reason");

    QTest::newRow("slash from the date") << "{date:yyyy/MM}" << "b.png" << "its output name would hold a slash";
    QTest::newRow("control character") << "{name}" << "b\x1b.png" << "its output name would hold a control character";
    QTest::newRow("nothing at all") << "{name}" << ".png" << "its output name would be empty";
}

// No input is written when one of them would get no sound name, and the
// report names that input.
void OutputNamingTest::unsoundNamesStopTheRun()
{
    QFETCH(QString, nameTemplate);
    QFETCH(QString, badInput);
    QFETCH(QString, reason);

    QTemporaryDir inputs, outputs;
    const QStringList paths = {batchrun::writeImage(inputs.filePath(badInput)),
                               batchrun::writeImage(inputs.filePath("c.png"))};
    JobSettings settings = batchrun::settingsFor(paths, outputs.path());
    settings.set(option::nameTemplate, nameTemplate);
    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    QCOMPARE(recorder.failedPaths, QStringList{paths.at(0)});
    QCOMPARE(recorder.failureReasons, QStringList{reason});
    QCOMPARE(batchrun::entriesOf(outputs.path()), QStringList());
}

void OutputNamingTest::dateTakenOrder_data()
{
    QTest::addColumn<QStringList>("dates");
    QTest::addColumn<QString>("expected");
    const QString original = "Exif.Photo.DateTimeOriginal=2020:01:02 03:04:05";
    const QString digitized = "Exif.Photo.DateTimeDigitized=2019:01:02 03:04:05";
    const QString changed = "Exif.Image.DateTime=2018:01:02 03:04:05";
    QTest::newRow("taken first") << QStringList{changed, digitized, original} << "2020-01-02";
    QTest::newRow("then digitized") << QStringList{changed, digitized} << "2019-01-02";
    QTest::newRow("then changed") << QStringList{changed} << "2018-01-02";
    QTest::newRow("then the file's time") << QStringList{} << "2017-06-07";
    QTest::newRow("unreadable date") << QStringList{"Exif.Photo.DateTimeOriginal=0000:00:00 00:00:00"}
                                     << "2017-06-07";
}

void OutputNamingTest::dateTakenOrder()
{
    QFETCH(QStringList, dates);
    QFETCH(QString, expected);
    QTemporaryDir inputs;
    const QString path = batchrun::jpegWithExif(inputs.filePath("a.jpg"), dates);
    QVERIFY(!path.isEmpty());
    setFileTime(path, QDateTime(QDate(2017, 6, 7), QTime(8, 9)));
    QString problem;
    QCOMPARE(NameTemplate("{date}").expand(path, 1, "jpg", &problem), expected);
}

// Names beyond the file system's limit are cut before the suffix, never
// within a character, and the "_2" rule still holds.
void OutputNamingTest::longNamesFit()
{
    QTemporaryDir inputs, outputs;
    const QString longName = QString(125, QChar(0x00e9)); // 250 bytes in UTF-8
    const QStringList paths = {batchrun::writeImage(inputs.filePath(longName + ".png")),
                               batchrun::writeImage(inputs.filePath(longName + ".bmp"))};
    QVERIFY(!paths.contains(QString()));
    JobSettings settings = batchrun::settingsFor(paths, outputs.path());
    settings.set(option::format, QStringLiteral("PNG"));
    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    QCOMPARE(recorder.failureReasons, QStringList());
    const QStringList names = batchrun::entriesOf(outputs.path());
    QCOMPARE(names.size(), 2);
    // "_processed" cut away, and with "_2" a character that no longer fits whole.
    QCOMPARE(names, (QStringList{QString(124, QChar(0x00e9)) + "_2.png", longName + "_.png"}));
    for (const QString &name : names)
        QVERIFY(QFile::encodeName(name).size() <= nameLimit);
}

void OutputNamingTest::earlierOutputsFollowTheTemplate_data()
{
    QTest::addColumn<QString>("nameTemplate");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("earlierOutput");

    QTest::newRow("template's name") << "{n}-{name}" << "0012-cat.png" << true;
    QTest::newRow("template's name, renamed") << "{n}-{name}" << "0012-cat_3.png" << true;
    QTest::newRow("number too short") << "{n}-{name}" << "12-cat.png" << false;
    QTest::newRow("usual name still known") << "{n}-{name}" << "cat_processed.png" << true;
    QTest::newRow("size fields are numbers") << "{width}x{height}" << "640x480.png" << true;
    QTest::newRow("size fields not numbers") << "{width}x{height}" << "wxh.png" << false;
    QTest::newRow("literal part missing") << "web-{name}" << "cat.png" << false;
}

void OutputNamingTest::earlierOutputsFollowTheTemplate()
{
    QFETCH(QString, nameTemplate);
    QFETCH(QString, fileName);
    QFETCH(bool, earlierOutput);
    QTemporaryDir outputs;
    const QString path = batchrun::writeImage(outputs.filePath(fileName));
    JobSettings settings = batchrun::settingsFor({path}, outputs.path());
    settings.set(option::nameTemplate, nameTemplate);
    QCOMPARE(EarlierOutputs(settings).named(path), earlierOutput);
}

void OutputNamingTest::treeFolders_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("expected");
    QTest::newRow("below") << "in/2024/05/a.jpg" << "in" << "2024/05";
    QTest::newRow("root with slashes") << "in//2024/a.jpg" << "in/" << "2024";
    QTest::newRow("root itself") << "in/a.jpg" << "in" << "";
    QTest::newRow("given alone") << "in/x/a.jpg" << "" << "";
    QTest::newRow("dot root") << "./x/a.jpg" << "." << "x";
    QTest::newRow("absolute") << "/data/in/x/a.jpg" << "/data/in" << "x";
    QTest::newRow("climbs out") << "in/../etc/a.jpg" << "in" << "";
    QTest::newRow("climbs out and back") << "in/x/../../in/y/a.jpg" << "in" << "y";
    QTest::newRow("not below") << "/elsewhere/a.jpg" << "in" << "";
}

void OutputNamingTest::treeFolders()
{
    QFETCH(QString, input);
    QFETCH(QString, root);
    QFETCH(QString, expected);
    QCOMPARE(treeFolderOf(input, root), expected);
}

// The tree is kept below the output folder, never through a link and never
// onto a file: a folder the tree needs is no output's name, and a link in
// the way fails only the inputs below it.
void OutputNamingTest::treeKeptSafely()
{
    QTemporaryDir inputs, outputs, elsewhere;
    const QDir in(inputs.path());
    for (const char *folder : {"2024/05", "b_processed.png", "linked"})
        QVERIFY(in.mkpath(folder));
    const QStringList paths = {batchrun::writeImage(in.filePath("2024/05/a.png")),
                               batchrun::writeImage(in.filePath("b.png")),
                               batchrun::writeImage(in.filePath("b_processed.png/c.png")),
                               batchrun::writeImage(in.filePath("linked/d.png")),
                               batchrun::writeImage(in.filePath("e.png"))};
    QVERIFY(QFile::link(elsewhere.path(), outputs.filePath("linked")));
    JobSettings settings = batchrun::settingsFor(paths, outputs.path());
    settings.set(option::format, QStringLiteral("PNG"));
    settings.set(option::keepTree, true);
    settings.imageRoots = {inputs.path(), inputs.path(), inputs.path(), inputs.path(), QString()};
    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    QCOMPARE(recorder.failedPaths, QStringList{paths.at(3)});
    QCOMPARE(recorder.failureReasons.value(0),
             "cannot create folder " + outputs.filePath("linked") + ": a symbolic link or a file is in the way");
    QCOMPARE(treeOf(outputs.path()), (QStringList{"2024/05/a_processed.png", "b_processed.png/c_processed.png",
                                                  "b_processed_2.png", "e_processed.png"}));
    QCOMPARE(batchrun::entriesOf(elsewhere.path()), QStringList());
}

void OutputNamingTest::shardsMakeOneRun_data()
{
    QTest::addColumn<int>("shards");
    QTest::addColumn<bool>("rename");
    for (int shards = 1; shards <= 5; ++shards) {
        QTest::addRow("%d shards", shards) << shards << false;
        QTest::addRow("%d shards, renamed", shards) << shards << true;
    }
}

// The union of the shards' outputs is one run's, name for name and byte for
// byte: inputs of one name in different shards, a numbered rename, and an
// input that fails keep the names one run gives them.
void OutputNamingTest::shardsMakeOneRun()
{
    QFETCH(int, shards);
    QFETCH(bool, rename);
    QTemporaryDir inputs, whole, split;
    QStringList paths;
    for (int index = 0; index < 11; ++index) {
        const QString folder = QString::number(index % 3);
        QDir(inputs.path()).mkpath(folder);
        paths << batchrun::writeImage(inputs.filePath(folder + QString("/a%1.png").arg(index % 4)),
                                      batchrun::testImage(10 + index, 8, index));
    }
    paths.insert(4, inputs.filePath("missing.png"));
    JobSettings settings = batchrun::settingsFor(paths, whole.path());
    settings.set(option::format, QStringLiteral("PNG"));
    settings.set(option::batchRename, rename);
    BatchRecorder one;
    batchrun::runHere(settings, one);
    settings.outputDirectory = split.path();
    settings.shardCount = shards;
    int failures = 0;
    for (int shard = 0; shard < shards; ++shard) {
        settings.shardIndex = shard;
        BatchRecorder part;
        batchrun::runHere(settings, part);
        failures += part.failedPaths.size();
        QCOMPARE(part.progress.value(part.progress.size() - 1, 100), 100);
    }
    QCOMPARE(failures, 1);
    QCOMPARE(treeOf(whole.path()).size(), 11);
    QCOMPARE(contentsOf(split.path()), contentsOf(whole.path()));
}

// One JSON line per input as it ends; a rerun that skips existing outputs
// writes exactly the outputs that went missing.
void OutputNamingTest::reportAndResume()
{
    QTemporaryDir inputs, outputs;
    QStringList paths;
    // The second input's name clashes with the first's: skipped, the first
    // keeps its name, and the second takes its own again.
    for (const char *name : {"p0.png", "p0.bmp", "p2.png", "p3.png"})
        paths << batchrun::writeImage(inputs.filePath(name), batchrun::testImage(9, 9, int(paths.size())));
    paths << inputs.filePath("missing.png");
    const QString report = inputs.filePath("report.jsonl");
    JobSettings settings = batchrun::settingsFor(paths, outputs.path());
    settings.set(option::format, QStringLiteral("PNG"));
    settings.set(option::ifExists, QStringLiteral("skip"));
    settings.set(option::reportFile, report);
    settings.set(option::jobs, 1); // the lines in input order
    BatchRecorder first;
    batchrun::runHere(settings, first);
    const QMap<QString, QByteArray> written = contentsOf(outputs.path());
    QFile::remove(outputs.filePath("p0_processed_2.png"));
    QFile::remove(outputs.filePath("p3_processed.png"));
    BatchRecorder second;
    batchrun::runHere(settings, second);
    QCOMPARE(contentsOf(outputs.path()), written);

    QFile file(report);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList lines;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.isEmpty())
            continue;
        const QJsonObject entry = QJsonDocument::fromJson(line).object();
        const QString output = entry["output"].toString();
        QCOMPARE(entry["bytes"].toInteger(), entry["status"] == "written" ? QFileInfo(output).size() : 0);
        lines << QString("%1 %2 %3 %4").arg(QFileInfo(entry["input"].toString()).fileName(),
                                             entry["status"].toString(), QFileInfo(output).fileName(),
                                             entry["reason"].toString().section(' ', 0, 0));
    }
    QCOMPARE(lines, (QStringList{"p0.png written p0_processed.png ", "p0.bmp written p0_processed_2.png ",
                                 "p2.png written p2_processed.png ", "p3.png written p3_processed.png ",
                                 "missing.png failed  cannot",
                                 "p0.png skipped p0_processed.png " + outputs.filePath("p0_processed.png"),
                                 "p0.bmp written p0_processed_2.png ",
                                 "p2.png skipped p2_processed.png " + outputs.filePath("p2_processed.png"),
                                 "p3.png written p3_processed.png ", "missing.png failed  cannot"}));
}

void OutputNamingTest::clashesAfterSizing_data()
{
    QTest::addColumn<int>("jobs");
    QTest::addColumn<QString>("ifExists");
    QTest::addColumn<QStringList>("expected"); // the first input's output, then the second's
    QTest::newRow("one worker") << 1 << "replace" << QStringList{"a123.png", "a123_2.png"};
    QTest::newRow("the later input sized first") << 2 << "replace" << QStringList{"a123.png", "a123_2.png"};
    QTest::newRow("an earlier file passed") << 2 << "rename" << QStringList{"a123_2.png", "a123_3.png"};
}

// Names that clash only once the sizes are filled in are kept apart by the
// "_2" rule in input order, whichever input is sized first.
void OutputNamingTest::clashesAfterSizing()
{
    QFETCH(int, jobs);
    QFETCH(QString, ifExists);
    QFETCH(QStringList, expected);
    QTemporaryDir inputs, outputs;
    // "a1" 23 pixels wide and "a12" 3 wide both name "a123"; the first,
    // tall and oil-painted, takes far longer.
    const QStringList paths{batchrun::writeImage(inputs.filePath("a1.png"), batchrun::testImage(23, 3000)),
                            batchrun::writeImage(inputs.filePath("a12.png"), batchrun::testImage(3, 4))};
    const QString earlier = batchrun::writeImage(outputs.filePath("a123.png"), batchrun::testImage(5, 5));
    JobSettings settings = batchrun::settingsFor(paths, outputs.path());
    settings.set(option::nameTemplate, QStringLiteral("{name}{width}"));
    settings.set(option::format, QStringLiteral("PNG"));
    settings.set(option::filter, QStringLiteral("oil-painting"));
    settings.set(option::ifExists, ifExists);
    settings.set(option::jobs, jobs);
    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    QCOMPARE(recorder.failureReasons, QStringList());
    QCOMPARE(QImage(outputs.filePath(expected.at(0))).size(), QSize(23, 3000));
    QCOMPARE(QImage(outputs.filePath(expected.at(1))).size(), QSize(3, 4));
    QCOMPARE(QImage(earlier).width(), ifExists == "rename" ? 5 : 23);
}

// An input that is a symbolic link to a file in the output folder is that
// file: no output takes its name, whatever the input is called.
void OutputNamingTest::linkedInputKeepsItsFile()
{
    QTemporaryDir inputs, outputs;
    const QString target = batchrun::writeImage(outputs.filePath("b_processed.png"), batchrun::testImage(5, 5));
    const QByteArray checksum = batchrun::fileChecksum(target);
    QVERIFY(QFile::link(target, inputs.filePath("pic.png")));
    const QStringList paths{batchrun::writeImage(inputs.filePath("b.png")), inputs.filePath("pic.png")};
    JobSettings settings = batchrun::settingsFor(paths, outputs.path());
    settings.set(option::format, QStringLiteral("PNG"));
    BatchRecorder recorder;
    batchrun::runHere(settings, recorder);
    QCOMPARE(recorder.failureReasons, QStringList());
    QCOMPARE(batchrun::fileChecksum(target), checksum);
    QCOMPARE(treeOf(outputs.path()), (QStringList{"b_processed.png", "b_processed_2.png", "pic_processed.png"}));
}

QTEST_MAIN(OutputNamingTest)
#include "tst_outputnaming.moc"
