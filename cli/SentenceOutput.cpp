#include "SentenceOutput.h"

#include "base/TextConfidence.h"
#include "export/SubtitleFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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

QByteArray srt(const SentencePipeline::Result& result) {
    return SubtitleFiles::srt(SubtitleFiles::numbered(result.sentences));
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
