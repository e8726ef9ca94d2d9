#ifndef COMPLETIONDIALOG_H
#define COMPLETIONDIALOG_H

#include "entrystate.h"

#include <QDialog>
#include <QList>
#include <QString>

QT_BEGIN_NAMESPACE
class QTableWidget;
QT_END_NAMESPACE

// An input the run did not simply write: failed, skipped or warned, with
// the reason.
struct ReportedInput
{
    QString path;
    EntryState state;
    QString reason;
};

// The report of a run that has ended: a summary, and the inputs that
// failed, were skipped or carry warnings in a table (file, what happened,
// reason) that can be copied or saved as text. It can be resized; its
// buttons are laid out, never cut.
class CompletionDialog : public QDialog
{
    Q_OBJECT

public:
    CompletionDialog(const QString &title, const QString &summary, const QList<ReportedInput> &reported,
                     QWidget *parent);

    // Whether the user asked for the output folder to be opened.
    bool openFolderChosen() const { return openFolder; }

    // The table as tab-separated lines, the heading first, whole paths.
    QString reportText() const;

    static QString happened(EntryState state);

private:
    void copyReport() const;
    void saveReport();

    QList<ReportedInput> reported;
    QTableWidget *table;
    bool openFolder = false;
};

#endif // COMPLETIONDIALOG_H
