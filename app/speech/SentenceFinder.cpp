#include "speech/SentenceFinder.h"

#include "speech/ListeningModel.h"
#include "split/TranscriptSplitter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>

namespace {

void throwIfStopped(const QPointer<Transcriber>& transcriber, const std::stop_token& stop) {
    if (!transcriber || stop.stop_requested())
        throw OperationCancelled();
}

} // namespace

QCoro::Task<SentenceFinder::Outcome>
SentenceFinder::find(QPointer<Transcriber> transcriber, QString audio, QString language,
                     double duration, std::vector<TimeRange> sound, QPointer<QObject> model,
                     std::stop_token stop, double from, Interim interim) {
    throwIfStopped(transcriber, stop);
    const bool authorized = co_await transcriber->authorize();
    throwIfStopped(transcriber, stop);
    if (!authorized)
        co_return Outcome{std::nullopt, notAuthorizedNotice()};
    if (!transcriber->isOnDevice(language))
        co_return Outcome{std::nullopt, transcriber->notOnDevice(language).description()};

    if (auto* listening = qobject_cast<ListeningModel*>(model.data()))
        listening->startListening();
    const TranscriptSplitter splitter(languageCode(language));
    Transcriber::Heard heard;
    QElapsedTimer sinceInterim;
    if (interim)
        heard = [&](const std::vector<Word>& soFar, const std::vector<TimeRange>& covered) {
            if (sinceInterim.isValid() && sinceInterim.elapsed() < interimInterval.count())
                return;
            sinceInterim.start();
            interim(splitter.sentences(soFar, duration, sound), covered);
        };
    std::vector<Word> words;
    std::optional<QString> failure;
    try {
        words = co_await transcriber->transcribe(audio, language, model, stop, from, heard);
    } catch (const QuellinError& error) {
        failure = error.description();
    }
    if (stop.stop_requested())
        throw OperationCancelled();
    if (failure)
        co_return Outcome{std::nullopt, stoppedNotice(*failure)};

    std::vector<Sentence> sentences = splitter.sentences(words, duration, sound);
    if (sentences.empty())
        co_return Outcome{std::nullopt, noSpeechNotice(language)};
    co_return Outcome{std::move(sentences), std::nullopt};
}

QString SentenceFinder::notAuthorizedNotice() {
    return QCoreApplication::translate(
        "SentenceFinder",
        "Speech recognition is off for Quellin, so sentences are split at pauses (no transcript).");
}

QString SentenceFinder::stoppedNotice(const QString& reason) {
    return QCoreApplication::translate(
               "SentenceFinder",
               "Speech recognition stopped (%1). The sentences are split at pauses.")
        .arg(reason);
}

QString SentenceFinder::noSpeechNotice(const QString& language) {
    return QCoreApplication::translate(
               "SentenceFinder",
               "No speech was recognised in %1. The sentences are split at pauses; pick "
               "the file’s language and choose Find Sentences Again.")
        .arg(Transcriber::displayName(language));
}

QString SentenceFinder::languageCode(const QString& language) {
    const QString code = language.section(QRegularExpression(QStringLiteral("[-_]")), 0, 0);
    return code.isEmpty() ? QStringLiteral("en") : code;
}
