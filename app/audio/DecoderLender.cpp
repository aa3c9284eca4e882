#include "audio/DecoderLender.h"

#include "media/AudioDecoder.h"

#include <limits>

DecoderLender::DecoderLender(QString path)
    : m_path(std::move(path)), m_parked(std::make_unique<AudioDecoder>(m_path)) {
    m_format = m_parked->format();
    if (m_format.channels > 2) {
        m_format.channels = 2;
        m_parked = std::make_unique<AudioDecoder>(m_path, m_format);
    }
    if (const auto frames = m_parked->lengthFrames())
        m_lengthFrames = *frames;
    else if (m_parked->durationSeconds() > 0)
        m_lengthFrames = qint64(m_parked->durationSeconds() * m_format.sampleRate);
    else
        m_lengthFrames = std::numeric_limits<qint64>::max(); // decoding stops at the real end
}

DecoderLender::~DecoderLender() = default;

std::unique_ptr<AudioDecoder> DecoderLender::borrow() {
    {
        std::lock_guard guard(m_lock);
        if (m_parked)
            return std::move(m_parked);
    }
    return std::make_unique<AudioDecoder>(m_path, m_format);
}

void DecoderLender::giveBack(std::unique_ptr<AudioDecoder> decoder) {
    std::lock_guard guard(m_lock);
    if (!m_parked)
        m_parked = std::move(decoder);
}
