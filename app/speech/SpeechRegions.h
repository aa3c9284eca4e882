#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The file seen as regions of about half a minute, which a recognition reads and decodes one at a
// time, the region nearest the place of interest first, so that the sound held in memory stays
// flat however long the file is. Neighbouring regions meet at the quietest moment near their
// nominal boundary; the first to find it records it, so that the two agree to the sample. Samples
// are 16 kHz frames counted from the start of the file. Used by one thread (the reading one).
class SpeechRegions {
public:
    static constexpr size_t regionSamples = 30 * 16000;
    // A boundary is looked for this far either side of its nominal place.
    static constexpr size_t marginSamples = 2 * 16000;

    // `totalSamples`: the file's length, or nothing when it is unknown: the regions are then read
    // in file order until the sound ends.
    explicit SpeechRegions(std::optional<size_t> totalSamples);

    // The region not yet taken nearest `focus` (seconds), the one after it before the one before
    // it at the same distance; nothing once every region has been taken or the sound has ended.
    std::optional<size_t> takeNearest(double focus);
    // Regions from `region` on hold no sound: the file is shorter than its stated length.
    void endsBefore(size_t region);

    // The samples to read for a region: its nominal range and the margins around it. The last
    // region reads to the end of the sound (`last` is then nothing).
    size_t readFirst(size_t region) const;
    std::optional<size_t> readLast(size_t region) const;

    // Where the region begins and ends in `window` (samples from `windowFirst` on, as read for
    // the region). `reachedEnd`: the window ends where the sound ends.
    struct Bounds {
        size_t first = 0;
        size_t last = 0;
    };
    Bounds bounds(size_t region, std::span<const int16_t> window, size_t windowFirst,
                  bool reachedEnd);

    // The middle of the quietest third of a second within the margin around `nominal`, on frames
    // of 10 ms counted from the start of the file: the same for the same samples whichever
    // window holds them.
    static size_t quietestCut(std::span<const int16_t> window, size_t windowFirst, size_t nominal);

private:
    bool isLast(size_t region) const { return region + 1 >= m_count; }
    size_t boundary(size_t index, std::span<const int16_t> window, size_t windowFirst);

    size_t m_count;
    const bool m_known;
    std::vector<bool> m_taken;
    std::vector<std::optional<size_t>> m_cuts; // boundary i starts region i
};
