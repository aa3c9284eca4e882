#include "SignalAnalysis.h"

#include "TestMedia.h"

#include <cmath>
#include <complex>
#include <cstring>

namespace SignalAnalysis {

std::vector<float> decode(const QString& path) {
    const QByteArray raw = TestMedia::run(
        "ffmpeg", {"-v", "error", "-i", path, "-f", "f32le", "-ac", "1", "-ar", "44100", "-"});
    std::vector<float> samples(size_t(raw.size()) / sizeof(float));
    std::memcpy(samples.data(), raw.constData(), samples.size() * sizeof(float));
    return samples;
}

double seconds(const QString& path) {
    return double(decode(path).size()) / 44100;
}

QString describe(const QString& path) {
    return QString::fromUtf8(TestMedia::run("ffprobe", {"-v", "error", "-show_entries",
                                                        "stream=codec_name,sample_rate,channels",
                                                        "-of", "csv=p=0", path}))
        .trimmed();
}

namespace {

double powerAt(const float* samples, size_t count, int sampleRate, double frequency) {
    std::complex<double> sum = 0;
    const std::complex<double> step = std::polar(1.0, -2 * M_PI * frequency / sampleRate);
    std::complex<double> phase = 1;
    for (size_t i = 0; i < count; ++i) {
        sum += double(samples[i]) * phase;
        phase *= step;
    }
    return std::norm(sum);
}

double strongest(const float* samples, size_t count, int sampleRate, double low, double high,
                 double step) {
    double best = low, bestPower = -1;
    for (double f = low; f <= high; f += step) {
        const double power = powerAt(samples, count, sampleRate, f);
        if (power > bestPower) {
            bestPower = power;
            best = f;
        }
    }
    return best;
}

} // namespace

double dominantFrequency(const float* samples, size_t count, int sampleRate, double low,
                         double high) {
    const double coarse = strongest(samples, count, sampleRate, low, high, 1.0);
    return strongest(samples, count, sampleRate, coarse - 1, coarse + 1, 0.05);
}

double similarity(const float* a, const float* b, long length) {
    double dot = 0, aa = 0, bb = 0;
    for (long i = 0; i < length; ++i) {
        dot += double(a[i]) * b[i];
        aa += double(a[i]) * a[i];
        bb += double(b[i]) * b[i];
    }
    return dot / std::sqrt(aa * bb + 1e-12);
}

long bestShift(const std::vector<float>& reference, long at, const float* piece, long length,
               long maxShift) {
    long best = 0;
    double bestScore = -2;
    for (long shift = -maxShift; shift <= maxShift; ++shift) {
        const long from = at + shift;
        if (from < 0 || from + length > long(reference.size()))
            continue;
        const double score = similarity(reference.data() + from, piece, length);
        if (score > bestScore) {
            bestScore = score;
            best = shift;
        }
    }
    return best;
}

double rms(const std::vector<float>& samples, size_t from, size_t count) {
    double sum = 0;
    for (size_t i = from; i < from + count && i < samples.size(); ++i)
        sum += double(samples[i]) * samples[i];
    return count ? std::sqrt(sum / double(count)) : 0.0;
}

std::vector<float> firstChannel(const std::vector<float>& frames, int channels) {
    std::vector<float> mono;
    mono.reserve(frames.size() / size_t(channels));
    for (size_t i = 0; i < frames.size(); i += size_t(channels))
        mono.push_back(frames[i]);
    return mono;
}

} // namespace SignalAnalysis
