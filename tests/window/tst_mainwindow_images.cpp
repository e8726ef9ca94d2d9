#include "mainwindow.h"
#include "formats/thumbnail.h"
#include "thumbnailloader.h"
#include "window/windowtestsupport.h"

#include <QAction>
#include <QDir>
#include <QImageWriter>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>

#include <atomic>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>

// The choice of input images: the list entries, their thumbnails and the
// loader that makes them away from the window's thread.
class TestMainWindowImages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void thumbnailSize_data();
    void thumbnailSize();
    void thumbnailFollowsOrientation();
    void largePictureGetsThumbnail();
    void stopDropsPending();
    void selectionFillsList();
    void selectionAppends();
    void unreadableMarkedAtOnce();
    void managingTheList();
    void inputsOfCommandLine();

private:
    QString writeImage(const QString &name, const QSize &size, const QByteArray &format = QByteArray());
    QString writeDamaged(const QString &name);
    QStringList selectImages(const QStringList &names, bool accept = true);

    std::unique_ptr<QTemporaryDir> scratch;
    std::unique_ptr<MainWindow> window;
};

void TestMainWindowImages::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    useOwnSettingsFolder();
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

void TestMainWindowImages::init()
{
    clearSettingsStores();
    scratch = std::make_unique<QTemporaryDir>();
    QVERIFY(scratch->isValid());
}

void TestMainWindowImages::cleanup()
{
    window.reset();
    scratch.reset();
}

QString TestMainWindowImages::writeImage(const QString &name, const QSize &size, const QByteArray &format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(40, 160, 90));
    const QString path = scratch->filePath(name);
    if (!image.save(path, format.isEmpty() ? nullptr : format.constData()))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QString TestMainWindowImages::writeDamaged(const QString &name)
{
    const QString path = scratch->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write("GIF89a, but nothing after it that decodes");
    return path;
}

// Chooses names in the directory of the scratch files; returns the list the
// window keeps, as shown by its entries.
QStringList TestMainWindowImages::selectImages(const QStringList &names, bool accept)
{
    ModalResponder<QFileDialog> responder([&](QFileDialog *dialog) {
        if (accept)
            chooseInFileDialog(dialog, scratch->path(), names);
        else
            dialog->reject();
    });
    findIn<QPushButton>(window.get(), "selectImagesButton")->click();
    QStringList shown;
    auto *list = findIn<QListWidget>(window.get(), "imagesList");
    for (int row = 0; row < list->count(); ++row)
        shown.append(list->item(row)->text());
    return shown;
}

void TestMainWindowImages::thumbnailSize_data()
{
    QTest::addColumn<QSize>("imageSize");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("tall") << QSize(100, 400) << QByteArray("png") << QSize(16, 64);
    QTest::newRow("small is scaled up") << QSize(32, 20) << QByteArray("png") << QSize(64, 40);
    QTest::newRow("square") << QSize(5, 5) << QByteArray("bmp") << QSize(64, 64);
    QTest::newRow("fraction dropped as QImage::scaled drops it") << QSize(300, 200) << QByteArray("jpg") << QSize(64, 42);
    QTest::newRow("large photo") << QSize(4000, 3000) << QByteArray("jpg") << QSize(64, 48);
    QTest::newRow("thin line") << QSize(1000, 1) << QByteArray("png") << QSize(64, 1);
}

void TestMainWindowImages::thumbnailSize()
{
    QFETCH(QSize, imageSize);
    QFETCH(QByteArray, format);
    QFETCH(QSize, expected);
    const QString path = writeImage(QStringLiteral("image.") + QString::fromLatin1(format), imageSize, format);
    const QImage thumbnail = makeThumbnail(path, ThumbnailLoader::thumbnailExtent);
    QCOMPARE(thumbnail.size(), expected);
    QCOMPARE(thumbnail.pixelColor(expected.width() / 2, expected.height() / 2).green(), 160);
    QVERIFY(makeThumbnail(writeDamaged(QStringLiteral("damaged.png")), ThumbnailLoader::thumbnailExtent).isNull());
    QVERIFY(makeThumbnail(scratch->filePath(QStringLiteral("missing.png")), ThumbnailLoader::thumbnailExtent).isNull());
}

