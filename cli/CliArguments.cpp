#include "CliArguments.h"

#include <QCommandLineParser>

namespace {

// Every option quellin-cli knows; the last three belong to `sentences`.
struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and exit.")};
    QCommandLineOption language{
        QStringLiteral("language"),
        QStringLiteral("The language spoken in FILE, as listed by `quellin-cli languages`; by "
                       "default the window's."),
        QStringLiteral("ID")};
    QCommandLineOption pausesOnly{QStringLiteral("pauses-only"),
                                  QStringLiteral("Split at pauses without recognising speech.")};
    QCommandLineOption format{QStringLiteral("format"),
                              QStringLiteral("How the sentences are printed (default: text)."),
                              QStringLiteral("text|json|srt")};

    // A parser that knows them all: `-` is a file, `--` ends the options, and options may
    // follow the file.
    void addTo(QCommandLineParser& parser) const {
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
        parser.addOptions({help, version, language, pausesOnly, format});
        parser.addPositionalArgument(QStringLiteral("command"),
                                     QStringLiteral("sentences FILE, or languages."));
    }
};

bool setsSentenceOptions(const QCommandLineParser& parser, const Options& options) {
    return parser.isSet(options.language) || parser.isSet(options.pausesOnly) ||
           parser.isSet(options.format);
}

} // namespace

QString CliArguments::usage() {
    return QStringLiteral("usage: quellin-cli sentences FILE [--language ID] [--pauses-only] "
                          "[--format text|json|srt]\n"
                          "       quellin-cli languages\n"
                          "       quellin-cli attempt MEDIA --start S --end E --take TAKE\n");
}

QString CliArguments::help() {
    QCommandLineParser parser;
    Options().addTo(parser);
    // Qt's own first line would show one synopsis for both commands.
    const QString described = parser.helpText();
    return usage() + described.mid(described.indexOf(u'\n') + 1);
}

CliArguments::Command CliArguments::parse(const QStringList& arguments) {
    const Options options;
    QCommandLineParser parser;
    options.addTo(parser);
    if (!parser.parse(QStringList{QStringLiteral("quellin-cli")} + arguments))
        return UsageError{parser.errorText()};
    if (parser.isSet(options.help))
        return Help{};
    if (parser.isSet(options.version))
        return Version{};

    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return UsageError{QStringLiteral("missing command")};
    const QString command = positional.takeFirst();
    if (command == u"help")
        return Help{};
    if (command == u"languages") {
        if (!positional.isEmpty() || setsSentenceOptions(parser, options))
            return UsageError{QStringLiteral("languages takes no arguments")};
        return Languages{};
    }
    if (command != u"sentences")
        return UsageError{QStringLiteral("unknown command “%1”").arg(command)};

    if (positional.size() > 1)
        return UsageError{QStringLiteral("more than one file given")};
    if (positional.isEmpty() || positional.first().isEmpty())
        return UsageError{QStringLiteral("missing FILE")};
    Sentences sentences;
    sentences.file = positional.first();
    sentences.pausesOnly = parser.isSet(options.pausesOnly);
    if (parser.isSet(options.format)) {
        const auto format = SentenceOutput::formatNamed(parser.value(options.format));
        if (!format)
            return UsageError{QStringLiteral("--format needs text, json or srt")};
        sentences.format = *format;
    }
    if (parser.isSet(options.language)) {
        const QString language = parser.value(options.language);
        if (language.isEmpty())
            return UsageError{QStringLiteral("--language needs a language identifier")};
        sentences.language = language;
    }
    return sentences;
}
