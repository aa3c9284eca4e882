#pragma once

#include <QtGlobal>

#include <memory>
#include <span>
#include <vector>

// Voice features of a sound for comparing two recordings of the same words: mel-frequency
// cepstral coefficients (MFCCs, by aubio), one frame per hop. Plain values, any thread.
struct FeatureFrames {
    int dimensions = 0;
    // Seconds between frames: the requested hop rounded to whole samples at the sound's rate.
    // Frame i describes the sound around i × hop.
    double hop = 0.01;
    std::vector<float> values; // frame-major: frame i is values[i × dimensions …]

    size_t count() const { return dimensions > 0 ? values.size() / size_t(dimensions) : 0; }
    const float* frame(size_t i) const { return values.data() + i * size_t(dimensions); }
    float* frame(size_t i) { return values.data() + i * size_t(dimensions); }
};

// Computes features block by block, so that an hour of sound never has to be held whole: feed it
// mono samples in any block sizes, then take the frames. One thread at a time. Throws
// std::invalid_argument for a sample rate or hop aubio cannot work with.
class FeatureAnalyser {
public:
    static constexpr int coefficients = 13;

    explicit FeatureAnalyser(int sampleRate, double hop = 0.01);
    ~FeatureAnalyser();
    FeatureAnalyser(const FeatureAnalyser&) = delete;
    FeatureAnalyser& operator=(const FeatureAnalyser&) = delete;

    // Samples in -1…1. Trailing samples short of a hop wait for the next call.
    void add(std::span<const float> mono);
    // Frames computed so far (whole hops only); leaves the analyser empty but ready for more.
    FeatureFrames take();
    qint64 hopSamples() const;

private:
    struct State;
    std::unique_ptr<State> d;
};

// The features of a whole sound held in memory (a take, a sentence).
FeatureFrames voiceFeatures(std::span<const float> mono, int sampleRate, double hop = 0.01);

// Cepstral mean and variance normalisation: each dimension shifted and scaled to mean 0 and
// variance 1 over the sequence, so that two voices, microphones or levels compare.
void normaliseFeatures(FeatureFrames& frames);
