#pragma once

#include "media/AudioFormat.h"

#include <QtGlobal>

#include <memory>
#include <vector>

namespace RubberBand {
class RubberBandStretcher;
}

// Changes the speed of a known number of frames by `rate` without changing their pitch. The
// output holds exactly inputFrames / rate frames and its first frame is the first input frame.
//
// Rubber Band's finer R3 engine with its short window, in offline mode fed block by block
// (bench_stretch has the figures). R3 keeps a steady tone clean, about 45 dB signal to noise at
// half speed, where the older R2 engine gives about 0 dB and lets the pitch drift by several
// hertz; the short window costs about 0.02 s of CPU per second of mono audio at half speed,
// near R2, where R3's standard window costs three to four times as much. Offline mode gives
// exact lengths with no start delay; told the input length, offline R3 needs no study pass, so
// it stretches as the frames are decoded and the first sound is not held back.
class TimeStretcher {
public:
    TimeStretcher(AudioFormat format, double rate, qint64 inputFrames);
    ~TimeStretcher();

    // Feeds interleaved input frames (`last` with the final block, which may be empty) and
    // appends the stretched interleaved frames that are ready to `out`.
    void process(const float* frames, qint64 count, bool last, std::vector<float>& out);

    // Whether frames pass unchanged (rate 1).
    bool passesThrough() const { return !m_stretcher; }
    // The number of frames that `count` input frames become at `rate`. A rate that is not a
    // positive number plays at normal speed.
    static qint64 stretchedLength(qint64 count, double rate);

    static int options();

private:
    void retrieve(std::vector<float>& out);

    int m_channels;
    std::unique_ptr<RubberBand::RubberBandStretcher> m_stretcher;
    std::vector<std::vector<float>> m_planar;
    std::vector<float*> m_pointers;
};
