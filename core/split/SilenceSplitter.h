#pragma once

#include "base/Sentence.h"
#include "media/EnergyProfile.h"

#include <cstdint>
#include <vector>

// Cuts a recording into stretches of speech at the pauses of its energy profile. The threshold
// adapts to the recording's own noise floor and loudness, so the same defaults serve quiet lessons
// and loud podcasts. Durations are seconds.
struct SilenceSplitter {
    // A silent gap shorter than this does not separate two stretches of sound.
    double minPause = 0.35;
    // A shorter stretch is joined to a neighbour; also the least length kept on each side of a cut.
    double minSentence = 0.8;
    // A longer stretch is cut; joining never makes a stretch longer than this.
    double maxSentence = 12.0;
    // Audio added before and after each stretch.
    double pad = 0.15;
    // A stretch with less voiced audio than this is dropped as noise.
    double minSound = 0.12;

    SilenceSplitter() = default;
    SilenceSplitter(double minPause, double minSentence, double maxSentence, double pad,
                    double minSound)
        : minPause(minPause), minSentence(minSentence), maxSentence(maxSentence), pad(pad),
          minSound(minSound) {}

    // The stretches of speech in time order, not overlapping, each within 0…profile.duration().
    // Empty when no speech was found (also for a silent or empty profile).
    std::vector<TimeRange> split(const EnergyProfile& profile) const;
    // One sentence per range of `split`, in order, without text and not hard.
    std::vector<Sentence> sentences(const EnergyProfile& profile) const;

    // One entry per frame of the profile, 1 where the frame is voiced by the split's own adaptive
    // threshold; empty when the recording is silent or the profile holds no time.
    static std::vector<uint8_t> voicedFrames(const EnergyProfile& profile);

    // Where the recording holds sound: the ranges of the default split before short ones are
    // joined to a neighbour, so that none spans a long pause.
    static std::vector<TimeRange> soundStretches(const EnergyProfile& profile);
};
