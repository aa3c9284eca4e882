#include "model/AppModel.h"

#include "model/TaskToken.h"

#include "audio/Player.h"
#include "audio/Recorder.h"

#include "base/LogCategories.h"
#include "base/QuellinError.h"
#include "feedback/PitchContour.h"
#include "feedback/TakeAnalysis.h"
#include "practice/LoopRunner.h"
#include "practice/ReviewSchedule.h"
#include "speech/HeardWords.h"
#include "speech/Transcriber.h"

#include <QCoroFuture>
#include <QFileInfo>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

// The practice of the open file: the loop, recording, the take and its comparison.

namespace {

QCoro::Task<bool> finished(bool value) {
    co_return value;
}

} // namespace

void AppModel::stop() {
    ModelTasks::cancel(m_work);
    m_player->stop();
    setPhase(Phase::idle());
    endRecording();
}

void AppModel::endRecording() {
    // Also a recording that ended by itself a moment ago, before the task looked.
    if (!m_recorder->recorder())
        return;
    if (const std::optional<QString> failure = m_recorder->stop()) {
        setError(tr("Couldn’t save your recording: %1").arg(*failure));
        return;
    }
    // A recording cut short is kept and becomes the take.
    if (const std::optional<Sentence> sentence =
            m_session ? m_session->currentSentence() : std::nullopt)
        notePractice(sentence->id(), &ReviewSchedule::tookATake);
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
    m_work = m_tasks.start();
    runLoop(m_work, sentence, settings);
}

void AppModel::showStep(const PracticeStep& step, int repeats) {
    setPhase(step.kind == PracticeStep::Kind::play ? Phase::playing(step.repetition, repeats)
                                                   : Phase::yourTurn(step.repetition, repeats),
             step.duration);
}

QCoro::Task<> AppModel::runLoop(Token token, Sentence sentence, PracticeSettings settings) {
    const ModelTasks::Scope scope(this, token);
    const QPointer<AppModel> self(this);
    // The operations hold the model weakly: they may outlive it by one step. They are named
    // rather than written into the co_await: GCC 12 destroys lambda temporaries of a co_await
    // operand twice.
    const LoopRunner::Play play = [self](Sentence played, double rate) {
        return self ? self->playRepetition(played, rate) : finished(false);
    };
    const LoopRunner::Wait wait = [token](double seconds) { return token->sleep(seconds); };
    const LoopRunner::Phase phase = [self, repeats = settings.repeats](const PracticeStep& step) {
        if (self)
            self->showStep(step, repeats);
    };
    const bool completed =
        co_await LoopRunner::run(sentence, settings, play, wait, phase, token->stopToken());
    if (scope.stale())
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

QCoro::Task<bool> AppModel::playRepetition(Sentence sentence, double rate) {
    const QPointer<AppModel> self(this);
    const bool heard = co_await m_player->play(sentence.start, sentence.end, rate);
    if (heard && self)
        notePractice(sentence.id(), &ReviewSchedule::heardToTheEnd);
    co_return heard;
}

void AppModel::notePractice(qint64 sentenceId, void (*note)(Sentence&, const QDateTime&)) {
    changeSession([&](Session& session) {
        for (Sentence& sentence : session.sentences)
            if (sentence.id() == sentenceId)
                note(sentence, QDateTime::currentDateTimeUtc());
    });
    save();
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
    // Recognition still under way goes on where the user now is.
    m_transcriber->focus(m_session->sentences[size_t(index)].start);
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
    m_work = m_tasks.start();
    runRecording(m_work, sentence, settings, url);
}

QCoro::Task<> AppModel::runRecording(Token token, Sentence sentence, PracticeSettings settings,
                                     QString url) {
    const ModelTasks::Scope scope(this, token);
    const bool denied = co_await m_recorder->microphoneDenied();
    if (scope.stale())
        co_return;
    if (denied) {
        setMicDenied(true);
        co_return;
    }
    setPhase(Phase::listenFirst(), PracticePlan::playTime(sentence, settings.rate));
    if (!co_await playSentence(scope, sentence, settings.rate))
        co_return;

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
        co_await token->sleep(std::chrono::milliseconds(50));
        if (scope.stale())
            co_return;
    }
    if (scope.stale())
        co_return;
    finishRecording();
}

void AppModel::finishRecording() {
    ModelTasks::cancel(m_work);
    setPhase(Phase::idle());
    endRecording();
}

void AppModel::loadTake() {
    ModelTasks::cancel(m_takeTask);
    setTake(std::nullopt);
    const std::optional<Sentence> current = m_session ? m_session->currentSentence() : std::nullopt;
    loadMelody(current ? std::optional(TimeRange(current->start, current->end)) : std::nullopt);
    if (!current)
        return;
    const Sentence sentence = *current;
    const QString url = m_sessions.takeURL(*m_session, sentence);
    if (!QFileInfo(url).isFile())
        return;
    m_takeTask = m_tasks.start();
    analyseTake(m_takeTask, url, sentence);
}

