#pragma once

#include <optional>
#include <span>

// Loudness by EBU R128 (libebur128): clips brought to one loudness, a take played as loud as the
// original it copies. Pure functions of their samples; any thread.
namespace Loudness {

// How far a take's level is moved at most: a take much quieter than that is a microphone problem
// that raising it would only make noisy.
constexpr double maxGainDecibels = 12;

// The integrated loudness of interleaved float samples, in LUFS; none for silence or a stretch
// too short to gate (under 0.4 s).
std::optional<double> integrated(std::span<const float> interleaved, int channels, int sampleRate);

// Scales the samples by `gain` (linear) without clipping: peaks above 0.9 are bent smoothly
// under 1, so the loudness moves by a fraction of a decibel at most.
void applyGain(std::span<float> samples, double gain);

// The largest absolute sample value.
float peak(std::span<const float> samples);

// The factor that plays a take at the original's loudness: within ±`maxGainDecibels` and never
// pushing the take's peak past full scale. 1 when either loudness is unknown.
double matchingGain(std::optional<double> originalLufs, std::optional<double> takeLufs,
                    float takePeak);

} // namespace Loudness
