#include "TimedLists.h"

#include <QString>

#include <cmath>

namespace {

bool closeTimes(double a, double b) {
    return std::abs(a - b) < 1e-9;
}

char* listed(const QString& text) {
    return qstrdup(text.isEmpty() ? "(none)" : text.toUtf8().constData());
}

} // namespace

bool sameAtTimes(const TimeRange& a, const TimeRange& b) {
    return closeTimes(a.start, b.start) && closeTimes(a.end, b.end);
}

bool sameAtTimes(const Sentence& a, const Sentence& b) {
    return closeTimes(a.start, b.start) && closeTimes(a.end, b.end) && a.text == b.text &&
           a.hard == b.hard;
}

char* toString(const Ranges& ranges) {
    QString text;
    for (const TimeRange& range : ranges.list)
        text += QStringLiteral("%1-%2 ").arg(range.start, 0, 'f', 4).arg(range.end, 0, 'f', 4);
    return listed(text);
}

char* toString(const Sentences& sentences) {
    QString text;
    for (const Sentence& sentence : sentences.list)
        text += QStringLiteral("[%1-%2 \"%3\"%4] ")
                    .arg(sentence.start, 0, 'f', 4)
                    .arg(sentence.end, 0, 'f', 4)
                    .arg(sentence.text.value_or(QStringLiteral("(no text)")),
                         sentence.hard ? QStringLiteral(" hard") : QString());
    return listed(text);
}
