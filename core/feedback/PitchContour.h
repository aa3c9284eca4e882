#pragma once

#include <span>
#include <vector>

// The melody of a voice: its fundamental frequency every `hop` seconds, found by aubio's YIN
// (computed through the FFT: "yinfast"; its "yinfft" variant reports no usable confidence in aubio
// 0.4.9). Frames without a clear periodic voice (silence, breath, most consonants) hold no pitch.
// Plain value code, any thread; the analysis is synchronous (about 1 ms per second of sound).
struct PitchContour {
    double hop = 0.01;        // seconds between frames; frame i covers [i·hop, (i+1)·hop)
    std::vector<float> hertz; // one per frame, 0 where unvoiced

    // Where speech pitch is looked for: below the lowest male voice, above a child's shout.
    static constexpr float lowest = 60;
    static constexpr float highest = 600;

    // The median pitch of the voiced frames, 0 when none is voiced.
    float medianHertz() const;
    // Each frame in semitones from the speaker's median, NaN where unvoiced, so that a low and
    // a high voice compare.
    std::vector<float> semitones() const;
    size_t voicedCount() const;
};

// Mono samples at `sampleRate` (8000 Hz or more). An empty or silent sound gives unvoiced frames.
PitchContour pitchContour(std::span<const float> mono, int sampleRate, double hop = 0.01);
