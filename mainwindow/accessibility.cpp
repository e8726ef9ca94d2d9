#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "runcontroller.h"

#include <QAction>

namespace {

// A button that shows only an icon is named, and explained in its tool
// tip, by the same text.
void nameIconButton(QAbstractButton *button, const QString &name)
{
    button->setAccessibleName(name);
    button->setToolTip(name);
}

QAction *windowAction(QWidget *window, const QList<QKeySequence> &shortcuts)
{
    auto *action = new QAction(window);
    action->setShortcuts(shortcuts);
    window->addAction(action);
    return action;
}

} // namespace

// The keyboard's ways in; each field is announced by its own label (its
// buddy in the form) rather than its group's title.
void MainWindow::setUpAccessibility()
{
    // The logo does nothing when pressed: the keyboard passes it by.
    ui->logoButton->setFocusPolicy(Qt::NoFocus);
    for (QAbstractButton *button : {static_cast<QAbstractButton *>(ui->menuButton),
                                    static_cast<QAbstractButton *>(ui->minButton),
                                    static_cast<QAbstractButton *>(ui->closeButton)})
        button->setFocusPolicy(Qt::StrongFocus);
    ui->basicSettingsButton->setFocusPolicy(Qt::StrongFocus);
    ui->advancedSettingsButton->setFocusPolicy(Qt::StrongFocus);
    connect(windowAction(this, {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}),
            &QAction::triggered, this, &MainWindow::startRun);
    connect(windowAction(this, {QKeySequence(Qt::Key_Escape)}), &QAction::triggered, run, &RunController::stop);
    connect(windowAction(this, {QKeySequence::HelpContents}), &QAction::triggered, this, &MainWindow::showHelp);
    connect(windowAction(this, {QKeySequence(Qt::CTRL | Qt::Key_P)}), &QAction::triggered, this, &MainWindow::showPreview);
    // The window has no frame of the system's, so no Alt+F4 of its own.
    connect(windowAction(this, {QKeySequence(Qt::CTRL | Qt::Key_Q)}), &QAction::triggered, this, &MainWindow::confirmQuit);
    retranslateAccessibility();
}

void MainWindow::retranslateAccessibility()
{
    nameIconButton(ui->logoButton, tr("Vellumo"));
    nameIconButton(ui->basicSettingsButton, tr("基本设置"));
    nameIconButton(ui->advancedSettingsButton, tr("高级设置"));
    nameIconButton(ui->menuButton, tr("菜单"));
    nameIconButton(ui->minButton, tr("最小化"));
    nameIconButton(ui->closeButton, tr("关闭"));
    ui->watermarkColorButton->setAccessibleName(tr("水印颜色"));
    ui->borderColorButton->setAccessibleName(tr("边框颜色"));
    ui->selectImagesButton->setToolTip(tr("添加图片 (Ctrl+O)"));
    ui->selectFolderButton->setToolTip(tr("添加文件夹 (Ctrl+Shift+O)"));
}
