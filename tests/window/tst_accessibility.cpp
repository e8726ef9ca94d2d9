#include "mainwindow.h"
#include "window/windowtestsupport.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QComboBox>
#include <QGroupBox>
#include <QSet>
#include <QLineEdit>
#include <QListWidget>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <memory>

// What a screen reader and a keyboard user meet: every control that takes
// input has a name of its own, and the page buttons switch the page however
// they are worked.
class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void everyControlNamed_data();
    void everyControlNamed();
    void pageButtonsSwitchPages_data();
    void pageButtonsSwitchPages();

private:
    std::unique_ptr<MainWindow> window;
};

namespace {

bool isInteractive(QWidget *widget)
{
    if (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_")))
        return false;
    return qobject_cast<QAbstractButton *>(widget) || qobject_cast<QAbstractSpinBox *>(widget)
           || qobject_cast<QComboBox *>(widget) || qobject_cast<QAbstractSlider *>(widget)
           || qobject_cast<QLineEdit *>(widget) || qobject_cast<QTextEdit *>(widget)
           || qobject_cast<QListWidget *>(widget);
}

} // namespace

void TestAccessibility::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    useOwnSettingsFolder();
}

void TestAccessibility::init()
{
    clearSettingsStores();
}

void TestAccessibility::cleanup()
{
    window.reset();
}

void TestAccessibility::everyControlNamed_data()
{
    QTest::addColumn<QString>("language");
    for (const char *code : {"zh_CN", "zh_TW", "en_US"})
        QTest::newRow(code) << QString::fromLatin1(code);
}

// Names as an assistive tool reads them, on both pages, visible or not.
// Fields take their own label's text, not the group's title, and the two
// colour buttons are told apart.
void TestAccessibility::everyControlNamed()
{
    QFETCH(QString, language);
    QSettings(QStringLiteral("Vellumo"), QStringLiteral("Vellumo")).setValue(QStringLiteral("language"), language);
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QStringList unnamed;
    QStringList titled;
    QSet<QString> names;
    QStringList repeated;
    int checked = 0;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!isInteractive(widget))
            continue;
        ++checked;
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible);
        const QString name = accessible->text(QAccessible::Name).trimmed();
        if (name.isEmpty())
            unnamed.append(widget->objectName());
        if (auto *group = qobject_cast<QGroupBox *>(widget->parentWidget()); group && name == group->title())
            titled.append(widget->objectName());
        if (names.contains(name))
            repeated.append(widget->objectName() + QLatin1Char('=') + name);
        names.insert(name);
    }
    QVERIFY(checked > 40);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char(' '))));
    QVERIFY2(titled.isEmpty(), qPrintable(titled.join(QLatin1Char(' '))));
    QVERIFY2(repeated.isEmpty(), qPrintable(repeated.join(QLatin1Char(' '))));
}

void TestAccessibility::pageButtonsSwitchPages_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("click") << "click";
    QTest::newRow("keyboard") << "keyboard";
    QTest::newRow("accessibility toggle") << "toggle";
}

void TestAccessibility::pageButtonsSwitchPages()
{
    QFETCH(QString, how);
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto *pages = findIn<QStackedWidget>(window.get(), "stackedWidget");
    auto activate = [&](QToolButton *button) {
        if (how == QLatin1String("click")) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else if (how == QLatin1String("keyboard")) {
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Space);
        } else {
            QAccessibleActionInterface *actions = QAccessible::queryAccessibleInterface(button)->actionInterface();
            QVERIFY(actions);
            const QString action = QAccessibleActionInterface::toggleAction();
            QVERIFY2(actions->actionNames().contains(action), qPrintable(actions->actionNames().join(' ')));
            actions->doAction(action);
        }
    };
    activate(findIn<QToolButton>(window.get(), "advancedSettingsButton"));
    QCOMPARE(pages->currentIndex(), 1);
    activate(findIn<QToolButton>(window.get(), "basicSettingsButton"));
    QCOMPARE(pages->currentIndex(), 0);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
