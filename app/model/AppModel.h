#pragma once

#include "base/Sentence.h"
#include "feedback/AttemptFeedback.h"
#include "media/EnergyProfile.h"
#include "practice/PracticePlan.h"
#include "practice/PracticeSettings.h"
#include "session/SentenceEdits.h"
#include "session/Session.h"
#include "session/SessionStore.h"
#include "session/SessionSummary.h"

#include "model/TaskToken.h"
#include "speech/ListeningModel.h"
#include "speech/SentenceSource.h"
#include "subtitles/SubtitleTrack.h"

#include <QCoroTask>
#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class FileChooser;
class Player;
class QSettings;
class QUndoStack;
class Recorder;
class Transcriber;

// The one object that drives the application: it opens media files, finds their sentences,
// runs the practice loop, records and compares takes, and keeps the session of the open file.
// Views read its properties (each notifies only when its value really changes) and call its
// operations. Everything runs on the main thread; long operations are cancellable coroutines
// held in two handles, `splitTask` (opening, finding sentences) and `work` (practice).
// AppModel.cpp holds the state and settings, AppModelOpening.cpp the opening of a file and its
// session, AppModelPractice.cpp the practice, AppModelEditing.cpp the learner's edits of the
// sentences.
class AppModel final : public QObject, public ListeningModel {
    Q_OBJECT
    Q_INTERFACES(ListeningModel)
    Q_PROPERTY(std::optional<Session> session READ session NOTIFY sessionChanged)
    Q_PROPERTY(std::optional<EnergyProfile> profile READ profile NOTIFY profileChanged)
    Q_PROPERTY(AppModel::Splitting splitting READ splitting NOTIFY splittingChanged)
    Q_PROPERTY(
        std::optional<double> openingProgress READ openingProgress NOTIFY openingProgressChanged)
    Q_PROPERTY(std::optional<QString> notice READ notice NOTIFY noticeChanged)
    Q_PROPERTY(std::optional<QString> error READ error WRITE setError NOTIFY errorChanged)
    Q_PROPERTY(AppModel::Phase phase READ phase NOTIFY phaseChanged)
    Q_PROPERTY(QDateTime phaseStart READ phaseStart NOTIFY phaseStartChanged)
    Q_PROPERTY(double phaseLength READ phaseLength NOTIFY phaseLengthChanged)
    Q_PROPERTY(std::optional<AppModel::Take> take READ take NOTIFY takeChanged)
    Q_PROPERTY(std::vector<SessionSummary> recent READ recent WRITE setRecent NOTIFY recentChanged)
    Q_PROPERTY(qsizetype reviewDue READ reviewDue NOTIFY recentChanged)
    Q_PROPERTY(bool micDenied READ micDenied WRITE setMicDenied NOTIFY micDeniedChanged)
    Q_PROPERTY(QString language READ language WRITE setLanguage NOTIFY languageChanged)
    Q_PROPERTY(
        std::vector<SubtitleTrack> subtitleTracks READ subtitleTracks NOTIFY subtitleTracksChanged)
    Q_PROPERTY(bool showIntonation READ showIntonation WRITE setShowIntonation NOTIFY
                   showIntonationChanged)
    Q_PROPERTY(std::vector<float> melody READ melody NOTIFY melodyChanged)
    Q_PROPERTY(bool showPicture READ showPicture WRITE setShowPicture NOTIFY showPictureChanged)

public:
    // How many recent sessions the start screen lists.
    static constexpr qsizetype recentLimit = 10;

    // Progress of opening a file and of finding its sentences.
    struct Splitting {
        enum class Kind { idle, opening, listening, aligning, done };
        Kind kind = Kind::idle;
        // Audio recognised so far while listening, aligned so far while aligning; 0 otherwise.
        double seconds = 0;

        static Splitting idle() { return {}; }
        static Splitting opening() { return {Kind::opening, 0}; }
        static Splitting listening(double seconds) { return {Kind::listening, seconds}; }
        static Splitting aligning(double seconds) { return {Kind::aligning, seconds}; }
        static Splitting done() { return {Kind::done, 0}; }
        bool operator==(const Splitting&) const = default;
    };

