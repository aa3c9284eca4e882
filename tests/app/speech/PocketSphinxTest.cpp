#include "base/TextConfidence.h"
#include "media/EnergyProfile.h"
#include "speech/HeardWords.h"
#include "speech/PocketSphinxEngine.h"
#include "speech/SentenceFinder.h"
#include "speech/SpeechRegions.h"
#include "speech/SphinxRecognition.h"
#include "speech/Transcriber.h"
#include "SpeechTestSupport.h"
#include "split/SilenceSplitter.h"
#include "split/TranscriptSplitter.h"
#include "TestMedia.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <numeric>

namespace {

const QStringList spoken{
    QStringLiteral("My brother bought a new car last week."),
    QStringLiteral("She reads a book every night before she goes to sleep."),
    QStringLiteral("The weather was cold and windy this morning."),
    QStringLiteral("We are going to visit our friends in the city tomorrow."),
};

QStringList wordsOf(const QString& text) {
    return text.toLower()
        .remove(QRegularExpression(QStringLiteral("[^a-z' \n]")))
        .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// Words inserted, left out or replaced in what was heard of what was said (the edit distance).
int wordErrors(const QString& saidText, const QString& heardText) {
    const QStringList said = wordsOf(saidText), heard = wordsOf(heardText);
    std::vector<int> previous(size_t(heard.size()) + 1), current(previous.size());
    std::iota(previous.begin(), previous.end(), 0);
    for (qsizetype i = 1; i <= said.size(); ++i) {
        current[0] = int(i);
        for (qsizetype j = 1; j <= heard.size(); ++j)
            current[size_t(j)] =
                std::min({previous[size_t(j)] + 1, current[size_t(j) - 1] + 1,
                          previous[size_t(j) - 1] + (said[i - 1] == heard[j - 1] ? 0 : 1)});
        std::swap(previous, current);
    }
    return previous.back();
}

template <typename Items> QString textOf(const Items& items) {
    QStringList texts;
    for (const auto& item : items)
        texts += std::optional<QString>(item.text).value_or(QString()); // words' or sentences'
    return texts.join(u' ');
}

// Debian's pocketsphinx-testdata: five sentences of a LibriVox audiobook and their text.
const QString librivox = QStringLiteral("/usr/share/pocketsphinx/test/data/librivox");

// Writes the LibriVox sentences to one file, each after 0.8 s of silence; gives their text.
QString librivoxReading(const QString& path) {
    QFile transcription(librivox + QStringLiteral("/transcription"));
    if (!transcription.open(QIODevice::ReadOnly))
        return {};
    const QString gap = TestMedia::tone(QFileInfo(path).path(), QStringLiteral("gap.wav"), 0.8,
                                        SphinxDecoder::sampleRate, 1, 0, 0);
    QString text;
    QStringList parts;
    // Lines like "<s> he was not an ill disposed young man </s> (…-0880)".
    for (const QString& line : QString::fromUtf8(transcription.readAll()).split(u'\n')) {
        const qsizetype id = line.lastIndexOf(u'(');
        if (id < 0)
            continue;
        text += line.left(id).remove(QStringLiteral("<s>")).remove(QStringLiteral("</s>"));
        parts << gap << librivox + u'/' + line.mid(id + 1).chopped(1) + QStringLiteral(".wav");
    }
    TestMedia::run(QStringLiteral("sox"), parts << path);
    return text;
}

// Everything one recognition told its delegate, in order.
std::vector<RecognitionEvent> eventsOf(RecognitionEngine& engine, const QString& path,
                                       double from = 0) {
    RecognitionEventStream stream;
    const auto task = engine.start(path, QStringLiteral("en-US"), from,
                                   RecognitionDelegate(stream.continuation()));
    std::vector<RecognitionEvent> events;
    while (std::optional<RecognitionEvent> event = waitForTask(stream.next()))
        events.push_back(std::move(*event));
    return events;
}

} // namespace

// The real recogniser end to end. Recognition under the sanitizers is slow: the spoken sentences
// are recognised once with one decoder from the start, and once with two from the third sentence
// (the file's second half-minute), and the tests share what they told.
class PocketSphinxTest final : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    TestMedia::Speech m_speech;
    std::vector<RecognitionEvent> m_events[2]; // with one decoder, with two

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_folder.isValid());
        m_speech = TestMedia::speech(m_folder.path(), "speech.wav", spoken, 10.0);
        for (const int decoders : {1, 2}) {
            PocketSphinxEngine engine(decoders);
            m_events[decoders - 1] =
                eventsOf(engine, m_speech.path, decoders == 1 ? 0 : m_speech.sentences[2].start);
        }
    }

    void modelsAndTokens() {
        for (const auto& [token, word] : {std::pair("read(2)", "read"),
                                          {"a(b)", "a(b)"},
                                          {"<s>", ""},
                                          {"[NOISE]", ""},
                                          {"++BREATH++", ""}})
            QCOMPARE(SphinxDecoder::wordOf(token), QString::fromLatin1(word));
        const PocketSphinxEngine engine;
        // Debian's pocketsphinx-en-us serves en-US.
        QVERIFY(engine.model("en-US").value().languageModel.endsWith("/en-us.lm.bin"));
        QVERIFY(!engine.isOnDevice("xx-YY"));
        // A folder needs all three parts; the acoustic model may sit in a folder of its own.
        const QString folder = m_folder.filePath("model");
        QDir().mkpath(folder + "/acoustic");
        TestMedia::textFile(folder + "/acoustic/mdef", "x");
        TestMedia::textFile(folder + "/words.lm.bin", "x");
        QVERIFY(!PocketSphinxEngine::modelIn(folder));
        TestMedia::textFile(folder + "/words.dict", "x");
        QCOMPARE(PocketSphinxEngine::modelIn(folder).value().acousticModel, folder + "/acoustic");
    }

    // Progress never goes back, comes at least twice per second of speech and ends at the file's
    // end; one final with words per spoken sentence, the finals' stretches covering the file once,
    // then the end. From the start the finals come in time
    // order; from a later sentence, that sentence's first. The words are mostly right, each in a
    // spoken stretch with the decoder's posterior, and the same whichever the order and decoders.
    void recognisesSpokenSentences() {
        const double speech = std::accumulate(
            m_speech.sentences.begin(), m_speech.sentences.end(), 0.0,
            [](double sum, const TimeRange& sentence) { return sum + sentence.duration(); });
        std::vector<Word> finals[2];
        for (const int i : {0, 1}) {
            QCOMPARE(m_events[i].back(), RecognitionEvent::finished(true));
            double last = 0, covered = 0;
            int partials = 0, results = 0;
            for (const RecognitionEvent& event : m_events[i]) {
                if (const auto* partial = std::get_if<RecognitionEvent::Partial>(&event.value)) {
                    QVERIFY(partial->seconds >= last);
                    last = partial->seconds;
                    ++partials;
                } else if (const auto* final_ =
                               std::get_if<RecognitionEvent::Final>(&event.value)) {
                    finals[i].insert(finals[i].end(), final_->words.begin(), final_->words.end());
                    results += final_->words.empty() ? 0 : 1;
                    covered += final_->covered.value().duration();
                }
            }
            QVERIFY(qAbs(last - TestMedia::duration(m_speech.path)) < 0.01);
            QVERIFY(qAbs(covered - TestMedia::duration(m_speech.path)) < 0.01);
            QVERIFY(partials >= 2 * speech);
            QCOMPARE(results, spoken.size());
        }
        double previous = 0;
        for (const Word& word : finals[0]) {
            QVERIFY(word.confidence && *word.confidence >= 0 && *word.confidence <= 1);
            QVERIFY(word.start >= previous);
            previous = word.start;
            // Inside a spoken stretch, give or take the decoder's frames.
            QVERIFY2(std::any_of(m_speech.sentences.begin(), m_speech.sentences.end(),
                                 [&](const TimeRange& s) {
                                     return word.start >= s.start - 0.1 &&
                                            word.end() <= s.end + 0.1;
                                 }),
                     qPrintable(QStringLiteral("%1 at %2").arg(word.text).arg(word.start)));
        }
        QVERIFY2(wordErrors(spoken.join(u' '), textOf(finals[0])) <
                     wordsOf(spoken.join(u' ')).size() / 2,
                 qPrintable(textOf(finals[0])));
        // Posteriors may differ a little (measured: up to 0.013) with what a decoder decoded
        // before.
        const Word firstLater = finals[1].front();
        QVERIFY2(firstLater.start >= m_speech.sentences[2].start - 0.1 &&
                     firstLater.end() <= m_speech.sentences[2].end + 0.1,
                 qPrintable(firstLater.text));
        std::stable_sort(finals[1].begin(), finals[1].end(),
                         [](const Word& a, const Word& b) { return a.start < b.start; });
        QCOMPARE(finals[1].size(), finals[0].size());
        for (size_t i = 0; i < finals[0].size(); ++i) {
            QVERIFY(qAbs(*finals[0][i].confidence - finals[1][i].confidence.value_or(9)) < 0.05);
            finals[1][i].confidence = finals[0][i].confidence;
        }
        QCOMPARE(finals[1], finals[0]);
    }

    void regionsOutward_data() {
        QTest::addColumn<double>("length"); // seconds; unknown when negative
        QTest::addColumn<double>("focus");
        QTest::addColumn<QString>("order");
        QTest::newRow("from the start") << 150.0 << 0.0 << "0 1 2 3 4";
        QTest::newRow("from the middle, later first") << 150.0 << 70.0 << "2 3 1 4 0";
        QTest::newRow("past the end") << 150.0 << 900.0 << "4 3 2 1 0";
        QTest::newRow("length unknown: file order") << -1.0 << 70.0 << "0 1 2 3 4";
    }
    // Regions are read nearest the focus first, and meet at the quiet moment near their boundary.
    void regionsOutward() {
        QFETCH(double, length);
        QFETCH(double, focus);
        QFETCH(QString, order);
        SpeechRegions regions(length < 0 ? std::nullopt : std::optional(size_t(length * 16000)));
        QStringList taken;
        while (taken.size() < 5)
            taken << QString::number(regions.takeNearest(focus).value_or(99));
        QCOMPARE(taken.join(u' '), order);
        // Loud everywhere but for a third of a second from 31 s.
        std::vector<int16_t> window(size_t(8 * 16000), 8000);
        std::fill_n(window.begin() + 5 * 16000, 16000 * 3 / 10, int16_t(0));
        QCOMPARE(SpeechRegions::quietestCut(window, 26 * 16000, 30 * 16000),
                 size_t(31 * 16000 + 2400));
    }

    void shortSentencesAfterSilence_data() {
        QTest::addColumn<QString>("format"); // of a file with exact zeros, or a faint noise floor
        QTest::addColumn<double>("pause");
        QTest::newRow("zeros wav 20 s") << QStringLiteral("wav") << 20.0;
        QTest::newRow("noise floor mp3 2 s") << QStringLiteral("mp3") << 2.0;
    }
    // Short sentences at the start, in the middle and at the end, between long pauses (exact
    // zeros as in edited videos, or a faint noise floor), are never lost, and are recognised
    // about as well as by PocketSphinx's own tool.
    void shortSentencesAfterSilence() {
        QFETCH(QString, format);
        QFETCH(double, pause);
        const QStringList said{"Yes.", "Good morning.", "Thank you.", "See you soon.", "Banana."};
        const TestMedia::Speech speech =
            TestMedia::speech(m_folder.path(), format + ".zeros.wav", said, pause);
        const QStringList noiseFloor{"-af", "aeval=val(0)+0.004*(2*random(0)-1)"};
        const QString path = TestMedia::convert(speech.path, m_folder.filePath("short." + format),
                                                format == u"wav" ? QStringList() : noiseFloor);
        const EnergyProfile profile = EnergyProfile::read(path, 0.01);
        Transcriber transcriber;
        const SentenceFinder::Outcome outcome =
            waitForTask(SentenceFinder::find(&transcriber, path, "en-US", profile.duration(),
                                             SilenceSplitter::soundStretches(profile), nullptr));
        QVERIFY2(outcome.sentences, qPrintable(outcome.notice.value_or(QString())));
        // Each short sentence lies at least half inside one sentence (an MP3 starts a little
        // late).
        for (const size_t index : {0, 2, 4}) {
            const TimeRange clip = speech.sentences[index];
            QVERIFY2(std::any_of(outcome.sentences->begin(), outcome.sentences->end(),
                                 [&](const Sentence& s) {
                                     return std::min(s.end, clip.end + 0.1) -
                                                std::max(s.start, clip.start) >=
                                            clip.duration() / 2;
                                 }),
                     qPrintable(said[qsizetype(index)]));
        }
        const QString tool16k =
            TestMedia::convert(path, m_folder.filePath(format + ".16k.wav"),
                               {"-ar", "16000", "-ac", "1", "-c:a", "pcm_s16le"});
        const QString heard = textOf(*outcome.sentences),
                      toolHeard = QString::fromUtf8(TestMedia::run(
                          "pocketsphinx_continuous", {"-infile", tool16k, "-logfn", "/dev/null"}));
        qInfo() << heard << "| the tool:" << toolHeard;
        // At most one word more wrong than the engine's own tool.
        QVERIFY(wordErrors(said.join(u' '), heard) <= wordErrors(said.join(u' '), toolHeard) + 1);
    }

    // quellin-cli on the same speech, an MP3 this time: one
    // sentence with text per spoken sentence. It also lists the languages and where their models
    // go.
    void cliFindsSentencesWithText() {
        const QString cli = qEnvironmentVariable("QUELLIN_CLI");
        const QString mp3 = TestMedia::convert(m_speech.path, m_folder.filePath("speech.mp3"));
        const QJsonObject result =
            QJsonDocument::fromJson(
                TestMedia::run(cli, {"sentences", mp3, "--language", "en-US", "--format", "json"},
                               1200000))
                .object();
        QCOMPARE(result.value("method").toObject(), SplitMethod::speech("en-US").toJson());
        QVERIFY(!result.contains("notice"));
        const QJsonArray sentences = result.value("sentences").toArray();
        QCOMPARE(sentences.size(), spoken.size());
        for (qsizetype i = 0; i < sentences.size(); ++i) {
            const Sentence sentence = Sentence::fromJson(sentences[i]);
            const TimeRange said = m_speech.sentences[size_t(i)];
            QVERIFY2(sentence.text && wordsOf(*sentence.text).size() >= 4 &&
                         qAbs(sentence.start - said.start) < 0.4 &&
                         qAbs(sentence.end - said.end) < 0.4,
                     qPrintable(sentence.text.value_or("?")));
        }
        const QStringList languages =
            QString::fromUtf8(TestMedia::run(cli, {"languages"})).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(languages.size() >= 9);
        QCOMPARE(languages.first().section(u'\t', 0, 2),
                 "en-US\tEnglish (United States)\ton device");
        QVERIFY(languages.contains("de-DE\tGerman (Germany)\tnot on device\t" +
                                   PocketSphinxEngine().modelFolder("de-DE")));
    }

    // Takes in another voice, heard against their own sentence and against another: most words
    // heard, then few. A number in digits can't be checked; nothing without a model or words.
    void hearsTheSentencesWords() {
        const auto share = [&](int said, int against) {
            const QString take = TestMedia::speech(m_folder.path(), QString("take%1.wav").arg(said),
                                                   {spoken[said]}, 0.3, "en+f2", {"-s", "190"})
                                     .path;
            const auto words = HeardWords::hear(spoken[against] + " 1984", "en-US", take);
            if (!words || words->back().heard)
                return -1.0;
            return std::count_if(words->begin(), words->end(),
                                 [](const auto& word) { return word.heard == true; }) /
                   double(words->size() - 1);
        };
        QVERIFY(share(0, 0) + share(2, 2) >= 2 * 0.8);
        QVERIFY(share(0, 2) + share(2, 0) <= 2 * 0.3);
        QVERIFY(!HeardWords::hear(spoken[0], "xx-YY", m_speech.path));
        QVERIFY(!HeardWords::hear(" — ", "en-US", m_speech.path));
        QCOMPARE(HeardWords::wordsOf("“Well,” he said — it’s 42!"),
                 QStringList({"Well", "he", "said", "it’s", "42"}));
        QCOMPARE(HeardWords::dictionarySpelling("It’s"), "it's");
    }

    // A clear failure, or none for silence; never a crash.
    void silenceAndBadInput() {
        Transcriber transcriber;
        const PocketSphinxEngine engine;
        const auto outcome = [&](const QString& path, const QString& language) {
            try {
                const auto words = waitForTask(transcriber.transcribe(path, language, nullptr));
                return QStringLiteral("%1 words").arg(words.size());
            } catch (const Transcriber::Failure& failure) {
                return failure.description();
            }
        };
        QCOMPARE(
            outcome(TestMedia::tone(m_folder.path(), "silent.wav", 3.0, 44100, 1, 0, 0), "en-US"),
            QStringLiteral("0 words"));
        QCOMPARE(
            outcome(TestMedia::textFile(m_folder.filePath("notes.mp3"), "not sounds"), "en-US"),
            QStringLiteral("This file can’t be read as audio or video."));
        QCOMPARE(outcome(m_speech.path, "de-DE"),
                 QStringLiteral("On-device recognition for German (Germany) isn’t on this "
                                "computer. Put its speech model in %1, then choose Find "
                                "Sentences Again.")
                     .arg(engine.modelFolder("de-DE")));
        // A model folder whose files are not a model.
        const QString folder = engine.modelFolder("fr-FR");
        QDir().mkpath(folder + "/fr");
        for (const char* file : {"/fr/mdef", "/fr.lm.bin", "/fr.dict"})
            TestMedia::textFile(folder + file, "not a model");
        const QString broken = outcome(m_speech.path, "fr-FR");
        QDir(folder).removeRecursively();
        QCOMPARE(broken,
                 QStringLiteral("The speech model in %1/fr couldn’t be loaded.").arg(folder));
    }

    // The file-level verdict against the share of words recognised wrongly: real speech, and
    // another language recognised as English.
    void verdictFollowsWordErrorRate_data() {
        QTest::addColumn<QStringList>("text"); // spoken in German; LibriVox's reading when empty
        QTest::addColumn<bool>("reliable");
        QTest::newRow("LibriVox") << QStringList() << true;
        QTest::newRow("German as English")
            << QStringList{"Mein Bruder hat letzte Woche ein neues Auto gekauft.",
                           "Sie liest jeden Abend ein Buch, bevor sie schlafen geht.",
                           "Das Wetter war heute Morgen kalt und windig.",
                           "Morgen besuchen wir unsere Freunde in der Stadt."}
            << false;
    }
    void verdictFollowsWordErrorRate() {
        QFETCH(QStringList, text);
        QFETCH(bool, reliable);
        QString said = text.join(u' ');
        QString path = m_folder.filePath("librivox.wav");
        if (!text.isEmpty())
            path = TestMedia::speech(m_folder.path(), "de.wav", text, 0.8, "de").path;
        else if (!QFileInfo::exists(librivox))
            QSKIP("Debian's pocketsphinx-testdata is not installed (scripts/setup installs it).");
        else
            said = librivoxReading(path);
        Transcriber transcriber;
        const std::vector<Word> words = waitForTask(transcriber.transcribe(path, "en-US", nullptr));
        const double errors =
            double(wordErrors(said, textOf(words))) / double(wordsOf(said).size());
        const std::vector<Sentence> sentences = TranscriptSplitter().sentences(words, 0);
        qInfo().noquote() << "word error rate" << errors << "confidence"
                          << TextConfidence::fileConfidence(sentences).value_or(-1);
        // The row is what it claims to be: most words right, or most wrong.
        QCOMPARE(errors < 0.5, reliable);
        QCOMPARE(TextConfidence::textReliable(sentences), reliable);
    }

    void cancellingStopsPromptly() {
        Transcriber transcriber;
        std::stop_source stop;
        FakeModel model;
        auto task = transcriber.transcribe(m_speech.path, "en-US", &model, stop.get_token());
        QTRY_VERIFY_WITH_TIMEOUT(model.seconds > 1, 60000); // recognition is under way
        QElapsedTimer clock;
        clock.start();
        stop.request_stop();
        QVERIFY(failureOf<OperationCancelled>(std::move(task)));
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));

        // Destroying the engine cancels its recognitions and waits for every thread of them,
        // though their holder still holds them: none runs on after the application.
        const auto threads = [] { return QDir(QStringLiteral("/proc/self/task")).count(); };
        const qsizetype before = threads();
        auto engine = std::make_unique<PocketSphinxEngine>(2);
        RecognitionEventStream stream;
        const auto held = engine->start(m_speech.path, QStringLiteral("en-US"), 0,
                                        RecognitionDelegate(stream.continuation()));
        QTRY_VERIFY(threads() > before);
        engine.reset();
        QVERIFY(threads() <= before);
    }
};

QTEST_GUILESS_MAIN(PocketSphinxTest)
#include "PocketSphinxTest.moc"
