#include "speech/Transcriber.h"
#include "speech/ListeningModel.h"
#include "speech/ScriptedEngine.h"
#include "SpeechTestSupport.h"

#include <QCoroTask>
#include <QElapsedTimer>
#include <QLocale>
#include <QTest>
#include <QThread>

using namespace std::chrono_literals;

namespace {

// Stands in for the application model: shows the seconds heard while it listens, and can be told
// to stop listening once progress reaches a point (the user opened another file).
class FakeModel final : public QObject, public ListeningModel {
    Q_OBJECT
    Q_INTERFACES(ListeningModel)

public:
    std::optional<double> listeningProgress() const override {
        return listening ? std::optional(seconds) : std::nullopt;
    }
    void setListeningProgress(double value) override {
        seconds = value;
        shown.push_back(value);
        if (leaveAt && value >= *leaveAt)
            listening = false;
    }
    void startListening() override {
        listening = true;
        seconds = 0;
    }

    bool listening = true;
    double seconds = 0;
    std::vector<double> shown;
    std::optional<double> leaveAt;
};

class RefusingAuthorizer final : public SpeechAuthorizer {
public:
    QCoro::Task<bool> authorize() override { co_return false; }
};

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

    explicit Fixture(std::vector<ScriptedEngine::Language> languages = {{QStringLiteral("en-US"),
                                                                         true}},
                     std::unique_ptr<SpeechAuthorizer> authorizer =
                         std::make_unique<GrantedSpeechAuthorizer>()) {
        auto owned = std::make_unique<ScriptedEngine>(std::move(languages));
        engine = owned.get();
        transcriber = std::make_unique<Transcriber>(std::move(owned), std::move(authorizer));
    }

    std::vector<Word> transcribe(QObject* model = nullptr,
                                 const QString& language = QStringLiteral("en-US")) {
        return waitForTask(transcriber->transcribe(QStringLiteral("/sound.m4a"), language, model));
    }
};

} // namespace

class TranscriberTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wordsOfATranscription() {
        // Punctuation and the space before the next segment join the earlier word, then trimmed.
        const Transcription sentence{QStringLiteral("Hello, world."),
                                     {{0, 5, 0.5, 0.4, 0.9}, {7, 5, 1.0, 0.5, {}}}};
        std::vector<Word> expected{Word(QStringLiteral("Hello,"), 0.5, 0.4),
                                   Word(QStringLiteral("world."), 1.0, 0.5)};
        expected[0].confidence = 0.9; // the recogniser's, kept both ways
        QCOMPARE(sentence.words(), expected);
        QCOMPARE(Transcription::fromWords(expected).segments[0].confidence, 0.9);

        // Unplaceable segments give nothing and do not stretch their neighbours' text.
        const Transcription odd{QStringLiteral("one  two"),
                                {{TranscriptionSegment::notFound, 3, 0.1, 0.1, {}},
                                 {0, 3, 0.2, 0.1, {}},
                                 {3, 2, 0.3, 0.1, {}},
                                 {5, 40, 0.4, 0.1, {}},
                                 {8, 1, 0.5, 0.1, {}},
                                 {42, 1, 0.6, 0.1, {}}}};
        QCOMPARE(odd.words(), (std::vector<Word>{Word(QStringLiteral("one"), 0.2, 0.1),
                                                 Word(QStringLiteral("two"), 0.4, 0.1)}));

