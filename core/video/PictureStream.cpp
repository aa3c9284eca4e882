#include "video/PictureStream.h"

#include "base/LogCategories.h"
#include "media/AudioDecoder.h"

extern "C" {
#include <libavutil/display.h>
}

#include <QFileInfo>

#include <cerrno>
#include <cmath>

namespace PictureStream {

using namespace FFmpeg;

Input open(const QString& path) {
    if (QFileInfo(path).isDir())
        throw readError(AVERROR(EISDIR));
    routeLogging();
    AVFormatContext* context = nullptr;
    AVDictionary* options = nullptr;
    // Local files only: a playlist disguised as a media file must not reach the network.
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    int result = avformat_open_input(&context, fileUrl(path).constData(), nullptr, &options);
    av_dict_free(&options);
    if (result < 0)
        throw readError(result); // FFmpeg has freed the context
    Input input(context);
    result = findStreamInfo(input.get());
    if (result < 0)
        throw readError(result);
    return input;
}

int choose(const AVFormatContext& input) {
    int cover = -1;
    for (unsigned i = 0; i < input.nb_streams; ++i) {
        const AVStream& stream = *input.streams[i];
        if (stream.codecpar->codec_type != AVMEDIA_TYPE_VIDEO)
            continue;
        if (!(stream.disposition & AV_DISPOSITION_ATTACHED_PIC))
            return int(i);
        if (cover < 0)
            cover = int(i);
    }
    return cover;
}

Orientation orientation(const AVStream& stream) {
    const auto* matrix = reinterpret_cast<const int32_t*>(
        av_stream_get_side_data(&stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr));
    if (!matrix)
        return {};
    // The matrix's 2×2 part holds cosines and sines in 16.16 fixed point; a quarter turn or a
    // mirroring has each entry near -1, 0 or 1.
    const auto unit = [](int32_t value) -> std::optional<int> {
        const double v = value / 65536.0;
        for (const int u : {-1, 0, 1})
            if (std::abs(v - u) < 0.01)
                return u;
        return std::nullopt;
    };
    const auto a = unit(matrix[0]), b = unit(matrix[1]), c = unit(matrix[3]), d = unit(matrix[4]);
    if (!a || !b || !c || !d || std::abs(*a * *d - *b * *c) != 1) {
        qCDebug(lcMedia) << "a picture turned by" << av_display_rotation_get(matrix)
                         << "degrees is shown as stored";
        return {};
    }
    return {*a, *b, *c, *d};
}

PictureSize aspectSize(const AVStream& stream) {
    const AVCodecParameters& parameters = *stream.codecpar;
    AVRational aspect = stream.sample_aspect_ratio.num > 0 ? stream.sample_aspect_ratio
                                                           : parameters.sample_aspect_ratio;
    if (aspect.num <= 0 || aspect.den <= 0)
        aspect = {1, 1};
    // Non-square pixels widen or narrow the picture, as players show it; the height stays.
    const double width = double(parameters.width) * aspect.num / aspect.den;
    return {std::max(1, int(std::lround(width))), parameters.height};
}

double soundStart(const QString& path, const AVFormatContext& input) {
    try {
        return AudioDecoder(path).startSeconds();
    } catch (const std::exception& error) {
        qCDebug(lcMedia) << "no sound clock in" << path << "-" << error.what();
    }
    return input.start_time != AV_NOPTS_VALUE ? double(input.start_time) / AV_TIME_BASE : 0.0;
}

PictureInfo describe(const AVFormatContext& input, int index, double soundStart) {
    const AVStream& stream = *input.streams[index];
    PictureInfo info;
    info.stream = index;
    info.kind = stream.disposition & AV_DISPOSITION_ATTACHED_PIC ? PictureInfo::Kind::Cover
                                                                 : PictureInfo::Kind::Moving;
    PictureSize size = aspectSize(stream);
    if (orientation(stream).swapsSides())
        std::swap(size.width, size.height);
    info.displayWidth = size.width;
    info.displayHeight = size.height;
    if (info.kind == PictureInfo::Kind::Cover)
        return info;
    if (stream.start_time != AV_NOPTS_VALUE)
        info.start = std::max(0.0, stream.start_time * av_q2d(stream.time_base) - soundStart);
    const AVRational rate =
        stream.avg_frame_rate.num > 0 ? stream.avg_frame_rate : stream.r_frame_rate;
    if (rate.num > 0 && rate.den > 0)
        info.frameInterval = av_q2d(av_inv_q(rate));
    return info;
}

} // namespace PictureStream
