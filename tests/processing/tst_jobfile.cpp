#include "composition/watermark.h"
#include "geometry/size.h"
#include "run/jobfile.h"
#include "run/options.h"
#include "support/optionchanges.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTest>

// The job file: every option of the table through a file and back, the
// errors that keep a file from being used, and the migration of old files.
class JobFileTest : public QObject
{
    Q_OBJECT

private slots:
    void keysAreDistinct();
    void everyOptionRoundTrips_data();
    void everyOptionRoundTrips();
    void missingOptionsTakeTheirInitialValues();
    void unknownOptionIsAWarning();
    void faultyFileIsRefused_data();
    void faultyFileIsRefused();
    void versionZeroIsMigrated();
    void versionOneFlagsBecomeChoices_data();
    void versionOneFlagsBecomeChoices();
    void savedFileReadsBack();
};

namespace {

// Every option changed at once: what a file must override, option by option.
JobSettings everyOptionChanged()
{
    JobSettings settings;
    for (const OptionDeclaration *option : optionDeclarations())
        option->setValue(settings, changedValue(*option));
    return settings;
}

QByteArray document(const QByteArray &options, int version = jobfile::currentVersion)
{
    return QByteArray("{\"vellumo-job\": ") + QByteArray::number(version) + ", \"options\": {" + options + "}}";
}

} // namespace

void JobFileTest::keysAreDistinct()
{
    QSet<QString> keys;
    for (const OptionDeclaration *option : optionDeclarations())
        keys.insert(jobfile::keyOf(*option));
    QCOMPARE(keys.size(), optionDeclarations().size());
}

void JobFileTest::everyOptionRoundTrips_data()
{
    QTest::addColumn<const OptionDeclaration *>("option");
    QTest::addColumn<QVariant>("value");
    for (const OptionDeclaration *option : optionDeclarations()) {
        QTest::addRow("%s changed", option->name) << option << changedValue(*option);
        if (option->type == OptionDeclaration::Type::Integer)
            QTest::addRow("%s at its maximum", option->name) << option << QVariant(option->maximum);
        if (option->type == OptionDeclaration::Type::Preset) {
            const int last = option->presets->size() - 1;
            QTest::addRow("%s last entry", option->name)
                    << option << (option->holdsIndex ? QVariant(last) : QVariant(option->presets->key(last)));
        }
    }
}

// The option alone holds its value after the trip; all the others, changed
// in the record read into, are back at their initial values.
void JobFileTest::everyOptionRoundTrips()
{
    QFETCH(const OptionDeclaration *, option);
    QFETCH(QVariant, value);

    JobSettings written;
    option->setValue(written, value);
    JobSettings read = everyOptionChanged();
    const jobfile::Reading reading = jobfile::read(jobfile::write(written), QStringLiteral("job.json"), &read);

    QVERIFY2(reading.error.isEmpty(), qPrintable(reading.error));
    QVERIFY(reading.warnings.isEmpty());
    QCOMPARE(changedFields(read), changedFields(written));
}

void JobFileTest::missingOptionsTakeTheirInitialValues()
{
    JobSettings settings = everyOptionChanged();
    settings.outputDirectory = QStringLiteral("out");
    const jobfile::Reading reading = jobfile::read(document("\"width\": 640"), QStringLiteral("job.json"), &settings);

    QVERIFY2(reading.error.isEmpty(), qPrintable(reading.error));
    QCOMPARE(changedFields(settings), (FieldValues{{"width", 640}}));
    QCOMPARE(settings.outputDirectory, QStringLiteral("out"));
}

void JobFileTest::unknownOptionIsAWarning()
{
    JobSettings settings;
    const jobfile::Reading reading =
            jobfile::read(document("\"vignette\": 3, \"quality\": 70"), QStringLiteral("web.json"), &settings);

    QVERIFY(reading.error.isEmpty());
    QCOMPARE(reading.warnings, QStringList{"web.json: unknown option \"vignette\" ignored"});
    QCOMPARE(settings.value(option::quality), 70);
}

