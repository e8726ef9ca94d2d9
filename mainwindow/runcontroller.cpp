#include "runcontroller.h"

#include "optionform.h"
#include "run/batchworker.h"
#include "run/outputnaming.h"
#include "run/runreport.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QThreadPool>
#include <QUrl>
#include <QtConcurrent>

RunController::RunController(const OptionForm &form, QPushButton *startButton, QProgressBar *progressBar,
                             QWidget *window)
    : QObject(window),
      form(form),
      startButton(startButton),
      progressBar(progressBar),
      window(window),
      cancelRequested(std::make_shared<std::atomic<bool>>(false))
{
    progressBar->setValue(0);
    showRunControls();
}

RunController::~RunController()
{
    leave();
}

// Each run gets a cancel flag of its own, so that stopping one can never
// leak into a later run.
void RunController::start(const QStringList &inputs, const QStringList &roots, const QString &outputDirectory)
{
    if (batchRunning)
        return;
    if (inputs.isEmpty()) {
        showWarning(QStringLiteral("请先选择要处理的图片！"));
        return;
    }
    if (outputDirectory.isEmpty()) {
        showWarning(QStringLiteral("请选择输出目录！"));
        return;
    }
    if (!ensureOutputDirectory(outputDirectory))
        return;
    JobSettings job = form.capture(inputs, outputDirectory);
    job.imageRoots = roots;
    const QString namingProblem = NameTemplate(job).problem();
    if (!namingProblem.isEmpty()) {
        showWarning(tr("名称模板无效：%1").arg(namingProblem));
        return;
    }
    batch = BatchTally();
    batch.total = inputs.size();
    batch.inputs = inputs;
    batch.outputDirectory = outputDirectory;
    batchRunning = true;
    cancelRequested = std::make_shared<std::atomic<bool>>(false);
    showRunControls();
    auto *report = new RunReport(this);
    connect(report, &RunReport::progressed, this, &RunController::updateProgress);
    connect(report, &RunReport::inputFailed, this, &RunController::fileFailed);
    connect(report, &RunReport::inputSkipped, this, &RunController::fileSkipped);
    connect(report, &RunReport::inputWarned, this, &RunController::fileWarning);
    connect(report, &RunReport::finished, this, &RunController::processingFinished);
    connect(report, &RunReport::finished, report, &QObject::deleteLater);
    runningBatch = QtConcurrent::run(QThreadPool::globalInstance(), [job, report, cancel = cancelRequested] {
        runBatch(job, report, cancel.get());
    });
}

void RunController::showWarning(const QString &text)
{
    QMessageBox::warning(window, QStringLiteral("警告"), text, QMessageBox::Ok, QMessageBox::NoButton);
}

// A remembered directory may have been removed since; it is made again
// rather than letting every write of the run fail.
bool RunController::ensureOutputDirectory(const QString &directory)
{
    if (QDir().mkpath(directory))
        return true;
    showWarning(QStringLiteral("无法创建输出目录：") + directory);
    return false;
}

// The button stays disabled until the run has ended.
void RunController::stop()
{
    if (!batchRunning)
        return;
    cancelRequested->store(true);
    showRunControls();
}

void RunController::leave()
{
    closing = true;
    cancelRequested->store(true);
    runningBatch.waitForFinished();
}

void RunController::clearProgress()
{
    progressBar->setValue(0);
}

void RunController::retranslate()
{
    showRunControls();
}

// The start button, its tool tip and the progress bar's text follow the
// run state.
void RunController::showRunControls()
{
    const bool stopping = batchRunning && cancelRequested->load();
    startButton->setText(batchRunning ? tr("停止处理") : tr("开始处理"));
    startButton->setEnabled(!stopping);
    startButton->setToolTip(batchRunning ? tr("停止处理 (Esc)") : tr("开始处理 (Ctrl+Enter)"));
    if (batchRunning)
        progressBar->setFormat(QStringLiteral("%1 / %2").arg(batch.done).arg(batch.total));
    else
        showIdleProgress();
}

void RunController::showSelectionCount(int count)
{
    selectedCount = count;
    showIdleProgress();
}

void RunController::showIdleProgress()
{
    if (!batchRunning)
        progressBar->setFormat(tr("已选择 %1 个文件").arg(selectedCount));
}

// Every input the run has finished with, written or not, posts one value.
void RunController::updateProgress(int value)
{
    ++batch.done;
    progressBar->setValue(value);
    showRunControls();
}

void RunController::fileFailed(const QString &path, const QString &reason)
{
    batch.failures.insert(int(batch.inputs.indexOf(path)), QFileInfo(path).fileName() + QStringLiteral(" — ") + reason);
}

void RunController::fileWarning(const QString &path, const QString &message)
{
    batch.warnings.insert(int(batch.inputs.indexOf(path)), QFileInfo(path).fileName() + QStringLiteral(" — ") + message);
    batch.warnedPaths.insert(path);
}

void RunController::fileSkipped(const QString &path, const QString &reason)
{
    batch.skipped.insert(int(batch.inputs.indexOf(path)), QFileInfo(path).fileName() + QStringLiteral(" — ") + reason);
}

// When the window is going nothing is reported.
void RunController::processingFinished()
{
    batchRunning = false;
    showRunControls();
    if (!closing)
        showCompletion();
    progressBar->setValue(0);
}

// The first line is the same in every language; what follows it is not.
void RunController::showCompletion()
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("完成"), completionMessage(), QMessageBox::Ok,
                    window);
    box.setDefaultButton(QMessageBox::Ok);
    QPushButton *openFolder = box.addButton(tr("打开输出文件夹"), QMessageBox::ActionRole);
    box.setDetailedText(completionDetails());
    box.exec();
    if (box.clickedButton() == openFolder)
        QDesktopServices::openUrl(QUrl::fromLocalFile(batch.outputDirectory));
}

QString RunController::completionMessage() const
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
QString RunController::completionDetails() const
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
