#include "speech/SphinxRecognition.h"

#include "base/QuellinError.h"
#include "media/AudioDecoder.h"
#include "media/EnergyProfile.h"
#include "speech/SpeechRegions.h"
#include "speech/SphinxDecoderPool.h"
#include "split/SilenceSplitter.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

constexpr double sampleRate = SphinxDecoder::sampleRate;

// Progress is reported whenever the recognised part has grown by this much (seconds of audio),
// and at least this often whatever the decoders do (the delegate hears twice a second or more).
constexpr double progressStep = 0.25;
constexpr auto heartbeat = std::chrono::milliseconds(400);
// How long the threads that wait for others sleep at most before looking at the progress again.
constexpr auto progressWait = std::chrono::milliseconds(150);

// The reader stays at most this much sound (queued stretches not yet decoding) ahead of the
// decoders: 2 MB, against the 115 MB an hour of the whole file.
constexpr size_t maxQueuedSamples = 60 * SphinxDecoder::sampleRate;

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

// A stretch of speech to decode, or the silence after the last one of a region (no samples): it
// stands for the part of the file from `from` to `to` in the progress.
struct SphinxRecognition::Stretch {
    std::vector<int16_t> samples; // freed once decoded
    bool speech = false;
    double offset = 0; // file time of the first sample
    double from = 0;
    double to = 0;
    double reached = 0; // file time decoded so far
    bool decoded = false;
    Transcription result; // freed once delivered
};

// The file's sound as 16-bit samples, read a window at a time. A window that overlaps the one
// before it keeps the overlap and reads on, rather than seeking back (file order reads each
// sample once).
class SphinxRecognition::Reader {
public:
    explicit Reader(const QString& path)
        : m_decoder(path, AudioFormat{SphinxDecoder::sampleRate, 1}) {}

    std::optional<size_t> totalSamples() const {
        const std::optional<qint64> length = m_decoder.lengthFrames();
        return length && *length > 0 ? std::optional<size_t>(size_t(*length)) : std::nullopt;
    }

    // Reads the samples from `first` to `last` (to the end when nothing).
    void read(size_t first, std::optional<size_t> last, const std::atomic<bool>& halted) {
        const size_t end = m_first + m_window.size();
        if (first >= m_first && first <= end && size_t(m_decoder.position()) == end) {
            m_window.erase(m_window.begin(), m_window.begin() + qsizetype(first - m_first));
        } else {
            m_decoder.seek(qint64(first));
            m_window.clear();
            m_reachedEnd = false;
        }
        m_first = first;
        while (!m_reachedEnd && (!last || m_first + m_window.size() < *last)) {
            if (halted)
                throw OperationCancelled();
            const size_t wanted =
                last ? std::min(m_block.size(), *last - m_first - m_window.size()) : m_block.size();
            const qint64 count = m_decoder.read(m_block.data(), qint64(wanted));
            m_reachedEnd = count == 0;
            for (qint64 i = 0; i < count; ++i)
                m_window.push_back(
                    int16_t(std::lround(std::clamp(m_block[size_t(i)], -1.0f, 1.0f) * 32767.0f)));
        }
    }

    std::span<const int16_t> window() const { return m_window; }
    size_t first() const { return m_first; }
    bool reachedEnd() const { return m_reachedEnd; }

private:
    AudioDecoder m_decoder;
    std::vector<float> m_block = std::vector<float>(SphinxDecoder::sampleRate / 10);
    std::vector<int16_t> m_window;
    size_t m_first = 0;
    bool m_reachedEnd = false;
};

SphinxRecognition::SphinxRecognition(QString path, SphinxDecoder::Model model, int decoders,
                                     SphinxDecoderPool& pool, RecognitionDelegate delegate,
                                     double from)
    : m_path(std::move(path)), m_model(std::move(model)), m_decoders(std::max(1, decoders)),
      m_pool(pool), m_delegate(std::move(delegate)), m_focus(from) {}

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
    {
        // Taken so that no thread misses the wake-up between looking at m_halted and waiting.
        std::lock_guard lock(m_mutex);
    }
    m_changed.notify_all();
    if (!m_cancelled.exchange(true))
        m_delegate.cancelled();
}

void SphinxRecognition::run() {
    std::exception_ptr failure;
    std::mutex failureMutex;
    const auto fail = [&] {
        std::lock_guard lock(failureMutex);
        if (!failure)
            failure = std::current_exception();
        m_halted = true;
        m_changed.notify_all();
    };
    // The decoders load while the first stretches are read.
    m_decodersRunning = m_decoders;
    std::vector<std::thread> workers;
    for (int i = 0; i < m_decoders; ++i) {
        workers.emplace_back([&] {
            try {
                const Borrowed decoder(m_pool,
                                       m_pool.take(m_model, [this] { return m_halted.load(); }));
                decodeOn(*decoder);
            } catch (const OperationCancelled&) {
            } catch (...) {
                fail();
            }
            std::lock_guard lock(m_mutex);
            --m_decodersRunning;
            m_changed.notify_all();
        });
    }
    try {
        readAll();
    } catch (const OperationCancelled&) {
    } catch (...) {
        fail();
    }
    {
        std::lock_guard lock(m_mutex);
        m_readingDone = true;
    }
    m_changed.notify_all();
    waitForDecoders();
    for (std::thread& worker : workers)
        worker.join();

    try {
        if (failure)
            std::rethrow_exception(failure);
        if (!m_halted) {
            publish();
            m_delegate.finished(true);
        }
        // Else cancelled: the delegate has heard of it already.
    } catch (const QuellinError& error) {
        m_delegate.finished(false, error.description());
    } catch (const std::exception& error) {
        m_delegate.finished(false, QString::fromUtf8(error.what()));
    }
    m_done = true;
}

