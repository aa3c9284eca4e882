#include "ui/SentenceRow.h"

#include <QStringList>

#include <algorithm>

bool SentenceRow::hasText() const {
    // A text of only white space would draw an empty title; it reads as no text.
    return sentence.text && !sentence.text->trimmed().isEmpty();
}

QString SentenceRow::title() const {
    return hasText() ? sentence.text->trimmed() : QStringLiteral("Sentence %1").arg(number);
}

QString SentenceRow::detail() const {
    const double length = std::max(sentence.end - sentence.start, 0.0);
    return TimeText::short_(sentence.start) + QStringLiteral(" · ") +
           QString::asprintf("%.1f", length) + QStringLiteral(" s");
}

QString SentenceRow::accessibilityLabel() const {
    QStringList parts{QStringLiteral("Sentence %1").arg(number)};
    if (hasText())
        parts.append(sentence.text->trimmed());
    if (hasText() && faded)
        parts.append(QStringLiteral("words uncertain"));
    parts.append(TimeText::short_(sentence.start));
    if (sentence.hard)
        parts.append(QStringLiteral("marked hard"));
    return parts.join(QStringLiteral(", "));
}
