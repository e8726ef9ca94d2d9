#include "presetpanel.h"

#include "optionform.h"
#include "run/jobfile.h"
#include "run/reasons.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QStandardPaths>
#include <QToolButton>

namespace {

const QString suffix = QStringLiteral(".json");

// The presets a first start writes, under their names in the interface
// language of that start. One whose format this build cannot write (TIFF
// without its encoder) is left out, as its file does not read.
struct ShippedPreset
{
    const char *name;
    const char *file;
};
constexpr ShippedPreset shippedPresets[] = {
    {QT_TRANSLATE_NOOP("PresetPanel", "网页 1920"), ":/presets/web.json"},
    {QT_TRANSLATE_NOOP("PresetPanel", "社交媒体方图 1080"), ":/presets/square.json"},
    {QT_TRANSLATE_NOOP("PresetPanel", "缩略图 320"), ":/presets/thumbnails.json"},
    {QT_TRANSLATE_NOOP("PresetPanel", "打印 300 dpi TIFF"), ":/presets/print.json"},
};

} // namespace

PresetPanel::PresetPanel(OptionForm &form, QComboBox *list, QToolButton *menuButton, QWidget *window)
    : QObject(window), form(form), list(list), menuButton(menuButton), window(window)
{
    if (!QDir(folder()).exists())
        writeShippedPresets();
    // Names are the user's, of any length: the list keeps its place in the
    // form and a long name is elided.
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(8);
    connect(list, &QComboBox::activated, this, &PresetPanel::applyChosen);
    connect(menuButton, &QToolButton::clicked, this, &PresetPanel::showMenu);
    retranslate();
}

// Made at its first use, in the language of that moment.
void PresetPanel::showMenu()
{
    if (!menu)
        menu = new QMenu(window);
    menu->clear();
    menu->addAction(tr("另存为预设…"), this, &PresetPanel::askSaveAs);
    menu->addAction(tr("重命名预设…"), this, &PresetPanel::askRename);
    menu->addAction(tr("删除预设"), this, &PresetPanel::askRemove);
    menu->addSeparator();
    menu->addAction(tr("导入任务文件…"), this, &PresetPanel::askImport);
    menu->addAction(tr("导出任务文件…"), this, &PresetPanel::askExport);
    menu->popup(menuButton->mapToGlobal(QPoint(0, menuButton->height())));
}

QString PresetPanel::folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/presets");
}

QStringList PresetPanel::names() const
{
    QStringList names;
    const QStringList files = QDir(folder()).entryList({QStringLiteral("*") + suffix}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        names << file.chopped(suffix.size());
    return names;
}

void PresetPanel::writeShippedPresets()
{
    QDir().mkpath(folder());
    for (const ShippedPreset &preset : shippedPresets) {
        JobSettings settings;
        if (jobfile::load(QString::fromUtf8(preset.file), &settings).error.isEmpty())
            jobfile::save(pathOf(tr(preset.name)), settings);
    }
}

QString PresetPanel::pathOf(const QString &name) const
{
    return folder() + QLatin1Char('/') + name + suffix;
}

// A name is a file name of its own: no folder separator, no leading dot.
QString PresetPanel::checkedName(const QString &name) const
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('.')) || trimmed.contains(QLatin1Char('/'))
        || trimmed.contains(QLatin1Char('\\')))
        return QString();
    return trimmed;
}

QString PresetPanel::apply(const QString &name)
{
    JobSettings settings;
    const jobfile::Reading reading = jobfile::load(pathOf(name), &settings);
    if (!reading.error.isEmpty())
        return reading.error;
    form.apply(settings);
    refill(name);
    return reading.warnings.join(QLatin1Char('\n'));
}

QString PresetPanel::saveAs(const QString &name)
{
    const QString checked = checkedName(name);
    if (checked.isEmpty())
        return tr("预设名称不能为空，也不能包含 / 或 \\ 或以 . 开头");
    QDir().mkpath(folder());
    const QString failure = jobfile::save(pathOf(checked), form.capture({}, QString()));
    refill(checked);
    return failure;
}

