#include "ModelHarness.h"
#include "TestMedia.h"

#include "media/EnergyProfile.h"
#include "media/MediaError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>
#include <QUndoStack>

#include <future>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using Splitting = AppModel::Splitting;

namespace {

// Where the bursts of the harness's media lie (0.7–1.7, 2.4–3.8, 4.5–5.4 s), in words.
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

std::vector<ScriptedEngine::Step> recognise(std::vector<Word> words,
                                            std::chrono::milliseconds delay = 0ms) {
    return {ScriptedEngine::reached(0.5, delay), ScriptedEngine::result(std::move(words), 20ms),
            ScriptedEngine::finish(true, std::nullopt, 10ms)};
}

// Subtitles for `texts`, one cue per sentence over `at` shifted by `shift` seconds, as SRT.
QString subtitles(const QString& path, const QStringList& texts, const std::vector<TimeRange>& at,
                  double shift) {
    const auto time = [](double seconds) {
        return QTime::fromMSecsSinceStartOfDay(int(seconds * 1000)).toString(u"hh:mm:ss,zzz");
    };
    QString cues;
    for (qsizetype i = 0; i < texts.size(); ++i)
        cues += QStringLiteral("%1\n%2 --> %3\n%4\n\n")
                    .arg(QString::number(i + 1), time(at[size_t(i)].start + shift),
                         time(at[size_t(i)].end + shift), texts[i]);
    return TestMedia::textFile(path, cues.toUtf8());
}

using EditOf = std::function<void(AppModel&)>;

const QStringList noText{QStringLiteral("(none)"), QStringLiteral("(none)"),
                         QStringLiteral("(none)")};

} // namespace

class AppModelOpeningTest final : public QObject {
    Q_OBJECT

    std::unique_ptr<ModelHarness> m_h;
    QString m_a;

private Q_SLOTS:
    void init() {
        m_h = std::make_unique<ModelHarness>();
        m_a = m_h->media(QStringLiteral("a.wav"));
    }
    void cleanup() { m_h.reset(); }

    // A new file: the pause split can be practised at once, then recognition replaces it with
    // sentences that carry text, keeping the user's place and hard marks. Splitting at pauses
    // again stops a recognition in progress; opening the file again resumes it as it was.
    void freshSessionThenResumed() {
        ModelHarness& h = *m_h;
        // Recognition waits until the test has seen the pause split, however slow the machine.
        std::promise<void> release;
        std::vector<ScriptedEngine::Step> script{
            {0ms,
             [heard = release.get_future().share()](const RecognitionDelegate&) { heard.wait(); }}};
        for (ScriptedEngine::Step& step : recognise(threeSentences()))
            script.push_back(std::move(step));
        h.engine().setScript(std::move(script));
        h->open(m_a);
        QTRY_VERIFY_WITH_TIMEOUT(h->session().has_value(), 10000);
        QCOMPARE(h->session()->method, SplitMethod::pauses());
        QCOMPARE(texts(*h->session()), noText);
        h->select(1);
        h->toggleHard();
        QVERIFY(h.savedMatchesModel());
        release.set_value();
        QVERIFY(h.settle());
        QCOMPARE(texts(*h->session()),
                 (QStringList{QStringLiteral("Hello there."), QStringLiteral("How are you?"),
                              QStringLiteral("Fine.")}));
        QCOMPARE(h->session()->method, SplitMethod::speech(QStringLiteral("en-US")));
        QVERIFY(h->session()->current == 1 && h->session()->sentences[1].hard);
        QVERIFY(!h->notice() && !h->error() && h.savedMatchesModel());
        // Opened again, the session resumes as it was, in the language it was found in.
        const Session recognised = *h->session();
        h->setLanguage(QStringLiteral("de-DE"));
        h->close();
        QVERIFY(h.openAndSettle(m_a));
        QCOMPARE(h.engine().started(), 1); // no recognition for a resumed session
        QCOMPARE(h->session()->sentences, recognised.sentences);
        QCOMPARE(h->language(), QStringLiteral("en-US"));

        h.engine().setScript(recognise({word("Late", 0.8), word("words.", 1.3)}, 500ms));
        h->findSentencesAgain();
        h->splitAtPausesOnly();
        QCOMPARE(h->splitting(), Splitting::done());
        QVERIFY(h.settle());
        QTest::qWait(800); // the late words find the recognition stopped
        const Session split = *h->session();
        QCOMPARE(texts(split), noText);
        QVERIFY(split.current == 1 && split.sentences[1].hard && h.savedMatchesModel());

        // Without `persist` nothing reaches the disk.
        h.restart(false);
        QVERIFY(h.openAndSettle(h.media(QStringLiteral("b.wav"))));
        h->close();
        QCOMPARE(QDir(h.sessionsFolder()).entryList(QDir::Files),
                 QStringList{QFileInfo(h.store().sessionFile(split.key())).fileName()});
    }

