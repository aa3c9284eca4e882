#include "split/TranscriptSplitter.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

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

std::vector<Sentence> TranscriptSplitter::sentences(const std::vector<Word>& words,
                                                    double duration) const {
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

    // Second pass: times with padding that stops at the middle of each gap, and the text.
    std::vector<Sentence> result;
    result.reserve(groups.size());
    for (size_t g = 0; g < groups.size(); ++g) {
        const Group& group = groups[g];
        const double firstStart = startOf(group.first);
        const double lastEnd = endOf(group.last - 1);
        double start = firstStart - padBefore;
        if (g > 0)
            start = std::max(start, (endOf(groups[g - 1].last - 1) + firstStart) / 2);
        start = std::max(start, 0.0);
        double end = lastEnd + padAfter;
        if (g + 1 < groups.size())
            end = std::min(end, (lastEnd + startOf(groups[g + 1].first)) / 2);
        if (duration > 0)
            end = std::min(end, duration);

        QStringList texts;
        texts.reserve(static_cast<qsizetype>(group.last - group.first));
        for (size_t k = group.first; k < group.last; ++k)
            texts.append(trimmedHorizontally(spoken[k]->text).toString());
        result.emplace_back(start, end, texts.join(joiner), false);
        result.back().confidence = meanConfidence(spoken, group.first, group.last);
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
