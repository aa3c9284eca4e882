#pragma once

#include "speech/RecognitionEngine.h"
#include "speech/SphinxDecoder.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class AudioDecoder;
class SpeechRegions;
class SphinxDecoderPool;
struct TimeRange;

// One recognition of a file by PocketSphinx. A reading thread streams the file as 16 kHz mono
// 16-bit audio region by region (SpeechRegions: the region around the focus first, then outward),
// cuts each region at pauses into stretches of speech and queues them; decoding threads decode
// every stretch as an utterance of its own (the engine drifts and fails over long streams), on as
// many decoders as the recognition was given. Only a minute or so of queued sound is held at any
// time, whatever the file's length. The delegate hears the results in the order the stretches
// were queued (file order when the focus stays at the start), and as partial progress how much of
// the file is recognised, at least twice a second from the start.
class SphinxRecognition final : public RecognitionTask {
public:
    // `pool` gives the decoders; it must outlive the recognition's threads (stopAndWait).
    // `from`: the file time (seconds) recognised first.
    SphinxRecognition(QString path, SphinxDecoder::Model model, int decoders,
                      SphinxDecoderPool& pool, RecognitionDelegate delegate, double from = 0);
    ~SphinxRecognition() override; // cancels and waits for the threads

    void start();
    void cancel() override;
    // The regions not read yet are taken nearest `seconds` first.
    void focus(double seconds) override { m_focus = seconds; }
    // Cancels and waits until every thread of this recognition has ended. Not from one of them.
    void stopAndWait();
    bool isDone() const { return m_done; }

    // Where a recording's speech lies: the stretches to decode, padded with a little silence.
    // Throws OperationCancelled once `stopped` answers true.
    static std::vector<TimeRange> speechStretches(std::span<const int16_t> samples,
                                                  const std::function<bool()>& stopped = {});

private:
    struct Stretch;
    class Reader;

    void run();
    void readAll();
    void queueRegion(std::span<const int16_t> samples, size_t first);
    void queue(Stretch stretch);
    void decodeOn(SphinxDecoder& decoder);
    void waitForDecoders();
    void publish();

    const QString m_path;
    const SphinxDecoder::Model m_model;
    const int m_decoders;
    SphinxDecoderPool& m_pool;
    const RecognitionDelegate m_delegate;
    std::atomic<double> m_focus;
    std::atomic<bool> m_halted = false; // cancelled, or a decoder failed
    std::atomic<bool> m_cancelled = false;
    std::atomic<bool> m_done = false;
    std::thread m_thread;
    std::mutex m_joinMutex;

    // Shared by the reading and decoding threads, guarded by m_mutex.
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Stretch> m_stretches; // in the order queued; sound freed once decoded
    size_t m_nextToDecode = 0;
    size_t m_queuedSamples = 0; // queued, not yet taken by a decoder
    bool m_readingDone = false;
    int m_decodersRunning = 0;
    size_t m_delivered = 0;
    double m_deliveredSeconds = 0; // of the file, by the stretches delivered
    double m_reported = -1;
    std::chrono::steady_clock::time_point m_lastReport;
};
