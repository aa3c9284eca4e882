#pragma once

#include "base/Sentence.h"

#include <algorithm>
#include <vector>

// Lists of ranges or sentences for QCOMPARE, with times compared to a nanosecond: boundaries are
// sums and midpoints of other times, which rounding moves in the last bits.
template <typename T> struct TimedList {
    std::vector<T> list;
    bool operator==(const TimedList& other) const {
        return std::equal(list.begin(), list.end(), other.list.begin(), other.list.end(),
                          [](const T& a, const T& b) { return sameAtTimes(a, b); });
    }
};
using Ranges = TimedList<TimeRange>;
using Sentences = TimedList<Sentence>;

bool sameAtTimes(const TimeRange& a, const TimeRange& b);
// Also the text and the hard mark must be equal.
bool sameAtTimes(const Sentence& a, const Sentence& b);

char* toString(const Ranges& ranges);
char* toString(const Sentences& sentences);
