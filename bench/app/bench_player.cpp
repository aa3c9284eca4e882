// The player on a 60-minute file: time from play() to the first audible frame handed to the
// output, and resident memory while a segment plays (the file is never decoded whole). The
// references are the shared decoder alone (open, seek, first read) and ffmpeg's command-line
// tool decoding the same segment.
#include "audio/ClockedAudioDevices.h"
#include "audio/Player.h"
#include "BenchTools.h"
#include "media/AudioDecoder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <QCoroTask>

#include <array>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

using Clock = ClockedAudioDevices::Clock;

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// A real output that notes when the first audible frame of each segment is handed to it.
class ObservedDevices final : public AudioDevices {
public:
    std::optional<Clock::time_point> firstSoundAt;

    std::unique_ptr<AudioOutput> makeOutput() override {
        return std::make_unique<Output>(AudioDevices::system()->makeOutput(), this);
    }
    std::unique_ptr<AudioInput> makeInput() override { return AudioDevices::system()->makeInput(); }

private:
    class Source final : public FrameSource {
    public:
        Source(std::shared_ptr<FrameSource> inner, int channels, ObservedDevices* devices)
            : m_inner(std::move(inner)), m_channels(channels), m_devices(devices) {}
        qint64 read(float* into, qint64 maxFrames) override {
            const qint64 frames = m_inner->read(into, maxFrames);
            for (qint64 i = 0; i < frames * m_channels && !m_devices->firstSoundAt; ++i) {
                if (std::abs(into[i]) > 0.001f)
                    m_devices->firstSoundAt = Clock::now();
            }
            return frames;
        }
        bool atEnd() const override { return m_inner->atEnd(); }
        std::optional<qint64> totalFrames() const override { return m_inner->totalFrames(); }
        void setOnReady(std::function<void()> onReady) override {
            m_inner->setOnReady(std::move(onReady));
        }

    private:
        std::shared_ptr<FrameSource> m_inner;
        int m_channels;
        ObservedDevices* m_devices;
    };

    class Output final : public AudioOutput {
    public:
        Output(std::unique_ptr<AudioOutput> inner, ObservedDevices* devices)
            : m_inner(std::move(inner)), m_devices(devices) {}
        std::optional<QString> start(const AudioFormat& format, std::shared_ptr<FrameSource> source,
                                     Ended ended) override {
            m_devices->firstSoundAt.reset();
            return m_inner->start(
                format, std::make_shared<Source>(std::move(source), format.channels, m_devices),
                std::move(ended));
        }
        void stop() override { m_inner->stop(); }
        double heardSeconds() const override { return m_inner->heardSeconds(); }

    private:
        std::unique_ptr<AudioOutput> m_inner;
        ObservedDevices* m_devices;
    };
};

