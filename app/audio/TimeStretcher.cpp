#include "audio/TimeStretcher.h"

#include <rubberband/RubberBandStretcher.h>

#include <algorithm>
#include <cmath>

using RubberBand::RubberBandStretcher;

namespace {
constexpr qint64 maxBlock = 4096;

bool changesSpeed(double rate) {
    return std::isfinite(rate) && rate > 0 && std::abs(rate - 1.0) >= 1e-6;
}
} // namespace

qint64 TimeStretcher::stretchedLength(qint64 count, double rate) {
    return changesSpeed(rate) ? qint64(std::llround(double(count) / rate)) : count;
}

int TimeStretcher::options() {
    return RubberBandStretcher::OptionProcessOffline | RubberBandStretcher::OptionEngineFiner |
           RubberBandStretcher::OptionWindowShort | RubberBandStretcher::OptionThreadingNever;
}

TimeStretcher::TimeStretcher(AudioFormat format, double rate, qint64 inputFrames)
    : m_channels(std::max(format.channels, 1)) {
    if (!changesSpeed(rate))
        return;
    m_stretcher = std::make_unique<RubberBandStretcher>(
        size_t(format.sampleRate), size_t(m_channels), options(), 1.0 / rate, 1.0);
    m_stretcher->setExpectedInputDuration(size_t(std::max<qint64>(inputFrames, 0)));
    m_stretcher->setMaxProcessSize(size_t(maxBlock));
    m_planar.assign(size_t(m_channels), std::vector<float>(size_t(maxBlock)));
    for (auto& channel : m_planar)
        m_pointers.push_back(channel.data());
}

TimeStretcher::~TimeStretcher() = default;

void TimeStretcher::process(const float* frames, qint64 count, bool last, std::vector<float>& out) {
    if (!m_stretcher) {
        out.insert(out.end(), frames, frames + count * m_channels);
        return;
    }
    do {
        const qint64 block = std::min(count, maxBlock);
        for (qint64 i = 0; i < block; ++i)
            for (int c = 0; c < m_channels; ++c)
                m_planar[size_t(c)][size_t(i)] = frames[i * m_channels + c];
        frames += block * m_channels;
        count -= block;
        m_stretcher->process(m_pointers.data(), size_t(block), last && count == 0);
        retrieve(out);
    } while (count > 0);
}

void TimeStretcher::retrieve(std::vector<float>& out) {
    int available;
    while ((available = m_stretcher->available()) > 0) {
        const size_t got =
            m_stretcher->retrieve(m_pointers.data(), std::min<size_t>(size_t(available), maxBlock));
        const size_t base = out.size();
        out.resize(base + got * size_t(m_channels));
        for (size_t i = 0; i < got; ++i)
            for (int c = 0; c < m_channels; ++c)
                out[base + i * size_t(m_channels) + size_t(c)] = m_planar[size_t(c)][i];
    }
}
