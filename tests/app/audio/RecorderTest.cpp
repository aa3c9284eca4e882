#include "audio/Recorder.h"
#include "audio/ClockedAudioDevices.h"
#include "media/AudioDecoder.h"
#include "media/MediaError.h"
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <QCoroTask>

#include <cmath>

namespace {

// A 440 Hz sine at half of full scale: RMS 0.354, -9.03 dBFS.
float sine(qint64 frame, int) {
    return 0.5f * float(std::sin(2 * M_PI * 440 * double(frame) / 44100));
}

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

// Codec, rate and channels of a take as ffprobe reports them.
QString describe(const QString& path) {
    return QString::fromUtf8(
               TestSupport::run(QStringLiteral("ffprobe"),
                                {QStringLiteral("-v"), QStringLiteral("error"),
                                 QStringLiteral("-show_entries"),
                                 QStringLiteral("stream=codec_name,sample_rate,channels"),
                                 QStringLiteral("-of"), QStringLiteral("csv=p=0"), path}))
        .trimmed();
}

double seconds(const QString& path) {
    AudioDecoder decoder(path);
    std::vector<float> buffer(4096);
    qint64 frames = 0, got;
    while ((got = decoder.read(buffer.data(), 4096)) > 0)
        frames += got;
    return double(frames) / decoder.format().sampleRate;
}

} // namespace

class RecorderTest final : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

    std::shared_ptr<ClockedAudioDevices> microphone(double speed = 1) {
        auto devices = std::make_shared<ClockedAudioDevices>();
        devices->options().speed = speed;
        devices->options().signal = sine;
        return devices;
    }

