#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "batch/batchworker.h"
#include "optionwidgets.h"
#include "pipeline/jobsettings.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QThreadPool>
#include <QtConcurrent>

namespace {

// The completion box lists at most this many failures by name.
constexpr int listedFailureLimit = 10;

} // namespace

void MainWindow::on_processButton_clicked()
{
    if (imagePaths.isEmpty()) {
        showWarning(QStringLiteral("请先选择要处理的图片！"));
        return;
    }
    if (outputDirectory.isEmpty()) {
        showWarning(QStringLiteral("请选择输出目录！"));
        return;
    }
    if (!ensureOutputDirectory())
        return;
    ui->processButton->setEnabled(false);
    processImages();
}

void MainWindow::showWarning(const QString &text)
{
    QMessageBox::warning(this, QStringLiteral("警告"), text, QMessageBox::Ok, QMessageBox::NoButton);
}

// A remembered directory may have been removed since; it is made again
// rather than letting every write of the run fail.
bool MainWindow::ensureOutputDirectory()
{
    if (QDir().mkpath(outputDirectory))
        return true;
    showWarning(QStringLiteral("无法创建输出目录：") + outputDirectory);
    return false;
}

// The run works on this copy alone, so whatever changes in the window while
// it runs does not reach it.
JobSettings MainWindow::captureJobSettings() const
{
    JobSettings job = optionwidgets::captureOptions(this);
    job.imagePaths = imagePaths;
    job.outputDirectory = outputDirectory;
    return job;
}

// Each run gets a cancel flag of its own, so that cancelling at close can
// never leak into a later run.
void MainWindow::processImages()
{
    const JobSettings job = captureJobSettings();
    batchPaths = job.imagePaths;
    failures.clear();
    cancelRequested = std::make_shared<std::atomic<bool>>(false);
    runningBatch = QtConcurrent::run(QThreadPool::globalInstance(),
                                     [job, receiver = this, cancel = cancelRequested] {
                                         runBatch(job, receiver, cancel.get());
                                     });
}

// The run stops before its next input; the file being written is finished,
// so the window can go without leaving a partial file or a run that still
// posts to it.
void MainWindow::cancelRunningBatch()
{
    cancelRequested->store(true);
    runningBatch.waitForFinished();
}

void MainWindow::updateProgress(int value)
{
    ui->progressBar->setValue(value);
}

void MainWindow::fileFailed(const QString &path, const QString &reason)
{
    failures.insert(batchPaths.indexOf(path), QFileInfo(path).fileName() + QStringLiteral(" — ") + reason);
}

// After a cancellation the window is closing: nothing is reported then.
void MainWindow::processingFinished()
{
    ui->processButton->setEnabled(true);
    if (!cancelRequested->load()) {
        QMessageBox::information(this, QStringLiteral("完成"), completionMessage(), QMessageBox::Ok,
                                 QMessageBox::NoButton);
    }
    ui->progressBar->setValue(0);
}

QString MainWindow::completionMessage() const
{
    QString message = QStringLiteral("图片处理完成！共处理了 %1 张图片。").arg(batchPaths.size() - failures.size());
    if (failures.isEmpty())
        return message;
    message += QStringLiteral("\n\n%1 个文件处理失败：").arg(failures.size());
    for (const QString &failure : failures.values().mid(0, listedFailureLimit))
        message += QLatin1Char('\n') + failure;
    if (failures.size() > listedFailureLimit)
        message += QStringLiteral("\n……");
    return message;
}
