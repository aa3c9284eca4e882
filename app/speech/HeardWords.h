#pragma once

#include "feedback/AttemptFeedback.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <stop_token>
#include <vector>

// Which of a sentence's words a take says, heard by the language's PocketSphinx model restricted
// to the sentence's words in order (SphinxDecoder::hearInOrder). Synchronous, any thread: one
// decoder is kept for the whole process (loading it takes about a second and 90 MB) and serves
// one take at a time; hearing a take of a few seconds takes about half a second.
namespace HeardWords {

// The sentence's words as written (surrounding punctuation removed), each heard or not in the
// whole take file (its silence too: cut at the voice, a word's first sound is lost), or none
// when words cannot be checked: a text without words, no model for the language on this
// computer, a take that cannot be read, a recogniser that fails (logged) or a stop request.
std::optional<std::vector<AttemptFeedback::HeardWord>> hear(const QString& text,
                                                            const QString& language,
                                                            const QString& takePath,
                                                            std::stop_token stop = {});

// The words of a text as written, without the punctuation around them; a token with no letter
// or digit is no word.
QStringList wordsOf(const QString& text);
// A written word as the dictionaries spell it: lower case, typographic apostrophes plain; empty
// when it holds anything else than letters and apostrophes, which no dictionary word does.
QString dictionarySpelling(const QString& word);

} // namespace HeardWords
