#include "split/SentenceSplice.h"

#include <algorithm>

std::vector<TimeRange> joinedRanges(std::vector<TimeRange> ranges) {
    std::sort(ranges.begin(), ranges.end(),
              [](const TimeRange& a, const TimeRange& b) { return a.start < b.start; });
    std::vector<TimeRange> result;
    for (const TimeRange& range : ranges) {
        if (range.end <= range.start)
            continue;
        if (!result.empty() && range.start <= result.back().end)
            result.back().end = std::max(result.back().end, range.end);
        else
            result.push_back(range);
    }
    return result;
}

namespace {

// The parts of `sentence` outside `cut` (joined ranges), each at least `shortest` long.
void appendOutside(std::vector<Sentence>& into, const Sentence& sentence,
                   const std::vector<TimeRange>& cut, double shortest) {
    double from = sentence.start;
    const auto keepPart = [&](double end) {
        if (end - from < shortest)
            return;
        Sentence part = sentence;
        part.start = from;
        part.end = end;
        into.push_back(std::move(part));
    };
    for (const TimeRange& range : cut) {
        if (range.end <= from)
            continue;
        if (range.start >= sentence.end)
            break;
        keepPart(std::min(range.start, sentence.end));
        from = range.end;
    }
    keepPart(sentence.end);
}

bool holds(const std::vector<TimeRange>& ranges, double time) {
    return std::any_of(ranges.begin(), ranges.end(), [time](const TimeRange& range) {
        return range.start <= time && time <= range.end;
    });
}

} // namespace

std::vector<Sentence> splicedSentences(const std::vector<Sentence>& present,
                                       const std::vector<Sentence>& found,
                                       std::vector<TimeRange> covered,
                                       std::optional<TimeRange> keep, double shortest) {
    covered = joinedRanges(std::move(covered));
    std::vector<Sentence> arriving;
    for (const Sentence& sentence : found)
        if (holds(covered, sentence.middle()))
            arriving.push_back(sentence);
    std::vector<TimeRange> replaced = covered;
    for (const Sentence& sentence : arriving)
        replaced.emplace_back(sentence.start, sentence.end);
    replaced = joinedRanges(std::move(replaced));

    const std::vector<TimeRange> kept = keep ? std::vector{*keep} : std::vector<TimeRange>();
    std::vector<Sentence> result;
    for (const Sentence& sentence : arriving)
        appendOutside(result, sentence, kept, shortest);
    for (const Sentence& sentence : present) {
        if (keep && sentence.start >= keep->start && sentence.end <= keep->end)
            result.push_back(sentence);
        else
            appendOutside(result, sentence, replaced, shortest);
    }
    std::stable_sort(result.begin(), result.end(),
                     [](const Sentence& a, const Sentence& b) { return a.start < b.start; });
    return result;
}
