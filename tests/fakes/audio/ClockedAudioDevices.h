#pragma once

#include "audio/AudioDevices.h"

#include <chrono>
#include <mutex>
#include <vector>

// Audio devices without a sound card, for tests and benchmarks. An output takes frames from its
// source at the pace of a clock, on a thread of its own as a sound card's callback would, keeps
// everything it was handed and reports the end from that thread. An input delivers a generated
// signal at the pace of the clock.
class ClockedAudioDevices final : public AudioDevices {
public:
    using Clock = std::chrono::steady_clock;

    struct Options {
        // Seconds of audio per second of real time; above 1 tests run faster than the audio.
        double speed = 1.0;
        // Seconds between handing over the last frame and its being heard.
        double latency = 0.0;
        bool outputFails = false;
        // Seconds of audio after which an output's device fails, as when it is unplugged.
        std::optional<double> outputFailsAfter;
        bool inputFails = false;
        // An output also reports the end of a segment that was stopped, after the stop.
        bool reportsAfterStop = false;
        // Whether outputs keep what they were handed in their playbacks' frames.
        bool keepsFrames = true;
        // The input's signal: sample value at a frame and channel; silence when empty.
        std::function<float(qint64 frame, int channel)> signal;
    };

    // One start() of an output: what it was handed and when.
    struct Playback {
        AudioFormat format;
        std::vector<float> frames;
        Clock::time_point startedAt;
        // When the first frame above -60 dBFS was handed over.
        std::optional<Clock::time_point> firstSoundAt;
        std::optional<Clock::time_point> playedBackAt;
        bool stopped = false;
    };

    ClockedAudioDevices() : m_log(std::make_shared<Log>()) {}

    std::unique_ptr<AudioOutput> makeOutput() override;
    std::unique_ptr<AudioInput> makeInput() override;

    // Read when an output or input starts; tests may change them in between.
    Options& options() { return m_log->options; }

    // A copy of every playback so far, oldest first.
    std::vector<Playback> playbacks() const;

    struct Log {
        Options options;
        mutable std::mutex lock;
        std::vector<std::shared_ptr<Playback>> playbacks;
    };

private:
    std::shared_ptr<Log> m_log;
};
