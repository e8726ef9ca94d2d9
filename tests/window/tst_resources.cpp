#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

// Every resource path written in the program's sources resolves in the
// embedded bundle, and every image the style sheet names is there and
// decodes. The sources are read from the checkout this test was built from.
class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void namedPathsResolve();
    void styleSheetImagesDecode();
};

namespace {

const QStringList languageCodes = {QStringLiteral("zh_CN"), QStringLiteral("zh_TW"), QStringLiteral("en_US")};

// The source tree by its absolute name: __FILE__ is relative when a compiler
// cache rewrites the paths of the build.
QString sourceRoot()
{
    return QStringLiteral(VELLUMO_SOURCE_DIR);
}

// Paths in string literals and in the forms' icon elements; a %1 stands
// for each language code.
QSet<QString> namedResourcePaths()
{
    static const QRegularExpression named(QStringLiteral("[\">](:/[^\"<\\s]+)[\"<]"));
    QSet<QString> paths;
    for (const char *folder : {"app", "mainwindow", "aboutdialog"}) {
        QDirIterator files(QDir(sourceRoot()).filePath(QString::fromLatin1(folder)),
                           {QStringLiteral("*.cpp"), QStringLiteral("*.ui")}, QDir::Files);
        while (files.hasNext()) {
            QFile file(files.next());
            if (!file.open(QIODevice::ReadOnly))
                qFatal("cannot read %s", qPrintable(file.fileName()));
            const QString text = QString::fromUtf8(file.readAll());
            for (const QRegularExpressionMatch &match : named.globalMatch(text)) {
                const QString path = match.captured(1);
                if (!path.contains(QLatin1String("%1"))) {
                    paths.insert(path);
                    continue;
                }
                for (const QString &code : languageCodes)
                    paths.insert(path.arg(code));
            }
        }
    }
    return paths;
}

bool isImage(const QString &path)
{
    return !QImageReader::imageFormat(path).isEmpty() || path.endsWith(QLatin1String(".svg"));
}

} // namespace

void TestResources::namedPathsResolve()
{
    const QSet<QString> paths = namedResourcePaths();
    for (const char *expected : {":/qss/default.css", ":/image/logo.svg", ":/image/close.svg", ":/image/home-hover.svg"})
        QVERIFY2(paths.contains(QString::fromLatin1(expected)), expected);
    for (const QString &path : paths) {
        QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));
        QVERIFY2(QFileInfo(path).size() > 0, qPrintable(path));
        if (isImage(path))
            QVERIFY2(!QImageReader(path).read().isNull(), qPrintable(path));
    }
}

void TestResources::styleSheetImagesDecode()
{
    QFile file(QStringLiteral(":/qss/default.css"));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    const QString styleSheet = QString::fromUtf8(file.readAll());
    static const QRegularExpression url(QStringLiteral("url\\(\\s*([^)\\s]+)\\s*\\)"));
    int named = 0;
    for (const QRegularExpressionMatch &match : url.globalMatch(styleSheet)) {
        const QString path = match.captured(1);
        ++named;
        QVERIFY2(path.startsWith(QLatin1String(":/")), qPrintable(path));
        QImageReader reader(path);
        QVERIFY2(!reader.read().isNull(), qPrintable(path + QLatin1String(": ") + reader.errorString()));
    }
    QVERIFY(named > 0);
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
