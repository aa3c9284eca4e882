#pragma once

#include <QString>

#include <vector>

// Measurements the audio suites make on what the player handed to its output and on the takes
// recorded, against the files as ffmpeg's command-line tools read them. Samples are 44100 Hz.
namespace SignalAnalysis {

// Mono float samples of a file as ffmpeg's command-line tool decodes it.
std::vector<float> decode(const QString& path);
// The seconds of sound in a file, as decoded above.
double seconds(const QString& path);
// Codec, sample rate and channels of a file's sound as ffprobe reports them: "aac,44100,1".
QString describe(const QString& path);
// The normalised correlation of two runs of samples: 1 when alike in shape.
double similarity(const float* a, const float* b, long length);
// The shift in frames within ±maxShift at which `piece` best matches `reference` from `at`
// (positive: the piece lies later in the reference).
long bestShift(const std::vector<float>& reference, long at, const float* piece, long length,
               long maxShift);
// The RMS of `count` samples from `from`.
double rms(const std::vector<float>& samples, size_t from, size_t count);

} // namespace SignalAnalysis
