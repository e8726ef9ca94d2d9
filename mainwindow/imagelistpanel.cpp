#include "imagelistpanel.h"

#include "formats/formattable.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QListWidget>
#include <QMimeData>
#include <QSet>
#include <QStyledItemDelegate>

#include <algorithm>
#include <functional>

namespace {

constexpr int cellWidth = 96;
constexpr int cellPadding = 4;

// Every entry gets the same cell from the start, its thumbnail box reserved
// before the thumbnail arrives, so that nothing moves when it does.
class ImageCellDelegate : public QStyledItemDelegate
{
public:
    ImageCellDelegate(const QSize &cell, QObject *parent)
        : QStyledItemDelegate(parent), cell(cell)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override { return cell; }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->decorationSize = QSize(ThumbnailLoader::thumbnailExtent, ThumbnailLoader::thumbnailExtent);
        option->textElideMode = Qt::ElideMiddle;
    }

private:
    QSize cell;
};

// The suffixes of every format a run reads, as name filters.
QStringList readableNameFilters()
{
    QStringList filters;
    for (const QString &suffix : readableSuffixes())
        filters.append(QStringLiteral("*.") + suffix);
    return filters;
}

// The readable files under directory, every level down, in name order.
QStringList imagesUnder(const QString &directory)
{
    QStringList found;
    QDirIterator files(directory, readableNameFilters(), QDir::Files | QDir::Readable,
                       QDirIterator::Subdirectories);
    while (files.hasNext())
        found.append(files.next());
    found.sort(Qt::CaseInsensitive);
    return found;
}

// The caption and the filter are the same in every language.
QStringList chooseImageFiles(QWidget *parent)
{
    return QFileDialog::getOpenFileNames(parent, QStringLiteral("选择图片文件"), QString(),
                                         QStringLiteral("图片文件 (%1)").arg(readableNameFilters().join(QLatin1Char(' '))));
}

QAction *listAction(const QString &text, const QKeySequence &shortcut, QWidget *owner)
{
    auto *action = new QAction(text, owner);
    action->setShortcut(shortcut);
    owner->addAction(action);
    return action;
}

} // namespace

// The list shows a fixed grid of cells that cannot be dragged about; files
// and folders dropped onto it are added. Its actions are in its context
// menu and, except Delete, reachable from anywhere in the window.
ImageListPanel::ImageListPanel(QListWidget *list, QWidget *window)
    : QObject(window), list(list), dropArea(list->viewport()), window(window)
{
    list->setViewMode(QListView::IconMode);
    list->setIconSize(QSize(ThumbnailLoader::thumbnailExtent, ThumbnailLoader::thumbnailExtent));
    list->setResizeMode(QListView::Adjust);
    list->setMovement(QListView::Static);
    list->setDragDropMode(QAbstractItemView::NoDragDrop);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setWordWrap(true);
    list->setUniformItemSizes(true);
    const int textHeight = 2 * list->fontMetrics().lineSpacing();
    const QSize cell(cellWidth, ThumbnailLoader::thumbnailExtent + textHeight + 2 * cellPadding);
    list->setItemDelegate(new ImageCellDelegate(cell, list));
    list->setGridSize(cell + QSize(cellPadding, cellPadding));
    dropArea->setAcceptDrops(true);
    dropArea->installEventFilter(this);
    list->setContextMenuPolicy(Qt::ActionsContextMenu);

    addImagesAction = listAction(QString(), QKeySequence::Open, list);
    addFolderAction = listAction(QString(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), list);
    removeImagesAction = listAction(QString(), QKeySequence::Delete, list);
    clearImagesAction = listAction(QString(), QKeySequence(), list);
    removeImagesAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    window->addAction(addImagesAction);
    window->addAction(addFolderAction);
    connect(addImagesAction, &QAction::triggered, this, &ImageListPanel::addImageFiles);
    connect(addFolderAction, &QAction::triggered, this, &ImageListPanel::addImageFolder);
    connect(removeImagesAction, &QAction::triggered, this, &ImageListPanel::removeSelectedImages);
    connect(clearImagesAction, &QAction::triggered, this, &ImageListPanel::clearImages);
    connect(&thumbnailLoader, &ThumbnailLoader::thumbnailReady, this, &ImageListPanel::showThumbnail,
            Qt::QueuedConnection);
    retranslate();
}

