#pragma once

// The sample rate and channel count of interleaved 32-bit float audio.
struct AudioFormat {
    int sampleRate = 44100;
    int channels = 1;
    bool operator==(const AudioFormat&) const = default;
};
