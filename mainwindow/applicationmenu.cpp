#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "aboutdialog.h"
#include "languageswitcher.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include <functional>

namespace {

const char menuStyleSheet[] =
    "QMenu { background-color: white; border: 1px solid #ddd; }"
    "QMenu::item { padding: 5px 20px 5px 10px; }"
    "QMenu::item:selected { background-color: #e6f2ff; }"
    "QMenu::icon { left: 5px; }";

// The language entries come first in the menu, in this order; each name is
// written in its own language.
const char *const languageCodes[] = {"zh_CN", "zh_TW", "en_US"};
const char *const languageNames[] = {QT_TRANSLATE_NOOP("MainWindow", "简体中文"),
                                     QT_TRANSLATE_NOOP("MainWindow", "繁體中文"),
                                     QT_TRANSLATE_NOOP("MainWindow", "English")};
constexpr int languageCount = 3;
constexpr int resetPosition = 4;
constexpr int aboutPosition = 5;

} // namespace

// Built on the first click, in the language in use, and reused afterwards.
// It opens with its top-left corner at the bottom-left corner of the button.
void MainWindow::showApplicationMenu()
{
    if (!appMenu) {
        appMenu = new QMenu(this);
        appMenu->setStyleSheet(QString::fromLatin1(menuStyleSheet));
        auto addEntry = [this](const QString &text, const std::function<void()> &choose) {
            auto *entry = new QAction(text, this);
            connect(entry, &QAction::triggered, this, choose);
            appMenu->addAction(entry);
            return entry;
        };
        auto *languageGroup = new QActionGroup(this);
        languageGroup->setExclusive(true);
        for (int position = 0; position < languageCount; ++position) {
            const QString code = QLatin1String(languageCodes[position]);
            QAction *entry = addEntry(tr(languageNames[position]), [this, code] { languages->switchTo(code); });
            entry->setCheckable(true);
            entry->setChecked(languages->current() == code);
            languageGroup->addAction(entry);
        }
        appMenu->addSeparator();
        addEntry(tr("一键重置"), [this] { resetApplication(); });
        addEntry(tr("关于Vellumo"), [this] { showAbout(); });
    }
    appMenu->exec(ui->menuButton->mapToGlobal(QPoint(0, ui->menuButton->height())));
}

// Re-texts the entries after a language switch and moves the check mark to
// the language in use, which differs from the one chosen after a fall-back
// and after a reset.
void MainWindow::updateMenuLanguage()
{
    if (!appMenu)
        return;
    const QList<QAction *> entries = appMenu->actions();
    for (int position = 0; position < languageCount; ++position) {
        entries.at(position)->setText(tr(languageNames[position]));
        if (languages->current() == QLatin1String(languageCodes[position]))
            entries.at(position)->setChecked(true);
    }
    entries.at(resetPosition)->setText(tr("一键重置"));
    entries.at(aboutPosition)->setText(tr("关于我们"));
}

// The dialog lives only while it is shown.
void MainWindow::showAbout()
{
    AboutDialog dialog(this);
    dialog.exec();
}
