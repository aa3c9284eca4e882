#include "speech/SphinxRecognition.h"

#include "base/QuellinError.h"
#include "media/AudioDecoder.h"
#include "media/EnergyProfile.h"
#include "speech/SphinxDecoderPool.h"
#include "split/SilenceSplitter.h"

#include <algorithm>
#include <cmath>

namespace {

// Progress is reported whenever the decoded part has grown by this much (seconds of audio).
constexpr double progressStep = 0.25;

// Stretches are cut at pauses of this length, padded with silence the decoder expects around
// speech, and kept short enough for the decoder's search to stay reliable. A short stretch is
// not joined to a neighbour: across a long pause that would have the decoder listen to seconds of
// silence (exact zeros in edited videos) with the word, which it hears worse, and more slowly.
const SilenceSplitter stretchSplitter{/*minPause*/ 0.4, /*minSentence*/ 0, /*maxSentence*/ 20.0,
                                      /*pad*/ 0.3, /*minSound*/ 0.1};

// A decoder from the pool, given back whatever happens: freeing it on this thread would hold up
// a stop by a tenth of a second.
class Borrowed {
public:
    Borrowed(SphinxDecoderPool& pool, std::unique_ptr<SphinxDecoder> decoder)
        : m_pool(pool), m_decoder(std::move(decoder)) {}
    ~Borrowed() { m_pool.give(std::move(m_decoder)); }
    Borrowed(const Borrowed&) = delete;
    Borrowed& operator=(const Borrowed&) = delete;
    SphinxDecoder& operator*() const { return *m_decoder; }

private:
    SphinxDecoderPool& m_pool;
    std::unique_ptr<SphinxDecoder> m_decoder;
};

} // namespace

struct SphinxRecognition::Stretch {
    size_t first = 0; // sample range in the file
    size_t count = 0;
    double reached = 0; // file time decoded so far within the stretch
    bool decoded = false;
    Transcription result;

    double start() const { return double(first) / SphinxDecoder::sampleRate; }
};

SphinxRecognition::SphinxRecognition(QString path, SphinxDecoder::Model model, int decoders,
                                     SphinxDecoderPool& pool, RecognitionDelegate delegate)
    : m_path(std::move(path)), m_model(std::move(model)), m_decoders(std::max(1, decoders)),
      m_pool(pool), m_delegate(std::move(delegate)) {}

SphinxRecognition::~SphinxRecognition() {
    stopAndWait();
}

void SphinxRecognition::stopAndWait() {
    cancel();
    std::lock_guard lock(m_joinMutex);
    if (m_thread.joinable())
        m_thread.join();
}

void SphinxRecognition::start() {
    m_thread = std::thread([this] { run(); });
}

void SphinxRecognition::cancel() {
    m_halted = true;
    if (!m_cancelled.exchange(true))
        m_delegate.cancelled();
}

void SphinxRecognition::run() {
    try {
        const std::vector<int16_t> samples = readAudio();
        m_duration = double(samples.size()) / SphinxDecoder::sampleRate;
        decodeAll(samples, speechStretches(samples, [this] { return m_halted.load(); }));
        m_delegate.finished(true);
    } catch (const OperationCancelled&) {
        // The delegate has heard of the cancellation already.
    } catch (const QuellinError& error) {
        m_delegate.finished(false, error.description());
    } catch (const std::exception& error) {
        m_delegate.finished(false, QString::fromUtf8(error.what()));
    }
    m_done = true;
}

std::vector<int16_t> SphinxRecognition::readAudio() const {
    AudioDecoder decoder(m_path, AudioFormat{SphinxDecoder::sampleRate, 1});
    std::vector<int16_t> samples;
    if (const std::optional<qint64> length = decoder.lengthFrames())
        samples.reserve(size_t(std::clamp<qint64>(*length, 0, qint64(4) * 3600 * 16000)));
    std::vector<float> block(SphinxDecoder::sampleRate);
    while (const qint64 count = decoder.read(block.data(), qint64(block.size()))) {
        if (m_halted)
            throw OperationCancelled();
        for (qint64 i = 0; i < count; ++i)
            samples.push_back(int16_t(std::lround(std::clamp(block[i], -1.0f, 1.0f) * 32767.0f)));
    }
    return samples;
}

