#ifndef IMAGELISTPANEL_H
#define IMAGELISTPANEL_H

#include "entrystate.h"
#include "thumbnailloader.h"

#include <QHash>
#include <QObject>
#include <QStringList>

#include <memory>
#include <vector>

QT_BEGIN_NAMESPACE
// The suffixes of every format a run reads, as name filters of a file dialog.
QStringList readableNameFilters();

class QAction;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMimeData;
QT_END_NAMESPACE

// The selection of input files shown as the list's entries, each with its
// thumbnail once the loader has made it, or a mark and the reason when a
// run would refuse it, and after a run what the run made of it. Files come
// from the file dialogs, from the list's context menu and shortcuts, and
// from files and folders dropped onto the list; every path is in the
// selection once, in the order added. Removing and clearing can be undone.
class ImageListPanel : public QObject
{
    Q_OBJECT

public:
    // Dialogs open over window, which also takes the list's shortcuts that
    // work anywhere in it.
    ImageListPanel(QListWidget *list, QWidget *window);
    ~ImageListPanel() override;

    const QStringList &paths() const { return imagePaths; }
    // Beside each of paths, the folder it was found under (added or dropped
    // as a folder), empty for a file added by itself; empty while no folder
    // was added.
    QStringList roots() const;
    // Files as they are and folders as the pictures under them, after the
    // entries already there: what a drop or the window's command line hands.
    void addInputs(const QStringList &paths);

    void retranslate();

public slots:
    void addImageFiles();
    void addImageFolder();
    void removeSelectedImages();
    void clearImages();
    // Puts back the entries as they were before the last removal or clearing.
    void undo();
    // The marks of the last run go; those of unreadable files stay.
    void forgetRunStates();
    void showState(const QString &path, EntryState state, const QStringList &reasons);

signals:
    void countChanged(int count);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using Entries = std::vector<std::unique_ptr<QListWidgetItem>>;

    void appendImages(const QStringList &paths, const QString &root = QString());
    void remember();
    void listChanged();
    void describe(QListWidgetItem *entry);
    void showThumbnail(const QString &path, const QImage &thumbnail, const QStringList &reasons);
    static QStringList droppedPaths(const QMimeData *data);

    QListWidget *list;
    // Kept apart from the list: the filter still sees the events of its
    // destruction, when the list is no longer a list to ask.
    QWidget *dropArea;
    QWidget *window;
    QLabel *emptyHint;
    QStringList imagePaths;
    // The lists before each removal or clearing, the latest last.
    std::vector<Entries> earlierLists;
    QHash<QString, QString> rootOf;
    ThumbnailLoader thumbnailLoader;
    QAction *addImagesAction;
    QAction *addFolderAction;
    QAction *removeImagesAction;
    QAction *clearImagesAction;
    QAction *undoAction;
};

#endif // IMAGELISTPANEL_H
