#include "export/SentenceClips.h"

#include "base/QuellinError.h"
#include "media/AudioDecoder.h"
#include "media/AudioFileWriter.h"
#include "media/Loudness.h"
#include "media/MonoClip.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Brings the samples to the clips' loudness. Bending the peaks under full scale lowers the
// loudness of speech with high peaks, so the gain is measured again and corrected, twice at most.
std::vector<float> normalised(const std::vector<float>& samples) {
    const AudioFormat format = SentenceClips::format;
    const auto measure = [&format](const std::vector<float>& sound) {
        return Loudness::integrated(sound, format.channels, format.sampleRate);
    };
    const std::optional<double> measured = measure(samples);
    if (!measured)
        return samples; // silence, or too short to measure
    double gain = SentenceClips::loudness - *measured;
    std::vector<float> result;
    for (int pass = 0; pass < 3; ++pass) {
        gain = std::min(gain, SentenceClips::largestGain);
        result = samples;
        Loudness::applyGain(result, std::pow(10.0, gain / 20.0));
        const std::optional<double> reached = measure(result);
        if (!reached || std::abs(*reached - SentenceClips::loudness) < 0.2)
            break;
        gain += SentenceClips::loudness - *reached;
    }
    return result;
}

void write(const std::vector<float>& samples, const QString& path) {
    const std::vector<float> sound = normalised(samples);
    AudioFileWriter writer(path, SentenceClips::format);
    writer.write(sound.data(), qint64(sound.size()));
    writer.finish();
}

} // namespace

SentenceClips::SentenceClips(const QString& mediaPath, std::stop_token stop)
    : m_decoder(std::make_unique<AudioDecoder>(mediaPath, format, std::move(stop))) {}

SentenceClips::~SentenceClips() = default;

void SentenceClips::cut(double start, double end, const QString& path) {
    write(readMonoClip(*m_decoder, start - lead, end + lead), path);
}

void SentenceClips::convert(const QString& from, const QString& path, std::stop_token stop) {
    write(readMonoClip(from, format.sampleRate, 0, std::nullopt, std::move(stop)), path);
}
