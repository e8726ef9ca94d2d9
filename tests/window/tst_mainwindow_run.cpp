#include "completiondialog.h"
#include "mainwindow.h"
#include "window/windowtestsupport.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>
#include <optional>

// Runs started from the window as a user starts them: files and directory
// chosen in the dialogs, the start button, the boxes that follow.
class TestMainWindowRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void completedRun_data();
    void completedRun();
    void optionsReachTheRun();
    void refusedStart_data();
    void refusedStart();
    void stopAndStartAgain();
    void openOutputFolder();
    void quitQuestionWhileRunEnds();
    void listAfterRun();
    // Last: it ends the application's event loop.
    void leavingDuringRun_data();
    void leavingDuringRun();

private:
    void openWindow(const QString &storedOutputDirectory);
    void selectImages(const QStringList &names);
    void openLongRun(const QString &output);
    void selectOutputDirectory(const QString &directory);
    QPushButton *processButton() const;

    std::unique_ptr<QTemporaryDir> scratch;
    std::unique_ptr<MainWindow> window;
};

namespace {

const QString completionTemplate = QStringLiteral("图片处理完成！共处理了 %1 张图片。");

// A gradient, so that every output has content worth decoding.
void writeImage(const QString &path, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x * 255 / size.width(), y * 255 / size.height(), 90));
    QVERIFY(image.save(path));
}

void writeDamaged(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\x89PNG\r\n\x1a\n not an image at all");
}

QStringList outputNames(const QString &directory)
{
    return QDir(directory).entryList(QDir::Files, QDir::Name);
}

// Every file is whole: it decodes, and nothing else (no temporary file) is there.
void verifyWholeImages(const QString &directory, const QSize &size)
{
    for (const QString &name : outputNames(directory)) {
        QVERIFY2(name.endsWith(QLatin1String("_processed.jpg")), qPrintable(name));
        QImageReader reader(QDir(directory).filePath(name));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(name + QLatin1String(": ") + reader.errorString()));
        QCOMPARE(image.size(), size);
    }
}

} // namespace

void TestMainWindowRun::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    useOwnSettingsFolder();
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

void TestMainWindowRun::init()
{
    clearSettingsStores();
    scratch = std::make_unique<QTemporaryDir>();
    QVERIFY(scratch->isValid());
    QVERIFY(QDir(scratch->path()).mkdir(QStringLiteral("in")));
}

void TestMainWindowRun::cleanup()
{
    window.reset();
    scratch.reset();
}