private Q_SLOTS:
    void meterLevels() {
        QCOMPARE(LevelMeter::level(-60), 0.0);
        QCOMPARE(LevelMeter::level(-50), 0.0);
        QCOMPARE(LevelMeter::level(-25), 0.5);
        QCOMPARE(LevelMeter::level(0), 1.0);
        QCOMPARE(LevelMeter::level(3), 1.0);
        QCOMPARE(LevelMeter::level(std::nan("")), 0.0);

        // The average power covers the most recent 50 ms only.
        LevelMeter meter(44100);
        QCOMPARE(meter.averagePower(), -160.0);
        std::vector<float> loud(4410, 0.5f), quiet(2000, 0.0f);
        meter.add(loud.data(), qint64(loud.size()));
        QVERIFY(std::abs(meter.averagePower() - 20 * std::log10(0.5)) < 0.01);
        meter.add(quiet.data(), qint64(quiet.size())); // 2000 of 2205 frames silent
        QVERIFY(std::abs(meter.averagePower() - 20 * std::log10(0.5 * std::sqrt(205.0 / 2205))) <
                0.01);
        meter.add(quiet.data(), 205);
        QCOMPARE(meter.averagePower(), -160.0);
    }

    void recordsATakeIntoANewFolder() {
        Recorder recorder(microphone());
        const QString path = folder.filePath(QStringLiteral("Takes/0123abcd/1500.m4a"));
        QCOMPARE(recorder.level(), 0.0);
        recorder.record(path, 0.6);
        QVERIFY(recorder.recorder());
        QVERIFY(recorder.recorder()->isRecording());
        QTest::qWait(200);
        // -9.03 dBFS on the meter.
        QVERIFY2(std::abs(recorder.level() - (50 + 20 * std::log10(0.5 / std::sqrt(2.0))) / 50) <
                     0.02,
                 qPrintable(QString::number(recorder.level())));
        QTRY_VERIFY_WITH_TIMEOUT(!recorder.recorder()->isRecording(), 3000);
        // It stopped by itself; the recorder still holds the finished recording.
        QVERIFY(recorder.recorder());
        QCOMPARE(recorder.level(), 0.0);
        QCOMPARE(describe(path), QStringLiteral("aac,44100,1"));
        QVERIFY2(std::abs(seconds(path) - 0.6) < 0.03, qPrintable(QString::number(seconds(path))));
        QCOMPARE(QDir(folder.filePath(QStringLiteral("Takes/0123abcd"))).entryList(QDir::Files),
                 QStringList{QStringLiteral("1500.m4a")});
    }

    void aSecondRecordStopsTheFirst() {
        Recorder recorder(microphone());
        const QString first = folder.filePath(QStringLiteral("first.m4a"));
        const QString second = folder.filePath(QStringLiteral("second.m4a"));
        QElapsedTimer recording;
        recording.start();
        recorder.record(first, 5);
        QTest::qWait(300);
        recorder.record(second, 0.3);
        const double went = double(recording.elapsed()) / 1000;
        // The first take is complete as far as it went (however long a busy machine took).
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("first.partial.m4a"))));
        QVERIFY2(seconds(first) > 0.2 && seconds(first) < went + 0.05,
                 qPrintable(QStringLiteral("%1 s of %2 s").arg(seconds(first)).arg(went)));
        QCOMPARE(recorder.recorder()->path(), second);
        QTRY_VERIFY_WITH_TIMEOUT(!recorder.recorder()->isRecording(), 3000);

        // Recording the same sentence again replaces its take.
        recorder.record(second, 1.0);
        QTRY_VERIFY_WITH_TIMEOUT(!recorder.recorder()->isRecording(), 3000);
        QVERIFY(std::abs(seconds(second) - 1.0) < 0.03);
    }

    void stopKeepsWhatWasRecorded() {
        Recorder recorder(microphone());
        recorder.stop(); // nothing records: nothing happens
        QVERIFY(!recorder.recorder());
        const QString path = folder.filePath(QStringLiteral("stopped.m4a"));
        QElapsedTimer recording;
        recording.start();
        recorder.record(path, 10);
        QTest::qWait(400);
        recorder.stop();
        const double went = double(recording.elapsed()) / 1000;
        QVERIFY(!recorder.recorder());
        QCOMPARE(recorder.level(), 0.0);
        QVERIFY2(seconds(path) > 0.3 && seconds(path) < went + 0.05,
                 qPrintable(QStringLiteral("%1 s of %2 s").arg(seconds(path)).arg(went)));
    }

    void aStartThatFailsLeavesNoRecorder() {
        auto devices = microphone(5);
        Recorder recorder(devices);
        const QString path = folder.filePath(QStringLiteral("kept.m4a"));
        recorder.record(path, 1);
        QTRY_VERIFY_WITH_TIMEOUT(!recorder.recorder()->isRecording(), 3000);
        const QByteArray earlier = [&] {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        QVERIFY(!earlier.isEmpty());

        devices->options().inputFails = true;
        try {
            recorder.record(path, 1);
            QFAIL("recording started without a microphone");
        } catch (const RecorderError& error) {
            QVERIFY(error == RecorderError::couldNotStart());
            QCOMPARE(error.description(),
                     QStringLiteral("Recording couldn’t start. Check that a microphone is "
                                    "connected and selected in your sound settings."));
        }
        QVERIFY(!recorder.recorder());
        // The earlier take is untouched and nothing half-written is left behind.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), earlier);
        QCOMPARE(QDir(folder.path()).entryList({QStringLiteral("kept*")}, QDir::Files),
                 QStringList{QStringLiteral("kept.m4a")});
    }

    void aFolderThatCannotBeMade() {
        Recorder recorder(microphone());
        const QString blocker = folder.filePath(QStringLiteral("plain-file"));
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY_THROWS_EXCEPTION(MediaError,
                                 recorder.record(blocker + QStringLiteral("/Takes/1.m4a"), 1));
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
        QCOMPARE(QCoro::waitFor(recorder.microphoneDenied()), false);
        QCOMPARE(asking->questions, 2);

        asking->current = MicrophoneAuthorization::Status::restricted;
        QCOMPARE(QCoro::waitFor(recorder.microphoneDenied()), true);
        QCOMPARE(asking->questions, 2);
    }
};

QTEST_GUILESS_MAIN(RecorderTest)
#include "RecorderTest.moc"
