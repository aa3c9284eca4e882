#include "TimedLists.h"

#include <QTest>

#include <cmath>

bool sameAtTimes(const TimeRange& a, const TimeRange& b) {
    return std::abs(a.start - b.start) < 1e-9 && std::abs(a.end - b.end) < 1e-9;
}

bool sameAtTimes(const Sentence& a, const Sentence& b) {
    return sameAtTimes(TimeRange(a.start, a.end), TimeRange(b.start, b.end)) && a.text == b.text &&
           a.hard == b.hard;
}

char* toString(const Ranges& ranges) {
    QString text;
    for (const TimeRange& range : ranges.list)
        text += QStringLiteral("%1-%2 ").arg(range.start, 0, 'f', 4).arg(range.end, 0, 'f', 4);
    return QTest::toString(text);
}

char* toString(const Sentences& sentences) {
    QString text;
    for (const Sentence& sentence : sentences.list)
        text += QStringLiteral("[%1-%2 \"%3\"%4] ")
                    .arg(sentence.start, 0, 'f', 4)
                    .arg(sentence.end, 0, 'f', 4)
                    .arg(sentence.text.value_or(QStringLiteral("(no text)")),
                         sentence.hard ? QStringLiteral(" hard") : QString());
    return QTest::toString(text);
}
