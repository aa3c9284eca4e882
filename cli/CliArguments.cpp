#include "CliArguments.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

// Every option quellin-cli knows: `sentences` takes language, pauses-only, subtitles, transcript
// and format; `export` takes language, to, hard-only and out; `subtitles` takes only the file.
struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QCoreApplication::translate("quellin-cli", "Show this help and exit.")};
    QCommandLineOption version{
        {QStringLiteral("v"), QStringLiteral("version")},
        QCoreApplication::translate("quellin-cli", "Show the version and exit.")};
    QCommandLineOption language{
        QStringLiteral("language"),
        QCoreApplication::translate(
            "quellin-cli",
            "The language spoken in FILE, as listed by `quellin-cli languages` (for "
            "a transcript: any language espeak-ng speaks); by default the window's."),
        QStringLiteral("ID")};
    QCommandLineOption pausesOnly{
        QStringLiteral("pauses-only"),
        QCoreApplication::translate("quellin-cli", "Split at pauses without recognising speech.")};
    QCommandLineOption subtitles{
        QStringLiteral("subtitles"),
        QCoreApplication::translate(
            "quellin-cli", "Where the sentences' text comes from: the subtitles the window would "
                           "choose (auto, the default), none, or this subtitle file."),
        QStringLiteral("auto|none|PATH")};
    QCommandLineOption transcript{
        QStringLiteral("transcript"),
        QCoreApplication::translate(
            "quellin-cli", "Align this text of FILE (plain text) instead of recognising speech."),
        QStringLiteral("PATH")};
    QCommandLineOption format{QStringLiteral("format"),
                              QCoreApplication::translate(
                                  "quellin-cli", "How the sentences are printed (default: text)."),
                              QStringLiteral("text|json|srt")};
    QCommandLineOption to{
        QStringLiteral("to"),
        QCoreApplication::translate("quellin-cli", "What to export FILE's sentences as."),
        QStringLiteral("anki|srt|vtt|clips")};
    QCommandLineOption hardOnly{
        QStringLiteral("hard-only"),
        QCoreApplication::translate("quellin-cli", "Export only the sentences marked hard.")};
    QCommandLineOption out{
        QStringLiteral("out"),
        QCoreApplication::translate("quellin-cli", "The folder the export is written into."),
        QStringLiteral("DIR")};

    // A parser that knows them all: `-` is a file, `--` ends the options, and options may
    // follow the file.
    void addTo(QCommandLineParser& parser) const {
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
        parser.addOptions({help, version, language, pausesOnly, subtitles, transcript, format, to,
                           hardOnly, out});
        parser.addPositionalArgument(
            QStringLiteral("command"),
            QCoreApplication::translate(
                "quellin-cli", "sentences FILE, subtitles FILE, export FILE, or languages."));
    }
};

bool setsSentenceOptions(const QCommandLineParser& parser, const Options& options) {
    return parser.isSet(options.language) || parser.isSet(options.pausesOnly) ||
           parser.isSet(options.subtitles) || parser.isSet(options.transcript) ||
           parser.isSet(options.format);
}

bool setsExportOptions(const QCommandLineParser& parser, const Options& options) {
    return parser.isSet(options.to) || parser.isSet(options.hardOnly) || parser.isSet(options.out);
}

CliArguments::Command exportCommand(const QCommandLineParser& parser, const Options& options,
                                    const QString& file, std::optional<QString> language) {
    if (parser.isSet(options.pausesOnly) || parser.isSet(options.format) ||
        parser.isSet(options.subtitles) || parser.isSet(options.transcript))
        return CliArguments::UsageError{
            QCoreApplication::translate("quellin-cli", "export takes --to, --hard-only and --out")};
    const auto kind = SessionExport::kindNamed(parser.value(options.to));
    if (!kind)
        return CliArguments::UsageError{
            QCoreApplication::translate("quellin-cli", "--to needs anki, srt, vtt or clips")};
    if (parser.value(options.out).isEmpty())
        return CliArguments::UsageError{
            QCoreApplication::translate("quellin-cli", "--out needs a folder")};
    return CliArguments::Export{file,
                                std::move(language),
                                {*kind, parser.isSet(options.hardOnly), parser.value(options.out)}};
}

} // namespace

