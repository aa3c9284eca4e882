#include "media/EnergyProfile.h"

#include <algorithm>
#include <cmath>

bool EnergyProfile::holdsTime() const {
    return !rms.empty() && frameDuration > 0 && std::isfinite(frameDuration);
}

qsizetype EnergyProfile::frame(double t) const {
    const auto n = static_cast<qsizetype>(rms.size());
    if (n == 0)
        return 0;
    const double index = std::floor(t / frameDuration);
    if (!(index > 0))
        return 0;
    if (index >= static_cast<double>(n - 1))
        return n - 1;
    return static_cast<qsizetype>(index);
}

std::vector<float> EnergyProfile::bars(double from, double to, int count) const {
    if (count < 1)
        return {};
    std::vector<float> result(static_cast<size_t>(count), 0.0f);
    const auto n = static_cast<qsizetype>(rms.size());
    if (n == 0 || !(from < to))
        return result;

    const qsizetype s = frame(from);
    const double endFrame = std::ceil(to / frameDuration);
    qsizetype e = endFrame >= static_cast<double>(n) ? n : static_cast<qsizetype>(endFrame);
    e = std::max(e, s + 1);
    const double step = static_cast<double>(e - s) / count;

    float peak = 0;
    for (int i = 0; i < count; ++i) {
        qsizetype lo = s + static_cast<qsizetype>(step * i);
        qsizetype hi = s + static_cast<qsizetype>(step * (i + 1));
        hi = std::min(std::max(std::min(hi, e), lo + 1), n);
        lo = std::min(lo, n - 1);
        float raw = 0;
        for (qsizetype f = lo; f < hi; ++f)
            raw = std::max(raw, rms[static_cast<size_t>(f)]);
        result[static_cast<size_t>(i)] = raw;
        peak = std::max(peak, raw);
    }
    if (!(peak > 0))
        return result;
    for (float& bar : result)
        bar = std::sqrt(bar / peak);
    return result;
}

float EnergyProfile::decibels(float x, float floor) {
    if (!(x > 0))
        return floor;
    return std::max(20.0f * std::log10(x), floor);
}
