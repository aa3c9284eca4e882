#include "audio/ClockedAudioDevices.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <cmath>
#include <condition_variable>
#include <thread>

namespace {

using Clock = ClockedAudioDevices::Clock;

constexpr float soundThreshold = 0.001f; // -60 dBFS
constexpr auto tick = std::chrono::milliseconds(2);

class ClockedOutput final : public AudioOutput {
public:
    explicit ClockedOutput(std::shared_ptr<ClockedAudioDevices::Log> log) : m_log(std::move(log)) {}
    ~ClockedOutput() override {
        stop();
        if (m_lateReport.joinable())
            m_lateReport.join();
    }

    std::optional<QString> start(const AudioFormat& format, std::shared_ptr<FrameSource> source,
                                 Ended ended) override {
        stop();
        m_options = m_log->options;
        if (m_options.outputFails)
            return noDevice();
        m_playback = std::make_shared<ClockedAudioDevices::Playback>();
        m_playback->format = format;
        m_playback->startedAt = Clock::now();
        {
            std::lock_guard guard(m_log->lock);
            m_log->playbacks.push_back(m_playback);
        }
        m_source = std::move(source);
        m_ended = std::make_shared<Ended>(std::move(ended));
        m_handed = 0;
        m_thread =
            std::jthread([this, playback = m_playback, source = m_source, ended = m_ended](
                             std::stop_token stop) { run(stop, *playback, *source, *ended); });
        return std::nullopt;
    }

    void stop() override {
        if (!m_thread.joinable())
            return;
        m_thread.request_stop();
        m_thread.join();
        bool reported;
        {
            std::lock_guard guard(m_log->lock);
            m_playback->stopped = true;
            reported = m_playback->playedBackAt.has_value();
        }
        if (m_options.reportsAfterStop && !reported) {
            if (m_lateReport.joinable())
                m_lateReport.join();
            m_lateReport = std::thread([ended = m_ended] { (*ended)(std::nullopt); });
        }
        m_source.reset();
    }

    double heardSeconds() const override {
        if (!m_playback)
            return 0;
        const double handed = double(m_handed) / m_playback->format.sampleRate;
        return std::max(handed - m_options.latency, 0.0);
    }

private:
    // Sleeps for `duration`; false when stopped meanwhile.
    bool wait(std::stop_token stop, Clock::duration duration) {
        std::mutex mutex;
        std::unique_lock guard(mutex);
        std::condition_variable_any wake;
        return !wake.wait_for(guard, stop, duration, [] { return false; }) &&
               !stop.stop_requested();
    }

    void run(std::stop_token stop, ClockedAudioDevices::Playback& playback, FrameSource& source,
             const Ended& ended) {
        const int channels = playback.format.channels;
        const double speed = m_options.speed > 0 ? m_options.speed : 1.0;
        std::vector<float> buffer(size_t(4096 * channels));
        qint64 handed = 0;
        while (!stop.stop_requested()) {
            const double audioSeconds =
                std::chrono::duration<double>(Clock::now() - playback.startedAt).count() * speed;
            const qint64 due = qint64(audioSeconds * playback.format.sampleRate) - handed;
            qint64 got = 0;
            if (due > 0) {
                got = source.read(buffer.data(), std::min<qint64>(due, 4096));
                handed += got;
                m_handed = handed;
                std::lock_guard guard(m_log->lock);
                for (qint64 i = 0; i < got * channels; ++i) {
                    if (!playback.firstSoundAt && std::abs(buffer[size_t(i)]) > soundThreshold)
                        playback.firstSoundAt = Clock::now();
                }
                if (m_options.keepsFrames)
                    playback.frames.insert(playback.frames.end(), buffer.begin(),
                                           buffer.begin() + got * channels);
            }
            if (m_options.outputFailsAfter &&
                handed >= qint64(*m_options.outputFailsAfter * playback.format.sampleRate)) {
                ended(deviceFailed());
                return;
            }
            if (got == 0 && source.atEnd())
                break;
            if (got < 4096)
                wait(stop, tick);
        }
        const auto latency = std::chrono::duration<double>(m_options.latency / speed);
        if (!wait(stop, std::chrono::duration_cast<Clock::duration>(latency)))
            return;
        {
            std::lock_guard guard(m_log->lock);
            playback.playedBackAt = Clock::now();
        }
        ended(std::nullopt);
    }

    std::shared_ptr<ClockedAudioDevices::Log> m_log;
    ClockedAudioDevices::Options m_options;
    std::shared_ptr<ClockedAudioDevices::Playback> m_playback;
    std::shared_ptr<FrameSource> m_source;
    std::shared_ptr<Ended> m_ended;
    std::atomic<qint64> m_handed = 0;
    std::jthread m_thread;
    std::thread m_lateReport;
};

class ClockedInput final : public AudioInput {
public:
    explicit ClockedInput(std::shared_ptr<ClockedAudioDevices::Log> log) : m_log(std::move(log)) {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { deliver(); });
    }

    bool start(const AudioFormat& format,
               std::function<void(const float*, qint64)> frames) override {
        stop();
        m_options = m_log->options;
        if (m_options.inputFails)
            return false;
        m_format = format;
        m_frames = std::move(frames);
        m_delivered = 0;
        m_clock.start();
        m_timer.start();
        return true;
    }

    void stop() override {
        m_timer.stop();
        m_frames = {};
    }

private:
    void deliver() {
        const double speed = m_options.speed > 0 ? m_options.speed : 1.0;
        const qint64 due =
            qint64(double(m_clock.nsecsElapsed()) * 1e-9 * speed * m_format.sampleRate) -
            m_delivered;
        if (due <= 0 || !m_frames)
            return;
        std::vector<float> buffer(size_t(due * m_format.channels));
        if (m_options.signal) {
            for (qint64 i = 0; i < due; ++i)
                for (int c = 0; c < m_format.channels; ++c)
                    buffer[size_t(i * m_format.channels + c)] =
                        m_options.signal(m_delivered + i, c);
        }
        m_delivered += due;
        auto frames = m_frames; // the callback may stop this input
        frames(buffer.data(), due);
    }

    std::shared_ptr<ClockedAudioDevices::Log> m_log;
    ClockedAudioDevices::Options m_options;
    AudioFormat m_format;
    std::function<void(const float*, qint64)> m_frames;
    qint64 m_delivered = 0;
    QElapsedTimer m_clock;
    QTimer m_timer;
};

} // namespace

std::unique_ptr<AudioOutput> ClockedAudioDevices::makeOutput() {
    return std::make_unique<ClockedOutput>(m_log);
}

std::unique_ptr<AudioInput> ClockedAudioDevices::makeInput() {
    return std::make_unique<ClockedInput>(m_log);
}

std::vector<ClockedAudioDevices::Playback> ClockedAudioDevices::playbacks() const {
    std::lock_guard guard(m_log->lock);
    std::vector<Playback> copies;
    for (const auto& playback : m_log->playbacks)
        copies.push_back(*playback);
    return copies;
}
