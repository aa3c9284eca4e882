#include "feedback/PitchContour.h"

#include "media/MonoClip.h"

#include <QtGlobal>

#include <aubio/aubio.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <limits>
#include <memory>

namespace {

// A frame counts as voiced when YIN is this sure of its period…
constexpr float minConfidence = 0.6f;
// …and it is no more than this far below the loudest frame: the breath and the room between
// words can look periodic to YIN, but they are quiet.
constexpr float voiceRange = 30; // dB

struct AubioDeleter {
    void operator()(aubio_pitch_t* p) const { del_aubio_pitch(p); }
    void operator()(fvec_t* v) const { del_fvec(v); }
};
template <typename T> using AubioPtr = std::unique_ptr<T, AubioDeleter>;

// The analysis window: two periods of the lowest pitch, rounded up to a power of two.
uint_t windowFor(int sampleRate) {
    const double wanted = 2.0 * sampleRate / PitchContour::lowest;
    uint_t size = 256;
    while (size < wanted)
        size *= 2;
    return size;
}

float meanSquare(std::span<const float> samples) {
    double sum = 0;
    for (const float s : samples)
        sum += double(s) * s;
    return samples.empty() ? 0.0f : float(sum / double(samples.size()));
}

// YIN now and then takes two periods for one, or half a period: a frame an octave or more away
// from the voice around it. Such a frame is folded back by octaves when that lands it near its
// neighbours, and dropped otherwise.
constexpr qsizetype neighbourhood = 10; // frames on each side
constexpr float strayRatio = 1.5f;      // farther than a fifth from the neighbours' median
constexpr float foldedRatio = 1.26f;    // within a major third after folding

float median(std::vector<float> values) {
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

void foldOctaveErrors(std::vector<float>& hertz) {
    const std::vector<float> found = hertz;
    const auto n = qsizetype(found.size());
    std::vector<float> around;
    for (qsizetype i = 0; i < n; ++i) {
        if (found[size_t(i)] <= 0)
            continue;
        around.clear();
        for (qsizetype j = std::max<qsizetype>(0, i - neighbourhood);
             j < std::min(n, i + neighbourhood + 1); ++j)
            if (found[size_t(j)] > 0)
                around.push_back(found[size_t(j)]);
        const float expected = median(around);
        float f = found[size_t(i)];
        if (std::max(f / expected, expected / f) < strayRatio)
            continue;
        while (f > expected * std::sqrt(2.0f))
            f /= 2;
        while (f < expected / std::sqrt(2.0f))
            f *= 2;
        hertz[size_t(i)] = std::max(f / expected, expected / f) < foldedRatio ? f : 0;
    }
}

} // namespace

float PitchContour::medianHertz() const {
    std::vector<float> voiced;
    std::copy_if(hertz.begin(), hertz.end(), std::back_inserter(voiced),
                 [](float f) { return f > 0; });
    return voiced.empty() ? 0 : median(std::move(voiced));
}

std::vector<float> PitchContour::semitones() const {
    const float median = medianHertz();
    std::vector<float> out(hertz.size(), std::numeric_limits<float>::quiet_NaN());
    for (size_t i = 0; i < hertz.size(); ++i)
        if (hertz[i] > 0)
            out[i] = 12.0f * std::log2(hertz[i] / median);
    return out;
}

std::vector<float> melodyOf(const QString& path, TimeRange range, std::stop_token stop) {
    constexpr int rate = 16000; // plenty for a voice's pitch, and quick
    const std::vector<float> samples =
        readMonoClip(path, rate, range.start, range.end, std::move(stop));
    return pitchContour(samples, rate).semitones();
}

size_t PitchContour::voicedCount() const {
    return size_t(std::count_if(hertz.begin(), hertz.end(), [](float f) { return f > 0; }));
}

PitchContour pitchContour(std::span<const float> mono, int sampleRate, double hop) {
    const auto hopSize = uint_t(std::max(1L, std::lround(hop * sampleRate)));
    const uint_t window = std::max(windowFor(sampleRate), hopSize);
    PitchContour contour{double(hopSize) / sampleRate, {}};
    const size_t frames = mono.size() / hopSize;
    if (frames == 0)
        return contour;

    const AubioPtr<aubio_pitch_t> detector(
        new_aubio_pitch("yinfast", window, hopSize, uint_t(sampleRate)));
    const AubioPtr<fvec_t> in(new_fvec(hopSize));
    const AubioPtr<fvec_t> out(new_fvec(1));
    aubio_pitch_set_unit(detector.get(), "Hz");
    aubio_pitch_set_silence(detector.get(), -90);

    // aubio analyses the last `window` samples after each hop; YIN compares the first half of
    // them with later copies, so its period belongs to a quarter of the way in. Zeros before the
    // sound put that point of frame i's window on the middle of frame i; `skipped` blocks fill
    // the window first.
    const auto centreOffset = double(window) * 3 / 4 + double(hopSize) / 2;
    const auto skipped = size_t(std::ceil(centreOffset / hopSize)) - 1;
    const auto lead = size_t(double((skipped + 1) * hopSize) - centreOffset);

    std::vector<float> loudness(frames);
    for (size_t i = 0; i < frames; ++i)
        loudness[i] = meanSquare(mono.subspan(i * hopSize, hopSize));
    const float loudest = *std::max_element(loudness.begin(), loudness.end());
    const float quietest = loudest * std::pow(10.0f, -voiceRange / 10);

    contour.hertz.assign(frames, 0);
    const auto sample = [&](size_t padded) {
        return padded >= lead && padded - lead < mono.size() ? mono[padded - lead] : 0.0f;
    };
    for (size_t block = 0; block < frames + skipped; ++block) {
        for (uint_t j = 0; j < hopSize; ++j)
            in->data[j] = sample(block * hopSize + j);
        aubio_pitch_do(detector.get(), in.get(), out.get());
        if (block < skipped)
            continue;
        const size_t frame = block - skipped;
        const float f = out->data[0];
        // A window reaching past either end of the sound is half zeros: its period is a guess.
        const bool inside = (block + 1) * hopSize >= window + lead &&
                            block * hopSize + hopSize - lead <= mono.size();
        if (inside && loudest > 0 && loudness[frame] >= quietest &&
            aubio_pitch_get_confidence(detector.get()) >= minConfidence &&
            f >= PitchContour::lowest && f <= PitchContour::highest)
            contour.hertz[frame] = f;
    }
    foldOctaveErrors(contour.hertz);
    return contour;
}
