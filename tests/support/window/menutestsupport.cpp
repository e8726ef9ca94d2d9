#include "menutestsupport.h"

OpenedMenu chooseMenuEntry(QPushButton *menuButton, int position)
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
