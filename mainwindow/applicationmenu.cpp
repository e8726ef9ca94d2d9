#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "aboutdialog.h"
#include "languageswitcher.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMessageBox>

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
constexpr int helpPosition = 6;

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
        addEntry(tr("帮助"), [this] { showHelp(); });
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
    entries.at(helpPosition)->setText(tr("帮助"));
}

// The dialog lives only while it is shown.
void MainWindow::showAbout()
{
    AboutDialog dialog(this);
    dialog.exec();
}

// A short guide to the window, in the interface language.
void MainWindow::showHelp()
{
    QMessageBox guide(QMessageBox::NoIcon, tr("帮助"),
                      tr("<p><b>使用方法</b></p>"
                         "<ol><li>点击“添加图片”或“添加文件夹”，或把图片、文件夹拖到列表中。</li>"
                         "<li>在“基本设置”和“高级设置”中选择处理方式；鼠标停在选项上可看到说明。</li>"
                         "<li>点击“输出目录”选择保存位置，再点击“开始处理”（Ctrl+Enter）。</li></ol>"
                         "<p>列表用标记说明每个文件的结果：无法处理、已写入、有警告、失败或已跳过；"
                         "鼠标停在文件上可看到原因。Ctrl+Z 撤销移除或清空。处理中按 Esc 停止，"
                         "正在写入的文件会写完。</p>"
                         "<p>输入文件从不被覆盖；输出目录中以前处理生成的文件不会再被处理。</p>"),
                      QMessageBox::Ok, this);
    guide.setTextFormat(Qt::RichText);
    guide.exec();
}
