#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "imagelistpanel.h"
#include "optionform.h"
#include "runcontroller.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QSettings>

namespace {

// Simplified Chinese is the source language of every text, so it is the
// language to fall back to.
const QString sourceLanguage = QStringLiteral("zh_CN");
const QString languageKey = QStringLiteral("language");

QSettings openLanguageStore()
{
    return QSettings(QStringLiteral("Vellumo"), QStringLiteral("Vellumo"));
}

// Qt's own catalogue translates the standard dialogs and buttons; without
// one they keep Qt's untranslated texts, which is no reason to complain.
void installQtCatalogue(QTranslator &translator, const QString &language)
{
    if (translator.load(QStringLiteral("qt_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
}

// False, with a warning naming the catalogue, when the program's own
// catalogue for the language is missing or unreadable.
bool installApplicationCatalogue(QTranslator &translator, const QString &language)
{
    const QString path = QStringLiteral(":/translations/lang_%1.qm").arg(language);
    if (!QFile::exists(path)) {
        qWarning() << "Translation file not found:" << path;
        return false;
    }
    if (!translator.load(path)) {
        qWarning() << "Failed to load translation file:" << path;
        return false;
    }
    QCoreApplication::installTranslator(&translator);
    return true;
}

} // namespace

void MainWindow::loadLanguageSetting()
{
    switchLanguage(openLanguageStore().value(languageKey, sourceLanguage).toString());
}

// The code is stored before any catalogue is tried; a language without a
// catalogue falls back to Simplified Chinese, which is then stored instead.
// Re-texting refills the option lists, so their selections and the values
// they go with return to the initial ones.
void MainWindow::switchLanguage(const QString &language)
{
    if (language == currentLanguage)
        return;
    currentLanguage = language;
    openLanguageStore().setValue(languageKey, language);
    QCoreApplication::removeTranslator(&appTranslator);
    QCoreApplication::removeTranslator(&qtTranslator);
    installQtCatalogue(qtTranslator, language);
    if (!installApplicationCatalogue(appTranslator, language) && language != sourceLanguage) {
        switchLanguage(sourceLanguage);
        return;
    }
    options->retranslate();
    ui->retranslateUi(this);
    imageList->retranslate();
    retranslateAccessibility();
    run->retranslate();
    updateMenuLanguage();
}

void MainWindow::switchToChineseSimplified()
{
    switchLanguage(QStringLiteral("zh_CN"));
}

void MainWindow::switchToChineseTraditional()
{
    switchLanguage(QStringLiteral("zh_TW"));
}

void MainWindow::switchToEnglish()
{
    switchLanguage(QStringLiteral("en_US"));
}
