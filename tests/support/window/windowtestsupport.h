#ifndef WINDOWTESTSUPPORT_H
#define WINDOWTESTSUPPORT_H

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

// Handles modal dialogs of one type as they open, as a user would: a short
// poll looks at the active modal widget and hands each new Dialog once to
// respond, which must close it. Polling also reaches dialogs that run their
// own event loop inside the code under test.
template <typename Dialog>
class ModalResponder : public QObject
{
public:
    explicit ModalResponder(std::function<void(Dialog *)> respond)
        : respond(std::move(respond))
    {
        connect(&poll, &QTimer::timeout, this, [this] { answerActiveDialog(); });
        poll.start(5);
    }

    int answered() const { return count; }

private:
    void answerActiveDialog()
    {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog || dialog == current)
            return;
        current = dialog;
        ++count;
        respond(dialog);
    }

    std::function<void(Dialog *)> respond;
    QTimer poll;
    QPointer<Dialog> current;
    int count = 0;
};

struct AnsweredBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon;
    bool hasParent;
    QString details;
    QStringList buttons;
};

// Answers every message box with one button and keeps what each box said;
// whileOpen, when given, looks at the program while a box is still open.
class MessageBoxAnswerer
{
public:
    explicit MessageBoxAnswerer(QMessageBox::StandardButton answer, std::function<void()> whileOpen = {});

    QList<AnsweredBox> boxes;

private:
    ModalResponder<QMessageBox> responder;
};

// Picks names in Qt's own file dialog: types them, quoted, into the name
// field of directory and accepts. No names accepts the directory itself.
void chooseInFileDialog(QFileDialog *dialog, const QString &directory, const QStringList &names = {});

// The test mode keeps the user's real settings out of reach, but all test
// programs share its folder; a folder of this process's own keeps programs
// run side by side from emptying each other's stores.
void useOwnSettingsFolder();

// Every window test starts from a first start: both stores and the data
// folder empty.
void clearSettingsStores();

template <typename T>
T *findIn(QWidget *window, const char *objectName)
{
    T *child = window->findChild<T *>(QString::fromLatin1(objectName));
    if (!child)
        qFatal("no %s named %s", T::staticMetaObject.className(), objectName);
    return child;
}

#endif // WINDOWTESTSUPPORT_H
