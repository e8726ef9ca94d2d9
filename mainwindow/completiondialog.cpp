#include "completiondialog.h"

#include "run/reasons.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QStringList headings()
{
    return {CompletionDialog::tr("文件"), CompletionDialog::tr("结果"), CompletionDialog::tr("原因")};
}

QTableWidget *makeTable(const QList<ReportedInput> &reported, QWidget *parent)
{
    auto *table = new QTableWidget(int(reported.size()), 3, parent);
    table->setObjectName(QStringLiteral("completionTable"));
    table->setHorizontalHeaderLabels(headings());
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setWordWrap(false);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setAccessibleName(CompletionDialog::tr("未正常写入的文件"));
    for (int row = 0; row < reported.size(); ++row) {
        const ReportedInput &input = reported.at(row);
        auto *file = new QTableWidgetItem(QFileInfo(input.path).fileName());
        file->setToolTip(QDir::toNativeSeparators(input.path));
        const QString why = reasons::localised(input.reason);
        auto *reason = new QTableWidgetItem(why);
        reason->setToolTip(why);
        table->setItem(row, 0, file);
        table->setItem(row, 1, new QTableWidgetItem(CompletionDialog::happened(input.state)));
        table->setItem(row, 2, reason);
    }
    table->resizeColumnToContents(0);
    table->resizeColumnToContents(1);
    table->setColumnWidth(0, qMin(table->columnWidth(0), 260));
    return table;
}

} // namespace

CompletionDialog::CompletionDialog(const QString &title, const QString &summary,
                                   const QList<ReportedInput> &reported, QWidget *parent)
    : QDialog(parent), reported(reported), table(nullptr)
{
    setObjectName(QStringLiteral("completionDialog"));
    setWindowTitle(title);
    setSizeGripEnabled(true);
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QHBoxLayout;
    auto *icon = new QLabel(this);
    const QStyle::StandardPixmap kind = reported.isEmpty() ? QStyle::SP_MessageBoxInformation
                                                           : QStyle::SP_MessageBoxWarning;
    icon->setPixmap(style()->standardIcon(kind).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    auto *text = new QLabel(summary, this);
    text->setObjectName(QStringLiteral("completionSummary"));
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    heading->addWidget(icon);
    heading->addWidget(text, 1);
    layout->addLayout(heading);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    if (!reported.isEmpty()) {
        table = makeTable(reported, this);
        layout->addWidget(table, 1);
        QPushButton *copy = buttons->addButton(tr("复制"), QDialogButtonBox::ActionRole);
        copy->setObjectName(QStringLiteral("copyReportButton"));
        QPushButton *save = buttons->addButton(tr("保存…"), QDialogButtonBox::ActionRole);
        save->setObjectName(QStringLiteral("saveReportButton"));
        connect(copy, &QPushButton::clicked, this, &CompletionDialog::copyReport);
        connect(save, &QPushButton::clicked, this, &CompletionDialog::saveReport);
        resize(760, 420);
    } else {
        layout->addStretch(1);
    }
    QPushButton *open = buttons->addButton(tr("打开输出文件夹"), QDialogButtonBox::ActionRole);
    open->setObjectName(QStringLiteral("openOutputButton"));
    connect(open, &QPushButton::clicked, this, [this] {
        openFolder = true;
        accept();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    layout->addWidget(buttons);
}

QString CompletionDialog::happened(EntryState state)
{
    switch (state) {
    case EntryState::Failed:
    case EntryState::Unreadable:
        return tr("失败");
    case EntryState::Skipped:
        return tr("跳过");
    case EntryState::Warned:
        return tr("警告");
    case EntryState::Listed:
    case EntryState::Damaged:
    case EntryState::Written:
        break;
    }
    return tr("已写入");
}

QString CompletionDialog::reportText() const
{
    QStringList lines{headings().join(QLatin1Char('\t'))};
    for (const ReportedInput &input : reported)
        lines.append(QStringList{QDir::toNativeSeparators(input.path), happened(input.state), reasons::localised(input.reason)}
                             .join(QLatin1Char('\t')));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void CompletionDialog::copyReport() const
{
    QApplication::clipboard()->setText(reportText());
}

// Written whole or not at all.
void CompletionDialog::saveReport()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("保存报告"), QString(), tr("文本文件 (*.txt)"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(reportText().toUtf8()) >= 0 && file.commit())
        return;
    QMessageBox::warning(this, tr("警告"), tr("无法保存报告：%1（%2）").arg(path, file.errorString()));
}