    // What the practice side is doing now; `repetition` and `of` belong to playing and yourTurn.
    struct Phase {
        enum class Kind { idle, playing, yourTurn, listenFirst, recording, original, take };
        Kind kind = Kind::idle;
        int repetition = 0;
        int of = 0;

        static Phase idle() { return {}; }
        static Phase playing(int repetition, int of) { return {Kind::playing, repetition, of}; }
        static Phase yourTurn(int repetition, int of) { return {Kind::yourTurn, repetition, of}; }
        static Phase listenFirst() { return {Kind::listenFirst, 0, 0}; }
        static Phase recording() { return {Kind::recording, 0, 0}; }
        static Phase original() { return {Kind::original, 0, 0}; }
        static Phase take() { return {Kind::take, 0, 0}; }
        bool operator==(const Phase&) const = default;
    };

    // The user's recorded attempt at the current sentence: its file, 140 waveform bars (0…1),
    // the part of it that holds the voice and how it compares with the sentence (none when the
    // sentence's sound could not be read).
    struct Take {
        QString url;
        std::vector<float> bars;
        TimeRange range;
        std::optional<AttemptFeedback> feedback;
        bool operator==(const Take&) const = default;
    };

    // The services the model owns. Anything left empty but the file chooser is created as in
    // the application: the real player, recorder and transcriber and Locations::userSettings().
    // Without a file chooser (the application passes its file dialog) `chooseFile` does nothing.
    struct Services {
        std::unique_ptr<Player> player;
        std::unique_ptr<Recorder> recorder;
        std::unique_ptr<Transcriber> transcriber;
        std::unique_ptr<QSettings> defaults;
        std::unique_ptr<FileChooser> fileChooser;

        Services();
        Services(Services&&) noexcept;
        Services& operator=(Services&&) noexcept;
        ~Services();
    };

    // With `persist` false nothing is written: no session file, no QSettings value, and the
    // recent list stays empty. Saved sessions are still read.
    AppModel(SessionStore sessions, bool persist, Services services = {},
             QObject* parent = nullptr);
    ~AppModel() override;

    const SessionStore& sessions() const { return m_sessions; }
    bool persist() const { return m_persist; }
    // The user's preferences (Locations::userSettings() in the application); written only when
    // `persist` is true.
    QSettings& defaults() const { return *m_defaults; }
    const std::optional<Session>& session() const { return m_session; }
    const std::optional<EnergyProfile>& profile() const { return m_profile; }
    Splitting splitting() const { return m_splitting; }
    // While opening: the fraction of the file read so far (0…1, in whole percents), once known.
    std::optional<double> openingProgress() const { return m_openingProgress; }
    const std::optional<QString>& notice() const { return m_notice; }
    const std::optional<QString>& error() const { return m_error; }
    Phase phase() const { return m_phase; }
    QDateTime phaseStart() const { return m_phaseStart; }
    double phaseLength() const { return m_phaseLength; }
    const std::optional<Take>& take() const { return m_take; }
    const std::vector<SessionSummary>& recent() const { return m_recent; }
    // Hard sentences of every session that are due for review now (ReviewList).
    qsizetype reviewDue() const { return m_reviewDue; }
    bool micDenied() const { return m_micDenied; }
    const QString& language() const { return m_language; }
    // The open file's subtitle tracks: found beside and inside it once it is read, then those
    // the user added. Empty while a file opens and when none is open.
    const std::vector<SubtitleTrack>& subtitleTracks() const { return m_subtitleTracks; }
    // The listed track the session's sentences came from; none when they came another way or
    // their track is no longer there.
    std::optional<qsizetype> subtitleTrackInUse() const;
    // The open file's transcripts: found beside it once it is read ("talk.txt", "talk.de.txt"),
    // then those the user added. Empty while a file opens and when none is open.
    const std::vector<Transcript>& transcripts() const { return m_transcripts; }
    // The listed transcript the session's sentences came from, as for subtitle tracks.
    std::optional<qsizetype> transcriptInUse() const;
    bool showIntonation() const { return m_showIntonation; }
    // The current sentence's melody: semitones every 10 ms, NaN where unvoiced; empty until it
    // has been read (off the main thread) or when it cannot be.
    const std::vector<float>& melody() const { return m_melody; }
    bool showPicture() const { return m_showPicture; }

