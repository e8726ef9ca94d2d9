#include "imagelistpanel.h"

#include "formats/formattable.h"
#include "run/reasons.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QSet>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <utility>

namespace {

constexpr int cellWidth = 96;
constexpr int cellPadding = 4;
constexpr int badgeExtent = 16;
// Enough to take back a few slips, not a history.
constexpr std::size_t undoDepth = 20;

constexpr int pathRole = Qt::UserRole;
constexpr int stateRole = Qt::UserRole + 1;
constexpr int reasonRole = Qt::UserRole + 2;

EntryState stateOf(const QModelIndex &index)
{
    return EntryState(index.data(stateRole).toInt());
}

QIcon stateIcon(EntryState state, const QStyle *style)
{
    switch (state) {
    case EntryState::Listed:
        return QIcon();
    case EntryState::Written:
        return style->standardIcon(QStyle::SP_DialogApplyButton);
    case EntryState::Damaged:
    case EntryState::Warned:
        return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case EntryState::Skipped:
        return style->standardIcon(QStyle::SP_MediaSkipForward);
    case EntryState::Unreadable:
    case EntryState::Failed:
        return style->standardIcon(QStyle::SP_MessageBoxCritical);
    }
    return QIcon();
}

// Every entry gets the same cell from the start, its thumbnail box reserved
// before the thumbnail arrives, so that nothing moves when it does. A name
// too long for its cell loses its start, so that a camera's frame number
// and the suffix stay. A marked entry shows its mark in the thumbnail's
// corner, or in the thumbnail's place when it has none.
class ImageCellDelegate : public QStyledItemDelegate
{
public:
    ImageCellDelegate(const QSize &cell, QObject *parent)
        : QStyledItemDelegate(parent), cell(cell)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override { return cell; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const EntryState state = stateOf(index);
        if (state == EntryState::Listed)
            return;
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QStyle *style = item.widget ? item.widget->style() : QApplication::style();
        const QRect box = style->subElementRect(QStyle::SE_ItemViewItemDecoration, &item, item.widget);
        const bool hasThumbnail = !index.data(Qt::DecorationRole).value<QIcon>().isNull();
        const int extent = hasThumbnail ? badgeExtent : 2 * badgeExtent;
        const QRect badge = hasThumbnail
                ? QRect(box.right() - extent + 1, box.top(), extent, extent)
                : QRect(box.center() - QPoint(extent / 2, extent / 2), QSize(extent, extent));
        stateIcon(state, style).paint(painter, badge);
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->decorationSize = QSize(ThumbnailLoader::thumbnailExtent, ThumbnailLoader::thumbnailExtent);
        option->textElideMode = Qt::ElideLeft;
    }

private:
    QSize cell;
};

} // namespace

QStringList readableNameFilters()
{
    QStringList filters;
    for (const QString &suffix : readableSuffixes())
        filters.append(QStringLiteral("*.") + suffix);
    return filters;
}

namespace {

// The pictures under directory, every level down, in name order; files that
// cannot be read are listed too, to be marked with the reason.
QStringList imagesUnder(const QString &directory)
{
    QStringList found;
    QDirIterator files(directory, readableNameFilters(), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext())
        found.append(files.next());
    found.sort(Qt::CaseInsensitive);
    return found;
}

QStringList chooseImageFiles(QWidget *parent)
{
    const QString filters = ImageListPanel::tr("图片文件 (%1)").arg(readableNameFilters().join(QLatin1Char(' ')))
            + QStringLiteral(";;") + ImageListPanel::tr("所有文件 (*)");
    return QFileDialog::getOpenFileNames(parent, ImageListPanel::tr("选择图片文件"), QString(), filters);
}

QAction *listAction(const QKeySequence &shortcut, QWidget *owner)
{
    auto *action = new QAction(owner);
    action->setShortcut(shortcut);
    owner->addAction(action);
    return action;
}

} // namespace

