#include "languageswitcher.h"

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

LanguageSwitcher::LanguageSwitcher(QObject *parent)
    : QObject(parent), currentLanguage(sourceLanguage)
{
}

// Installs the catalogues even for the language already in use: at the
// start no catalogue is installed, not even Qt's for Simplified Chinese.
void LanguageSwitcher::switchToStoredLanguage()
{
    install(openLanguageStore().value(languageKey, sourceLanguage).toString());
}

// The code is stored before any catalogue is tried.
void LanguageSwitcher::switchTo(const QString &language)
{
    if (language == currentLanguage)
        return;
    openLanguageStore().setValue(languageKey, language);
    install(language);
}

// A language without a catalogue falls back to Simplified Chinese, which is
// then stored instead.
void LanguageSwitcher::install(const QString &language)
{
    currentLanguage = language;
    QCoreApplication::removeTranslator(&appTranslator);
    QCoreApplication::removeTranslator(&qtTranslator);
    installQtCatalogue(qtTranslator, language);
    if (!installApplicationCatalogue(appTranslator, language) && language != sourceLanguage) {
        openLanguageStore().setValue(languageKey, sourceLanguage);
        install(sourceLanguage);
        return;
    }
    emit languageChanged();
}

// The stored code is forgotten; switching back from another language
// stores Simplified Chinese, as every switch stores its language.
void LanguageSwitcher::reset()
{
    openLanguageStore().remove(languageKey);
    switchTo(sourceLanguage);
}
