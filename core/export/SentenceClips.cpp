#include "export/SentenceClips.h"

#include "base/QuellinError.h"
#include "media/AudioDecoder.h"
#include "media/AudioFileWriter.h"
#include "media/Loudness.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Reads up to `frames` frames (all that is left when negative) from where the decoder stands.
std::vector<float> readFrames(AudioDecoder& decoder, qint64 frames, const std::stop_token& stop) {
    std::vector<float> samples;
    constexpr qint64 block = 16384;
    while (frames != 0) {
        if (stop.stop_requested())
            throw OperationCancelled();
        const qint64 want = frames < 0 ? block : std::min(block, frames);
        const size_t at = samples.size();
        samples.resize(at + size_t(want));
        const qint64 got = decoder.read(samples.data() + at, want);
        samples.resize(at + size_t(got));
        if (got == 0)
            break;
        if (frames > 0)
            frames -= got;
    }
    return samples;
}

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
    : m_decoder(std::make_unique<AudioDecoder>(mediaPath, format, stop)), m_stop(stop) {}

SentenceClips::~SentenceClips() = default;

void SentenceClips::cut(double start, double end, const QString& path) {
    const auto frameAt = [](double seconds) {
        return std::max<qint64>(0, std::llround(seconds * format.sampleRate));
    };
    const qint64 from = frameAt(start - lead);
    const qint64 to = std::max(from, frameAt(end + lead));
    m_decoder->seek(from);
    write(readFrames(*m_decoder, to - from, m_stop), path);
}

void SentenceClips::convert(const QString& from, const QString& path, std::stop_token stop) {
    AudioDecoder decoder(from, format, stop);
    write(readFrames(decoder, -1, stop), path);
}
