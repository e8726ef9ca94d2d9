#include "thumbnailloader.h"

#include "batch/imagefile.h"

#include <QImageReader>
#include <QtConcurrent>

// A picture the run can process gets its thumbnail too.
ThumbnailLoader::ThumbnailLoader(QObject *parent)
    : QObject(parent),
      watcher(nullptr)
{
    raiseImageDecodeLimit();
}

// Waits only for the files being decoded right now; the rest are skipped.
ThumbnailLoader::~ThumbnailLoader()
{
    if (!watcher)
        return;
    QFuture<QImage> future = watcher->future();
    stop();
    future.waitForFinished();
}

void ThumbnailLoader::load(const QStringList &paths)
{
    stop();
    watcher = new QFutureWatcher<QImage>(this);
    QFutureWatcher<QImage> *current = watcher;
    connect(current, &QFutureWatcher<QImage>::resultReadyAt, this,
            [this, current](int row) { emit thumbnailReady(row, current->resultAt(row)); });
    current->setFuture(QtConcurrent::mapped(&pool, paths, &ThumbnailLoader::makeThumbnail));
}

// Deleting the watcher drops every result of the old load not yet delivered.
void ThumbnailLoader::stop()
{
    if (!watcher)
        return;
    watcher->cancel();
    delete watcher;
    watcher = nullptr;
}

// The decoder scales while it decodes where it can (JPEG), so a large photo
// never needs its full size in memory. The scaled size is taken from the
// stored orientation; the square box makes it fit after rotation as well.
QImage ThumbnailLoader::makeThumbnail(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize storedSize = reader.size();
    if (storedSize.isValid()) {
        const QSize fitted = storedSize.scaled(thumbnailExtent, thumbnailExtent, Qt::KeepAspectRatio);
        reader.setScaledSize(fitted.expandedTo(QSize(1, 1)));
        return reader.read();
    }
    const QImage image = reader.read();
    if (image.isNull())
        return image;
    return image.scaled(thumbnailExtent, thumbnailExtent, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}
