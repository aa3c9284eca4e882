#pragma once

#include "audio/AudioDevices.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <stop_token>

// A bounded first-in first-out queue of interleaved frames between one producer thread and the
// output that pulls them. The producer waits while the queue is full, so a long segment never
// sits in memory whole.
class FrameQueue : public FrameSource {
public:
    FrameQueue(int channels, qint64 capacityFrames, std::optional<qint64> totalFrames = {});

    // Appends frames, waiting for room; returns false (appending nothing more) when `stop` is
    // requested while waiting.
    bool push(const float* frames, qint64 count, std::stop_token stop = {});
    // No frames follow the ones pushed so far.
    void finish();

    qint64 read(float* into, qint64 maxFrames) override;
    bool atEnd() const override;
    std::optional<qint64> totalFrames() const override { return m_totalFrames; }
    void setOnReady(std::function<void()> onReady) override;

private:
    const int m_channels;
    const qint64 m_capacitySamples;
    const std::optional<qint64> m_totalFrames;
    mutable std::mutex m_lock;
    std::condition_variable_any m_room;
    std::deque<float> m_samples;
    bool m_finished = false;
    bool m_starved = false;
    std::function<void()> m_onReady;
};
