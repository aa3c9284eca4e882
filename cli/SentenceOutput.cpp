#include "SentenceOutput.h"

#include "base/TextConfidence.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace SentenceOutput {

std::optional<Format> formatNamed(const QString& name) {
    if (name == u"text")
        return Format::text;
    if (name == u"json")
        return Format::json;
    if (name == u"srt")
        return Format::srt;
    return std::nullopt;
}

QByteArray text(const SentencePipeline::Result& result) {
    const bool reliable = TextConfidence::textReliable(result.sentences);
    QString out;
    for (const Sentence& sentence : result.sentences) {
        out += TimeText::short_(sentence.start) + QStringLiteral(" – ") +
               TimeText::short_(sentence.end);
        if (sentence.text)
            out += (TextConfidence::isDoubtful(sentence, reliable) ? QStringLiteral("  ? ")
                                                                   : QStringLiteral("  ")) +
                   sentence.text->simplified();
        out += QLatin1Char('\n');
    }
    return out.toUtf8();
}

QByteArray json(const SentencePipeline::Result& result) {
    QJsonArray sentences;
    for (const Sentence& sentence : result.sentences)
        sentences.append(sentence.toJson());
    QJsonObject object{{QStringLiteral("duration"), result.duration},
                       {QStringLiteral("method"), result.method.toJson()},
                       {QStringLiteral("sentences"), sentences}};
    if (result.notice)
        object.insert(QStringLiteral("notice"), *result.notice);
    if (result.method.isSpeech())
        object.insert(QStringLiteral("textReliable"),
                      TextConfidence::textReliable(result.sentences));
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

QString srtTime(double seconds) {
    const qint64 ms = std::max<qint64>(0, std::llround(seconds * 1000.0));
    return QStringLiteral("%1:%2:%3,%4")
        .arg(ms / 3600000, 2, 10, QLatin1Char('0'))
        .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

QByteArray srt(const SentencePipeline::Result& result) {
    QString out;
    int number = 0;
    for (const Sentence& sentence : result.sentences) {
        ++number;
        // A cue's text must not be empty, nor hold a blank line (which would end the cue).
        QString title = sentence.text ? sentence.text->simplified() : QString();
        if (title.isEmpty())
            title = QStringLiteral("Sentence %1").arg(number);
        out += QStringLiteral("%1\n%2 --> %3\n%4\n\n")
                   .arg(number)
                   .arg(srtTime(sentence.start), srtTime(sentence.end), title);
    }
    return out.toUtf8();
}

QByteArray render(Format format, const SentencePipeline::Result& result) {
    switch (format) {
    case Format::text:
        return text(result);
    case Format::json:
        return json(result);
    case Format::srt:
        return srt(result);
    }
    return {};
}

} // namespace SentenceOutput
