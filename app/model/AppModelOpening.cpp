#include "model/AppModel.h"

#include "model/FileChooser.h"
#include "model/TaskToken.h"

#include "audio/Player.h"
#include "speech/SentenceSource.h"
#include "speech/Transcriber.h"

#include "base/Locations.h"
#include "base/LogCategories.h"
#include "base/QuellinError.h"
#include "media/MediaSource.h"
#include "media/SoundOpening.h"
#include "split/SilenceSplitter.h"

#include <QCoreApplication>
#include <QCoroFuture>
#include <QFileInfo>
#include <QJsonDocument>
#include <QPointer>
#include <QSettings>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

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

// The worker is a function, not a lambda: GCC 12 destroys lambda temporaries of a co_await
// operand twice.
Opening openSound(QString path, QString folder, std::stop_token stop,
                  std::function<void(double)> progress) {
    try {
        return {SoundOpening::open(path, folder, stop, SoundOpening::wholeWay(std::move(progress))),
                std::nullopt};
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
        QStringLiteral("Choose an audio or video file to practise with. It stays where it is."));
    if (path && !path->isEmpty())
        open(*path);
}

void AppModel::open(const QString& url) {
    stop();
    cancelSplitting();
    ModelTasks::cancel(m_takeTask);
    const QString path = Locations::canonicalMediaPath(url);
    const QFileInfo info(path);
    const qint64 size = info.exists() ? info.size() : 0;

    setSession(std::nullopt);
    setProfile(std::nullopt);
    setTake(std::nullopt);
    setNotice(std::nullopt);
    setError(std::nullopt);
    setSplitting(Splitting::opening());
    // Linux has no list of recent documents; the recent sessions of the start screen serve.

    m_splitTask = m_tasks.start();
    openMedia(m_splitTask, url, m_audioFolder, path, size);
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
    const ModelTasks::Scope scope(this, token);
    const QFuture<Opening> reading =
        QtConcurrent::run(&openSound, path, folder, token->stopToken(), openingReporter(token));
    Opening opening = co_await reading;
    if (scope.stale())
        co_return;

    const QString name = QFileInfo(url).fileName();
    const auto fail = [this, &name](const QString& description) {
        setError(QStringLiteral("Couldn’t open “%1”: %2").arg(name, description));
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
    } catch (const std::exception& error) {
        fail(describe(error));
        co_return;
    }
    setProfile(std::move(opening.sound->profile));

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
    co_await findSentences(token, opening.sound->playable);
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
    const ModelTasks::Scope scope(this, token);
    if (!m_session)
        co_return;
    const QString key = m_session->key();
    // The sentences are found in the language chosen now, whatever is chosen meanwhile.
    // The sentence the user is at is recognised first.
    const auto& sentences = m_session->sentences;
    const qsizetype current = m_session->current;
    const double from = current >= 0 && current < qsizetype(sentences.size())
                            ? sentences[size_t(current)].start
                            : 0.0;
    SpeechSentences speech(m_transcriber.get(), m_language, this, from);
    SentenceSource& source = speech;
    // Named: GCC 12 destroys a temporary made inside a co_await expression twice.
    EnergyProfile profile = m_profile.value_or(EnergyProfile());
    const double duration = m_session->duration;
    const std::stop_token stopToken = token->stopToken();
    SentenceSource::Found found;
    try {
        found = co_await source.find(audio, duration, std::move(profile), stopToken);
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
        stop();
        changeSession([&](Session& session) {
            session.replaceSentences(std::move(*found.sentences), found.method);
        });
        save();
        loadTake();
    } else {
        setNotice(found.notice);
    }
    setSplitting(Splitting::done());
}

void AppModel::findSentencesAgain() {
    if (!m_session || m_splitting.kind == Splitting::Kind::opening)
        return;
    cancelSplitting();
    const std::optional<QString> audio = audioURL();
    m_splitTask = m_tasks.start();
    if (audio)
        findSentences(m_splitTask, *audio);
}

std::optional<QString> AppModel::audioURL() const {
    if (!m_session)
        return std::nullopt;
    const QString converted =
        m_audioFolder + u'/' + MediaSource::cacheName(m_session->filePath, m_session->fileSize);
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
    ModelTasks::cancel(m_takeTask);
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
