#include "model/AppModel.h"

#include "model/FileChooser.h"
#include "model/TaskToken.h"

#include "audio/Player.h"
#include "speech/SentenceSource.h"
#include "speech/Transcriber.h"

#include "base/Locations.h"
#include "base/LogCategories.h"
#include "base/QuellinError.h"
#include "media/SoundOpening.h"
#include "split/SentenceSplice.h"
#include "split/SilenceSplitter.h"
#include "subtitles/SubtitleTracks.h"

#include <QCoreApplication>
#include <QCoroFuture>
#include <QFileInfo>
#include <QJsonDocument>
#include <QPointer>
#include <QSettings>
#include <QtConcurrent/QtConcurrentRun>
#include <QUndoStack>

#include <algorithm>
#include <utility>

// Opening a file, finding its sentences, and keeping its session.

namespace {

QDateTime nowInWholeSeconds() {
    // Session files keep whole seconds; keeping the same in memory lets the file match the model.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    return now.addMSecs(-now.time().msec());
}

// The opened sound, handed back from the worker thread.
struct Opening {
    std::optional<OpenedSound> sound;
    std::optional<QString> failure;
};

// What may give a file's sentences besides recognition: its subtitles and its transcripts.
struct TextTracks {
    std::vector<SubtitleTrack> subtitles;
    std::vector<Transcript> transcripts;
};

TextTracks findTextTracks(QString path) {
    return {findSubtitleTracks(path), transcriptsBeside(path)};
}

// The worker is a function, not a lambda: GCC 12 destroys lambda temporaries of a co_await
// operand twice.
Opening openSound(QString path, std::stop_token stop, std::function<void(double)> progress) {
    try {
        return {SoundOpening::open(path, stop, progress), std::nullopt};
    } catch (const OperationCancelled&) {
        return {};
    } catch (const std::exception& error) {
        return {std::nullopt, describe(error)};
    }
}

} // namespace

void AppModel::chooseFile() {
    if (!m_fileChooser) {
        qCDebug(lcModel) << "No file chooser was given: nothing to choose from";
        return;
    }
    const std::optional<QString> path = m_fileChooser->chooseMediaFile(
        tr("Choose an audio or video file to practise with. It stays where it is."));
    if (path && !path->isEmpty())
        open(*path);
}

void AppModel::open(const QString& url) {
    m_openAtSentence.reset();
    const QString path = Locations::canonicalMediaPath(url);
    const QFileInfo info(path);
    const qint64 size = info.exists() ? info.size() : 0;

    leaveFile();
    setError(std::nullopt);
    setSplitting(Splitting::opening());
    // Linux has no list of recent documents; the recent sessions of the start screen serve.

    m_splitTask = m_tasks.start();
    openMedia(m_splitTask, url, path, size);
}

// Whole percents: an hour-long file posts a hundred updates rather than one per block.
std::function<void(double)>
AppModel::progressReporter(const Token& token, std::function<void(AppModel&, double)> show) {
    auto lastPercent = std::make_shared<int>(-1);
    return [self = QPointer<AppModel>(this), weak = std::weak_ptr<TaskToken>(token), lastPercent,
            show = std::move(show)](double fraction) {
        const int percent = int(std::clamp(fraction, 0.0, 1.0) * 100);
        if (percent <= *lastPercent)
            return;
        *lastPercent = percent;
        // The application is the context: the model may be gone by the time this is handled.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, weak, percent, show] {
                const auto token = weak.lock();
                if (self && token && !token->isCancelled() && token->isRunning())
                    show(*self, percent / 100.0);
            },
            Qt::QueuedConnection);
    };
}

std::function<void(double)> AppModel::openingReporter(const Token& token) {
    return progressReporter(token, [](AppModel& model, double fraction) {
        if (model.m_splitting.kind == Splitting::Kind::opening)
            model.assign(model.m_openingProgress, std::optional<double>(fraction),
                         &AppModel::openingProgressChanged);
    });
}

std::unique_ptr<SentenceSource> AppModel::transcriptSource(Transcript transcript,
                                                           const Token& token) {
    if (transcript.language.isEmpty())
        transcript.language = m_language;
    return std::make_unique<TranscriptSentences>(
        std::move(transcript), progressReporter(token, [](AppModel& model, double fraction) {
            if (model.m_session)
                model.setSplitting(Splitting::aligning(fraction * model.m_session->duration));
        }));
}