void TestMainWindowRun::openWindow(const QString &storedOutputDirectory)
{
    QSettings(QStringLiteral("Orvantis"), QStringLiteral("Vellumo"))
        .setValue(QStringLiteral("outputDirectory"), storedOutputDirectory);
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestMainWindowRun::selectImages(const QStringList &names)
{
    const QString inputs = scratch->filePath(QStringLiteral("in"));
    ModalResponder<QFileDialog> responder([&](QFileDialog *dialog) { chooseInFileDialog(dialog, inputs, names); });
    findIn<QPushButton>(window.get(), "selectImagesButton")->click();
    QCOMPARE(responder.answered(), 1);
}

void TestMainWindowRun::selectOutputDirectory(const QString &directory)
{
    ModalResponder<QFileDialog> responder([&](QFileDialog *dialog) { chooseInFileDialog(dialog, directory); });
    findIn<QPushButton>(window.get(), "selectOutputButton")->click();
    QCOMPARE(responder.answered(), 1);
}

QPushButton *TestMainWindowRun::processButton() const
{
    return findIn<QPushButton>(window.get(), "processButton");
}

void TestMainWindowRun::completedRun_data()
{
    QTest::addColumn<int>("goodCount");
    QTest::addColumn<int>("damagedCount");
    QTest::addColumn<bool>("outputMissing");
    QTest::newRow("all whole") << 3 << 0 << false;
    QTest::newRow("one damaged") << 2 << 1 << false;
    QTest::newRow("more failures than listed") << 1 << 12 << false;
    QTest::newRow("output directory made at start") << 2 << 0 << true;
}

// The box counts the files written and its details name every failure with
// its reason; while it is open the bar shows the end of the run and
// the start button is usable again. The outputs are there and whole.
void TestMainWindowRun::completedRun()
{
    QFETCH(int, goodCount);
    QFETCH(int, damagedCount);
    QFETCH(bool, outputMissing);
    const QSize size(48, 32);
    QStringList names;
    QStringList damagedNames;
    for (int index = 0; index < goodCount; ++index) {
        names.append(QStringLiteral("photo%1.png").arg(index));
        writeImage(scratch->filePath(QStringLiteral("in/") + names.last()), size);
    }
    for (int index = 0; index < damagedCount; ++index) {
        damagedNames.append(QStringLiteral("broken%1.png").arg(index, 2, 10, QLatin1Char('0')));
        writeDamaged(scratch->filePath(QStringLiteral("in/") + damagedNames.last()));
    }
    const QString output = scratch->filePath(QStringLiteral("out/new/deeper"));
    if (outputMissing) {
        openWindow(output);
    } else {
        QVERIFY(QDir().mkpath(output));
        openWindow(QString());
        selectOutputDirectory(output);
    }
    selectImages(names + damagedNames);

    auto *progressBar = findIn<QProgressBar>(window.get(), "progressBar");
    int progressWhileOpen = -1;
    bool startableWhileOpen = false;
    MessageBoxAnswerer answerer(QMessageBox::Ok, [&] {
        progressWhileOpen = progressBar->value();
        startableWhileOpen = processButton()->isEnabled();
    });
    processButton()->click();
    QCOMPARE(processButton()->text(), QStringLiteral("停止处理"));
    QTRY_COMPARE_WITH_TIMEOUT(answerer.boxes.size(), 1, 60000);
    QCOMPARE(progressWhileOpen, 100);
    QVERIFY(startableWhileOpen);
    const AnsweredBox box = answerer.boxes.first();
    QCOMPARE(box.title, QStringLiteral("完成"));
    QVERIFY(box.hasParent);
    const QStringList paragraphs = box.text.split(QStringLiteral("\n\n"));
    QCOMPARE(paragraphs.first(), completionTemplate.arg(goodCount));
    QCOMPARE(paragraphs.size(), damagedCount > 0 ? 2 : 1);
    QVERIFY(box.buttons.contains(QStringLiteral("打开输出文件夹")));
    if (damagedCount > 0) {
        QCOMPARE(paragraphs.last(), QStringLiteral("%1 个文件处理失败。").arg(damagedCount));
        // Every failure is in the table, in input order, none cut off.
        const QStringList lines = box.details.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.first(), QStringLiteral("文件\t结果\t原因"));
        QCOMPARE(lines.size(), 1 + damagedCount);
        for (int index = 0; index < damagedCount; ++index) {
            const QStringList cells = lines.at(1 + index).split(QLatin1Char('\t'));
            QCOMPARE(cells.size(), 3);
            QCOMPARE(cells.at(0), QDir::toNativeSeparators(scratch->filePath(QStringLiteral("in/") + damagedNames.at(index))));
            QCOMPARE(cells.at(1), QStringLiteral("失败"));
            QVERIFY2(!cells.at(2).isEmpty(), qPrintable(lines.at(1 + index)));
        }
    } else {
        QVERIFY(box.details.isEmpty());
    }

    QStringList expected;
    for (const QString &name : names)
        expected.append(QFileInfo(name).baseName() + QStringLiteral("_processed.jpg"));
    QCOMPARE(outputNames(output), expected);
    verifyWholeImages(output, size);
    QVERIFY(processButton()->isEnabled());
    QCOMPARE(progressBar->value(), 0);
}

// What the window shows is what the run gets: the chosen border colour, a
// spin box value, a format and a prefix typed while its field was hidden.
void TestMainWindowRun::optionsReachTheRun()
{
    const QSize size(30, 20);
    writeImage(scratch->filePath(QStringLiteral("in/photo.png")), size);
    const QString output = scratch->filePath(QStringLiteral("out"));
    openWindow(output);
    selectImages({QStringLiteral("photo.png")});
    const QColor chosen(12, 140, 230);
    {
        ModalResponder<QColorDialog> responder([&](QColorDialog *dialog) {
            dialog->setCurrentColor(chosen);
            dialog->accept();
        });
        findIn<QPushButton>(window.get(), "borderColorButton")->click();
        QCOMPARE(responder.answered(), 1);
    }
    const int thickness = 4;
    findIn<QCheckBox>(window.get(), "borderCheckBox")->setChecked(true);
    findIn<QSpinBox>(window.get(), "borderThicknessSpinBox")->setValue(thickness);
    findIn<QComboBox>(window.get(), "formatComboBox")->setCurrentText(QStringLiteral("PNG"));
    findIn<QLineEdit>(window.get(), "batchPrefixLineEdit")->setText(QStringLiteral("set"));
    findIn<QCheckBox>(window.get(), "batchRenameCheckBox")->setChecked(true);

    MessageBoxAnswerer answerer(QMessageBox::Ok);
    processButton()->click();
    QTRY_COMPARE_WITH_TIMEOUT(answerer.boxes.size(), 1, 60000);
    QCOMPARE(answerer.boxes.first().text, completionTemplate.arg(1));
    QCOMPARE(outputNames(output), QStringList{QStringLiteral("set_0001.png")});
    const QImage written(QDir(output).filePath(QStringLiteral("set_0001.png")));
    QCOMPARE(written.size(), size + QSize(2 * thickness, 2 * thickness));
    QCOMPARE(written.pixelColor(0, 0), chosen);
    QCOMPARE(written.pixelColor(written.width() - 1, written.height() - 1), chosen);
    QCOMPARE(written.pixel(thickness, thickness), qRgb(0, 0, 90));
}

