#include "model/AppModel.h"

#include "model/FileChooser.h"
#include "model/TaskToken.h"

#include "audio/Player.h"
#include "audio/Recorder.h"
#include "speech/SentenceFinder.h"
#include "speech/Transcriber.h"

#include "media/MediaSource.h"
#include "media/StableHash.h"
#include "practice/LoopRunner.h"
#include "split/SilenceSplitter.h"

#include <QCoreApplication>
#include <QCoroFuture>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QPointer>
#include <QSettings>
#include <QStandardPaths>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <cmath>

namespace {

const QString languageKey = QStringLiteral("language");
const QString settingsKey = QStringLiteral("settings");

QString standardAudioFolder() {
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty())
        cache = QDir::homePath() + QStringLiteral("/.cache");
    return cache + QStringLiteral("/Quellin/Audio");
}

// The description the user sees for a failure of another component.
QString describe(const std::exception& error) {
    if (const auto* quellin = dynamic_cast<const QuellinError*>(&error))
        return quellin->description();
    return QString::fromUtf8(error.what());
}

// The path as the session knows it: absolute, with "." and ".." resolved but links kept.
QString standardizedPath(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QDateTime nowInWholeSeconds() {
    // Session files keep whole seconds; keeping the same in memory lets the file match the model.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    return now.addMSecs(-now.time().msec());
}

QCoro::Task<bool> finished(bool value) {
    co_return value;
}

} // namespace

struct AppModel::OpenedMedia {
    QString playable;
    EnergyProfile profile;
    std::optional<QString> failure;
    bool cancelled = false;
};

struct AppModel::TakeAnalysis {
    std::vector<float> bars;
    TimeRange range;
};

AppModel::Services::Services() = default;
AppModel::Services::Services(Services&&) noexcept = default;
AppModel::Services& AppModel::Services::operator=(Services&&) noexcept = default;
AppModel::Services::~Services() = default;

AppModel::AppModel(SessionStore sessions, bool persist, Services services, QObject* parent)
    : QObject(parent), m_sessions(std::move(sessions)), m_persist(persist),
      m_player(std::move(services.player)), m_recorder(std::move(services.recorder)),
      m_transcriber(std::move(services.transcriber)), m_defaults(std::move(services.defaults)),
      m_fileChooser(std::move(services.fileChooser)),
      m_audioFolder(std::move(services.audioFolder)),
      m_phaseStart(QDateTime::currentDateTimeUtc()) {
    if (!m_player)
        m_player = std::make_unique<Player>();
    if (!m_recorder)
        m_recorder = std::make_unique<Recorder>();
    if (!m_transcriber)
        m_transcriber = std::make_unique<Transcriber>();
    if (!m_defaults)
        m_defaults =
            std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                        QStringLiteral("Quellin"), QStringLiteral("Quellin"));
    if (!m_fileChooser)
        m_fileChooser = std::make_unique<FileDialogChooser>();
    if (m_audioFolder.isEmpty())
        m_audioFolder = standardAudioFolder();

    const QVariant saved = m_defaults->value(languageKey);
    m_language = m_transcriber->preferredLanguage(
        saved.isValid() ? std::optional<QString>(saved.toString()) : std::nullopt);
    if (m_persist)
        m_recent = m_sessions.recent(recentLimit);
}

AppModel::~AppModel() {
    // Tasks still suspended must find themselves cancelled when the services below wake them
    // while they are destroyed (QPointer to this model is only cleared after that).
    for (const std::weak_ptr<TaskToken>& weak : m_tasks)
        if (const Token token = weak.lock())
            token->cancel();
    m_transcriber->cancel();
    m_player->stop();
    m_recorder->stop();
}

// MARK: Tasks

AppModel::Token AppModel::startTask() {
    std::erase_if(m_tasks, [](const std::weak_ptr<TaskToken>& weak) {
        const Token token = weak.lock();
        return !token || !token->isRunning();
    });
    Token token = TaskToken::make();
    m_tasks.push_back(token);
    return token;
}

