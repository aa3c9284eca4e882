#include "media/Loudness.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace Loudness {

namespace {

struct StateFree {
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};

} // namespace

std::optional<double> integrated(std::span<const float> interleaved, int channels, int sampleRate) {
    if (channels <= 0 || sampleRate <= 0 || interleaved.size() < size_t(channels))
        return std::nullopt;
    const std::unique_ptr<ebur128_state, StateFree> state(ebur128_init(
        static_cast<unsigned>(channels), static_cast<unsigned long>(sampleRate), EBUR128_MODE_I));
    if (!state)
        return std::nullopt;
    if (ebur128_add_frames_float(state.get(), interleaved.data(),
                                 interleaved.size() / size_t(channels)) != EBUR128_SUCCESS)
        return std::nullopt;
    double loudness = 0;
    if (ebur128_loudness_global(state.get(), &loudness) != EBUR128_SUCCESS ||
        !std::isfinite(loudness))
        return std::nullopt;
    return loudness;
}

void applyGain(std::span<float> samples, double gain) {
    constexpr double knee = 0.9;
    for (float& sample : samples) {
        const double x = sample * gain;
        const double size = std::abs(x);
        sample = float(
            size <= knee
                ? x
                : std::copysign(knee + (1 - knee) * std::tanh((size - knee) / (1 - knee)), x));
    }
}

float peak(std::span<const float> samples) {
    float highest = 0;
    for (const float sample : samples)
        highest = std::max(highest, std::abs(sample));
    return highest;
}

double matchingGain(std::optional<double> originalLufs, std::optional<double> takeLufs,
                    float takePeak) {
    if (!originalLufs || !takeLufs)
        return 1;
    const double decibels =
        std::clamp(*originalLufs - *takeLufs, -maxGainDecibels, maxGainDecibels);
    double gain = std::pow(10.0, decibels / 20);
    if (takePeak > 0)
        gain = std::min(gain, 1.0 / double(takePeak));
    return gain;
}

} // namespace Loudness
