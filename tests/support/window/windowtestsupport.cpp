#include "windowtestsupport.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

MessageBoxAnswerer::MessageBoxAnswerer(QMessageBox::StandardButton answer, std::function<void()> whileOpen)
    : responder([this, answer, whileOpen](QMessageBox *box) {
          QStringList buttons;
          for (QAbstractButton *button : box->buttons())
              buttons.append(button->text());
          boxes.append({box->windowTitle(), box->text(), box->icon(), box->parentWidget() != nullptr,
                        box->detailedText(), buttons});
          if (whileOpen)
              whileOpen();
          if (QAbstractButton *button = box->button(answer))
              button->click();
          else
              box->reject();
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
