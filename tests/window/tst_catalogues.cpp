#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

#include <unicode/translit.h>

#include <algorithm>
#include <memory>

// The embedded interface catalogues: every compiled one loads, lookups go
// by context and the exact Simplified Chinese source, the two translated
// catalogues are complete, and all three hold exactly the texts that the
// window's and the About dialog's sources ask for.
class TestCatalogues : public QObject
{
    Q_OBJECT

private slots:
    void compiledCatalogueLoads_data();
    void compiledCatalogueLoads();
    void lookupUsesContextAndSource_data();
    void lookupUsesContextAndSource();
    void simplifiedChineseTranslatesNothing();
    void translatedCatalogueIsComplete_data();
    void translatedCatalogueIsComplete();
    void cataloguesHoldTheSameMessages();
    void translationsAreInTheirScript();
    void cataloguesMatchTheSources();
};

namespace {

struct CatalogueMessage
{
    QString context;
    QString source;
    QString translation;
    QString translationType;
    bool hasComment = false;
    bool isPlural = false;
};

struct Catalogue
{
    QString version;
    QString language;
    QList<CatalogueMessage> messages;
    QString error;
};

using MessageKey = QPair<QString, QString>;

// The contexts whose sources are English, translated by every catalogue:
// the options' help texts (the form's tool tips) and the run's reasons.
bool hasEnglishSources(const QString &context)
{
    return context == QLatin1String("OptionHelp") || context == QLatin1String("Reason");
}

bool hasChinese(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.script() == QChar::Script_Han; });
}

const QStringList languageCodes = {QStringLiteral("zh_CN"), QStringLiteral("zh_TW"), QStringLiteral("en_US")};

// The source tree by its absolute name: __FILE__ is relative when a compiler
// cache rewrites the paths of the build.
QString sourceRoot()
{
    return QStringLiteral(VELLUMO_SOURCE_DIR);
}

QString compiledPath(const QString &code)
{
    return QStringLiteral(":/translations/lang_%1.qm").arg(code);
}

QString sourcePath(const QString &code)
{
    return QStringLiteral(":/translations/lang_%1.ts").arg(code);
}

// Reads one <message> element; the reader stands on its start tag.
CatalogueMessage readMessage(QXmlStreamReader &xml, const QString &context)
{
    CatalogueMessage message;
    message.context = context;
    message.isPlural = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            message.translationType = xml.attributes().value(QLatin1String("type")).toString();
            message.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else {
            message.hasComment = message.hasComment || xml.name().endsWith(QLatin1String("comment"));
            xml.skipCurrentElement();
        }
    }
    return message;
}

// Reads one <context> element: its name, then its messages.
void readContext(QXmlStreamReader &xml, QList<CatalogueMessage> &messages)
{
    QString name;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("name"))
            name = xml.readElementText();
        else if (xml.name() == QLatin1String("message"))
            messages.append(readMessage(xml, name));
        else
            xml.skipCurrentElement();
    }
}

Catalogue readCatalogue(const QString &path)
{
    Catalogue catalogue;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        catalogue.error = path + QLatin1String(": ") + file.errorString();
        return catalogue;
    }
    QXmlStreamReader xml(&file);
    if (xml.readNextStartElement() && xml.name() == QLatin1String("TS")) {
        catalogue.version = xml.attributes().value(QLatin1String("version")).toString();
        catalogue.language = xml.attributes().value(QLatin1String("language")).toString();
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("context"))
                readContext(xml, catalogue.messages);
            else
                xml.skipCurrentElement();
        }
    }
    if (xml.hasError())
        catalogue.error = path + QLatin1String(": ") + xml.errorString();
    return catalogue;
}

QSet<MessageKey> messageKeys(const Catalogue &catalogue)
{
    QSet<MessageKey> keys;
    for (const CatalogueMessage &message : catalogue.messages)
        keys.insert({message.context, message.source});
    return keys;
}

QString describe(const QSet<MessageKey> &keys)
{
    QStringList lines;
    for (const MessageKey &key : keys)
        lines.append(key.first + QLatin1String(": ") + key.second);
    lines.sort();
    return lines.join(QLatin1String("; "));
}

// Empty when the catalogue holds exactly the wanted messages; otherwise
// names what it lacks and what it holds beyond them.
QString mismatch(const QSet<MessageKey> &wanted, const Catalogue &catalogue)
{
    const QSet<MessageKey> held = messageKeys(catalogue);
    const QSet<MessageKey> missing = QSet<MessageKey>(wanted).subtract(held);
    const QSet<MessageKey> obsolete = QSet<MessageKey>(held).subtract(wanted);
    QString text;
    if (!missing.isEmpty())
        text += catalogue.language + QLatin1String(" lacks ") + describe(missing) + QLatin1Char('\n');
    if (!obsolete.isEmpty())
        text += catalogue.language + QLatin1String(" has obsolete ") + describe(obsolete);
    return text;
}

