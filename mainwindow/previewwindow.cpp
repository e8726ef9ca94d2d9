#include "previewwindow.h"

#include "optionform.h"
#include "run/options.h"
#include "run/preview.h"
#include "run/reasons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>


namespace {

constexpr int gap = 8;

QImage fitted(const QImage &picture)
{
    const int side = PreviewWindow::screenSide;
    if (qMax(picture.width(), picture.height()) <= side)
        return picture;
    return picture.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

// picture's size scaled to fit within box, kept in proportion.
QRect fittedRect(const QSize &picture, const QRect &box)
{
    const QSize size = picture.scaled(box.size(), Qt::KeepAspectRatio);
    return QRect(box.x() + (box.width() - size.width()) / 2, box.y() + (box.height() - size.height()) / 2,
                 size.width(), size.height());
}

} // namespace

PreviewCanvas::PreviewCanvas(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 240);
}

void PreviewCanvas::setPictures(const QImage &beforePicture, const QImage &beforeSmall, const QImage &afterPicture,
                                const QImage &afterSmall, const QSize &size)
{
    before = beforePicture;
    beforeFitted = beforeSmall;
    after = afterPicture;
    afterFitted = afterSmall;
    outputSize = size;
    updateGeometry();
    adjustSize();
    update();
}

void PreviewCanvas::setSplit(bool splitView)
{
    split = splitView;
    updateGeometry();
    adjustSize();
    update();
}

void PreviewCanvas::setActualSize(bool actual)
{
    actualSize = actual;
    updateGeometry();
    adjustSize();
    update();
}

// At 100 % the canvas is as large as what it shows at its own pixels; the
// scroll area around it scrolls.
QSize PreviewCanvas::sizeHint() const
{
    if (!actualSize || outputSize.isEmpty())
        return QSize(640, 480);
    if (split)
        return outputSize;
    return QSize(before.width() + gap + outputSize.width(), qMax(before.height(), outputSize.height()));
}

// The result is drawn in the output's size at 100 %, so an approximation
// waiting for the exact result takes the place the result will take; split,
// the input is drawn in the same place, to compare point for point.
void PreviewCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (after.isNull() && before.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !actualSize);
    const QImage &shownBefore = actualSize ? before : beforeFitted;
    const QImage &shownAfter = actualSize ? after : afterFitted;
    const QSize afterSize = outputSize.isEmpty() ? shownBefore.size() : outputSize;
    if (split) {
        const QRect target = splitTarget();
        painter.drawImage(target, shownAfter.isNull() ? shownBefore : shownAfter);
        const int x = target.left() + int(divider * target.width());
        painter.setClipRect(QRect(target.left(), target.top(), x - target.left(), target.height()));
        painter.drawImage(target, shownBefore);
        painter.setClipping(false);
        painter.setPen(QPen(palette().highlight(), 2));
        painter.drawLine(x, target.top(), x, target.bottom());
        return;
    }
    if (actualSize) {
        painter.drawImage(0, 0, before);
        if (!after.isNull())
            painter.drawImage(QRect(QPoint(before.width() + gap, 0), afterSize), after);
        return;
    }
    const int half = (width() - gap) / 2;
    painter.drawImage(fittedRect(before.size(), QRect(0, 0, half, height())), beforeFitted);
    if (!after.isNull())
        painter.drawImage(fittedRect(afterSize, QRect(half + gap, 0, half, height())), afterFitted);
}

QRect PreviewCanvas::splitTarget() const
{
    const QSize afterSize = !outputSize.isEmpty() ? outputSize : actualSize ? before.size() : beforeFitted.size();
    return actualSize ? QRect(QPoint(0, 0), afterSize) : fittedRect(afterSize, rect());
}

void PreviewCanvas::mousePressEvent(QMouseEvent *event)
{
    if (split)
        moveDividerTo(event->position().toPoint().x());
}

void PreviewCanvas::mouseMoveEvent(QMouseEvent *event)
{
    if (split && (event->buttons() & Qt::LeftButton))
        moveDividerTo(event->position().toPoint().x());
}

// The divider goes where the mouse is over the picture, which a fitted view
// centres in the canvas.
void PreviewCanvas::moveDividerTo(int x)
{
    const QRect target = splitTarget();
    if (target.width() > 0)
        moveDivider(double(x - target.left()) / target.width());
}

void PreviewCanvas::keyPressEvent(QKeyEvent *event)
{
    if (split && event->key() == Qt::Key_Left)
        moveDivider(divider - 0.05);
    else if (split && event->key() == Qt::Key_Right)
        moveDivider(divider + 0.05);
    else
        QWidget::keyPressEvent(event);
}

void PreviewCanvas::moveDivider(double position)
{
    divider = qBound(0.0, position, 1.0);
    update();
}