QCoro::Task<> AppModel::openMedia(Token token, QString url, QString path, qint64 size) {
    const ModelTasks::Scope scope(this, token);
    // Looking for subtitles reads only the folder and the file's header: it runs beside the
    // reading of the sound and is awaited once the pause split is shown.
    const QFuture<TextTracks> findingTracks = QtConcurrent::run(&findTextTracks, path);
    const QFuture<Opening> reading =
        QtConcurrent::run(&openSound, path, token->stopToken(), openingReporter(token));
    Opening opening = co_await reading;
    if (scope.stale())
        co_return;

    const QString name = QFileInfo(url).fileName();
    const auto fail = [this, &name](const QString& description) {
        setError(tr("Couldn’t open “%1”: %2").arg(name, description));
        setSplitting(Splitting::idle());
    };
    if (opening.failure) {
        fail(*opening.failure);
        co_return;
    }
    if (!opening.sound) // stopped on the worker thread
        co_return;
    try {
        m_player->load(opening.sound->playable);
        m_playable = opening.sound->playable;
    } catch (const std::exception& error) {
        fail(describe(error));
        co_return;
    }
    setProfile(std::move(opening.sound->profile));

    std::optional<Session> saved = m_sessions.load(path, size);
    const bool resumed = saved && !saved->sentences.empty();
    if (resumed) {
        resume(std::move(*saved));
    } else {
        // A saved session that cannot be read is kept aside rather than overwritten by the
        // fresh one.
        if (!saved && m_persist)
            if (const std::optional<QString> kept =
                    m_sessions.keepUnreadableAside(Session::key(path, size)))
                setError(tr("The saved session of “%1” couldn’t be read, so it "
                            "starts afresh. The damaged file is kept as “%2”.")
                             .arg(name, *kept));
        startFresh(path, size);
    }

    TextTracks found = co_await findingTracks;
    if (scope.stale())
        co_return;
    // What the user added while these were looked for stays listed after them, and is used.
    const bool transcriptAdded = !m_transcripts.empty();
    found.subtitles.insert(found.subtitles.end(), m_subtitleTracks.begin(), m_subtitleTracks.end());
    found.transcripts.insert(found.transcripts.end(), m_transcripts.begin(), m_transcripts.end());
    setSubtitleTracks(std::move(found.subtitles));
    setTranscripts(std::move(found.transcripts));
    // A resumed session keeps the sentences it has, whichever way they were found; recognition
    // stopped before it went through the whole file goes on, from where the user is.
    if (resumed) {
        if (!m_session->recognised.empty())
            co_await findSentences(token, opening.sound->playable);
        co_return;
    }
    // Subtitles first (their text is timed already), then a transcript, then recognition.
    const bool subtitlesAdded =
        !m_subtitleTracks.empty() && m_subtitleTracks.back().origin == SubtitleTrack::Origin::Added;
    const std::optional<SubtitleTrack> preferred =
        subtitlesAdded ? m_subtitleTracks.back()
                       : preferredSubtitleTrack(m_subtitleTracks, m_language);
    std::unique_ptr<SentenceSource> source;
    if (preferred && !transcriptAdded)
        source = std::make_unique<SubtitleSentences>(*preferred);
    else if (!m_transcripts.empty())
        source =
            transcriptSource(transcriptAdded ? m_transcripts.back() : m_transcripts.front(), token);
    const bool textFound = source != nullptr;
    co_await findSentences(token, opening.sound->playable, std::move(source));
    if (scope.stale() || textFound || m_notice)
        co_return;
    // Tracks that cannot give text are not used; the notice says why rather than leaving the
    // user to wonder.
    const auto unusable = std::find_if(m_subtitleTracks.begin(), m_subtitleTracks.end(),
                                       [](const SubtitleTrack& track) { return !track.usable(); });
    if (unusable != m_subtitleTracks.end())
        setNotice(
            tr("The subtitles “%1” can’t be used: %2").arg(unusable->source, *unusable->unusable));
}

void AppModel::openAt(const QString& path, qint64 sentenceId) {
    open(path);
    m_openAtSentence = sentenceId;
}

