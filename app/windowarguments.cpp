#include "windowarguments.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(windowDescription());
    parser.addOptions(windowOptions());
    parser.addPositionalArgument(QStringLiteral("FILE|FOLDER"),
                                 QStringLiteral("Pictures to list; a folder stands for the "
                                                "pictures under it."),
                                 QStringLiteral("[FILE|FOLDER...]"));
}

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

QString windowDescription()
{
    return QStringLiteral("Opens the Vellumo window, which runs a chain of operations over many "
                          "pictures at once, with the given files listed, and the pictures "
                          "under the given folders, as if they were dropped onto it.");
}

QList<QCommandLineOption> windowOptions()
{
    return {
        QCommandLineOption({"h", "help"}, QStringLiteral("Show this help and exit.")),
        QCommandLineOption({"v", "version"}, QStringLiteral("Show the version and exit.")),
    };
}

WindowArguments parseWindowArguments(const QStringList &arguments)
{
    QCommandLineParser parser;
    describe(parser);
    WindowArguments parsed;
    if (!parser.parse(arguments)) {
        parsed.complaint = parser.errorText();
        if (parsed.complaint.endsWith(QLatin1Char('.')))
            parsed.complaint.chop(1);
        return parsed;
    }
    if (parser.isSet(QStringLiteral("help")))
        parsed.action = WindowArguments::Action::ShowHelp;
    else if (parser.isSet(QStringLiteral("version")))
        parsed.action = WindowArguments::Action::ShowVersion;
    else
        parsed.action = WindowArguments::Action::Open;
    parsed.inputs = parser.positionalArguments();
    return parsed;
}

int answerWithoutWindow(const WindowArguments &arguments)
{
    const QString program = QCoreApplication::applicationName();
    switch (arguments.action) {
    case WindowArguments::Action::ShowHelp: {
        QCommandLineParser parser;
        describe(parser);
        print(stdout, parser.helpText());
        return 0;
    }
    case WindowArguments::Action::ShowVersion:
        print(stdout, QStringLiteral("%1 %2\n").arg(program, QCoreApplication::applicationVersion()));
        return 0;
    case WindowArguments::Action::UsageError:
        print(stderr, QStringLiteral("%1: %2 (see %1 --help)\n").arg(program, arguments.complaint));
        return 2;
    case WindowArguments::Action::Open:
        break;
    }
    return 0;
}
