#include "aboutdialog.h"

#include <QDesktopServices>
#include <QLabel>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>
#include <QUrl>

// Records the addresses the dialog hands to the desktop, in place of a
// browser.
class BrowserStandIn : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void openUrl(const QUrl &url) { opened.append(url); }
};

// The About dialog in each interface language, its link, its fixed layout
// and its pictures.
class TestAboutDialog : public QObject
{
    Q_OBJECT

private slots:
    void showsTextsOfTheLanguage_data();
    void showsTextsOfTheLanguage();
    void clickingTheLinkOpensItAndKeepsTheDialog();
    void contentsKeepTheirPlaceWhenResized();
    void showsLogoAndWindowIcon();
};

namespace {

const QString websiteAddress = QStringLiteral("https://www.vellumo.app");

QLabel *label(const AboutDialog &dialog, const char *name)
{
    auto *found = dialog.findChild<QLabel *>(QString::fromLatin1(name));
    if (!found)
        qFatal("the About dialog has no label %s", name);
    return found;
}

// The link label holds one anchor; gives its address and its text.
QPair<QString, QString> anchorOf(const QString &text)
{
    static const QRegularExpression anchor(QStringLiteral("^<a href=\"([^\"]+)\">([^<]+)</a>$"));
    const QRegularExpressionMatch match = anchor.match(text);
    return match.hasMatch() ? qMakePair(match.captured(1), match.captured(2)) : QPair<QString, QString>();
}

// A point on the link's text: the label shows it alone, from its left edge.
QPoint pointOnLink(const QLabel *link)
{
    const QRect contents = link->contentsRect();
    return QPoint(contents.left() + 8, contents.center().y());
}

// Shows the dialog and checks that every label without word wrap is wide
// enough for its longest line.
void showWhole(AboutDialog &dialog)
{
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (const char *name : {"titleLabel", "versionLabel", "websiteLabel", "copyrightLabel"}) {
        const QLabel *shown = label(dialog, name);
        QVERIFY2(shown->sizeHint().width() <= shown->contentsRect().width(), name);
    }
}

} // namespace

void TestAboutDialog::showsTextsOfTheLanguage_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("linkText");
    QTest::addColumn<QString>("copyright");

    QTest::newRow("zh_CN") << "zh_CN" << "关于Vellumo" << "版本: 1.0.0.03"
                           << "高效批量图片处理工具，支持裁剪、滤镜、水印等丰富功能。" << "访问官方网站"
                           << "© 2026 Orvantis. 保留所有权利。";
    QTest::newRow("zh_TW") << "zh_TW" << "關於Vellumo" << "版本: 1.0.0.03"
                           << "高效批量圖片處理工具，支援裁剪、濾鏡、浮水印等豐富功能。" << "訪問官方網站"
                           << "© 2026 Orvantis. 保留所有權利。";
    QTest::newRow("en_US") << "en_US" << "About Vellumo" << "Version: 1.0.0.03"
                           << "Efficient batch image processing tool with rich features including cropping, "
                              "filters, watermarks, and more."
                           << "Visit Official Website" << "© 2026 Orvantis.\nAll rights reserved.";
}

void TestAboutDialog::showsTextsOfTheLanguage()
{
    QFETCH(QString, code);
    QFETCH(QString, title);
    QFETCH(QString, version);
    QFETCH(QString, description);
    QFETCH(QString, linkText);
    QFETCH(QString, copyright);

    QTranslator catalogue;
    QVERIFY(catalogue.load(QStringLiteral(":/translations/lang_%1.qm").arg(code)));
    // Qt leaves an empty catalogue out, so Simplified Chinese shows the sources.
    QCoreApplication::installTranslator(&catalogue);
    AboutDialog dialog;

    QCOMPARE(dialog.windowTitle(), title);
    QCOMPARE(label(dialog, "titleLabel")->text(), QStringLiteral("<h2>Vellumo</h2>"));
    QCOMPARE(label(dialog, "versionLabel")->text(), version);
    QCOMPARE(label(dialog, "descriptionLabel")->text(), description);
    QCOMPARE(anchorOf(label(dialog, "websiteLabel")->text()), qMakePair(websiteAddress, linkText));
    QCOMPARE(label(dialog, "copyrightLabel")->text(), copyright);
    showWhole(dialog);
}

// The click reaches the dialog's own handler (the label does not open the
// link itself), which hands the anchor's address to the desktop once; the
// dialog stays up.
void TestAboutDialog::clickingTheLinkOpensItAndKeepsTheDialog()
{
    BrowserStandIn browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "openUrl");
    const auto restoreBrowser = qScopeGuard([] { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); });
    AboutDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QLabel *link = label(dialog, "websiteLabel");
    QSignalSpy activated(link, &QLabel::linkActivated);
    QSignalSpy finished(&dialog, &QDialog::finished);

    QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier, pointOnLink(link));

    QCOMPARE(activated.count(), 1);
    QCOMPARE(browser.opened, QList<QUrl>{QUrl(websiteAddress)});
    QVERIFY(dialog.isVisible());
    QCOMPARE(finished.count(), 0);
}

void TestAboutDialog::contentsKeepTheirPlaceWhenResized()
{
    AboutDialog dialog;
    QCOMPARE(dialog.size(), QSize(243, 315));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *contents = dialog.findChild<QWidget *>(QStringLiteral("centralWidget"));
    QVERIFY(contents);
    const QRect logoPlace = label(dialog, "logoLabel")->geometry();

    for (const QSize &size : {QSize(600, 500), QSize(150, 120), QSize(243, 315)}) {
        dialog.resize(size);
        QTRY_COMPARE(dialog.size(), size);
        QCOMPARE(contents->geometry(), QRect(0, 0, 242, 315));
        QCOMPARE(label(dialog, "logoLabel")->geometry(), logoPlace);
    }
}

// The logo is drawn into its 64 by 64 square: the orange of the sun shows.
void TestAboutDialog::showsLogoAndWindowIcon()
{
    AboutDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QLabel *logo = label(dialog, "logoLabel");
    QCOMPARE(logo->size(), QSize(64, 64));
    QVERIFY(!logo->pixmap().isNull());

    const QImage drawn = logo->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int orange = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QColor pixel = drawn.pixelColor(x, y);
            orange += pixel.red() > 230 && qAbs(pixel.green() - 0xaa) < 30 && pixel.blue() < 40;
        }
    }
    QVERIFY2(orange > 20, qPrintable(QString::number(orange)));

    QVERIFY(!dialog.windowIcon().isNull());
    QVERIFY(!dialog.windowIcon().availableSizes().isEmpty());
}

QTEST_MAIN(TestAboutDialog)
#include "tst_aboutdialog.moc"