void AppModel::resume(Session saved) {
    saved.updatedAt = nowInWholeSeconds();
    if (const std::optional<qint64> wanted = std::exchange(m_openAtSentence, std::nullopt))
        for (size_t i = 0; i < saved.sentences.size(); ++i)
            if (saved.sentences[i].id() == *wanted)
                saved.current = qsizetype(i);
    const SplitMethod method = saved.method;
    setSession(std::move(saved));
    if (const std::optional<QString> spoken = method.language(); spoken && *spoken != m_language)
        setLanguage(*spoken);
    setSplitting(Splitting::done());
    save();
    loadTake();
}

void AppModel::startFresh(const QString& path, qint64 size) {
    setSession(Session(path, size, m_profile->duration(), pauseSentences(), 0,
                       SplitMethod::pauses(), defaultSettings(), false, nowInWholeSeconds()));
    save();
}

std::vector<Sentence> AppModel::pauseSentences() const {
    return m_profile ? SilenceSplitter().sentences(*m_profile) : std::vector<Sentence>();
}

QCoro::Task<> AppModel::findSentences(Token token, QString audio,
                                      std::unique_ptr<SentenceSource> source) {
    const ModelTasks::Scope scope(this, token);
    if (!m_session)
        co_return;
    const QString key = m_session->key();
    // The sentences are found in the language chosen now, whatever is chosen meanwhile.
    if (!source) {
        // The sentence the user is at is recognised first, and the list fills from there as
        // recognition goes on.
        const std::optional<Sentence> current = m_session->currentSentence();
        source = std::make_unique<SpeechSentences>(
            m_transcriber.get(), m_language, this, current ? current->start : 0.0,
            [this, &scope, key](std::vector<Sentence> found, std::vector<TimeRange> covered) {
                if (!scope.stale() && m_session && m_session->key() == key)
                    placeFound({std::move(found), std::move(covered), m_session->method});
            });
    }
    // Named: GCC 12 destroys a temporary made inside a co_await expression twice.
    EnergyProfile profile = m_profile.value_or(EnergyProfile());
    const double duration = m_session->duration;
    const std::stop_token stopToken = token->stopToken();
    SentenceSource::Found found;
    try {
        found = co_await source->find(audio, duration, std::move(profile), stopToken);
    } catch (const OperationCancelled&) {
        co_return;
    }
    if (scope.stale())
        co_return;
    // A result for a file that is no longer open changes nothing.
    if (!m_session || m_session->key() != key) {
        qCDebug(lcModel) << "Sentences found for a file that is no longer open are dropped";
        co_return;
    }
    if (found.sentences) {
        const double end =
            std::max(duration, found.sentences->empty() ? 0.0 : found.sentences->back().end);
        const qsizetype kept =
            placeFound({std::move(*found.sentences), {TimeRange(0, end)}, found.method});
        found.notice = withKeptEdits(std::move(found.notice), kept);
    }
    setNotice(found.notice);
    setSplitting(Splitting::done());
}

qsizetype AppModel::placeFound(FoundSentences found) {
    if (!m_session)
        return 0;
    const std::optional<Sentence> current = m_session->currentSentence();
    std::optional<TimeRange> practised;
    if (current && m_phase.kind != Phase::Kind::idle)
        practised = TimeRange(current->start, current->end);
    const std::vector<Sentence> before = m_session->sentences;
    qsizetype kept = 0;
    changeSession([&](Session& session) {
        kept = session.replaceSentences(
            splicedSentences(session.sentences, found.sentences, found.covered, practised),
            found.method);
        std::vector<TimeRange> recognised = session.recognised;
        recognised.insert(recognised.end(), found.covered.begin(), found.covered.end());
        recognised = joinedRanges(std::move(recognised));
        constexpr double kEdge = 0.05; // seconds: rounding at the file's ends
        const bool whole = recognised.size() == 1 && recognised.front().start <= kEdge &&
                           recognised.front().end >= session.duration - kEdge;
        session.recognised = whole ? std::vector<TimeRange>() : std::move(recognised);
    });
    m_heldFound = practised ? std::optional(std::move(found)) : std::nullopt;
    keepTakes(before);
    save();
    const std::optional<Sentence> now = m_session->currentSentence();
    if (!current || !now || now->id() != current->id())
        loadTake();
    return kept;
}

