#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "imagelistpanel.h"
#include "languageswitcher.h"
#include "optionform.h"
#include "runcontroller.h"

#include <QFile>
#include <QMessageBox>
#include <QSettings>

// Returns the program to a first start after one confirmation: both stores
// emptied, selection and output directory forgotten, every option and the
// language back to the initial ones. The colours and the page shown stay.
// A run still going keeps its own copy of everything and finishes.
void MainWindow::resetApplication()
{
    const QMessageBox::StandardButton answer = QMessageBox::question(
        this, tr("确认重置"), tr("确定要将应用程序重置为初始状态吗？所有设置都将被清除。"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
    if (answer != QMessageBox::Yes)
        return;
    settings->clear();
    settings->sync();
    QFile::remove(lastOptionsPath());
    outputDirectory.clear();
    ui->outputPathLabel->clear();
    imageList->clearImages();
    run->clearProgress();
    options->reset();
    languages->reset();
    QMessageBox::information(this, tr("重置完成"), tr("应用程序已重置为初始状态。"), QMessageBox::Ok,
                             QMessageBox::NoButton);
}