// Collects every text of the window's, the About dialog's and the preset
// lists' sources and the options' help texts, as the translation tools see them, into a fresh catalogue.
Catalogue scanSources(const QString &directory)
{
    const QString scanned = QDir(directory).filePath(QStringLiteral("scanned.ts"));
    const QString lupdate = QLibraryInfo::path(QLibraryInfo::BinariesPath) + QLatin1String("/lupdate");
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(lupdate, {QDir(sourceRoot()).filePath(QStringLiteral("mainwindow")),
                            QDir(sourceRoot()).filePath(QStringLiteral("aboutdialog")),
                            QDir(sourceRoot()).filePath(QStringLiteral("processing/job/presets.cpp")),
                            QStringLiteral(VELLUMO_OPTION_HELP_MESSAGES),
                            QDir(sourceRoot()).filePath(QStringLiteral("processing/formats/formattable.cpp")),
                            QDir(sourceRoot()).filePath(QStringLiteral("processing/run/reasons.cpp")),
                            QStringLiteral("-locations"), QStringLiteral("none"),
                            QStringLiteral("-ts"), scanned});
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        Catalogue failed;
        failed.error = lupdate + QLatin1String(" failed: ") + process.errorString() + QLatin1Char('\n')
            + QString::fromLocal8Bit(process.readAll());
        return failed;
    }
    return readCatalogue(scanned);
}

} // namespace

void TestCatalogues::compiledCatalogueLoads_data()
{
    QTest::addColumn<QString>("code");
    for (const QString &code : languageCodes)
        QTest::newRow(qPrintable(code)) << code;
}

void TestCatalogues::compiledCatalogueLoads()
{
    QFETCH(QString, code);
    QVERIFY2(QFile::exists(compiledPath(code)), qPrintable(compiledPath(code)));
    QTranslator translator;
    QVERIFY2(translator.load(compiledPath(code)), qPrintable(compiledPath(code)));
    QCOMPARE(translator.language(), code);

    const Catalogue source = readCatalogue(sourcePath(code));
    QVERIFY2(source.error.isEmpty(), qPrintable(source.error));
    QCOMPARE(source.version, QStringLiteral("2.1"));
    QCOMPARE(source.language, code);
}

void TestCatalogues::lookupUsesContextAndSource_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");

    QTest::newRow("form text") << "en_US" << "MainWindow" << "开始处理" << "Start Processing";
    QTest::newRow("form text, other context") << "en_US" << "AboutDialog" << "开始处理" << "";
    QTest::newRow("form text, no context") << "en_US" << "" << "开始处理" << "";
    QTest::newRow("near source") << "en_US" << "MainWindow" << "开始处理 " << "";
    QTest::newRow("menu entry") << "en_US" << "MainWindow" << "关于Vellumo" << "About Vellumo";
    QTest::newRow("dialog title") << "en_US" << "AboutDialog" << "关于Vellumo" << "About Vellumo";
    QTest::newRow("option entry") << "en_US" << "MainWindow" << "1:1 (正方形)" << "1:1 (Square)";
    QTest::newRow("reset question") << "en_US" << "MainWindow" << "确定要将应用程序重置为初始状态吗？所有设置都将被清除。"
                                    << "Are you sure you want to reset the application to its initial state? "
                                       "All settings will be cleared.";
    QTest::newRow("Taiwanese watermark") << "zh_TW" << "MainWindow" << "水印设置" << "浮水印設定";
    QTest::newRow("Taiwanese custom") << "zh_TW" << "MainWindow" << "自定义" << "自訂";
    QTest::newRow("Taiwanese support") << "zh_TW" << "AboutDialog"
                                       << "高效批量图片处理工具，支持裁剪、滤镜、水印等丰富功能。"
                                       << "高效批量圖片處理工具，支援裁剪、濾鏡、浮水印等豐富功能。";
    QTest::newRow("language names stay") << "zh_TW" << "MainWindow" << "简体中文" << "简体中文";
    QTest::newRow("Traditional, other context") << "zh_TW" << "AboutDialog" << "水印设置" << "";
}

void TestCatalogues::lookupUsesContextAndSource()
{
    QFETCH(QString, code);
    QFETCH(QString, context);
    QFETCH(QString, source);
    QFETCH(QString, expected);
    QTranslator translator;
    QVERIFY(translator.load(compiledPath(code)));
    QCOMPARE(translator.translate(context.toUtf8().constData(), source.toUtf8().constData()), expected);
}

