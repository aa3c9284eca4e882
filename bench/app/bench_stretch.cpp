// CPU time and tone purity of stretching speech to 0.5× and 1.5×: the configuration the player
// uses (Rubber Band R3 with its short window, offline, fed block by block) against R3 with its
// standard window and the older R2 engine, with ffmpeg's atempo filter as the reference.
#include "audio/TimeStretcher.h"
#include "BenchTools.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <rubberband/RubberBandStretcher.h>

#include <cmath>
#include <complex>
#include <cstdio>
#include <cstring>
#include <functional>

using RubberBand::RubberBandStretcher;

namespace {

constexpr int sampleRate = 44100;
constexpr int runs = 5;

using Stretch = std::function<std::vector<float>(const std::vector<float>&, double rate)>;

// Feeds the input in 2048-frame blocks, as the player does.
std::vector<float> withRubberBand(const std::vector<float>& input, double rate, int options) {
    RubberBandStretcher stretcher(sampleRate, 1,
                                  options | RubberBandStretcher::OptionThreadingNever, 1.0 / rate);
    stretcher.setExpectedInputDuration(input.size());
    if (!(options & RubberBandStretcher::OptionEngineFiner)) {
        // R2 needs its study pass over the whole input first.
        const float* all = input.data();
        stretcher.study(&all, input.size(), true);
    }
    std::vector<float> output, block(4096);
    float* out = block.data();
    for (size_t at = 0; at < input.size(); at += 2048) {
        const size_t count = std::min<size_t>(2048, input.size() - at);
        const float* in = input.data() + at;
        stretcher.process(&in, count, at + count == input.size());
        int available;
        while ((available = stretcher.available()) > 0) {
            const size_t got = stretcher.retrieve(&out, std::min<size_t>(size_t(available), 4096));
            output.insert(output.end(), block.begin(), block.begin() + long(got));
        }
    }
    return output;
}

std::vector<float> withPlayer(const std::vector<float>& input, double rate, int channels) {
    const size_t frames = input.size() / size_t(channels);
    TimeStretcher stretcher({sampleRate, channels}, rate, qint64(frames));
    std::vector<float> output;
    for (size_t at = 0; at < frames; at += 2048) {
        const size_t count = std::min<size_t>(2048, frames - at);
        stretcher.process(input.data() + at * size_t(channels), qint64(count), at + count == frames,
                          output);
    }
    return output;
}

// The speech in stereo, the right channel a little later and quieter, as in a recorded room.
std::vector<float> stereo(const std::vector<float>& mono) {
    std::vector<float> frames(mono.size() * 2);
    for (size_t i = 0; i < mono.size(); ++i) {
        frames[2 * i] = mono[i];
        frames[2 * i + 1] = 0.8f * (i >= 30 ? mono[i - 30] : 0.0f);
    }
    return frames;
}

// Power of the best-fitting sinusoid near 220 Hz against everything else, in dB.
double toneSnr(const std::vector<float>& samples) {
    const size_t from = samples.size() / 2 - sampleRate / 2, count = sampleRate;
    double total = 0;
    for (size_t i = from; i < from + count; ++i)
        total += double(samples[i]) * samples[i];
    double best = 0;
    for (double f = 210; f <= 230; f += 0.05) {
        std::complex<double> sum = 0;
        for (size_t i = 0; i < count; ++i)
            sum +=
                double(samples[from + i]) * std::polar(1.0, -2 * M_PI * f * double(i) / sampleRate);
        best = std::max(best, std::norm(sum) * 2 / double(count));
    }
    return 10 * std::log10(best / std::max(total - best, 1e-12));
}

std::vector<float> readFloats(const QByteArray& raw) {
    std::vector<float> samples(size_t(raw.size()) / sizeof(float));
    std::memcpy(samples.data(), raw.constData(), samples.size() * sizeof(float));
    return samples;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const QString wav = QDir(folder.path()).filePath(QStringLiteral("speech.wav"));
    std::fprintf(stderr, "making speech\n");
    BenchTools::run(QStringLiteral("espeak-ng"),
                    {QStringLiteral("-w"), wav,
                     QStringLiteral("Shadowing is a way of learning a language. You listen to a "
                                    "sentence, and then you say it again, as closely as you can. "
                                    "Slow sentences help at first; faster ones come later. Every "
                                    "repetition trains the ear and the mouth together.")});
    const auto speech = readFloats(BenchTools::run(
        QStringLiteral("ffmpeg"),
        {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), wav,
         QStringLiteral("-f"), QStringLiteral("f32le"), QStringLiteral("-ac"), QStringLiteral("1"),
         QStringLiteral("-ar"), QString::number(sampleRate), QStringLiteral("-")}));
    const double seconds = double(speech.size()) / sampleRate;
    std::vector<float> tone(size_t(3 * sampleRate));
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = 0.5f * float(std::sin(2 * M_PI * 220 * double(i) / sampleRate));