void TestMainWindowRun::refusedStart_data()
{
    QTest::addColumn<bool>("withImages");
    QTest::addColumn<QString>("outputDirectory");
    QTest::addColumn<QString>("expectedText");
    QTest::newRow("no images") << false << QString("out") << QString("请先选择要处理的图片！");
    QTest::newRow("no images, no directory") << false << QString() << QString("请先选择要处理的图片！");
    QTest::newRow("no directory") << true << QString() << QString("请选择输出目录！");
    QTest::newRow("directory cannot be made") << true << QString("blocker/out") << QString("无法创建输出目录：");
}

// One warning, nothing started, nothing written; the button stays usable.
void TestMainWindowRun::refusedStart()
{
    QFETCH(bool, withImages);
    QFETCH(QString, outputDirectory);
    QFETCH(QString, expectedText);
    writeImage(scratch->filePath(QStringLiteral("in/photo.png")), QSize(8, 8));
    writeDamaged(scratch->filePath(QStringLiteral("blocker")));
    const QString output = outputDirectory.isEmpty() ? QString() : scratch->filePath(outputDirectory);
    if (expectedText.endsWith(QStringLiteral("：")))
        expectedText += output;
    openWindow(output);
    if (withImages)
        selectImages({QStringLiteral("photo.png")});

    MessageBoxAnswerer answerer(QMessageBox::Ok);
    processButton()->click();
    QCOMPARE(answerer.boxes.size(), 1);
    QCOMPARE(answerer.boxes.first().title, QStringLiteral("警告"));
    QCOMPARE(answerer.boxes.first().text, expectedText);
    QCOMPARE(answerer.boxes.first().icon, QMessageBox::Warning);
    QVERIFY(processButton()->isEnabled());
    QCoreApplication::sendPostedEvents();
    QCOMPARE(answerer.boxes.size(), 1);
    QVERIFY(output.isEmpty() || !QFileInfo::exists(output));
}

namespace {

const QSize longRunSize(640, 480);
constexpr int longRunCount = 150;

} // namespace

// A window set to write longRunCount pictures of longRunSize into output
// through the slowest filter, so that a run is surely still going when it
// is stopped or left.
void TestMainWindowRun::openLongRun(const QString &output)
{
    const QString original = scratch->filePath(QStringLiteral("original.png"));
    writeImage(original, longRunSize);
    QStringList names;
    for (int index = 0; index < longRunCount; ++index) {
        names.append(QStringLiteral("photo%1.png").arg(index, 3, 10, QLatin1Char('0')));
        QVERIFY(QFile::copy(original, scratch->filePath(QStringLiteral("in/") + names.last())));
    }
    openWindow(output);
    selectImages(names);
    findIn<QComboBox>(window.get(), "filterComboBox")->setCurrentIndex(6);
}

