#include "run/reasons.h"

#include "pipeline/chain.h"

#include <QCoreApplication>
#include <QDir>
#include <QList>
#include <QRegularExpression>

#include <iterator>

namespace {

// Every form a reason, a warning or a job file's message takes, as the code
// that gives it composes it; a value is %1, %2, ... in order.
constexpr const char *messageForms[] = {
    // reading
    QT_TRANSLATE_NOOP("Reason", "cannot read: %1"),
    QT_TRANSLATE_NOOP("Reason", "symbolic link to a missing file"),
    QT_TRANSLATE_NOOP("Reason", "no such file"),
    QT_TRANSLATE_NOOP("Reason", "symbolic link loop"),
    QT_TRANSLATE_NOOP("Reason", "permission denied (a folder on the way cannot be searched)"),
    QT_TRANSLATE_NOOP("Reason", "is a directory"),
    QT_TRANSLATE_NOOP("Reason", "not a regular file"),
    QT_TRANSLATE_NOOP("Reason", "empty file"),
    QT_TRANSLATE_NOOP("Reason", "unsupported or damaged image"),
    QT_TRANSLATE_NOOP("Reason", "SVG pictures are not accepted"),
    QT_TRANSLATE_NOOP("Reason", "too large: %1x%2 exceeds the %3 MB limit"),
    QT_TRANSLATE_NOOP("Reason", "only the first of its %1 frames is used"),
    QT_TRANSLATE_NOOP("Reason", "damaged: no pixel data"),
    QT_TRANSLATE_NOOP("Reason", "damaged: the pixel data covers at most %1 of %2 rows"),
    QT_TRANSLATE_NOOP("Reason", "damaged: the file is cut short"),
    QT_TRANSLATE_NOOP("Reason", "damaged: the pixel data ends early"),
    QT_TRANSLATE_NOOP("Reason", "too many progressive scans: %1 (at most %2)"),
    QT_TRANSLATE_NOOP("Reason", "too many progressive scans: they visit each block %1 times (at most %2)"),
    // the steps
    QT_TRANSLATE_NOOP("Reason", "no picture left (out of memory?)"),
    QT_TRANSLATE_NOOP("Reason", "the picture is too small for %1"),
    QT_TRANSLATE_NOOP("Reason", "pictures over %1 pixels wide or high turn only by multiples of 90 degrees"),
    QT_TRANSLATE_NOOP("Reason", "the picture is smaller than the grid"),
    // writing
    QT_TRANSLATE_NOOP("Reason", "cannot write: %1"),
    QT_TRANSLATE_NOOP("Reason", "no writer of %1"),
    QT_TRANSLATE_NOOP("Reason", "the processed image is empty"),
    QT_TRANSLATE_NOOP("Reason", "the output name is too long: %1 bytes, where the file system allows %2"),
    QT_TRANSLATE_NOOP("Reason", "the output path is too long"),
    QT_TRANSLATE_NOOP("Reason", "cannot inspect the output name"),
    QT_TRANSLATE_NOOP("Reason", "the output name is a symbolic link"),
    QT_TRANSLATE_NOOP("Reason", "the output name is not a regular file"),
    QT_TRANSLATE_NOOP("Reason", "the device took less than written"),
    QT_TRANSLATE_NOOP("Reason", "the JPEG encoder refused the picture"),
    QT_TRANSLATE_NOOP("Reason", "transparency not kept: a %1 file holds none, the picture is laid on white"),
    QT_TRANSLATE_NOOP("Reason", "colour profile not kept: a %1 file holds none"),
    QT_TRANSLATE_NOOP("Reason", "EXIF and XMP not carried into a %1 file"),
    QT_TRANSLATE_NOOP("Reason", "written as %1: this format is not written"),
    QT_TRANSLATE_NOOP("Reason", "metadata not read: %1"),
    QT_TRANSLATE_NOOP("Reason", "metadata read in part, %1 carried: %2"),
    QT_TRANSLATE_NOOP("Reason", "metadata not written: %1"),
    QT_TRANSLATE_NOOP("Reason", "extended XMP not carried: only a JPEG output holds it"),
    QT_TRANSLATE_NOOP("Reason", "the HEIF boxes are not as expected"),
    QT_TRANSLATE_NOOP("Reason", "the JPEG XL container is damaged"),
    QT_TRANSLATE_NOOP("Reason", "the JPEG XL container is not as expected"),
    QT_TRANSLATE_NOOP("Reason", "resolution not written: a %1 file holds none of its own"),
    QT_TRANSLATE_NOOP("Reason", "modification time not kept: %1"),
    QT_TRANSLATE_NOOP("Reason", "no date taken: given its modification time"),
    // the run
    QT_TRANSLATE_NOOP("Reason", "inside the output folder"),
    QT_TRANSLATE_NOOP("Reason", "%1 exists already"),
    QT_TRANSLATE_NOOP("Reason", "out of memory"),
    QT_TRANSLATE_NOOP("Reason", "failed: %1"),
    QT_TRANSLATE_NOOP("Reason", "cannot create folder %1: %2"),
    QT_TRANSLATE_NOOP("Reason", "a symbolic link or a file is in the way"),
    QT_TRANSLATE_NOOP("Reason", "its output name would hold %1"),
    QT_TRANSLATE_NOOP("Reason", "its output name would be empty"),
    QT_TRANSLATE_NOOP("Reason", "a slash"),
    QT_TRANSLATE_NOOP("Reason", "a control character"),
    QT_TRANSLATE_NOOP("Reason", "the prefix holds %1"),
    QT_TRANSLATE_NOOP("Reason", "the name template %1 is empty"),
    QT_TRANSLATE_NOOP("Reason", "the name template %1 has } without {"),
    QT_TRANSLATE_NOOP("Reason", "the name template %1 has { without }"),
    QT_TRANSLATE_NOOP("Reason", "the name template %1 holds %2"),
    QT_TRANSLATE_NOOP("Reason", "the name template %1 has an unknown field {%2}"),
    // job files
    QT_TRANSLATE_NOOP("Reason", "%1: not a job file: %2 at byte %3"),
    QT_TRANSLATE_NOOP("Reason", "%1: not a job file: no \"%2\" version number"),
    QT_TRANSLATE_NOOP("Reason", "%1: not a job file: larger than %2 bytes"),
    QT_TRANSLATE_NOOP("Reason", "%1: needs a program that reads job file version %2; this one reads versions up to %3"),
    QT_TRANSLATE_NOOP("Reason", "%1: \"%2\" must be an object"),
    QT_TRANSLATE_NOOP("Reason", "%1: \"%2\" must be %3 (got %4)"),
    QT_TRANSLATE_NOOP("Reason", "%1: unknown option \"%2\" ignored"),
    QT_TRANSLATE_NOOP("Reason", "%1: cannot read: %2"),
    QT_TRANSLATE_NOOP("Reason", "%1: cannot write: %2"),
    QT_TRANSLATE_NOOP("Reason", "a whole number from %1 to %2"),
    QT_TRANSLATE_NOOP("Reason", "true or false"),
    QT_TRANSLATE_NOOP("Reason", "a text"),
    QT_TRANSLATE_NOOP("Reason", "#RRGGBB, #AARRGGBB or an SVG colour name"),
    QT_TRANSLATE_NOOP("Reason", "one of %1"),
};

// A step's failure is its name, as reports give it, before the reason.
constexpr const char *stepFailureForm = QT_TRANSLATE_NOOP("Reason", "%1: %2");
constexpr const char *stepNames[] = {
    QT_TRANSLATE_NOOP("Reason", "standard size"), QT_TRANSLATE_NOOP("Reason", "aspect ratio"),
    QT_TRANSLATE_NOOP("Reason", "size"),          QT_TRANSLATE_NOOP("Reason", "sharpen"),
    QT_TRANSLATE_NOOP("Reason", "brightness"),    QT_TRANSLATE_NOOP("Reason", "contrast"),
    QT_TRANSLATE_NOOP("Reason", "saturation"),    QT_TRANSLATE_NOOP("Reason", "rotation"),
    QT_TRANSLATE_NOOP("Reason", "flip"),          QT_TRANSLATE_NOOP("Reason", "filter"),
    QT_TRANSLATE_NOOP("Reason", "auto enhance"),  QT_TRANSLATE_NOOP("Reason", "channel"),
    QT_TRANSLATE_NOOP("Reason", "grid cell"),     QT_TRANSLATE_NOOP("Reason", "watermark"),
    QT_TRANSLATE_NOOP("Reason", "logo"),          QT_TRANSLATE_NOOP("Reason", "border"),
};

struct Form
{
    const char *source;
    QRegularExpression pattern;
};

// Each form as a pattern that takes the whole text, a group for each value.
const QList<Form> &compiledForms()
{
    static const QList<Form> forms = [] {
        static const QRegularExpression placeholder(QStringLiteral("%\\d"));
        QList<Form> compiled;
        for (const char *source : messageForms) {
            const QStringList literals = QString::fromUtf8(source).split(placeholder);
            QStringList escaped;
            for (const QString &literal : literals)
                escaped.append(QRegularExpression::escape(literal));
            const QString pattern = escaped.join(QStringLiteral("(.+?)"));
            compiled.append({source, QRegularExpression(QRegularExpression::anchoredPattern(pattern))});
        }
        return compiled;
    }();
    return forms;
}

QString translated(const char *source)
{
    return QCoreApplication::translate(reasons::context, source);
}

// text with %1, %2, ... replaced by values in one pass, so that a value
// holding "%1" stays as it is.
QString filledIn(const QString &text, const QStringList &values)
{
    static const QRegularExpression placeholder(QStringLiteral("%(\\d)"));
    QString filled;
    qsizetype from = 0;
    for (auto found = placeholder.globalMatch(text); found.hasNext();) {
        const QRegularExpressionMatch match = found.next();
        filled += text.mid(from, match.capturedStart() - from);
        filled += values.value(match.captured(1).toInt() - 1);
        from = match.capturedEnd();
    }
    return filled + text.mid(from);
}

const char *stepNamed(const QString &reason)
{
    for (const char *name : stepNames)
        if (reason.startsWith(QLatin1String(name) + QLatin1String(": ")))
            return name;
    return nullptr;
}

// A value that is one of our forms in turn is translated too; a path is
// taken as it is.
QString localisedValue(const QString &value)
{
    return QDir::isAbsolutePath(value) ? value : reasons::localised(value);
}

// The text in the interface's language when it is one of our forms as a
// whole; a null string otherwise.
QString wholeForm(const QString &text)
{
    if (const char *step = stepNamed(text)) {
        const QString rest = text.mid(qstrlen(step) + 2);
        return filledIn(translated(stepFailureForm), {translated(step), localisedValue(rest)});
    }
    for (const Form &form : compiledForms()) {
        const QRegularExpressionMatch match = form.pattern.match(text);
        if (!match.hasMatch())
            continue;
        QStringList values;
        for (int group = 1; group <= match.lastCapturedIndex(); ++group)
            values.append(localisedValue(match.captured(group)));
        return filledIn(translated(form.source), values);
    }
    return QString();
}

// A decoder's words follow our reason in brackets: "... (libpng error: ...)".
QString withDetail(const QString &text)
{
    if (!text.endsWith(QLatin1Char(')')))
        return QString();
    for (qsizetype open = text.lastIndexOf(QLatin1String(" (")); open > 0;
         open = text.lastIndexOf(QLatin1String(" ("), open - 1)) {
        const QString head = wholeForm(text.left(open));
        if (!head.isNull())
            return head + text.mid(open);
    }
    return QString();
}

} // namespace

namespace reasons {

QString localised(const QString &reason)
{
    QString said = wholeForm(reason);
    if (said.isNull())
        said = withDetail(reason);
    return said.isNull() ? reason : said;
}

bool recognised(const QString &reason)
{
    return !wholeForm(reason).isNull() || !withDetail(reason).isNull();
}

QStringList forms()
{
    QStringList all;
    for (const char *source : messageForms)
        all.append(QString::fromUtf8(source));
    all.append(QString::fromUtf8(stepFailureForm));
    for (const char *name : stepNames)
        all.append(QString::fromUtf8(name));
    return all;
}

} // namespace reasons
