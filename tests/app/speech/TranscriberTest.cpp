#include "speech/Transcriber.h"
#include "speech/ScriptedEngine.h"
#include "SpeechTestSupport.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QTest>
#include <QThread>

using namespace std::chrono_literals;

namespace {

Word word(const char* text, double start, double duration = 0.4) {
    return Word(QString::fromUtf8(text), start, duration);
}

QStringList texts(const std::vector<Word>& words) {
    QStringList list;
    for (const Word& w : words)
        list.append(w.text);
    return list;
}

struct Fixture {
    ScriptedEngine* engine;
    std::unique_ptr<Transcriber> transcriber;

    explicit Fixture(std::vector<ScriptedEngine::Language> languages = {{"en-US", true}},
                     std::unique_ptr<SpeechAuthorizer> authorizer =
                         std::make_unique<GrantedSpeechAuthorizer>()) {
        auto owned = std::make_unique<ScriptedEngine>(std::move(languages));
        engine = owned.get();
        transcriber = std::make_unique<Transcriber>(std::move(owned), std::move(authorizer));
    }

    std::vector<Word> transcribe(QObject* model = nullptr, const QString& language = "en-US") {
        return waitForTask(transcriber->transcribe("/sound.m4a", language, model));
    }
};

} // namespace

class TranscriberTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wordsOfATranscription() {
        // Punctuation and the space before the next segment join the earlier word, then trimmed.
        const Transcription sentence{"Hello, world.",
                                     {{0, 5, 0.5, 0.4, 0.9}, {7, 5, 1.0, 0.5, {}}}};
        std::vector<Word> expected{Word("Hello,", 0.5, 0.4), Word("world.", 1.0, 0.5)};
        expected[0].confidence = 0.9; // the recogniser's, kept both ways
        QCOMPARE(sentence.words(), expected);
        QCOMPARE(Transcription::fromWords(expected).segments[0].confidence, 0.9);

        // Unplaceable segments give nothing and do not stretch their neighbours' text.
        const Transcription odd{"one  two",
                                {{TranscriptionSegment::notFound, 3, 0.1, 0.1, {}},
                                 {0, 3, 0.2, 0.1, {}},
                                 {3, 2, 0.3, 0.1, {}},
                                 {5, 40, 0.4, 0.1, {}},
                                 {8, 1, 0.5, 0.1, {}},
                                 {42, 1, 0.6, 0.1, {}}}};
        QCOMPARE(odd.words(),
                 (std::vector<Word>{Word(QStringLiteral("one"), 0.2, 0.1), Word("two", 0.4, 0.1)}));

        // UTF-16 ranges: a word outside the basic plane counts two units.
        const Transcription wide{"𝄞 ja", {{0, 2, 0, 1, {}}, {3, 2, 1, 1, {}}}};
        QCOMPARE(texts(wide.words()), (QStringList{QStringLiteral("𝄞"), QStringLiteral("ja")}));