// The list shows a fixed grid of cells that cannot be dragged about; files
// and folders dropped onto it are added. Its actions are in its context
// menu and, except Delete, reachable from anywhere in the window.
ImageListPanel::ImageListPanel(QListWidget *list, QWidget *window)
    : QObject(window), list(list), dropArea(list->viewport()), window(window), emptyHint(new QLabel(dropArea))
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

    emptyHint->setObjectName(QStringLiteral("emptyListHint"));
    emptyHint->setAlignment(Qt::AlignCenter);
    emptyHint->setWordWrap(true);
    emptyHint->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto *hintLayout = new QVBoxLayout(dropArea);
    hintLayout->addWidget(emptyHint);

    addImagesAction = listAction(QKeySequence::Open, list);
    addFolderAction = listAction(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), list);
    removeImagesAction = listAction(QKeySequence::Delete, list);
    clearImagesAction = listAction(QKeySequence(), list);
    undoAction = listAction(QKeySequence::Undo, list);
    clearImagesAction->setObjectName(QStringLiteral("clearImagesAction"));
    undoAction->setObjectName(QStringLiteral("undoImagesAction"));
    removeImagesAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    for (QAction *action : {addImagesAction, addFolderAction, undoAction})
        window->addAction(action);
    connect(addImagesAction, &QAction::triggered, this, &ImageListPanel::addImageFiles);
    connect(addFolderAction, &QAction::triggered, this, &ImageListPanel::addImageFolder);
    connect(removeImagesAction, &QAction::triggered, this, &ImageListPanel::removeSelectedImages);
    connect(clearImagesAction, &QAction::triggered, this, &ImageListPanel::clearImages);
    connect(undoAction, &QAction::triggered, this, &ImageListPanel::undo);
    connect(&thumbnailLoader, &ThumbnailLoader::thumbnailReady, this, &ImageListPanel::showThumbnail,
            Qt::QueuedConnection);
    retranslate();
    listChanged();
}

ImageListPanel::~ImageListPanel() = default;

void ImageListPanel::retranslate()
{
    addImagesAction->setText(tr("添加图片…"));
    addFolderAction->setText(tr("添加文件夹…"));
    removeImagesAction->setText(tr("移除所选"));
    clearImagesAction->setText(tr("清空列表"));
    undoAction->setText(tr("撤销"));
    emptyHint->setText(tr("把图片或文件夹拖到这里，\n或点击“添加图片”“添加文件夹”"));
    list->setToolTip(tr("拖入图片或文件夹即可添加；右键可添加、移除、清空或撤销"));
    list->setAccessibleName(tr("图片列表"));
    for (int row = 0; row < list->count(); ++row)
        describe(list->item(row));
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
        appendImages(imagesUnder(directory), directory);
}

// Files already in the list are not added twice. The entries appear at
// once with their names; the thumbnails, or the marks of files a run would
// refuse, follow as the loader makes them.
void ImageListPanel::appendImages(const QStringList &paths, const QString &root)
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
        if (!root.isEmpty())
            rootOf.insert(path, QFileInfo(root).absoluteFilePath());
        else
            rootOf.remove(path);
        auto *entry = new QListWidgetItem(QFileInfo(path).fileName());
        entry->setData(pathRole, path);
        entry->setData(stateRole, int(EntryState::Listed));
        describe(entry);
        list->addItem(entry);
    }
    thumbnailLoader.load(added);
    listChanged();
}

void ImageListPanel::addInputs(const QStringList &paths)
{
    // In the order given: the files between two folders go in together.
    QStringList files;
    for (const QString &path : paths) {
        if (!QFileInfo(path).isDir()) {
            files << path;
            continue;
        }
        appendImages(std::exchange(files, {}));
        appendImages(imagesUnder(path), path);
    }
    appendImages(files);
}

QStringList ImageListPanel::roots() const
{
    QStringList roots;
    if (rootOf.isEmpty())
        return roots;
    for (const QString &path : imagePaths)
        roots << rootOf.value(path);
    return roots;
}

// A copy of every entry, thumbnails and marks included, for undo.
void ImageListPanel::remember()
{
    Entries entries;
    entries.reserve(list->count());
    for (int row = 0; row < list->count(); ++row)
        entries.emplace_back(list->item(row)->clone());
    earlierLists.push_back(std::move(entries));
    if (earlierLists.size() > undoDepth)
        earlierLists.erase(earlierLists.begin());
}

// From the last row up, so that the rows still to go keep their numbers.
void ImageListPanel::removeSelectedImages()
{
    QList<int> rows;
    for (const QModelIndex &index : list->selectionModel()->selectedIndexes())
        rows.append(index.row());
    if (rows.isEmpty())
        return;
    remember();
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int row : std::as_const(rows)) {
        imagePaths.removeAt(row);
        delete list->takeItem(row);
    }
    listChanged();
}

