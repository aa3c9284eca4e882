#include "media/MonoClip.h"

#include "media/AudioDecoder.h"

#include <algorithm>
#include <cmath>

std::vector<float> readMonoClip(const QString& path, int sampleRate, double start,
                                std::optional<double> end, std::stop_token stop) {
    AudioDecoder decoder(path, AudioFormat{sampleRate, 1}, std::move(stop));
    return readMonoClip(decoder, start, end);
}

std::vector<float> readMonoClip(AudioDecoder& decoder, double start, std::optional<double> end) {
    const int sampleRate = decoder.format().sampleRate;
    const auto first = qint64(std::llround(std::max(start, 0.0) * sampleRate));
    decoder.seek(first);
    std::vector<float> samples;
    if (end)
        samples.reserve(size_t(std::max<qint64>(std::llround(*end * sampleRate) - first, 0)));
    constexpr qint64 block = 16384;
    for (;;) {
        qint64 wanted = block;
        if (end)
            wanted = std::min(wanted, std::llround(*end * sampleRate) - decoder.position());
        if (wanted <= 0)
            break;
        const size_t held = samples.size();
        samples.resize(held + size_t(wanted));
        const qint64 n = decoder.read(samples.data() + held, wanted);
        samples.resize(held + size_t(n));
        if (n == 0)
            break;
    }
    return samples;
}
