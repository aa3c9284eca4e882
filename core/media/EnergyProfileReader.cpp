// EnergyProfile::read: decoding lives here, apart from the plain value code in EnergyProfile.cpp.

#include "media/AudioDecoder.h"
#include "media/EnergyProfile.h"
#include "media/MediaError.h"
#include "media/ProgressReporter.h"

#include <cmath>
#include <limits>
#include <new>

namespace {

// Bounds what a container's stated length may make us reserve: a day of 10 ms frames.
constexpr qint64 maxReservedFrames = 24 * 3600 * 100;
// Bounds one read block for absurd frame durations; frames still span any number of blocks.
constexpr qint64 maxBlockFrames = qint64(1) << 20;

} // namespace

EnergyProfile EnergyProfile::read(const QString& path, double frameDuration, std::stop_token stop,
                                  const std::function<void(double)>& progress) {
    AudioDecoder decoder(path, std::nullopt, stop);
    const AudioFormat format = decoder.format();
    const double rate = format.sampleRate;
    const int channels = format.channels;

    // A frame is a whole number of samples: the requested duration, truncated, at least one.
    const double wanted = frameDuration * rate;
    const qint64 h =
        wanted >= 1 ? qint64(std::min(wanted, double(std::numeric_limits<int>::max()))) : 1;
    EnergyProfile profile(double(h) / rate, {});

    std::vector<float> block;
    const qint64 blockFrames = std::min(100 * h, maxBlockFrames);
    try {
        block.resize(size_t(blockFrames) * size_t(channels));
    } catch (const std::bad_alloc&) {
        throw MediaError::unreadable();
    }
    const std::optional<qint64> length = decoder.lengthFrames();
    if (length && *length > 0)
        profile.rms.reserve(size_t(std::min(*length / h + 1, maxReservedFrames)));

    ProgressReporter reporter(progress);
    double sum = 0;  // of the channel-averaged squares in the unfinished frame
    qint64 held = 0; // sample frames in the unfinished frame
    while (const qint64 n = decoder.read(block.data(), blockFrames)) {
        const float* sample = block.data();
        for (qint64 i = 0; i < n; ++i) {
            float squares = 0;
            for (int c = 0; c < channels; ++c, ++sample)
                squares += *sample * *sample;
            sum += double(squares) / channels;
            if (++held == h) {
                profile.rms.push_back(float(std::sqrt(sum / double(h))));
                sum = 0;
                held = 0;
            }
        }
        if (length && *length > 0)
            reporter.report(double(decoder.position()) / double(*length));
    }
    // A last partial frame counts when it holds more than half a frame.
    if (held > h / 2)
        profile.rms.push_back(float(std::sqrt(sum / double(held))));
    reporter.report(1.0);
    return profile;
}