QCoro::Task<> AppModel::analyseTake(Token token, QString url, Sentence sentence) {
    const ModelTasks::Scope scope(this, token);
    const QFuture<std::optional<TakeAnalysis>> analysing =
        QtConcurrent::run(&TakeAnalysis::read, url, m_playable,
                          TimeRange(sentence.start, sentence.end), token->stopToken());
    std::optional<TakeAnalysis> analysis = co_await analysing;
    // Dropped when the user has moved on to another sentence (or file) meanwhile.
    const auto stillShown = [&] {
        const std::optional<Sentence> current =
            m_session ? m_session->currentSentence() : std::nullopt;
        if (current && current->id() == sentence.id() &&
            m_sessions.takeURL(*m_session, *current) == url)
            return true;
        qCDebug(lcModel) << "The take of a sentence no longer shown is dropped:" << url;
        return false;
    };
    if (scope.stale() || !analysis || !stillShown())
        co_return;
    setTake(Take{url, std::move(analysis->shape.bars), analysis->shape.range,
                 std::move(analysis->feedback)});
    if (!m_take->feedback || !sentence.text)
        co_return;

    // Hearing the words takes seconds: the figures show first, the words when they come. They
    // are heard in the recognition language, the one sentences are found in.
    const QFuture<std::optional<std::vector<AttemptFeedback::HeardWord>>> hearing =
        QtConcurrent::run(&HeardWords::hear, *sentence.text, m_language, url, token->stopToken());
    std::optional<std::vector<AttemptFeedback::HeardWord>> heard = co_await hearing;
    if (scope.stale() || !heard || !stillShown() || !m_take || m_take->url != url ||
        !m_take->feedback)
        co_return;
    Take withWords = *m_take;
    withWords.feedback->heard = std::move(heard);
    setTake(std::move(withWords));
}

void AppModel::loadMelody(std::optional<TimeRange> range) {
    std::optional<std::pair<QString, TimeRange>> of;
    if (range && !m_playable.isEmpty())
        of.emplace(m_playable, *range);
    if (of == m_melodyOf)
        return;
    ModelTasks::cancel(m_melodyTask);
    m_melodyOf = of;
    assign(m_melody, {}, &AppModel::melodyChanged);
    if (!of)
        return;
    m_melodyTask = m_tasks.start();
    readMelody(m_melodyTask, of->first, of->second);
}

QCoro::Task<> AppModel::readMelody(Token token, QString path, TimeRange range) {
    const ModelTasks::Scope scope(this, token);
    const QFuture<std::vector<float>> reading =
        QtConcurrent::run([path, range, stop = token->stopToken()] {
            try {
                return melodyOf(path, range, stop);
            } catch (const std::exception& error) {
                qCDebug(lcModel) << "The melody of a sentence couldn’t be read:" << error.what();
                return std::vector<float>();
            }
        });
    std::vector<float> melody = co_await reading;
    if (scope.stale())
        co_return;
    assign(m_melody, std::move(melody), &AppModel::melodyChanged);
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
    m_work = m_tasks.start();
    runComparison(m_work, sentence, settings, *m_take);
}

QCoro::Task<> AppModel::runComparison(Token token, Sentence sentence, PracticeSettings settings,
                                      Take take) {
    const ModelTasks::Scope scope(this, token);
    setPhase(Phase::original(), PracticePlan::playTime(sentence, settings.rate));
    if (!co_await playSentence(scope, sentence, settings.rate))
        co_return;
    co_await token->sleep(std::chrono::milliseconds(400));
    if (scope.stale())
        co_return;
    // The take as loud as the original, so that the two compare by their melody and rhythm.
    const double gain = take.feedback ? take.feedback->takeGain : 1;
    co_await playTakeSteps(token, std::move(take), gain);
}

void AppModel::playTake() {
    if (!m_take || !stopForTake())
        return;
    m_work = m_tasks.start();
    playTakeSteps(m_work, *m_take);
}

QCoro::Task<> AppModel::playTakeSteps(Token token, Take take, double gain) {
    const ModelTasks::Scope scope(this, token);
    setPhase(Phase::take(), take.range.end - take.range.start);
    const bool ended =
        co_await m_player->playTake(take.url, take.range.start, take.range.end, gain);
    if (scope.stale())
        co_return;
    if (ended)
        setPhase(Phase::idle());
    else
        playFailed();
}

QCoro::Task<bool> AppModel::playSentence(const ModelTasks::Scope& scope, Sentence sentence,
                                         double rate) {
    const bool heard = co_await m_player->play(sentence.start, sentence.end, rate);
    if (scope.stale())
        co_return false;
    if (!heard)
        playFailed();
    co_return heard;
}

void AppModel::playFailed() {
    setPhase(Phase::idle());
    if (const std::optional<QString>& failure = m_player->failure())
        setError(tr("Couldn’t play the sound: %1").arg(*failure));
    else
        qCDebug(lcModel) << "Playing ended early without a reason to show";
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
