#pragma once

#include "base/Sentence.h"
#include "media/EnergyProfile.h"

#include <QString>

#include <optional>
#include <stop_token>
#include <vector>

// What the practice screen shows of a recorded take: the part of it that holds the voice (the
// user's breath and the click of the key before and after left out) and its waveform.
struct TakeShape {
    std::vector<float> bars; // `barCount` heights in 0…1
    TimeRange range;         // seconds into the take file

    // Takes are short, so the voice is looked for in finer frames than a media file's sentences.
    static constexpr double profileFrame = 0.01;
    // Pauses, sounds and padding as for sentences, but a voice counts from 0.2 s: a take may
    // hold a single short word.
    static constexpr double minPause = 0.35;
    static constexpr double minVoice = 0.2;
    static constexpr double maxVoice = 12;
    static constexpr double pad = 0.15;
    static constexpr double minSound = 0.12;
    // Kept beyond the padded voice: a little more before (an onset the threshold missed) and
    // after (a fading last syllable).
    static constexpr double leadIn = 0.05;
    static constexpr double tail = 0.1;
    static constexpr int barCount = 140;

    // The whole take when no voice is found in it.
    static TakeShape of(const EnergyProfile& profile);
    // Reads the take file; none when it cannot be read or was stopped (a take that cannot be
    // analysed is no take). Synchronous: run it off the main thread.
    static std::optional<TakeShape> read(const QString& path, std::stop_token stop = {});

    bool operator==(const TakeShape&) const = default;
};
