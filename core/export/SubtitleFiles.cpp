#include "export/SubtitleFiles.h"

#include <algorithm>
#include <cmath>

#include <QCoreApplication>

namespace SubtitleFiles {

QString time(double seconds, QChar decimal) {
    const qint64 ms =
        std::isfinite(seconds) ? std::max<qint64>(0, std::llround(seconds * 1000.0)) : 0;
    return QStringLiteral("%1:%2:%3%4%5")
        .arg(ms / 3600000, 2, 10, QLatin1Char('0'))
        .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(decimal)
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

QString title(const Cue& cue) {
    // A cue's text must not be empty, nor hold a blank line (which would end the cue), nor (in
    // WebVTT) the arrow that marks a timing line.
    QString text = cue.sentence.text ? cue.sentence.text->simplified() : QString();
    text.replace(QStringLiteral("-->"), QStringLiteral("->"));
    return text.isEmpty()
               ? QCoreApplication::translate("SubtitleFiles", "Sentence %1").arg(cue.number)
               : text;
}

std::vector<Cue> numbered(const std::vector<Sentence>& sentences) {
    std::vector<Cue> cues;
    cues.reserve(sentences.size());
    for (const Sentence& sentence : sentences)
        cues.push_back({qsizetype(cues.size()) + 1, sentence});
    return cues;
}

QByteArray srt(const std::vector<Cue>& cues) {
    QString out;
    int index = 0;
    for (const Cue& cue : cues)
        out += QStringLiteral("%1\n%2 --> %3\n%4\n\n")
                   .arg(++index)
                   .arg(time(cue.sentence.start), time(cue.sentence.end), title(cue));
    return out.toUtf8();
}

QByteArray vtt(const std::vector<Cue>& cues) {
    QString out = QStringLiteral("WEBVTT\n\n");
    for (const Cue& cue : cues) {
        // WebVTT's text is HTML-like: a bare "<" or "&" would start markup.
        QString text = title(cue);
        text.replace(QLatin1Char('&'), QStringLiteral("&amp;"))
            .replace(QLatin1Char('<'), QStringLiteral("&lt;"))
            .replace(QLatin1Char('>'), QStringLiteral("&gt;"));
        out += QStringLiteral("%1 --> %2\n%3\n\n")
                   .arg(time(cue.sentence.start, QLatin1Char('.')),
                        time(cue.sentence.end, QLatin1Char('.')), text);
    }
    return out.toUtf8();
}

} // namespace SubtitleFiles