    // Results fill the list where they belong as they come, the rest staying split at pauses
    // until recognition gets there; the sentence being practised stays as it is until the
    // practice stops.
    void resultsArriveWhereTheyBelong() {
        ModelHarness& h = *m_h;
        std::promise<void> first, rest;
        const auto gate = [](std::promise<void>& open) {
            return ScriptedEngine::Step{0ms, [opened = open.get_future().share()](
                                                 const RecognitionDelegate&) { opened.wait(); }};
        };
        const std::vector<Word> words = threeSentences();
        h.engine().setScript(
            {gate(first), ScriptedEngine::result({words[5]}, 0ms, TimeRange(4.2, 6)), gate(rest),
             ScriptedEngine::result({words.begin(), words.begin() + 5}, 0ms, TimeRange(0, 4.2)),
             ScriptedEngine::finish(true)});
        h->open(m_a);
        QTRY_VERIFY_WITH_TIMEOUT(h->isSplitting() && h->session(), 10000);
        h->select(2);
        h->loop();
        QTRY_VERIFY(h->phase().kind != AppModel::Phase::Kind::idle);
        // A take of the practised sentence follows it when the sentence is reshaped.
        const QString take = h.store().takeURL(*h->session(), h->session()->sentences[2]);
        QVERIFY(QDir().mkpath(QFileInfo(take).path()));
        QFile(take).open(QIODevice::WriteOnly);
        first.set_value();
        QTest::qWait(400);
        QCOMPARE(texts(*h->session()), noText);
        h->stop();
        const QStringList fine{u"(none)"_s, u"(none)"_s, u"Fine."_s};
        QTRY_COMPARE(texts(*h->session()), fine);
        QVERIFY(h->isSplitting() && h->session()->current == 2 && h.savedMatchesModel());
        QVERIFY(QFile::exists(h.store().takeURL(*h->session(), h->session()->sentences[2])));
        QCOMPARE(h->session()->recognised, std::vector{TimeRange(4.2, 6)});
        // Closed before recognition went through the whole file, it goes on when reopened.
        h.engine().setScript(
            {ScriptedEngine::result({words.begin(), words.begin() + 5}, 0ms, TimeRange(0, 4.2)),
             ScriptedEngine::result({words[5]}, 0ms, TimeRange(4.2, 6)),
             ScriptedEngine::finish(true)});
        h->close();
        rest.set_value();
        QVERIFY(h.openAndSettle(m_a));
        QCOMPARE(h.engine().started(), 2);
        QCOMPARE(texts(*h->session()),
                 (QStringList{u"Hello there."_s, u"How are you?"_s, fine[2]}));
        QVERIFY(h->session()->recognised.empty() && h->session()->current == 2);
    }

