#include "audio/LevelMeter.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double silence = -160.0;
}

LevelMeter::LevelMeter(int sampleRate, double windowSeconds)
    : m_window(size_t(std::max(1.0, std::round(sampleRate * windowSeconds)))) {}

void LevelMeter::add(const float* samples, qint64 count) {
    for (qint64 i = 0; i < count; ++i) {
        m_window[m_next] = samples[i];
        m_next = (m_next + 1) % m_window.size();
    }
    m_filled = std::min(m_window.size(), m_filled + size_t(std::max<qint64>(count, 0)));
}

double LevelMeter::averagePower() const {
    if (m_filled == 0)
        return silence;
    double sum = 0;
    for (size_t i = 0; i < m_filled; ++i)
        sum += double(m_window[i]) * m_window[i];
    const double rms = std::sqrt(sum / double(m_filled));
    return rms > 0 ? std::max(silence, 20.0 * std::log10(rms)) : silence;
}

double LevelMeter::level(double decibels) {
    if (!(decibels > -50.0))
        return 0.0;
    return std::min(1.0, (decibels + 50.0) / 50.0);
}