void ImageListPanel::retranslate()
{
    addImagesAction->setText(tr("添加图片…"));
    addFolderAction->setText(tr("添加文件夹…"));
    removeImagesAction->setText(tr("移除所选"));
    clearImagesAction->setText(tr("清空列表"));
    list->setToolTip(tr("拖入图片或文件夹即可添加；右键可添加、移除或清空"));
    list->setAccessibleName(tr("图片列表"));
}

// The select button replaces the selection; the list's own actions add to it.
void ImageListPanel::replaceImages()
{
    const QStringList paths = chooseImageFiles(window);
    if (paths.isEmpty())
        return;
    clearImages();
    appendImages(paths);
}

void ImageListPanel::addImageFiles()
{
    appendImages(chooseImageFiles(window));
}

void ImageListPanel::addImageFolder()
{
    const QString directory =
        QFileDialog::getExistingDirectory(window, tr("添加文件夹"), QString(), QFileDialog::ShowDirsOnly);
    if (!directory.isEmpty())
        appendImages(imagesUnder(directory));
}

// Files already in the list are not added twice. The entries appear at
// once with their names; the thumbnails follow as the loader makes them.
void ImageListPanel::appendImages(const QStringList &paths)
{
    QSet<QString> present(imagePaths.cbegin(), imagePaths.cend());
    QStringList added;
    for (const QString &path : paths) {
        const QString absolute = QFileInfo(path).absoluteFilePath();
        if (present.contains(absolute))
            continue;
        present.insert(absolute);
        added.append(absolute);
    }
    for (const QString &path : std::as_const(added)) {
        imagePaths.append(path);
        auto *entry = new QListWidgetItem(QFileInfo(path).fileName());
        entry->setToolTip(QDir::toNativeSeparators(path));
        list->addItem(entry);
    }
    thumbnailLoader.load(added);
    emit countChanged(imagePaths.size());
}

void ImageListPanel::addInputs(const QStringList &paths)
{
    QStringList files;
    for (const QString &path : paths)
        files += QFileInfo(path).isDir() ? imagesUnder(path) : QStringList{path};
    appendImages(files);
}

// From the last row up, so that the rows still to go keep their numbers.
void ImageListPanel::removeSelectedImages()
{
    QList<int> rows;
    for (const QModelIndex &index : list->selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int row : std::as_const(rows)) {
        imagePaths.removeAt(row);
        delete list->takeItem(row);
    }
    emit countChanged(imagePaths.size());
}

// Files whose thumbnail has not been started get none; one being made
// finds no entry when it arrives.
void ImageListPanel::clearImages()
{
    thumbnailLoader.stop();
    imagePaths.clear();
    list->clear();
    emit countChanged(0);
}

// Local files and folders only; anything else is refused at the door.
bool ImageListPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != dropArea)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto *drag = static_cast<QDropEvent *>(event);
        if (!droppedPaths(drag->mimeData()).isEmpty())
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto *drop = static_cast<QDropEvent *>(event);
        addInputs(droppedPaths(drop->mimeData()));
        drop->acceptProposedAction();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

QStringList ImageListPanel::droppedPaths(const QMimeData *data)
{
    QStringList paths;
    if (!data)
        return paths;
    for (const QUrl &url : data->urls())
        if (url.isLocalFile() && QFileInfo::exists(url.toLocalFile()))
            paths.append(url.toLocalFile());
    return paths;
}

// A file that could not be decoded keeps its entry without an icon; one
// removed meanwhile has no entry any more.
void ImageListPanel::showThumbnail(const QString &path, const QImage &thumbnail)
{
    const int row = imagePaths.indexOf(path);
    if (row < 0 || thumbnail.isNull())
        return;
    list->item(row)->setIcon(QIcon(QPixmap::fromImage(thumbnail)));
}
