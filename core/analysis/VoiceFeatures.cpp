#include "analysis/VoiceFeatures.h"

#include <aubio/aubio.h>

#include <cmath>
#include <stdexcept>

namespace {

// Analysis window of about 25 ms, a power of two for aubio's FFT.
uint_t windowFor(int sampleRate) {
    uint_t window = 64;
    while (window < uint_t(sampleRate) / 40)
        window *= 2;
    return window;
}

struct FvecDeleter {
    void operator()(fvec_t* v) const { del_fvec(v); }
};
struct CvecDeleter {
    void operator()(cvec_t* v) const { del_cvec(v); }
};
struct PvocDeleter {
    void operator()(aubio_pvoc_t* p) const { del_aubio_pvoc(p); }
};
struct MfccDeleter {
    void operator()(aubio_mfcc_t* m) const { del_aubio_mfcc(m); }
};

} // namespace

struct FeatureAnalyser::State {
    uint_t hop = 0;
    double hopSeconds = 0;
    std::unique_ptr<aubio_pvoc_t, PvocDeleter> pvoc;
    std::unique_ptr<aubio_mfcc_t, MfccDeleter> mfcc;
    std::unique_ptr<fvec_t, FvecDeleter> block;
    std::unique_ptr<cvec_t, CvecDeleter> fftBins;
    std::unique_ptr<fvec_t, FvecDeleter> cepstrum;
    uint_t filled = 0;
    // A faint fixed noise under every sample: digital silence (between synthesised sentences)
    // would otherwise give the logarithm of zero, far from any real room's quiet.
    quint32 noise = 1;
    FeatureFrames frames;

    float dither() {
        noise = noise * 1664525u + 1013904223u;
        return (float(noise >> 8) / float(1u << 24) - 0.5f) * 2e-4f;
    }
};

FeatureAnalyser::FeatureAnalyser(int sampleRate, double hop) : d(std::make_unique<State>()) {
    if (sampleRate < 8000 || !(hop > 0))
        throw std::invalid_argument("sample rate or hop out of range");
    const uint_t window = windowFor(sampleRate);
    d->hop = uint_t(std::lround(hop * sampleRate));
    if (d->hop < 1 || d->hop > window)
        throw std::invalid_argument("hop longer than the analysis window");
    d->hopSeconds = double(d->hop) / sampleRate;
    constexpr uint_t filters = 40;
    d->pvoc.reset(new_aubio_pvoc(window, d->hop));
    d->mfcc.reset(new_aubio_mfcc(window, filters, coefficients, uint_t(sampleRate)));
    if (!d->pvoc || !d->mfcc)
        throw std::invalid_argument("aubio cannot analyse this rate");
    d->block.reset(new_fvec(d->hop));
    d->fftBins.reset(new_cvec(window));
    d->cepstrum.reset(new_fvec(coefficients));
    d->frames.dimensions = coefficients;
    d->frames.hop = d->hopSeconds;
}

FeatureAnalyser::~FeatureAnalyser() = default;

qint64 FeatureAnalyser::hopSamples() const {
    return d->hop;
}

void FeatureAnalyser::add(std::span<const float> mono) {
    for (const float sample : mono) {
        d->block->data[d->filled++] = sample + d->dither();
        if (d->filled < d->hop)
            continue;
        d->filled = 0;
        aubio_pvoc_do(d->pvoc.get(), d->block.get(), d->fftBins.get());
        aubio_mfcc_do(d->mfcc.get(), d->fftBins.get(), d->cepstrum.get());
        d->frames.values.insert(d->frames.values.end(), d->cepstrum->data,
                                d->cepstrum->data + coefficients);
    }
}

FeatureFrames FeatureAnalyser::take() {
    FeatureFrames result = std::move(d->frames);
    d->frames = FeatureFrames{coefficients, d->hopSeconds, {}};
    return result;
}

FeatureFrames voiceFeatures(std::span<const float> mono, int sampleRate, double hop) {
    FeatureAnalyser analyser(sampleRate, hop);
    analyser.add(mono);
    return analyser.take();
}

void normaliseFeatures(FeatureFrames& frames) {
    const size_t count = frames.count();
    if (count == 0)
        return;
    for (int k = 0; k < frames.dimensions; ++k) {
        double sum = 0, squares = 0;
        for (size_t i = 0; i < count; ++i) {
            const double x = frames.frame(i)[k];
            sum += x;
            squares += x * x;
        }
        const double mean = sum / double(count);
        const double variance = std::max(squares / double(count) - mean * mean, 0.0);
        const double scale = variance > 1e-12 ? 1 / std::sqrt(variance) : 1.0;
        for (size_t i = 0; i < count; ++i)
            frames.frame(i)[k] = float((frames.frame(i)[k] - mean) * scale);
    }
}
