#include "align/TranscriptText.h"

#include "split/TranscriptSplitter.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

// A line that is only a bracketed note ("[music]", "(laughs)"), or holds nothing to say: no letter
// or digit ("* * *", "—" between scenes).
bool isNoSpeech(const QString& line) {
    static const QRegularExpression note(uR"(^\s*(\[[^\[\]]*\]|\([^()]*\))\s*$)"_qs);
    return note.match(line).hasMatch() ||
           std::none_of(line.begin(), line.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

// Full-width terminators end a sentence even where no space follows them.
bool isWideTerminator(QChar c) {
    return c == u'\u3002' || c == u'\uFF01' || c == u'\uFF1F';
}

// The closing quotes and brackets that may follow a terminator inside the same sentence.
bool isCloser(QChar c) {
    return c == u'\u300D' || c == u'\u300F' || c == u'\uFF09' || c == u')' || c == u'"' ||
           c == u'\u201D' || c == u'\u2019' || c == u'\u00BB';
}

} // namespace

QStringList transcriptSentenceTexts(const QString& text) {
    QStringList sentences;
    QStringList words;
    const auto finish = [&] {
        if (!words.isEmpty())
            sentences.append(words.join(u' '));
        words.clear();
    };
    for (const QString& line : text.split(u'\n')) {
        if (line.trimmed().isEmpty()) {
            finish();
            continue;
        }
        if (isNoSpeech(line))
            continue;
        for (const QString& word : line.split(QRegularExpression(u"\\s+"_qs), Qt::SkipEmptyParts)) {
            // Split after a full-width terminator (and its closers) inside the word.
            qsizetype from = 0;
            for (qsizetype at = 0; at < word.size(); ++at) {
                if (!isWideTerminator(word[at]))
                    continue;
                while (at + 1 < word.size() &&
                       (isCloser(word[at + 1]) || isWideTerminator(word[at + 1])))
                    ++at;
                if (at + 1 < word.size()) {
                    words.append(word.mid(from, at + 1 - from));
                    finish();
                    from = at + 1;
                }
            }
            words.append(word.mid(from));
            if (TranscriptSplitter::endsSentence(words.back()))
                finish();
        }
    }
    finish();
    return sentences;
}
