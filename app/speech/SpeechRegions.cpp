#include "speech/SpeechRegions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr size_t frameSamples = 160; // 10 ms
constexpr size_t quietFrames = 30;   // the quiet moment looked for: 0.3 s
constexpr size_t sampleRate = 16000;

// Regions of a file whose length is unknown: enough for any recording.
constexpr size_t unknownCount = size_t(48) * 3600 * sampleRate / SpeechRegions::regionSamples;

} // namespace

SpeechRegions::SpeechRegions(std::optional<size_t> totalSamples)
    : m_count(totalSamples
                  ? std::max<size_t>(1, (*totalSamples + regionSamples / 2) / regionSamples)
                  : unknownCount),
      m_known(totalSamples.has_value()), m_taken(m_count, false), m_cuts(m_count + 1) {
    m_cuts[0] = 0;
}

std::optional<size_t> SpeechRegions::takeNearest(double focus) {
    // Where the length is unknown, so is the place of the focus: file order.
    const size_t centre =
        m_known ? std::min(m_count - 1, size_t(std::max(0.0, focus) * sampleRate / regionSamples))
                : 0;
    for (size_t distance = 0; distance < m_count; ++distance) {
        for (const size_t region : {centre + distance, centre - distance}) {
            if (region < m_count && !m_taken[region]) { // centre - distance wraps past zero
                m_taken[region] = true;
                return region;
            }
        }
    }
    return std::nullopt;
}

void SpeechRegions::endsBefore(size_t region) {
    for (size_t i = region; i < m_count; ++i)
        m_taken[i] = true;
}

size_t SpeechRegions::readFirst(size_t region) const {
    const size_t nominal = region * regionSamples;
    const size_t first = nominal > marginSamples ? nominal - marginSamples : 0;
    return first - first % frameSamples; // whole frames from the start of the file
}

std::optional<size_t> SpeechRegions::readLast(size_t region) const {
    if (isLast(region))
        return std::nullopt;
    return (region + 1) * regionSamples + marginSamples;
}

SpeechRegions::Bounds SpeechRegions::bounds(size_t region, std::span<const int16_t> window,
                                            size_t windowFirst, bool reachedEnd) {
    const size_t windowEnd = windowFirst + window.size();
    Bounds bounds;
    bounds.first = std::min(boundary(region, window, windowFirst), windowEnd);
    if (reachedEnd && (isLast(region) || windowEnd <= (region + 1) * regionSamples)) {
        bounds.last = windowEnd;
        endsBefore(region + 1);
    } else {
        bounds.last =
            std::max(bounds.first, std::min(boundary(region + 1, window, windowFirst), windowEnd));
    }
    return bounds;
}

size_t SpeechRegions::boundary(size_t index, std::span<const int16_t> window, size_t windowFirst) {
    if (!m_cuts[index])
        m_cuts[index] = quietestCut(window, windowFirst, index * regionSamples);
    return *m_cuts[index];
}

size_t SpeechRegions::quietestCut(std::span<const int16_t> window, size_t windowFirst,
                                  size_t nominal) {
    const size_t windowEnd = windowFirst + window.size();
    size_t first = nominal > marginSamples ? nominal - marginSamples : 0;
    first = std::max(first - first % frameSamples,
                     windowFirst + (frameSamples - windowFirst % frameSamples) % frameSamples);
    const size_t last = std::min(nominal + marginSamples, windowEnd);
    std::vector<double> energy;
    for (size_t start = first; start + frameSamples <= last; start += frameSamples) {
        double sum = 0;
        for (size_t i = start; i < start + frameSamples; ++i)
            sum += double(window[i - windowFirst]) * window[i - windowFirst];
        energy.push_back(sum);
    }
    if (energy.size() < quietFrames)
        return std::clamp(nominal, windowFirst, windowEnd);
    double running = 0;
    for (size_t f = 0; f < quietFrames; ++f)
        running += energy[f];
    double quietest = running;
    size_t best = 0;
    for (size_t f = quietFrames; f < energy.size(); ++f) {
        running += energy[f] - energy[f - quietFrames];
        if (running < quietest) {
            quietest = running;
            best = f - quietFrames + 1;
        }
    }
    return first + (best + quietFrames / 2) * frameSamples;
}