void AppModel::cancel(Token& token) {
    if (token)
        token->cancel();
    token.reset();
}

bool AppModel::isWorking() const {
    return m_work && m_work->isRunning();
}

bool AppModel::isSplitting() const {
    return m_splitTask && m_splitTask->isRunning();
}

bool AppModel::hasRunningTasks() const {
    return std::any_of(m_tasks.begin(), m_tasks.end(), [](const std::weak_ptr<TaskToken>& weak) {
        const Token token = weak.lock();
        return token && token->isRunning();
    });
}

void AppModel::cancelSplitting() {
    cancel(m_splitTask);
    m_transcriber->cancel();
}

// MARK: Properties

template <typename T> void AppModel::assign(T& member, T value, void (AppModel::*changed)()) {
    if (member == value)
        return;
    member = std::move(value);
    Q_EMIT(this->*changed)();
}

void AppModel::setSession(std::optional<Session> session) {
    assign(m_session, std::move(session), &AppModel::sessionChanged);
}

void AppModel::setProfile(std::optional<EnergyProfile> profile) {
    assign(m_profile, std::move(profile), &AppModel::profileChanged);
}

void AppModel::setSplitting(Splitting splitting) {
    // Progress of opening arrives apart from this, so any new state starts without it.
    assign(m_openingProgress, std::optional<double>(), &AppModel::openingProgressChanged);
    assign(m_splitting, splitting, &AppModel::splittingChanged);
}

std::optional<double> AppModel::listeningProgress() const {
    if (m_splitting.kind != Splitting::Kind::listening)
        return std::nullopt;
    return m_splitting.seconds;
}

void AppModel::setListeningProgress(double seconds) {
    // Once the model shows something else, late progress leaves it alone.
    if (m_splitting.kind == Splitting::Kind::listening)
        setSplitting(Splitting::listening(seconds));
}

void AppModel::startListening() {
    setNotice(std::nullopt);
    setSplitting(Splitting::listening(0));
}

void AppModel::setNotice(std::optional<QString> notice) {
    assign(m_notice, std::move(notice), &AppModel::noticeChanged);
}

void AppModel::setError(std::optional<QString> error) {
    assign(m_error, std::move(error), &AppModel::errorChanged);
}

void AppModel::setTake(std::optional<Take> take) {
    assign(m_take, std::move(take), &AppModel::takeChanged);
}

void AppModel::setMicDenied(bool denied) {
    assign(m_micDenied, denied, &AppModel::micDeniedChanged);
}

void AppModel::setRecent(std::vector<SessionSummary> recent) {
    assign(m_recent, std::move(recent), &AppModel::recentChanged);
}

void AppModel::setLanguage(const QString& language) {
    if (m_persist)
        m_defaults->setValue(languageKey, language);
    assign(m_language, language, &AppModel::languageChanged);
}

void AppModel::setPhase(Phase phase, std::optional<double> length) {
    // Going idle leaves the start and length of the last phase as they were.
    if (phase.kind != Phase::Kind::idle) {
        assign(m_phaseStart, QDateTime::currentDateTimeUtc(), &AppModel::phaseStartChanged);
        if (length)
            assign(m_phaseLength, *length, &AppModel::phaseLengthChanged);
    }
    assign(m_phase, phase, &AppModel::phaseChanged);
}

void AppModel::changeSession(const std::function<void(Session&)>& change) {
    if (!m_session)
        return;
    Session changed = *m_session;
    change(changed);
    setSession(std::move(changed));
}

// MARK: Opening

void AppModel::chooseFile() {
    const std::optional<QString> path = m_fileChooser->chooseMediaFile(
        QStringLiteral("Choose an audio or video file to practise with. It stays where it is."));
    if (path && !path->isEmpty())
        open(*path);
}

