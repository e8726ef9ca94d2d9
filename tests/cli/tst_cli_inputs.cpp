// The tool facing hostile names, lists, folders, signals and pipes.

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

struct Outcome
{
    int exitCode = -1;
    QStringList lines; // of stderr
};

Outcome finish(QProcess &process)
{
    if (!process.waitForFinished(60000))
        process.kill();
    Outcome outcome;
    outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.lines = QString::fromUtf8(process.readAllStandardError())
                            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return outcome;
}

Outcome runTool(const QStringList &arguments, const QByteArray &standardInput = QByteArray())
{
    QProcess process;
    process.start(QStringLiteral(VELLUMO_BATCH_PATH), arguments);
    process.write(standardInput);
    process.closeWriteChannel();
    return finish(process);
}

QString writeInput(const QString &path, int side = 40)
{
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(QColor(30, 120, 200));
    return QDir().mkpath(QFileInfo(path).path()) && image.save(path, "PNG") ? path : QString();
}

QStringList filesIn(const QString &directory)
{
    return QDir(directory).entryList(QDir::Files, QDir::Name);
}

QString writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? path : QString();
}

QByteArray pngOf(int side)
{
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(QColor(30, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Every file below root, by its path relative to root.
QStringList treeOf(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

} // namespace

class CliInputsTest : public QObject
{
    Q_OBJECT

private slots:
    void endOfOptions();
    void repeatedOutputIsUsageError();
    void filesFrom_data();
    void filesFrom();
    void unreadableList();
    void recursiveFolders();
    void folderWithoutRecursive();
    void controlCharactersEscaped();
    void nameNotUtf8();
    void nameNotUtf8InFolder();
    void messagesNameTheirFile_data();
    void messagesNameTheirFile();
    void secondRunProcessesNoOutput_data();
    void secondRunProcessesNoOutput();
    void damagedInputWarns();
    void emptyGridCellFails();
    void cancelExits130();
    void closedStderrDoesNotEndTheRun();
};

// A file named like an option, as a shell's * may hand it over.
void CliInputsTest::endOfOptions()
{
    QTemporaryDir inputs, work;
    const QString trap = writeInput(inputs.filePath("--output=elsewhere"));
    QVERIFY(QDir::setCurrent(inputs.path()));
    const Outcome outcome = runTool({"-o", work.path(), "--", "--output=elsewhere"});
    QVERIFY(QDir::setCurrent(QDir::tempPath()));

    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(filesIn(work.path()), QStringList{"--output=elsewhere_processed.jpg"});
    QVERIFY(!QFileInfo::exists(inputs.filePath("elsewhere")));
}

void CliInputsTest::repeatedOutputIsUsageError()
{
    QTemporaryDir inputs, work;
    const Outcome outcome = runTool({"-o", work.filePath("one"), "--output", work.filePath("two"),
                                     writeInput(inputs.filePath("a.png"))});
    QCOMPARE(outcome.exitCode, 2);
    QCOMPARE(outcome.lines,
             QStringList{"vellumo-batch: -o/--output may be given only once (see vellumo-batch --help)"});
    QCOMPARE(QDir(work.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void CliInputsTest::filesFrom_data()
{
    QTest::addColumn<bool>("fromStandardInput");
    QTest::addColumn<bool>("nulSeparated");
    QTest::newRow("file, lines") << false << false;
    QTest::newRow("file, NUL-separated") << false << true;
    QTest::newRow("standard input, lines") << true << false;
    QTest::newRow("standard input, NUL-separated") << true << true;
}

// Listed paths follow those of the command line, in the list's order; a
// NUL-separated list carries names with line breaks.
void CliInputsTest::filesFrom()
{
    QFETCH(bool, fromStandardInput);
    QFETCH(bool, nulSeparated);
    QTemporaryDir inputs, work;
    const QString output = work.filePath("out");
    // Each input of its own width, so that the numbered outputs tell the order.
    QStringList listed{writeInput(inputs.filePath("c.png"), 42),
                       writeInput(inputs.filePath("a.png"), 43)};
    if (nulSeparated)
        listed << writeInput(inputs.filePath("two\nlines.png"), 44);
    const QChar separator = QLatin1Char(nulSeparated ? '\0' : '\n');
    const QByteArray list = (listed.join(separator) + separator).toUtf8();
    QStringList arguments{"-o", output, "-f", "png", "--rename", "shot", "--files-from"};
    if (fromStandardInput) {
        arguments << "-";
    } else {
        QFile listFile(work.filePath("list"));
        QVERIFY(listFile.open(QIODevice::WriteOnly) && listFile.write(list) == list.size());
        arguments << listFile.fileName();
    }
    if (nulSeparated)
        arguments << "-0";
    arguments << writeInput(inputs.filePath("first.png"), 41);

    const Outcome outcome = runTool(arguments, fromStandardInput ? list : QByteArray());

    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(filesIn(output).size(), listed.size() + 1);
    for (int position = 1; position <= listed.size() + 1; ++position) {
        const QImage written(output + QStringLiteral("/shot_%1.png").arg(position, 4, 10, QLatin1Char('0')));
        QCOMPARE(written.width(), 40 + position);
    }
}

void CliInputsTest::unreadableList()
{
    QTemporaryDir work;
    const QString output = work.filePath("out");
    const Outcome outcome = runTool({"-o", output, "--files-from", work.filePath("missing")});
    QCOMPARE(outcome.exitCode, 2);
    QCOMPARE(outcome.lines.size(), 1);
    QVERIFY2(outcome.lines.first().contains("--files-from"), qPrintable(outcome.lines.first()));
    QVERIFY(!QFileInfo::exists(output));
}

// The pictures under a folder, whatever the depth, in sorted order; files
// that are no pictures are left out.
void CliInputsTest::recursiveFolders()
{
    QTemporaryDir inputs, work;
    writeInput(inputs.filePath("photos/b.png"), 43);
    writeInput(inputs.filePath("photos/a/z.png"), 42);
    writeInput(inputs.filePath("photos/C.JPG"), 41);
    QFile notes(inputs.filePath("photos/notes.txt"));
    QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("no picture") > 0);
    notes.close();

    const Outcome outcome =
            runTool({"-r", "--rename", "r", "-f", "png", "-o", work.path(), inputs.filePath("photos")});

    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(outcome.lines.size(), 4);
    QCOMPARE(filesIn(work.path()), (QStringList{"r_0001.png", "r_0002.png", "r_0003.png"}));
    // Sorted by path: photos/C.JPG, photos/a/z.png, photos/b.png.
    for (int position = 1; position <= 3; ++position)
        QCOMPARE(QImage(work.filePath(QStringLiteral("r_%1.png").arg(position, 4, 10, QLatin1Char('0')))).width(),
                 40 + position);
}

void CliInputsTest::folderWithoutRecursive()
{
    QTemporaryDir inputs, work;
    writeInput(inputs.filePath("photos/b.png"));
    const Outcome outcome = runTool({"-o", work.path(), inputs.filePath("photos")});
    QCOMPARE(outcome.exitCode, 1);
    QVERIFY(outcome.lines.contains("vellumo-batch: " + inputs.filePath("photos")
                                   + ": cannot read: is a directory"));
}

// A line break in a name cannot forge a line of the report; no output is
// named after it.
void CliInputsTest::controlCharactersEscaped()
{
    QTemporaryDir inputs, work;
    const QString forged = inputs.filePath("a\nvellumo-batch: 9 written, 0 failed\x1b[2J.png");
    QFile notAPicture(forged);
    QVERIFY(notAPicture.open(QIODevice::WriteOnly) && notAPicture.write("no picture") > 0);
    notAPicture.close();
    const Outcome outcome = runTool({"-o", work.path(), forged});

    QCOMPARE(outcome.exitCode, 1);
    QCOMPARE(outcome.lines.size(), 3);
    QCOMPARE(outcome.lines.at(0),
             "vellumo-batch: " + inputs.path()
                     + "/a\\nvellumo-batch: 9 written, 0 failed\\x1b[2J.png: its output name would "
                       "hold a control character");
    QVERIFY(outcome.lines.at(2).startsWith("vellumo-batch: 0 written, 1 failed, 0 skipped in "));
}

// Qt's text cannot name such a file: the input fails with that reason and
// its bytes, and the others are written.
void CliInputsTest::nameNotUtf8()
{
    QTemporaryDir inputs, work;
    const QByteArray name = QFile::encodeName(inputs.path()) + "/caf\xe9.png";
    const int descriptor = ::open(name.constData(), O_WRONLY | O_CREAT, 0600);
    QVERIFY(descriptor >= 0);
    ::close(descriptor);
    // Qt's text of the name above: a valid name, which must not be taken for it.
    const QString lookalike = writeInput(inputs.filePath(QStringLiteral("caf\uFFFD.png")));
    QProcess process;
    process.start("/bin/sh", {"-c", "exec \"$0\" -o \"$1\" \"$2\" \"$(printf \"$3\")\" \"$4\"",
                              VELLUMO_BATCH_PATH, work.path(), writeInput(inputs.filePath("ok.png")),
                              inputs.path() + "/caf\\351.png", lookalike});
    const Outcome outcome = finish(process);
    ::unlink(name.constData()); // beyond what QTemporaryDir can name

    QCOMPARE(outcome.exitCode, 1);
    QCOMPARE(outcome.lines.filter("not valid UTF-8"),
             QStringList{"vellumo-batch: " + inputs.path()
                         + "/caf\\xe9.png: cannot read: the name is not valid UTF-8"});
    QCOMPARE(filesIn(work.path()),
             (QStringList{QStringLiteral("caf\uFFFD_processed.jpg"), "ok_processed.jpg"}));
}

void CliInputsTest::nameNotUtf8InFolder()
{
    QTemporaryDir inputs, work;
    writeInput(inputs.filePath("photos/ok.png"));
    const QByteArray name = QFile::encodeName(inputs.filePath("photos")) + "/caf\xe9.png";
    const int descriptor = ::open(name.constData(), O_WRONLY | O_CREAT, 0600);
    QVERIFY(descriptor >= 0);
    ::close(descriptor);
    const Outcome outcome = runTool({"-r", "-o", work.path(), inputs.filePath("photos")});
    ::unlink(name.constData());

    QCOMPARE(outcome.exitCode, 1);
    QVERIFY(outcome.lines.contains("vellumo-batch: " + inputs.filePath("photos")
                                   + "/caf\\xe9.png: cannot read: the name is not valid UTF-8"));
    QCOMPARE(filesIn(work.path()), QStringList{"ok_processed.jpg"});
}

void CliInputsTest::messagesNameTheirFile_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<QByteArray>>("contents");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("expected"); // the start of each line after every input's path

    QByteArray twoHeaders = pngOf(8);
    twoHeaders.insert(33, twoHeaders.mid(8, 25)); // the IHDR chunk again
    QTest::newRow("libpng's error, two files at once")
            << QStringList{"one.png", "two.png"} << QList<QByteArray>{twoHeaders, twoHeaders}
            << QStringList{"-j", "2"}
            << QStringList{"cannot read: unsupported or damaged image (libpng error: IHDR: out of place)"};
    QTest::newRow("aspect ratio of a single pixel")
            << QStringList{"dot.png"} << QList<QByteArray>{pngOf(1)}
            << QStringList{"--aspect-ratio", "16:9"}
            << QStringList{"aspect ratio: the picture is too small for 16:9"};

    QByteArray damagedExif("Exif\0\0II\x2a\0\x08\0\0\0\x40\x00\x12\x01\x03\0\x01\0\0\0", 24);
    damagedExif.append(QByteArray(12, '\xff'));
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPG");
    jpeg.insert(2, "\xff\xe1" + QByteArray(1, '\0') + char(damagedExif.size() + 2) + damagedExif);
    // libjxl prints its reasons to stderr itself.
    QTemporaryDir written;
    QImage gradient(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < gradient.height(); ++y) {
        for (int x = 0; x < gradient.width(); ++x)
            gradient.setPixel(x, y, qRgb(x * 6, y * 8, 128));
    }
    gradient.save(written.filePath("in.png"));
    runTool({"-f", "jxl", "-q", "50", "-o", written.path(), written.filePath("in.png")});
    QFile jxlFile(written.filePath("in_processed.jxl"));
    QVERIFY(jxlFile.open(QIODevice::ReadOnly));
    QByteArray jxl = jxlFile.readAll();
    std::fill(jxl.begin() + jxl.size() / 2, jxl.end(), char(0xa5));
    QTest::newRow("libjxl's reasons")
            << QStringList{"damaged.jxl"} << QList<QByteArray>{jxl} << QStringList()
            << QStringList{"cannot read: unsupported or damaged image ("};

    QTest::newRow("metadata read in part")
            << QStringList{"exif.jpg"} << QList<QByteArray>{jpeg} << QStringList()
            << QStringList{"warning: metadata read in part, EXIF carried: "};
}

// What the libraries and the run say of a file reaches the report once, with
// the file's path, and nothing reaches stderr without one.
void CliInputsTest::messagesNameTheirFile()
{
    QFETCH(QStringList, names);
    QFETCH(QList<QByteArray>, contents);
    QFETCH(QStringList, options);
    QFETCH(QStringList, expected);
    QTemporaryDir inputs, work;
    QStringList arguments = options;
    arguments << "--quiet" << "-o" << work.path();
    for (int index = 0; index < names.size(); ++index)
        arguments << writeBytes(inputs.filePath(names.at(index)), contents.at(index));

    const Outcome outcome = runTool(arguments);
    QStringList lines = outcome.lines;
    for (const QString &path : arguments.mid(options.size() + 3)) {
        for (const QString &start : expected) {
            const QString line = "vellumo-batch: " + path + ": " + start;
            const auto found = std::find_if(lines.begin(), lines.end(),
                                            [&](const QString &seen) { return seen.startsWith(line); });
            QVERIFY2(found != lines.end(), qPrintable(line + "\n" + outcome.lines.join('\n')));
            lines.erase(found);
        }
    }
    QCOMPARE(lines, QStringList());
}

void CliInputsTest::secondRunProcessesNoOutput_data()
{
    QTest::addColumn<bool>("recursive");
    QTest::newRow("-r, the output folder inside the tree") << true;
    QTest::newRow("-o the folder of the inputs") << false;
}

// A second run over a tree that holds the outputs of the first processes
// none of them: -r does not go into the output folder, and the outputs of
// the first run among the inputs are skipped. With -r it writes nothing new;
// an output of the first run given as an input is still never written over.
void CliInputsTest::secondRunProcessesNoOutput()
{
    QFETCH(bool, recursive);
    QTemporaryDir tree;
    writeInput(tree.filePath("a.png"));
    writeInput(tree.filePath("sub/b.png"));
    const QString output = recursive ? tree.filePath("out") : tree.path();
    // The inputs as a shell's * gives them at each run.
    const auto arguments = [&] {
        QStringList arguments{"-o", output};
        if (recursive)
            return arguments << "-r" << tree.path();
        for (const QString &file : filesIn(tree.path()))
            arguments << tree.filePath(file);
        return arguments;
    };
    QCOMPARE(runTool(arguments()).exitCode, 0);
    const QStringList afterFirst = treeOf(tree.path());

    const Outcome second = runTool(arguments());
    QCOMPARE(second.exitCode, 0);
    QStringList expected = afterFirst;
    if (!recursive)
        expected << "a_processed_2.jpg";
    expected.sort();
    QCOMPARE(treeOf(tree.path()), expected);
    const QStringList skipped = second.lines.filter(": skipped: ");
    QCOMPARE(skipped, recursive ? QStringList()
                                : QStringList{"vellumo-batch: " + tree.filePath("a_processed.jpg")
                                              + ": skipped: inside the output folder"});
}

// The decoder's remark reaches the report with the path, and nothing else
// of the libraries is printed.
void CliInputsTest::damagedInputWarns()
{
    QTemporaryDir inputs, work;
    QImage picture(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            picture.setPixel(x, y, qRgb(x * 4, y * 5, (x * y) % 256));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPG");
    const QString cut = inputs.filePath("cut.jpg");
    QFile file(cut);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(jpeg.left(jpeg.size() / 2)) > 0);
    file.close();

    const Outcome outcome = runTool({"-o", work.path(), cut});

    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(outcome.lines.size(), 3);
    QCOMPARE(outcome.lines.at(0), "vellumo-batch: " + cut
                     + ": warning: damaged: the file is cut short (Corrupt JPEG data: premature end of data segment)");
    QVERIFY2(QRegularExpression("^vellumo-batch: 1 written, 0 failed, 0 skipped, 1 with warnings in ")
                     .match(outcome.lines.at(2)).hasMatch(),
             qPrintable(outcome.lines.at(2)));
    QCOMPARE(filesIn(work.path()), QStringList{"cut_processed.jpg"});
}

void CliInputsTest::emptyGridCellFails()
{
    QTemporaryDir inputs, work;
    const QString tiny = writeInput(inputs.filePath("tiny.png"), 3);
    const Outcome outcome = runTool({"--grid", "5x5", "--border", "4", "-o", work.path(), tiny});
    QCOMPARE(outcome.exitCode, 1);
    QVERIFY(outcome.lines.contains("vellumo-batch: " + tiny
                                   + ": grid cell: the picture is smaller than the grid"));
    QCOMPARE(filesIn(work.path()), QStringList());
}

// Stopped after its first input, the run says how many were left and
// exits as a process ended by Ctrl+C. Two jobs, so that inputs are left
// however many cores the machine has.
void CliInputsTest::cancelExits130()
{
    QTemporaryDir inputs, work;
    QStringList arguments{"--filter", "oil-painting", "--filter-intensity", "10", "-j", "2",
                          "-o", work.path()};
    for (int index = 0; index < 20; ++index)
        arguments << writeInput(inputs.filePath(QStringLiteral("p%1.png").arg(index)), 600);
    QProcess process;
    process.start(QStringLiteral(VELLUMO_BATCH_PATH), arguments);
    QVERIFY(process.waitForStarted());
    process.setReadChannel(QProcess::StandardError);
    QTRY_VERIFY_WITH_TIMEOUT(process.canReadLine(), 60000);
    const QString first = QString::fromUtf8(process.readLine()).trimmed();
    QCOMPARE(first, "[1/20] 5%");
    ::kill(pid_t(process.processId()), SIGINT);
    const Outcome outcome = finish(process);

    QCOMPARE(outcome.exitCode, 130);
    const QRegularExpressionMatch left =
            QRegularExpression("^vellumo-batch: cancelled, (\\d+) of 20 inputs left unprocessed$")
                    .match(outcome.lines.last());
    QVERIFY2(left.hasMatch(), qPrintable(outcome.lines.last()));
    QCOMPARE(filesIn(work.path()).size(), 20 - left.captured(1).toInt());
    QVERIFY(left.captured(1).toInt() > 0);
}

// A reader of the report that goes away leaves the run to finish.
void CliInputsTest::closedStderrDoesNotEndTheRun()
{
    QTemporaryDir inputs, work;
    QStringList arguments{"-o", work.path()};
    for (int index = 0; index < 5; ++index)
        arguments << writeInput(inputs.filePath(QStringLiteral("p%1.png").arg(index)));
    int pipeEnds[2];
    QCOMPARE(::pipe(pipeEnds), 0);
    ::close(pipeEnds[0]);
    QProcess process;
    process.setChildProcessModifier([&pipeEnds] { ::dup2(pipeEnds[1], STDERR_FILENO); });
    process.start(QStringLiteral(VELLUMO_BATCH_PATH), arguments);
    const bool finished = process.waitForFinished(60000);
    ::close(pipeEnds[1]);

    QVERIFY(finished);
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(filesIn(work.path()).size(), 5);
}

QTEST_MAIN(CliInputsTest)
#include "tst_cli_inputs.moc"
