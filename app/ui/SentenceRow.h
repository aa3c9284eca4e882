#pragma once

#include "base/Sentence.h"

#include <QString>

// One row of the sentence list: the sentence and its 1-based place in the whole session (kept
// in hard-only mode, so rows read 3, 7, 12 rather than 1, 2, 3).
struct SentenceRow {
    int number = 1;
    Sentence sentence;
    bool faded = false; // recognised text shown faded: it is probably wrong

    bool hasText() const;
    // The sentence's text, or "Sentence N" when it has none.
    QString title() const;
    // "0:01.0 · 2.5 s": start, then the length (never negative) to a tenth of a second.
    QString detail() const;
    // What a screen reader says for the row.
    QString accessibilityLabel() const;

    bool operator==(const SentenceRow&) const = default;
};