// Stopped half-way: only whole files, the box counts exactly the files
// written and says how many were left; a second run then does them all.
void TestMainWindowRun::stopAndStartAgain()
{
    const QString output = scratch->filePath(QStringLiteral("out"));
    openLongRun(output);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));

    MessageBoxAnswerer answerer(QMessageBox::Ok);
    auto *progressBar = findIn<QProgressBar>(window.get(), "progressBar");
    QSignalSpy progress(progressBar, &QProgressBar::valueChanged);
    processButton()->click();
    QCOMPARE(processButton()->text(), QStringLiteral("停止处理"));
    QVERIFY(progress.wait(30000));
    QVERIFY(progressBar->text().endsWith(QStringLiteral(" / %1").arg(longRunCount)));
    QTest::keyClick(window.get(), Qt::Key_Escape);
    QVERIFY(!processButton()->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(answerer.boxes.size(), 1, 60000);
    const int written = outputNames(output).size();
    QVERIFY2(written >= 1 && written < longRunCount, qPrintable(QString::number(written)));
    verifyWholeImages(output, longRunSize);
    QCOMPARE(answerer.boxes.first().title, QStringLiteral("已停止"));
    const QStringList paragraphs = answerer.boxes.first().text.split(QStringLiteral("\n\n"));
    QCOMPARE(paragraphs.first(), QStringLiteral("处理已停止。共处理了 %1 张图片。").arg(written));
    QCOMPARE(paragraphs.last(), QStringLiteral("已停止：%1 张图片未处理。").arg(longRunCount - written));
    QCOMPARE(processButton()->text(), QStringLiteral("开始处理"));
    QVERIFY(processButton()->isEnabled());

    findIn<QComboBox>(window.get(), "filterComboBox")->setCurrentIndex(0);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(processButton()->text(), QStringLiteral("停止处理"));
    QTRY_COMPARE_WITH_TIMEOUT(answerer.boxes.size(), 2, 60000);
    QCOMPARE(answerer.boxes.last().text, completionTemplate.arg(longRunCount));
    QCOMPARE(outputNames(output).size(), longRunCount);
    verifyWholeImages(output, longRunSize);
}

class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};

// The completion box's extra button opens the run's output folder, even
// when another folder was chosen meanwhile; Ok opens nothing.
void TestMainWindowRun::openOutputFolder()
{
    writeImage(scratch->filePath(QStringLiteral("in/photo.png")), QSize(20, 10));
    const QString output = scratch->filePath(QStringLiteral("out"));
    openWindow(output);
    selectImages({QStringLiteral("photo.png")});
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    for (const bool openIt : {false, true}) {
        ModalResponder<CompletionDialog> responder([&](CompletionDialog *box) {
            if (openIt)
                findIn<QPushButton>(box, "openOutputButton")->click();
            else
                box->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        });
        processButton()->click();
        QTRY_COMPARE_WITH_TIMEOUT(responder.answered(), 1, 60000);
        QTRY_VERIFY(processButton()->text() == QStringLiteral("开始处理"));
    }
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(catcher.opened, QList<QUrl>{QUrl::fromLocalFile(output)});
}

void TestMainWindowRun::leavingDuringRun_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("platform close") << "close";
    QTest::newRow("window destroyed") << "destroy";
    // Last: nested event loops do not run again once the application quit.
    QTest::newRow("confirmed exit") << "quit";
}

// The run stops before its next file and the window waits for the one being
// written: only whole files remain, and no box appears afterwards.
void TestMainWindowRun::leavingDuringRun()
{
    QFETCH(QString, how);
    const QString output = scratch->filePath(QStringLiteral("out"));
    openLongRun(output);

    MessageBoxAnswerer answerer(QMessageBox::Yes);
    QSignalSpy progress(findIn<QProgressBar>(window.get(), "progressBar"), &QProgressBar::valueChanged);
    processButton()->click();
    QVERIFY(progress.wait(30000));
    if (how == QLatin1String("close")) {
        QVERIFY(window->close());
    } else if (how == QLatin1String("quit")) {
        QTimer::singleShot(0, findIn<QPushButton>(window.get(), "closeButton"), &QPushButton::click);
        QCOMPARE(QCoreApplication::exec(), 0);
    } else {
        window.reset();
    }
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();

    QCOMPARE(answerer.boxes.size(), how == QLatin1String("quit") ? 1 : 0);
    const int written = outputNames(output).size();
    QVERIFY2(written >= 1 && written < longRunCount, qPrintable(QString::number(written)));
    verifyWholeImages(output, longRunSize);
    if (window) {
        QVERIFY(!window->isVisible());
        QVERIFY(processButton()->isEnabled());
    }
}