    Player& player() const { return *m_player; }
    Recorder& recorder() const { return *m_recorder; }
    Transcriber& transcriber() const { return *m_transcriber; }

    // Whether a practice task (`work`) or an opening / sentence-finding task (`splitTask`) is
    // running, and whether any coroutine of the model (take analyses included) is still alive.
    bool isWorking() const;
    bool isSplitting() const;
    bool hasRunningTasks() const;

    // Set by the views: the error alert clears `error`, the microphone alert clears
    // `micDenied`, forgetting a recent session refreshes `recent`, the language menu sets
    // `language` (remembered in QSettings when `persist` is true).
    void setError(std::optional<QString> error);
    void setMicDenied(bool denied);
    void setRecent(std::vector<SessionSummary> recent);
    // Reads every saved session again for `recent` and `reviewDue` (nothing without `persist`).
    void refreshRecent();
    void setLanguage(const QString& language);
    // Whether the cards draw the melody lines; remembered like `language`.
    void setShowIntonation(bool show);
    // Whether the practice view shows the picture of a video (or an audio file's cover);
    // remembered like `language`.
    void setShowPicture(bool show);

    // Opening and finding sentences.
    void chooseFile();
    void open(const QString& path);
    void openRecent(const SessionSummary& summary);
    // Opens a file at the sentence with that id (the review window's choice), once it is read.
    void openAt(const QString& path, qint64 sentenceId);
    void close();
    // Finds the sentences again the way the session found them: from the same subtitle track
    // while it is listed, else by speech recognition in the chosen language.
    void findSentencesAgain();
    // Sets the language and finds the sentences by recognising speech in it.
    void recogniseIn(const QString& language);
    // Finds the sentences from a listed subtitle track (an index in `subtitleTracks`).
    void useSubtitleTrack(qsizetype index);
    // Asks for a subtitle file through the file chooser, then adds it.
    void chooseSubtitleFile();
    // Lists a subtitle file for the open media file and finds the sentences from it at once.
    // Without an open file the error says what to do.
    void addSubtitleFile(const QString& path);
    // Finds the sentences by aligning a listed transcript (an index in `transcripts`) to the
    // sound; one without a language is read in the chosen recognition language.
    void useTranscript(qsizetype index);
    // Lists a transcript the user gave (pasted or from a file) and aligns it at once.
    void addTranscript(Transcript transcript);
    void splitAtPausesOnly();
    // Writes the open session (the only writer of session files); write errors are dropped.
    void save();
    PracticeSettings defaultSettings() const;

    // Practice.
    void stop();
    PracticeSettings effectiveSettings() const;
    void loop();
    void loopOrStop();
    void select(qsizetype index);
    void move(qsizetype offset);
    void next() { move(1); }
    void previous() { move(-1); }
    void record();
    void finishRecording();
    void loadTake();
    void compare();
    void playTake();
    void toggleHard(std::optional<qsizetype> index = std::nullopt);
    void setHardOnly(bool on);
    // Shows recognised text judged unreliable plainly (or faded again); remembered per file.
    void setShowUncertainText(bool on);
    void setRepeats(int repeats);
    void setRate(double rate);
    void setGapFactor(double gapFactor);
    void setAutoAdvance(bool autoAdvance);
    void slower();
    void faster();
    void normalSpeed();

    // Editing the sentences. Each edit is one step of `edits()`, the open file's undo history
    // (emptied when a file opens or closes), and is saved at once; one that does not apply does
    // nothing. Moving an edge plays the new range.
    QUndoStack& edits() const { return *m_edits; }
    void nudgeEdge(SentenceEdits::Edge edge, int steps);
    // Cuts the current sentence at the quietest point near the playhead, or near its middle.
    void splitSentence();
    void mergeWithNext();
    // The text of the sentence at `index` (the current one when none); empty removes it.
    void editText(const QString& text, std::optional<qsizetype> index = std::nullopt);

