#include "ui/SentenceRow.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>

bool SentenceRow::hasText() const {
    // A text of only white space would draw an empty title; it reads as no text.
    return sentence.text && !sentence.text->trimmed().isEmpty();
}

QString SentenceRow::title() const {
    return hasText() ? sentence.text->trimmed()
                     : QCoreApplication::translate("SentenceRow", "Sentence %1").arg(number);
}

QString SentenceRow::detail() const {
    const double length = std::max(sentence.end - sentence.start, 0.0);
    QString text = TimeText::short_(sentence.start) + QStringLiteral(" · ") +
                   QString::asprintf("%.1f", length) + QStringLiteral(" s");
    // How often it was heard to the end, a small count once there is one.
    if (sentence.practice.repetitions > 0)
        text += QStringLiteral(" · %1×").arg(sentence.practice.repetitions);
    return text;
}

QString SentenceRow::accessibilityLabel() const {
    QStringList parts{QCoreApplication::translate("SentenceRow", "Sentence %1").arg(number)};
    if (hasText())
        parts.append(sentence.text->trimmed());
    if (hasText() && faded)
        parts.append(QCoreApplication::translate("SentenceRow", "words uncertain"));
    parts.append(TimeText::short_(sentence.start));
    if (sentence.hard)
        parts.append(QCoreApplication::translate("SentenceRow", "marked hard"));
    return parts.join(QStringLiteral(", "));
}
