#include "windowtestsupport.h"

#include "completiondialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>

namespace {

AnsweredBox messageBoxSaid(QMessageBox *box)
{
    QStringList buttons;
    for (QAbstractButton *button : box->buttons())
        buttons.append(button->text());
    return {box->windowTitle(), box->text(), box->icon(), box->parentWidget() != nullptr, box->detailedText(),
            buttons};
}

AnsweredBox completionSaid(CompletionDialog *dialog)
{
    QStringList buttons;
    for (QAbstractButton *button : dialog->findChildren<QAbstractButton *>())
        if (qobject_cast<QDialogButtonBox *>(button->parentWidget()))
            buttons.append(button->text());
    const QString details = dialog->findChild<QTableWidget *>() ? dialog->reportText() : QString();
    return {dialog->windowTitle(), dialog->findChild<QLabel *>(QStringLiteral("completionSummary"))->text(),
            QMessageBox::NoIcon, dialog->parentWidget() != nullptr, details, buttons};
}

} // namespace

MessageBoxAnswerer::MessageBoxAnswerer(QMessageBox::StandardButton answer, std::function<void()> whileOpen)
    : responder([this, answer, whileOpen](QDialog *dialog) {
          auto *box = qobject_cast<QMessageBox *>(dialog);
          auto *completion = qobject_cast<CompletionDialog *>(dialog);
          if (!box && !completion)
              return;
          boxes.append(box ? messageBoxSaid(box) : completionSaid(completion));
          if (whileOpen)
              whileOpen();
          QAbstractButton *button = nullptr;
          if (box)
              button = box->button(answer);
          else if (answer == QMessageBox::Ok)
              button = completion->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
          if (button)
              button->click();
          else
              dialog->reject();
      })
{
}

void chooseInFileDialog(QFileDialog *dialog, const QString &directory, const QStringList &names)
{
    dialog->setDirectory(directory);
    QStringList quoted;
    for (const QString &name : names)
        quoted.append(QLatin1Char('"') + name + QLatin1Char('"'));
    dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(quoted.join(QLatin1Char(' ')));
    static_cast<QDialog *>(dialog)->accept(); // QFileDialog hides its override
}

void useOwnSettingsFolder()
{
    static QTemporaryDir folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
    // The test mode's data folder (presets, the last options) is under the home folder.
    qputenv("HOME", QFile::encodeName(folder.path()));
}

void clearSettingsStores()
{
    QSettings(QStringLiteral("Orvantis"), QStringLiteral("Vellumo")).clear();
    QSettings(QStringLiteral("Vellumo"), QStringLiteral("Vellumo")).clear();
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
}
