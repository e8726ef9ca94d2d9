#ifndef PRESETPANEL_H
#define PRESETPANEL_H

#include <QObject>
#include <QString>
#include <QStringList>

QT_BEGIN_NAMESPACE
class QComboBox;
class QMenu;
class QToolButton;
class QWidget;
QT_END_NAMESPACE

class OptionForm;

// The presets: job files in the user's data folder, listed by name on the
// basic page. Picking one shows its options in the form; the menu beside
// the list saves the form as a new preset, renames, deletes, imports a job
// file and exports the form as one. A first start finds a few presets that
// show what the program is for.
class PresetPanel : public QObject
{
    Q_OBJECT

public:
    PresetPanel(OptionForm &form, QComboBox *list, QToolButton *menuButton, QWidget *window);

    // The folder the presets are kept in.
    static QString folder();
    QStringList names() const;

    // Each returns the reason it failed, shown to the user by the menu's
    // entries, or an empty text.
    QString apply(const QString &name);
    QString saveAs(const QString &name);
    QString rename(const QString &name, const QString &newName);
    QString remove(const QString &name);
    QString importFile(const QString &path);
    QString exportTo(const QString &path);

    void retranslate();

private:
    void writeShippedPresets();
    void showMenu();
    void refill(const QString &shown);
    QString pathOf(const QString &name) const;
    QString checkedName(const QString &name) const;
    void askSaveAs();
    void askRename();
    void askRemove();
    void askImport();
    void askExport();
    void applyChosen(int index);
    void tell(const QString &failure);

    OptionForm &form;
    QComboBox *list;
    QToolButton *menuButton;
    QMenu *menu = nullptr;
    QWidget *window;
};

#endif // PRESETPANEL_H