QString PresetPanel::rename(const QString &name, const QString &newName)
{
    const QString checked = checkedName(newName);
    if (checked.isEmpty())
        return tr("预设名称不能为空，也不能包含 / 或 \\ 或以 . 开头");
    if (checked != name && QFileInfo::exists(pathOf(checked)))
        return tr("已有名为“%1”的预设").arg(checked);
    if (checked != name && !QFile::rename(pathOf(name), pathOf(checked)))
        return tr("无法重命名预设“%1”").arg(name);
    refill(checked);
    return QString();
}

QString PresetPanel::remove(const QString &name)
{
    if (!QFile::remove(pathOf(name)))
        return tr("无法删除预设“%1”").arg(name);
    refill(QString());
    return QString();
}

// The file is read and written again under its own name, so that a preset
// is always a file this version reads, migrated if it was older.
QString PresetPanel::importFile(const QString &path)
{
    JobSettings settings;
    const jobfile::Reading reading = jobfile::load(path, &settings);
    if (!reading.error.isEmpty())
        return reading.error;
    QDir().mkpath(folder());
    const QString name = QFileInfo(path).completeBaseName();
    const QString failure = jobfile::save(pathOf(name), settings);
    if (!failure.isEmpty())
        return failure;
    form.apply(settings);
    refill(name);
    return reading.warnings.join(QLatin1Char('\n'));
}

QString PresetPanel::exportTo(const QString &path)
{
    return jobfile::save(path, form.capture({}, QString()));
}

void PresetPanel::refill(const QString &shown)
{
    list->clear();
    list->addItem(tr("（选择预设）"));
    list->addItems(names());
    list->setCurrentIndex(qMax(0, list->findText(shown)));
}

void PresetPanel::retranslate()
{
    refill(list->currentIndex() > 0 ? list->currentText() : QString());
    list->setToolTip(tr("选择预设即可把它保存的全部选项用到表单上；右边的按钮可另存、改名、删除、导入或导出"));
}

void PresetPanel::applyChosen(int index)
{
    if (index > 0)
        tell(apply(list->itemText(index)));
}

void PresetPanel::askSaveAs()
{
    bool accepted = false;
    const QString shown = list->currentIndex() > 0 ? list->currentText() : QString();
    const QString name = QInputDialog::getText(window, tr("另存为预设"), tr("预设名称:"), QLineEdit::Normal,
                                               shown, &accepted);
    if (!accepted)
        return;
    if (QFileInfo::exists(pathOf(name.trimmed()))
        && QMessageBox::question(window, tr("另存为预设"), tr("预设“%1”已存在，要替换吗？").arg(name.trimmed()))
                   != QMessageBox::Yes)
        return;
    tell(saveAs(name));
}

void PresetPanel::askRename()
{
    if (list->currentIndex() <= 0)
        return;
    const QString name = list->currentText();
    bool accepted = false;
    const QString newName = QInputDialog::getText(window, tr("重命名预设"), tr("新名称:"), QLineEdit::Normal,
                                                  name, &accepted);
    if (accepted)
        tell(rename(name, newName));
}

void PresetPanel::askRemove()
{
    if (list->currentIndex() <= 0)
        return;
    const QString name = list->currentText();
    if (QMessageBox::question(window, tr("删除预设"), tr("确定要删除预设“%1”吗？").arg(name)) == QMessageBox::Yes)
        tell(remove(name));
}

void PresetPanel::askImport()
{
    const QString path = QFileDialog::getOpenFileName(window, tr("导入任务文件"), QString(),
                                                      tr("任务文件 (*.json)"));
    if (!path.isEmpty())
        tell(importFile(path));
}

void PresetPanel::askExport()
{
    const QString path = QFileDialog::getSaveFileName(window, tr("导出任务文件"), QString(),
                                                      tr("任务文件 (*.json)"));
    if (!path.isEmpty())
        tell(exportTo(path));
}

// A failure, or the warnings of a file that was read all the same, a line
// each, in the interface's language.
void PresetPanel::tell(const QString &failure)
{
    if (failure.isEmpty())
        return;
    QStringList lines = failure.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = reasons::localised(line);
    QMessageBox::warning(window, tr("预设"), lines.join(QLatin1Char('\n')));
}
