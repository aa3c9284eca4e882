#include "split/TranscriptSplitter.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr char16_t kTerminators[] = {u'.',      u'?',      u'!',      u'\u2026', u'\u3002',
                                     u'\uFF1F', u'\uFF01', u'\u061F', u'\u0964'};

// Quotes and brackets that may follow the terminator, and the space.
constexpr char16_t kClosing[] = {u'"', u'\'', u'\u00BB', u'\u201D', u'\u2019',
                                 u')', u']',  u'\u300D', u'\u300F', u' '};

constexpr QStringView kAbbreviations[] = {u"mr.",  u"mrs.", u"ms.",   u"dr.",  u"st.",
                                          u"sr.",  u"sra.", u"srta.", u"etc.", u"e.g.",
                                          u"i.e.", u"vs.",  u"prof."};

// Languages written without spaces between words.
constexpr QStringView kUnspacedLanguages[] = {u"ja", u"zh", u"yue", u"th", u"lo", u"my", u"km"};

// Seconds by which a later word list must start after an earlier word for that word to be kept.
constexpr double kMergeTolerance = 0.01;

template <size_t N> bool isOneOf(QChar c, const char16_t (&set)[N]) {
    return std::find(std::begin(set), std::end(set), c.unicode()) != std::end(set);
}

// Spaces and tabs, not line breaks.
bool isHorizontalSpace(QChar c) {
    return c == u'\t' || c.category() == QChar::Separator_Space;
}

QStringView trimmedHorizontally(QStringView text) {
    while (!text.isEmpty() && isHorizontalSpace(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isHorizontalSpace(text.back()))
        text.chop(1);
    return text;
}

// The recognised words that carry text, in order; the ones of white space alone are left out.
std::vector<const Word*> spokenWords(const std::vector<Word>& words) {
    std::vector<const Word*> spoken;
    spoken.reserve(words.size());
    for (const Word& word : words)
        if (!trimmedHorizontally(word.text).isEmpty())
            spoken.push_back(&word);
    return spoken;
}

// Consecutive words [first, last) of the spoken list.
struct Group {
    size_t first = 0;
    size_t last = 0;
};

// The duration-weighted mean of the confidences of the spoken words [first, last), to three
// decimals; none when no word has one. A long word counts for more of what the learner hears.
std::optional<double> meanConfidence(const std::vector<const Word*>& spoken, size_t first,
                                     size_t last) {
    double weighted = 0;
    double weights = 0;
    for (size_t k = first; k < last; ++k) {
        if (!spoken[k]->confidence)
            continue;
        const double weight = std::max(spoken[k]->duration, 0.01);
        weighted += weight * *spoken[k]->confidence;
        weights += weight;
    }
    if (weights <= 0)
        return std::nullopt;
    return std::round(weighted / weights * 1000.0) / 1000.0;
}

// What becomes one sentence: where its sound lies, the padding it may take, and its words (none
// for a stretch of sound in which nothing was recognised).
struct Piece {
    double soundStart = 0;
    double soundEnd = 0;
    double padBefore = 0;
    double padAfter = 0;
    std::optional<Group> words;
};

double overlap(double start, double end, double otherStart, double otherEnd) {
    return std::max(0.0, std::min(end, otherEnd) - std::max(start, otherStart));
}

// Shorter stretches of the pause split may be clicks or breaths.
constexpr double kLeastStretch = 0.3;

// No sound is lost, whatever the recogniser heard: every stretch of the pause split (at least
// kLeastStretch long) that the word pieces do not cover by half either widens the piece whose
// words lie in it to the whole stretch (the recogniser heard only part of it), or, when no word
// lies in it, becomes a piece of its own with the stretch's times and no words. A stretch never
// joins a neighbour across a pause.
void keepEveryStretch(std::vector<Piece>& pieces, const std::vector<const Word*>& spoken,
                      const std::vector<TimeRange>& stretches) {
    std::vector<Piece> added;
    for (const TimeRange& stretch : stretches) {
        const double length = stretch.end - stretch.start;
        if (length < kLeastStretch)
            continue;
        double covered = 0;
        size_t mostWords = pieces.size();
        double mostWordTime = 0;
        // The pieces are in time order and do not overlap: look only at those near the stretch.
        const auto near = std::partition_point(pieces.begin(), pieces.end(), [&](const Piece& p) {
            return p.soundEnd + p.padAfter <= stretch.start;
        });
        for (auto p = size_t(near - pieces.begin()); p < pieces.size(); ++p) {
            const double start = pieces[p].soundStart - pieces[p].padBefore;
            if (start >= stretch.end)
                break;
            covered = std::max(covered, overlap(start, pieces[p].soundEnd + pieces[p].padAfter,
                                                stretch.start, stretch.end));
            double wordTime = 0;
            for (size_t k = pieces[p].words->first; k < pieces[p].words->last; ++k)
                wordTime += overlap(spoken[k]->start, spoken[k]->end(), stretch.start, stretch.end);
            if (wordTime > mostWordTime) {
                mostWordTime = wordTime;
                mostWords = p;
            }
        }
        if (covered >= length / 2)
            continue;
        if (mostWords == pieces.size()) {
            added.push_back({stretch.start, stretch.end, 0, 0, std::nullopt});
            continue;
        }
        // Widened up to the sound of its neighbours, never over them.
        Piece& piece = pieces[mostWords];
        const double earliest = mostWords > 0 ? pieces[mostWords - 1].soundEnd : -INFINITY;
        const double latest =
            mostWords + 1 < pieces.size() ? pieces[mostWords + 1].soundStart : INFINITY;
        piece.soundStart = std::max(std::min(piece.soundStart, stretch.start), earliest);
        piece.soundEnd = std::min(std::max(piece.soundEnd, stretch.end), latest);
    }
    pieces.insert(pieces.end(), added.begin(), added.end());
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const Piece& a, const Piece& b) { return a.soundStart < b.soundStart; });
}

} // namespace

