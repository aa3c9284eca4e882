#include "base/TextConfidence.h"
#include "media/EnergyProfile.h"
#include "speech/PocketSphinxEngine.h"
#include "speech/SentenceFinder.h"
#include "speech/SphinxRecognition.h"
#include "speech/Transcriber.h"
#include "SpeechTestSupport.h"
#include "split/SilenceSplitter.h"
#include "split/TranscriptSplitter.h"
#include "TestMedia.h"
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
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
        .replace(QLatin1Char('\n'), QLatin1Char(' '))
        .remove(QRegularExpression(QStringLiteral("[^a-z' ]")))
        .split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// Words inserted, left out or replaced, per word said (the word error rate).
double wordErrorRate(const QStringList& said, const QStringList& heard) {
    std::vector<qsizetype> previous(heard.size() + 1);
    std::vector<qsizetype> current(heard.size() + 1);
    std::iota(previous.begin(), previous.end(), 0);
    for (qsizetype i = 1; i <= said.size(); ++i) {
        current[0] = i;
        for (qsizetype j = 1; j <= heard.size(); ++j)
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1,
                                   previous[j - 1] + (said[i - 1] == heard[j - 1] ? 0 : 1)});
        std::swap(previous, current);
    }
    return double(previous[heard.size()]) / double(said.size());
}

// Debian's pocketsphinx-testdata: five sentences of a LibriVox audiobook and their text.
const QString librivox = QStringLiteral("/usr/share/pocketsphinx/test/data/librivox");

// Writes the LibriVox sentences to one file, each after 0.8 s of silence; gives their text.
QString librivoxReading(const QString& path) {
    QFile transcription(librivox + QStringLiteral("/transcription"));
    if (!transcription.open(QIODevice::ReadOnly))
        return {};
    const QString gap = TestMedia::silence(QFileInfo(path).path(), QStringLiteral("gap.wav"), 0.8,
                                           SphinxDecoder::sampleRate);
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
    TestSupport::run(QStringLiteral("sox"), parts << path);
    return text;
}

// Everything one recognition told its delegate, in order.
std::vector<RecognitionEvent> eventsOf(RecognitionEngine& engine, const QString& path) {
    RecognitionEventStream stream;
    const auto task =
        engine.start(path, QStringLiteral("en-US"), RecognitionDelegate(stream.continuation()));
    std::vector<RecognitionEvent> events;
    while (std::optional<RecognitionEvent> event = waitForTask(stream.next()))
        events.push_back(std::move(*event));
    return events;
}

} // namespace