void AppModel::open(const QString& url) {
    stop();
    cancelSplitting();
    cancel(m_takeTask);
    const QString path = standardizedPath(url);
    const QFileInfo info(path);
    const qint64 size = info.exists() ? info.size() : 0;

    setSession(std::nullopt);
    setProfile(std::nullopt);
    setTake(std::nullopt);
    setNotice(std::nullopt);
    setError(std::nullopt);
    setSplitting(Splitting::opening());
    // Linux has no list of recent documents; the recent sessions of the start screen serve.

    m_splitTask = startTask();
    openMedia(m_splitTask, url, m_audioFolder, path, size);
}

AppModel::OpenedMedia AppModel::readMedia(QString url, QString folder, std::stop_token stop,
                                          std::function<void(double)> progress) {
    OpenedMedia result;
    try {
        // A sound track that has to be extracted first takes the first half of the way; the
        // reading of the sound then takes the rest (or all of it when nothing is extracted).
        bool extracted = false;
        // A file that needs no work (plain audio, or a track extracted before) reports only 1.
        result.playable = MediaSource::playableAudio(url, folder, stop, [&](double fraction) {
            if (fraction < 1.0)
                extracted = true;
            if (extracted)
                progress(fraction / 2);
        });
        result.profile = EnergyProfile::read(result.playable, 0.01, stop, [&](double fraction) {
            progress(extracted ? 0.5 + fraction / 2 : fraction);
        });
    } catch (const OperationCancelled&) {
        result.cancelled = true;
    } catch (const std::exception& error) {
        result.failure = describe(error);
    }
    return result;
}

// Hands the reading's progress to the main thread in whole percents, so that an hour-long file
// posts a hundred updates rather than one per block; a cancelled opening posts nothing more.
std::function<void(double)> AppModel::openingReporter(const Token& token) {
    auto lastPercent = std::make_shared<int>(-1);
    return [self = QPointer<AppModel>(this), weak = std::weak_ptr<TaskToken>(token),
            lastPercent](double fraction) {
        const int percent = int(std::clamp(fraction, 0.0, 1.0) * 100);
        if (percent <= *lastPercent)
            return;
        *lastPercent = percent;
        // The application is the context: the model may be gone by the time this is handled.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, weak, percent] {
                const auto token = weak.lock();
                if (!self || !token || token->isCancelled() ||
                    self->m_splitting.kind != Splitting::Kind::opening)
                    return;
                self->assign(self->m_openingProgress, std::optional<double>(percent / 100.0),
                             &AppModel::openingProgressChanged);
            },
            Qt::QueuedConnection);
    };
}

QCoro::Task<> AppModel::openMedia(Token token, QString url, QString folder, QString path,
                                  qint64 size) {
    const TaskToken::Running running(token);
    const QPointer<AppModel> self(this);
    // The worker is a function, not a lambda: GCC 12 destroys lambda temporaries of a co_await
    // operand twice.
    const QFuture<OpenedMedia> reading = QtConcurrent::run(
        &AppModel::readMedia, url, folder, token->stopToken(), openingReporter(token));
    OpenedMedia media = co_await reading;
    if (!self || token->isCancelled() || media.cancelled)
        co_return;

    const QString name = QFileInfo(url).fileName();
    const auto fail = [this, &name](const QString& description) {
        setError(QStringLiteral("Couldn’t open “%1”: %2").arg(name, description));
        setSplitting(Splitting::idle());
    };
    if (media.failure) {
        fail(*media.failure);
        co_return;
    }
    try {
        m_player->load(media.playable);
    } catch (const std::exception& error) {
        fail(describe(error));
        co_return;
    }
    setProfile(std::move(media.profile));

    std::optional<Session> saved = m_sessions.load(path, size);
    if (saved && !saved->sentences.empty()) {
        resume(std::move(*saved));
        co_return;
    }
    // A saved session that cannot be read is kept aside rather than overwritten by the fresh one.
    if (!saved && m_persist)
        if (const std::optional<QString> kept =
                m_sessions.keepUnreadableAside(Session::key(path, size)))
            setError(QStringLiteral("The saved session of “%1” couldn’t be read, so it starts "
                                    "afresh. The damaged file is kept as “%2”.")
                         .arg(name, *kept));
    startFresh(path, size);
    co_await findSentences(token, media.playable);
}

