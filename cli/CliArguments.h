#pragma once

#include "SentenceOutput.h"

#include <QStringList>

#include <optional>
#include <variant>

// The command line of quellin-cli, parsed; anything malformed is a usage error (exit status 2).
struct CliArguments {
    struct Help {};
    struct Sentences {
        QString file;
        std::optional<QString> language;
        bool pausesOnly = false;
        SentenceOutput::Format format = SentenceOutput::Format::text;
    };
    // Lists the recognition languages.
    struct Languages {};
    struct UsageError {
        QString message;
    };
    using Command = std::variant<Help, Sentences, Languages, UsageError>;

    // `arguments` without the program name.
    static Command parse(const QStringList& arguments);
    static QString usage();
};
