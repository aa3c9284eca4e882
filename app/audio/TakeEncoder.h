#pragma once

#include <QString>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class AudioFileWriter;

// Encodes a mono 44100 Hz recording to AAC in an .m4a file on a worker thread, so that the
// thread that receives the microphone's frames only copies them.
class TakeEncoder {
public:
    static constexpr int sampleRate = 44100;
    static constexpr int bitRate = 128000;

    // Creates the file. Throws MediaError.
    explicit TakeEncoder(const QString& path);
    // Without finish() the file is left incomplete.
    ~TakeEncoder();

    void write(const float* samples, qint64 count);
    // Encodes what is still queued and completes the file; returns why it could not, in the
    // user's terms.
    std::optional<QString> finish();

private:
    void run(std::stop_token stop);

    std::unique_ptr<AudioFileWriter> m_writer;
    std::mutex m_lock;
    std::condition_variable_any m_wake;
    std::deque<std::vector<float>> m_chunks;
    bool m_closing = false;
    std::optional<QString> m_failure; // written by the worker only
    std::jthread m_worker;
};
