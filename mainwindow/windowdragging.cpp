#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QMouseEvent>

// The window has no system title bar: a left press on the header bar or the
// menu column starts a drag that keeps the cursor's offset to the window.
// Presses on their buttons are taken by the buttons and never arrive here.
bool MainWindow::isDragArea(const QPoint &windowPosition) const
{
    for (const QFrame *frame : {ui->headerFrame, ui->frameMenu}) {
        if (frame->rect().contains(frame->mapFrom(this, windowPosition)))
            return true;
    }
    return false;
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || isFullScreen() || !isDragArea(event->position().toPoint())) {
        QWidget::mousePressEvent(event);
        return;
    }
    dragging = true;
    dragStartPosition = event->globalPosition().toPoint();
    windowStartPosition = frameGeometry().topLeft();
    event->accept();
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (!dragging || !(event->buttons() & Qt::LeftButton) || isFullScreen()) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    move(event->globalPosition().toPoint() - dragStartPosition + windowStartPosition);
    event->accept();
}

void MainWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && dragging) {
        dragging = false;
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}