// While the quit question is open no further file starts; a run that ends
// meanwhile (here stopped from elsewhere) changes the question, and its
// report waits below it until the question is answered. No is the default.
void TestMainWindowRun::quitQuestionWhileRunEnds()
{
    const QString output = scratch->filePath(QStringLiteral("out"));
    openLongRun(output);
    auto *progressBar = findIn<QProgressBar>(window.get(), "progressBar");
    QSignalSpy progress(progressBar, &QProgressBar::valueChanged);
    processButton()->click();
    QVERIFY(progress.wait(30000));

    QStringList questionTexts;
    std::optional<MessageBoxAnswerer> report; // made once the question is answered
    bool reportOverQuestion = false;
    bool noIsDefault = false;
    bool runEndedWhileOpen = false;
    int doneWhileOpen = -1;
    ModalResponder<QMessageBox> responder([&](QMessageBox *question) {
        noIsDefault = question->defaultButton() == question->button(QMessageBox::No);
        questionTexts.append(question->text());
        const int doneAtOpen = outputNames(output).size();
        processButton()->click(); // the run ends while the question is open
        // A failed wait still answers the question; the checks below say so.
        runEndedWhileOpen =
                QTest::qWaitFor([&] { return processButton()->text() == QStringLiteral("开始处理"); }, 60000);
        QCoreApplication::processEvents();
        reportOverQuestion = QApplication::activeModalWidget() != question;
        doneWhileOpen = outputNames(output).size() - doneAtOpen;
        questionTexts.append(question->text());
        report.emplace(QMessageBox::Ok);
        question->button(QMessageBox::No)->click();
    });
    findIn<QPushButton>(window.get(), "closeButton")->click();
    QCOMPARE(responder.answered(), 1);
    QVERIFY(noIsDefault);
    QVERIFY(runEndedWhileOpen);
    QVERIFY(!reportOverQuestion);
    QVERIFY2(doneWhileOpen <= QThread::idealThreadCount(), qPrintable(QString::number(doneWhileOpen)));
    QCOMPARE(questionTexts.size(), 2);
    QVERIFY(questionTexts.first().startsWith(QStringLiteral("图片正在处理中")));
    QCOMPARE(questionTexts.last(), QStringLiteral("确定要退出Vellumo吗？"));
    QVERIFY(report);
    QTRY_COMPARE(report->boxes.size(), 1);
    QCOMPARE(report->boxes.first().title, QStringLiteral("已停止"));
    QVERIFY(window->isVisible());
}

// After a run each entry says what became of its file: written, written
// with a warning, failed or skipped, with the run's reason in the window's
// language; a file the run refuses was marked with that same reason before
// the run, and a damaged one it reads as damaged. An output of an earlier
// run inside the output folder is not processed again.
void TestMainWindowRun::listAfterRun()
{
    const QString output = scratch->filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(output));
    writeImage(scratch->filePath(QStringLiteral("in/whole.png")), QSize(40, 30));
    writeImage(scratch->filePath(QStringLiteral("in/cut.jpg")), QSize(400, 300));
    QFile cut(scratch->filePath(QStringLiteral("in/cut.jpg")));
    QVERIFY(cut.open(QIODevice::ReadWrite));
    QVERIFY(cut.resize(cut.size() / 2));
    cut.close();
    writeDamaged(scratch->filePath(QStringLiteral("in/broken.png")));
    writeImage(QDir(output).filePath(QStringLiteral("whole_processed.png")), QSize(8, 8));
    openWindow(output);
    selectImages({QStringLiteral("whole.png"), QStringLiteral("cut.jpg"), QStringLiteral("broken.png")});
    window->addInputs({QDir(output).filePath(QStringLiteral("whole_processed.png"))});
    auto *list = findIn<QListWidget>(window.get(), "imagesList");
    QCOMPARE(list->count(), 4);
    QTRY_VERIFY(list->item(2)->toolTip().contains(QStringLiteral("\n无法处理：")));
    QTRY_VERIFY(list->item(1)->toolTip().contains(QStringLiteral("\n注意：已损坏：文件不完整")));
    const QString markedReason = list->item(2)->toolTip().section(QStringLiteral("无法处理："), 1);

    MessageBoxAnswerer answerer(QMessageBox::Ok);
    processButton()->click();
    QTRY_COMPARE_WITH_TIMEOUT(answerer.boxes.size(), 1, 60000);
    const QStringList said = {QStringLiteral("已写入"), QStringLiteral("已写入，有警告："),
                              QStringLiteral("处理失败：") + markedReason,
                              QStringLiteral("已跳过：位于输出文件夹内")};
    for (int row = 0; row < list->count(); ++row) {
        const QString tip = list->item(row)->toolTip();
        QVERIFY2(tip.section(QLatin1Char('\n'), 1).startsWith(said.at(row)), qPrintable(tip));
    }
    QVERIFY(!list->item(1)->toolTip().endsWith(QStringLiteral("：")));
    QCOMPARE(outputNames(output), QStringList({QStringLiteral("cut_processed.jpg"), QStringLiteral("whole_processed.jpg"),
                                               QStringLiteral("whole_processed.png")}));
}

QTEST_MAIN(TestMainWindowRun)
#include "tst_mainwindow_run.moc"