    // Every way finding sentences can fall back to the pause split, with its notice.
    void noticesOfFindingSentences_data() {
        QTest::addColumn<bool>("speech");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<QString>("notice");
        QTest::newRow("speech recognition off")
            << false << false
            << QStringLiteral("Speech recognition is off for Quellin, so sentences are split at "
                              "pauses (no transcript).");
        QTest::newRow("the decoder gives up")
            << true << true
            << QStringLiteral("Speech recognition stopped (the decoder gave up). The sentences "
                              "are split at pauses.");
        QTest::newRow("no words heard") << true << false << QString(); // sound without words
    }
    void noticesOfFindingSentences() {
        ModelHarness& h = *m_h;
        QFETCH(bool, speech);
        QFETCH(bool, fails);
        QFETCH(QString, notice);
        h.speech().grants = speech;
        h.engine().setScript(
            {ScriptedEngine::reached(1.0, 10ms),
             ScriptedEngine::finish(!fails, QStringLiteral("the decoder gave up"))});
        QVERIFY(h.openAndSettle(m_a));
        QCOMPARE(h->notice().value_or(QString()), notice);
        QCOMPARE(h->splitting(), Splitting::done());
        QCOMPARE(h->session()->method, notice.isEmpty()
                                           ? SplitMethod::speech(QStringLiteral("en-US"))
                                           : SplitMethod::pauses());
        QCOMPARE(texts(*h->session()), notice.isEmpty() ? QStringList(3, QString()) : noText);
    }

    // Choosing a language while the file is still read only changes the language; finding
    // sentences again waits until the file is open.
    void languageChosenWhileOpening() {
        ModelHarness& h = *m_h;
        // Two minutes take a while to read, so the choice is made while opening even on a fast
        // machine.
        h->open(h.media(QStringLiteral("long.wav"), {1.0}, 120));
        h->setLanguage(QStringLiteral("fr-FR"));
        h->findSentencesAgain();
        QCOMPARE(h->splitting(), Splitting::opening());
        QVERIFY(h.settle());
        QCOMPARE(h.engine().started(), 0);
        QVERIFY(h->notice()->startsWith(
            QStringLiteral("On-device recognition for French (France) isn’t on this computer.")));
    }

    // Results that arrive for a file that is no longer open, or after Close File, change
    // nothing.
    void lateRecognitionResultsAreDropped() {
        ModelHarness& h = *m_h;
        const QString b = h.media(QStringLiteral("b.wav"), {1.0, 1.0});
        const QString c = h.media(QStringLiteral("c.wav"), {1.0});
        const auto slow = [] {
            return std::vector<ScriptedEngine::Step>{
                ScriptedEngine::reached(1.0, 50ms), ScriptedEngine::result(threeSentences(), 700ms),
                ScriptedEngine::finish(false, QStringLiteral("late failure"), 50ms)};
        };
        h.engine().setScript(slow());
        h->open(m_a);
        QTRY_COMPARE_WITH_TIMEOUT(h->splitting().kind, Splitting::Kind::listening, 10000);
        h.engine().setScript({ScriptedEngine::finish(true)});
        QVERIFY(h.openAndSettle(b));
        QTest::qWait(1000); // A's script runs on after its cancellation
        QCOMPARE(h->session()->filePath, b);
        QCOMPARE(texts(*h->session()), QStringList(2, QString()));
        QVERIFY(!h->notice() && h->splitting() == Splitting::done() && h.savedMatchesModel());
        QCOMPARE(texts(*h.store().load(m_a, QFileInfo(m_a).size())), noText);

        // Closed while the first sentences are still found: the start screen stays, and the
        // saved session keeps its pause split.
        h.engine().setScript(slow());
        h->open(c);
        QTRY_COMPARE_WITH_TIMEOUT(h->splitting().kind, Splitting::Kind::listening, 10000);
        h->close();
        QVERIFY(h.settle());
        QTest::qWait(1000);
        QVERIFY(!h->session() && !h->notice() && h->splitting() == Splitting::idle());
        QCOMPARE(h.store().load(c, QFileInfo(c).size())->method, SplitMethod::pauses());
    }

