#ifndef MENUTESTSUPPORT_H
#define MENUTESTSUPPORT_H

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPoint>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
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
OpenedMenu chooseMenuEntry(QPushButton *menuButton, int position);

#endif // MENUTESTSUPPORT_H