// Files whose thumbnail has not been started get none; one being made
// finds no entry when it arrives.
void ImageListPanel::clearImages()
{
    if (imagePaths.isEmpty())
        return;
    remember();
    thumbnailLoader.stop();
    // The folders the entries came from stay known, for an undo.
    imagePaths.clear();
    list->clear();
    listChanged();
}

// Entries put back without a thumbnail or a mark are looked at again, as
// their loading may have been stopped by the clearing.
void ImageListPanel::undo()
{
    if (earlierLists.empty())
        return;
    Entries entries = std::move(earlierLists.back());
    earlierLists.pop_back();
    list->clear();
    imagePaths.clear();
    QStringList unfinished;
    for (std::unique_ptr<QListWidgetItem> &entry : entries) {
        const QString path = entry->data(pathRole).toString();
        imagePaths.append(path);
        if (entry->icon().isNull() && EntryState(entry->data(stateRole).toInt()) == EntryState::Listed)
            unfinished.append(path);
        list->addItem(entry.release());
    }
    thumbnailLoader.load(unfinished);
    listChanged();
}

void ImageListPanel::listChanged()
{
    emptyHint->setVisible(imagePaths.isEmpty());
    undoAction->setEnabled(!earlierLists.empty());
    removeImagesAction->setEnabled(!imagePaths.isEmpty());
    clearImagesAction->setEnabled(!imagePaths.isEmpty());
    emit countChanged(imagePaths.size());
}

void ImageListPanel::forgetRunStates()
{
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem *entry = list->item(row);
        const EntryState state = EntryState(entry->data(stateRole).toInt());
        if (state != EntryState::Unreadable && state != EntryState::Damaged)
            showState(imagePaths.at(row), EntryState::Listed, {});
    }
}

void ImageListPanel::showState(const QString &path, EntryState state, const QStringList &reasons)
{
    const int row = imagePaths.indexOf(path);
    if (row < 0)
        return;
    QListWidgetItem *entry = list->item(row);
    entry->setData(stateRole, int(state));
    entry->setData(reasonRole, reasons);
    describe(entry);
}

// The tool tip gives the whole path and what is known of the file, in the
// interface's language; a screen reader hears the name with the same.
void ImageListPanel::describe(QListWidgetItem *entry)
{
    QStringList reasonTexts;
    for (const QString &english : entry->data(reasonRole).toStringList())
        reasonTexts.append(reasons::localised(english));
    const QString reason = reasonTexts.join(QStringLiteral("; "));
    QString said;
    switch (EntryState(entry->data(stateRole).toInt())) {
    case EntryState::Listed:
        break;
    case EntryState::Unreadable:
        said = tr("无法处理：%1").arg(reason);
        break;
    case EntryState::Damaged:
        said = tr("注意：%1").arg(reason);
        break;
    case EntryState::Written:
        said = tr("已写入");
        break;
    case EntryState::Warned:
        said = tr("已写入，有警告：%1").arg(reason);
        break;
    case EntryState::Failed:
        said = tr("处理失败：%1").arg(reason);
        break;
    case EntryState::Skipped:
        said = tr("已跳过：%1").arg(reason);
        break;
    }
    const QString path = QDir::toNativeSeparators(entry->data(pathRole).toString());
    entry->setToolTip(said.isEmpty() ? path : path + QLatin1Char('\n') + said);
    entry->setData(Qt::AccessibleTextRole,
                   said.isEmpty() ? entry->text() : entry->text() + QStringLiteral(" — ") + said);
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

// A file a run would refuse is marked with the reason, and a damaged one
// with what a run would warn of it; one removed meanwhile has no entry any
// more.
void ImageListPanel::showThumbnail(const QString &path, const QImage &thumbnail, const QStringList &reasons)
{
    const int row = imagePaths.indexOf(path);
    if (row < 0)
        return;
    if (!thumbnail.isNull())
        list->item(row)->setIcon(QIcon(QPixmap::fromImage(thumbnail)));
    if (!reasons.isEmpty())
        showState(path, thumbnail.isNull() ? EntryState::Unreadable : EntryState::Damaged, reasons);
}
