#pragma once

#include <optional>
#include <span>

// Loudness by EBU R128 (libebur128). Pure functions of their samples; any thread.
namespace Loudness {

// The integrated loudness of interleaved float samples, in LUFS; none for silence or a stretch
// too short to gate (under 0.4 s).
std::optional<double> integrated(std::span<const float> interleaved, int channels, int sampleRate);

// Scales the samples by `gain` (linear) without clipping: peaks above 0.9 are bent smoothly
// under 1, so the loudness moves by a fraction of a decibel at most.
void applyGain(std::span<float> samples, double gain);

} // namespace Loudness
