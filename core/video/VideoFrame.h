#pragma once

#include <cstdint>
#include <vector>

// One picture of a video, ready to show: plain bytes, so that core/ needs no GUI (the window wraps
// them in a QImage without copying). A value type, any thread.
struct VideoFrame {
    double time = 0;           // seconds on the sound's clock (the file's start offsets applied)
    int width = 0, height = 0; // upright, at the display aspect, scaled to fit the requested box
    std::vector<uint8_t> rgba; // RGBA8888, stride width * 4

    bool isNull() const { return width <= 0 || height <= 0 || rgba.empty(); }
};
