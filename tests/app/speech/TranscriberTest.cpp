#include "SpeechTestSupport.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QTest>
#include <QThread>

using namespace std::chrono_literals;
using Script = std::vector<ScriptedEngine::Step>;

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

struct Fixture : ScriptedTranscriber {
    using ScriptedTranscriber::ScriptedTranscriber;
    QCoro::Task<std::vector<Word>> transcribe(QObject* model = nullptr, std::stop_token stop = {}) {
        return transcriber.transcribe("/sound.m4a", QStringLiteral("en-US"), model, stop);
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
        expected[0].confidence = 0.9; // the recogniser's
        QCOMPARE(sentence.words(), expected);
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
    }

    void whatTheEngineSays() {
        // The words heard, or the failure, and the seconds heard shown to the model.
        const auto outcome = [](Script script, std::optional<double> leaveAt = {}) {
            Fixture fixture;
            fixture.engine->setScript(std::move(script));
            FakeModel model;
            model.leaveAt = leaveAt;
            QStringList heard;
            try {
                heard = texts(waitForTask(fixture.transcribe(&model)));
            } catch (const Transcriber::Failure& failure) {
                heard = QStringList{"failed:", failure.description()};
            }
            for (const double seconds : model.shown)
                heard += QString::number(seconds) + u's';
            return heard.join(u' ');
        };
        // Results merge in time order: the second replaces what it covers again (from 11.99 s);
        // a hypothesis without time says nothing, and progress only goes forward.
        QCOMPARE(outcome({ScriptedEngine::hypothesis({word("the", 0.5), word("cat", 1.0)}),
                          ScriptedEngine::hypothesis({word("uh", 0.0)}),
                          ScriptedEngine::result({word("The", 0.5), word("cat", 1.0),
                                                  word("sat", 11.0), word("down", 12.5)}),
                          ScriptedEngine::reached(3.0),
                          ScriptedEngine::result({word("Down", 12.0), word("here", 14.0)}),
                          ScriptedEngine::finish(true)}),
                 QStringLiteral("The cat sat Down here 1.4s 12.9s 14.4s"));
        // Recognised outward from a later place, a result may come before the words it precedes.
        QCOMPARE(outcome({ScriptedEngine::result({word("later", 12.0)}),
                          ScriptedEngine::result({word("earlier", 1.0)}),
                          ScriptedEngine::finish(true)}),
                 QStringLiteral("earlier later 12.4s"));
        // A failure before any word is the recogniser's message; after words, the words stand.
        QCOMPARE(
            outcome({ScriptedEngine::reached(2.0), ScriptedEngine::finish(false, "It broke.")}),
            QStringLiteral("failed: It broke. 2s"));
        QCOMPARE(outcome({ScriptedEngine::result({word("kept", 1.0)}),
                          ScriptedEngine::finish(false, "It broke.")}),
                 QStringLiteral("kept 1.4s"));
        // Nothing heard, white space heard, an unexplained failure: no words, no error.
        QCOMPARE(outcome({{0ms,
                           [](const RecognitionDelegate& delegate) {
                               delegate.recognized({"  \n", {{0, 3, 1, 1, {}}}});
                           }},
                          ScriptedEngine::finish(false)}),
                 QString());
        // A model that moves on (the user opened another file) is no longer told.
        QCOMPARE(outcome({ScriptedEngine::reached(1.0), ScriptedEngine::reached(2.0),
                          ScriptedEngine::reached(3.0), ScriptedEngine::result({word("late", 3.5)}),
                          ScriptedEngine::finish(true)},
                         2.0),
                 QStringLiteral("late 1s 2s"));
        // What comes after the end is ignored.
        QCOMPARE(outcome({ScriptedEngine::result({word("one", 1.0)}), ScriptedEngine::finish(true),
                          ScriptedEngine::result({word("late", 5.0)}),
                          ScriptedEngine::finish(false, "late failure")}),
                 QStringLiteral("one 1.4s"));
    }

