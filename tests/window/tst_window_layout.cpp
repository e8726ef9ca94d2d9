#include "mainwindow.h"
#include "stylesheet.h"
#include "window/photoset.h"
#include "window/windowtestsupport.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QSlider>
#include <QLineEdit>
#include <QStackedWidget>
#include <QStyleOptionViewItem>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>

#include <memory>

// The window with a realistic selection, styled as the program shows
// itself, in every language: 30 camera-sized photos with orientations,
// transparent PNGs and small files to 300 in all, in a folder of a long path,
// dropped onto the list. Every entry keeps a cell of its own once the
// thumbnails are in, and every text fits its control. The pictures go to
// the build directory's screenshots folder, for a person to look at; the
// package ships those of the two option pages as the program's screenshots.
class TestWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void layout_data();
    void layout();

private:
    void dropOnList(const QStringList &paths);
    void save(const QString &name, QWidget *widget);
    void checkPage(const QString &name);

    QTemporaryDir scratch;
    QString photoFolder;
    int fileCount = 0;
    std::unique_ptr<MainWindow> window;
    QString language;
};

namespace {

const QString screenshotFolder = QStringLiteral(VELLUMO_SCREENSHOT_DIR);

// Text that needs more room than its control has.
bool textFits(QWidget *control)
{
    if (auto *list = qobject_cast<QComboBox *>(control))
        return list->width() >= list->minimumSizeHint().width() || list->currentText().isEmpty();
    if (qobject_cast<QLabel *>(control) || qobject_cast<QAbstractButton *>(control))
        return control->width() >= control->minimumSizeHint().width();
    return true;
}

// Controls that are neither containers nor parts of another control.
QList<QWidget *> leafControls(QWidget *page)
{
    QList<QWidget *> leaves;
    for (QWidget *widget : page->findChildren<QWidget *>()) {
        if (!widget->isVisible() || widget->objectName().isEmpty() || widget->objectName().startsWith("qt_"))
            continue;
        if (qobject_cast<QLabel *>(widget) || qobject_cast<QAbstractButton *>(widget)
            || qobject_cast<QAbstractSpinBox *>(widget) || qobject_cast<QComboBox *>(widget)
            || qobject_cast<QAbstractSlider *>(widget) || qobject_cast<QLineEdit *>(widget)
            || qobject_cast<QAbstractScrollArea *>(widget) || qobject_cast<QProgressBar *>(widget))
            leaves.append(widget);
    }
    return leaves;
}

} // namespace

void TestWindowLayout::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    useOwnSettingsFolder();
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QVERIFY(scratch.isValid());
    QVERIFY(QDir().mkpath(screenshotFolder));
    photoFolder = scratch.filePath(QStringLiteral("Pictures/2026 Summer holiday in the mountains of the north/"
                                                  "camera roll with a rather long folder name/day one"));
    const QStringList photos = photoset::writePhotos(photoFolder + QStringLiteral("/camera"), 30);
    QImage transparent(200, 120, QImage::Format_ARGB32);
    transparent.fill(Qt::transparent);
    for (int y = 20; y < 100; ++y)
        for (int x = 40; x < 160; ++x)
            transparent.setPixel(x, y, qRgba(220, 60, 40, 160));
    for (int index = 0; index < 10; ++index)
        QVERIFY(transparent.save(photoFolder + QStringLiteral("/logo-transparent-%1.png").arg(index)));
    QImage small(48, 36, QImage::Format_RGB32);
    small.fill(QColor(90, 170, 90));
    for (int index = 0; index < 259; ++index)
        QVERIFY(small.save(photoFolder + QStringLiteral("/small/scan_%1_with_a_long_descriptive_name.png").arg(index, 3, 10, QLatin1Char('0')))
                || (QDir().mkpath(photoFolder + QStringLiteral("/small"))
                    && small.save(photoFolder + QStringLiteral("/small/scan_%1_with_a_long_descriptive_name.png").arg(index, 3, 10, QLatin1Char('0')))));
    QFile damaged(photoFolder + QStringLiteral("/damaged.jpg"));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("\xFF\xD8 not a picture");
    fileCount = photos.size() + 10 + 259 + 1;
    QVERIFY(loadStyleSheet(*qApp));
}