        const std::vector<Word> plain{word("two", 1.0), word("words", 1.5)};
        QCOMPARE(Transcription::fromWords(plain).formattedString, QStringLiteral("two words"));
        QCOMPARE(Transcription::fromWords(plain).words(), plain);
    }

    void eventsAreMergedInOrderWithProgressOnlyForward() {
        Fixture fixture;
        fixture.engine->setScript({
            ScriptedEngine::hypothesis({word("the", 0.5), word("cat", 1.0)}),
            ScriptedEngine::hypothesis({word("uh", 0.0)}), // no time: reports nothing
            ScriptedEngine::result(
                {word("The", 0.5), word("cat", 1.0), word("sat", 11.0), word("down", 12.5)}),
            ScriptedEngine::reached(3.0), // earlier than the last word's end
            ScriptedEngine::result({word("Down", 12.0), word("here", 14.0)}),
            ScriptedEngine::finish(true),
        });
        FakeModel model;
        const std::vector<Word> words = fixture.transcribe(&model);
        // The second result replaces what it covers again (from 11.99 s on).
        QCOMPARE(texts(words), (QStringList{"The", "cat", "sat", QStringLiteral("Down"),
                                            QStringLiteral("here")}));
        QCOMPARE(model.shown, (std::vector<double>{1.4, 12.9, 14.4}));
        QVERIFY(!fixture.transcriber->isRecognising());
        QCOMPARE(fixture.engine->lastPath(), QStringLiteral("/sound.m4a"));
    }

    void progressStopsWhenTheModelMovesOnOrGoesAway() {
        Fixture fixture;
        fixture.engine->setScript({ScriptedEngine::reached(1.0), ScriptedEngine::reached(2.0),
                                   ScriptedEngine::reached(3.0),
                                   ScriptedEngine::result({word("late", 3.5)}),
                                   ScriptedEngine::finish(true)});
        FakeModel model;
        model.leaveAt = 2.0;
        QCOMPARE(fixture.transcribe(&model).size(), size_t(1));
        QCOMPARE(model.shown, (std::vector<double>{1.0, 2.0}));
        QCOMPARE(model.seconds, 2.0);

        // A model deleted while recognition runs is simply no longer told.
        auto* doomed = new FakeModel;
        fixture.engine->setScript({ScriptedEngine::reached(1.0),
                                   ScriptedEngine::result({word("gone", 1.0)}, 50ms),
                                   ScriptedEngine::finish(true)});
        auto task = fixture.transcriber->transcribe("/sound.m4a", QStringLiteral("en-US"), doomed);
        delete doomed;
        QCOMPARE(waitForTask(std::move(task)).size(), size_t(1));
    }

    void failuresSilenceAndLateResults() {
        Fixture fixture;
        // Failing before any word: the recogniser's message.
        fixture.engine->setScript(
            {ScriptedEngine::reached(2.0), ScriptedEngine::finish(false, "The model broke.")});
        auto failure = failureOf<Transcriber::Failure>(fixture.transcriber->transcribe(
            QStringLiteral("/a.m4a"), QStringLiteral("en-US"), nullptr));
        QVERIFY(failure);
        QCOMPARE(failure->kind(), Transcriber::Failure::Kind::failed);
        QCOMPARE(failure->description(), QStringLiteral("The model broke."));

        // Failing after words: the words found so far.
        fixture.engine->setScript({ScriptedEngine::result({word("kept", 1.0)}),
                                   ScriptedEngine::finish(false, "The model broke.")});
        QCOMPARE(texts(fixture.transcribe()), QStringList{QStringLiteral("kept")});

        // Hearing nothing, with or without an unexplained failure: no words, no error.
        fixture.engine->setScript({ScriptedEngine::result({}), ScriptedEngine::finish(true)});
        QVERIFY(fixture.transcribe().empty());
        fixture.engine->setScript({ScriptedEngine::finish(false)});
        QVERIFY(fixture.transcribe().empty());

        // Only white space recognised gives no word either.
        fixture.engine->setScript({{0ms,
                                    [](const RecognitionDelegate& delegate) {
                                        delegate.recognized({"  \n", {{0, 3, 1, 1, {}}}});
                                    }},
                                   ScriptedEngine::finish(true)});
        QVERIFY(fixture.transcribe().empty());

        // What comes after the end is ignored.
        fixture.engine->setScript({ScriptedEngine::result({word("one", 1.0)}),
                                   ScriptedEngine::finish(true),
                                   ScriptedEngine::result({word("late", 5.0)}),
                                   ScriptedEngine::finish(false, "late failure")});
        QCOMPARE(texts(fixture.transcribe()), QStringList{QStringLiteral("one")});
    }

    void languageNotOnDeviceStartsNothing() {
        Fixture fixture({{"en-US", true}, {"de-DE", false}});
        fixture.engine->setScript({ScriptedEngine::finish(true)});
        for (const char* language : {"de-DE", "xx-YY"}) {
            auto failure = failureOf<Transcriber::Failure>(
                fixture.transcriber->transcribe("/a.m4a", language, nullptr));
            QVERIFY(failure);
            QCOMPARE(failure->kind(), Transcriber::Failure::Kind::notOnDevice);
        }
        QCOMPARE(fixture.engine->started(), 0);
        QCOMPARE(fixture.transcriber->notOnDevice(QStringLiteral("de-DE")).description(),
                 QStringLiteral("On-device recognition for German (Germany) isn’t on this "
                                "computer. Put its speech model in /models/de-DE, then choose "
                                "Find Sentences Again."));
        QVERIFY(fixture.transcriber->notOnDevice("xx-YY").description().startsWith(
            "On-device recognition for xx-YY isn’t"));
    }

    void cancellation() {
        Fixture fixture;
        fixture.engine->setScript({ScriptedEngine::result({word("early", 1.0)}),
                                   ScriptedEngine::result({word("late", 5.0)}, 10s),
                                   ScriptedEngine::finish(true)});
        FakeModel model;

        // cancel(): the awaiting task ends at once with the cancellation, the late result unseen.
        auto task = fixture.transcriber->transcribe("/a.m4a", QStringLiteral("en-US"), &model);
        QTRY_COMPARE(model.shown, std::vector<double>{1.4});
        QVERIFY(fixture.transcriber->isRecognising());
        QElapsedTimer clock;
        clock.start();
        fixture.transcriber->cancel();
        QVERIFY(!fixture.transcriber->isRecognising());
        QVERIFY(failureOf<OperationCancelled>(std::move(task)));
        QVERIFY(clock.elapsed() < 5000);

        // A stop request from the caller's side does the same.
        std::stop_source stop;
        auto stopped = fixture.transcriber->transcribe(
            QStringLiteral("/a.m4a"), QStringLiteral("en-US"), nullptr, stop.get_token());
        QTRY_VERIFY(fixture.engine->started() == 2);
        stop.request_stop();
        QVERIFY(failureOf<OperationCancelled>(std::move(stopped)));

        // Starting again cancels the running recognition; its late results never reach the new one.
        auto first = fixture.transcriber->transcribe("/a.m4a", QStringLiteral("en-US"), nullptr);
        fixture.engine->setScript(
            {ScriptedEngine::result({word("second", 2.0)}), ScriptedEngine::finish(true)});
        auto second = fixture.transcriber->transcribe("/b.m4a", QStringLiteral("en-US"), nullptr);
        QVERIFY(failureOf<OperationCancelled>(std::move(first)));
        QCOMPARE(texts(waitForTask(std::move(second))), QStringList{QStringLiteral("second")});
    }

    void noEventIsLostWhileTheMainThreadIsBusy() {
        Fixture fixture;
        std::vector<ScriptedEngine::Step> script;
        constexpr int count = 3000;
        for (int i = 0; i < count; ++i) {
            script.push_back(ScriptedEngine::reached(i * 0.5 + 0.2));
            script.push_back(ScriptedEngine::result({word("w", i * 0.5)}));
        }
        script.push_back(ScriptedEngine::finish(true));
        fixture.engine->setScript(std::move(script));
        FakeModel model;
        auto task = fixture.transcriber->transcribe("/a.m4a", QStringLiteral("en-US"), &model);
        QThread::msleep(300); // the engine produces everything before the consumer runs
        const std::vector<Word> words = waitForTask(std::move(task));
        QCOMPARE(words.size(), size_t(count));
        for (int i = 0; i < count; ++i)
            QCOMPARE(words[i].start, i * 0.5);
        QVERIFY(std::is_sorted(model.shown.begin(), model.shown.end()));
        QCOMPARE(model.shown.back(), (count - 1) * 0.5 + 0.4);
    }

    void languages() {
        Fixture fixture({{"fr-FR", false},
                         {"qq-QQ", false},
                         {"de-DE", true},
                         {"ru-RU", false},
                         {"en-US", true}});
        const std::vector<Transcriber::Language> expected{
            {"en-US", "English (United States)", true},
            {"de-DE", "German (Germany)", true},
            {"fr-FR", "French (France)", false},
            {"ru-RU", "Russian (Russia)", false},
            // Plain comparison: upper-case letters come before lower-case ones.
            {"qq-QQ", "qq-QQ", false}};
        QCOMPARE(fixture.transcriber->languages(), expected);
        QCOMPARE(Transcriber::displayName("zh-Hans-CN"), QStringLiteral("Chinese (China)"));
        QCOMPARE(Transcriber::displayName("fr"), QStringLiteral("French"));
        QCOMPARE(Transcriber::displayName(QString()), QString());

        // The saved choice, else the locale's language when on the device, else en-US.
        const std::vector<Transcriber::Language> list{
            expected[0], {"fr-FR", "French (France)", true}, {"de-DE", "German (Germany)", false}};
        QCOMPARE(Transcriber::preferredLanguage("xx-YY", list, "fr-FR"), QStringLiteral("xx-YY"));
        QCOMPARE(Transcriber::preferredLanguage(QString(), list, "fr-FR"), QStringLiteral("fr-FR"));
        for (const char* locale : {"de-DE", "fr-CA"})
            QCOMPARE(Transcriber::preferredLanguage(std::nullopt, list, locale),
                     QStringLiteral("en-US"));
        QCOMPARE(Transcriber::preferredLanguage(std::nullopt, {}, "de-DE"),
                 QStringLiteral("en-US"));
        // The instance asks the current locale.
        const QLocale before;
        QLocale::setDefault(QLocale("de_DE"));
        QCOMPARE(Transcriber::currentLocaleIdentifier(), QStringLiteral("de-DE"));
        QCOMPARE(fixture.transcriber->preferredLanguage(std::nullopt), QStringLiteral("de-DE"));
        Fixture without({{"fr-FR", true}, {"de-DE", false}});
        QCOMPARE(without.transcriber->preferredLanguage(std::nullopt), QStringLiteral("fr-FR"));
        QLocale::setDefault(before);
    }
};

QTEST_GUILESS_MAIN(TranscriberTest)
#include "TranscriberTest.moc"