void AppModel::resume(Session saved) {
    saved.updatedAt = nowInWholeSeconds();
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

QCoro::Task<> AppModel::findSentences(Token token, QString audio) {
    const TaskToken::Running running(token);
    const QPointer<AppModel> self(this);
    if (!m_session)
        co_return;
    const QString key = m_session->key();
    // The sentences are found in the language chosen now, whatever is chosen meanwhile.
    const QString language = m_language;
    const QPointer<Transcriber> transcriber(m_transcriber.get());
    const QPointer<QObject> listener(this);
    const std::stop_token stopToken = token->stopToken();
    // Named: GCC 12 destroys a temporary made by ?: inside a co_await expression twice.
    std::vector<TimeRange> sound;
    if (m_profile)
        sound = SilenceSplitter::soundStretches(*m_profile);
    SentenceFinder::Outcome outcome;
    try {
        outcome = co_await SentenceFinder::find(transcriber, audio, language, m_session->duration,
                                                std::move(sound), listener, stopToken);
    } catch (const OperationCancelled&) {
        co_return;
    } catch (const std::exception& error) {
        outcome.notice = SentenceFinder::stoppedNotice(describe(error));
    }
    if (!self || token->isCancelled())
        co_return;
    // A result for a file that is no longer open changes nothing.
    if (!m_session || m_session->key() != key)
        co_return;
    if (outcome.sentences) {
        stop();
        changeSession([&](Session& session) {
            session.replaceSentences(std::move(*outcome.sentences), SplitMethod::speech(language));
        });
        save();
        loadTake();
    } else {
        setNotice(outcome.notice);
    }
    setSplitting(Splitting::done());
}

void AppModel::findSentencesAgain() {
    if (!m_session || m_splitting.kind == Splitting::Kind::opening)
        return;
    cancelSplitting();
    const std::optional<QString> audio = audioURL();
    m_splitTask = startTask();
    if (audio)
        findSentences(m_splitTask, *audio);
}

std::optional<QString> AppModel::audioURL() const {
    if (!m_session)
        return std::nullopt;
    const QString converted =
        m_audioFolder + u'/' +
        StableHash::hex(m_session->filePath + u'|' + QString::number(m_session->fileSize)) +
        QStringLiteral(".m4a");
    if (QFileInfo::exists(converted))
        return converted;
    return m_session->filePath;
}

void AppModel::splitAtPausesOnly() {
    if (!m_profile || !m_session)
        return;
    cancelSplitting();
    stop();
    changeSession([this](Session& session) {
        session.replaceSentences(pauseSentences(), SplitMethod::pauses());
    });
    setNotice(std::nullopt);
    setSplitting(Splitting::done());
    save();
    loadTake();
}

void AppModel::openRecent(const SessionSummary& summary) {
    if (QFileInfo(summary.filePath).isFile()) {
        open(summary.filePath);
        return;
    }
    setError(QStringLiteral("“%1” isn’t where it was (%2). Open it from its new place; the "
                            "session starts fresh.")
                 .arg(summary.fileName(), summary.filePath));
}

void AppModel::close() {
    stop();
    cancelSplitting();
    cancel(m_takeTask);
    m_player->unload();
    setSession(std::nullopt);
    setProfile(std::nullopt);
    setTake(std::nullopt);
    setNotice(std::nullopt);
    setSplitting(Splitting::idle());
    if (m_persist)
        setRecent(m_sessions.recent(recentLimit));
}

void AppModel::save() {
    if (!m_persist || !m_session)
        return;
    changeSession([](Session& session) { session.updatedAt = nowInWholeSeconds(); });
    try {
        m_sessions.save(*m_session);
    } catch (const std::exception&) {
        // The session in memory stays as it is; the next save tries again.
    }
}

PracticeSettings AppModel::defaultSettings() const {
    const QByteArray json = m_defaults->value(settingsKey).toByteArray();
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!json.isEmpty() && parseError.error == QJsonParseError::NoError && document.isObject()) {
        try {
            return PracticeSettings::fromJson(document.object());
        } catch (const DecodingError&) {
        }
    }
    return PracticeSettings::standard();
}

