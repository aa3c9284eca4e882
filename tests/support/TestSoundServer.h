#pragma once

#include <QProcess>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

// Helpers for suites that run on the PulseAudio server of scripts/test: a null sink as the
// speakers and a pipe source (its FIFO in $QUELLIN_TEST_MIC_FIFO) as the microphone.
namespace TestSoundServer {

// Writes 16-bit mono 44100 Hz samples into the pipe that the test server's microphone reads, in
// real time, and silence whenever it has nothing else to say: a source without input stalls.
class MicrophoneFeed {
public:
    explicit MicrophoneFeed(const QString& fifo);

    // Queues samples (mono, 44100 Hz, -1…1) to be said after what is queued already.
    void say(const std::vector<float>& samples);
    bool connected() const { return m_connected; }

private:
    void run(std::stop_token stop, const std::string& path);

    std::mutex m_lock;
    std::vector<float> m_queue;
    size_t m_next = 0;
    std::atomic<bool> m_connected = false;
    std::jthread m_worker;
};

// PulseAudio's null sink renders two seconds ahead while nothing plays and takes back only about
// 0.1 s of that when a stream arrives, so a first sound after a quiet spell would start up to two
// seconds late; a sound card takes back all of it. This silent low-latency stream keeps the null
// sink in step, as a sound card would be, once the two seconds it rendered before have passed.
// Start it before other threads run: QProcess forks, and a fork while another thread holds a
// lock of the sanitizer's allocator leaves the child hanging.
class SinkInStep {
public:
    // Starts the stream; false when pacat cannot start.
    bool start();
    // Waits until the sink is in step (two and a half seconds after start()).
    void waitUntilInStep() const;
    ~SinkInStep();

private:
    QProcess m_stream;
    qint64 m_startedAt = 0;
};

} // namespace TestSoundServer
