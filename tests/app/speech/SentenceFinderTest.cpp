#include "speech/SentenceFinder.h"
#include "SpeechTestSupport.h"

#include <QTest>

namespace {

struct Fixture : ScriptedTranscriber {
    FakeModel model;

    explicit Fixture(bool grants = true)
        : ScriptedTranscriber({{"en-US", true}, {"ja-JP", true}, {"de-DE", false}}, grants) {}

    SentenceFinder::Outcome find(const QString& language = "en-US",
                                 std::vector<TimeRange> sound = {}) {
        return waitForTask(
            SentenceFinder::find(&transcriber, "/a.m4a", language, 10.0, std::move(sound), &model));
    }
};

std::vector<Word> twoSentences() {
    return {Word("Good", 1.0, 0.3), Word("morning.", 1.3, 0.5), Word("How", 3.0, 0.2),
            Word("are", 3.2, 0.2), Word("you?", 3.4, 0.4)};
}

} // namespace

class SentenceFinderTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void recognisedWordsBecomeSentences() {
        Fixture fixture;
        fixture.engine->setScript({ScriptedEngine::reached(2.0),
                                   ScriptedEngine::result(twoSentences()),
                                   ScriptedEngine::finish(true)});
        const SentenceFinder::Outcome outcome = fixture.find();
        QVERIFY(!outcome.notice);
        QVERIFY(outcome.sentences);
        QCOMPARE(outcome.sentences->size(), size_t(2));
        QCOMPARE(outcome.sentences->at(0).text, QStringLiteral("Good morning."));
        QCOMPARE(outcome.sentences->at(1).text, QStringLiteral("How are you?"));
        QCOMPARE(outcome.sentences->at(1).end, 3.8 + 0.25);
        QCOMPARE(fixture.model.starts, 1);
        QCOMPARE(fixture.model.listeningProgress(), std::optional(3.8));

        // The language's code chooses how words are joined.
        fixture.engine->setScript(
            {ScriptedEngine::result({Word("今日は", 1.0, 0.5), Word("晴れ。", 1.5, 0.5)}),
             ScriptedEngine::finish(true)});
        QCOMPARE(fixture.find(QStringLiteral("ja-JP")).sentences->at(0).text,
                 QStringLiteral("今日は晴れ。"));
        QCOMPARE(SentenceFinder::languageCode(QStringLiteral("pt_BR")), QStringLiteral("pt"));
        QCOMPARE(SentenceFinder::languageCode(QString()), QStringLiteral("en"));
    }

    void fallBacksCarryTheirNotice() {
        // Refused: nothing starts, the model is not told to listen.
        Fixture refused(false);
        QCOMPARE(refused.find().notice,
                 QStringLiteral("Speech recognition is off for Quellin, so "
                                "sentences are split at pauses (no transcript)."));
        QCOMPARE(refused.engine->started() + refused.model.starts, 0);
        Fixture fixture;
        QCOMPARE(fixture.find("de-DE").notice,
                 fixture.transcriber.notOnDevice("de-DE").description());
        QCOMPARE(fixture.model.starts, 0);
        // Words that are only white space: no speech, unless the pause split hears some: its
        // stretches stand, without words.
        const ScriptedEngine::Step blank = ScriptedEngine::result({Word(" ", 1, 1)});
        fixture.engine->setScript({blank, ScriptedEngine::finish(true)});
        const auto none = fixture.find();
        QVERIFY(!none.sentences);
        QCOMPARE(none.notice,
                 QStringLiteral("No speech was recognised in English (United States). The "
                                "sentences are split at pauses; pick the file’s language and "
                                "choose Find Sentences Again."));
        const auto some = fixture.find("en-US", {{1, 2}});
        QVERIFY(!some.notice);
        QCOMPARE(some.sentences, std::vector{Sentence(1, 2, QStringLiteral(""))});
    }

    // A stop while recognising, before it, or no transcriber (the model went away).
    void stopping() {
        using namespace std::chrono_literals;
        Fixture fixture;
        fixture.engine->setScript(
            {ScriptedEngine::result(twoSentences(), 10s), ScriptedEngine::finish(true)});
        const auto find = [&](Transcriber* transcriber, std::stop_token stop) {
            return SentenceFinder::find(transcriber, "/a.m4a", QStringLiteral("en-US"), 10.0, {},
                                        &fixture.model, stop);
        };
        std::stop_source stop;
        auto task = find(&fixture.transcriber, stop.get_token());
        QTRY_COMPARE(fixture.engine->started(), 1);
        stop.request_stop();
        QVERIFY(failureOf<OperationCancelled>(std::move(task)));
        QVERIFY(failureOf<OperationCancelled>(find(&fixture.transcriber, stop.get_token())));
        QVERIFY(failureOf<OperationCancelled>(find(nullptr, {})));
        QCOMPARE(fixture.engine->started(), 1);
    }
};

QTEST_GUILESS_MAIN(SentenceFinderTest)
#include "SentenceFinderTest.moc"