// MARK: Practice

void AppModel::stop() {
    cancel(m_work);
    m_player->stop();
    setPhase(Phase::idle());
    endRecording();
}

void AppModel::endRecording() {
    // Also a recording that ended by itself a moment ago, before the task looked.
    if (!m_recorder->recorder())
        return;
    if (const std::optional<QString> failure = m_recorder->stop()) {
        setError(QStringLiteral("Couldn’t save your recording: %1").arg(*failure));
        return;
    }
    // A recording cut short is kept and becomes the take.
    loadTake();
}

bool AppModel::isRecording() const {
    const TakeRecording* recording = m_recorder->recorder();
    return recording && recording->isRecording();
}

PracticeSettings AppModel::effectiveSettings() const {
    return (m_session ? m_session->settings : defaultSettings()).clamped();
}

void AppModel::loop() {
    if (!m_session || !m_session->currentSentence())
        return;
    const Sentence sentence = *m_session->currentSentence();
    stop();
    const PracticeSettings settings = effectiveSettings();
    m_work = startTask();
    runLoop(m_work, sentence, settings);
}

void AppModel::showStep(const PracticeStep& step, int repeats) {
    setPhase(step.kind == PracticeStep::Kind::play ? Phase::playing(step.repetition, repeats)
                                                   : Phase::yourTurn(step.repetition, repeats),
             step.duration);
}

QCoro::Task<> AppModel::runLoop(Token token, Sentence sentence, PracticeSettings settings) {
    const TaskToken::Running running(token);
    const QPointer<AppModel> self(this);
    // The operations hold the model weakly: they may outlive it by one step. They are named
    // rather than written into the co_await: GCC 12 destroys lambda temporaries of a co_await
    // operand twice.
    const LoopRunner::Play play = [self](Sentence played, double rate) {
        return self ? self->m_player->play(played.start, played.end, rate) : finished(false);
    };
    const LoopRunner::Wait wait = [token](double seconds) { return token->sleep(seconds); };
    const LoopRunner::Phase phase = [self, repeats = settings.repeats](const PracticeStep& step) {
        if (self)
            self->showStep(step, repeats);
    };
    const bool completed =
        co_await LoopRunner::run(sentence, settings, play, wait, phase, token->stopToken());
    if (!self || token->isCancelled())
        co_return;
    if (!completed) {
        playFailed();
        co_return;
    }
    setPhase(Phase::idle());
    if (!settings.autoAdvance || !m_session)
        co_return;
    if (const std::optional<qsizetype> next = m_session->step(m_session->current, 1)) {
        select(*next);
        loop();
    }
}

void AppModel::loopOrStop() {
    if (m_phase.kind == Phase::Kind::idle)
        loop();
    else
        stop();
}

void AppModel::select(qsizetype index) {
    if (!m_session || index < 0 || index >= qsizetype(m_session->sentences.size()) ||
        index == m_session->current)
        return;
    stop();
    changeSession([index](Session& session) { session.current = index; });
    save();
    loadTake();
}

void AppModel::move(qsizetype offset) {
    if (!m_session)
        return;
    if (const std::optional<qsizetype> index = m_session->step(m_session->current, offset))
        select(*index);
}

void AppModel::record() {
    if (m_phase.kind == Phase::Kind::recording) {
        finishRecording();
        return;
    }
    if (!m_session || !m_session->currentSentence())
        return;
    const Sentence sentence = *m_session->currentSentence();
    stop();
    const PracticeSettings settings = effectiveSettings();
    const QString url = m_sessions.takeURL(*m_session, sentence);
    m_work = startTask();
    runRecording(m_work, sentence, settings, url);
}

