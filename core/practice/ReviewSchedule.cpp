#include "practice/ReviewSchedule.h"

#include <algorithm>

namespace ReviewSchedule {

namespace {

QDateTime wholeSeconds(const QDateTime& instant) {
    return instant.toUTC().addMSecs(-instant.time().msec());
}

} // namespace

std::optional<QDateTime> due(const Sentence& sentence, const QDateTime& now) {
    if (!sentence.hard)
        return std::nullopt;
    const PracticeRecord& record = sentence.practice;
    if (!record.practisedAt.isValid())
        return now;
    // The first practice (or the first since it was marked hard again) waits the first interval.
    const size_t passed = size_t(std::max(record.reviewStep - 1, 0));
    return record.practisedAt.addDays(intervalDays[std::min(passed, intervalDays.size() - 1)]);
}

void heardToTheEnd(Sentence& sentence, const QDateTime& now) {
    const std::optional<QDateTime> dueAt = due(sentence, now);
    if (dueAt && *dueAt <= now)
        ++sentence.practice.reviewStep;
    ++sentence.practice.repetitions;
    sentence.practice.practisedAt = wholeSeconds(now);
}

void tookATake(Sentence& sentence, const QDateTime& now) {
    ++sentence.practice.takes;
    sentence.practice.practisedAt = wholeSeconds(now);
}

} // namespace ReviewSchedule
