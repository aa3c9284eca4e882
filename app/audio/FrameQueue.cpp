#include "audio/FrameQueue.h"

#include <algorithm>

FrameQueue::FrameQueue(int channels, qint64 capacityFrames, std::optional<qint64> totalFrames)
    : m_channels(std::max(channels, 1)),
      m_capacitySamples(std::max<qint64>(capacityFrames, 1) * m_channels),
      m_totalFrames(totalFrames) {}

bool FrameQueue::push(const float* frames, qint64 count, std::stop_token stop) {
    qint64 left = count * m_channels;
    while (left > 0) {
        std::unique_lock guard(m_lock);
        if (!m_room.wait(guard, stop, [&] { return qint64(m_samples.size()) < m_capacitySamples; }))
            return false;
        // Whole frames only, so that a reader never sees half a frame.
        qint64 room = (m_capacitySamples - qint64(m_samples.size())) / m_channels * m_channels;
        const qint64 take = std::min(left, std::max<qint64>(room, m_channels));
        m_samples.insert(m_samples.end(), frames, frames + take);
        frames += take;
        left -= take;
        if (m_starved && m_onReady) {
            m_starved = false;
            m_onReady();
        }
    }
    return true;
}

void FrameQueue::finish() {
    std::lock_guard guard(m_lock);
    m_finished = true;
    if (m_starved && m_onReady) {
        m_starved = false;
        m_onReady();
    }
}

qint64 FrameQueue::read(float* into, qint64 maxFrames) {
    std::lock_guard guard(m_lock);
    const qint64 frames = std::min<qint64>(maxFrames, qint64(m_samples.size()) / m_channels);
    const auto end = m_samples.begin() + frames * m_channels;
    std::copy(m_samples.begin(), end, into);
    m_samples.erase(m_samples.begin(), end);
    if (frames == 0 && !m_finished)
        m_starved = true;
    if (frames > 0)
        m_room.notify_all();
    return frames;
}

bool FrameQueue::atEnd() const {
    std::lock_guard guard(m_lock);
    return m_finished && m_samples.empty();
}

void FrameQueue::setOnReady(std::function<void()> onReady) {
    std::lock_guard guard(m_lock);
    m_onReady = std::move(onReady);
}
