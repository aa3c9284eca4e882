#include "speech/SentenceSource.h"

#include "speech/SentenceFinder.h"

#include "align/TranscriptAlignment.h"
#include "split/SilenceSplitter.h"
#include "subtitles/SubtitleSentences.h"
#include "subtitles/SubtitleTracks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <QCoroFuture>
#include <QtConcurrent/QtConcurrentRun>

namespace {

// Sentences read on a worker thread, handed back from it: exceptions stay there.
struct Reading {
    std::optional<std::vector<Sentence>> sentences;
    std::optional<QString> failure;
};

using Read = std::function<std::vector<Sentence>()>;

// A function, not a lambda: GCC 12 destroys lambda temporaries of a co_await operand twice.
Reading guardedRead(const Read& read) {
    try {
        return {read(), std::nullopt};
    } catch (const OperationCancelled&) {
        return {};
    } catch (const std::exception& error) {
        return {std::nullopt, describe(error)};
    }
}

// Runs `read` on the QtConcurrent pool: its sentences with `method`, or its failure as the
// notice (the failure's own words say what could not be used).
QCoro::Task<SentenceSource::Found> readOffThread(Read read, SplitMethod method,
                                                 std::stop_token stop) {
    const QFuture<Reading> reading = QtConcurrent::run(&guardedRead, std::move(read));
    Reading result = co_await reading;
    if (stop.stop_requested())
        throw OperationCancelled();
    if (!result.sentences)
        co_return SentenceSource::Found{
            std::nullopt, SplitMethod::pauses(),
            QCoreApplication::translate("SentenceSource", "%1 The sentences stay as they are.")
                .arg(result.failure.value_or(QString()))};
    co_return SentenceSource::Found{std::move(result.sentences), std::move(method), std::nullopt};
}

} // namespace

QCoro::Task<SentenceSource::Found>
SpeechSentences::find(QString audio, double duration, EnergyProfile profile, std::stop_token stop) {
    std::vector<TimeRange> sound = SilenceSplitter::soundStretches(profile);
    SentenceFinder::Outcome outcome;
    try {
        outcome =
            co_await SentenceFinder::find(m_transcriber, audio, m_language, duration,
                                          std::move(sound), m_listener, stop, m_from, m_interim);
    } catch (const OperationCancelled&) {
        throw;
    } catch (const std::exception& error) {
        outcome.notice = SentenceFinder::stoppedNotice(describe(error));
    }
    if (!outcome.sentences)
        co_return Found{std::nullopt, SplitMethod::pauses(), outcome.notice};
    co_return Found{std::move(outcome.sentences), SplitMethod::speech(m_language), std::nullopt};
}

QCoro::Task<SentenceSource::Found> SubtitleSentences::find(QString, double, EnergyProfile profile,
                                                           std::stop_token stop) {
    return readOffThread([track = m_track, profile = std::move(profile),
                          stop] { return subtitleSentences(track, profile, stop); },
                         SplitMethod::subtitles(m_track.language, m_track.source), stop);
}

QCoro::Task<SentenceSource::Found>
TranscriptSentences::find(QString audio, double, EnergyProfile profile, std::stop_token stop) {
    return readOffThread(
        [transcript = m_transcript, audio, profile = std::move(profile), stop,
         progress = m_progress] {
            const QString text =
                transcript.path.isEmpty() ? transcript.text : readTranscriptFile(transcript.path);
            return transcriptSentences(text, transcript.language, audio, profile, stop, progress);
        },
        SplitMethod::transcript(m_transcript.language, m_transcript.source), stop);
}

Transcript transcriptFile(const QString& path) {
    const QFileInfo file(path);
    const QStringList parts = file.fileName().split(u'.');
    const QString language =
        parts.size() >= 3 ? subtitleLanguage(parts[parts.size() - 2]) : QString();
    return {QString(), file.absoluteFilePath(), language, file.fileName()};
}

std::vector<Transcript> transcriptsBeside(const QString& mediaPath) {
    const QFileInfo media(mediaPath);
    // "talk.mp4" → "talk.txt", "talk.de.txt"; the dot keeps "talks.txt" out.
    const QString prefix = media.completeBaseName() + u'.';
    std::vector<Transcript> found;
    for (const QFileInfo& file : media.absoluteDir().entryInfoList(
             {prefix + QStringLiteral("*txt")}, QDir::Files | QDir::Readable, QDir::Name)) {
        const QStringList tags = file.fileName().mid(prefix.size()).split(u'.');
        if (tags.size() > 2 || tags.constLast().compare(u"txt", Qt::CaseInsensitive) != 0)
            continue;
        Transcript transcript = transcriptFile(file.absoluteFilePath());
        if (tags.size() == 2 && transcript.language.isEmpty())
            continue;
        found.push_back(std::move(transcript));
    }
    return found;
}