QCoro::Task<> AppModel::runRecording(Token token, Sentence sentence, PracticeSettings settings,
                                     QString url) {
    const TaskToken::Running running(token);
    const QPointer<AppModel> self(this);
    const bool denied = co_await m_recorder->microphoneDenied();
    if (!self || token->isCancelled())
        co_return;
    if (denied) {
        setMicDenied(true);
        co_return;
    }
    setPhase(Phase::listenFirst(), PracticePlan::playTime(sentence, settings.rate));
    const bool heard = co_await m_player->play(sentence.start, sentence.end, settings.rate);
    if (!self || token->isCancelled())
        co_return;
    if (!heard) {
        playFailed();
        co_return;
    }

    const double limit = PracticePlan::takeLimit(sentence, settings.rate);
    try {
        m_recorder->record(url, limit);
    } catch (const std::exception& error) {
        setError(describe(error));
        setPhase(Phase::idle());
        co_return;
    }
    setPhase(Phase::recording(), limit);
    // The recorder ends by itself at the limit; look every 0.05 s whether it has.
    while (isRecording()) {
        const bool slept = co_await token->sleep(std::chrono::milliseconds(50));
        if (!self || !slept)
            co_return;
    }
    if (token->isCancelled())
        co_return;
    finishRecording();
}

void AppModel::finishRecording() {
    cancel(m_work);
    setPhase(Phase::idle());
    endRecording();
}

void AppModel::loadTake() {
    cancel(m_takeTask);
    setTake(std::nullopt);
    if (!m_session || !m_session->currentSentence())
        return;
    const Sentence sentence = *m_session->currentSentence();
    const QString url = m_sessions.takeURL(*m_session, sentence);
    if (!QFileInfo(url).isFile())
        return;
    m_takeTask = startTask();
    analyseTake(m_takeTask, url, sentence.id());
}

std::optional<AppModel::TakeAnalysis> AppModel::analyseTakeFile(QString url, std::stop_token stop) {
    try {
        const EnergyProfile profile = EnergyProfile::read(url, 0.01, stop);
        SilenceSplitter voice;
        voice.minPause = 0.35;
        voice.minSentence = 0.2;
        voice.maxSentence = 12;
        voice.pad = 0.15;
        voice.minSound = 0.12;
        const std::vector<TimeRange> ranges = voice.split(profile);
        double start = 0;
        double end = profile.duration();
        if (!ranges.empty()) {
            start = std::max(ranges.front().start - 0.05, 0.0);
            end = ranges.back().end;
        }
        end = std::min(end + 0.1, profile.duration());
        return TakeAnalysis{profile.bars(start, end, 140), TimeRange(start, end)};
    } catch (...) {
        // A take that cannot be read or analysed is no take.
        return std::nullopt;
    }
}

QCoro::Task<> AppModel::analyseTake(Token token, QString url, qint64 sentenceId) {
    const TaskToken::Running running(token);
    const QPointer<AppModel> self(this);
    const QFuture<std::optional<TakeAnalysis>> analysing =
        QtConcurrent::run(&AppModel::analyseTakeFile, url, token->stopToken());
    const std::optional<TakeAnalysis> analysis = co_await analysing;
    if (!self || token->isCancelled() || !analysis)
        co_return;
    // Dropped when the user has moved on to another sentence (or file) meanwhile.
    const std::optional<Sentence> current = m_session ? m_session->currentSentence() : std::nullopt;
    if (!current || current->id() != sentenceId || m_sessions.takeURL(*m_session, *current) != url)
        co_return;
    setTake(Take{url, analysis->bars, analysis->range});
}

bool AppModel::stopForTake() {
    stop();
    // Stopping a recording replaces the take, which is then analysed afresh: nothing to play yet.
    return m_take.has_value();
}

void AppModel::compare() {
    if (!m_session || !m_session->currentSentence() || !m_take)
        return;
    const Sentence sentence = *m_session->currentSentence();
    if (!stopForTake())
        return;
    const PracticeSettings settings = effectiveSettings();
    m_work = startTask();
    runComparison(m_work, sentence, settings, *m_take);
}

