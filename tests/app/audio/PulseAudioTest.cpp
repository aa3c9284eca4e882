#include "audio/Player.h"
#include "audio/Recorder.h"
#include "SignalAnalysis.h"
#include "TestMedia.h"
#include "TestSoundServer.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <QCoroTask>

#include <cmath>

namespace {

QCoro::Task<> await(QCoro::Task<bool> play, std::optional<bool>* result) {
    *result = co_await std::move(play);
}

} // namespace

// The player and the recorder on the test PulseAudio server that scripts/test starts: a null
// sink as the speakers and a pipe source as the microphone.
class PulseAudioTest final : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    TestSoundServer::SinkInStep sinkInStep;
    QString tone;

private Q_SLOTS:
    void initTestCase() {
        if (qEnvironmentVariableIsEmpty("PULSE_SERVER"))
            QSKIP("needs the test PulseAudio server that scripts/test starts (PULSE_SERVER is "
                  "unset)");
        QVERIFY(sinkInStep.start());
        sinkInStep.waitUntilInStep();
        tone = TestMedia::tone(folder.path(), "tone.wav", 5, 44100, 1, 220);
    }

    // Segments last their stretched length: a busy machine makes them end late, never early;
    // at the wrong rate they would be far off (2 s instead of 1.33 s). Each recording and
    // each take played makes a Qt device of its own; the devices of the ones that ended go away
    // without taking anything else with them. Segments shorter than what the server buffers
    // before it starts playing end too, and a stop ends a play at once.
    void playsEndWhenHeardOrStopped() {
        Player player;
        player.load(tone);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(QCoro::waitFor(player.play(1, 3, 1.5)), true); // 1.33 s when heard
        QVERIFY2(timer.elapsed() >= 1200 && timer.elapsed() <= 1750,
                 qPrintable(QString::number(timer.elapsed())));
        for (const double length : {0.01, 0.03, 0.08}) {
            {
                Recorder recorder;
                recorder.record(folder.filePath(QStringLiteral("Takes/again/%1.m4a").arg(length)),
                                2);
                QTest::qWait(200);
                recorder.stop();
            }
            timer.start();
            QCOMPARE(QCoro::waitFor(player.play(1, 1 + length, 1)), true);
            QVERIFY2(timer.elapsed() < 400, qPrintable(QString::number(timer.elapsed())));
        }
        std::optional<bool> result;
        auto waiting = await(player.play(0, 4, 1), &result);
        QTest::qWait(500);
        QVERIFY(!result);
        player.stop();
        QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), 1000); // long before the 3.5 s left
        QCOMPARE(*result, false);
    }

    void recordsTheMicrophone() {
        const QString fifo = qEnvironmentVariable("QUELLIN_TEST_MIC_FIFO");
        if (fifo.isEmpty())
            QSKIP("needs the test server's microphone pipe (QUELLIN_TEST_MIC_FIFO is unset)");
        const auto speech =
            TestMedia::speech(folder.path(), "sentence.wav",
                              {"Shadowing means repeating every sentence you hear."}, 0.5);
        const auto sentence = SignalAnalysis::decode(speech.path);
        TestSoundServer::MicrophoneFeed feed(fifo);
        QTRY_VERIFY_WITH_TIMEOUT(feed.connected(), 3000);
        QTest::qWait(200);

        Recorder recorder;
        const QString take = folder.filePath("Takes/abc/2500.m4a");
        const double duration = double(sentence.size()) / 44100 + 0.5;
        recorder.record(take, duration);
        feed.say(sentence);
        double loudest = 0;
        while (recorder.recorder()->isRecording()) {
            QTest::qWait(50);
            loudest = std::max(loudest, recorder.level());
        }
        QVERIFY2(loudest > 0.3, qPrintable(QString::number(loudest)));

        const auto recorded = SignalAnalysis::decode(take);
        QVERIFY2(std::abs(double(recorded.size()) / 44100 - duration) < 0.05,
                 qPrintable(QString::number(double(recorded.size()) / 44100)));

        // The take holds the sentence, shaped alike, after the microphone's delay.
        const auto envelope = [](const std::vector<float>& samples) { // RMS per 10 ms
            std::vector<float> frames;
            for (size_t from = 0; from + 441 <= samples.size(); from += 441)
                frames.push_back(float(SignalAnalysis::rms(samples, from, 441)));
            return frames;
        };
        const auto spoken = envelope(sentence), heard = envelope(recorded);
        const long length = long(spoken.size());
        const long shift = SignalAnalysis::bestShift(heard, 0, spoken.data(), length, 50);
        const double alike =
            SignalAnalysis::similarity(heard.data() + shift, spoken.data(), length);
        QVERIFY2(alike > 0.9, qPrintable(QString::number(alike)));
    }
};

QTEST_GUILESS_MAIN(PulseAudioTest)
#include "PulseAudioTest.moc"
