#pragma once

// Internal to core/media: ownership of FFmpeg objects and the translation of FFmpeg's error codes
// into MediaError.

#include "media/MediaError.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
}

#include <QString>

#include <memory>

struct SwsContext;

namespace FFmpeg {

struct InputDeleter {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct OutputDeleter {
    void operator()(AVFormatContext* context) const {
        if (context->pb && !(context->oformat->flags & AVFMT_NOFILE))
            avio_closep(&context->pb);
        avformat_free_context(context);
    }
};
struct CodecDeleter {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct PacketDeleter {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FrameDeleter {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct ResamplerDeleter {
    void operator()(SwrContext* context) const { swr_free(&context); }
};

struct ScalerDeleter {
    void operator()(SwsContext* context) const;
};

using Input = std::unique_ptr<AVFormatContext, InputDeleter>;
using Output = std::unique_ptr<AVFormatContext, OutputDeleter>;
using Codec = std::unique_ptr<AVCodecContext, CodecDeleter>;
using Packet = std::unique_ptr<AVPacket, PacketDeleter>;
using Frame = std::unique_ptr<AVFrame, FrameDeleter>;
using Resampler = std::unique_ptr<SwrContext, ResamplerDeleter>;
using Scaler = std::unique_ptr<SwsContext, ScalerDeleter>;

// A channel layout that owns its (possibly allocated) channel map.
class ChannelLayout {
public:
    ChannelLayout() = default;
    explicit ChannelLayout(int channels) { av_channel_layout_default(&m_layout, channels); }
    // A copy of `layout`; an unspecified order becomes the default layout for its channel count,
    // so that mixing knows which channel is which.
    static ChannelLayout of(const AVChannelLayout& layout);
    ChannelLayout(const ChannelLayout& other) {
        av_channel_layout_copy(&m_layout, &other.m_layout);
    }
    ChannelLayout& operator=(const ChannelLayout& other) {
        if (this != &other) {
            av_channel_layout_uninit(&m_layout);
            av_channel_layout_copy(&m_layout, &other.m_layout);
        }
        return *this;
    }
    ~ChannelLayout() { av_channel_layout_uninit(&m_layout); }

    const AVChannelLayout* get() const { return &m_layout; }
    int channels() const { return m_layout.nb_channels; }
    bool operator==(const ChannelLayout& other) const {
        return av_channel_layout_compare(&m_layout, &other.m_layout) == 0;
    }

private:
    AVChannelLayout m_layout{};
};

// Keeps FFmpeg's diagnostics off stderr, where the user would see them: failures reach the user as
// MediaError, and FFmpeg's warnings and errors go to the quellin.media category (off by default)
// for bug reports.
void routeLogging();

// The largest picture (in pixels) any decoder is allowed to allocate: 8K, the largest a video is
// made in. A picture claiming more (a damaged or hostile cover of 16384 × 16384 would take a
// gigabyte) fails to decode instead.
inline constexpr int64_t maxPicturePixels = int64_t(7680) * 4320;

// avformat_find_stream_info with every probing decoder held to maxPicturePixels. Returns FFmpeg's
// result.
int findStreamInfo(AVFormatContext* input);

// FFmpeg's own text for an error code.
QString errorText(int code);

// A failure while reading a media file, in the user's terms: data FFmpeg cannot make sense of is
// `unreadable`; missing files, permissions and I/O failures say what happened.
MediaError readError(int code);

// A failure while writing an audio file, in the user's terms.
MediaError writeError(int code);

// The UTF-8 "file:" URL of a local path, so that colons in names are never taken for protocols.
QByteArray fileUrl(const QString& path);

} // namespace FFmpeg