QCoro::Task<> AppModel::runComparison(Token token, Sentence sentence, PracticeSettings settings,
                                      Take take) {
    const TaskToken::Running running(token);
    const QPointer<AppModel> self(this);
    setPhase(Phase::original(), PracticePlan::playTime(sentence, settings.rate));
    const bool played = co_await m_player->play(sentence.start, sentence.end, settings.rate);
    if (!self || token->isCancelled())
        co_return;
    if (!played) {
        playFailed();
        co_return;
    }
    co_await token->sleep(std::chrono::milliseconds(400));
    if (!self || token->isCancelled())
        co_return;
    co_await playTakeSteps(token, std::move(take));
}

void AppModel::playTake() {
    if (!m_take || !stopForTake())
        return;
    m_work = startTask();
    runTake(m_work, *m_take);
}

QCoro::Task<> AppModel::runTake(Token token, Take take) {
    const TaskToken::Running running(token);
    co_await playTakeSteps(token, std::move(take));
}

QCoro::Task<> AppModel::playTakeSteps(Token token, Take take) {
    const QPointer<AppModel> self(this);
    setPhase(Phase::take(), take.range.end - take.range.start);
    const bool ended = co_await m_player->playTake(take.url, take.range.start, take.range.end);
    if (!self || token->isCancelled())
        co_return;
    if (ended)
        setPhase(Phase::idle());
    else
        playFailed();
}

void AppModel::playFailed() {
    setPhase(Phase::idle());
    if (const std::optional<QString>& failure = m_player->failure())
        setError(QStringLiteral("Couldn’t play the sound: %1").arg(*failure));
}

void AppModel::toggleHard(std::optional<qsizetype> index) {
    if (!m_session)
        return;
    changeSession(
        [index](Session& session) { session.toggleHard(index.value_or(session.current)); });
    save();
}

void AppModel::setHardOnly(bool on) {
    if (!m_session)
        return;
    changeSession([on](Session& session) { session.hardOnly = on; });
    if (on) {
        const std::vector<qsizetype> visible = m_session->visible();
        if (!visible.empty() &&
            std::find(visible.begin(), visible.end(), m_session->current) == visible.end())
            select(visible.front());
    }
    save();
}

void AppModel::setShowUncertainText(bool on) {
    if (!m_session)
        return;
    changeSession([on](Session& session) { session.showUncertainText = on; });
    save();
}

// MARK: Settings

void AppModel::changeSettings(const std::function<void(PracticeSettings&)>& change) {
    if (!m_session)
        return;
    PracticeSettings settings = m_session->settings;
    change(settings);
    settings = settings.clamped();
    // The remembered choice may be another file's, so a value this session has already is
    // remembered all the same.
    rememberSettings(settings);
    // A slider sends many values that round to the same setting: those write no session.
    if (settings == m_session->settings)
        return;
    changeSession([&settings](Session& session) { session.settings = settings; });
    save();
}

void AppModel::rememberSettings(const PracticeSettings& settings) {
    if (m_persist && settings != defaultSettings())
        m_defaults->setValue(settingsKey,
                             QJsonDocument(settings.toJson()).toJson(QJsonDocument::Compact));
}

void AppModel::setRepeats(int repeats) {
    changeSettings([repeats](PracticeSettings& settings) { settings.repeats = repeats; });
}

void AppModel::setRate(double rate) {
    changeSettings(
        [rate](PracticeSettings& settings) { settings.rate = std::round(rate * 20) / 20; });
}

void AppModel::setGapFactor(double gapFactor) {
    changeSettings([gapFactor](PracticeSettings& settings) { settings.gapFactor = gapFactor; });
}

void AppModel::setAutoAdvance(bool autoAdvance) {
    changeSettings(
        [autoAdvance](PracticeSettings& settings) { settings.autoAdvance = autoAdvance; });
}

void AppModel::slower() {
    changeSettings([](PracticeSettings& settings) { settings.rate -= 0.05; });
}

void AppModel::faster() {
    changeSettings([](PracticeSettings& settings) { settings.rate += 0.05; });
}

void AppModel::normalSpeed() {
    changeSettings([](PracticeSettings& settings) { settings.rate = 1.0; });
}
