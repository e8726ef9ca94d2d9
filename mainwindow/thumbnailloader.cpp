#include "thumbnailloader.h"

#include "formats/imagefile.h"
#include "formats/thumbnail.h"

#include <QThread>

// A picture the run can process gets its thumbnail too.
ThumbnailLoader::ThumbnailLoader(QObject *parent)
    : QObject(parent)
{
    raiseImageDecodeLimit();
    pool.setMaxThreadCount(QThread::idealThreadCount());
}

// Waits only for the files being decoded right now, which end at their
// decoder's next check.
ThumbnailLoader::~ThumbnailLoader()
{
    ending.store(true);
    stop();
    pool.waitForDone();
}

void ThumbnailLoader::load(const QStringList &paths)
{
    for (const QString &path : paths)
        pool.start([this, path] {
            QString failure;
            QStringList warnings;
            const QImage thumbnail = makeThumbnail(path, thumbnailExtent, &ending, &failure, &warnings);
            // A decode cut short by the loader's end gives no picture, which
            // is not the file's thumbnail.
            if (!ending.load())
                emit thumbnailReady(path, thumbnail, failure.isEmpty() ? warnings : QStringList{failure});
        });
}

void ThumbnailLoader::stop()
{
    pool.clear();
}
