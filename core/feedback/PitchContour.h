#pragma once

#include "base/Sentence.h"

#include <QString>

#include <span>
#include <stop_token>
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

// The melody of a stretch of a media file's sound: semitones every 10 ms (see semitones()).
// Throws MediaError when the file cannot be read, OperationCancelled on a stop request.
std::vector<float> melodyOf(const QString& path, TimeRange range, std::stop_token stop = {});