    // A model that goes away while it opens, finds sentences and plays leaves nothing behind
    // that touches it; the next one resumes what was saved.
    void aModelDestroyedWhileItsTasksRun() {
        ModelHarness& h = *m_h;
        const QString a = h.media(QStringLiteral("long.wav"), {1.0, 1.4, 0.9}, 20);
        h.engine().setScript(recognise(threeSentences(), 300ms));
        h->open(a);
        h.restart();
        h.engine().setScript(recognise(threeSentences(), 300ms));
        h->open(a);
        QTRY_COMPARE_WITH_TIMEOUT(h->splitting().kind, Splitting::Kind::listening, 20000);
        h->loop();
        h.restart();
        QTest::qWait(600); // the late work finds the model gone
        QVERIFY(h.openAndSettle(a));
        QCOMPARE(h->session()->method, SplitMethod::pauses());
    }

    // A saved session that no longer reads is kept aside with a message, not overwritten.
    void damagedSessionIsKeptAside() {
        ModelHarness& h = *m_h;
        const QString file = h.store().sessionFile(Session::key(m_a, QFileInfo(m_a).size()));
        const QByteArray damaged = "{\"version\": 1, \"current\": 4, \"sentences\": [";
        TestMedia::textFile(file, damaged);
        QVERIFY(h.openAndSettle(m_a));
        QVERIFY(h.savedMatchesModel());
        QCOMPARE(h->error(),
                 QStringLiteral("The saved session of “a.wav” couldn’t be read, so it starts "
                                "afresh. The damaged file is kept as “%1.damaged”.")
                     .arg(file));
        QFile kept(file + QStringLiteral(".damaged"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), damaged);
    }

    // A video's sound track is read where it is, and the start screen hears how far opening is,
    // only while opening; recognition reads the video itself.
    void aVideoOpensWhereItIs() {
        ModelHarness& h = *m_h;
        const QString video =
            TestMedia::longVideo(h.mediaFolder() + QStringLiteral("/lecture.mkv"), 600);
        std::vector<std::optional<double>> values;
        connect(&h.model(), &AppModel::openingProgressChanged, this, [&] {
            values.push_back(h->openingProgress());
            QVERIFY(!values.back() || h->splitting().kind == Splitting::Kind::opening);
        });
        QVERIFY(h.openAndSettle(video, 60000));
        QVERIFY(values.size() >= 3 && *values[1] > *values[0] && !values.back());
        QCOMPARE(h.engine().lastPath(), video);
        QVERIFY(std::abs(h->session()->duration - 600) < 0.1);
    }