        // UTF-16 ranges: a word outside the basic plane counts two units.
        const Transcription wide{QStringLiteral("𝄞 ja"), {{0, 2, 0, 1, {}}, {3, 2, 1, 1, {}}}};
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
        QCOMPARE(texts(words),
                 (QStringList{QStringLiteral("The"), QStringLiteral("cat"), QStringLiteral("sat"),
                              QStringLiteral("Down"), QStringLiteral("here")}));
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
        auto task = fixture.transcriber->transcribe(QStringLiteral("/sound.m4a"),
                                                    QStringLiteral("en-US"), doomed);
        delete doomed;
        QCOMPARE(waitForTask(std::move(task)).size(), size_t(1));
    }

    void failuresAndSilence() {
        Fixture fixture;
        // Failing before any word: the recogniser's message.
        fixture.engine->setScript(
            {ScriptedEngine::reached(2.0),
             ScriptedEngine::finish(false, QStringLiteral("The model broke."))});
        auto failure = failureOf<Transcriber::Failure>(fixture.transcriber->transcribe(
            QStringLiteral("/a.m4a"), QStringLiteral("en-US"), nullptr));
        QVERIFY(failure);
        QCOMPARE(failure->kind(), Transcriber::Failure::Kind::failed);
        QCOMPARE(failure->description(), QStringLiteral("The model broke."));

        // Failing after words: the words found so far.
        fixture.engine->setScript(
            {ScriptedEngine::result({word("kept", 1.0)}),
             ScriptedEngine::finish(false, QStringLiteral("The model broke."))});
        QCOMPARE(texts(fixture.transcribe()), QStringList{QStringLiteral("kept")});

        // Hearing nothing, with or without an unexplained failure: no words, no error.
        fixture.engine->setScript({ScriptedEngine::result({}), ScriptedEngine::finish(true)});
        QVERIFY(fixture.transcribe().empty());
        fixture.engine->setScript({ScriptedEngine::finish(false)});
        QVERIFY(fixture.transcribe().empty());

        // Only white space recognised gives no word either.
        fixture.engine->setScript(
            {{0ms,
              [](const RecognitionDelegate& delegate) {
                  delegate.recognized({QStringLiteral("  \n"), {{0, 3, 1, 1, {}}}});
              }},
             ScriptedEngine::finish(true)});
        QVERIFY(fixture.transcribe().empty());
    }

    void languageNotOnDeviceStartsNothing() {
        Fixture fixture({{QStringLiteral("en-US"), true}, {QStringLiteral("de-DE"), false}});
        fixture.engine->setScript({ScriptedEngine::finish(true)});
        for (const QString& language : {QStringLiteral("de-DE"), QStringLiteral("xx-YY")}) {
            auto failure = failureOf<Transcriber::Failure>(
                fixture.transcriber->transcribe(QStringLiteral("/a.m4a"), language, nullptr));
            QVERIFY(failure);
            QCOMPARE(failure->kind(), Transcriber::Failure::Kind::notOnDevice);
        }
        QCOMPARE(fixture.engine->started(), 0);
        QCOMPARE(fixture.transcriber->notOnDevice(QStringLiteral("de-DE")).description(),
                 QStringLiteral("On-device recognition for German (Germany) isn’t on this "
                                "computer. Put its speech model in /models/de-DE, then choose "
                                "Find Sentences Again."));
        QVERIFY(fixture.transcriber->notOnDevice(QStringLiteral("xx-YY"))
                    .description()
                    .startsWith(QStringLiteral("On-device recognition for xx-YY isn’t")));
    }

    void resultsAfterTheEndAreIgnored() {
        Fixture fixture;
        fixture.engine->setScript({ScriptedEngine::result({word("one", 1.0)}),
                                   ScriptedEngine::finish(true),
                                   ScriptedEngine::result({word("late", 5.0)}),
                                   ScriptedEngine::finish(false, QStringLiteral("late failure"))});
        QCOMPARE(texts(fixture.transcribe()), QStringList{QStringLiteral("one")});
    }

    void cancellation() {
        Fixture fixture;
        fixture.engine->setScript({ScriptedEngine::result({word("early", 1.0)}),
                                   ScriptedEngine::result({word("late", 5.0)}, 10s),
                                   ScriptedEngine::finish(true)});
        FakeModel model;

        // cancel(): the awaiting task ends at once with the cancellation, the late result unseen.
        auto task = fixture.transcriber->transcribe(QStringLiteral("/a.m4a"),
                                                    QStringLiteral("en-US"), &model);
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
        auto first = fixture.transcriber->transcribe(QStringLiteral("/a.m4a"),
                                                     QStringLiteral("en-US"), nullptr);
        fixture.engine->setScript(
            {ScriptedEngine::result({word("second", 2.0)}), ScriptedEngine::finish(true)});
        auto second = fixture.transcriber->transcribe(QStringLiteral("/b.m4a"),
                                                      QStringLiteral("en-US"), nullptr);
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
        auto task = fixture.transcriber->transcribe(QStringLiteral("/a.m4a"),
                                                    QStringLiteral("en-US"), &model);
        QThread::msleep(300); // the engine produces everything before the consumer runs
        const std::vector<Word> words = waitForTask(std::move(task));
        QCOMPARE(words.size(), size_t(count));
        for (int i = 0; i < count; ++i)
            QCOMPARE(words[i].start, i * 0.5);
        QVERIFY(std::is_sorted(model.shown.begin(), model.shown.end()));
        QCOMPARE(model.shown.back(), (count - 1) * 0.5 + 0.4);
    }

    void languageListOrder() {
        Fixture fixture({{QStringLiteral("fr-FR"), false},
                         {QStringLiteral("qq-QQ"), false},
                         {QStringLiteral("de-DE"), true},
                         {QStringLiteral("ru-RU"), false},
                         {QStringLiteral("en-US"), true}});
        const std::vector<Transcriber::Language> expected{
            {QStringLiteral("en-US"), QStringLiteral("English (United States)"), true},
            {QStringLiteral("de-DE"), QStringLiteral("German (Germany)"), true},
            {QStringLiteral("fr-FR"), QStringLiteral("French (France)"), false},
            {QStringLiteral("ru-RU"), QStringLiteral("Russian (Russia)"), false},
            // Plain comparison: upper-case letters come before lower-case ones.
            {QStringLiteral("qq-QQ"), QStringLiteral("qq-QQ"), false},
        };
        QCOMPARE(fixture.transcriber->languages(), expected);
        QCOMPARE(Transcriber::displayName(QStringLiteral("pt-BR")),
                 QStringLiteral("Portuguese (Brazil)"));
        QCOMPARE(Transcriber::displayName(QStringLiteral("zh-Hans-CN")),
                 QStringLiteral("Chinese (China)"));
        QCOMPARE(Transcriber::displayName(QStringLiteral("fr")), QStringLiteral("French"));
        QCOMPARE(Transcriber::displayName(QString()), QString());
    }

    void preferredLanguage() {
        const std::vector<Transcriber::Language> list{
            {QStringLiteral("en-US"), QStringLiteral("English (United States)"), true},
            {QStringLiteral("fr-FR"), QStringLiteral("French (France)"), true},
            {QStringLiteral("de-DE"), QStringLiteral("German (Germany)"), false},
        };
        const auto choose = [&](std::optional<QString> saved, const QString& locale,
                                const std::vector<Transcriber::Language>& languages) {
            return Transcriber::preferredLanguage(saved, languages, locale);
        };
        QCOMPARE(choose(QStringLiteral("xx-YY"), QStringLiteral("fr-FR"), list),
                 QStringLiteral("xx-YY"));
        QCOMPARE(choose(QString(), QStringLiteral("fr-FR"), list), QStringLiteral("fr-FR"));
        QCOMPARE(choose(std::nullopt, QStringLiteral("de-DE"), list), QStringLiteral("en-US"));
        QCOMPARE(choose(std::nullopt, QStringLiteral("fr-CA"), list), QStringLiteral("en-US"));
        const std::vector<Transcriber::Language> offline{
            {QStringLiteral("de-DE"), QStringLiteral("German (Germany)"), false}};
        QCOMPARE(choose(std::nullopt, QStringLiteral("de-DE"), offline), QStringLiteral("en-US"));
        QCOMPARE(choose(std::nullopt, QStringLiteral("de-DE"), {}), QStringLiteral("en-US"));

        // The instance asks the current locale.
        const QLocale before;
        QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
        QCOMPARE(Transcriber::currentLocaleIdentifier(), QStringLiteral("de-DE"));
        Fixture german({{QStringLiteral("en-US"), true}, {QStringLiteral("de-DE"), true}});
        QCOMPARE(german.transcriber->preferredLanguage(std::nullopt), QStringLiteral("de-DE"));
        Fixture without({{QStringLiteral("fr-FR"), true}, {QStringLiteral("de-DE"), false}});
        QCOMPARE(without.transcriber->preferredLanguage(std::nullopt), QStringLiteral("fr-FR"));
        QLocale::setDefault(before);
    }

    void authorization() {
        QVERIFY(waitForTask(Fixture().transcriber->authorize()));
        QVERIFY(!waitForTask(
            Fixture({}, std::make_unique<RefusingAuthorizer>()).transcriber->authorize()));
    }
};

QTEST_GUILESS_MAIN(TranscriberTest)
#include "TranscriberTest.moc"