void SphinxRecognition::readAll() {
    Reader reader(m_path);
    SpeechRegions regions(reader.totalSamples());
    while (const std::optional<size_t> region = regions.takeNearest(m_focus)) {
        reader.read(regions.readFirst(*region), regions.readLast(*region), m_halted);
        const SpeechRegions::Bounds bounds =
            regions.bounds(*region, reader.window(), reader.first(), reader.reachedEnd());
        queueRegion(
            reader.window().subspan(bounds.first - reader.first(), bounds.last - bounds.first),
            bounds.first);
    }
}

void SphinxRecognition::queueRegion(std::span<const int16_t> samples, size_t first) {
    const double start = double(first) / sampleRate;
    double accounted = start;
    for (const TimeRange& range : speechStretches(samples, [this] { return m_halted.load(); })) {
        const size_t begin = std::min(samples.size(), size_t(range.start * sampleRate));
        const size_t end = std::min(samples.size(), size_t(std::ceil(range.end * sampleRate)));
        if (end <= begin)
            continue;
        Stretch stretch;
        stretch.samples.assign(samples.begin() + qsizetype(begin),
                               samples.begin() + qsizetype(end));
        stretch.speech = true;
        stretch.offset = start + double(begin) / sampleRate;
        stretch.from = accounted;
        stretch.to = start + double(end) / sampleRate;
        stretch.reached = stretch.offset;
        accounted = stretch.to;
        queue(std::move(stretch));
    }
    Stretch rest;
    rest.from = accounted;
    rest.to = std::max(accounted, start + double(samples.size()) / sampleRate);
    rest.decoded = true;
    queue(std::move(rest));
}

void SphinxRecognition::queue(Stretch stretch) {
    {
        std::unique_lock lock(m_mutex);
        while (m_queuedSamples > maxQueuedSamples && !m_halted) {
            m_changed.wait_for(lock, progressWait);
            lock.unlock();
            publish();
            lock.lock();
        }
        if (m_halted)
            throw OperationCancelled();
        m_queuedSamples += stretch.samples.size();
        m_stretches.push_back(std::move(stretch));
    }
    m_changed.notify_all();
    publish();
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

// Takes the first queued stretch not yet taken, so that the decoders share the work evenly and
// results come in the order queued.
void SphinxRecognition::decodeOn(SphinxDecoder& decoder) {
    for (;;) {
        Stretch* taken = nullptr;
        {
            std::unique_lock lock(m_mutex);
            for (;;) {
                while (m_nextToDecode < m_stretches.size() && m_stretches[m_nextToDecode].decoded)
                    ++m_nextToDecode;
                if (m_halted)
                    return;
                if (m_nextToDecode < m_stretches.size())
                    break;
                if (m_readingDone)
                    return;
                m_changed.wait(lock);
            }
            // The reader only adds to the queue, which keeps the stretch where it is.
            taken = &m_stretches[m_nextToDecode++];
            m_queuedSamples -= taken->samples.size();
        }
        m_changed.notify_all();
        Stretch& stretch = *taken;
        Transcription result = decoder.decode(stretch.samples, stretch.offset, [&](double reached) {
            {
                std::lock_guard lock(m_mutex);
                stretch.reached = reached;
            }
            publish();
            return !m_halted;
        });
        {
            std::lock_guard lock(m_mutex);
            stretch.result = std::move(result);
            std::vector<int16_t>().swap(stretch.samples);
            stretch.decoded = true;
        }
        publish();
    }
}

void SphinxRecognition::waitForDecoders() {
    std::unique_lock lock(m_mutex);
    while (m_decodersRunning > 0) {
        m_changed.wait_for(lock, progressWait);
        lock.unlock();
        publish();
        lock.lock();
    }
}

void SphinxRecognition::publish() {
    std::lock_guard lock(m_mutex);
    if (m_halted)
        return;
    bool delivered = false;
    while (m_delivered < m_stretches.size() && m_stretches[m_delivered].decoded) {
        Stretch& stretch = m_stretches[m_delivered];
        // Silent stretches count too: the listener learns that nothing was said there.
        m_delegate.recognized(stretch.result, TimeRange(stretch.from, stretch.to));
        stretch.result = {};
        m_deliveredSeconds += stretch.to - stretch.from;
        ++m_delivered;
        delivered = true;
    }
    double covered = m_deliveredSeconds;
    if (m_delivered < m_stretches.size()) {
        const Stretch& next = m_stretches[m_delivered];
        covered += std::max(0.0, next.reached - next.from);
    }
    const auto now = std::chrono::steady_clock::now();
    if (delivered || covered >= m_reported + progressStep || now - m_lastReport >= heartbeat) {
        m_reported = std::max(m_reported, covered);
        m_lastReport = now;
        m_delegate.reached(m_reported);
    }
}