    // Many files opened in quick succession, with every other kind of operation in between: the
    // last file wins, its session belongs to it, and nothing is left running.
    void twentyOpensWithinOneSecond() {
        ModelHarness& h = *m_h;
        QStringList files;
        QRandomGenerator random(20260601);
        for (int i = 0; i < 20; ++i) {
            std::vector<double> lengths{0.9 + 0.1 * random.bounded(8)};
            if (i % 2 == 1)
                lengths.push_back(0.9 + 0.1 * random.bounded(8));
            files.append(h.media(QStringLiteral("%1.wav").arg(i), lengths, 0.7, 300 + 20 * i));
        }
        // Every recognition hears one sentence over the first burst, after a short while.
        h.engine().setScript(
            {ScriptedEngine::reached(0.4, 15ms),
             ScriptedEngine::result({word("Hello", 0.75), word("there.", 1.2)}, 15ms),
             ScriptedEngine::finish(true, std::nullopt, 5ms)});

        // Four opens in quick succession, then a pause long enough for the file to be read and
        // recognition to start, five times over.
        for (int i = 0; i < files.size(); ++i) {
            h->open(files[i]);
            QTest::qWait(random.bounded(3));
            switch ((i + 2) % 5) {
            case 1:
                h->findSentencesAgain();
                break;
            case 2:
                h->splitAtPausesOnly();
                QTest::qWait(random.bounded(3));
                h->loop();
                break;
            case 3:
                h->loop();
                QTest::qWait(random.bounded(3));
                h->findSentencesAgain();
                break;
            case 4:
                h->close();
                break;
            }
            QTest::qWait(i % 4 == 3 ? 170 : 5);
        }
        const int recognitions = h.engine().started();

        QVERIFY(h.settle(60000));
        QVERIFY(h->splitting() == Splitting::done() && h->phase() == AppModel::Phase::idle());
        QVERIFY(!h->isSplitting() && !h->isWorking() && !h->error());
        // The session, the profile and the duration are the last file's own; its second burst,
        // in which no words were heard, stands as a sentence without words.
        const Session session = *h->session();
        QCOMPARE(session.key(), Session::key(files.back(), QFileInfo(files.back()).size()));
        QCOMPARE(*h->profile(), EnergyProfile::read(files.back(), 0.01));
        QCOMPARE(session.duration, h->profile()->duration());
        QCOMPARE(session.method, SplitMethod::speech(QStringLiteral("en-US")));
        QCOMPARE(texts(session), (QStringList{QStringLiteral("Hello there."), QString()}));
        QVERIFY(h.savedMatchesModel());

        // Recognitions were under way while the next files opened, and were cut short. (Whether
        // the last file's own recognition starts before or after the schedule ends is timing.)
        QVERIFY2(recognitions >= 2, qPrintable(QString::number(recognitions)));

        // Late results of the cancelled tasks change nothing.
        QTest::qWait(500);
        QVERIFY(*h->session() == session && !h->hasRunningTasks());

        // Whatever else was saved on the way belongs to its own file.
        for (const SessionSummary& summary : h.store().recent(100)) {
            const std::optional<Session> saved = h.store().load(summary.key);
            QVERIFY(saved && files.contains(saved->filePath));
            QCOMPARE(saved->key(),
                     Session::key(saved->filePath, QFileInfo(saved->filePath).size()));
            QCOMPARE(saved->duration, EnergyProfile::read(saved->filePath, 0.01).duration());
            for (const Sentence& sentence : saved->sentences)
                QVERIFY(sentence.end <= saved->duration);
        }
    }