// The options' help texts and the run's reasons, written in English for
// the command line, are the exception: every catalogue translates them.
void TestCatalogues::simplifiedChineseTranslatesNothing()
{
    QTranslator translator;
    QVERIFY(translator.load(compiledPath(QStringLiteral("zh_CN"))));

    const Catalogue catalogue = readCatalogue(sourcePath(QStringLiteral("zh_CN")));
    QVERIFY2(catalogue.error.isEmpty(), qPrintable(catalogue.error));
    QVERIFY(!catalogue.messages.isEmpty());
    for (const CatalogueMessage &message : catalogue.messages) {
        const QString found =
                translator.translate(message.context.toUtf8().constData(), message.source.toUtf8().constData());
        if (hasEnglishSources(message.context)) {
            QVERIFY2(hasChinese(message.translation), qPrintable(message.source));
            QVERIFY(message.translationType.isEmpty());
            QCOMPARE(found, message.translation);
            continue;
        }
        QVERIFY2(message.translation.isEmpty() && found.isEmpty(), qPrintable(message.source));
        QCOMPARE(message.translationType, QStringLiteral("unfinished"));
    }
}

void TestCatalogues::translatedCatalogueIsComplete_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("Traditional Chinese") << QStringLiteral("zh_TW");
    QTest::newRow("English") << QStringLiteral("en_US");
}

// Every message is finished, has a translation, is looked up by its plain
// source (no comment, no plural forms), and the compiled catalogue gives
// exactly that translation.
void TestCatalogues::translatedCatalogueIsComplete()
{
    QFETCH(QString, code);
    const Catalogue catalogue = readCatalogue(sourcePath(code));
    QVERIFY2(catalogue.error.isEmpty(), qPrintable(catalogue.error));
    QTranslator translator;
    QVERIFY(translator.load(compiledPath(code)));
    for (const CatalogueMessage &message : catalogue.messages) {
        const QString where = message.context + QLatin1String(": ") + message.source;
        QVERIFY2(message.translationType.isEmpty(), qPrintable(where + QLatin1String(" is ") + message.translationType));
        QVERIFY2(!message.translation.trimmed().isEmpty(), qPrintable(where));
        QVERIFY2(!message.hasComment && !message.isPlural, qPrintable(where));
        QCOMPARE(translator.translate(message.context.toUtf8().constData(), message.source.toUtf8().constData()),
                 message.translation);
    }
}

void TestCatalogues::cataloguesHoldTheSameMessages()
{
    const Catalogue simplified = readCatalogue(sourcePath(QStringLiteral("zh_CN")));
    QCOMPARE(simplified.messages.size(), messageKeys(simplified).size());
    for (const QString &code : languageCodes.mid(1)) {
        const Catalogue translated = readCatalogue(sourcePath(code));
        QCOMPARE(translated.messages.size(), messageKeys(translated).size());
        const QString difference = mismatch(messageKeys(simplified), translated);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }
}

// Every message: English holds no Chinese text; Traditional holds Chinese
// wherever the source does, and differs from the Simplified source wherever
// its characters have Traditional forms (ICU's Hans-Hant). A text English
// keeps as it is, such as a language's own name, stays so in every language.
void TestCatalogues::translationsAreInTheirScript()
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::Transliterator> toTraditional(
        icu::Transliterator::createInstance("Hans-Hant", UTRANS_FORWARD, status));
    QVERIFY(U_SUCCESS(status));
    QHash<MessageKey, QString> english;
    for (const CatalogueMessage &message : readCatalogue(sourcePath(QStringLiteral("en_US"))).messages)
        english.insert({message.context, message.source}, message.translation);
    for (const CatalogueMessage &message : readCatalogue(sourcePath(QStringLiteral("zh_TW"))).messages) {
        const QString inEnglish = english.value({message.context, message.source});
        const QString where = message.context + QLatin1String(": ") + message.source + QLatin1String(" as ");
        icu::UnicodeString traditional(reinterpret_cast<const UChar *>(message.source.utf16()), int(message.source.size()));
        toTraditional->transliterate(traditional);
        if (hasEnglishSources(message.context)) {
            QVERIFY2(!hasChinese(inEnglish) && hasChinese(message.translation),
                     qPrintable(where + inEnglish + QLatin1String(", ") + message.translation));
            continue;
        }
        const bool kept = inEnglish == message.source;
        QVERIFY2(kept || !hasChinese(inEnglish), qPrintable(where + inEnglish));
        QVERIFY2(kept ? message.translation == message.source
                      : hasChinese(message.translation) == hasChinese(message.source)
                         && (message.translation != message.source
                             || QString(reinterpret_cast<const QChar *>(traditional.getBuffer()), traditional.length())
                                     == message.source),
                 qPrintable(where + message.translation));
    }
}

// A text added to the sources without a catalogue entry, or an entry whose
// text is gone from the sources, turns this red; building the target
// update_translations refreshes the catalogues.
void TestCatalogues::cataloguesMatchTheSources()
{
    QTemporaryDir directory;
    QVERIFY2(directory.isValid(), qPrintable(directory.errorString()));
    const Catalogue scanned = scanSources(directory.path());
    QVERIFY2(scanned.error.isEmpty(), qPrintable(scanned.error));
    QVERIFY(!scanned.messages.isEmpty());
    for (const QString &code : languageCodes) {
        const QString difference = mismatch(messageKeys(scanned), readCatalogue(sourcePath(code)));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }
}

QTEST_MAIN(TestCatalogues)
#include "tst_catalogues.moc"
