#include "video/FrameScaler.h"

extern "C" {
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include <algorithm>

namespace {

// Whether the picture's samples use the full 0–255 range (JPEG covers) rather than video levels.
bool fullRange(const AVFrame& picture) {
    switch (picture.format) {
    case AV_PIX_FMT_YUVJ420P:
    case AV_PIX_FMT_YUVJ422P:
    case AV_PIX_FMT_YUVJ444P:
    case AV_PIX_FMT_YUVJ440P:
    case AV_PIX_FMT_YUVJ411P:
        return true;
    default:
        return picture.color_range == AVCOL_RANGE_JPEG;
    }
}

// `stored` (width × height RGBA) turned by `turn`: each pixel goes where the display matrix puts
// it, shifted so that the result starts at (0, 0).
std::vector<uint8_t> turned(const std::vector<uint8_t>& stored, int width, int height,
                            PictureStream::Orientation turn) {
    const int outWidth = turn.swapsSides() ? height : width;
    const int originX = std::min(0, turn.a * (width - 1)) + std::min(0, turn.c * (height - 1));
    const int originY = std::min(0, turn.b * (width - 1)) + std::min(0, turn.d * (height - 1));
    std::vector<uint8_t> out(stored.size());
    const auto* from = reinterpret_cast<const uint32_t*>(stored.data());
    auto* to = reinterpret_cast<uint32_t*>(out.data());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int shownX = turn.a * x + turn.c * y - originX;
            const int shownY = turn.b * x + turn.d * y - originY;
            to[size_t(shownY) * size_t(outWidth) + size_t(shownX)] =
                from[size_t(y) * size_t(width) + size_t(x)];
        }
    return out;
}

} // namespace

VideoFrame FrameScaler::convert(const AVFrame& picture, PictureSize shown,
                                PictureStream::Orientation turn, double time) {
    // Scaled as stored, turned afterwards: the turn then moves the small frame, not the source.
    const int width = turn.swapsSides() ? shown.height : shown.width;
    const int height = turn.swapsSides() ? shown.width : shown.height;
    m_context.reset(sws_getCachedContext(m_context.release(), picture.width, picture.height,
                                         AVPixelFormat(picture.format), width, height,
                                         AV_PIX_FMT_RGBA, SWS_BICUBIC, nullptr, nullptr, nullptr));
    if (!m_context)
        return {};
    // The picture's own colour matrix and range, as FFmpeg's scale filter reads them; an
    // unspecified matrix is read as swscale's default.
    const int* table = sws_getCoefficients(picture.colorspace);
    sws_setColorspaceDetails(m_context.get(), table, fullRange(picture) ? 1 : 0,
                             sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);

    VideoFrame frame;
    frame.time = time;
    frame.width = shown.width;
    frame.height = shown.height;
    std::vector<uint8_t> stored(size_t(width) * size_t(height) * 4);
    uint8_t* planes[4] = {stored.data(), nullptr, nullptr, nullptr};
    const int strides[4] = {width * 4, 0, 0, 0};
    if (sws_scale(m_context.get(), picture.data, picture.linesize, 0, picture.height, planes,
                  strides) != height)
        return {};
    frame.rgba = turn.isIdentity() ? std::move(stored) : turned(stored, width, height, turn);
    return frame;
}