// Stored 400 by 100 with its left half red and an orientation that turns it
// a quarter clockwise: shown 100 by 400, red on top.
void TestMainWindowImages::thumbnailFollowsOrientation()
{
    QImage stored(400, 100, QImage::Format_RGB32);
    stored.fill(Qt::blue);
    for (int y = 0; y < stored.height(); ++y)
        for (int x = 0; x < stored.width() / 2; ++x)
            stored.setPixel(x, y, qRgb(255, 0, 0));
    const QString path = scratch->filePath(QStringLiteral("turned.tif"));
    QImageWriter writer(path, "tiff");
    if (!writer.supportsOption(QImageIOHandler::ImageTransformation))
        QSKIP("this Qt cannot store an orientation in TIFF files");
    writer.setTransformation(QImageIOHandler::TransformationRotate90);
    QVERIFY2(writer.write(stored), qPrintable(writer.errorString()));

    const QImage thumbnail = makeThumbnail(path, ThumbnailLoader::thumbnailExtent);
    QCOMPARE(thumbnail.size(), QSize(16, 64));
    QCOMPARE(thumbnail.pixelColor(8, 4), QColor(Qt::red));
    QCOMPARE(thumbnail.pixelColor(8, 60), QColor(Qt::blue));
}

// An 8200 by 8200 TIFF decodes to 269 MB, above Qt's default limit of 256 MB but
// within what a run accepts: the list shows it like any other picture.
void TestMainWindowImages::largePictureGetsThumbnail()
{
    QImage large(8200, 8200, QImage::Format_RGB32);
    large.fill(qRgb(20, 160, 90));
    const QString path = scratch->filePath(QStringLiteral("large.tif"));
    QVERIFY(large.save(path));
    large = QImage();
    ThumbnailLoader loader;
    const QImage thumbnail = makeThumbnail(path, ThumbnailLoader::thumbnailExtent);
    QCOMPARE(thumbnail.size(), QSize(64, 64));
    QCOMPARE(thumbnail.pixelColor(32, 32), QColor(20, 160, 90));
}

// Stopping drops every file not yet started: of a long first load at most
// the files being decoded at that moment still arrive, then the second
// load's, each tagged with its own path.
void TestMainWindowImages::stopDropsPending()
{
    const QString square = writeImage(QStringLiteral("square.png"), QSize(900, 900));
    QStringList older;
    for (int index = 0; index < 60; ++index) {
        older.append(scratch->filePath(QStringLiteral("square%1.png").arg(index)));
        QVERIFY(QFile::copy(square, older.last()));
    }
    const QStringList newer = {writeImage(QStringLiteral("wide.png"), QSize(32, 20)),
                               writeImage(QStringLiteral("tall.png"), QSize(100, 400))};
    auto loader = std::make_unique<ThumbnailLoader>();
    // The loader emits on its pool threads; a spy would append from several
    // of them at once. Delivered here, queued, as the window receives them.
    QObject receiver;
    QList<QPair<QString, QSize>> delivered;
    std::atomic<int> emitted{0}; // counted where emitted, for the stop below
    connect(loader.get(), &ThumbnailLoader::thumbnailReady, &receiver, [&emitted] { ++emitted; },
            Qt::DirectConnection);
    connect(loader.get(), &ThumbnailLoader::thumbnailReady, &receiver,
            [&delivered](const QString &path, const QImage &thumbnail) {
                delivered.append({path, thumbnail.size()});
            },
            Qt::QueuedConnection);
    loader->load(older);
    QTRY_VERIFY(delivered.count() >= 1);
    loader->stop();
    const int beforeStop = emitted.load();
    loader->load(newer);
    const QMap<QString, QSize> expected = {{newer[0], QSize(64, 40)}, {newer[1], QSize(16, 64)}};
    auto newerDelivered = [&] {
        int count = 0;
        for (const auto &thumbnail : std::as_const(delivered))
            count += expected.contains(thumbnail.first);
        return count;
    };
    QTRY_COMPARE(newerDelivered(), newer.size());
    loader.reset();
    QCoreApplication::sendPostedEvents();
    QVERIFY2(delivered.count() <= beforeStop + QThread::idealThreadCount() + newer.size(),
             qPrintable(QString::number(delivered.count())));
    for (const auto &thumbnail : std::as_const(delivered)) {
        const QString &path = thumbnail.first;
        const QSize size = thumbnail.second;
        QCOMPARE(size, expected.value(path, QSize(64, 64)));
    }
}

