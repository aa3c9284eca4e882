#pragma once

// Internal to core/video: turns a decoded picture into the frame shown, scaled with swscale
// straight to the size shown (a 4K picture never exists in RGBA) and then turned upright. One
// thread at a time; keeps its swscale context between frames of the same shape.

#include "video/PictureStream.h"
#include "video/VideoFrame.h"

class FrameScaler {
public:
    // `shown`: the upright size; `turn`: how the stored picture is turned to be upright.
    VideoFrame convert(const AVFrame& picture, PictureSize shown, PictureStream::Orientation turn,
                       double time);

private:
    FFmpeg::Scaler m_context;
};
