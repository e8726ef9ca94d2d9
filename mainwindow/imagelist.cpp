#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "thumbnailloader.h"

#include <QFileDialog>
#include <QFileInfo>

// Every selection replaces the previous one. The entries appear at once, in
// the dialog's order, with their names; the icons follow as the loader
// finishes them, so a large selection never blocks the window.
void MainWindow::on_selectImagesButton_clicked()
{
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, QStringLiteral("选择图片文件"), QString(),
        QStringLiteral("图片文件 (*.png *.jpg *.jpeg *.bmp *.tiff *.webp *.tif)"));
    if (paths.isEmpty())
        return;
    imagePaths = paths;
    ui->imagesList->clear();
    ui->imagesList->setViewMode(QListView::IconMode);
    ui->imagesList->setIconSize(QSize(ThumbnailLoader::thumbnailExtent, ThumbnailLoader::thumbnailExtent));
    ui->imagesList->setResizeMode(QListView::Adjust);
    for (const QString &path : paths)
        ui->imagesList->addItem(QFileInfo(path).fileName());
    thumbnailLoader->load(paths);
}

void MainWindow::on_selectOutputButton_clicked()
{
    const QString directory = QFileDialog::getExistingDirectory(
        this, QStringLiteral("选择输出目录"), QString(), QFileDialog::ShowDirsOnly);
    if (directory.isEmpty())
        return;
    outputDirectory = directory;
    ui->outputPathLabel->setText(outputDirectory);
}

// A file that could not be decoded keeps its entry without an icon. The row
// may be gone when the list was cleared meanwhile (a reset).
void MainWindow::showThumbnail(int row, const QImage &thumbnail)
{
    QListWidgetItem *entry = ui->imagesList->item(row);
    if (!entry || thumbnail.isNull())
        return;
    entry->setIcon(QIcon(QPixmap::fromImage(thumbnail)));
}
