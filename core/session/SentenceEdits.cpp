#include "session/SentenceEdits.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace SentenceEdits {

namespace {

bool inRange(const std::vector<Sentence>& sentences, qsizetype index) {
    return index >= 0 && index < qsizetype(sentences.size());
}

bool overlap(const Sentence& a, const Sentence& b) {
    return a.start < b.end && b.start < a.end;
}

// The words of `text` shared out at `fraction` of its length, whole words on either side.
std::pair<QString, QString> shareWords(const QString& text, double fraction) {
    const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
    const double aim = fraction * double(text.size());
    qsizetype best = 0;
    double bestDistance = aim;
    qsizetype length = 0;
    for (qsizetype k = 1; k <= words.size(); ++k) {
        length += words[k - 1].size() + (k > 1 ? 1 : 0);
        const double distance = std::abs(double(length) - aim);
        if (distance < bestDistance) {
            best = k;
            bestDistance = distance;
        }
    }
    return {words.first(best).join(u' '), words.sliced(best).join(u' ')};
}

} // namespace

bool nudge(std::vector<Sentence>& sentences, qsizetype index, Edge edge, int steps,
           double duration) {
    if (!inRange(sentences, index) || steps == 0)
        return false;
    const size_t i = size_t(index);
    Sentence& sentence = sentences[i];
    double& moved = edge == Edge::start ? sentence.start : sentence.end;
    double lowest = 0, highest = duration;
    if (edge == Edge::start) {
        if (i > 0)
            lowest = sentences[i - 1].end;
        highest = sentence.end - shortest;
    } else {
        lowest = sentence.start + shortest;
        if (i + 1 < sentences.size())
            highest = sentences[i + 1].start;
    }
    // An edge found outside its limits may still move back towards them, never further out.
    const double wanted = moved + steps * nudgeStep;
    const double limited = steps < 0 ? std::max(wanted, std::min(lowest, moved))
                                     : std::min(wanted, std::max(highest, moved));
    if (limited == moved)
        return false;
    moved = limited;
    sentence.edited = true;
    return true;
}

std::optional<double> splitTime(const Sentence& sentence, double near,
                                const EnergyProfile& profile) {
    const double from = std::max(sentence.start + shortest, near - splitReach);
    const double to = std::min(sentence.end - shortest, near + splitReach);
    if (sentence.end - sentence.start < 2 * shortest || !profile.holdsTime())
        return std::nullopt;
    const double d = profile.frameDuration;
    const auto middleOf = [d](qsizetype frame) { return (double(frame) + 0.5) * d; };
    // Asked for outside the sentence: the cut goes as near to it as the sentence allows.
    const double aim = std::clamp(near, sentence.start + shortest, sentence.end - shortest);
    if (from > to)
        return aim;
    std::optional<qsizetype> best;
    for (qsizetype f = profile.frame(from); f <= profile.frame(to); ++f) {
        if (middleOf(f) < from || middleOf(f) > to)
            continue;
        const float rms = profile.rms[size_t(f)];
        if (!best || rms < profile.rms[size_t(*best)] ||
            (rms == profile.rms[size_t(*best)] &&
             std::abs(middleOf(f) - aim) < std::abs(middleOf(*best) - aim)))
            best = f;
    }
    return best ? middleOf(*best) : aim;
}

bool split(std::vector<Sentence>& sentences, qsizetype index, double near,
           const EnergyProfile& profile) {
    if (!inRange(sentences, index))
        return false;
    Sentence& first = sentences[size_t(index)];
    const std::optional<double> cut = splitTime(first, near, profile);
    if (!cut)
        return false;
    Sentence second = first;
    if (first.text) {
        auto [before, after] = shareWords(*first.text, (*cut - first.start) / first.duration());
        first.text = before;
        second.text = after;
    }
    first.end = *cut;
    second.start = *cut;
    first.edited = second.edited = true;
    sentences.insert(sentences.begin() + index + 1, std::move(second));
    return true;
}

bool mergeWithNext(std::vector<Sentence>& sentences, qsizetype index) {
    if (!inRange(sentences, index) || !inRange(sentences, index + 1))
        return false;
    Sentence& first = sentences[size_t(index)];
    const Sentence& second = sentences[size_t(index) + 1];
    if (first.text && second.text)
        first.text = (*first.text + u' ' + *second.text).trimmed();
    else if (second.text)
        first.text = second.text;
    if (first.confidence && second.confidence)
        first.confidence =
            (*first.confidence * first.duration() + *second.confidence * second.duration()) /
            std::max(first.duration() + second.duration(), 1e-9);
    else if (!first.confidence)
        first.confidence = second.confidence;
    first.hard = first.hard || second.hard;
    if (!first.practice.practised())
        first.practice = second.practice;
    first.end = second.end;
    first.edited = true;
    sentences.erase(sentences.begin() + index + 1);
    return true;
}

bool setText(std::vector<Sentence>& sentences, qsizetype index, const QString& text) {
    if (!inRange(sentences, index))
        return false;
    Sentence& sentence = sentences[size_t(index)];
    const QString typed = text.trimmed();
    const std::optional<QString> wanted = typed.isEmpty() ? std::nullopt : std::optional(typed);
    if (wanted == sentence.text)
        return false;
    sentence.text = wanted;
    // The learner's words are certain: they never fade as doubtful recognition does.
    sentence.confidence.reset();
    sentence.edited = true;
    return true;
}

qsizetype keepEdited(const std::vector<Sentence>& old, std::vector<Sentence>& found) {
    std::vector<Sentence> kept;
    for (const Sentence& sentence : old)
        if (sentence.edited && std::any_of(found.begin(), found.end(),
                                           [&](const Sentence& f) { return overlap(sentence, f); }))
            kept.push_back(sentence);
    if (kept.empty())
        return 0;

    std::vector<Sentence> merged = kept;
    for (Sentence sentence : found) {
        // The stretches of the found sentence that no kept one covers, in time order.
        std::vector<std::pair<double, double>> free{{sentence.start, sentence.end}};
        for (const Sentence& edited : kept) {
            std::vector<std::pair<double, double>> left;
            for (const auto& [from, to] : free) {
                if (edited.start > from)
                    left.emplace_back(from, std::min(to, edited.start));
                if (edited.end < to)
                    left.emplace_back(std::max(from, edited.end), to);
            }
            free = std::move(left);
        }
        const auto longest =
            std::max_element(free.begin(), free.end(), [](const auto& a, const auto& b) {
                return a.second - a.first < b.second - b.first;
            });
        if (longest == free.end() || longest->second - longest->first < sentence.duration() / 2)
            continue;
        std::tie(sentence.start, sentence.end) = *longest;
        merged.push_back(std::move(sentence));
    }
    std::stable_sort(merged.begin(), merged.end(),
                     [](const Sentence& a, const Sentence& b) { return a.start < b.start; });
    found = std::move(merged);
    return qsizetype(kept.size());
}

} // namespace SentenceEdits