void AppModel::keepTakes(const std::vector<Sentence>& before) {
    // A take is named by its sentence's start: one whose sentence was reshaped follows it to the
    // new sentence holding the old one's middle, unless that one has a take of its own. The
    // sentences are in time order, so both lookups are binary searches.
    const std::vector<Sentence>& now = m_session->sentences;
    for (const Sentence& old : before) {
        const auto sameStart = std::lower_bound(
            now.begin(), now.end(), old.id(),
            [](const Sentence& sentence, qint64 id) { return sentence.id() < id; });
        if (sameStart != now.end() && sameStart->id() == old.id())
            continue;
        const double middle = (old.start + old.end) / 2;
        const auto after = std::upper_bound(
            now.begin(), now.end(), middle,
            [](double time, const Sentence& sentence) { return time < sentence.start; });
        if (after == now.begin() || !(middle < std::prev(after)->end))
            continue;
        if (const std::optional<QString> failure =
                m_sessions.moveTake(*m_session, old.id(), std::prev(after)->id()))
            qCDebug(lcModel) << "A take stays under its sentence's old start:" << *failure;
    }
}

void AppModel::restartFinding(const SourceMaker& makeSource) {
    if (!m_session || m_splitting.kind == Splitting::Kind::opening)
        return;
    cancelSplitting();
    // What the last recognition went through no longer stands for the new finding.
    changeSession([](Session& session) { session.recognised.clear(); });
    m_splitTask = m_tasks.start();
    findSentences(m_splitTask, m_session->filePath, makeSource ? makeSource(m_splitTask) : nullptr);
}

void AppModel::findSentencesAgain() {
    if (const std::optional<qsizetype> track = subtitleTrackInUse())
        useSubtitleTrack(*track);
    else if (const std::optional<qsizetype> transcript = transcriptInUse())
        useTranscript(*transcript);
    else if (m_session && m_session->method.textSource())
        // The text was added by hand before the file was last opened: the learner's own text is
        // never replaced by recognition unasked.
        setNotice(m_session->method.isSubtitles()
                      ? tr("The subtitles these sentences came from aren’t listed any more. Add "
                           "them again from the File menu, or choose a language to recognise the "
                           "speech instead.")
                      : tr("The transcript these sentences came from isn’t listed any more. Add "
                           "it again from the File menu, or choose a language to recognise the "
                           "speech instead."));
    else
        restartFinding({});
}

void AppModel::recogniseIn(const QString& language) {
    setLanguage(language);
    restartFinding({});
}

void AppModel::useSubtitleTrack(qsizetype index) {
    if (index < 0 || size_t(index) >= m_subtitleTracks.size() ||
        !m_subtitleTracks[size_t(index)].usable())
        return;
    restartFinding([track = m_subtitleTracks[size_t(index)]](const Token&) {
        return std::make_unique<SubtitleSentences>(track);
    });
}

void AppModel::useTranscript(qsizetype index) {
    if (index < 0 || size_t(index) >= m_transcripts.size())
        return;
    restartFinding([this, transcript = m_transcripts[size_t(index)]](const Token& token) {
        return transcriptSource(transcript, token);
    });
}

namespace {

// The index of the listed item a session's text source names, by its source.
template <typename Listed>
std::optional<qsizetype> listedSource(const std::optional<Session>& session,
                                      bool (SplitMethod::*is)() const,
                                      const std::vector<Listed>& listed) {
    if (!session || !(session->method.*is)())
        return std::nullopt;
    const QString source = session->method.textSource()->source;
    const auto found = std::find_if(listed.begin(), listed.end(),
                                    [&](const Listed& item) { return item.source == source; });
    if (found == listed.end())
        return std::nullopt;
    return qsizetype(found - listed.begin());
}

} // namespace

std::optional<qsizetype> AppModel::subtitleTrackInUse() const {
    return listedSource(m_session, &SplitMethod::isSubtitles, m_subtitleTracks);
}

std::optional<qsizetype> AppModel::transcriptInUse() const {
    return listedSource(m_session, &SplitMethod::isTranscript, m_transcripts);
}

