#ifndef PREVIEWWINDOW_H
#define PREVIEWWINDOW_H

#include "job/jobsettings.h"

#include <QImage>
#include <QThreadPool>
#include <QWidget>

#include <atomic>
#include <memory>

QT_BEGIN_NAMESPACE
class QCheckBox;
class QComboBox;
class QLabel;
class QScrollArea;
QT_END_NAMESPACE

class OptionForm;
struct PreviewSource;

// The input before and after the chain, side by side or split by a divider
// that the mouse or the arrow keys move; fitted to the window, or at 100 %,
// where the result is shown at its own pixels.
class PreviewCanvas : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewCanvas(QWidget *parent = nullptr);

    // before and after at their own sizes, and the smaller copies a fitted
    // view draws (the same pictures when they are small already).
    void setPictures(const QImage &before, const QImage &beforeFitted, const QImage &after,
                     const QImage &afterFitted, const QSize &outputSize);
    void setSplit(bool split);
    void setActualSize(bool actual);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Where the split view draws the output, and the divider's place in it.
    QRect splitTarget() const;
    void moveDivider(double position);
    void moveDividerTo(int x);

    QImage before, beforeFitted, after, afterFitted;
    QSize outputSize;
    bool split = false;
    bool actualSize = false;
    double divider = 0.5;
};

// A window of its own beside the main one, which stays usable: it follows
// the form's options as they change and renders in the background, first
// an approximation at screen scale, then the exact result and the size of
// its encoded file. A render that a later change made stale is dropped.
class PreviewWindow : public QWidget
{
    Q_OBJECT

public:
    // The longer side of the copy a first approximation is rendered from:
    // about a screen, where the whole chain takes a few tens of milliseconds.
    static constexpr int screenSide = 1024;

    explicit PreviewWindow(const OptionForm &form, QWidget *parent = nullptr);
    ~PreviewWindow() override;

    // Reads path in the background and renders it with the form's options.
    void showInput(const QString &path);
    void render();
    void retranslate();

    // The result on show and whether it is the exact one.
    const QImage &result() const { return shownResult; }
    bool resultIsExact() const { return shownExact; }
    QString statusText() const;

signals:
    void resultShown();

protected:
    void changeEvent(QEvent *event) override;

private:
    struct Frame
    {
        QImage after;
        QImage afterFitted;
        bool exact = false;
        QString failure;
    };
    void showSource(int generation, const std::shared_ptr<const PreviewSource> &loaded);
    void showFrame(int generation, const Frame &frame);
    void showEncodedSize(int generation, qint64 bytes);
    void showStatus();

    const OptionForm &form;
    PreviewCanvas *canvas;
    QScrollArea *scrollArea;
    QComboBox *layoutChoice;
    QCheckBox *actualSizeBox;
    QLabel *status;
    QThreadPool pool;
    std::shared_ptr<std::atomic<int>> latest;
    std::shared_ptr<const PreviewSource> source;
    JobSettings renderedSettings;
    QImage shownResult;
    bool shownExact = false;
    QString failure;
    qint64 encodedBytes = -1;
};

#endif // PREVIEWWINDOW_H
