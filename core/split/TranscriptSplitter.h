#pragma once

#include "base/Sentence.h"

#include <QString>

#include <vector>

// Groups recognised words into practice sentences: a sentence ends at its closing punctuation, at a
// long silence, or before it grows too long to repeat aloud. Durations are seconds.
struct TranscriptSplitter {
    // A silence between two words at least this long always ends a sentence.
    double pauseBreak = 0.7;
    // The words of a sentence never span more than this, except a single word longer by itself.
    double maxLength = 15.0;
    // Closing punctuation ends a sentence only once it spans at least this.
    double minLength = 0.6;
    // Time added before the first and after the last word.
    double padBefore = 0.15;
    double padAfter = 0.25;
    // Placed between the words of a sentence's text.
    QString joiner = QStringLiteral(" ");

    TranscriptSplitter() = default;
    // The defaults, with words joined by nothing for languages written without spaces ("ja", "zh",
    // "yue", "th", "lo", "my", "km", in any case; only the bare language code matches).
    explicit TranscriptSplitter(const QString& languageCode);

    // Sentences with text, not hard, in time order, from words in time order. `duration` is the
    // media file's length, or 0 or less when it is not known (the ends are then not limited).
    // `stretches`, where the recording holds sound (SilenceSplitter::soundStretches), are kept
    // whatever the words: a
    // stretch of at least 0.3 s lies at least half inside a sentence, one in which no word was
    // recognised becomes a sentence of its own with its own times and empty text.
    std::vector<Sentence> sentences(const std::vector<Word>& words, double duration,
                                    const std::vector<TimeRange>& stretches = {}) const;

    // Whether a word's text closes a sentence: its last character, after closing quotes and
    // brackets, is a terminator, and the word is no abbreviation such as "Mr.".
    static bool endsSentence(const QString& text);

    // Combines an earlier and a later list of words: the later list replaces the earlier words it
    // covers again.
    static std::vector<Word> merge(const std::vector<Word>& earlier,
                                   const std::vector<Word>& later);
    // The same in place, for a list that grows result by result: the words kept are not copied
    // again for every result.
    static void mergeInto(std::vector<Word>& earlier, const std::vector<Word>& later);
};
