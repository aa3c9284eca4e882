#include "video/PictureInfo.h"

#include "base/LogCategories.h"
#include "video/PictureStream.h"

#include <cmath>

std::optional<PictureInfo> findPicture(const QString& mediaPath) {
    try {
        const FFmpeg::Input input = PictureStream::open(mediaPath);
        const int stream = PictureStream::choose(*input);
        if (stream < 0 || input->streams[stream]->codecpar->width <= 0 ||
            input->streams[stream]->codecpar->height <= 0)
            return std::nullopt;
        return PictureStream::describe(*input, stream,
                                       PictureStream::soundStart(mediaPath, *input));
    } catch (const std::exception& error) {
        qCDebug(lcMedia) << "no picture found in" << mediaPath << "-" << error.what();
        return std::nullopt;
    }
}

PictureSize fitInBox(int width, int height, int boxWidth, int boxHeight) {
    if (width <= 0 || height <= 0)
        return {};
    double scale = 1.0;
    if (boxWidth > 0)
        scale = std::min(scale, double(boxWidth) / width);
    if (boxHeight > 0)
        scale = std::min(scale, double(boxHeight) / height);
    return {std::max(1, int(std::lround(width * scale))),
            std::max(1, int(std::lround(height * scale)))};
}
