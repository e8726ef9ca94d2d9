#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "batch/batchworker.h"
#include "imagelistpanel.h"
#include "optionform.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QThreadPool>
#include <QUrl>
#include <QtConcurrent>

// While a run goes on the same button stops it.
void MainWindow::on_processButton_clicked()
{
    if (batchRunning) {
        stopRun();
        return;
    }
    if (imageList->paths().isEmpty()) {
        showWarning(QStringLiteral("请先选择要处理的图片！"));
        return;
    }
    if (outputDirectory.isEmpty()) {
        showWarning(QStringLiteral("请选择输出目录！"));
        return;
    }
    if (!ensureOutputDirectory())
        return;
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

// Each run gets a cancel flag of its own, so that stopping one can never
// leak into a later run.
void MainWindow::processImages()
{
    const JobSettings job = options->capture(imageList->paths(), outputDirectory);
    batch = BatchTally();
    batch.total = job.imagePaths.size();
    batch.inputs = job.imagePaths;
    batch.outputDirectory = job.outputDirectory;
    batchRunning = true;
    cancelRequested = std::make_shared<std::atomic<bool>>(false);
    showRunControls();
    runningBatch = QtConcurrent::run(QThreadPool::globalInstance(),
                                     [job, receiver = this, cancel = cancelRequested] {
                                         runBatch(job, receiver, cancel.get());
                                     });
}

// No new input starts once the flag is set; those in flight finish whole.
// The button stays disabled until the run has ended.
void MainWindow::stopRun()
{
    if (!batchRunning)
        return;
    cancelRequested->store(true);
    showRunControls();
}

// The window is going: the run is stopped and waited for, so that nothing
// is left half-written and nothing posts to a window that is gone.
void MainWindow::cancelRunningBatch()
{
    closing = true;
    cancelRequested->store(true);
    runningBatch.waitForFinished();
}

// The start button, its shortcut and the progress bar's text follow the
// run state; called again after a language switch re-texts the form.
void MainWindow::showRunControls()
{
    const bool stopping = batchRunning && cancelRequested->load();
    ui->processButton->setText(batchRunning ? tr("停止处理") : tr("开始处理"));
    ui->processButton->setEnabled(!stopping);
    ui->processButton->setToolTip(batchRunning ? tr("停止处理 (Esc)") : tr("开始处理 (Ctrl+Enter)"));
    if (batchRunning)
        ui->progressBar->setFormat(QStringLiteral("%1 / %2").arg(batch.done).arg(batch.total));
    else
        showIdleProgress();
}

void MainWindow::showIdleProgress()
{
    if (!batchRunning)
        ui->progressBar->setFormat(tr("已选择 %1 个文件").arg(imageList->paths().size()));
}

// Every input the run has finished with, written or not, posts one value.
void MainWindow::updateProgress(int value)
{
    ++batch.done;
    ui->progressBar->setValue(value);
    showRunControls();
}

void MainWindow::fileFailed(const QString &path, const QString &reason)
{
    batch.failures.insert(int(batch.inputs.indexOf(path)), QFileInfo(path).fileName() + QStringLiteral(" — ") + reason);
}

void MainWindow::fileWarning(const QString &path, const QString &message)
{
    batch.warnings.insert(int(batch.inputs.indexOf(path)), QFileInfo(path).fileName() + QStringLiteral(" — ") + message);
    batch.warnedPaths.insert(path);
}

void MainWindow::fileSkipped(const QString &path, const QString &reason)
{
    batch.skipped.insert(int(batch.inputs.indexOf(path)), QFileInfo(path).fileName() + QStringLiteral(" — ") + reason);
}

// When the window is closing nothing is reported.
void MainWindow::processingFinished()
{
    batchRunning = false;
    showRunControls();
    if (!closing)
        showCompletion();
    ui->progressBar->setValue(0);
}

// The first line is the same in every language; what follows it is not.
void MainWindow::showCompletion()
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("完成"), completionMessage(), QMessageBox::Ok,
                    this);
    box.setDefaultButton(QMessageBox::Ok);
    QPushButton *openFolder = box.addButton(tr("打开输出文件夹"), QMessageBox::ActionRole);
    box.setDetailedText(completionDetails());
    box.exec();
    if (box.clickedButton() == openFolder)
        QDesktopServices::openUrl(QUrl::fromLocalFile(batch.outputDirectory));
}

QString MainWindow::completionMessage() const
{
    const int written = batch.done - batch.failures.size() - batch.skipped.size();
    QString message = QStringLiteral("图片处理完成！共处理了 %1 张图片。").arg(written);
    QStringList notes;
    if (batch.done < batch.total)
        notes.append(tr("已停止：%1 张图片未处理。").arg(batch.total - batch.done));
    if (!batch.failures.isEmpty())
        notes.append(tr("%1 个文件处理失败。").arg(batch.failures.size()));
    if (!batch.skipped.isEmpty())
        notes.append(tr("%1 个文件已跳过。").arg(batch.skipped.size()));
    if (!batch.warnedPaths.isEmpty())
        notes.append(tr("%1 个文件有警告。").arg(batch.warnedPaths.size()));
    if (!notes.isEmpty())
        message += QStringLiteral("\n\n") + notes.join(QLatin1Char('\n'));
    return message;
}

// Every failure, skip and warning with its reason, none left out.
QString MainWindow::completionDetails() const
{
    QStringList sections;
    auto addSection = [&sections](const QString &heading, const QStringList &lines) {
        if (!lines.isEmpty())
            sections.append(heading + QLatin1Char('\n') + lines.join(QLatin1Char('\n')));
    };
    addSection(tr("处理失败："), batch.failures.values());
    addSection(tr("已跳过："), batch.skipped.values());
    addSection(tr("警告："), batch.warnings.values());
    return sections.join(QStringLiteral("\n\n"));
}