// The entries are there when the dialog has closed, named and in order; the
// icons follow, none for a file that does not decode.
void TestMainWindowImages::selectionFillsList()
{
    const QStringList names = {QStringLiteral("holiday.photo.JPG"), QStringLiteral("tall.png"),
                               QStringLiteral("broken.png")};
    writeImage(names[0], QSize(300, 150), "jpg");
    writeImage(names[1], QSize(100, 400));
    writeDamaged(names[2]);
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    QCOMPARE(selectImages(names), names);
    auto *list = findIn<QListWidget>(window.get(), "imagesList");
    QCOMPARE(list->viewMode(), QListView::IconMode);
    QCOMPARE(list->iconSize(), QSize(64, 64));
    QCOMPARE(list->resizeMode(), QListView::Adjust);
    QTRY_VERIFY(!list->item(0)->icon().isNull() && !list->item(1)->icon().isNull());
    QCOMPARE(list->item(0)->icon().availableSizes(), QList<QSize>{QSize(64, 32)});
    QCOMPARE(list->item(1)->icon().availableSizes(), QList<QSize>{QSize(16, 64)});
    QVERIFY(list->item(2)->icon().isNull());
}

// The add button and the folder button append, no file twice; a cancelled
// dialog changes nothing.
void TestMainWindowImages::selectionAppends()
{
    const QStringList first = {QStringLiteral("a.png"), QStringLiteral("b.png")};
    const QStringList second = {QStringLiteral("c.bmp")};
    writeImage(first[0], QSize(10, 10));
    writeImage(first[1], QSize(10, 10));
    writeImage(second[0], QSize(10, 10), "bmp");
    QVERIFY(QDir(scratch->path()).mkdir(QStringLiteral("folder")));
    writeImage(QStringLiteral("folder/d.png"), QSize(10, 10));
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    QCOMPARE(selectImages(first), first);
    QCOMPARE(selectImages(second), first + second);
    QCOMPARE(selectImages(first), first + second);
    QCOMPARE(selectImages(first, false), first + second);
    ModalResponder<QFileDialog> responder(
            [&](QFileDialog *dialog) { chooseInFileDialog(dialog, scratch->filePath(QStringLiteral("folder"))); });
    findIn<QPushButton>(window.get(), "selectFolderButton")->click();
    QCOMPARE(responder.answered(), 1);
    auto *list = findIn<QListWidget>(window.get(), "imagesList");
    QCOMPARE(list->count(), 4);
    QCOMPARE(list->item(3)->text(), QStringLiteral("d.png"));
    QTRY_VERIFY(!list->item(0)->icon().isNull() && !list->item(3)->icon().isNull());
}

// A file the run would refuse is marked as soon as it is listed, however
// it came: in a dropped folder or named in the dialog; the tool tip says
// why. A damaged file in a folder is listed, not left out.
void TestMainWindowImages::unreadableMarkedAtOnce()
{
    QVERIFY(QDir(scratch->path()).mkdir(QStringLiteral("folder")));
    writeDamaged(QStringLiteral("folder/broken.gif"));
    QFile drawing(scratch->filePath(QStringLiteral("drawing.svg")));
    QVERIFY(drawing.open(QIODevice::WriteOnly));
    drawing.write("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"8\" height=\"8\"/>");
    drawing.close();
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->addInputs({scratch->filePath(QStringLiteral("folder"))});
    selectImages({QStringLiteral("drawing.svg")});
    auto *list = findIn<QListWidget>(window.get(), "imagesList");
    QCOMPARE(list->count(), 2);
    const QStringList reasons = {QStringLiteral("无法读取："), QStringLiteral("无法读取：不接受 SVG 图片")};
    for (int row = 0; row < 2; ++row) {
        QTRY_VERIFY(list->item(row)->toolTip().contains(QStringLiteral("\n无法处理：")));
        QVERIFY2(list->item(row)->toolTip().contains(reasons.at(row)), qPrintable(list->item(row)->toolTip()));
        QVERIFY(list->item(row)->icon().isNull());
    }
}

namespace {

void dropOn(QWidget *target, const QStringList &paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls.append(QUrl::fromLocalFile(path));
    data.setUrls(urls);
    const QPoint point = target->rect().center();
    QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
}

} // namespace

