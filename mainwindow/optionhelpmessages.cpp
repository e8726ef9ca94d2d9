// Writes the help text of every option the form shows, from the option
// table, as messages of the "OptionHelp" context for the translation tools:
// the form's tool tips are these texts in the interface language, so that
// the command line's help and the window's say the same thing.
//
//     vellumo-option-help-messages FILE

#include "run/options.h"

#include <QSaveFile>

#include <cstdio>

namespace {

QByteArray quoted(const char *text)
{
    QByteArray literal = "\"";
    for (const char *at = text; *at; ++at) {
        if (*at == '"' || *at == '\\')
            literal += '\\';
        literal += *at;
    }
    return literal + '"';
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    QByteArray text = "// Made at build time from the option table; read by the translation tools only.\n"
                      "static const char *const optionHelp[] = {\n";
    for (const OptionDeclaration *option : optionDeclarations())
        if (option->widget && option->help)
            text += "    QT_TRANSLATE_NOOP(\"OptionHelp\", " + quoted(option->help) + "),\n";
    text += "};\n";
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
