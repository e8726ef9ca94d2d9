#ifndef LANGUAGESWITCHER_H
#define LANGUAGESWITCHER_H

#include <QObject>
#include <QString>
#include <QTranslator>

// The interface language: the program's catalogue and Qt's own for it
// installed in the application, and its code remembered for the next
// start. Simplified Chinese, the language the texts are written in, is in
// use until another is chosen.
class LanguageSwitcher : public QObject
{
    Q_OBJECT

public:
    explicit LanguageSwitcher(QObject *parent = nullptr);

    // "zh_CN", "zh_TW" or "en_US".
    QString current() const { return currentLanguage; }

    void switchToStoredLanguage();
    void switchTo(const QString &language);
    // Back to a first start's language.
    void reset();

signals:
    // The catalogues have changed: every text shown is to be looked up again.
    void languageChanged();

private:
    void install(const QString &language);

    QTranslator appTranslator;
    QTranslator qtTranslator;
    QString currentLanguage;
};

#endif // LANGUAGESWITCHER_H
