#pragma once

#include <QtGlobal>

#include <vector>

// The input level of the most recent stretch of a recording, as the meter shows it.
class LevelMeter {
public:
    explicit LevelMeter(int sampleRate, double windowSeconds = 0.05);

    void add(const float* samples, qint64 count);
    // The RMS of the window in decibels relative to full scale; -160 for silence (or nothing yet).
    double averagePower() const;

    // The meter's bar from an average power: -50 dB and below (and a value that is not a
    // number) give 0, 0 dB and above give 1, linear in between.
    static double level(double averagePowerDecibels);

private:
    std::vector<float> m_window;
    size_t m_next = 0;
    size_t m_filled = 0;
};
