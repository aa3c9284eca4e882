#include "base/TextConfidence.h"

namespace TextConfidence {

namespace {

// The rule: a file's recognised text is reliable when the mean confidence of its sentences,
// weighted by their length, is at least 0.55 (each sentence's is the mean of its words'
// posteriors). Measured with this recogniser (cut at pauses, Debian's en-US model) on
// half-minute files, word error rate → mean:
//   LibriVox audiobook clips, clean                        28–30 % → 0.74–0.75
//   the same with moderate reverberation                   46–54 % → 0.58–0.60 (the border)
//   the same in pink noise (SNR about 10 dB)               82–85 % → 0.20–0.23
//   the same reverberant as in a hall                      92–97 % → 0.28–0.54
//   espeak-ng Harvard sentences                            72–75 % → 0.31–0.41
//   espeak-ng German, Spanish, French read as English        100 % → 0.23–0.48
// and, with pocketsphinx_continuous on real recordings, 0.64 for a clean audiobook passage (26 %)
// and 0.88 for a clear talk, against 0.41–0.43 for English it got mostly wrong (73 %, over 100 %).
// 0.55 lies between the two groups, closest to the hall (whose few words come out confidently
// wrong); the same file varies by up to 0.15 with a trace of dither, so nothing finer is
// warranted. Other cues were measured and left out: the share of words found by trigrams,
// acoustic scores per frame and the share of time in fillers do not separate the groups; words
// per second catches a slow reverberant reading that the posteriors miss (few words, each
// confidently wrong) but would also catch slow, clear speech. Known misses: espeak-ng's voice
// reading plain sentences is mostly recognised right (13 %) yet scores 0.40–0.43 (a synthetic
// voice spreads the posteriors), so it is called unreliable; a slow, heavily reverberant
// synthetic reading (92–97 %) scores up to 0.8 and is called reliable.
constexpr double reliableFrom = 0.55;
// A sentence below this is doubtful even in a reliable file: it scores no better than whole files
// of other languages read as English do.
constexpr double doubtfulBelow = 0.4;

} // namespace

std::optional<double> fileConfidence(const std::vector<Sentence>& sentences) {
    double weighted = 0;
    double weights = 0;
    for (const Sentence& sentence : sentences) {
        if (!sentence.confidence)
            continue;
        weighted += sentence.duration() * *sentence.confidence;
        weights += sentence.duration();
    }
    if (weights <= 0)
        return std::nullopt;
    return weighted / weights;
}

bool textReliable(const std::vector<Sentence>& sentences) {
    const std::optional<double> confidence = fileConfidence(sentences);
    return !confidence || *confidence >= reliableFrom;
}

bool isDoubtful(const Sentence& sentence, bool fileReliable) {
    return sentence.text && sentence.confidence &&
           (!fileReliable || *sentence.confidence < doubtfulBelow);
}

bool isFaded(const Sentence& sentence, bool fileReliable, bool plain) {
    return !plain && isDoubtful(sentence, fileReliable);
}

} // namespace TextConfidence