    const std::vector<std::pair<QString, Stretch>> configurations = {
        {QStringLiteral("player_r3short"),
         [](const std::vector<float>& in, double rate) { return withPlayer(in, rate, 1); }},
        {QStringLiteral("r3standard"),
         [](const std::vector<float>& in, double rate) {
             return withRubberBand(in, rate, RubberBandStretcher::OptionEngineFiner);
         }},
        {QStringLiteral("r2"),
         [](const std::vector<float>& in, double rate) {
             return withRubberBand(in, rate, RubberBandStretcher::OptionEngineFaster);
         }},
    };
    for (const double rate : {0.5, 1.5}) {
        const QString suffix = QStringLiteral("_%1x").arg(rate);
        for (const auto& [name, stretch] : configurations) {
            std::fprintf(stderr, "stretching with %s at %.1fx\n", qPrintable(name), rate);
            std::vector<double> cpu;
            for (int run = 0; run < runs; ++run) {
                const double before = BenchTools::threadCpuSeconds();
                const auto output = stretch(speech, rate);
                cpu.push_back((BenchTools::threadCpuSeconds() - before) / seconds);
                if (std::llabs(qint64(output.size()) - std::llround(double(speech.size()) / rate)) >
                    1)
                    std::fprintf(stderr, "%s: %zu frames instead of %.0f\n", qPrintable(name),
                                 output.size(), double(speech.size()) / rate);
            }
            BenchTools::report(QStringLiteral("stretch_cpu_per_audio_second_") + name + suffix,
                               BenchTools::median(cpu), QStringLiteral("s"));
            BenchTools::report(QStringLiteral("stretch_tone_snr_") + name + suffix,
                               toneSnr(stretch(tone, rate)), QStringLiteral("dB"));
        }
        // Music and many podcasts are stereo: twice the channels to stretch.
        const auto speechInStereo = stereo(speech);
        std::vector<double> cpuInStereo;
        for (int run = 0; run < runs; ++run) {
            const double before = BenchTools::threadCpuSeconds();
            withPlayer(speechInStereo, rate, 2);
            cpuInStereo.push_back((BenchTools::threadCpuSeconds() - before) / seconds);
        }
        BenchTools::report(QStringLiteral("stretch_cpu_per_audio_second_player_r3short_stereo") +
                               suffix,
                           BenchTools::median(cpuInStereo), QStringLiteral("s"));

        std::vector<double> reference;
        for (int run = 0; run < runs; ++run) {
            const double before = BenchTools::childrenCpuSeconds();
            BenchTools::run(QStringLiteral("ffmpeg"),
                            {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"),
                             wav, QStringLiteral("-ar"), QString::number(sampleRate),
                             QStringLiteral("-af"), QStringLiteral("atempo=%1").arg(rate),
                             QStringLiteral("-f"), QStringLiteral("null"), QStringLiteral("-")});
            reference.push_back((BenchTools::childrenCpuSeconds() - before) / seconds);
        }
        BenchTools::report(QStringLiteral("ffmpeg_atempo_cpu_per_audio_second") + suffix,
                           BenchTools::median(reference), QStringLiteral("s"));
    }
    return 0;
}
