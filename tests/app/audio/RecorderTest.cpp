#include "audio/Recorder.h"
#include "audio/ClockedAudioDevices.h"
#include "media/MediaError.h"
#include "SignalAnalysis.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <QCoroTask>

#include <cmath>

namespace {

class AskingAuthorization final : public MicrophoneAuthorization {
public:
    Status current = Status::notDetermined;
    bool grants = false;
    int questions = 0;

    Status status() const override { return current; }
    QCoro::Task<bool> requestAccess() override {
        ++questions;
        current = grants ? Status::authorized : Status::denied;
        co_return grants;
    }
};

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The recorder on a clock-driven microphone that plays a 440 Hz sine at half of full scale
// (RMS 0.354, -9.03 dBFS).
class RecorderTest final : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

    std::shared_ptr<ClockedAudioDevices> microphone(double speed = 1) {
        auto devices = std::make_shared<ClockedAudioDevices>();
        devices->options().speed = speed;
        devices->options().signal = [](qint64 frame, int) {
            return 0.5f * float(std::sin(2 * M_PI * 440 * double(frame) / 44100));
        };
        return devices;
    }

    // What a take cut short holds is bounded by the time that really went by.
    static bool heldAtMost(const QString& take, double least, const QElapsedTimer& timer) {
        const double held = SignalAnalysis::seconds(take), went = double(timer.elapsed()) / 1000;
        qInfo("%s: %g s of %g s", qPrintable(take), held, went);
        return held > least && held < went + 0.05;
    }

private Q_SLOTS:
    void meterLevels() {
        for (const auto& [decibels, level] : {std::pair(-60.0, 0.0),
                                              {-50.0, 0.0},
                                              {-25.0, 0.5},
                                              {0.0, 1.0},
                                              {3.0, 1.0},
                                              {std::nan(""), 0.0}})
            QCOMPARE(LevelMeter::level(decibels), level);
        // The average power covers the most recent 50 ms only.
        LevelMeter meter(44100);
        QCOMPARE(meter.averagePower(), -160.0);
        std::vector<float> loud(4410, 0.5f), quiet(2000, 0.0f);
        meter.add(loud.data(), qint64(loud.size()));
        meter.add(quiet.data(), qint64(quiet.size())); // 2000 of 2205 frames silent
        QVERIFY(std::abs(meter.averagePower() - 20 * std::log10(0.5 * std::sqrt(205.0 / 2205))) <
                0.01);
        meter.add(quiet.data(), 205);
        QCOMPARE(meter.averagePower(), -160.0);
    }

    // A take into a new folder stops by itself; a stop or another record keeps what was
    // recorded; recording the same sentence again replaces its take.
    void recordsTakes() {
        Recorder recorder(microphone());
        recorder.stop(); // nothing records: nothing happens
        QVERIFY(!recorder.recorder());
        const QString first = folder.filePath("Takes/0123abcd/1500.m4a");
        recorder.record(first, 0.6);
        // -9.03 dBFS on the meter while it records.
        QTRY_VERIFY(std::abs(recorder.level() - (50 + 20 * std::log10(0.5 / std::sqrt(2.0))) / 50) <
                    0.02);
        QTRY_VERIFY_WITH_TIMEOUT(!recorder.recorder()->isRecording(), 3000);
        QCOMPARE(recorder.level(), 0.0);
        QCOMPARE(SignalAnalysis::describe(first), QStringLiteral("aac,44100,1"));
        QVERIFY2(std::abs(SignalAnalysis::seconds(first) - 0.6) < 0.03,
                 qPrintable(QString::number(SignalAnalysis::seconds(first))));
        QCOMPARE(QDir(folder.filePath("Takes/0123abcd")).entryList(QDir::Files),
                 QStringList{QStringLiteral("1500.m4a")});

        const QString cut = folder.filePath("cut.m4a"), second = folder.filePath("second.m4a");
        QElapsedTimer cutTimer, secondTimer;
        cutTimer.start();
        recorder.record(cut, 5);
        QTest::qWait(300);
        secondTimer.start();
        recorder.record(second, 10);
        QVERIFY(heldAtMost(cut, 0.2, cutTimer));
        QVERIFY(!QFile::exists(folder.filePath("cut.partial.m4a")));
        QCOMPARE(recorder.recorder()->path(), second);
        QTest::qWait(400);
        recorder.stop();
        QVERIFY(heldAtMost(second, 0.3, secondTimer));
        QVERIFY(!recorder.recorder());
        QCOMPARE(recorder.level(), 0.0);
        recorder.record(second, 1.0);
        QTRY_VERIFY_WITH_TIMEOUT(!recorder.recorder()->isRecording(), 3000);
        QVERIFY(std::abs(SignalAnalysis::seconds(second) - 1.0) < 0.03);
    }

    void startsThatFailLeaveNoRecorder() {
        auto devices = microphone(5);
        Recorder recorder(devices);
        const QString path = folder.filePath("kept.m4a");
        recorder.record(path, 1);
        QTRY_VERIFY_WITH_TIMEOUT(!recorder.recorder()->isRecording(), 3000);
        const QByteArray earlier = contents(path);
        QVERIFY(!earlier.isEmpty());

        devices->options().inputFails = true;
        try {
            recorder.record(path, 1);
            QFAIL("recording started without a microphone");
        } catch (const RecorderError& error) {
            QCOMPARE(error.description(),
                     QStringLiteral("Recording couldn’t start. Check that a microphone is "
                                    "connected and selected in your sound settings."));
        }
        QVERIFY(!recorder.recorder());
        // The earlier take is untouched and nothing half-written is left behind.
        QCOMPARE(contents(path), earlier);
        QCOMPARE(QDir(folder.path()).entryList({QStringLiteral("kept*")}, QDir::Files),
                 QStringList{QStringLiteral("kept.m4a")});

        // A folder that cannot be made, under a plain file.
        devices->options().inputFails = false;
        QVERIFY_THROWS_EXCEPTION(MediaError, recorder.record(path + "/Takes/1.m4a", 1));
        QVERIFY(!recorder.recorder());
    }

    void microphonePermission() {
        QCOMPARE(QCoro::waitFor(Recorder(microphone()).microphoneDenied()), false);
        auto asking = std::make_shared<AskingAuthorization>();
        Recorder recorder(microphone(), asking);
        QCOMPARE(QCoro::waitFor(recorder.microphoneDenied()), true);
        QCOMPARE(QCoro::waitFor(recorder.microphoneDenied()), true);
        QCOMPARE(asking->questions, 1); // asked while undecided only
        asking->current = MicrophoneAuthorization::Status::notDetermined;
        asking->grants = true;
        QCOMPARE(QCoro::waitFor(recorder.microphoneDenied()), false);
        asking->current = MicrophoneAuthorization::Status::restricted;
        QCOMPARE(QCoro::waitFor(recorder.microphoneDenied()), true);
        QCOMPARE(asking->questions, 2);
    }
};

QTEST_GUILESS_MAIN(RecorderTest)
#include "RecorderTest.moc"