void TestWindowLayout::cleanupTestCase()
{
    qApp->setStyleSheet(QString());
}

void TestWindowLayout::dropOnList(const QStringList &paths)
{
    auto *list = findIn<QListWidget>(window.get(), "imagesList");
    auto *data = new QMimeData;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls.append(QUrl::fromLocalFile(path));
    data->setUrls(urls);
    const QPoint point = list->viewport()->rect().center();
    QDragEnterEvent enter(point, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(point, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &drop);
    QVERIFY(drop.isAccepted());
    delete data;
}

void TestWindowLayout::save(const QString &name, QWidget *widget)
{
    QCoreApplication::processEvents();
    const QString path = QStringLiteral("%1/%2_%3.png").arg(screenshotFolder, language, name);
    QVERIFY2(widget->grab().save(path), qPrintable(path));
}

// Nothing cramped, and no two controls of the page on top of each other.
void TestWindowLayout::checkPage(const QString &name)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QWidget *page = findIn<QStackedWidget>(window.get(), "stackedWidget")->currentWidget();
    QVERIFY2(page->minimumSizeHint().height() <= page->height(), qPrintable(name));
    // A page that scrolls does so downwards only.
    if (auto *scroll = page->findChild<QScrollArea *>(QString(), Qt::FindDirectChildrenOnly)) {
        QVERIFY2(scroll->widget()->minimumSizeHint().width() <= scroll->viewport()->width(),
                 qPrintable(QStringLiteral("%1: %2 px wide in %3").arg(name).arg(scroll->widget()->minimumSizeHint().width())
                            .arg(scroll->viewport()->width())));
    }
    const QList<QWidget *> controls = leafControls(page);
    QStringList problems;
    for (QWidget *control : controls)
        if (!textFits(control))
            problems.append(control->objectName() + QStringLiteral(" cramped"));
    for (int first = 0; first < controls.size(); ++first) {
        const QRect a(controls[first]->mapTo(window.get(), QPoint()), controls[first]->size());
        for (int second = first + 1; second < controls.size(); ++second) {
            if (controls[first]->isAncestorOf(controls[second]) || controls[second]->isAncestorOf(controls[first]))
                continue;
            const QRect b(controls[second]->mapTo(window.get(), QPoint()), controls[second]->size());
            if (a.intersects(b))
                problems.append(controls[first]->objectName() + QStringLiteral(" overlaps ")
                                + controls[second]->objectName());
        }
    }
    QVERIFY2(problems.isEmpty(), qPrintable(name + QStringLiteral(": ") + problems.join(QStringLiteral(", "))));
    save(name, window.get());
}

void TestWindowLayout::layout_data()
{
    QTest::addColumn<QString>("code");
    for (const char *code : {"zh_CN", "zh_TW", "en_US"})
        QTest::newRow(code) << QString::fromLatin1(code);
}

