#include "ModelHarness.h"
#include "TestMedia.h"

#include "media/EnergyProfile.h"
#include "media/MediaError.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

#include <future>

using namespace std::chrono_literals;
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
        h.engine().setScript({ScriptedEngine::finish(true)});
        QVERIFY(h.openAndSettle(h.media(QStringLiteral("b.wav"))));
        h->close();
        QCOMPARE(QDir(h.sessionsFolder()).entryList(QDir::Files),
                 QStringList{QFileInfo(h.store().sessionFile(split.key())).fileName()});
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
        h->open(ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/long.wav"), {1.0}, 120));
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
        const QString a =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/long.wav"), {1.0, 1.4, 0.9}, 20);
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
        h.engine().setScript({ScriptedEngine::finish(true)});
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
        h.engine().setScript({ScriptedEngine::finish(true)});
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
            files.append(ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/%1.wav").arg(i),
                                            lengths, 0.7, 300 + 20 * i));
        }
        // Every recognition hears one sentence over the first burst, after a short while.
        h.engine().setScript(
            {ScriptedEngine::reached(0.4, 15ms),
             ScriptedEngine::result({word("Hello", 0.75), word("there.", 1.2)}, 15ms),
             ScriptedEngine::finish(true, std::nullopt, 5ms)});

        // The opens follow a schedule within 0.9 s: three in quick succession, then a pause long
        // enough for the file to be read and recognition to start, five times over.
        QElapsedTimer clock;
        clock.start();
        qint64 due = 0;
        for (int i = 0; i < files.size(); ++i) {
            QTest::qWait(int(std::max<qint64>(due - clock.elapsed(), 0)));
            h->open(files[i]);
            due += i % 4 == 3 ? 170 : 5;
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
        }
        const int recognitions = h.engine().started();

        QVERIFY(h.settle(60000));
        QVERIFY(!h->isSplitting() && !h->isWorking() && !h->error());
        QVERIFY(h->splitting() == Splitting::done() && h->phase() == AppModel::Phase::idle());
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
        const QString reason =
            contents.isNull() ? QString() : MediaError::unreadable().description();
        const QString error = h->error().value_or(QString());
        QVERIFY2(error.startsWith(prefix) && error.size() > prefix.size(), qPrintable(error));
        QVERIFY(reason.isEmpty() || error == prefix + reason);
        QVERIFY(h->splitting() == Splitting::idle() && !h->session() && !h->profile());
        QVERIFY(QDir(h.sessionsFolder()).entryList(QDir::Files).isEmpty());
    }
};

QTEST_MAIN(AppModelOpeningTest)
#include "AppModelOpeningTest.moc"