// A folder tree and a file dropped together append what Qt can read, every
// level down, no file twice; Delete removes the selected entries and their
// paths, the context menu's last entry clears the list; the count follows.
// Paths and entries stay one to one and in order throughout, and a
// thumbnail arriving for a removed file lands nowhere.
void TestMainWindowImages::managingTheList()
{
    QVERIFY(QDir(scratch->path()).mkpath(QStringLiteral("tree/deeper/deepest")));
    const QStringList inTree = {writeImage(QStringLiteral("tree/a.png"), QSize(10, 10)),
                                writeImage(QStringLiteral("tree/deeper/b.jpg"), QSize(10, 10), "jpg"),
                                writeImage(QStringLiteral("tree/deeper/deepest/c.bmp"), QSize(10, 10), "bmp")};
    QFile notes(scratch->filePath(QStringLiteral("tree/notes.txt")));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write("not a picture");
    notes.close();
    const QString loose = writeImage(QStringLiteral("loose.png"), QSize(10, 10));
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto *list = findIn<QListWidget>(window.get(), "imagesList");
    auto *progressBar = findIn<QProgressBar>(window.get(), "progressBar");
    QCOMPARE(list->dragDropMode(), QAbstractItemView::NoDragDrop);
    QCOMPARE(list->movement(), QListView::Static);
    auto entryPaths = [list] {
        QStringList paths;
        for (int row = 0; row < list->count(); ++row)
            paths.append(list->item(row)->toolTip());
        return paths;
    };
    auto native = [](const QStringList &paths) {
        QStringList converted;
        for (const QString &path : paths)
            converted.append(QDir::toNativeSeparators(path));
        return converted;
    };

    dropOn(list->viewport(), {loose, scratch->filePath(QStringLiteral("tree"))});
    QCOMPARE(entryPaths(), native(QStringList{loose} + inTree));
    dropOn(list->viewport(), {inTree[1], loose});
    QCOMPARE(entryPaths(), native(QStringList{loose} + inTree));
    QCOMPARE(progressBar->text(), QStringLiteral("已选择 4 个文件"));

    list->setFocus();
    list->clearSelection();
    list->item(0)->setSelected(true);
    list->item(2)->setSelected(true);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(entryPaths(), native({inTree[0], inTree[2]}));
    QCOMPARE(progressBar->text(), QStringLiteral("已选择 2 个文件"));
    QTRY_VERIFY(!list->item(0)->icon().isNull() && !list->item(1)->icon().isNull());

    // Ctrl+Z puts the removed entries back in their places; the clearing
    // is taken back by the list's undo entry, thumbnails made again.
    auto *undo = list->findChild<QAction *>(QStringLiteral("undoImagesAction"));
    auto *clear = list->findChild<QAction *>(QStringLiteral("clearImagesAction"));
    auto *hint = findIn<QLabel>(window.get(), "emptyListHint");
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(entryPaths(), native(QStringList{loose} + inTree));
    QCOMPARE(progressBar->text(), QStringLiteral("已选择 4 个文件"));
    QVERIFY(!undo->isEnabled());
    clear->trigger();
    QCOMPARE(list->count(), 0);
    QVERIFY(hint->isVisible());
    QVERIFY(undo->isEnabled());
    undo->trigger();
    QCOMPARE(entryPaths(), native(QStringList{loose} + inTree));
    QVERIFY(!hint->isVisible());
    QTRY_VERIFY(!list->item(1)->icon().isNull() && !list->item(3)->icon().isNull());
    clear->trigger();
    QCOMPARE(list->count(), 0);
    QCOMPARE(progressBar->text(), QStringLiteral("已选择 0 个文件"));
    MessageBoxAnswerer answerer(QMessageBox::Ok);
    findIn<QPushButton>(window.get(), "processButton")->click();
    QCOMPARE(answerer.boxes.size(), 1);
    QCOMPARE(answerer.boxes.first().text, QStringLiteral("请先选择要处理的图片！"));
}

// What the window's command line hands over, relative to the folder it was
// started in: a file as it is, a folder as the pictures under it, after the
// entries already listed.
void TestMainWindowImages::inputsOfCommandLine()
{
    QVERIFY(QDir(scratch->path()).mkpath(QStringLiteral("folder/deeper")));
    const QString file = writeImage(QStringLiteral("a.jpg"), QSize(10, 10), "jpg");
    const QStringList inFolder = {writeImage(QStringLiteral("folder/b.png"), QSize(10, 10)),
                                  writeImage(QStringLiteral("folder/deeper/c.bmp"), QSize(10, 10), "bmp")};
    const QString earlier = QDir::currentPath();
    QVERIFY(QDir::setCurrent(scratch->path()));
    window = std::make_unique<MainWindow>();
    window->addInputs({QStringLiteral("a.jpg"), QStringLiteral("folder/")});
    QVERIFY(QDir::setCurrent(earlier));

    auto *list = findIn<QListWidget>(window.get(), "imagesList");
    QStringList listed;
    for (int row = 0; row < list->count(); ++row)
        listed.append(QDir::fromNativeSeparators(list->item(row)->toolTip()));
    QCOMPARE(listed, QStringList{file} + inFolder);
    QTRY_VERIFY(!list->item(0)->icon().isNull() && !list->item(2)->icon().isNull());
}

QTEST_MAIN(TestMainWindowImages)
#include "tst_mainwindow_images.moc"