TranscriptSplitter::TranscriptSplitter(const QString& languageCode) {
    const QString code = languageCode.toLower();
    if (std::find(std::begin(kUnspacedLanguages), std::end(kUnspacedLanguages), code) !=
        std::end(kUnspacedLanguages))
        joiner.clear();
}

bool TranscriptSplitter::endsSentence(const QString& text) {
    QStringView stripped(text);
    while (!stripped.isEmpty() && isOneOf(stripped.front(), kClosing))
        stripped = stripped.sliced(1);
    while (!stripped.isEmpty() && isOneOf(stripped.back(), kClosing))
        stripped.chop(1);
    if (stripped.isEmpty() || !isOneOf(stripped.back(), kTerminators))
        return false;
    const QString lower = stripped.toString().toLower();
    return std::find(std::begin(kAbbreviations), std::end(kAbbreviations), lower) ==
           std::end(kAbbreviations);
}

std::vector<Sentence> TranscriptSplitter::sentences(const std::vector<Word>& words, double duration,
                                                    const std::vector<TimeRange>& stretches) const {
    const std::vector<const Word*> spoken = spokenWords(words);
    const auto startOf = [&](size_t k) { return spoken[k]->start; };
    const auto endOf = [&](size_t k) { return spoken[k]->end(); };

    // First pass: group the words. The current group is always [current, k) of the spoken list.
    std::vector<Group> groups;
    size_t current = 0;
    // Splits the current group at its best boundary, finishing the head: the widest gap between
    // two words, with a bonus of at most 0.05 s towards the middle; the earliest of equal scores.
    const auto cutCurrent = [&](size_t k) {
        const size_t count = k - current;
        size_t best = count;
        double bestScore = -INFINITY;
        for (size_t j = 1; j < count; ++j) {
            const double gap = startOf(current + j) - endOf(current + j - 1);
            const double position = static_cast<double>(j) / static_cast<double>(count);
            const double score = gap + 0.05 * (1 - std::abs(position - 0.5));
            if (score > bestScore) {
                bestScore = score;
                best = j;
            }
        }
        groups.push_back({current, current + best});
        current += best;
    };

    for (size_t k = 0; k < spoken.size(); ++k) {
        if (current < k && startOf(k) - endOf(k - 1) >= pauseBreak) {
            groups.push_back({current, k});
            current = k;
        } else {
            while (current < k && endOf(k) - startOf(current) > maxLength)
                cutCurrent(k);
        }
        if (endsSentence(spoken[k]->text) && endOf(k) - startOf(current) >= minLength) {
            groups.push_back({current, k + 1});
            current = k + 1;
        }
    }
    if (current < spoken.size())
        groups.push_back({current, spoken.size()});

    // Second pass: every stretch of sound gets a sentence (see below).
    std::vector<Piece> pieces;
    pieces.reserve(groups.size());
    for (const Group& group : groups)
        pieces.push_back({startOf(group.first), endOf(group.last - 1), padBefore, padAfter, group});
    keepEveryStretch(pieces, spoken, stretches);

    // Last pass: times with padding that stops at the middle of each gap, and the text.
    std::vector<Sentence> result;
    result.reserve(pieces.size());
    for (size_t p = 0; p < pieces.size(); ++p) {
        const Piece& piece = pieces[p];
        double start = piece.soundStart - piece.padBefore;
        if (p > 0)
            start = std::max(start, (pieces[p - 1].soundEnd + piece.soundStart) / 2);
        start = std::max(start, 0.0);
        double end = piece.soundEnd + piece.padAfter;
        if (p + 1 < pieces.size())
            end = std::min(end, (piece.soundEnd + pieces[p + 1].soundStart) / 2);
        if (duration > 0)
            end = std::min(end, duration);

        QStringList texts;
        if (piece.words) {
            texts.reserve(static_cast<qsizetype>(piece.words->last - piece.words->first));
            for (size_t k = piece.words->first; k < piece.words->last; ++k)
                texts.append(trimmedHorizontally(spoken[k]->text).toString());
        }
        // A stretch without words has text, empty, unlike a sentence of the pause split.
        result.emplace_back(start, end, piece.words ? texts.join(joiner) : QStringLiteral(""),
                            false);
        if (piece.words)
            result.back().confidence =
                meanConfidence(spoken, piece.words->first, piece.words->last);
    }
    return result;
}

std::vector<Word> TranscriptSplitter::merge(const std::vector<Word>& earlier,
                                            const std::vector<Word>& later) {
    std::vector<Word> merged = earlier;
    mergeInto(merged, later);
    return merged;
}

void TranscriptSplitter::mergeInto(std::vector<Word>& earlier, const std::vector<Word>& later) {
    if (later.empty())
        return;
    const double keepBefore = later.front().start - kMergeTolerance;
    std::erase_if(earlier, [keepBefore](const Word& word) { return word.start >= keepBefore; });
    earlier.insert(earlier.end(), later.begin(), later.end());
}
