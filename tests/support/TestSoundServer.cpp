#include "TestSoundServer.h"

#include <QDateTime>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

namespace TestSoundServer {

MicrophoneFeed::MicrophoneFeed(const QString& fifo)
    : m_worker([this, path = fifo.toStdString()](std::stop_token stop) { run(stop, path); }) {}

void MicrophoneFeed::say(const std::vector<float>& samples) {
    std::lock_guard guard(m_lock);
    m_queue.insert(m_queue.end(), samples.begin(), samples.end());
}

void MicrophoneFeed::run(std::stop_token stop, const std::string& path) {
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0 && !stop.stop_requested(); ++attempt)
        if ((fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK)) < 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (fd < 0)
        return;
    m_connected = true;
    const auto begin = std::chrono::steady_clock::now();
    qint64 written = 0;
    while (!stop.stop_requested()) {
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        std::vector<qint16> block(size_t(qint64(elapsed * 44100) - written), 0);
        {
            std::lock_guard guard(m_lock);
            for (size_t k = 0; k < block.size() && m_next < m_queue.size(); ++k)
                block[k] = qint16(std::clamp(m_queue[m_next++], -1.0f, 1.0f) * 32767);
        }
        (void)!::write(fd, block.data(), block.size() * sizeof(qint16));
        written += qint64(block.size());
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::close(fd);
}

bool SinkInStep::start() {
    m_stream.setStandardInputFile(QStringLiteral("/dev/zero"));
    m_stream.start(QStringLiteral("pacat"),
                   QStringLiteral("--playback --raw --format=s16le "
                                  "--rate=44100 --channels=1 --latency-msec=20")
                       .split(u' '));
    m_startedAt = QDateTime::currentMSecsSinceEpoch();
    return m_stream.waitForStarted();
}

void SinkInStep::waitUntilInStep() const {
    const qint64 left = m_startedAt + 2500 - QDateTime::currentMSecsSinceEpoch();
    if (left > 0)
        QTest::qWait(int(left));
}

SinkInStep::~SinkInStep() {
    if (m_stream.state() != QProcess::NotRunning) {
        m_stream.kill();
        m_stream.waitForFinished();
    }
}

} // namespace TestSoundServer
