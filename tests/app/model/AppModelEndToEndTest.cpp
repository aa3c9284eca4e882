#include "audio/AudioDevices.h"
#include "audio/Player.h"
#include "audio/Recorder.h"
#include "model/AppModel.h"
#include "speech/Transcriber.h"
#include "TestMedia.h"
#include "TestSoundServer.h"

#include "media/AudioDecoder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using Phase = AppModel::Phase;
using Splitting = AppModel::Splitting;

namespace {

std::vector<float> samples(const QString& path, double from, double to) {
    AudioDecoder decoder(path, AudioFormat{44100, 1});
    decoder.seek(qint64(from * 44100));
    std::vector<float> result(size_t((to - from) * 44100));
    result.resize(size_t(decoder.read(result.data(), qint64(result.size()))));
    return result;
}

// Every phase with when it began, in ms since the log started.
struct PhaseLog {
    std::vector<std::pair<Phase, qint64>> entries;
    QElapsedTimer clock;
    explicit PhaseLog(AppModel& model) {
        clock.start();
        QObject::connect(&model, &AppModel::phaseChanged, &model,
                         [this, &model] { entries.emplace_back(model.phase(), clock.elapsed()); });
    }
    std::vector<Phase> phases() const {
        std::vector<Phase> list;
        for (const auto& [phase, at] : entries)
            list.push_back(phase);
        return list;
    }
};

} // namespace

// The real parts together: FFmpeg, PocketSphinx, and Qt Multimedia on the PulseAudio server
// that scripts/test starts (a null sink as the speakers, a pipe source as the microphone).
class AppModelEndToEndTest final : public QObject {
    Q_OBJECT

    TestSoundServer::SinkInStep m_sinkInStep;

private Q_SLOTS:
    void initTestCase() {
        if (qEnvironmentVariableIsEmpty("PULSE_SERVER"))
            return;
        QVERIFY(m_sinkInStep.start());
    }

