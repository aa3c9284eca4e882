#pragma once

#include <optional>
#include <span>

// How loud a sound is to a listener, for playing a take as loud as the original it copies.
// Plain value code, any thread.
namespace Loudness {

// How far a take's level is moved at most: a take much quieter than that is a microphone
// problem that raising it would only make noisy.
constexpr double maxGainDecibels = 12;

// EBU R128 integrated loudness (LUFS) of mono samples, by libebur128; none for silence or a
// sound shorter than the 0.4 s the measure needs.
std::optional<double> integrated(std::span<const float> mono, int sampleRate);

// The largest absolute sample value.
float peak(std::span<const float> mono);

// The factor that plays the take at the original's loudness: within ±`maxGainDecibels` and
// never pushing the take's peak past full scale. 1 when either loudness is unknown.
double matchingGain(std::optional<double> originalLufs, std::optional<double> takeLufs,
                    float takePeak);

} // namespace Loudness