PreviewWindow::PreviewWindow(const OptionForm &form, QWidget *parent)
    : QWidget(parent, Qt::Window),
      form(form),
      canvas(new PreviewCanvas),
      scrollArea(new QScrollArea),
      layoutChoice(new QComboBox),
      actualSizeBox(new QCheckBox),
      status(new QLabel),
      latest(std::make_shared<std::atomic<int>>(0))
{
    pool.setMaxThreadCount(2);
    scrollArea->setWidget(canvas);
    scrollArea->setWidgetResizable(true);
    scrollArea->setAlignment(Qt::AlignCenter);
    status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *controls = new QHBoxLayout;
    controls->addWidget(layoutChoice);
    controls->addWidget(actualSizeBox);
    controls->addWidget(status, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(scrollArea, 1);
    connect(layoutChoice, &QComboBox::currentIndexChanged, canvas, [this](int index) { canvas->setSplit(index == 1); });
    connect(actualSizeBox, &QCheckBox::toggled, this, [this](bool actual) {
        scrollArea->setWidgetResizable(!actual);
        canvas->setActualSize(actual);
    });
    resize(900, 600);
    retranslate();
}

// Nothing started here outlives the window: later results are dropped and
// the renders still going are waited for.
PreviewWindow::~PreviewWindow()
{
    ++*latest;
    pool.waitForDone();
}

void PreviewWindow::retranslate()
{
    const int shown = qMax(0, layoutChoice->currentIndex());
    layoutChoice->clear();
    layoutChoice->addItems({tr("并排对比"), tr("分割对比")});
    layoutChoice->setCurrentIndex(shown);
    actualSizeBox->setText(tr("实际大小 (100 %)"));
    showStatus();
}

void PreviewWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void PreviewWindow::showInput(const QString &path)
{
    setWindowTitle(tr("预览 — %1").arg(QFileInfo(path).fileName()));
    const int generation = ++*latest;
    source.reset();
    shownResult = QImage();
    failure.clear();
    canvas->setPictures({}, {}, {}, {}, {});
    showStatus();
    pool.start([this, path, generation, latest = latest] {
        auto loaded = std::make_shared<const PreviewSource>(loadPreviewSource(path, screenSide));
        if (*latest == generation)
            QMetaObject::invokeMethod(this, [=] { showSource(generation, loaded); }, Qt::QueuedConnection);
    });
}

void PreviewWindow::showSource(int generation, const std::shared_ptr<const PreviewSource> &loaded)
{
    if (generation != *latest)
        return;
    source = loaded;
    if (source->outcome.failed()) {
        failure = source->outcome.reason;
        showStatus();
        emit resultShown();
        return;
    }
    canvas->setPictures(source->full, source->screen, {}, {}, {});
    render();
}

// Each stage checks that no later change came before it starts, and its
// result is shown only when none came before it ends.
void PreviewWindow::render()
{
    if (!source || source->outcome.failed())
        return;
    const int generation = ++*latest;
    const JobSettings settings = form.capture({}, QString());
    auto post = [this, generation](const Frame &frame) {
        QMetaObject::invokeMethod(this, [=] { showFrame(generation, frame); }, Qt::QueuedConnection);
    };
    pool.start([this, settings, generation, post, latest = latest, input = source] {
        auto stale = [&] { return *latest != generation; };
        InputOutcome outcome;
        if (stale())
            return;
        if (input->factor < 1.0) {
            const QImage quick = renderApproximation(*input, settings, outcome);
            if (stale())
                return;
            post({quick, quick, false, outcome.reason});
            if (outcome.failed())
                return;
        }
        const QImage exact = renderExact(*input, settings, outcome);
        if (stale())
            return;
        post({exact, fitted(exact), true, outcome.reason});
        if (outcome.failed())
            return;
        const qint64 bytes = encodedSize(exact, input->path, settings);
        if (!stale())
            QMetaObject::invokeMethod(this, [=] { showEncodedSize(generation, bytes); }, Qt::QueuedConnection);
    });
    renderedSettings = settings;
    encodedBytes = -1;
}

void PreviewWindow::showFrame(int generation, const Frame &frame)
{
    if (generation != *latest)
        return;
    failure = frame.failure;
    shownResult = frame.after;
    shownExact = frame.exact;
    const QSize outputSize = frame.exact ? frame.after.size() : QSize();
    canvas->setPictures(source->full, source->screen, frame.after, frame.afterFitted,
                        frame.exact || frame.after.isNull() ? outputSize : frame.after.size() / source->factor);
    showStatus();
    emit resultShown();
}

void PreviewWindow::showEncodedSize(int generation, qint64 bytes)
{
    if (generation != *latest)
        return;
    encodedBytes = bytes;
    showStatus();
}

QString PreviewWindow::statusText() const
{
    return status->text();
}

void PreviewWindow::showStatus()
{
    if (!failure.isEmpty()) {
        status->setText(tr("无法处理：%1").arg(reasons::localised(failure)));
        return;
    }
    if (shownResult.isNull()) {
        status->setText(source ? tr("正在渲染…") : tr("正在读取…"));
        return;
    }
    if (!shownExact) {
        status->setText(tr("正在计算准确结果…"));
        return;
    }
    const QString size = tr("输出 %1 × %2 像素").arg(shownResult.width()).arg(shownResult.height());
    const QString format = renderedSettings.value(option::format);
    const QString file = encodedBytes < 0 ? tr("正在编码…")
                                          : tr("%1 文件 %2（质量 %3）")
                                                    .arg(format, QLocale().formattedDataSize(encodedBytes))
                                                    .arg(renderedSettings.value(option::quality));
    status->setText(size + QStringLiteral(" · ") + file);
}
