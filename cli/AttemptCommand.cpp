#include "AttemptCommand.h"

#include "CliArguments.h"

#include "base/QuellinError.h"
#include "practice/TakeShape.h"
#include "speech/HeardWords.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <cstdio>

namespace {

void print(FILE* stream, const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

QJsonArray semitones(const std::vector<float>& line) {
    QJsonArray values;
    for (const float s : line)
        values.append(std::isnan(s) ? QJsonValue() : QJsonValue(std::round(s * 100) / 100));
    return values;
}

template <typename T> QJsonValue orNull(const std::optional<T>& value) {
    return value ? QJsonValue(*value) : QJsonValue();
}

} // namespace

QString AttemptCommand::usage() {
    return QStringLiteral("usage: quellin-cli attempt MEDIA --start S --end E --take TAKE "
                          "[--text TEXT] [--language ID]\n");
}

std::variant<AttemptCommand::Arguments, AttemptCommand::UsageError>
AttemptCommand::parse(const QStringList& arguments) {
    const QCommandLineOption start(QStringLiteral("start"), {}, QStringLiteral("S"));
    const QCommandLineOption end(QStringLiteral("end"), {}, QStringLiteral("E"));
    const QCommandLineOption take(QStringLiteral("take"), {}, QStringLiteral("TAKE"));
    const QCommandLineOption text(QStringLiteral("text"), {}, QStringLiteral("TEXT"));
    const QCommandLineOption language(QStringLiteral("language"), {}, QStringLiteral("ID"));
    QCommandLineParser parser;
    parser.addOptions({start, end, take, text, language});
    const std::variant<QString, CliArguments::UsageError> media = CliArguments::oneFile(
        parser, arguments, QCoreApplication::translate("quellin-cli", "missing MEDIA"));
    if (const auto* error = std::get_if<CliArguments::UsageError>(&media))
        return UsageError{error->message};
    bool startIsNumber = false, endIsNumber = false;
    const double from = parser.value(start).toDouble(&startIsNumber);
    const double to = parser.value(end).toDouble(&endIsNumber);
    if (!startIsNumber || !endIsNumber || !(from >= 0) || !(to > from))
        return UsageError{QCoreApplication::translate(
            "quellin-cli", "--start and --end need seconds, the end after the start")};
    if (parser.value(take).isEmpty())
        return UsageError{
            QCoreApplication::translate("quellin-cli", "--take needs the take's file")};
    Arguments parsed{std::get<QString>(media), TimeRange(from, to), parser.value(take),
                     std::nullopt, std::nullopt};
    if (parser.isSet(text))
        parsed.text = parser.value(text);
    if (parser.isSet(language))
        parsed.language = parser.value(language);
    return parsed;
}

QByteArray AttemptCommand::json(const AttemptFeedback& feedback) {
    QJsonArray pauses;
    for (const AttemptFeedback::PauseDifference& pause : feedback.pauses)
        pauses.append(QJsonObject{
            {QStringLiteral("who"), pause.who == AttemptFeedback::PauseDifference::Who::take
                                        ? QStringLiteral("take")
                                        : QStringLiteral("original")},
            {QStringLiteral("start"), pause.at.start},
            {QStringLiteral("end"), pause.at.end}});
    const QJsonObject pitch{{QStringLiteral("original"), semitones(feedback.originalPitch)},
                            {QStringLiteral("take"), semitones(feedback.takePitch)},
                            {QStringLiteral("hop"), feedback.hop}};
    QJsonObject comparison{{QStringLiteral("pace"), orNull(feedback.pace)},
                           {QStringLiteral("intonationMatch"), orNull(feedback.intonationMatch)},
                           {QStringLiteral("pauses"), pauses},
                           {QStringLiteral("pitch"), pitch}};
    if (feedback.heard) {
        QJsonArray heard;
        for (const AttemptFeedback::HeardWord& word : *feedback.heard)
            heard.append(QJsonObject{{QStringLiteral("word"), word.word},
                                     {QStringLiteral("heard"), orNull(word.heard)}});
        comparison.insert(QStringLiteral("heard"), heard);
    }
    return QJsonDocument(comparison).toJson(QJsonDocument::Compact) + '\n';
}

int AttemptCommand::run(const Arguments& arguments) {
    const std::optional<TakeShape> shape = TakeShape::read(arguments.take);
    if (!shape) {
        print(stderr, QCoreApplication::translate(
                          "quellin-cli", "Couldn’t read the take “%1”: it isn’t a sound file.\n")
                          .arg(QFileInfo(arguments.take).fileName())
                          .toUtf8());
        return 1;
    }
    try {
        AttemptFeedback feedback = AttemptFeedback::read(arguments.media, arguments.sentence,
                                                         arguments.take, shape->range);
        if (arguments.text)
            feedback.heard = HeardWords::hear(
                *arguments.text, arguments.language.value_or(defaultLanguage), arguments.take);
        print(stdout, json(feedback));
        return 0;
    } catch (const std::exception& error) {
        print(stderr, QCoreApplication::translate("quellin-cli", "Couldn’t open “%1”: %2\n")
                          .arg(QFileInfo(arguments.media).fileName(), describe(error))
                          .toUtf8());
        return 1;
    }
}
