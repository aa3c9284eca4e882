#pragma once

#include "feedback/AttemptFeedback.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

// `quellin-cli attempt MEDIA --start S --end E --take TAKE [--text TEXT] [--language ID]`:
// analyses a take of the sentence S–E of MEDIA as the window does and prints the comparison as
// JSON. Kept apart from the `sentences` command's parsing and output. Plain functions, any
// thread.
namespace AttemptCommand {

struct Arguments {
    QString media;
    TimeRange sentence;
    QString take;
    std::optional<QString> text;
    std::optional<QString> language;
};
// The language of --text when --language is not given: the one recogniser Debian installs.
inline const QString defaultLanguage = QStringLiteral("en-US");

struct UsageError {
    QString message;
};

// `arguments` without the program name, the command word first.
std::variant<Arguments, UsageError> parse(const QStringList& arguments);
QString usage();

// The comparison as compact JSON: pace, intonationMatch (null when they cannot be measured),
// pauses, pitch (semitones every 10 ms on the sentence's axis, null where unvoiced) and, where
// words were checked, heard (the sentence's words in order, each {word, heard}, heard null for a
// word the recogniser cannot check).
QByteArray json(const AttemptFeedback& feedback);

// Runs the analysis and prints to stdout; messages in the user's terms on stderr. Returns the
// exit status: 0, or 1 when a file cannot be read.
int run(const Arguments& arguments);

} // namespace AttemptCommand
