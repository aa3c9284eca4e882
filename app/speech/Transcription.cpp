#include "speech/Transcription.h"

std::vector<Word> Transcription::words() const {
    const qsizetype length = formattedString.size();
    std::vector<Word> result;
    for (size_t i = 0; i < segments.size(); ++i) {
        const TranscriptionSegment& segment = segments[i];
        if (segment.location < 0 || segment.location >= length)
            continue;
        qsizetype wordLength = segment.length;
        const qsizetype next = i + 1 < segments.size() ? segments[i + 1].location : length;
        if (segment.location + wordLength < next && next <= length)
            wordLength = next - segment.location;
        const QString text =
            formattedString.mid(segment.location, std::min(wordLength, length - segment.location))
                .trimmed();
        if (!text.isEmpty()) {
            result.emplace_back(text, segment.timestamp, segment.duration);
            result.back().confidence = segment.confidence;
        }
    }
    return result;
}

Transcription Transcription::fromWords(const std::vector<Word>& words) {
    Transcription transcription;
    for (const Word& word : words) {
        if (!transcription.formattedString.isEmpty())
            transcription.formattedString += QLatin1Char(' ');
        transcription.segments.push_back({transcription.formattedString.size(), word.text.size(),
                                          word.start, word.duration, word.confidence});
        transcription.formattedString += word.text;
    }
    return transcription;
}