void TestWindowLayout::layout()
{
    QFETCH(QString, code);
    language = code;
    clearSettingsStores();
    QSettings(QStringLiteral("Vellumo"), QStringLiteral("Vellumo")).setValue(QStringLiteral("language"), code);
    QSettings(QStringLiteral("Orvantis"), QStringLiteral("Vellumo"))
            .setValue(QStringLiteral("outputDirectory"),
                      QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)
                              + QStringLiteral("/2026 Summer holiday/processed for the family album"));
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    dropOnList({photoFolder});
    auto *list = findIn<QListWidget>(window.get(), "imagesList");
    QCOMPARE(list->count(), fileCount);
    auto iconsIn = [list] {
        int count = 0;
        for (int row = 0; row < list->count(); ++row)
            count += !list->item(row)->icon().isNull();
        return count;
    };
    QTRY_COMPARE_WITH_TIMEOUT(iconsIn(), fileCount - 1, 60000);
    QCoreApplication::processEvents();

    // Every entry in a cell of its own that holds all it shows, whatever
    // arrived when.
    QList<QRect> cells;
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.decorationSize = list->iconSize();
    option.decorationPosition = QStyleOptionViewItem::Top;
    option.displayAlignment = Qt::AlignHCenter | Qt::AlignBottom;
    option.features = QStyleOptionViewItem::WrapText;
    for (int row = 0; row < list->count(); ++row) {
        cells.append(list->visualItemRect(list->item(row)));
        const QSize needed = list->itemDelegate()->sizeHint(option, list->model()->index(row, 0));
        QVERIFY2(cells.last().width() >= needed.width() && cells.last().height() >= needed.height(),
                 qPrintable(QStringLiteral("entry %1 needs %2x%3 in a cell of %4x%5").arg(row)
                            .arg(needed.width()).arg(needed.height()).arg(cells.last().width()).arg(cells.last().height())));
    }
    for (int first = 0; first < cells.size(); ++first) {
        QVERIFY(cells[first].isValid());
        for (int second = first + 1; second < cells.size(); ++second)
            QVERIFY2(!cells[first].intersects(cells[second]),
                     qPrintable(QStringLiteral("%1 and %2").arg(first).arg(second)));
    }
    checkPage(QStringLiteral("basic"));
    list->setFocus();
    list->selectionModel()->select(list->model()->index(2, 0), QItemSelectionModel::Select);
    save(QStringLiteral("basic_selected"), window.get());

    findIn<QToolButton>(window.get(), "advancedSettingsButton")->click();
    checkPage(QStringLiteral("advanced"));
    for (const char *name : {"extractChannelCheckBox", "gridSplitCheckBox", "batchRenameCheckBox", "watermarkCheckBox"})
        findIn<QCheckBox>(window.get(), name)->setChecked(true);
    checkPage(QStringLiteral("advanced_options"));
    // The format options that apply to PNG, the others greyed.
    auto *formats = findIn<QComboBox>(window.get(), "formatComboBox");
    formats->setCurrentIndex(formats->findText(QStringLiteral("PNG")));
    findIn<QScrollArea>(window.get(), "advancedScrollArea")
            ->ensureWidgetVisible(findIn<QGroupBox>(window.get(), "formatOptionsGroupBox"));
    checkPage(QStringLiteral("advanced_format_options"));
    findIn<QToolButton>(window.get(), "basicSettingsButton")->click();
    QCOMPARE(list->visualItemRect(list->item(0)), cells.first());

    // Qt's own dialogs under the program's style sheet.
    {
        ModalResponder<QFileDialog> responder([this](QFileDialog *dialog) {
            dialog->setDirectory(photoFolder);
            if (auto *view = dialog->findChild<QAbstractItemView *>(QStringLiteral("listView")))
                view->setCurrentIndex(view->model()->index(1, 0, view->rootIndex()));
            QTest::qWait(300);
            save(QStringLiteral("file_dialog"), dialog);
            dialog->reject();
        });
        findIn<QPushButton>(window.get(), "selectImagesButton")->click();
        QCOMPARE(responder.answered(), 1);
    }
    {
        ModalResponder<QColorDialog> responder([this](QColorDialog *dialog) {
            save(QStringLiteral("colour_dialog"), dialog);
            dialog->reject();
        });
        findIn<QPushButton>(window.get(), "borderColorButton")->click();
        QCOMPARE(responder.answered(), 1);
    }
    {
        ModalResponder<QMessageBox> responder([this](QMessageBox *box) {
            save(QStringLiteral("exit_question"), box);
            box->button(QMessageBox::No)->click();
        });
        findIn<QPushButton>(window.get(), "closeButton")->click();
        QCOMPARE(responder.answered(), 1);
    }
    window.reset();
}

QTEST_MAIN(TestWindowLayout)
#include "tst_window_layout.moc"
