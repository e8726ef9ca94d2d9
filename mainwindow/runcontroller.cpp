#include "runcontroller.h"

#include "optionform.h"
#include "composition/logo.h"
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
      cancelRequested(std::make_shared<std::atomic<bool>>(false)),
      holdRequested(std::make_shared<std::atomic<bool>>(false))
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
        showWarning(tr("请先选择要处理的图片！"));
        return;
    }
    if (outputDirectory.isEmpty()) {
        showWarning(tr("请选择输出目录！"));
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
    const QString logoMissing = logoProblem(job);
    if (!logoMissing.isEmpty()) {
        showWarning(tr("无法读取标志图片：%1").arg(logoMissing));
        return;
    }
    batch = BatchTally();
    batch.total = inputs.size();
    batch.inputs = inputs;
    batch.outputDirectory = outputDirectory;
    batchRunning = true;
    cancelRequested = std::make_shared<std::atomic<bool>>(false);
    holdRequested = std::make_shared<std::atomic<bool>>(false);
    completionWaiting = false;
    showRunControls();
    emit runStarted();
    auto *report = new RunReport(this);
    connect(report, &RunReport::progressed, this, &RunController::updateProgress);
    connect(report, &RunReport::inputFailed, this, &RunController::fileFailed);
    connect(report, &RunReport::inputSkipped, this, &RunController::fileSkipped);
    connect(report, &RunReport::inputWarned, this, &RunController::fileWarning);
    connect(report, &RunReport::inputFinished, this, &RunController::fileFinished);
    connect(report, &RunReport::finished, this, &RunController::processingFinished);
    connect(report, &RunReport::finished, report, &QObject::deleteLater);
    runningBatch = QtConcurrent::run(QThreadPool::globalInstance(),
                                     [job, report, cancel = cancelRequested, held = holdRequested] {
                                         runPausableBatch(job, report, cancel.get(), held.get());
                                     });
}

void RunController::showWarning(const QString &text)
{
    QMessageBox::warning(window, tr("警告"), text, QMessageBox::Ok, QMessageBox::NoButton);
}

// A remembered directory may have been removed since; it is made again
// rather than letting every write of the run fail.
bool RunController::ensureOutputDirectory(const QString &directory)
{
    if (QDir().mkpath(directory))
        return true;
    showWarning(tr("无法创建输出目录：%1").arg(directory));
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
    holdRequested->store(false);
    runningBatch.waitForFinished();
}

void RunController::hold()
{
    holdRequested->store(true);
}

void RunController::resume()
{
    holdRequested->store(false);
    if (completionWaiting && !closing) {
        completionWaiting = false;
        showCompletion();
    }
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
        showProgressText(QStringLiteral("%1 / %2").arg(batch.done).arg(batch.total));
    else
        showIdleProgress();
}

// A screen reader gets the bar's value only; its text goes into the
// description.
void RunController::showProgressText(const QString &text)
{
    progressBar->setFormat(text);
    progressBar->setAccessibleDescription(text);
}

void RunController::showSelectionCount(int count)
{
    selectedCount = count;
    showIdleProgress();
}

void RunController::showIdleProgress()
{
    if (!batchRunning)
        showProgressText(tr("已选择 %1 个文件").arg(selectedCount));
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
    ++batch.failures;
    record(path, EntryState::Failed, reason);
}

void RunController::fileWarning(const QString &path, const QString &message)
{
    batch.warnedPaths.insert(path);
    record(path, EntryState::Warned, message);
}

void RunController::fileSkipped(const QString &path, const QString &reason)
{
    ++batch.skipped;
    record(path, EntryState::Skipped, reason);
}

void RunController::record(const QString &path, EntryState state, const QString &reason)
{
    batch.reported[int(batch.inputs.indexOf(path))].append(ReportedInput{path, state, reason});
}

// Told after the input's failure, skip or warnings: a file with several
// warnings is reported with all of them.
void RunController::fileFinished(const QString &path)
{
    const QList<ReportedInput> said = batch.reported.value(int(batch.inputs.indexOf(path)));
    if (said.isEmpty()) {
        emit inputReported(path, EntryState::Written, {});
        return;
    }
    QStringList reasons;
    for (const ReportedInput &input : said)
        reasons.append(input.reason);
    emit inputReported(path, said.last().state, reasons);
}

// When the window is going nothing is reported; while the run is held the
// box waits for its end.
void RunController::processingFinished()
{
    batchRunning = false;
    showRunControls();
    emit runEnded();
    if (holdRequested->load())
        completionWaiting = true;
    else if (!closing)
        showCompletion();
    progressBar->setValue(0);
}

void RunController::showCompletion()
{
    const bool stopped = batch.done < batch.total;
    QList<ReportedInput> reported;
    for (const QList<ReportedInput> &inputs : std::as_const(batch.reported))
        reported += inputs;
    CompletionDialog box(stopped ? tr("已停止") : tr("完成"), completionMessage(), reported, window);
    box.exec();
    if (box.openFolderChosen())
        QDesktopServices::openUrl(QUrl::fromLocalFile(batch.outputDirectory));
}

QString RunController::completionMessage() const
{
    const int written = batch.done - batch.failures - batch.skipped;
    const bool stopped = batch.done < batch.total;
    QString message = stopped ? tr("处理已停止。共处理了 %1 张图片。").arg(written)
                              : tr("图片处理完成！共处理了 %1 张图片。").arg(written);
    QStringList notes;
    if (stopped)
        notes.append(tr("已停止：%1 张图片未处理。").arg(batch.total - batch.done));
    if (batch.failures > 0)
        notes.append(tr("%1 个文件处理失败。").arg(batch.failures));
    if (batch.skipped > 0)
        notes.append(tr("%1 个文件已跳过。").arg(batch.skipped));
    if (!batch.warnedPaths.isEmpty())
        notes.append(tr("%1 个文件有警告。").arg(batch.warnedPaths.size()));
    if (!notes.isEmpty())
        message += QStringLiteral("\n\n") + notes.join(QLatin1Char('\n'));
    return message;
}
