#pragma once

#include "SentenceOutput.h"

#include "export/SessionExport.h"

#include <QStringList>

class QCommandLineParser;

#include <optional>
#include <variant>

// The command line of quellin-cli, parsed with QCommandLineParser: a command (`sentences`,
// `subtitles`, `export` or `languages`) and its options. Anything malformed is a usage error,
// which main()
// answers with exit status 2 and the usage on stderr. Plain functions of their arguments, any
// thread.
struct CliArguments {
    struct Help {};
    struct Version {};
    struct Sentences {
        QString file;
        std::optional<QString> language;
        bool pausesOnly = false;
        // "auto" (the track the window would choose), "none", or a subtitle file's path.
        QString subtitles = QStringLiteral("auto");
        // A transcript to align instead of recognising speech; `language` is then its language.
        std::optional<QString> transcript;
        SentenceOutput::Format format = SentenceOutput::Format::text;
    };
    // Lists the subtitle tracks found for a media file.
    struct Subtitles {
        QString file;
    };
    // Exports the saved session of `file` (its sentences found first when there is none).
    struct Export {
        QString file;
        std::optional<QString> language;
        SessionExport::Request request;
    };
    // Lists the recognition languages.
    struct Languages {};
    struct UsageError {
        QString message;
    };
    using Command =
        std::variant<Help, Version, Sentences, Subtitles, Export, Languages, UsageError>;

    // `arguments` without the program name.
    static Command parse(const QStringList& arguments);
    // For a command that takes one file: parses `arguments` (the command's name first) with the
    // options already added to `parser`, and gives the file, or what is wrong (`missing` when no
    // file is named).
    static std::variant<QString, UsageError>
    oneFile(QCommandLineParser& parser, const QStringList& arguments, const QString& missing);
    // The command lines, as printed after a usage error.
    static QString usage();
    // The usage followed by every option and what it does (--help).
    static QString help();
};
