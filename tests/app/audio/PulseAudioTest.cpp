#include "media/AudioDecoder.h"
#include "Player.h"
#include "Recorder.h"
#include "SignalAnalysis.h"
#include "TestMedia.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <qcoro/qcorotask.h>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <mutex>
#include <thread>

namespace {

QCoro::Task<> await(QCoro::Task<bool> play, std::optional<bool>* result,
                    std::chrono::steady_clock::time_point* at) {
    *result = co_await std::move(play);
    *at = std::chrono::steady_clock::now();
}

// Writes 16-bit mono 44100 Hz samples into the pipe that the test server's microphone reads, in
// real time, and silence whenever it has nothing else to say: a source without input stalls.
class MicrophoneFeed {
public:
    explicit MicrophoneFeed(const QString& fifo)
        : m_worker([this, path = fifo.toStdString()](std::stop_token stop) { run(stop, path); }) {}

    void say(const std::vector<float>& samples) {
        std::lock_guard guard(m_lock);
        m_queue.insert(m_queue.end(), samples.begin(), samples.end());
    }
    bool connected() const { return m_connected; }

private:
    void run(std::stop_token stop, const std::string& path) {
        int fd = -1;
        for (int attempt = 0; attempt < 100 && fd < 0 && !stop.stop_requested(); ++attempt) {
            fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd < 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (fd < 0)
            return;
        m_connected = true;
        const auto begin = std::chrono::steady_clock::now();
        qint64 written = 0;
        while (!stop.stop_requested()) {
            const double elapsed =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
            const qint64 due = qint64(elapsed * 44100) - written;
            std::vector<qint16> block(size_t(std::max<qint64>(due, 0)), 0);
            {
                std::lock_guard guard(m_lock);
                for (auto& sample : block) {
                    if (m_next < m_queue.size())
                        sample = qint16(std::clamp(m_queue[m_next++], -1.0f, 1.0f) * 32767);
                }
            }
            if (!block.empty())
                (void)!::write(fd, block.data(), block.size() * sizeof(qint16));
            written += due > 0 ? due : 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ::close(fd);
    }

    std::mutex m_lock;
    std::vector<float> m_queue;
    size_t m_next = 0;
    std::atomic<bool> m_connected = false;
    std::jthread m_worker;
};

// RMS per 10 ms.
std::vector<float> envelope(const std::vector<float>& samples) {
    std::vector<float> frames;
    for (size_t from = 0; from + 441 <= samples.size(); from += 441)
        frames.push_back(float(SignalAnalysis::rms(samples, from, 441)));
    return frames;
}

// The first and last 10 ms frames louder than `threshold`.
std::pair<long, long> voicedSpan(const std::vector<float>& frames, double threshold) {
    long first = -1, last = -1;
    for (long i = 0; i < long(frames.size()); ++i) {
        if (frames[size_t(i)] > threshold) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    return {first, last};
}

} // namespace

// The player and the recorder on the test PulseAudio server that scripts/test starts: a null
// sink as the speakers and a pipe source as the microphone.
class PulseAudioTest final : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    QProcess keepAwake;
    QString tone;

private Q_SLOTS:
    void initTestCase() {
        if (qEnvironmentVariableIsEmpty("PULSE_SERVER"))
            QSKIP("needs the test PulseAudio server that scripts/test starts (PULSE_SERVER is "
                  "unset)");
        // PulseAudio's null sink renders two seconds ahead while nothing plays and takes back only
        // about 0.1 s of that when a stream arrives, so a first sound after a quiet spell would
        // start up to two seconds late; a sound card takes back all of it. A silent low-latency
        // stream keeps the null sink in step, as a sound card would be, once the two seconds it
        // rendered before this stream came have passed.
        keepAwake.setStandardInputFile(QStringLiteral("/dev/zero"));
        keepAwake.start(QStringLiteral("pacat"),
                        {QStringLiteral("--playback"), QStringLiteral("--raw"),
                         QStringLiteral("--format=s16le"), QStringLiteral("--rate=44100"),
                         QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=20")});
        QVERIFY(keepAwake.waitForStarted());
        QTest::qWait(2500);
        tone = TestMedia::tone(folder.path(), QStringLiteral("tone.wav"), 5, 44100, 1, 220);
    }

    void cleanupTestCase() {
        if (keepAwake.state() != QProcess::NotRunning) {
            keepAwake.kill();
            keepAwake.waitForFinished();
        }
    }

    void segmentLastsItsStretchedLength_data() {
        QTest::addColumn<double>("rate");
        QTest::newRow("normal") << 1.0;
        QTest::newRow("half speed") << 0.5;
        QTest::newRow("one and a half") << 1.5;
    }
    void segmentLastsItsStretchedLength() {
        Player player;
        player.load(tone);
        QFETCH(double, rate);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(QCoro::waitFor(player.play(1, 3, rate)), true);
        const double seconds = double(timer.elapsed()) / 1000;
        const double expected = 2 / rate;
        QVERIFY2(std::abs(seconds - expected) <= 0.1 * expected,
                 qPrintable(QStringLiteral("%1 s, expected %2 s").arg(seconds).arg(expected)));
    }

    void shortSegmentsEnd() {
        // Shorter than what the sound server buffers before it starts playing.
        Player player;
        player.load(tone);
        for (const double length : {0.01, 0.03, 0.08}) {
            QElapsedTimer timer;
            timer.start();
            QCOMPARE(QCoro::waitFor(player.play(1, 1 + length, 1)), true);
            QVERIFY2(timer.elapsed() < 400, qPrintable(QString::number(timer.elapsed())));
        }
    }

    void stopReleasesAtOnce() {
        Player player;
        player.load(tone);
        std::optional<bool> result;
        std::chrono::steady_clock::time_point released;
        auto waiting = await(player.play(0, 4, 1), &result, &released);
        QTest::qWait(500);
        QVERIFY(!result);
        const auto stopped = std::chrono::steady_clock::now();
        player.stop();
        QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), 1000);
        const auto waited =
            std::chrono::duration_cast<std::chrono::milliseconds>(released - stopped).count();
        QVERIFY2(waited <= 50, qPrintable(QString::number(waited)));
        QCOMPARE(*result, false);
    }

    void recordsTheMicrophone() {
        const QString fifo = qEnvironmentVariable("QUELLIN_TEST_MIC_FIFO");
        if (fifo.isEmpty())
            QSKIP("needs the test server's microphone pipe (QUELLIN_TEST_MIC_FIFO is unset)");
        const auto speech = TestMedia::speech(
            folder.path(), QStringLiteral("sentence.wav"),
            {QStringLiteral("Shadowing means repeating every sentence you hear.")}, 0.5);
        const auto sentence = SignalAnalysis::decode(speech.path);
        MicrophoneFeed feed(fifo);
        QTRY_VERIFY_WITH_TIMEOUT(feed.connected(), 3000);
        QTest::qWait(200);

        Recorder recorder;
        const QString take = folder.filePath(QStringLiteral("Takes/abc/2500.m4a"));
        const double duration = double(sentence.size()) / 44100 + 0.5;
        recorder.record(take, duration);
        feed.say(sentence);
        double loudest = 0;
        while (recorder.recorder()->isRecording()) {
            QTest::qWait(50);
            loudest = std::max(loudest, recorder.level());
        }
        QVERIFY2(loudest > 0.3, qPrintable(QString::number(loudest)));

        AudioDecoder decoder(take);
        QCOMPARE(decoder.format(), (AudioFormat{44100, 1}));
        const QString codec = QString::fromUtf8(
            TestSupport::run(QStringLiteral("ffprobe"),
                             {QStringLiteral("-v"), QStringLiteral("error"),
                              QStringLiteral("-show_entries"), QStringLiteral("stream=codec_name"),
                              QStringLiteral("-of"), QStringLiteral("csv=p=0"), take}));
        QCOMPARE(codec.trimmed(), QStringLiteral("aac"));
        const auto recorded = SignalAnalysis::decode(take);
        QVERIFY2(std::abs(double(recorded.size()) / 44100 - duration) < 0.05,
                 qPrintable(QString::number(double(recorded.size()) / 44100)));

        // The take holds the sentence: as long, and shaped alike.
        const auto spoken = envelope(sentence), heard = envelope(recorded);
        const auto [spokenFirst, spokenLast] = voicedSpan(spoken, 0.02);
        const auto [heardFirst, heardLast] = voicedSpan(heard, 0.02);
        QVERIFY(heardFirst >= 0);
        QVERIFY2(std::abs((heardLast - heardFirst) - (spokenLast - spokenFirst)) <= 10,
                 qPrintable(QStringLiteral("%1…%2 against %3…%4")
                                .arg(heardFirst)
                                .arg(heardLast)
                                .arg(spokenFirst)
                                .arg(spokenLast)));
        const long length = spokenLast - spokenFirst + 1;
        const long shift =
            SignalAnalysis::bestShift(heard, heardFirst, spoken.data() + spokenFirst, length, 20);
        QVERIFY(heardFirst + shift + length <= long(heard.size()));
        const double alike = SignalAnalysis::similarity(heard.data() + heardFirst + shift,
                                                        spoken.data() + spokenFirst, length);
        QVERIFY2(alike > 0.9, qPrintable(QString::number(alike)));
    }
};

QTEST_GUILESS_MAIN(PulseAudioTest)
#include "PulseAudioTest.moc"
