// Writes what tells the desktop and the shell about the two programs, made
// from the option table and the list of formats a run reads, so that a row
// added to either reaches them without other edits: the manuals vellumo(1)
// and vellumo-batch(1), vellumo-batch's completions for bash, zsh and fish,
// and the desktop file, whose MimeType line it adds to the template.
//
//     vellumo-install-files DESKTOP_TEMPLATE DESKTOP_FILE FOLDER
//
// This is the one place that reads the table for them: a change to the
// table's form is made here.

#include "commandline.h"
#include "formats/formattable.h"
#include "run/options.h"
#include "windowarguments.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cstdio>

namespace {

// One option as the manuals and the completions give it.
struct Switch
{
    enum class Values { None, Typed, Words, Folders, Files };

    QStringList shortNames; // "f"
    QStringList longNames;  // "format"
    QString valueName;      // "FMT"; empty when the option takes no value
    QString help;
    Values values = Values::None;
    QStringList words; // the values offered, for Words
    // The value only follows an equals sign (--keep-dates=taken): the
    // option alone has a meaning, and a next word is an input.
    bool valueAfterEquals = false;
};

const OptionDeclaration *declarationOf(const QString &longName)
{
    for (const OptionDeclaration *option : optionDeclarations()) {
        if (option->commandLine && longName == QLatin1String(option->commandLine))
            return option;
    }
    return nullptr;
}

// The values of a declared option, or of one of the tool's own, which take
// a folder (DIR) or a file (FILE).
void readValues(const QString &longName, Switch &made)
{
    const OptionDeclaration *declared = declarationOf(longName);
    made.values = Switch::Values::Typed;
    if (!declared) {
        if (made.valueName == QLatin1String("DIR"))
            made.values = Switch::Values::Folders;
        else if (made.valueName == QLatin1String("FILE"))
            made.values = Switch::Values::Files;
    } else if (declared->type == OptionDeclaration::Type::Preset) {
        made.values = Switch::Values::Words;
        made.words = declared->presets->words().split(QLatin1Char(' '));
    } else if (declared->type == OptionDeclaration::Type::Colour) {
        made.values = Switch::Values::Words;
        made.words = QColor::colorNames();
    }
}

Switch switchOf(const QCommandLineOption &option)
{
    Switch made;
    for (const QString &name : option.names())
        (name.size() == 1 ? made.shortNames : made.longNames) << name;
    made.valueName = option.valueName();
    made.help = option.description();
    if (!made.valueName.isEmpty())
        readValues(made.longNames.value(0), made);
    const OptionDeclaration *declared = declarationOf(made.longNames.value(0));
    made.valueAfterEquals = declared && declared->aloneEntry;
    return made;
}

QList<Switch> switchesOf(const QList<QCommandLineOption> &options)
{
    QList<Switch> switches;
    for (const QCommandLineOption &option : options)
        switches << switchOf(option);
    return switches;
}

QStringList dashed(const Switch &option)
{
    QStringList names;
    for (const QString &name : option.shortNames)
        names << QLatin1Char('-') + name;
    for (const QString &name : option.longNames)
        names << QStringLiteral("--") + name;
    return names;
}

QString readFormatNames()
{
    QStringList names;
    for (const FileFormat &format : fileFormats())
        names << QString::fromLatin1(format.reader).toUpper();
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

// ------------------------------------------------------------------ manuals

// Text as roff shows it: backslashes and minus signs escaped.
QString roff(QString text)
{
    text.replace(QLatin1Char('\\'), QStringLiteral("\\e"));
    text.replace(QLatin1Char('-'), QStringLiteral("\\-"));
    return text;
}

// Running text, none of whose lines may start like a request.
QString textLines(const QString &text)
{
    return QStringLiteral("\\&") + roff(text).replace(QLatin1Char('\n'), QStringLiteral("\n\\&"))
            + QLatin1Char('\n');
}

QString manualHeader(const QString &program, const QString &summary, const QString &synopsis)
{
    return QStringLiteral(".TH %1 1 \"\" \"Vellumo %2\" \"User Commands\"\n"
                          ".SH NAME\n%3 \\- %4\n.SH SYNOPSIS\n.B %3\n%5\n.SH DESCRIPTION\n")
            .arg(roff(program.toUpper()), QStringLiteral(VELLUMO_VERSION), roff(program),
                 roff(summary), synopsis);
}

QString manualOptions(const QList<Switch> &switches)
{
    QString text = QStringLiteral(".SH OPTIONS\n");
    for (const Switch &option : switches) {
        QStringList names;
        for (const QString &name : dashed(option))
            names << QStringLiteral("\\fB%1\\fR").arg(roff(name));
        text += QStringLiteral(".TP\n") + names.join(QStringLiteral(", "));
        if (!option.valueName.isEmpty())
            text += QStringLiteral(" \\fI%1\\fR").arg(roff(option.valueName));
        text += QLatin1Char('\n') + textLines(option.help);
    }
    return text;
}

QString readFormatsParagraph()
{
    return QStringLiteral(".PP\n")
            + textLines(QStringLiteral("The pictures are read from %1 files, the format taken from "
                                       "the content whatever the suffix; of an animation, the first "
                                       "frame. SVG is not read.").arg(readFormatNames()));
}

QString example(const QString &what, const QString &command)
{
    return QStringLiteral(".PP\n") + textLines(what) + QStringLiteral(".PP\n.RS\n.nf\n")
            + textLines(command) + QStringLiteral(".fi\n.RE\n");
}

QString batchManual()
{
    return manualHeader(QStringLiteral("vellumo-batch"),
                        QStringLiteral("process many pictures at once from the command line"),
                        QStringLiteral("[\\fIoptions\\fR] \\fB\\-o\\fR \\fIDIR\\fR [\\fB\\-\\-\\fR] "
                                       "\\fIFILE\\fR..."))
            + textLines(toolPurpose()) + readFormatsParagraph()
            + manualOptions(switchesOf(commandLineOptions()))
            + QStringLiteral(".SH EXIT STATUS\n") + textLines(exitStatusMeaning())
            + QStringLiteral(".SH EXAMPLES\n")
            + example(QStringLiteral("Shrink photos to fit 1920x1080 and write them as JPEG at "
                                     "quality 80:"),
                      QStringLiteral("vellumo-batch --width 1920 --height 1080 -q 80 -o out photos/*.jpg"))
            + example(QStringLiteral("Every picture under a folder, cropped square, with a border, "
                                     "as PNG:"),
                      QStringLiteral("vellumo-batch -r --aspect-ratio 1:1 --border 10 -f png -o out photos/"))
            + QStringLiteral(".SH SEE ALSO\n.BR vellumo (1)\n");
}

QString windowManual()
{
    return manualHeader(QStringLiteral("vellumo"), QStringLiteral("process many pictures at once"),
                        QStringLiteral("[\\fIoptions\\fR] [\\fIFILE\\fR|\\fIFOLDER\\fR]..."))
            + textLines(windowDescription()) + readFormatsParagraph() + QStringLiteral(".PP\n")
            + textLines(QStringLiteral("The same chain runs without a window as vellumo-batch, "
                                       "whose options are those of the window's form."))
            + manualOptions(switchesOf(windowOptions()))
            + QStringLiteral(".SH SEE ALSO\n.BR vellumo\\-batch (1)\n");
}

// -------------------------------------------------------------- completions

// A word inside single quotes, for bash and zsh.
QString quoted(QString text)
{
    return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QStringLiteral("'\\''"))
            + QLatin1Char('\'');
}

// The words after which a value is completed; the script ends a word split
// at its equals sign with that sign.
QString bashPatterns(const Switch &option)
{
    QStringList patterns;
    if (!option.valueAfterEquals) {
        for (const QString &name : option.shortNames)
            patterns << QLatin1Char('-') + name;
    }
    for (const QString &name : option.longNames) {
        if (!option.valueAfterEquals)
            patterns << QStringLiteral("--") + name;
        patterns << QStringLiteral("--") + name + QLatin1Char('=');
    }
    return patterns.join(QLatin1Char('|'));
}

QString bashCase(const Switch &option)
{
    const QString patterns = bashPatterns(option);
    switch (option.values) {
    case Switch::Values::Words:
        return QStringLiteral("        %1) replies=(%2) ;;\n").arg(patterns, option.words.join(QLatin1Char(' ')));
    case Switch::Values::Folders:
        return QStringLiteral("        %1) _vellumo_batch_files -d; return ;;\n").arg(patterns);
    case Switch::Values::Files:
        return QStringLiteral("        %1) _vellumo_batch_files -f; return ;;\n").arg(patterns);
    case Switch::Values::Typed:
        return QStringLiteral("        %1) return ;;\n").arg(patterns);
    case Switch::Values::None:
        break;
    }
    return QString();
}

QString bashCompletion(const QList<Switch> &switches)
{
    QString cases;
    QStringList names;
    for (const Switch &option : switches) {
        cases += bashCase(option);
        names << dashed(option);
    }
    return QStringLiteral(
                   "# bash completion for vellumo-batch, made from its option table\n\n"
                   "_vellumo_batch_files()\n{\n"
                   "    compopt -o filenames 2>/dev/null\n"
                   "    COMPREPLY=($(compgen \"$1\" -- \"${COMP_WORDS[COMP_CWORD]}\"))\n}\n\n"
                   "_vellumo_batch()\n{\n"
                   "    # The words up to the cursor split at blanks only: bash splits its own\n"
                   "    # at \"=\" and \":\" too (--format=PNG, 16:9).\n"
                   "    local line=${COMP_LINE:0:COMP_POINT} word\n"
                   "    local -a words replies\n"
                   "    read -ra words <<< \"$line\"\n"
                   "    [[ -z $line || $line == *[[:space:]] ]] && words+=('')\n"
                   "    local current=${words[-1]} previous=${words[-2]}\n"
                   "    for word in \"${words[@]:1:${#words[@]}-2}\"; do\n"
                   "        [[ $word == -- ]] && { _vellumo_batch_files -f; return; }\n"
                   "    done\n"
                   "    if [[ $current == --*=* ]]; then\n"
                   "        previous=${current%%=*}=\n"
                   "        current=${current#*=}\n"
                   "    fi\n"
                   "    case $previous in\n%1"
                   "        *)\n"
                   "            [[ $current == -* ]] || { _vellumo_batch_files -f; return; }\n"
                   "            replies=(%2) ;;\n"
                   "    esac\n"
                   "    COMPREPLY=($(compgen -W \"${replies[*]}\" -- \"$current\"))\n"
                   "    # bash puts in only what follows the word's last \":\"\n"
                   "    [[ $current == *:* ]] && COMPREPLY=(\"${COMPREPLY[@]#\"${current%:*}:\"}\")\n"
                   "}\n\n"
                   "complete -F _vellumo_batch vellumo-batch\n")
            .arg(cases, names.join(QLatin1Char(' ')));
}

// Text inside the brackets of an option of _arguments.
QString zshBracketed(QString text)
{
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    text.replace(QLatin1Char('['), QStringLiteral("\\["));
    text.replace(QLatin1Char(']'), QStringLiteral("\\]"));
    return text;
}

QString zshAction(const Switch &option)
{
    switch (option.values) {
    case Switch::Values::Words: {
        QStringList words;
        for (QString word : option.words)
            words << word.replace(QLatin1Char(':'), QStringLiteral("\\:"));
        return QStringLiteral("(%1)").arg(words.join(QLatin1Char(' ')));
    }
    case Switch::Values::Folders:
        return QStringLiteral("_files -/");
    case Switch::Values::Files:
        return QStringLiteral("_files");
    case Switch::Values::Typed:
    case Switch::Values::None:
        break;
    }
    return QStringLiteral(" ");
}

QString zshOptionEntry(const Switch &option)
{
    QStringList names;
    for (const QString &name : option.shortNames)
        names << QLatin1Char('-') + name + (option.valueName.isEmpty() ? "" : "+");
    for (const QString &name : option.longNames)
        names << QStringLiteral("--") + name + (option.valueName.isEmpty() ? "" : option.valueAfterEquals ? "=-" : "=");
    QString tail = QLatin1Char('[') + zshBracketed(option.help) + QLatin1Char(']');
    if (!option.valueName.isEmpty())
        tail += QLatin1Char(':') + option.valueName + QLatin1Char(':') + zshAction(option);
    if (names.size() == 1)
        return quoted(names.first() + tail);
    return quoted(QLatin1Char('(') + dashed(option).join(QLatin1Char(' ')) + QLatin1Char(')'))
            + QLatin1Char('{') + names.join(QLatin1Char(',')) + QLatin1Char('}') + quoted(tail);
}

QString zshCompletion(const QList<Switch> &switches)
{
    QString text = QStringLiteral("#compdef vellumo-batch\n"
                                  "# zsh completion for vellumo-batch, made from its option table\n\n"
                                  "_arguments -s -S \\\n");
    for (const Switch &option : switches)
        text += QStringLiteral("  %1 \\\n").arg(zshOptionEntry(option));
    return text + QStringLiteral("  '*:FILE:_files'\n");
}

QString fishQuoted(QString text)
{
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    text.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString fishLine(const Switch &option)
{
    QString line = QStringLiteral("complete -c vellumo-batch");
    for (const QString &name : option.shortNames)
        line += QStringLiteral(" -s ") + name;
    for (const QString &name : option.longNames)
        line += QStringLiteral(" -l ") + name;
    switch (option.values) {
    case Switch::Values::Words:
        line += QLatin1String(option.valueAfterEquals ? " -f -a " : " -x -a ")
                + fishQuoted(option.words.join(QLatin1Char(' ')));
        break;
    case Switch::Values::Folders:
        line += QStringLiteral(" -x -a '(__fish_complete_directories (commandline -ct))'");
        break;
    case Switch::Values::Files:
        line += QStringLiteral(" -r -F");
        break;
    case Switch::Values::Typed:
        line += QStringLiteral(" -x");
        break;
    case Switch::Values::None:
        break;
    }
    return line + QStringLiteral(" -d ") + fishQuoted(option.help) + QLatin1Char('\n');
}

QString fishCompletion(const QList<Switch> &switches)
{
    QString text = QStringLiteral("# fish completion for vellumo-batch, made from its option table\n\n");
    for (const Switch &option : switches)
        text += fishLine(option);
    return text;
}

// ------------------------------------------------------------------ writing

QString desktopFile(const QString &templatePath, bool *read)
{
    QFile file(templatePath);
    *read = file.open(QIODevice::ReadOnly);
    if (!*read) {
        std::fprintf(stderr, "cannot read %s: %s\n", qPrintable(templatePath),
                     qPrintable(file.errorString()));
        return QString();
    }
    QString mediaTypes;
    for (const FileFormat &format : fileFormats()) {
        for (const QString &mediaType : format.mediaTypeList())
            mediaTypes += mediaType + QLatin1Char(';');
    }
    return QString::fromUtf8(file.readAll()) + QStringLiteral("MimeType=") + mediaTypes + QLatin1Char('\n');
}

bool write(const QString &path, const QString &text)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit())
        return true;
    std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4) {
        std::fprintf(stderr, "usage: %s DESKTOP_TEMPLATE DESKTOP_FILE FOLDER\n", argv[0]);
        return 2;
    }
    bool read = false;
    const QString desktop = desktopFile(arguments.at(1), &read);
    const QDir folder(arguments.at(3));
    const QList<Switch> batchSwitches = switchesOf(commandLineOptions());
    const bool written = read && write(arguments.at(2), desktop)
            && write(folder.filePath(QStringLiteral("vellumo.1")), windowManual())
            && write(folder.filePath(QStringLiteral("vellumo-batch.1")), batchManual())
            && write(folder.filePath(QStringLiteral("vellumo-batch.bash")), bashCompletion(batchSwitches))
            && write(folder.filePath(QStringLiteral("_vellumo-batch")), zshCompletion(batchSwitches))
            && write(folder.filePath(QStringLiteral("vellumo-batch.fish")), fishCompletion(batchSwitches));
    return written ? 0 : 1;
}
