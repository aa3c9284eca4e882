#pragma once

#include <algorithm>
#include <functional>

// Passes a fraction of work done to a callback, but only when it rose by at least a thousandth
// (or reached the end), so that per-block reporting stays cheap for the receiver.
class ProgressReporter {
public:
    explicit ProgressReporter(const std::function<void(double)>& progress) : m_progress(progress) {}

    void report(double fraction) {
        if (!m_progress)
            return;
        fraction = std::clamp(fraction, 0.0, 1.0);
        if (fraction >= 1.0 ? m_last >= 1.0 : fraction < m_last + 0.001)
            return;
        m_last = fraction;
        m_progress(fraction);
    }

private:
    const std::function<void(double)>& m_progress;
    double m_last = -1;
};
