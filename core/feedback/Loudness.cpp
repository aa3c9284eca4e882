#include "feedback/Loudness.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

struct StateDeleter {
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};

double fromDecibels(double decibels) {
    return std::pow(10.0, decibels / 20);
}

} // namespace

std::optional<double> Loudness::integrated(std::span<const float> mono, int sampleRate) {
    if (mono.empty() || sampleRate <= 0)
        return std::nullopt;
    const std::unique_ptr<ebur128_state, StateDeleter> state(
        ebur128_init(1, static_cast<unsigned long>(sampleRate), EBUR128_MODE_I));
    if (!state ||
        ebur128_add_frames_float(state.get(), mono.data(), mono.size()) != EBUR128_SUCCESS)
        return std::nullopt;
    double lufs = 0;
    if (ebur128_loudness_global(state.get(), &lufs) != EBUR128_SUCCESS || !std::isfinite(lufs))
        return std::nullopt;
    return lufs;
}

float Loudness::peak(std::span<const float> mono) {
    float highest = 0;
    for (const float s : mono)
        highest = std::max(highest, std::abs(s));
    return highest;
}

double Loudness::matchingGain(std::optional<double> originalLufs, std::optional<double> takeLufs,
                              float takePeak) {
    if (!originalLufs || !takeLufs)
        return 1;
    const double decibels =
        std::clamp(*originalLufs - *takeLufs, -maxGainDecibels, maxGainDecibels);
    double gain = fromDecibels(decibels);
    if (takePeak > 0)
        gain = std::min(gain, 1.0 / double(takePeak));
    return gain;
}
