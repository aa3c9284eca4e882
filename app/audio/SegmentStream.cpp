#include "audio/SegmentStream.h"

#include "audio/DecoderLender.h"
#include "audio/TimeStretcher.h"
#include "base/LogCategories.h"
#include "media/AudioDecoder.h"

namespace {
// Small enough that the first stretched frames are ready within a few milliseconds.
constexpr qint64 blockFrames = 2048;
// How far the worker runs ahead of the output.
constexpr double queueSeconds = 1.0;
} // namespace

SegmentStream::SegmentStream(std::shared_ptr<DecoderLender> decoders, qint64 first, qint64 count,
                             double rate, double gain)
    : m_decoders(std::move(decoders)), m_first(first), m_count(count), m_rate(rate),
      m_gain(float(gain)),
      m_queue(m_decoders->format().channels, qint64(queueSeconds * m_decoders->format().sampleRate),
              TimeStretcher::stretchedLength(count, rate)),
      m_worker([this](std::stop_token stop) { render(stop); }) {}

SegmentStream::~SegmentStream() {
    cancel();
}

void SegmentStream::cancel() {
    m_worker.request_stop();
    if (m_worker.joinable())
        m_worker.join();
}

void SegmentStream::render(std::stop_token stop) {
    const AudioFormat format = m_decoders->format();
    try {
        auto decoder = m_decoders->borrow();
        decoder->seek(m_first);
        TimeStretcher stretcher(format, m_rate, m_count);
        std::vector<float> input(size_t(blockFrames * format.channels));
        std::vector<float> output;
        qint64 left = m_count;
        while (!stop.stop_requested()) {
            const qint64 got =
                left > 0 ? decoder->read(input.data(), std::min(left, blockFrames)) : 0;
            left -= got;
            output.clear();
            stretcher.process(input.data(), got, got == 0 || left == 0, output);
            if (m_gain != 1)
                for (float& sample : output)
                    sample *= m_gain;
            const qint64 frames = qint64(output.size()) / format.channels;
            if (!m_queue.push(output.data(), frames, stop) || got == 0 || left == 0)
                break;
        }
        m_decoders->giveBack(std::move(decoder));
    } catch (const std::exception& error) {
        // A file that stops decoding part-way ends its segment there.
        qCDebug(lcAudio) << "a segment ends early:" << error.what();
    }
    m_queue.finish();
}
