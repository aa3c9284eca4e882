#include "ModelHarness.h"
#include "speech/Transcriber.h"
#include "TestMedia.h"

#include "media/MediaError.h"
#include "media/MediaSource.h"
#include "media/StableHash.h"
#include "split/SilenceSplitter.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <future>

using namespace std::chrono_literals;
using Splitting = AppModel::Splitting;

namespace {

const std::vector<double> threeBursts{1.0, 1.4, 0.9};

// Where the bursts of `threeBursts` lie with 0.7 s pauses: 0.7–1.7, 2.4–3.8, 4.5–5.4.
std::vector<Word> threeSentences() {
    return {word("Hello", 0.75, 0.4), word("there.", 1.2, 0.4), word("How", 2.45, 0.4),
            word("are", 2.9, 0.4),    word("you?", 3.35, 0.4),  word("Fine.", 4.6, 0.7)};
}

QStringList texts(const Session& session) {
    QStringList list;
    for (const Sentence& sentence : session.sentences)
        list.append(sentence.text.value_or(QStringLiteral("(none)")));
    return list;
}

bool anyText(const Session& session) {
    return std::any_of(session.sentences.begin(), session.sentences.end(),
                       [](const Sentence& s) { return s.text && !s.text->isEmpty(); });
}

// Records every value `splitting` takes.
struct SplittingLog {
    std::vector<Splitting> values;
    SplittingLog(AppModel& model) {
        QObject::connect(&model, &AppModel::splittingChanged, &model,
                         [this, &model] { values.push_back(model.splitting()); });
    }
    std::vector<Splitting::Kind> kinds() const {
        std::vector<Splitting::Kind> list;
        for (const Splitting& s : values)
            if (list.empty() || list.back() != s.kind)
                list.push_back(s.kind);
        return list;
    }
};

std::vector<ScriptedEngine::Step> recognise(std::vector<Word> words,
                                            std::chrono::milliseconds delay = 0ms) {
    std::vector<ScriptedEngine::Step> script;
    script.push_back(ScriptedEngine::reached(0.5, delay));
    script.push_back(ScriptedEngine::result(std::move(words), 20ms));
    script.push_back(ScriptedEngine::finish(true, std::nullopt, 10ms));
    return script;
}

} // namespace

class AppModelOpeningTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qRegisterMetaType<AppModel::Splitting>(); }

    // A new file: the pause split can be practised at once, then recognition replaces it with
    // sentences that carry text, keeping the user's place and hard marks.
    void freshSessionIsSplitAtPausesThenRecognised() {
        ModelHarness h;
        const QString path =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), threeBursts);
        // Recognition waits until the test has seen the pause split, however slow the machine.
        std::promise<void> release;
        std::vector<ScriptedEngine::Step> script{
            {0ms,
             [heard = release.get_future().share()](const RecognitionDelegate&) { heard.wait(); }}};
        for (ScriptedEngine::Step& step : recognise(threeSentences()))
            script.push_back(std::move(step));
        h.engine().setScript(std::move(script));
        SplittingLog log(h.model());

        h->open(path);
        QTRY_VERIFY_WITH_TIMEOUT(h->session().has_value(), 10000);
        const Session& fresh = *h->session();
        QCOMPARE(fresh.filePath, path);
        QCOMPARE(fresh.fileSize, QFileInfo(path).size());
        QCOMPARE(fresh.method, SplitMethod::pauses());
        QCOMPARE(fresh.sentences.size(), size_t(3));
        QVERIFY(!anyText(fresh));
        QCOMPARE(fresh.current, 0);
        QCOMPARE(fresh.settings, PracticeSettings::standard());
        QVERIFY(h->profile().has_value());
        QCOMPARE(fresh.duration, h->profile()->duration());
        QVERIFY(h.savedMatchesModel());

        // The pause split is practised while recognition runs.
        h->select(1);
        h->toggleHard();
        QVERIFY(h.savedMatchesModel());
        QCOMPARE(h->splitting().kind, Splitting::Kind::listening);

        release.set_value();
        QVERIFY(h.settle());
        const Session& found = *h->session();
        QCOMPARE(found.method, SplitMethod::speech(QStringLiteral("en-US")));
        QCOMPARE(texts(found),
                 (QStringList{QStringLiteral("Hello there."), QStringLiteral("How are you?"),
                              QStringLiteral("Fine.")}));
        QCOMPARE(found.current, 1);
        QVERIFY(found.sentences[1].hard);
        QVERIFY(!found.sentences[0].hard && !found.sentences[2].hard);
        QCOMPARE(h->splitting(), Splitting::done());
        QVERIFY(!h->notice());
        QVERIFY(!h->error());
        QCOMPARE(h.engine().lastPath(), path);
        QVERIFY(h.savedMatchesModel());
        QCOMPARE(log.kinds(),
                 (std::vector<Splitting::Kind>{Splitting::Kind::opening, Splitting::Kind::listening,
                                               Splitting::Kind::done}));
        // Progress went from 0 towards the words heard, never backwards.
        double last = -1;
        for (const Splitting& s : log.values) {
            if (s.kind != Splitting::Kind::listening)
                continue;
            QVERIFY(s.seconds >= last);
            last = s.seconds;
        }
        QVERIFY(last >= 5.3);
    }

    // Opening a file again resumes its session as it was; an empty saved session, a file that
    // changed size and a session found in another language each behave their own way.
    void resumeVersusFreshSession() {
        ModelHarness h;
        const QString a =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), threeBursts);
        h.engine().setScript(recognise(threeSentences()));
        QVERIFY(h.openAndSettle(a));
        h->select(2);
        h->toggleHard(0);
        h->setRepeats(5);
        const Session before = *h->session();
        h->close();
        QCOMPARE(h->recent().size(), size_t(1));
        QCOMPARE(h.engine().started(), 1);

        QTest::qWait(1100); // so that the resumed session's save time differs
        QVERIFY(h.openAndSettle(a));
        QCOMPARE(h.engine().started(), 1); // no recognition for a resumed session
        QCOMPARE(h->splitting(), Splitting::done());
        QVERIFY(!h->notice());
        QCOMPARE(h->session()->sentences, before.sentences);
        QCOMPARE(h->session()->current, 2);
        QCOMPARE(h->session()->settings.repeats, 5);
        QVERIFY(h->session()->updatedAt > before.updatedAt);
        QVERIFY(h.savedMatchesModel());

        // A saved session without sentences counts as none: a fresh split, and recognition runs.
        const QString b =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/b.wav"), {1.2, 1.2});
        Session empty(b, QFileInfo(b).size(), 4.0, {}, 0,
                      SplitMethod::speech(QStringLiteral("en-US")), PracticeSettings::standard(),
                      false, QDateTime::currentDateTimeUtc());
        h.store().save(empty);
        h.engine().setScript({ScriptedEngine::finish(true)});
        QVERIFY(h.openAndSettle(b));
        QCOMPARE(h.engine().started(), 2);
        // No words heard: the two bursts stand as sentences without words.
        QCOMPARE(h->session()->method, SplitMethod::speech(QStringLiteral("en-US")));
        QCOMPARE(h->session()->sentences.size(), size_t(2));
        QVERIFY(h.savedMatchesModel());

        // The same file one byte longer is another file: a fresh session; the old one stays.
        h->close();
        const QString oldKey = Session::key(a, QFileInfo(a).size());
        {
            QFile file(a);
            QVERIFY(file.open(QIODevice::Append));
            file.write("\0", 1);
        }
        h.engine().setScript({ScriptedEngine::finish(true)});
        QVERIFY(h.openAndSettle(a));
        QCOMPARE(h->session()->method, SplitMethod::speech(QStringLiteral("en-US")));
        QCOMPARE(h->session()->current, 0);
        QVERIFY(h->session()->key() != oldKey);
        h->close();
        QStringList keys;
        for (const SessionSummary& summary : h->recent())
            keys.append(summary.key);
        QVERIFY(keys.contains(oldKey));
        QVERIFY(keys.contains(Session::key(a, QFileInfo(a).size())));

        // A session found by speech in German makes German the recognition language, also for
        // the next start.
        const QString c = ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/c.wav"), {1.0});
        Session german(c, QFileInfo(c).size(), 2.4,
                       {Sentence(0.55, 1.85, QStringLiteral("Hallo."))}, 0,
                       SplitMethod::speech(QStringLiteral("de-DE")), PracticeSettings::standard(),
                       false, QDateTime::currentDateTimeUtc());
        h.store().save(german);
        QCOMPARE(h->language(), QStringLiteral("en-US"));
        QSignalSpy languageChanges(&h.model(), &AppModel::languageChanged);
        QVERIFY(h.openAndSettle(c));
        QCOMPARE(h->language(), QStringLiteral("de-DE"));
        QCOMPARE(languageChanges.size(), 1);
        QCOMPARE(h.settings()->value(QStringLiteral("language")).toString(),
                 QStringLiteral("de-DE"));
        QCOMPARE(h.engine().started(), 3);
        QCOMPARE(h.restart().language(), QStringLiteral("de-DE"));

        // A session split at pauses leaves the language alone.
        h->setLanguage(QStringLiteral("en-US"));
        QVERIFY(h.openAndSettle(b));
        QCOMPARE(h->language(), QStringLiteral("en-US"));
    }

    // Every way finding sentences can fall back to the pause split, with its notice.
    void noticesOfFindingSentences() {
        ModelHarness h;
        const QString path =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), threeBursts);

        // Recognition refused.
        h.speech().grants = false;
        QVERIFY(h.openAndSettle(path));
        QCOMPARE(h->notice(), QStringLiteral("Speech recognition is off for Quellin, so sentences "
                                             "are split at pauses (no transcript)."));
        QCOMPARE(h->splitting(), Splitting::done());
        QCOMPARE(h->session()->method, SplitMethod::pauses());
        QCOMPARE(h->session()->sentences.size(), size_t(3));
        QCOMPARE(h.engine().started(), 0);
        const std::vector<Sentence> pauses = h->session()->sentences;
        h.speech().grants = true;

        // The language's model is not on this computer.
        h->setLanguage(QStringLiteral("de-DE"));
        h->findSentencesAgain();
        QVERIFY(h.settle());
        QCOMPARE(h->notice(), h->transcriber().notOnDevice(QStringLiteral("de-DE")).description());
        QVERIFY(h->notice()->startsWith(
            QStringLiteral("On-device recognition for German (Germany) isn’t on this computer.")));
        QCOMPARE(h->splitting(), Splitting::done());
        QCOMPARE(h.engine().started(), 0);
        h->setLanguage(QStringLiteral("en-US"));

        // Recognition fails.
        h.engine().setScript(
            {ScriptedEngine::reached(1.0, 10ms),
             ScriptedEngine::finish(false, QStringLiteral("the decoder gave up"))});
        h->findSentencesAgain();
        QCOMPARE(h->splitting(), Splitting::listening(0));
        QVERIFY(h.settle());
        QCOMPARE(h->notice(),
                 QStringLiteral("Speech recognition stopped (the decoder gave up). The "
                                "sentences are split at pauses."));
        QCOMPARE(h->splitting(), Splitting::done());
        QCOMPARE(h->session()->sentences, pauses);

        // No words are heard: the stretches of sound stand without words, and no notice.
        h.engine().setScript({ScriptedEngine::reached(2.0, 10ms), ScriptedEngine::finish(true)});
        h->findSentencesAgain();
        QVERIFY(!h->notice()); // cleared when recognition starts
        QVERIFY(h.settle());
        QVERIFY(!h->notice());
        QCOMPARE(h->splitting(), Splitting::done());
        QCOMPARE(h->session()->method, SplitMethod::speech(QStringLiteral("en-US")));
        QVERIFY(!anyText(*h->session()));
        QVERIFY(h.savedMatchesModel());

        // And finally it works.
        h.engine().setScript(recognise(threeSentences()));
        h->findSentencesAgain();
        QVERIFY(h.settle());
        QVERIFY(!h->notice());
        QCOMPARE(h->session()->method, SplitMethod::speech(QStringLiteral("en-US")));
        QVERIFY(anyText(*h->session()));
        QVERIFY(h.savedMatchesModel());
    }

    // Results that arrive for a file that is no longer open change nothing.
    void lateRecognitionResultsAreDropped() {
        ModelHarness h;
        const QString a =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), threeBursts);
        const QString b =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/b.wav"), {1.0, 1.0});

        // A's recognition is slow; B is opened while it runs.
        h.engine().setScript({ScriptedEngine::reached(1.0, 50ms),
                              ScriptedEngine::result(threeSentences(), 700ms),
                              ScriptedEngine::finish(false, QStringLiteral("late failure"), 50ms)});
        h->open(a);
        QTRY_COMPARE_WITH_TIMEOUT(h->splitting().kind, Splitting::Kind::listening, 10000);
        h.engine().setScript({ScriptedEngine::finish(true)});
        h->open(b);
        QVERIFY(h.settle());
        QTest::qWait(1000); // A's script runs on after its cancellation
        QCOMPARE(h->session()->filePath, b);
        QCOMPARE(h->session()->method, SplitMethod::speech(QStringLiteral("en-US")));
        QVERIFY(!anyText(*h->session()));
        QVERIFY(!h->notice());
        QCOMPARE(h->splitting(), Splitting::done());
        QVERIFY(h.savedMatchesModel());
        // A's session was not touched by its late result either.
        const std::optional<Session> savedA = h.store().load(a, QFileInfo(a).size());
        QVERIFY(savedA);
        QVERIFY(!anyText(*savedA));

        // A recognition cut short by closing leaves the start screen alone.
        h.engine().setScript(
            {ScriptedEngine::result(threeSentences(), 400ms), ScriptedEngine::finish(true)});
        h->findSentencesAgain();
        QCOMPARE(h->splitting(), Splitting::listening(0));
        h->close();
        QVERIFY(h.settle());
        QTest::qWait(600);
        QVERIFY(!h->session());
        QCOMPARE(h->splitting(), Splitting::idle());
        QVERIFY(!h->notice());
    }

    // Choosing a language while the file is still read only changes the language; finding
    // sentences again waits until the file is open.
    void languageChosenWhileOpening() {
        ModelHarness h;
        // Two minutes take a while to read, so the choice is made while opening even on a fast
        // machine (a short file can be read before open() returns).
        const QString a =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), threeBursts, 40);
        h.engine().setScript(recognise(threeSentences()));
        h->open(a);
        h->setLanguage(QStringLiteral("fr-FR"));
        h->findSentencesAgain();
        QCOMPARE(h->splitting(), Splitting::opening());
        QVERIFY(h.settle());
        QCOMPARE(h.engine().started(), 0);
        // The fresh session's recognition ran in the new language, which is not on the device.
        QVERIFY(h->notice()->startsWith(
            QStringLiteral("On-device recognition for French (France) isn’t on this computer.")));
        QCOMPARE(h.settings()->value(QStringLiteral("language")).toString(),
                 QStringLiteral("fr-FR"));
    }

    void openRecentOfAMovedFile() {
        ModelHarness h;
        const QString a =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), threeBursts);
        h.engine().setScript({ScriptedEngine::finish(true)});
        QVERIFY(h.openAndSettle(a));
        h->close();
        QCOMPARE(h->recent().size(), size_t(1));
        const SessionSummary summary = h->recent().front();

        const QString moved = h.mediaFolder() + QStringLiteral("/moved.wav");
        QVERIFY(QFile::rename(a, moved));
        QSignalSpy sessions(&h.model(), &AppModel::sessionChanged);
        h->openRecent(summary);
        QCOMPARE(h->error(), QStringLiteral("“a.wav” isn’t where it was (%1). Open it from its "
                                            "new place; the session starts fresh.")
                                 .arg(a));
        QVERIFY(!h->session());
        QCOMPARE(h->splitting(), Splitting::idle());
        QVERIFY(h.settle());
        QCOMPARE(sessions.size(), 0);

        // Back in its place, the same entry resumes the session.
        QVERIFY(QFile::rename(moved, a));
        h->openRecent(summary);
        QVERIFY(!h->error()); // cleared by opening
        QVERIFY(h.settle());
        QCOMPARE(h->session()->key(), summary.key);
    }

    // Without `persist` nothing reaches the disk, yet saved sessions are still found.
    void persistFalseWritesNothing() {
        ModelHarness h(ModelHarness::Options{.persist = false});
        const QString a =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), threeBursts);
        const QString b = ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/b.wav"), {1.0});
        Session saved(a, QFileInfo(a).size(), 6.1,
                      {Sentence(0.55, 1.85), Sentence(2.25, 3.95), Sentence(4.35, 5.55)}, 1,
                      SplitMethod::pauses(), PracticeSettings::standard(), false,
                      QDateTime::fromString(QStringLiteral("2025-03-01T09:30:05Z"), Qt::ISODate));
        h.store().save(saved);
        const QString file = h.store().sessionFile(saved.key());
        QFile original(file);
        QVERIFY(original.open(QIODevice::ReadOnly));
        const QByteArray bytes = original.readAll();
        original.close();

        AppModel& model = h.restart(false);
        QVERIFY(model.recent().empty());
        QVERIFY(h.openAndSettle(a));
        QCOMPARE(model.session()->current, 1);
        model.select(2);
        model.toggleHard();
        model.setHardOnly(true);
        model.setRate(0.7);
        model.setLanguage(QStringLiteral("de-DE"));
        model.save();
        h.engine().setScript({ScriptedEngine::finish(true)});
        QVERIFY(h.openAndSettle(b));
        QCOMPARE(model.session()->method, SplitMethod::pauses());
        model.close();

        QVERIFY(model.recent().empty());
        QVERIFY(!QFile::exists(h.settingsFile()));
        QCOMPARE(QDir(h.sessionsFolder()).entryList(QDir::Files),
                 QStringList{QFileInfo(file).fileName()});
        QVERIFY(original.open(QIODevice::ReadOnly));
        QCOMPARE(original.readAll(), bytes);
        QVERIFY(!QDir(h.sessionsFolder() + QStringLiteral("/Takes")).exists());
    }

    // A saved session that no longer reads is kept aside with a message, not overwritten.
    void damagedSessionIsKeptAside() {
        ModelHarness h;
        const QString a =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), threeBursts);
        const QString file = h.store().sessionFile(Session::key(a, QFileInfo(a).size()));
        QVERIFY(QDir().mkpath(h.sessionsFolder()));
        const QByteArray damaged = "{\"version\": 1, \"current\": 4, \"sentences\": [";
        QFile writer(file);
        QVERIFY(writer.open(QIODevice::WriteOnly));
        writer.write(damaged);
        writer.close();

        h.engine().setScript({ScriptedEngine::finish(true)});
        QVERIFY(h.openAndSettle(a));
        QCOMPARE(h->session()->sentences.size(), size_t(3));
        QVERIFY(h.savedMatchesModel());
        const QString kept = file + QStringLiteral(".damaged");
        QCOMPARE(h->error(),
                 QStringLiteral("The saved session of “a.wav” couldn’t be read, so it starts "
                                "afresh. The damaged file is kept as “%1”.")
                     .arg(kept));
        QFile reader(kept);
        QVERIFY(reader.open(QIODevice::ReadOnly));
        QCOMPARE(reader.readAll(), damaged);
    }

    // A video's sound is extracted, then read: the start screen hears how far, only forward,
    // only while opening, and nothing once the session exists.
    void openingReportsItsProgress() {
        ModelHarness h;
        const QString video =
            TestMedia::longVideo(h.mediaFolder() + QStringLiteral("/lecture.mkv"), 600);
        std::vector<std::optional<double>> values;
        connect(&h.model(), &AppModel::openingProgressChanged, this, [&] {
            values.push_back(h->openingProgress());
            if (h->openingProgress())
                QCOMPARE(h->splitting().kind, Splitting::Kind::opening);
        });
        h->open(video);
        QVERIFY(!h->openingProgress());
        QTRY_VERIFY_WITH_TIMEOUT(h->session().has_value(), 60000);
        QVERIFY(!h->openingProgress());

        QVERIFY2(values.size() >= 5, qPrintable(QString::number(values.size())));
        QVERIFY(!values.back());
        double last = -1;
        for (size_t i = 0; i + 1 < values.size(); ++i) {
            QVERIFY(values[i].has_value());
            QVERIFY(*values[i] > last && *values[i] <= 1.0);
            last = *values[i];
        }
        // Both halves were heard: the extraction and the reading of the extracted track.
        QVERIFY(*values.front() < 0.5);
        QVERIFY(last > 0.5);

        // Plain audio needs no extraction: its reading takes the whole way from the start.
        const QString wav =
            ModelMedia::silence(h.mediaFolder() + QStringLiteral("/quiet.wav"), 300);
        values.clear();
        h->open(wav);
        QTRY_VERIFY_WITH_TIMEOUT(h->session().has_value(), 60000);
        QVERIFY2(values.size() >= 3, qPrintable(QString::number(values.size())));
        QVERIFY(values.front().has_value() && *values.front() < 0.5);
    }

    // Files that cannot be used say so and never leave a half-open state.
    void unusableFilesAreReported() {
        ModelHarness h;
        const QString text = TestMedia::textFile(h.mediaFolder() + QStringLiteral("/notes.mp3"),
                                                 "this is not a sound\n");
        const QString empty =
            TestMedia::textFile(h.mediaFolder() + QStringLiteral("/empty.wav"), "");
        const QString missing = h.mediaFolder() + QStringLiteral("/missing.wav");
        // A missing file gets the reader's own reason.
        const QString unreadable = MediaError::unreadable().description();
        const std::vector<std::pair<QString, QString>> cases{
            {text, unreadable}, {empty, unreadable}, {missing, QString()}};
        for (const auto& [path, reason] : cases) {
            h->open(path);
            QVERIFY(h.settle());
            const QString prefix =
                QStringLiteral("Couldn’t open “%1”: ").arg(QFileInfo(path).fileName());
            const QString error = h->error().value_or(QString());
            QVERIFY2(error.startsWith(prefix) && error.size() > prefix.size(), qPrintable(error));
            if (!reason.isEmpty())
                QCOMPARE(error, prefix + reason);
            QCOMPARE(h->splitting(), Splitting::idle());
            QVERIFY(!h->session());
            QVERIFY(!h->profile());
        }
        QVERIFY(QDir(h.sessionsFolder()).entryList(QDir::Files).isEmpty());
    }

    void chooseFileAsksWithItsMessage() {
        ModelHarness h;
        h->chooseFile();
        QCOMPARE(h.chooser().messages,
                 QStringList{QStringLiteral("Choose an audio or video file to practise with. It "
                                            "stays where it is.")});
        QCOMPARE(h->splitting(), Splitting::idle());
        QVERIFY(!h->session());

        const QString a = ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), {1.0});
        h.chooser().answer = h.mediaFolder() + QStringLiteral("/./sub/../a.wav");
        h.engine().setScript({ScriptedEngine::finish(true)});
        h->chooseFile();
        QVERIFY(h.settle());
        QCOMPARE(h->session()->filePath, a); // standardized
    }

    // A video's sound track is converted once; finding sentences again recognises the
    // converted copy, even after the original has gone.
    void findSentencesAgainUsesTheConvertedCopy() {
        ModelHarness h;
        const QString sound =
            ModelMedia::bursts(h.folder() + QStringLiteral("/track.wav"), threeBursts);
        const QString video =
            TestMedia::video(h.mediaFolder() + QStringLiteral("/clip.mp4"), sound, 6.0);
        h.engine().setScript({ScriptedEngine::finish(true)});
        QVERIFY(h.openAndSettle(video));
        QVERIFY(!h->error());
        const QString converted =
            h.audioFolder() + u'/' +
            StableHash::hex(video + u'|' + QString::number(QFileInfo(video).size())) +
            QStringLiteral(".m4a");
        QVERIFY(QFile::exists(converted));
        QCOMPARE(h.engine().lastPath(), converted);
        QCOMPARE(h->audioURL(), converted);

        QVERIFY(QFile::remove(video));
        h.engine().setScript(recognise(threeSentences()));
        h->findSentencesAgain();
        QVERIFY(h.settle());
        QCOMPARE(h.engine().lastPath(), converted);
        QCOMPARE(h->session()->method, SplitMethod::speech(QStringLiteral("en-US")));

        // Without the copy the original's path is recognised, even when it is missing, and the
        // failure is told.
        QVERIFY(QFile::remove(converted));
        QCOMPARE(h->audioURL(), video);
    }

    // Splitting at pauses replaces recognised sentences and stops a recognition in progress.
    void splitAtPausesOnlyKeepsPlaceAndMarks() {
        ModelHarness h;
        const QString a =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), threeBursts);
        h->splitAtPausesOnly(); // nothing open: nothing happens
        QCOMPARE(h->splitting(), Splitting::idle());

        h.engine().setScript(recognise(threeSentences()));
        QVERIFY(h.openAndSettle(a));
        h->select(2);
        h->toggleHard();
        h.engine().setScript(recognise({word("Late", 0.8), word("words.", 1.3)}, 500ms));
        h->findSentencesAgain();
        QCOMPARE(h->splitting().kind, Splitting::Kind::listening);
        h->splitAtPausesOnly();
        QCOMPARE(h->splitting(), Splitting::done());
        QVERIFY(!h->notice());
        QCOMPARE(h->session()->method, SplitMethod::pauses());
        QVERIFY(!anyText(*h->session()));
        QCOMPARE(h->session()->current, 2);
        QVERIFY(h->session()->sentences[2].hard);
        QVERIFY(h.savedMatchesModel());
        QVERIFY(h.settle());
        QTest::qWait(800);
        QVERIFY(!anyText(*h->session()));
        QCOMPARE(h->splitting(), Splitting::done());
    }
};

QTEST_MAIN(AppModelOpeningTest)
#include "AppModelOpeningTest.moc"