void JobFileTest::faultyFileIsRefused_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("error");

    QTest::newRow("above the range") << document("\"width\": 10000")
                                     << "\"width\" must be a whole number from 0 to 9999 (got 10000)";
    QTest::newRow("below the range") << document("\"quality\": 0")
                                     << "\"quality\" must be a whole number from 1 to 100 (got 0)";
    QTest::newRow("fraction") << document("\"brightness\": 2.5")
                              << "\"brightness\" must be a whole number from -100 to 100 (got 2.5)";
    QTest::newRow("number as text") << document("\"height\": \"600\"")
                                    << "\"height\" must be a whole number from 0 to 9999 (got \"600\")";
    QTest::newRow("flag as number") << document("\"crop\": 1") << "\"crop\" must be true or false (got 1)";
    QTest::newRow("text as number") << document("\"rename\": 5") << "\"rename\" must be a text (got 5)";
    QTest::newRow("unknown entry") << document("\"filter\": \"sepia\"")
                                   << "\"filter\" must be one of none blur grayscale vintage edge-detection "
                                      "emboss oil-painting (got \"sepia\")";
    QTest::newRow("bad colour") << document("\"border-color\": \"#12345\"")
                                << "\"border-color\" must be #RRGGBB, #AARRGGBB or an SVG colour name (got \"#12345\")";
    QTest::newRow("newer version") << document("", 7)
                                   << "needs a program that reads job file version 7; this one reads versions up to 2";
    QTest::newRow("no version") << QByteArray("{\"options\": {}}") << "not a job file: no \"vellumo-job\" version number";
    QTest::newRow("negative version") << document("", -1) << "not a job file: no \"vellumo-job\" version number";
    QTest::newRow("options not an object") << QByteArray("{\"vellumo-job\": 1, \"options\": []}")
                                           << "\"options\" must be an object";
    QTest::newRow("not JSON") << QByteArray("width=1920") << "not a job file: illegal value at byte 1";
}

// The error names the file, the option and what it accepts, and the record
// is left as it was.
void JobFileTest::faultyFileIsRefused()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, error);

    JobSettings settings;
    settings.set(option::width, 1234);
    const jobfile::Reading reading = jobfile::read(document, QStringLiteral("/jobs/web.json"), &settings);

    QCOMPARE(reading.error, QStringLiteral("/jobs/web.json: ") + error);
    QCOMPARE(changedFields(settings), (FieldValues{{"width", 1234}}));
}

void JobFileTest::versionZeroIsMigrated()
{
    JobSettings settings;
    const jobfile::Reading reading = jobfile::load(QFINDTESTDATA("data/job-version0.json"), &settings);

    QVERIFY2(reading.error.isEmpty(), qPrintable(reading.error));
    QVERIFY(reading.warnings.isEmpty());
    QCOMPARE(changedFields(settings), (FieldValues{{"watermark", true},
                                                   {"watermarkText", QStringLiteral("© 2019 old file")},
                                                   {"width", 800}}));
}

void JobFileTest::versionOneFlagsBecomeChoices_data()
{
    QTest::addColumn<QByteArray>("options");
    QTest::addColumn<FieldValues>("expected");
    QTest::newRow("flags off") << QByteArray(R"("strip-metadata": false, "strip-gps": false, "keep-dates": false)")
                               << FieldValues{};
    QTest::newRow("location") << QByteArray(R"("strip-gps": true)") << FieldValues{{"metadata", "no-location"}};
    QTest::newRow("everything") << QByteArray(R"("strip-gps": true, "strip-metadata": true)")
                                << FieldValues{{"metadata", "none"}};
    QTest::newRow("dates") << QByteArray(R"("keep-dates": true, "width": 800)")
                           << FieldValues{{"keepDates", "modified"}, {"width", 800}};
}

// The flags of version 1 read as the choices that replaced them.
void JobFileTest::versionOneFlagsBecomeChoices()
{
    QFETCH(QByteArray, options);
    QFETCH(FieldValues, expected);
    JobSettings settings;
    const jobfile::Reading reading = jobfile::read(document(options, 1), QStringLiteral("old.json"), &settings);
    QCOMPARE(reading.error, QString());
    QCOMPARE(reading.warnings, QStringList());
    QCOMPARE(changedFields(settings), expected);
}

void JobFileTest::savedFileReadsBack()
{
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("web.json"));
    const JobSettings written = everyOptionChanged();
    QCOMPARE(jobfile::save(path, written), QString());

    JobSettings read;
    QCOMPARE(jobfile::load(path, &read).error, QString());
    QCOMPARE(changedFields(read), changedFields(written));
    const QString unwritable = directory.filePath(QStringLiteral("none/web.json"));
    QVERIFY(jobfile::save(unwritable, written).startsWith(unwritable + QStringLiteral(": cannot write: ")));
}

QTEST_GUILESS_MAIN(JobFileTest)
#include "tst_jobfile.moc"