    // How recognition shows its progress (while `splitting` is listening).
    std::optional<double> listeningProgress() const override;
    void setListeningProgress(double seconds) override;
    void startListening() override;

Q_SIGNALS:
    void sessionChanged();
    void profileChanged();
    void splittingChanged();
    void openingProgressChanged();
    void noticeChanged();
    void errorChanged();
    void phaseChanged();
    void phaseStartChanged();
    void phaseLengthChanged();
    void takeChanged();
    void recentChanged();
    void micDeniedChanged();
    void languageChanged();
    void subtitleTracksChanged();
    void transcriptsChanged();
    void showIntonationChanged();
    void melodyChanged();
    void showPictureChanged();

private:
    using Token = ModelTasks::Token;

    // Hands a worker's progress (0…1) to the main thread in whole percents, where `show` gets
    // it while the task of `token` runs; a cancelled task posts nothing more.
    std::function<void(double)> progressReporter(const Token& token,
                                                 std::function<void(AppModel&, double)> show);
    // Stops what runs for the open file and empties what is shown of it: opening another file
    // and closing begin so.
    void leaveFile();
    std::function<void(double)> openingReporter(const Token& token);
    QCoro::Task<> openMedia(Token token, QString url, QString path, qint64 size);
    // From `source` when given, else by recognising speech in the chosen language.
    QCoro::Task<> findSentences(Token token, QString audio,
                                std::unique_ptr<SentenceSource> source = nullptr);
    // Starts finding the sentences of the open session afresh (a new splitting task), from the
    // source `makeSource` makes for that task, or by speech recognition when there is none.
    using SourceMaker = std::function<std::unique_ptr<SentenceSource>(const Token&)>;
    void restartFinding(const SourceMaker& makeSource);
    std::unique_ptr<SentenceSource> transcriptSource(Transcript transcript, const Token& token);
    // Sentences found for the stretches `covered` of the open file, the rest staying as it is.
    struct FoundSentences {
        std::vector<Sentence> sentences;
        std::vector<TimeRange> covered;
        SplitMethod method;
    };
    // Puts them in place and saves. The sentence being practised stays as it is until practice
    // stops (the found sentences are held until then), so nothing moves under the user.
    // Gives how many edited sentences were kept (Session::replaceSentences).
    qsizetype placeFound(FoundSentences found);
    // Moves the takes of sentences that `before` had and the open session no longer has to the
    // sentences now in their place.
    void keepTakes(const std::vector<Sentence>& before);
    QCoro::Task<> runLoop(Token token, Sentence sentence, PracticeSettings settings);
    // Plays one repetition of the loop; one heard to the end goes into the practice record.
    QCoro::Task<bool> playRepetition(Sentence sentence, double rate);
    // Notes practice of the sentence with that id in the open session's record and saves it.
    void notePractice(qint64 sentenceId, void (*note)(Sentence&, const QDateTime&));
    QCoro::Task<> runRecording(Token token, Sentence sentence, PracticeSettings settings,
                               QString url);
    QCoro::Task<> runComparison(Token token, Sentence sentence, PracticeSettings settings,
                                Take take);
    QCoro::Task<> playTakeSteps(Token token, Take take, double gain = 1);
    QCoro::Task<> analyseTake(Token token, QString url, Sentence sentence);
    // Reads the melody of this stretch of the open file unless it is the one shown already.
    void loadMelody(std::optional<TimeRange> range);
    QCoro::Task<> readMelody(Token token, QString path, TimeRange range);
    // Plays the sentence at `rate` for the task of `scope` (which outlives the call): true when
    // it was heard to its end; false when the task went stale, or after playFailed().
    QCoro::Task<bool> playSentence(const ModelTasks::Scope& scope, Sentence sentence, double rate);
    // After a play that nobody stopped returned false: the practice goes back to idle and says
    // why the sound could not be played.
    void playFailed();

