#include "model/AppModel.h"

#include "session/ReviewList.h"

#include "model/FileChooser.h"
#include "model/TaskToken.h"

#include "audio/Player.h"
#include "audio/Recorder.h"
#include "speech/Transcriber.h"

#include "base/Locations.h"

#include <QJsonDocument>
#include <QSettings>
#include <QUndoStack>

// The model's state, its tasks and its settings; opening and practice have files of their own.

AppModel::Services::Services() = default;
AppModel::Services::Services(Services&&) noexcept = default;
AppModel::Services& AppModel::Services::operator=(Services&&) noexcept = default;
AppModel::Services::~Services() = default;

AppModel::AppModel(SessionStore sessions, bool persist, Services services, QObject* parent)
    : QObject(parent), m_sessions(std::move(sessions)), m_persist(persist),
      m_player(std::move(services.player)), m_recorder(std::move(services.recorder)),
      m_transcriber(std::move(services.transcriber)), m_defaults(std::move(services.defaults)),
      m_fileChooser(std::move(services.fileChooser)), m_phaseStart(QDateTime::currentDateTimeUtc()),
      m_edits(new QUndoStack(this)) {
    if (!m_player)
        m_player = std::make_unique<Player>();
    if (!m_recorder)
        m_recorder = std::make_unique<Recorder>();
    if (!m_transcriber)
        m_transcriber = std::make_unique<Transcriber>();
    if (!m_defaults)
        m_defaults = Locations::userSettings();

    m_language = m_transcriber->preferredLanguage(Locations::savedLanguage(*m_defaults));
    m_showIntonation = m_defaults->value(Locations::showIntonationKey, true).toBool();
    m_showPicture = m_defaults->value(Locations::showPictureKey, true).toBool();
    refreshRecent();
}

AppModel::~AppModel() {
    // Tasks still suspended must find themselves cancelled when the services below wake them
    // while they are destroyed (QPointer to this model is only cleared after that).
    m_tasks.cancelAll();
    m_transcriber->cancel();
    m_player->stop();
    m_recorder->stop();
}

// MARK: Tasks

bool AppModel::isWorking() const {
    return ModelTasks::isRunning(m_work);
}

bool AppModel::isSplitting() const {
    return ModelTasks::isRunning(m_splitTask);
}

bool AppModel::hasRunningTasks() const {
    return m_tasks.anyRunning();
}

void AppModel::cancelSplitting() {
    ModelTasks::cancel(m_splitTask);
    m_transcriber->cancel();
    m_heldFound.reset();
}

// MARK: Properties

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

void AppModel::setSubtitleTracks(std::vector<SubtitleTrack> tracks) {
    assign(m_subtitleTracks, std::move(tracks), &AppModel::subtitleTracksChanged);
}

void AppModel::setTranscripts(std::vector<Transcript> transcripts) {
    assign(m_transcripts, std::move(transcripts), &AppModel::transcriptsChanged);
}

void AppModel::setMicDenied(bool denied) {
    assign(m_micDenied, denied, &AppModel::micDeniedChanged);
}

void AppModel::setRecent(std::vector<SessionSummary> recent) {
    assign(m_recent, std::move(recent), &AppModel::recentChanged);
}

void AppModel::refreshRecent() {
    if (!m_persist)
        return;
    const std::vector<Session> sessions = m_sessions.all();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    m_reviewDue = ReviewList::dueCount(ReviewList::items(sessions, now), now);
    // Always told: the due count may have changed alone.
    m_recent = SessionStore::recentOf(sessions, recentLimit);
    Q_EMIT recentChanged();
}

void AppModel::setLanguage(const QString& language) {
    if (m_persist)
        m_defaults->setValue(Locations::languageKey, language);
    assign(m_language, language, &AppModel::languageChanged);
}

void AppModel::setShowIntonation(bool show) {
    if (m_persist)
        m_defaults->setValue(Locations::showIntonationKey, show);
    assign(m_showIntonation, show, &AppModel::showIntonationChanged);
}

void AppModel::setShowPicture(bool show) {
    if (m_persist)
        m_defaults->setValue(Locations::showPictureKey, show);
    assign(m_showPicture, show, &AppModel::showPictureChanged);
}

void AppModel::setPhase(Phase phase, std::optional<double> length) {
    // Going idle leaves the start and length of the last phase as they were.
    if (phase.kind != Phase::Kind::idle) {
        assign(m_phaseStart, QDateTime::currentDateTimeUtc(), &AppModel::phaseStartChanged);
        if (length)
            assign(m_phaseLength, *length, &AppModel::phaseLengthChanged);
    }
    assign(m_phase, phase, &AppModel::phaseChanged);
    // Later, not now: whoever stops practice may go on with the sentence indices it holds.
    if (phase.kind == Phase::Kind::idle && m_heldFound)
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_heldFound && m_phase.kind == Phase::Kind::idle)
                    placeFound(*std::exchange(m_heldFound, std::nullopt));
            },
            Qt::QueuedConnection);
}

void AppModel::changeSession(const std::function<void(Session&)>& change) {
    if (!m_session)
        return;
    Session changed = *m_session;
    change(changed);
    setSession(std::move(changed));
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
        m_defaults->setValue(Locations::practiceSettingsKey,
                             QJsonDocument(settings.toJson()).toJson(QJsonDocument::Compact));
}

void AppModel::setRepeats(int repeats) {
    changeSettings([repeats](PracticeSettings& settings) { settings.repeats = repeats; });
}

void AppModel::setRate(double rate) {
    changeSettings([rate](PracticeSettings& settings) { settings.setRateToNearestStep(rate); });
}

void AppModel::setGapFactor(double gapFactor) {
    changeSettings([gapFactor](PracticeSettings& settings) { settings.gapFactor = gapFactor; });
}

void AppModel::setAutoAdvance(bool autoAdvance) {
    changeSettings(
        [autoAdvance](PracticeSettings& settings) { settings.autoAdvance = autoAdvance; });
}

void AppModel::slower() {
    changeSettings([](PracticeSettings& settings) { settings.slower(); });
}

void AppModel::faster() {
    changeSettings([](PracticeSettings& settings) { settings.faster(); });
}

void AppModel::normalSpeed() {
    changeSettings([](PracticeSettings& settings) { settings.normalSpeed(); });
}
