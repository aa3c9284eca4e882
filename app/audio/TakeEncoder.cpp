#include "audio/TakeEncoder.h"

#include "media/AudioFileWriter.h"

TakeEncoder::TakeEncoder(const QString& path)
    : m_writer(std::make_unique<AudioFileWriter>(path, AudioFormat{sampleRate, 1}, bitRate)),
      m_worker([this](std::stop_token stop) { run(stop); }) {}

TakeEncoder::~TakeEncoder() {
    m_worker.request_stop();
    if (m_worker.joinable())
        m_worker.join();
}

void TakeEncoder::write(const float* samples, qint64 count) {
    if (count <= 0)
        return;
    {
        std::lock_guard guard(m_lock);
        m_chunks.emplace_back(samples, samples + count);
    }
    m_wake.notify_one();
}

std::optional<QString> TakeEncoder::finish() {
    {
        std::lock_guard guard(m_lock);
        m_closing = true;
    }
    m_wake.notify_one();
    if (m_worker.joinable())
        m_worker.join();
    return m_failure;
}

void TakeEncoder::run(std::stop_token stop) {
    for (;;) {
        std::vector<float> chunk;
        {
            std::unique_lock guard(m_lock);
            if (!m_wake.wait(guard, stop, [this] { return m_closing || !m_chunks.empty(); }))
                return; // abandoned
            if (m_chunks.empty())
                break; // closing, and everything is written
            chunk = std::move(m_chunks.front());
            m_chunks.pop_front();
        }
        if (m_failure)
            continue;
        try {
            m_writer->write(chunk.data(), qint64(chunk.size()));
        } catch (const std::exception& error) {
            m_failure = QString::fromUtf8(error.what());
        }
    }
    try {
        if (!m_failure)
            m_writer->finish();
    } catch (const std::exception& error) {
        m_failure = QString::fromUtf8(error.what());
    }
}
