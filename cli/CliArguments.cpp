#include "CliArguments.h"

QString CliArguments::usage() {
    return QStringLiteral("usage: quellin-cli sentences FILE [--language ID] [--pauses-only] "
                          "[--format text|json|srt]\n"
                          "       quellin-cli languages\n");
}

CliArguments::Command CliArguments::parse(const QStringList& arguments) {
    if (arguments.isEmpty())
        return UsageError{QStringLiteral("missing command")};
    const QString& command = arguments.first();
    if (command == u"-h" || command == u"--help" || command == u"help")
        return Help{};
    if (command == u"languages") {
        if (arguments.size() > 1)
            return UsageError{QStringLiteral("languages takes no arguments")};
        return Languages{};
    }
    if (command != u"sentences")
        return UsageError{QStringLiteral("unknown command “%1”").arg(command)};

    Sentences sentences;
    bool haveFile = false;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !argument.startsWith(u'-') || argument == u"-") {
            if (haveFile)
                return UsageError{QStringLiteral("more than one file given")};
            sentences.file = argument;
            haveFile = true;
            continue;
        }
        if (argument == u"--") {
            optionsEnded = true;
            continue;
        }
        if (argument == u"-h" || argument == u"--help")
            return Help{};
        // Options with a value take it after "=" or as the next argument.
        const qsizetype equals = argument.indexOf(u'=');
        const QString name = equals < 0 ? argument : argument.left(equals);
        const auto value = [&]() -> std::optional<QString> {
            if (equals >= 0)
                return argument.mid(equals + 1);
            if (i + 1 < arguments.size())
                return arguments[++i];
            return std::nullopt;
        };
        if (name == u"--pauses-only" && equals < 0) {
            sentences.pausesOnly = true;
        } else if (name == u"--format") {
            const auto given = value();
            const auto format = given ? SentenceOutput::formatNamed(*given) : std::nullopt;
            if (!format)
                return UsageError{QStringLiteral("--format needs text, json or srt")};
            sentences.format = *format;
        } else if (name == u"--language") {
            const auto given = value();
            if (!given || given->isEmpty())
                return UsageError{QStringLiteral("--language needs a language identifier")};
            sentences.language = *given;
        } else {
            return UsageError{QStringLiteral("unknown option “%1”").arg(argument)};
        }
    }
    if (!haveFile || sentences.file.isEmpty())
        return UsageError{QStringLiteral("missing FILE")};
    return sentences;
}
