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
        QCOMPARE(h->session()->method, SplitMethod::pauses());
        QCOMPARE(h->session()->sentences.size(), size_t(3));
        QVERIFY(!anyText(*h->session()));
        QCOMPARE(h->session()->duration, h->profile()->duration());
        QVERIFY(h.savedMatchesModel());
        h->select(1);
        h->toggleHard();
        QVERIFY(h.savedMatchesModel());

        release.set_value();
        QVERIFY(h.settle());
        const Session& found = *h->session();
        QCOMPARE(found.method, SplitMethod::speech(QStringLiteral("en-US")));
        QCOMPARE(texts(found),
                 (QStringList{QStringLiteral("Hello there."), QStringLiteral("How are you?"),
                              QStringLiteral("Fine.")}));
        QCOMPARE(found.current, 1);
        QVERIFY(found.sentences[1].hard);
        QVERIFY(!h->notice() && !h->error());
        QVERIFY(h.savedMatchesModel());
        QCOMPARE(log.kinds(),
                 (std::vector<Splitting::Kind>{Splitting::Kind::opening, Splitting::Kind::listening,
                                               Splitting::Kind::done}));
        QVERIFY(log.values[log.values.size() - 2].seconds >= 5.3); // the words heard, at last
    }

    // Opening a file again resumes its session as it was, in the language it was found in; the
    // same file one byte longer is another file.
    void resumeVersusFreshSession() {
        ModelHarness h;
        const QString a =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), threeBursts);
        h.engine().setScript(recognise(threeSentences()));
        QVERIFY(h.openAndSettle(a));
        h->select(2);
        h->setRepeats(5);
        const Session before = *h->session();
        h->setLanguage(QStringLiteral("de-DE"));
        h->close();
        QVERIFY(h.openAndSettle(a));
        QCOMPARE(h.engine().started(), 1); // no recognition for a resumed session
        QCOMPARE(h->session()->sentences, before.sentences);
        QCOMPARE(h->session()->current, 2);
        QCOMPARE(h->session()->settings.repeats, 5);
        QCOMPARE(h->language(), QStringLiteral("en-US"));
        QCOMPARE(h.restart().language(), QStringLiteral("en-US"));

        h->close();
        const QString oldKey = Session::key(a, QFileInfo(a).size());
        {
            QFile file(a);
            QVERIFY(file.open(QIODevice::Append));
            file.write("\0", 1);
        }
        h.engine().setScript({ScriptedEngine::finish(true)});
        QVERIFY(h.openAndSettle(a));
        QCOMPARE(h->session()->current, 0);
        QVERIFY(h->session()->key() != oldKey);
        h->close();
        QCOMPARE(h->recent().size(), size_t(2));
    }

    // Every way finding sentences can fall back to the pause split, with its notice.
    void noticesOfFindingSentences() {
        ModelHarness h;
        const QString path =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), threeBursts);
        h.speech().grants = false;
        QVERIFY(h.openAndSettle(path));
        QCOMPARE(h->notice(), QStringLiteral("Speech recognition is off for Quellin, so sentences "
                                             "are split at pauses (no transcript)."));
        QCOMPARE(h->session()->method, SplitMethod::pauses());
        const std::vector<Sentence> pauses = h->session()->sentences;
        h.speech().grants = true;

        h->setLanguage(QStringLiteral("de-DE"));
        h->findSentencesAgain();
        QVERIFY(h.settle());
        QVERIFY(h->notice()->startsWith(
            QStringLiteral("On-device recognition for German (Germany) isn’t on this computer.")));
        QCOMPARE(h.engine().started(), 0);
        h->setLanguage(QStringLiteral("en-US"));

        h.engine().setScript(
            {ScriptedEngine::reached(1.0, 10ms),
             ScriptedEngine::finish(false, QStringLiteral("the decoder gave up"))});
        h->findSentencesAgain();
        QVERIFY(h.settle());
        QCOMPARE(h->notice(),
                 QStringLiteral("Speech recognition stopped (the decoder gave up). The "
                                "sentences are split at pauses."));
        QCOMPARE(h->splitting(), Splitting::done());
        QCOMPARE(h->session()->sentences, pauses);

        // No words are heard: the stretches of sound stand without words, and no notice.
        h.engine().setScript({ScriptedEngine::finish(true)});
        h->findSentencesAgain();
        QVERIFY(h.settle());
        QVERIFY(!h->notice());
        QCOMPARE(h->session()->method, SplitMethod::speech(QStringLiteral("en-US")));
        QCOMPARE(h->session()->sentences.size(), size_t(3));
    }

    // Results that arrive for a file that is no longer open, or after Close File, change
    // nothing.
    void lateRecognitionResultsAreDropped() {
        ModelHarness h;
        const QString a =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), threeBursts);
        const QString b =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/b.wav"), {1.0, 1.0});
        const auto slow = [] {
            return std::vector<ScriptedEngine::Step>{
                ScriptedEngine::reached(1.0, 50ms), ScriptedEngine::result(threeSentences(), 700ms),
                ScriptedEngine::finish(false, QStringLiteral("late failure"), 50ms)};
        };
        h.engine().setScript(slow());
        h->open(a);
        QTRY_COMPARE_WITH_TIMEOUT(h->splitting().kind, Splitting::Kind::listening, 10000);
        h.engine().setScript({ScriptedEngine::finish(true)});
        h->open(b);
        QVERIFY(h.settle());
        QTest::qWait(1000); // A's script runs on after its cancellation
        QCOMPARE(h->session()->filePath, b);
        QVERIFY(!anyText(*h->session()));
        QVERIFY(!h->notice());
        QCOMPARE(h->splitting(), Splitting::done());
        QVERIFY(h.savedMatchesModel());
        QVERIFY(!anyText(*h.store().load(a, QFileInfo(a).size())));

        // Closed while the first sentences are still found: the start screen stays, and the
        // saved session keeps its pause split.
        const QString c = ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/c.wav"), {1.0});
        h.engine().setScript(slow());
        h->open(c);
        QTRY_COMPARE_WITH_TIMEOUT(h->splitting().kind, Splitting::Kind::listening, 10000);
        h->close();
        QVERIFY(h.settle());
        QTest::qWait(1000);
        QVERIFY(!h->session());
        QCOMPARE(h->splitting(), Splitting::idle());
        QVERIFY(!h->notice());
        const std::optional<Session> savedC = h.store().load(c, QFileInfo(c).size());
        QVERIFY(savedC && savedC->method == SplitMethod::pauses());
    }

    // A model that goes away while it opens, finds sentences and plays leaves nothing behind
    // that touches it; the next one resumes what was saved.
    void aModelDestroyedWhileItsTasksRun() {
        ModelHarness h;
        const QString a =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), threeBursts, 20);
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
        QVERIFY(h->notice()->startsWith(
            QStringLiteral("On-device recognition for French (France) isn’t on this computer.")));
    }

    // Without `persist` nothing reaches the disk, yet saved sessions are still found.
    void persistFalseWritesNothing() {
        ModelHarness h(ModelHarness::Options{.persist = false});
        const QString a =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), threeBursts);
        Session saved(a, QFileInfo(a).size(), 6.1,
                      {Sentence(0.55, 1.85), Sentence(2.25, 3.95), Sentence(4.35, 5.55)}, 1,
                      SplitMethod::pauses(), PracticeSettings::standard(), false,
                      QDateTime::fromString(QStringLiteral("2025-03-01T09:30:05Z"), Qt::ISODate));
        h.store().save(saved);
        AppModel& model = h.restart(false);
        QVERIFY(h.openAndSettle(a));
        QCOMPARE(model.session()->current, 1);
        model.select(2);
        model.toggleHard();
        model.setRate(0.7);
        model.setLanguage(QStringLiteral("de-DE"));
        model.save();
        h.engine().setScript({ScriptedEngine::finish(true)});
        QVERIFY(
            h.openAndSettle(ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/b.wav"), {1.0})));
        model.close();
        QVERIFY(model.recent().empty());
        QVERIFY(!QFile::exists(h.settingsFile()));
        QCOMPARE(h.store().load(saved.key()), saved);
        QCOMPARE(QDir(h.sessionsFolder()).entryList(QDir::Files).size(), 1);
    }

    // A saved session that no longer reads is kept aside with a message, not overwritten.
    void damagedSessionIsKeptAside() {
        ModelHarness h;
        const QString a =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), threeBursts);
        const QString file = h.store().sessionFile(Session::key(a, QFileInfo(a).size()));
        const QByteArray damaged = "{\"version\": 1, \"current\": 4, \"sentences\": [";
        TestMedia::textFile(file, damaged);
        h.engine().setScript({ScriptedEngine::finish(true)});
        QVERIFY(h.openAndSettle(a));
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
        QTRY_VERIFY_WITH_TIMEOUT(h->session().has_value(), 60000);
        QVERIFY2(values.size() >= 5, qPrintable(QString::number(values.size())));
        QVERIFY(!values.back());
        double last = -1;
        for (size_t i = 0; i + 1 < values.size(); ++i) {
            QVERIFY(values[i] && *values[i] > last && *values[i] <= 1.0);
            last = *values[i];
        }
        // Both halves were heard: the extraction and the reading of the extracted track.
        QVERIFY(*values.front() < 0.5 && last > 0.5);
    }

    // Files that cannot be used say so and never leave a half-open state.
    void unusableFilesAreReported_data() {
        QTest::addColumn<QByteArray>("contents"); // none: no file at all
        QTest::addColumn<QString>("reason");      // empty: the reader's own
        const QString unreadable = MediaError::unreadable().description();
        QTest::newRow("text") << QByteArray("this is not a sound\n") << unreadable;
        QTest::newRow("empty") << QByteArray("") << unreadable;
        QTest::newRow("missing") << QByteArray() << QString();
    }
    void unusableFilesAreReported() {
        QFETCH(QByteArray, contents);
        QFETCH(QString, reason);
        ModelHarness h;
        const QString path = h.mediaFolder() + QStringLiteral("/a.mp3");
        if (!contents.isNull())
            TestMedia::textFile(path, contents);
        QVERIFY(h.openAndSettle(path));
        const QString prefix = QStringLiteral("Couldn’t open “a.mp3”: ");
        const QString error = h->error().value_or(QString());
        QVERIFY2(error.startsWith(prefix) && error.size() > prefix.size(), qPrintable(error));
        QVERIFY(reason.isEmpty() || error == prefix + reason);
        QCOMPARE(h->splitting(), Splitting::idle());
        QVERIFY(!h->session() && !h->profile());
        QVERIFY(QDir(h.sessionsFolder()).entryList(QDir::Files).isEmpty());
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
        const QString converted =
            h.audioFolder() + u'/' +
            StableHash::hex(video + u'|' + QString::number(QFileInfo(video).size())) +
            QStringLiteral(".m4a");
        QCOMPARE(h.engine().lastPath(), converted);
        QVERIFY(QFile::remove(video));
        h.engine().setScript(recognise(threeSentences()));
        h->findSentencesAgain();
        QVERIFY(h.settle());
        QCOMPARE(h.engine().lastPath(), converted);
        QVERIFY(anyText(*h->session()));
    }

    // Splitting at pauses replaces recognised sentences and stops a recognition in progress.
    void splitAtPausesOnlyKeepsPlaceAndMarks() {
        ModelHarness h;
        const QString a =
            ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/a.wav"), threeBursts);
        h.engine().setScript(recognise(threeSentences()));
        QVERIFY(h.openAndSettle(a));
        h->select(2);
        h->toggleHard();
        h.engine().setScript(recognise({word("Late", 0.8), word("words.", 1.3)}, 500ms));
        h->findSentencesAgain();
        h->splitAtPausesOnly();
        QCOMPARE(h->splitting(), Splitting::done());
        QCOMPARE(h->session()->method, SplitMethod::pauses());
        QCOMPARE(h->session()->current, 2);
        QVERIFY(h->session()->sentences[2].hard);
        QVERIFY(h.savedMatchesModel());
        QVERIFY(h.settle());
        QTest::qWait(800);
        QVERIFY(!anyText(*h->session()));
    }
};

QTEST_MAIN(AppModelOpeningTest)
#include "AppModelOpeningTest.moc"
