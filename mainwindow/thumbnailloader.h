#ifndef THUMBNAILLOADER_H
#define THUMBNAILLOADER_H

#include <QImage>
#include <QObject>
#include <QStringList>
#include <QThreadPool>

#include <atomic>

// Makes thumbnails on threads of its own, one per core, and hands each to
// the receiver's thread as soon as it is ready, tagged with its path. Loads
// add up; stop drops every file not yet started. The loader's end stops the
// decodes in flight too, so that it waits a moment at most.
class ThumbnailLoader : public QObject
{
    Q_OBJECT

public:
    static constexpr int thumbnailExtent = 64;

    explicit ThumbnailLoader(QObject *parent = nullptr);
    ~ThumbnailLoader() override;

    void load(const QStringList &paths);
    void stop();

signals:
    // A null thumbnail when the file cannot be decoded, with the reason a
    // run would give when it would refuse the file (none when the loader
    // was stopped); with a thumbnail, what a run would warn of the file.
    // Emitted from a pool thread.
    void thumbnailReady(const QString &path, const QImage &thumbnail, const QStringList &reasons);

private:
    std::atomic<bool> ending{false};
    // Apart from the global pool, so that a large selection never holds up
    // a run.
    QThreadPool pool;
};

#endif // THUMBNAILLOADER_H