// Median milliseconds from play() to the first audible frame at the output, over segments at
// each rate across the file.
double firstSoundLatency(Player& player,
                         const std::function<std::optional<Clock::time_point>()>& firstSound) {
    std::vector<double> latencies;
    for (int i = 0; i < 21; ++i) {
        const double start = 97.3 + 170.0 * i;
        const double rate = std::array{0.5, 1.0, 1.5}[size_t(i % 3)];
        const auto called = Clock::now();
        auto playing = player.play(start, start + 0.5, rate);
        QElapsedTimer waited;
        waited.start();
        while (!firstSound() && waited.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        if (const auto heard = firstSound())
            latencies.push_back(millisecondsBetween(called, *heard));
        player.stop();
        QCoro::waitFor(playing);
    }
    return BenchTools::median(latencies);
}

// Sixty minutes of looped speech over faint noise (so that every frame is audible), as the
// AAC .m4a that opening a video file would convert it to.
QString longFile(const QString& folder) {
    const QString wav = QDir(folder).filePath(QStringLiteral("speech.wav"));
    BenchTools::run(QStringLiteral("espeak-ng"),
                    {QStringLiteral("-w"), wav,
                     QStringLiteral("Every sentence is played, then you say it again. The pause "
                                    "after it is as long as the sentence itself.")});
    const QString path = QDir(folder).filePath(QStringLiteral("hour.m4a"));
    BenchTools::run(QStringLiteral("ffmpeg"),
                    {QStringLiteral("-v"),
                     QStringLiteral("error"),
                     QStringLiteral("-stream_loop"),
                     QStringLiteral("-1"),
                     QStringLiteral("-i"),
                     wav,
                     QStringLiteral("-f"),
                     QStringLiteral("lavfi"),
                     QStringLiteral("-i"),
                     QStringLiteral("anoisesrc=color=pink:amplitude=0.01:sample_rate=44100"),
                     QStringLiteral("-filter_complex"),
                     QStringLiteral("[0]aresample=44100[a];[a][1]amix=inputs=2:duration=shortest:"
                                    "normalize=0"),
                     QStringLiteral("-t"),
                     QStringLiteral("3600"),
                     QStringLiteral("-ac"),
                     QStringLiteral("1"),
                     QStringLiteral("-c:a"),
                     QStringLiteral("aac"),
                     QStringLiteral("-b:a"),
                     QStringLiteral("128k"),
                     path});
    return path;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    std::fprintf(stderr, "making a 60-minute file\n");
    const QString hour = longFile(folder.path());

    auto devices = std::make_shared<ClockedAudioDevices>();
    Player player(devices);
    player.load(hour);

    std::fprintf(stderr, "timing the first sound\n");
    BenchTools::report(QStringLiteral("player_first_sound_latency"),
                       firstSoundLatency(player,
                                         [&] {
                                             const auto playbacks = devices->playbacks();
                                             return playbacks.empty()
                                                        ? std::nullopt
                                                        : playbacks.back().firstSoundAt;
                                         }),
                       QStringLiteral("ms"));
    if (!qEnvironmentVariableIsEmpty("PULSE_SERVER")) {
        // The same through Qt Multimedia to the sound server (frames handed to the sink).
        auto observed = std::make_shared<ObservedDevices>();
        Player real(observed);
        real.load(hour);
        BenchTools::report(QStringLiteral("player_first_sound_latency_pulseaudio"),
                           firstSoundLatency(real, [&] { return observed->firstSoundAt; }),
                           QStringLiteral("ms"));
    } else {
        std::fprintf(stderr, "PULSE_SERVER is unset: no timing through a sound server\n");
    }
    // The reference: opening the file afresh, seeking and decoding the first block.
    std::vector<double> firstDecoded;
    for (int i = 0; i < 21; ++i) {
        const auto opened = Clock::now();
        AudioDecoder decoder(hour, AudioFormat{44100, 1});
        decoder.seek(qint64((97.3 + 170.0 * i) * 44100));
        std::vector<float> block(2048);
        decoder.read(block.data(), 2048);
        firstDecoded.push_back(millisecondsBetween(opened, Clock::now()));
    }
    BenchTools::report(QStringLiteral("decoder_open_seek_read_latency"),
                       BenchTools::median(firstDecoded), QStringLiteral("ms"));

    // Resident memory while 20 s from the middle of the hour play at half speed (on a clock
    // eight times faster than real time, which keeps nothing of what it plays).
    devices->options().speed = 8;
    devices->options().keepsFrames = false;
    QCoro::waitFor(player.play(10, 11, 0.5)); // everything set up once
    const double baseline = BenchTools::residentMegabytes();
    double peak = baseline;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout,
                     [&] { peak = std::max(peak, BenchTools::residentMegabytes()); });
    sampler.start(20);
    std::fprintf(stderr, "playing 20 s of the hour at half speed\n");
    QCoro::waitFor(player.play(1800, 1820, 0.5));
    sampler.stop();
    BenchTools::report(QStringLiteral("player_resident_memory_baseline"), baseline,
                       QStringLiteral("MB"));
    BenchTools::report(QStringLiteral("player_resident_memory_above_baseline"), peak - baseline,
                       QStringLiteral("MB"));
    BenchTools::run(QStringLiteral("ffmpeg"),
                    {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-ss"),
                     QStringLiteral("1800"), QStringLiteral("-t"), QStringLiteral("20"),
                     QStringLiteral("-i"), hour, QStringLiteral("-f"), QStringLiteral("null"),
                     QStringLiteral("-")});
    BenchTools::report(QStringLiteral("ffmpeg_segment_decode_peak_resident_memory"),
                       BenchTools::childrenPeakResidentMegabytes(), QStringLiteral("MB"));
    return 0;
}
