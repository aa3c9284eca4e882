#pragma once

#include "speech/RecognitionEngine.h"
#include "speech/SphinxDecoder.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class SphinxDecoderPool;
struct TimeRange;

// One recognition of a file by PocketSphinx. It reads the file as 16 kHz mono 16-bit audio, cuts
// it at pauses into stretches of speech, decodes every stretch as an utterance of its own (the
// engine drifts and fails over long streams) on one decoder per core, and reports to the delegate
// in time order: a final result per stretch once all before it are done, and partial progress up
// to the end of the part decoded without gaps.
class SphinxRecognition final : public RecognitionTask {
public:
    // `pool` gives the decoders; it must outlive the recognition's threads (stopAndWait).
    SphinxRecognition(QString path, SphinxDecoder::Model model, int decoders,
                      SphinxDecoderPool& pool, RecognitionDelegate delegate);
    ~SphinxRecognition() override; // cancels and waits for the threads

    void start();
    void cancel() override;
    // Cancels and waits until every thread of this recognition has ended. Not from one of them.
    void stopAndWait();
    bool isDone() const { return m_done; }

    // Where a recording's speech lies: the stretches to decode, padded with a little silence.
    // Throws OperationCancelled once `stopped` answers true.
    static std::vector<TimeRange> speechStretches(std::span<const int16_t> samples,
                                                  const std::function<bool()>& stopped = {});

private:
    struct Stretch;

    void run();
    std::vector<int16_t> readAudio() const;
    void decodeAll(const std::vector<int16_t>& samples, const std::vector<TimeRange>& ranges);
    void decodeOn(SphinxDecoder& decoder, const std::vector<int16_t>& samples);
    void publish();

    const QString m_path;
    const SphinxDecoder::Model m_model;
    const int m_decoders;
    SphinxDecoderPool& m_pool;
    const RecognitionDelegate m_delegate;
    std::atomic<bool> m_halted = false; // cancelled, or a decoder failed
    std::atomic<bool> m_cancelled = false;
    std::atomic<bool> m_done = false;
    std::thread m_thread;
    std::mutex m_joinMutex;

    // Shared by the decoding threads, guarded by m_mutex.
    std::mutex m_mutex;
    std::vector<Stretch> m_stretches;
    std::atomic<size_t> m_nextToDecode = 0;
    size_t m_delivered = 0;
    double m_reported = -1;
    double m_duration = 0;
};
