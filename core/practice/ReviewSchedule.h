#pragma once

#include "base/Sentence.h"

#include <QDateTime>

#include <array>

// When a hard sentence is due for review, and how practice moves it on: a simple spaced schedule
// of 1, 3, 7, 14 and then every 30 days after the last practice. Pure functions; any thread.
namespace ReviewSchedule {

inline constexpr std::array<int, 5> intervalDays{1, 3, 7, 14, 30};

// When `sentence` is due: `now` for a hard sentence never practised; none for one not hard.
std::optional<QDateTime> due(const Sentence& sentence, const QDateTime& now);

// A repetition heard to the end. Counts it and dates the practice; a hard sentence that was due
// moves on to the next interval (practising it again before it is due does not).
void heardToTheEnd(Sentence& sentence, const QDateTime& now);
// A take recorded: counted and dated, the schedule unchanged.
void tookATake(Sentence& sentence, const QDateTime& now);

} // namespace ReviewSchedule
