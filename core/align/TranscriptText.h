#pragma once

#include <QStringList>

// The sentences of a transcript the learner pasted or opened, as written: a sentence ends at its
// closing punctuation (TranscriptSplitter::endsSentence, also 。！？ between characters with no
// space) and at a blank line; a line that is only a bracketed note ("[music]", "(laughs)") or
// holds no letter or digit ("* * *") is no sentence. Runs of white space inside a sentence become
// one space. Plain function, any thread.
QStringList transcriptSentenceTexts(const QString& text);
