#pragma once

#include "speech/SphinxDecoder.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Loads and frees PocketSphinx decoders on a thread of its own, and keeps the decoders that
// recognitions give back for the next one. PocketSphinx can interrupt neither loading a model
// (about a second), nor freeing one (about a tenth), nor ending an utterance that a stop cut short
// (its last search pass): done here, they never keep a recognition's threads from ending at once
// when it is stopped. Owned by the engine, which ends every
// recognition before the pool; the destructor kills a model check under way, waits for a load
// under way and joins the thread. `take` and `give` are safe from any thread.
class SphinxDecoderPool {
public:
    // `keep`: how many idle decoders are kept at most; more are freed.
    explicit SphinxDecoderPool(size_t keep);
    ~SphinxDecoderPool();
    SphinxDecoderPool(const SphinxDecoderPool&) = delete;
    SphinxDecoderPool& operator=(const SphinxDecoderPool&) = delete;

    // A decoder of the model: an idle one, or one loaded for this call. Throws
    // OperationCancelled as soon as `stopped` answers true (asked every few milliseconds), and
    // QuellinError when the model does not load.
    std::unique_ptr<SphinxDecoder> take(const SphinxDecoder::Model& model,
                                        const std::function<bool()>& stopped);
    // Takes a decoder back: kept for the next `take` of its model, or freed on the pool's thread.
    void give(std::unique_ptr<SphinxDecoder> decoder);

private:
    struct Load;

    void run();
    void keepIdle(std::unique_ptr<SphinxDecoder> decoder); // with m_mutex held

    std::mutex m_mutex;
    std::condition_variable m_changed;
    const size_t m_keep;
    bool m_shuttingDown = false;
    std::deque<std::shared_ptr<Load>> m_loads;
    std::vector<std::unique_ptr<SphinxDecoder>> m_idle; // oldest first
    std::vector<std::unique_ptr<SphinxDecoder>> m_toFree;
    std::vector<std::unique_ptr<SphinxDecoder>> m_toFinish; // stopped part-way: end, then keep
    std::thread m_thread;
};
