#ifndef THUMBNAILLOADER_H
#define THUMBNAILLOADER_H

#include <QFutureWatcher>
#include <QImage>
#include <QObject>
#include <QStringList>
#include <QThreadPool>

// Makes the thumbnails of a selection on its own threads and hands each to
// the GUI thread as soon as it is ready, tagged with its row. A new load
// discards the older one: its pending files are skipped and its results are
// never delivered.
class ThumbnailLoader : public QObject
{
    Q_OBJECT

public:
    static constexpr int thumbnailExtent = 64;

    explicit ThumbnailLoader(QObject *parent = nullptr);
    ~ThumbnailLoader() override;

    void load(const QStringList &paths);
    void stop();

    // The image at path scaled to fit thumbnailExtent square, aspect kept
    // and EXIF orientation applied; a null image when it cannot be decoded.
    static QImage makeThumbnail(const QString &path);

signals:
    void thumbnailReady(int row, const QImage &thumbnail);

private:
    // A pool of its own, so that a large selection never holds up a run,
    // which goes to the global pool.
    QThreadPool pool;
    QFutureWatcher<QImage> *watcher;
};

#endif // THUMBNAILLOADER_H