class PocketSphinxTest final : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    TestMedia::Speech m_speech;
    QString m_mp3;

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_folder.isValid());
        m_speech = TestMedia::speech(m_folder.path(), QStringLiteral("speech.wav"), spoken, 1.0);
        m_mp3 = TestMedia::convert(m_speech.path, m_folder.filePath(QStringLiteral("speech.mp3")));
    }

    void tokensBecomeWords() {
        QCOMPARE(SphinxDecoder::wordOf("read(2)"), QStringLiteral("read"));
        QCOMPARE(SphinxDecoder::wordOf("hello"), QStringLiteral("hello"));
        QCOMPARE(SphinxDecoder::wordOf("(12)"), QStringLiteral("(12)"));
        QCOMPARE(SphinxDecoder::wordOf("a(b)"), QStringLiteral("a(b)"));
        for (const char* filler : {"<s>", "</s>", "<sil>", "[NOISE]", "++BREATH++", "[SPEECH]"})
            QCOMPARE(SphinxDecoder::wordOf(filler), QString());
    }

    void modelsAndLanguages() {
        const PocketSphinxEngine engine;
        // Debian's pocketsphinx-en-us serves en-US; the user's folder follows XDG_DATA_HOME.
        QVERIFY(engine.isOnDevice(QStringLiteral("en-US")));
        QVERIFY(engine.model(QStringLiteral("en-US"))
                    ->languageModel.endsWith(QStringLiteral("/en-us.lm.bin")));
        QCOMPARE(engine.modelFolder(QStringLiteral("de-DE")),
                 QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                     QStringLiteral("/Quellin/Models/de-DE"));
        QVERIFY(!engine.isOnDevice(QStringLiteral("xx-YY")));

        // A folder needs all three parts; the acoustic model may sit in a folder of its own.
        const QString folder = m_folder.filePath(QStringLiteral("model"));
        QDir().mkpath(folder + QStringLiteral("/acoustic"));
        TestMedia::textFile(folder + QStringLiteral("/acoustic/mdef"), "x");
        TestMedia::textFile(folder + QStringLiteral("/words.lm.bin"), "x");
        QVERIFY(!PocketSphinxEngine::modelIn(folder));
        TestMedia::textFile(folder + QStringLiteral("/words.dict"), "x");
        const auto model = PocketSphinxEngine::modelIn(folder);
        QVERIFY(model);
        QCOMPARE(model->acousticModel, folder + QStringLiteral("/acoustic"));
        QVERIFY(!PocketSphinxEngine::modelIn(m_folder.filePath(QStringLiteral("none"))));

        // A language without a model: the transcriber refuses with the folder to put it in.
        Transcriber transcriber;
        const QList<QString> onDevice = [&] {
            QList<QString> ids;
            for (const auto& language : transcriber.languages())
                if (language.onDevice)
                    ids.append(language.id);
            return ids;
        }();
        QVERIFY(onDevice.contains(QStringLiteral("en-US")));
        QCOMPARE(transcriber.languages().front().id, onDevice.front());
        auto failure = failureOf<Transcriber::Failure>(
            transcriber.transcribe(m_speech.path, QStringLiteral("de-DE"), nullptr));
        QVERIFY(failure);
        QCOMPARE(failure->description(),
                 QStringLiteral("On-device recognition for German (Germany) isn’t on this "
                                "computer. Put its speech model in %1, then choose Find "
                                "Sentences Again.")
                     .arg(engine.modelFolder(QStringLiteral("de-DE"))));
    }

    void recognisesSpokenSentences() {
        Transcriber transcriber;
        for (const QString& path : {m_speech.path, m_mp3}) {
            const std::vector<Word> words =
                waitForTask(transcriber.transcribe(path, QStringLiteral("en-US"), nullptr));
            QStringList heard;
            for (const Word& word : words) {
                heard += wordsOf(word.text);
                QVERIFY(word.confidence >= 0.0 && word.confidence <= 1.0); // the decoder's
                // Every word lies inside a spoken stretch (give or take the decoder's frames).
                const bool inside = std::any_of(
                    m_speech.sentences.begin(), m_speech.sentences.end(), [&](const TimeRange& s) {
                        return word.start >= s.start - 0.1 && word.end() <= s.end + 0.1;
                    });
                QVERIFY2(inside, qPrintable(QStringLiteral("%1 at %2–%3")
                                                .arg(word.text)
                                                .arg(word.start)
                                                .arg(word.end())));
            }
            QVERIFY(std::is_sorted(words.begin(), words.end(),
                                   [](const Word& a, const Word& b) { return a.start < b.start; }));
            const QStringList said = wordsOf(spoken.join(QLatin1Char(' ')));
            const double errors = wordErrorRate(said, heard);
            qInfo() << path << "word error rate" << errors << ":" << heard.join(u' ');
            QVERIFY2(errors < 0.5, qPrintable(heard.join(u' ')));
        }
    }

    void shortSentencesAfterSilence_data() {
        QTest::addColumn<QString>("placement");
        QTest::addColumn<bool>("noiseFloor");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("said");
        QTest::addColumn<double>("pause");
        const QStringList words{QStringLiteral("Yes."), QStringLiteral("Thank you."),
                                QStringLiteral("Banana.")};
        const double pauses[] = {20, 2, 12, 6};
        int row = 0;
        for (const char* placement : {"start", "middle", "end"})
            for (const bool noiseFloor : {false, true})
                for (const char* format : {"wav", "mp3"}) {
                    const QString said = words[row % words.size()];
                    const double pause = pauses[row % 4];
                    QTest::addRow("%s %s %s %s %g s", placement,
                                  noiseFloor ? "noise floor" : "zeros", format, qPrintable(said),
                                  pause)
                        << QString::fromLatin1(placement) << noiseFloor
                        << QString::fromLatin1(format) << said << pause;
                    ++row;
                }
    }

    // A short sentence between long pauses (exact zeros as in edited videos, or a faint noise
    // floor) is never lost, and is recognised about as well as by PocketSphinx's own tool.
    void shortSentencesAfterSilence() {
        QFETCH(QString, placement);
        QFETCH(bool, noiseFloor);
        QFETCH(QString, format);
        QFETCH(QString, said);
        QFETCH(double, pause);
        const QString before = QStringLiteral("Good morning.");
        const QString after = QStringLiteral("See you soon.");
        const QStringList sentences = placement == u"start"    ? QStringList{said, after}
                                      : placement == u"middle" ? QStringList{before, said, after}
                                                               : QStringList{before, said};
        const qsizetype index = sentences.indexOf(said);
        const QString name = QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-');
        const TestMedia::Speech speech = TestMedia::speech(
            m_folder.path(), name + QStringLiteral(".zeros.wav"), sentences, pause);
        QString path = speech.path;
        if (noiseFloor)
            path = TestMedia::convert(
                path, m_folder.filePath(name + QStringLiteral(".noise.wav")),
                {QStringLiteral("-af"), QStringLiteral("aeval=val(0)+0.004*(2*random(0)-1)")});
        path = TestMedia::convert(path, m_folder.filePath(name + u'.' + format));

        const EnergyProfile profile = EnergyProfile::read(path, 0.01);
        Transcriber transcriber;
        const SentenceFinder::Outcome outcome = waitForTask(
            SentenceFinder::find(&transcriber, path, QStringLiteral("en-US"), profile.duration(),
                                 SilenceSplitter::soundStretches(profile), nullptr));
        QVERIFY2(outcome.sentences, qPrintable(outcome.notice.value_or(QString())));
        // The short sentence lies at least half inside one sentence (an MP3 starts a little late).
        const TimeRange clip = speech.sentences[size_t(index)];
        QVERIFY(std::any_of(
            outcome.sentences->begin(), outcome.sentences->end(), [&](const Sentence& s) {
                return std::min(s.end, clip.end + 0.1) - std::max(s.start, clip.start) >=
                       clip.duration() / 2;
            }));

        QStringList heard;
        for (const Sentence& sentence : *outcome.sentences)
            heard += wordsOf(sentence.text.value_or(QString()));
        const QString tool16k = TestMedia::convert(
            path, m_folder.filePath(name + QStringLiteral(".16k.wav")),
            {QStringLiteral("-ar"), QStringLiteral("16000"), QStringLiteral("-ac"),
             QStringLiteral("1"), QStringLiteral("-c:a"), QStringLiteral("pcm_s16le")});
        const QStringList toolHeard = wordsOf(QString::fromUtf8(
            TestSupport::run(QStringLiteral("pocketsphinx_continuous"),
                             {QStringLiteral("-infile"), tool16k, QStringLiteral("-logfn"),
                              QStringLiteral("/dev/null")})));
        const QStringList all = wordsOf(sentences.join(u' '));
        qInfo() << heard.join(u' ') << "| the tool:" << toolHeard.join(u' ');
        // At most one word more wrong than the engine's own tool.
        QVERIFY(wordErrorRate(all, heard) * all.size() <=
                wordErrorRate(all, toolHeard) * all.size() + 1.0 + 1e-9);
    }

    void resultsDoNotDependOnTheNumberOfDecoders() {
        // Events come in time order: one final per stretch, progress never going back, and at
        // least two progress reports per second of speech decoded.
        PocketSphinxEngine one(1);
        PocketSphinxEngine two(2);
        std::vector<std::vector<Word>> finals[2];
        int index = 0;
        for (PocketSphinxEngine* engine : {&one, &two}) {
            double last = 0;
            int partials = 0;
            const std::vector<RecognitionEvent> events = eventsOf(*engine, m_speech.path);
            QVERIFY(!events.empty());
            QCOMPARE(events.back(), RecognitionEvent::finished(true));
            for (const RecognitionEvent& event : events) {
                if (const auto* partial = std::get_if<RecognitionEvent::Partial>(&event.value)) {
                    QVERIFY(partial->seconds >= last);
                    last = partial->seconds;
                    ++partials;
                } else if (const auto* final_ =
                               std::get_if<RecognitionEvent::Final>(&event.value)) {
                    finals[index].push_back(final_->words);
                }
            }
            QVERIFY(qAbs(last - TestMedia::duration(m_speech.path)) < 0.01);
            double speech = 0;
            for (const TimeRange& sentence : m_speech.sentences)
                speech += sentence.duration();
            QVERIFY(partials >= 2 * speech);
            ++index;
        }
        QCOMPARE(finals[0].size(), size_t(spoken.size()));
        // Posteriors may differ a little (measured: up to 0.013) with what a decoder decoded
        // before.
        double largest = 0;
        for (size_t i = 0; i < finals[0].size() && i < finals[1].size(); ++i)
            for (size_t k = 0; k < finals[0][i].size() && k < finals[1][i].size(); ++k) {
                Word& word = finals[1][i][k];
                largest = std::max(largest, qAbs(finals[0][i][k].confidence.value_or(-1) -
                                                 word.confidence.value_or(1)));
                word.confidence = finals[0][i][k].confidence;
            }
        QVERIFY2(largest < 0.05, qPrintable(QString::number(largest)));
        QCOMPARE(finals[0], finals[1]);
    }

    void silenceAndBadInput() {
        Transcriber transcriber;
        const QString silent =
            TestMedia::silence(m_folder.path(), QStringLiteral("silent.wav"), 3.0);
        QVERIFY(
            waitForTask(transcriber.transcribe(silent, QStringLiteral("en-US"), nullptr)).empty());

        const QString text = TestMedia::textFile(m_folder.filePath(QStringLiteral("notes.mp3")),
                                                 "these are not sounds");
        auto failure = failureOf<Transcriber::Failure>(
            transcriber.transcribe(text, QStringLiteral("en-US"), nullptr));
        QVERIFY(failure);
        QCOMPARE(failure->kind(), Transcriber::Failure::Kind::failed);
        QCOMPARE(failure->description(),
                 QStringLiteral("This file can’t be read as audio or video."));
    }

    void brokenModelFails() {
        // A model folder whose files are not a model: a clear failure, not a crash.
        const QString folder = PocketSphinxEngine().modelFolder(QStringLiteral("fr-FR"));
        QDir().mkpath(folder + QStringLiteral("/fr"));
        TestMedia::textFile(folder + QStringLiteral("/fr/mdef"), "not a model");
        TestMedia::textFile(folder + QStringLiteral("/fr.lm.bin"), "not a model");
        TestMedia::textFile(folder + QStringLiteral("/fr.dict"), "not a model");
        Transcriber transcriber;
        auto failure = failureOf<Transcriber::Failure>(
            transcriber.transcribe(m_speech.path, QStringLiteral("fr-FR"), nullptr));
        QDir(folder).removeRecursively();
        QVERIFY(failure);
        QCOMPARE(failure->description(),
                 QStringLiteral("The speech model in %1/fr couldn’t be loaded.").arg(folder));
    }

    // The file-level verdict against the share of words recognised wrongly: real speech clean
    // and degraded, synthetic English the recogniser gets mostly wrong, and other languages
    // recognised as English.
    void verdictFollowsWordErrorRate_data() {
        QTest::addColumn<QString>("voice"); // an espeak-ng voice, or "librivox"
        QTest::addColumn<QStringList>("text");
        QTest::addColumn<double>("noise");       // pink noise mixed in, relative to full scale
        QTest::addColumn<QStringList>("effect"); // sox effects on the sound
        QTest::addColumn<bool>("reliable");
        const QString lib = QStringLiteral("librivox");
        const QStringList none;
        QTest::newRow("LibriVox") << lib << none << 0.0 << none << true;
        QTest::newRow("LibriVox in noise") << lib << none << 0.1 << none << false;
        QTest::newRow("LibriVox in a hall")
            << lib << none << 0.0 << QStringList{"reverb", "-w", "100", "100", "100", "100", "50"}
            << false;
        QTest::newRow("espeak-ng English")
            << "en-us" << QStringList{"The birch canoe slid on the smooth planks.",
                                      "Glue the sheet to the dark blue background.",
                                      "It's easy to tell the depth of a well.",
                                      "These days a chicken leg is a rare dish.",
                                      "Rice is often served in round bowls.",
                                      "The juice of lemons makes fine punch.",
                                      "The box was thrown beside the parked truck.",
                                      "The hogs were fed chopped corn and garbage."}
            << 0.0 << none << false;
        QTest::newRow("German as English")
            << "de"
            << QStringList{"Mein Bruder hat letzte Woche ein neues Auto gekauft.",
                           "Sie liest jeden Abend ein Buch, bevor sie schlafen geht.",
                           "Das Wetter war heute Morgen kalt und windig.",
                           "Morgen besuchen wir unsere Freunde in der Stadt."}
            << 0.0 << none << false;
        QTest::newRow("Spanish as English")
            << "es"
            << QStringList{"Mi hermano compró un coche nuevo la semana pasada.",
                           "Ella lee un libro cada noche antes de dormir.",
                           "El tiempo estaba frío y ventoso esta mañana.",
                           "Mañana vamos a visitar a nuestros amigos en la ciudad."}
            << 0.0 << none << false;
        QTest::newRow("French as English")
            << "fr"
            << QStringList{"Mon frère a acheté une nouvelle voiture la semaine dernière.",
                           "Elle lit un livre chaque soir avant de se coucher.",
                           "Il faisait froid et venteux ce matin.",
                           "Demain nous allons rendre visite à nos amis en ville."}
            << 0.0 << none << false;
    }

    void verdictFollowsWordErrorRate() {
        QFETCH(QString, voice);
        QFETCH(QStringList, text);
        QFETCH(double, noise);
        QFETCH(QStringList, effect);
        QFETCH(bool, reliable);
        QTemporaryDir folder;
        QString said = text.join(u' ');
        QString path = folder.filePath(QStringLiteral("speech.wav"));
        if (voice != u"librivox")
            path = TestMedia::speech(folder.path(), QStringLiteral("speech.wav"), text, 0.8, voice)
                       .path;
        else if (!QFileInfo::exists(librivox))
            QSKIP("Debian's pocketsphinx-testdata is not installed (scripts/setup installs it).");
        else
            said = librivoxReading(path);
        // -R: the same noise and dither every run.
        const QString degraded = folder.filePath(QStringLiteral("degraded.wav"));
        if (noise > 0) {
            const QString pink = folder.filePath(QStringLiteral("noise.wav"));
            TestSupport::run(
                "sox", {"-R", path, pink, "synth", "pinknoise", "vol", QString::number(noise)});
            TestSupport::run("sox", {"-R", "-m", path, pink, degraded});
            path = degraded;
        } else if (!effect.isEmpty()) {
            TestSupport::run("sox", QStringList{"-R", path, degraded} + effect);
            path = degraded;
        }

        Transcriber transcriber;
        const std::vector<Word> words =
            waitForTask(transcriber.transcribe(path, QStringLiteral("en-US"), nullptr));
        QStringList heard;
        for (const Word& word : words)
            heard += wordsOf(word.text);
        const double errors = wordErrorRate(wordsOf(said), heard);
        const std::vector<Sentence> sentences = TranscriptSplitter().sentences(words, 0);
        qInfo().noquote() << "word error rate" << errors << "confidence"
                          << TextConfidence::fileConfidence(sentences).value_or(-1) << ":"
                          << heard.join(u' ');
        // The row is what it claims to be: most words right, or most wrong.
        QCOMPARE(errors < 0.5, reliable);
        QCOMPARE(TextConfidence::textReliable(sentences), reliable);
    }

    void cancellingStopsPromptly() {
        Transcriber transcriber;
        std::stop_source stop;
        auto task = transcriber.transcribe(m_speech.path, QStringLiteral("en-US"), nullptr,
                                           stop.get_token());
        QTest::qWait(1500); // decoding is under way
        QElapsedTimer clock;
        clock.start();
        stop.request_stop();
        QVERIFY(failureOf<OperationCancelled>(std::move(task)));
        QVERIFY(clock.elapsed() < 1000);

        // Destroying the engine cancels its recognitions and waits for every thread of them,
        // though their holder still holds them: none runs on after the application.
        const auto threads = [] { return QDir(QStringLiteral("/proc/self/task")).count(); };
        const qsizetype before = threads();
        auto engine = std::make_unique<PocketSphinxEngine>(2);
        RecognitionEventStream stream;
        const auto held = engine->start(m_speech.path, QStringLiteral("en-US"),
                                        RecognitionDelegate(stream.continuation()));
        QTRY_VERIFY(threads() > before);
        engine.reset();
        QVERIFY(threads() <= before);
    }
};

QTEST_GUILESS_MAIN(PocketSphinxTest)
#include "PocketSphinxTest.moc"
