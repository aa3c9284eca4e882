#pragma once

#include "base/Sentence.h"

#include <QString>

#include <vector>

// One recognised piece of a transcription: where its text lies in the formatted string (in UTF-16
// units, as QString counts) and when it was spoken (seconds from the start of the file).
struct TranscriptionSegment {
    // A location that marks a segment whose text could not be placed in the formatted string.
    static constexpr qsizetype notFound = -1;

    qsizetype location = notFound;
    qsizetype length = 0;
    double timestamp = 0;
    double duration = 0;
    std::optional<double> confidence; // 0 to 1, when the recogniser gives one

    bool operator==(const TranscriptionSegment&) const = default;
};

// What a recogniser delivers for one hypothesis or final result: the text as it would be written
// (an engine that punctuates puts the punctuation here) and the timed segments within it.
struct Transcription {
    QString formattedString;
    std::vector<TranscriptionSegment> segments;

    // The words of the transcription in segment order. Text between a segment and the next one
    // (punctuation, spaces) belongs to the earlier word; white space is trimmed; segments that
    // cannot be placed or hold only white space give no word.
    std::vector<Word> words() const;

    // Joins plain words with single spaces into a transcription whose segments cover exactly the
    // words, as an engine without punctuation produces it.
    static Transcription fromWords(const std::vector<Word>& words);
};
