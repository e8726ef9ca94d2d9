#include "stylesheet.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QMessageBox>

bool loadStyleSheetFile(QApplication &application, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCritical() << "无法打开样式表:" << file.errorString();
        qCritical() << "当前工作目录:" << QDir::currentPath();
        return false;
    }
    const QString styleSheet = QString::fromUtf8(file.readAll());
    file.close();
    if (styleSheet.isEmpty()) {
        qWarning() << "样式表为空！";
        return false;
    }
    application.setStyleSheet(styleSheet);
    return true;
}

bool loadStyleSheet(QApplication &application)
{
    if (!QFile::exists(QStringLiteral(":/"))) {
        qCritical() << "资源系统未初始化！";
        return false;
    }
    return loadStyleSheetFile(application, QStringLiteral(":/qss/default.css"));
}

// Shown before any translator is installed, so the text is fixed.
void showStyleSheetWarning()
{
    QMessageBox::warning(nullptr, QStringLiteral("警告"),
                         QStringLiteral("无法加载样式表，将使用默认外观。\n"
                                        "这可能会影响应用程序的外观，但功能不受影响。"),
                         QMessageBox::Ok, QMessageBox::NoButton);
}
