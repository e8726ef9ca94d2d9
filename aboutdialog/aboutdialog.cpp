#include "aboutdialog.h"
#include "ui_aboutdialog.h"

#include <QDesktopServices>
#include <QUrl>

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::AboutDialog)
{
    ui->setupUi(this);
    // The website opens in the desktop's browser; a link it cannot open is
    // passed over and the dialog stays as it is.
    connect(ui->websiteLabel, &QLabel::linkActivated, this, [](const QString &link) {
        QDesktopServices::openUrl(QUrl(link, QUrl::TolerantMode));
    });
}

AboutDialog::~AboutDialog()
{
    delete ui;
}
