#include "SignalAnalysis.h"

#include "TestMedia.h"

#include <cmath>
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
        if (const double score = similarity(reference.data() + from, piece, length);
            score > bestScore) {
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

} // namespace SignalAnalysis
