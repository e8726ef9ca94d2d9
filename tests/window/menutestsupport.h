#ifndef MENUTESTSUPPORT_H
#define MENUTESTSUPPORT_H

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// What the application menu looked like while it was open.
struct OpenedMenu
{
    QPointer<QMenu> menu;
    QPoint position;
    QStringList texts;
};

// Clicks the menu button and, once the menu has popped up, clicks the entry
// at position as a user would, or closes the menu with Escape when position
// is negative. The menu runs its own event loop, so a short poll finds it.
inline OpenedMenu chooseMenuEntry(QPushButton *menuButton, int position)
{
    OpenedMenu opened;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible())
            return;
        poll.stop();
        opened.menu = menu;
        opened.position = menu->pos();
        for (QAction *entry : menu->actions())
            opened.texts.append(entry->text());
        if (position < 0)
            QTest::keyClick(menu, Qt::Key_Escape);
        else
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().at(position)).center());
    });
    poll.start(5);
    menuButton->click();
    return opened;
}

#endif // MENUTESTSUPPORT_H
