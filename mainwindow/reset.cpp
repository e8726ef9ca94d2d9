#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "imagelistpanel.h"
#include "optionform.h"
#include "runcontroller.h"

#include <QMessageBox>
#include <QSettings>

namespace {

bool confirmReset(QWidget *parent)
{
    const QMessageBox::StandardButton answer = QMessageBox::question(
        parent, MainWindow::tr("确认重置"),
        MainWindow::tr("确定要将应用程序重置为初始状态吗？所有设置都将被清除。"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
    return answer == QMessageBox::Yes;
}

void clearStores()
{
    QSettings settingsStore(QStringLiteral("Orvantis"), QStringLiteral("Vellumo"));
    settingsStore.clear();
    settingsStore.sync();
    QSettings(QStringLiteral("Vellumo"), QStringLiteral("Vellumo")).remove(QStringLiteral("language"));
}

} // namespace

// Returns the program to a first start after one confirmation: both stores
// emptied, selection and output directory forgotten, every option and the
// language back to the initial ones. The colours and the page shown stay.
// A run still going keeps its own copy of everything and finishes.
void MainWindow::resetApplication()
{
    if (!confirmReset(this))
        return;
    clearStores();
    outputDirectory.clear();
    imageList->clearImages();
    ui->outputPathLabel->clear();
    run->clearProgress();
    options->reset();
    switchLanguage(QStringLiteral("zh_CN"));
    QMessageBox::information(this, tr("重置完成"), tr("应用程序已重置为初始状态。"), QMessageBox::Ok,
                             QMessageBox::NoButton);
}