    // Subtitles beside a new file give its sentences, and recognition does not run. A reopened
    // session keeps its track though one in the recognition language has appeared; the user may
    // choose another or add a file. Subtitles that are not text leave the pause split, saying so.
    void subtitlesGiveTheSentences() {
        ModelHarness& h = *m_h;
        const QStringList spoken{QStringLiteral("Hola, ¿cómo estás?"),
                                 QStringLiteral("Muy bien, gracias.")};
        const TestMedia::Speech talk = TestMedia::speech(
            h.mediaFolder(), QStringLiteral("talk.wav"), spoken, 0.8, QStringLiteral("es"));
        const QString folder = h.mediaFolder() + u'/';
        subtitles(folder + QStringLiteral("talk.es.srt"), spoken, talk.sentences, 0.3);
        QVERIFY(h.openAndSettle(talk.path));
        QCOMPARE(h->session()->method,
                 SplitMethod::subtitles(QStringLiteral("es"), QStringLiteral("talk.es.srt")));
        QCOMPARE(texts(*h->session()), spoken);
        QVERIFY(h.engine().started() == 0 && !h->notice() && h.savedMatchesModel());

        const QStringList english{QStringLiteral("Hello, how are you?"),
                                  QStringLiteral("Very well, thanks.")};
        subtitles(folder + QStringLiteral("talk.en.srt"), english, talk.sentences, -0.3);
        QVERIFY(h.openAndSettle(talk.path));
        QCOMPARE(h->subtitleTracks().size(), size_t(2));
        QCOMPARE(h->subtitleTrackInUse(), std::optional<qsizetype>(1)); // talk.es.srt
        QCOMPARE(texts(*h->session()), spoken);
        h->useSubtitleTrack(0);
        QVERIFY(h.settle());
        QCOMPARE(texts(*h->session()), english);
        QCOMPARE(h->subtitleTrackInUse(), std::optional<qsizetype>(0));

        // The harness's bursts (0.7–1.7, 2.4–3.8, 4.5–5.4 s), with subtitles that are no text.
        const QString bursts = h.media(QStringLiteral("lesson.wav"));
        TestMedia::textFile(folder + QStringLiteral("lesson.srt"),
                            QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\xff\xfe", 20));
        QVERIFY(h.openAndSettle(bursts));
        QCOMPARE(h->session()->method, SplitMethod::pauses());
        QVERIFY2(h->notice()->contains(QStringLiteral("“lesson.srt”")), qPrintable(*h->notice()));
        QCOMPARE(h.engine().started(), 0);
        const QStringList numbers{QStringLiteral("One."), QStringLiteral("Two."),
                                  QStringLiteral("Three.")};
        h->addSubtitleFile(subtitles(h.mediaFolder() + QStringLiteral("/elsewhere/mine.srt"),
                                     numbers, {{0.7, 1.7}, {2.4, 3.8}, {4.5, 5.4}}, 0.2));
        QVERIFY(h.settle());
        QCOMPARE(texts(*h->session()), numbers);
        QVERIFY(!h->notice() && h->subtitleTrackInUse() == 1);
    }

    // A transcript beside a new file is aligned to it (read in the recognition language when
    // its name gives none), and recognition does not run; one that gives no sentences leaves
    // them as they are, saying why.
    void transcriptBesideIsAligned() {
        ModelHarness& h = *m_h;
        const QStringList spoken{QStringLiteral("The birch canoe slid on the smooth planks."),
                                 QStringLiteral("Glue the sheet to the dark blue background."),
                                 QStringLiteral("It is easy to tell the depth of a well.")};
        const TestMedia::Speech talk =
            TestMedia::speech(h.mediaFolder(), QStringLiteral("talk.wav"), spoken, 0.7);
        TestMedia::textFile(h.mediaFolder() + QStringLiteral("/talk.txt"),
                            spoken.join(u'\n').toUtf8());
        QVERIFY(h.openAndSettle(talk.path, 120000));
        QCOMPARE(h->session()->method,
                 SplitMethod::transcript(QStringLiteral("en-US"), QStringLiteral("talk.txt")));
        QCOMPARE(texts(*h->session()), spoken);
        QVERIFY(h.engine().started() == 0 && !h->notice() && h->transcriptInUse() == 0);

        h->addTranscript(
            {QStringLiteral(" \n "), {}, QStringLiteral("en"), QStringLiteral("pasted text")});
        QVERIFY(h.settle(120000));
        QCOMPARE(h->transcripts().size(), size_t(2));
        QCOMPARE(texts(*h->session()), spoken);
        QVERIFY(h->notice() && h->splitting() == Splitting::done());

        // Its text gone, the session keeps it: finding sentences again never recognises unasked.
        QVERIFY(QFile::remove(h.mediaFolder() + QStringLiteral("/talk.txt")));
        QVERIFY(h.openAndSettle(talk.path, 120000));
        h->findSentencesAgain();
        QVERIFY(h.settle() && h->notice() && h.engine().started() == 0);
        QCOMPARE(texts(*h->session()), spoken);
    }

    // Every edit is undone and redone whole, saved each time, and the current sentence's take
    // stays with it; moving an edge plays the new range.
    void eachEditIsUndoneAndRedone_data() {
        using Edge = SentenceEdits::Edge;
        QTest::addColumn<EditOf>("edit");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("plays");
        using M = AppModel&;
        QTest::newRow("start") << EditOf([](M m) { m.nudgeEdge(Edge::start, -2); }) << 3 << true;
        QTest::newRow("end") << EditOf([](M m) { m.nudgeEdge(Edge::end, 1); }) << 3 << true;
        QTest::newRow("split") << EditOf([](M m) { m.splitSentence(); }) << 4 << false;
        QTest::newRow("merge") << EditOf([](M m) { m.mergeWithNext(); }) << 2 << false;
        QTest::newRow("text") << EditOf([](M m) { m.editText(u"Hi"_s); }) << 3 << false;
    }
    void eachEditIsUndoneAndRedone() {
        QFETCH(EditOf, edit);
        QFETCH(int, count);
        QFETCH(bool, plays);
        ModelHarness& h = *m_h;
        QVERIFY(h.openAndSettle(m_a));
        h->select(1);
        const auto takeHere = [&h] {
            return QFileInfo::exists(
                h.store().takeURL(*h->session(), *h->session()->currentSentence()));
        };
        TestMedia::textFile(h.store().takeURL(*h->session(), *h->session()->currentSentence()), "");
        const std::vector<Sentence> before = h->session()->sentences;
        edit(h.model());
        const std::vector<Sentence> after = h->session()->sentences;
        QCOMPARE(qsizetype(after.size()), count);
        QVERIFY(after != before && h->isWorking() == plays && takeHere() && h.savedMatchesModel());
        h->edits().undo();
        QVERIFY(h->session()->sentences == before && takeHere() && h.savedMatchesModel());
        h->edits().redo();
        QVERIFY(h->session()->sentences == after && takeHere());
    }

    // The learner's fixes outlive finding the sentences again, by recognition or at pauses.
    void editedSentencesAreKept() {
        ModelHarness& h = *m_h;
        h.engine().setScript(recognise(threeSentences()));
        QVERIFY(h.openAndSettle(m_a));
        h->editText(u"Mine"_s, 1);
        h.engine().setScript(recognise(threeSentences()));
        h->findSentencesAgain();
        QVERIFY(h.settle());
        QCOMPARE(texts(*h->session()), (QStringList{u"Hello there."_s, u"Mine"_s, u"Fine."_s}));
        QVERIFY(h->notice()->startsWith(u"1 sentence"_s));
        h->splitAtPausesOnly();
        QCOMPARE(texts(*h->session()), (QStringList{u"(none)"_s, u"Mine"_s, u"(none)"_s}));
        QVERIFY(h->notice()->startsWith(u"1 sentence"_s));
        h->edits().undo(); // an edit made before a new list is undone all the same
        QCOMPARE(texts(*h->session()), (QStringList{u"(none)"_s, u"How are you?"_s, u"(none)"_s}));
    }

    // Files that cannot be used say so and never leave a half-open state.
    void unusableFilesAreReported_data() {
        QTest::addColumn<QByteArray>("contents"); // none: no file at all
        QTest::newRow("text") << QByteArray("this is not a sound\n");
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("missing") << QByteArray();
    }
    void unusableFilesAreReported() {
        QFETCH(QByteArray, contents);
        ModelHarness& h = *m_h;
        const QString path = h.mediaFolder() + QStringLiteral("/a.mp3");
        if (!contents.isNull())
            TestMedia::textFile(path, contents);
        QVERIFY(h.openAndSettle(path));
        const QString prefix = QStringLiteral("Couldn’t open “a.mp3”: ");
        const QString error = h->error().value_or(QString());
        QVERIFY2(error.startsWith(prefix) && error.size() > prefix.size(), qPrintable(error));
        QVERIFY(contents.isNull() || error == prefix + MediaError::unreadable().description());
        QVERIFY(h->splitting() == Splitting::idle() && !h->session() && !h->profile());
        QVERIFY(QDir(h.sessionsFolder()).entryList(QDir::Files).isEmpty());
    }
};

QTEST_MAIN(AppModelOpeningTest)
#include "AppModelOpeningTest.moc"