    // cancel(), a stop request and starting again each end the awaiting task at once with the
    // cancellation; late results never reach the model or the next recognition.
    void cancellation() {
        Fixture fixture;
        fixture.engine->setScript({ScriptedEngine::result({word("early", 1.0)}),
                                   ScriptedEngine::result({word("late", 5.0)}, 10s),
                                   ScriptedEngine::finish(true)});
        FakeModel model;
        auto cancelled = fixture.transcribe(&model);
        QTRY_COMPARE(model.shown, std::vector<double>{1.4});
        QVERIFY(fixture.transcriber.isRecognising());
        QElapsedTimer clock;
        clock.start();
        fixture.transcriber.cancel();
        QVERIFY(!fixture.transcriber.isRecognising());
        QVERIFY(failureOf<OperationCancelled>(std::move(cancelled)));
        QVERIFY(clock.elapsed() < 5000);

        std::stop_source stop;
        auto stopped = fixture.transcribe(nullptr, stop.get_token());
        QTRY_VERIFY(fixture.engine->started() == 2);
        stop.request_stop();
        QVERIFY(failureOf<OperationCancelled>(std::move(stopped)));

        auto first = fixture.transcribe();
        fixture.engine->setScript(
            {ScriptedEngine::result({word("second", 2.0)}), ScriptedEngine::finish(true)});
        auto second = fixture.transcriber.transcribe("/b.m4a", QStringLiteral("en-US"), nullptr);
        QVERIFY(failureOf<OperationCancelled>(std::move(first)));
        QCOMPARE(texts(waitForTask(std::move(second))), QStringList{QStringLiteral("second")});
        QCOMPARE(model.shown, std::vector<double>{1.4});

        // A model deleted while recognition runs is simply no longer told.
        auto* doomed = new FakeModel;
        fixture.engine->setScript({ScriptedEngine::reached(1.0),
                                   ScriptedEngine::result({word("gone", 1.0)}, 50ms),
                                   ScriptedEngine::finish(true)});
        auto task = fixture.transcribe(doomed);
        delete doomed;
        QCOMPARE(texts(waitForTask(std::move(task))), QStringList{QStringLiteral("gone")});
    }

    void noEventIsLostWhileTheMainThreadIsBusy() {
        Fixture fixture;
        Script script;
        constexpr int count = 3000;
        for (int i = 0; i < count; ++i) {
            script.push_back(ScriptedEngine::reached(i * 0.5 + 0.2));
            script.push_back(ScriptedEngine::result({word("w", i * 0.5)}));
        }
        script.push_back(ScriptedEngine::finish(true));
        fixture.engine->setScript(std::move(script));
        FakeModel model;
        auto task = fixture.transcribe(&model);
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
        QCOMPARE(fixture.transcriber.languages(), expected);
        // One not on the device starts nothing.
        for (const char* language : {"fr-FR", "xx-YY"}) {
            auto failure = failureOf<Transcriber::Failure>(
                fixture.transcriber.transcribe("/a.m4a", language, nullptr));
            QCOMPARE(failure.value().kind(), Transcriber::Failure::Kind::notOnDevice);
        }
        QCOMPARE(fixture.engine->started(), 0);
        QCOMPARE(Transcriber::displayName("zh-Hans-CN"), QStringLiteral("Chinese (China)"));
        // The saved choice, else the locale's language when on the device, else en-US (or the
        // first on the device without it).
        const QLocale before;
        QLocale::setDefault(QLocale("de_DE"));
        QCOMPARE(fixture.transcriber.preferredLanguage("xx-YY"), QStringLiteral("xx-YY"));
        QCOMPARE(fixture.transcriber.preferredLanguage(QString()), QStringLiteral("de-DE"));
        Fixture without({{"fr-FR", true}, {"de-DE", false}});
        QCOMPARE(without.transcriber.preferredLanguage(std::nullopt), QStringLiteral("fr-FR"));
        QLocale::setDefault(QLocale("fr_FR"));
        QCOMPARE(fixture.transcriber.preferredLanguage(std::nullopt), QStringLiteral("en-US"));
        QLocale::setDefault(before);
    }
};

QTEST_GUILESS_MAIN(TranscriberTest)
#include "TranscriberTest.moc"