    void fromAnMp3ToAComparedTake() {
        if (qEnvironmentVariableIsEmpty("PULSE_SERVER"))
            QSKIP("needs the test sound server (PULSE_SERVER is unset; run scripts/test)");
        const QString fifo = qEnvironmentVariable("QUELLIN_TEST_MIC_FIFO");
        if (fifo.isEmpty())
            QSKIP("needs the test server's microphone pipe (QUELLIN_TEST_MIC_FIFO is unset)");
        if (!QFile::exists(QStringLiteral("/usr/share/pocketsphinx/model/en-us/en-us/mdef")))
            QSKIP("needs the PocketSphinx US English model (pocketsphinx-en-us)");

        QTemporaryDir dir;
        const TestMedia::Speech speech =
            TestMedia::speech(dir.path(), QStringLiteral("lesson.wav"),
                              {QStringLiteral("The weather is very nice today."),
                               QStringLiteral("I would like a cup of coffee."),
                               QStringLiteral("Where is the train station?")},
                              1.2);
        const QString mp3 =
            TestMedia::convert(speech.path, dir.filePath(QStringLiteral("lesson.mp3")),
                               {QStringLiteral("-b:a"), QStringLiteral("128k")});
        TestSoundServer::MicrophoneFeed microphone(fifo);
        QTRY_VERIFY_WITH_TIMEOUT(microphone.connected(), 3000);

        const QString settingsFile = dir.filePath(QStringLiteral("Quellin.conf"));
        QSettings(settingsFile, QSettings::IniFormat)
            .setValue(QStringLiteral("language"), QStringLiteral("en-US"));
        AppModel::Services services;
        services.player = std::make_unique<Player>(AudioDevices::system());
        services.recorder = std::make_unique<Recorder>(AudioDevices::system());
        services.transcriber = std::make_unique<Transcriber>();
        services.defaults = std::make_unique<QSettings>(settingsFile, QSettings::IniFormat);
        const SessionStore store(dir.filePath(QStringLiteral("Sessions")));
        AppModel model(store, true, std::move(services));

        // As soon as recognition starts, the pause split is there to practise: the user moves to
        // the second sentence and marks it hard.
        std::optional<Session> pauseSplit;
        QObject::connect(&model, &AppModel::splittingChanged, &model, [&] {
            if (pauseSplit || model.splitting() != Splitting::listening(0))
                return;
            pauseSplit = model.session();
            model.select(1);
            model.toggleHard();
        });
        model.open(mp3);
        QTRY_VERIFY_WITH_TIMEOUT(!model.hasRunningTasks(), 240000);
        QVERIFY(!model.error() && pauseSplit);
        QVERIFY(pauseSplit->method == SplitMethod::pauses() && pauseSplit->sentences.size() == 3);

        // Recognition replaced the pause split with sentences that carry text, in place.
        QVERIFY2(!model.notice(), qPrintable(model.notice().value_or(QString())));
        const Session recognised = *model.session();
        QCOMPARE(recognised.method, SplitMethod::speech(QStringLiteral("en-US")));
        QCOMPARE(recognised.sentences.size(), size_t(3));
        for (const Sentence& sentence : recognised.sentences)
            QVERIFY(sentence.text && !sentence.text->trimmed().isEmpty());
        QCOMPARE(recognised.current, 1);
        QVERIFY(!recognised.sentences[0].hard && recognised.sentences[1].hard);

        // A loop of the current sentence runs its phases.
        m_sinkInStep.waitUntilInStep();
        model.setRepeats(2);
        const Sentence current = *model.session()->currentSentence();
        const double d = current.end - current.start;
        PhaseLog loop(model);
        model.loop();
        QTRY_VERIFY_WITH_TIMEOUT(model.phase() == Phase::idle() && !model.isWorking(), 30000);
        QCOMPARE(loop.phases(),
                 (std::vector<Phase>{Phase::playing(1, 2), Phase::yourTurn(1, 2),
                                     Phase::playing(2, 2), Phase::yourTurn(2, 2), Phase::idle()}));

        // A recording from the microphone becomes the take, with its voice found.
        model.record();
        QTRY_VERIFY_WITH_TIMEOUT(model.phase() == Phase::recording(), 15000);
        microphone.say(std::vector<float>(size_t(0.6 * 44100), 0.0f));
        microphone.say(samples(speech.path, speech.sentences[1].start, speech.sentences[1].end));
        QTRY_VERIFY_WITH_TIMEOUT(model.phase() == Phase::idle() && !model.hasRunningTasks(), 30000);
        QVERIFY(!model.error() && model.take());
        const AppModel::Take take = *model.take();
        QCOMPARE(take.url, store.takeURL(recognised, current));
        QCOMPARE(take.bars.size(), size_t(140));
        const double limit = std::max(d * 1.6 + 1.0, 3.0);
        QVERIFY2(take.range.start > 0.3 && take.range.end - take.range.start > d * 0.7 &&
                     take.range.end < limit + 0.2,
                 qPrintable(QStringLiteral("%1–%2").arg(take.range.start).arg(take.range.end)));

        // Comparing plays the original, pauses 0.4 s, then plays the take.
        PhaseLog compare(model);
        model.compare();
        QTRY_VERIFY_WITH_TIMEOUT(model.phase() == Phase::idle() && !model.isWorking(), 30000);
        QCOMPARE(compare.phases(),
                 (std::vector<Phase>{Phase::original(), Phase::take(), Phase::idle()}));
        const double untilTake = (compare.entries[1].second - compare.entries[0].second) / 1000.0;
        QVERIFY2(std::abs(untilTake - (d + 0.4)) < 0.4, qPrintable(QString::number(untilTake)));

        // The session file holds what the model holds, the hard mark and settings too.
        QCOMPARE(store.load(recognised.key()), model.session());
    }
};

QTEST_MAIN(AppModelEndToEndTest)
#include "AppModelEndToEndTest.moc"
