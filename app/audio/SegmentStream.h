#pragma once

#include "audio/FrameQueue.h"

#include <thread>

class DecoderLender;

// One stretch of a media file, decoded from its first frame and stretched to a rate on a worker
// thread of its own while the output plays what is ready. Only the stretch is decoded.
class SegmentStream final : public FrameSource {
public:
    // Frames [first, first + count) of the lender's file, played at `rate`, samples scaled by
    // `gain`.
    SegmentStream(std::shared_ptr<DecoderLender> decoders, qint64 first, qint64 count, double rate,
                  double gain = 1);
    ~SegmentStream() override;

    // Stops the worker and waits for it (it stops between two blocks), so that the decoder is
    // back with its lender.
    void cancel();

    qint64 read(float* into, qint64 maxFrames) override { return m_queue.read(into, maxFrames); }
    bool atEnd() const override { return m_queue.atEnd(); }
    std::optional<qint64> totalFrames() const override { return m_queue.totalFrames(); }
    void setOnReady(std::function<void()> onReady) override {
        m_queue.setOnReady(std::move(onReady));
    }

private:
    void render(std::stop_token stop);

    const std::shared_ptr<DecoderLender> m_decoders;
    const qint64 m_first;
    const qint64 m_count;
    const double m_rate;
    const float m_gain;
    FrameQueue m_queue;
    std::jthread m_worker;
};
