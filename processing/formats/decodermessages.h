#ifndef DECODERMESSAGES_H
#define DECODERMESSAGES_H

#include <QByteArray>
#include <QStringList>
#include <QtGlobal>

// While alive, takes the messages that Qt and the image libraries log on the
// calling thread, so that a decoder's remark about a damaged file reaches
// the report of that file instead of stderr without a name. Messages of
// other threads pass on to the handler that was installed before.
class DecoderMessages
{
public:
    DecoderMessages();
    ~DecoderMessages();
    DecoderMessages(const DecoderMessages &) = delete;
    DecoderMessages &operator=(const DecoderMessages &) = delete;

    // Told the format of a reader before it decodes, so that the remarks of
    // a library that does not log through Qt reach the capture too.
    void expectFormat(const QByteArray &format) const;

    // The messages taken so far, each once, in the order they came.
    QStringList messages() const { return taken; }

private:
    static void routeTiffMessages();
    static void takeOrPass(QtMsgType type, const QMessageLogContext &context,
                           const QString &message);

    QStringList taken;
    DecoderMessages *outer;
};

#endif // DECODERMESSAGES_H