std::variant<QString, CliArguments::UsageError> CliArguments::oneFile(QCommandLineParser& parser,
                                                                      const QStringList& arguments,
                                                                      const QString& missing) {
    if (!parser.parse(QStringList{QStringLiteral("quellin-cli")} + arguments))
        return UsageError{parser.errorText()};
    QStringList positional = parser.positionalArguments();
    positional.removeFirst(); // the command
    if (positional.size() > 1)
        return UsageError{QCoreApplication::translate("quellin-cli", "more than one file given")};
    if (positional.isEmpty() || positional.first().isEmpty())
        return UsageError{missing};
    return positional.first();
}

// GNU style, which help2man turns into the manual page's synopsis.
QString CliArguments::usage() {
    return QStringLiteral(
        "Usage: quellin-cli sentences FILE [--language ID] "
        "[--pauses-only | --transcript PATH] [--subtitles auto|none|PATH] "
        "[--format text|json|srt]\n"
        "  or:  quellin-cli subtitles FILE\n"
        "  or:  quellin-cli export FILE --to anki|srt|vtt|clips [--hard-only] "
        "--out DIR\n"
        "  or:  quellin-cli languages\n"
        "  or:  quellin-cli attempt MEDIA --start S --end E --take TAKE "
        "[--text TEXT] [--language ID]\n"
        "  or:  quellin-cli frame FILE --at SECONDS --out FILE.png [--width N]\n");
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
        return UsageError{QCoreApplication::translate("quellin-cli", "missing command")};
    const QString command = positional.takeFirst();
    if (command == u"help")
        return Help{};
    if (command == u"languages") {
        if (!positional.isEmpty() || setsSentenceOptions(parser, options) ||
            setsExportOptions(parser, options))
            return UsageError{
                QCoreApplication::translate("quellin-cli", "languages takes no arguments")};
        return Languages{};
    }
    if (command != u"sentences" && command != u"subtitles" && command != u"export")
        return UsageError{
            QCoreApplication::translate("quellin-cli", "unknown command “%1”").arg(command)};

    if (positional.size() > 1)
        return UsageError{QCoreApplication::translate("quellin-cli", "more than one file given")};
    if (positional.isEmpty() || positional.first().isEmpty())
        return UsageError{QStringLiteral("missing FILE")};
    if (command == u"subtitles") {
        if (setsSentenceOptions(parser, options) || setsExportOptions(parser, options))
            return UsageError{
                QCoreApplication::translate("quellin-cli", "subtitles takes only FILE")};
        return Subtitles{positional.first()};
    }
    std::optional<QString> language;
    if (parser.isSet(options.language)) {
        language = parser.value(options.language);
        if (language->isEmpty())
            return UsageError{QCoreApplication::translate(
                "quellin-cli", "--language needs a language identifier")};
    }
    if (command == u"export")
        return exportCommand(parser, options, positional.first(), language);
    if (setsExportOptions(parser, options))
        return UsageError{QCoreApplication::translate(
            "quellin-cli", "--to, --hard-only and --out belong to export")};
    Sentences sentences;
    sentences.file = positional.first();
    sentences.language = language;
    sentences.pausesOnly = parser.isSet(options.pausesOnly);
    if (parser.isSet(options.format)) {
        const auto format = SentenceOutput::formatNamed(parser.value(options.format));
        if (!format)
            return UsageError{
                QCoreApplication::translate("quellin-cli", "--format needs text, json or srt")};
        sentences.format = *format;
    }
    if (parser.isSet(options.subtitles)) {
        sentences.subtitles = parser.value(options.subtitles);
        if (sentences.subtitles.isEmpty())
            return UsageError{QCoreApplication::translate(
                "quellin-cli", "--subtitles needs auto, none or a file")};
    }
    if (parser.isSet(options.transcript)) {
        if (sentences.pausesOnly || parser.value(options.transcript).isEmpty())
            return UsageError{QCoreApplication::translate(
                "quellin-cli", "--transcript needs a file and no --pauses-only")};
        sentences.transcript = parser.value(options.transcript);
    }
    return sentences;
}