    // A run of sentences an edit changed, before or after it, and where the place is in it.
    struct Run {
        std::vector<Sentence> sentences;
        qsizetype current = 0;
    };
    using SentenceEdit = std::function<bool(std::vector<Sentence>&)>;
    void pushEdit(const QString& title, bool replay, const SentenceEdit& edit);
    // Puts the run `to` in place of `from` when `from` is still there and `to` overlaps no
    // neighbour; false, changing nothing, when not. The take of the current sentence follows its
    // start, the session is saved and, with `replay`, the loop plays the new range.
    bool showEdit(const Run& from, const Run& to, bool replay);
    // Where the loop is in the sentence now, when it is playing it.
    std::optional<double> playhead(const Sentence& sentence) const;
    // `notice` with how many edited sentences a new list kept, when it kept any.
    std::optional<QString> withKeptEdits(std::optional<QString> notice, qsizetype kept) const;

    void cancelSplitting();
    void resume(Session saved);
    void startFresh(const QString& path, qint64 size);
    std::vector<Sentence> pauseSentences() const;
    void showStep(const PracticeStep& step, int repeats);
    bool isRecording() const;
    // Ends the recording, if there is one: its take replaces the shown one, or, when it cannot
    // be saved, the error says so and the earlier take stays as it was.
    void endRecording();
    // Stops the practice before playing the take; false when there is no take left to play.
    bool stopForTake();
    void setPhase(Phase phase, std::optional<double> length = std::nullopt);
    void changeSession(const std::function<void(Session&)>& change);
    void changeSettings(const std::function<void(PracticeSettings&)>& change);
    void rememberSettings(const PracticeSettings& settings);

    // Sets a property and notifies its observers, only when the value really changes.
    template <typename T> void assign(T& member, T value, void (AppModel::*changed)());
    void setSession(std::optional<Session> session);
    void setProfile(std::optional<EnergyProfile> profile);
    void setSplitting(Splitting splitting);
    void setNotice(std::optional<QString> notice);
    void setTake(std::optional<Take> take);
    void setSubtitleTracks(std::vector<SubtitleTrack> tracks);
    void setTranscripts(std::vector<Transcript> transcripts);

    SessionStore m_sessions;
    bool m_persist;
    std::unique_ptr<Player> m_player;
    std::unique_ptr<Recorder> m_recorder;
    std::unique_ptr<Transcriber> m_transcriber;
    std::unique_ptr<QSettings> m_defaults;
    std::unique_ptr<FileChooser> m_fileChooser;

    std::optional<Session> m_session;
    std::optional<EnergyProfile> m_profile;
    Splitting m_splitting;
    std::optional<double> m_openingProgress;
    std::optional<QString> m_notice;
    std::optional<QString> m_error;
    Phase m_phase;
    QDateTime m_phaseStart;
    double m_phaseLength = 0;
    std::optional<Take> m_take;
    std::vector<SessionSummary> m_recent;
    qsizetype m_reviewDue = 0;
    std::optional<qint64> m_openAtSentence;
    bool m_micDenied = false;
    QString m_language;
    std::vector<SubtitleTrack> m_subtitleTracks;
    std::vector<Transcript> m_transcripts;
    bool m_showIntonation = true;
    std::vector<float> m_melody;
    bool m_showPicture = true;
    // The file and stretch `m_melody` is, or is being read, of.
    std::optional<std::pair<QString, TimeRange>> m_melodyOf;
    // The sound the player plays: what takes are compared with.
    QString m_playable;

    // Found while the user practised: placed in full once practice stops.
    std::optional<FoundSentences> m_heldFound;

    QUndoStack* m_edits;

    Token m_work;
    Token m_splitTask;
    Token m_takeTask;
    Token m_melodyTask;
    // Every task the model started, to cancel them all when the model goes away.
    ModelTasks m_tasks;
};

template <typename T> void AppModel::assign(T& member, T value, void (AppModel::*changed)()) {
    if (member == value)
        return;
    member = std::move(value);
    Q_EMIT(this->*changed)();
}

Q_DECLARE_METATYPE(AppModel::Splitting)
Q_DECLARE_METATYPE(AppModel::Phase)
Q_DECLARE_METATYPE(AppModel::Take)