void AppModel::addTranscript(Transcript transcript) {
    const bool opening = m_splitting.kind == Splitting::Kind::opening;
    if (!m_session && !opening)
        return;
    std::vector<Transcript> transcripts = m_transcripts;
    const auto listed = std::find(transcripts.begin(), transcripts.end(), transcript);
    const qsizetype index = qsizetype(listed - transcripts.begin());
    if (listed == transcripts.end())
        transcripts.push_back(std::move(transcript));
    setTranscripts(std::move(transcripts));
    // While the file opens, its opening aligns the added transcript once the others are found.
    if (!opening)
        useTranscript(index);
}

void AppModel::chooseSubtitleFile() {
    if (!m_fileChooser || !m_session) {
        qCDebug(lcModel) << "No file chooser or no open file: no subtitles to add";
        return;
    }
    const std::optional<QString> path = m_fileChooser->chooseSubtitleFile(
        tr("Choose the subtitles of “%1”. They give its sentences their text.")
            .arg(m_session->fileName()));
    if (path && !path->isEmpty())
        addSubtitleFile(*path);
}

void AppModel::addSubtitleFile(const QString& path) {
    const bool opening = m_splitting.kind == Splitting::Kind::opening;
    if (!m_session && !opening) {
        setError(tr("“%1” holds subtitles. Open their audio or video file first, "
                    "then add them to it.")
                     .arg(QFileInfo(path).fileName()));
        return;
    }
    SubtitleTrack track = addedSubtitleTrack(path);
    auto listed =
        std::find_if(m_subtitleTracks.begin(), m_subtitleTracks.end(),
                     [&](const SubtitleTrack& other) { return other.path == track.path; });
    qsizetype index = qsizetype(listed - m_subtitleTracks.begin());
    if (listed == m_subtitleTracks.end()) {
        std::vector<SubtitleTrack> tracks = m_subtitleTracks;
        tracks.push_back(std::move(track));
        setSubtitleTracks(std::move(tracks));
    }
    // While the file opens, its opening picks the added track once the others are found.
    if (!opening)
        useSubtitleTrack(index);
}

void AppModel::splitAtPausesOnly() {
    if (!m_profile || !m_session)
        return;
    cancelSplitting();
    stop();
    // Covering the whole file, the pauses also end what recognition went through.
    const qsizetype kept =
        placeFound({pauseSentences(), {TimeRange(0, m_session->duration)}, SplitMethod::pauses()});
    setNotice(withKeptEdits(std::nullopt, kept));
    setSplitting(Splitting::done());
    loadTake();
}

void AppModel::openRecent(const SessionSummary& summary) {
    if (QFileInfo(summary.filePath).isFile()) {
        open(summary.filePath);
        return;
    }
    setError(tr("“%1” isn’t where it was (%2). Open it from its new place; the "
                "session starts fresh.")
                 .arg(summary.fileName(), summary.filePath));
}

void AppModel::leaveFile() {
    stop();
    cancelSplitting();
    ModelTasks::cancel(m_takeTask);
    setSession(std::nullopt);
    m_edits->clear();
    setProfile(std::nullopt);
    setTake(std::nullopt);
    setNotice(std::nullopt);
    setSubtitleTracks({});
    setTranscripts({});
}

void AppModel::close() {
    leaveFile();
    m_player->unload();
    m_playable.clear();
    loadMelody(std::nullopt);
    setSplitting(Splitting::idle());
    refreshRecent();
}

void AppModel::save() {
    if (!m_persist || !m_session)
        return;
    changeSession([](Session& session) { session.updatedAt = nowInWholeSeconds(); });
    try {
        m_sessions.save(*m_session);
    } catch (const std::exception& error) {
        // The session in memory stays as it is; the next save tries again.
        qCDebug(lcSession) << "The session couldn’t be saved:" << error.what();
    }
}

PracticeSettings AppModel::defaultSettings() const {
    const QByteArray json = m_defaults->value(Locations::practiceSettingsKey).toByteArray();
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!json.isEmpty() && parseError.error == QJsonParseError::NoError && document.isObject()) {
        try {
            return PracticeSettings::fromJson(document.object());
        } catch (const DecodingError& error) {
            qCDebug(lcModel) << "The remembered practice settings are ignored:" << error.what();
        }
    }
    return PracticeSettings::standard();
}