std::vector<TimeRange> SphinxRecognition::speechStretches(std::span<const int16_t> samples,
                                                          const std::function<bool()>& stopped) {
    constexpr size_t frame = SphinxDecoder::sampleRate / 100;
    // An hour's frames take a good fraction of a second: look for a stop request every minute.
    constexpr size_t framesBetweenChecks = 6000;
    std::vector<float> rms;
    rms.reserve(samples.size() / frame + 1);
    for (size_t start = 0; start < samples.size(); start += frame) {
        if (stopped && rms.size() % framesBetweenChecks == 0 && stopped())
            throw OperationCancelled();
        const size_t count = std::min(frame, samples.size() - start);
        double sum = 0;
        for (size_t i = start; i < start + count; ++i)
            sum += double(samples[i]) * samples[i];
        rms.push_back(float(std::sqrt(sum / double(count)) / 32768.0));
    }
    return stretchSplitter.split(EnergyProfile(0.01, std::move(rms)));
}

void SphinxRecognition::decodeAll(const std::vector<int16_t>& samples,
                                  const std::vector<TimeRange>& ranges) {
    for (const TimeRange& range : ranges) {
        Stretch stretch;
        stretch.first = std::min(samples.size(), size_t(range.start * SphinxDecoder::sampleRate));
        const size_t end =
            std::min(samples.size(), size_t(std::ceil(range.end * SphinxDecoder::sampleRate)));
        stretch.count = end > stretch.first ? end - stretch.first : 0;
        stretch.reached = stretch.start();
        m_stretches.push_back(std::move(stretch));
    }

    std::exception_ptr failure;
    std::mutex failureMutex;
    std::vector<std::thread> workers;
    const int count = std::min<int>(m_decoders, int(m_stretches.size()));
    for (int i = 0; i < count; ++i) {
        workers.emplace_back([&] {
            try {
                const Borrowed decoder(m_pool,
                                       m_pool.take(m_model, [this] { return m_halted.load(); }));
                decodeOn(*decoder, samples);
            } catch (const OperationCancelled&) {
            } catch (...) {
                std::lock_guard lock(failureMutex);
                if (!failure)
                    failure = std::current_exception();
                m_halted = true;
            }
        });
    }
    for (std::thread& worker : workers)
        worker.join();
    if (failure)
        std::rethrow_exception(failure);
    if (m_halted)
        throw OperationCancelled();
    publish();
}

// Takes the next stretch not yet taken, so that the decoders share the work evenly and the part
// decoded without gaps grows steadily from the start of the file.
void SphinxRecognition::decodeOn(SphinxDecoder& decoder, const std::vector<int16_t>& samples) {
    for (;;) {
        const size_t index = m_nextToDecode++;
        if (index >= m_stretches.size() || m_halted)
            return;
        size_t first = 0;
        size_t count = 0;
        {
            std::lock_guard lock(m_mutex);
            first = m_stretches[index].first;
            count = m_stretches[index].count;
        }
        const double offset = double(first) / SphinxDecoder::sampleRate;
        Transcription result =
            decoder.decode(std::span(samples).subspan(first, count), offset, [&](double reached) {
                {
                    std::lock_guard lock(m_mutex);
                    m_stretches[index].reached = reached;
                }
                publish();
                return !m_halted;
            });
        {
            std::lock_guard lock(m_mutex);
            m_stretches[index].result = std::move(result);
            m_stretches[index].decoded = true;
        }
        publish();
    }
}

void SphinxRecognition::publish() {
    std::lock_guard lock(m_mutex);
    if (m_halted)
        return;
    bool delivered = false;
    while (m_delivered < m_stretches.size() && m_stretches[m_delivered].decoded) {
        m_delegate.recognized(m_stretches[m_delivered].result);
        m_stretches[m_delivered].result = {};
        ++m_delivered;
        delivered = true;
    }
    const double reached =
        m_delivered < m_stretches.size() ? m_stretches[m_delivered].reached : m_duration;
    if (delivered || reached >= m_reported + progressStep) {
        m_reported = reached;
        m_delegate.reached(reached);
    }
}
