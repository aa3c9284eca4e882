#include "video/PictureFile.h"

#include "media/FFmpegSupport.h"

extern "C" {
#include <libswscale/swscale.h>
}

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>

using namespace FFmpeg;

namespace {

MediaError saveError(const QString& why) {
    return MediaError::failed(
        QCoreApplication::translate("PictureFile", "The picture couldn’t be saved (%1).").arg(why));
}

// `frame` as the encoder takes it: the RGBA bytes themselves for PNG, full-range 4:2:0 for JPEG.
Frame encoderInput(const VideoFrame& frame, AVPixelFormat format) {
    Frame input{av_frame_alloc()};
    if (!input)
        throw std::bad_alloc();
    input->width = frame.width;
    input->height = frame.height;
    input->format = format;
    const int stride = frame.width * 4;
    if (format == AV_PIX_FMT_RGBA) {
        input->data[0] = const_cast<uint8_t*>(frame.rgba.data()); // only read by the encoder
        input->linesize[0] = stride;
        return input;
    }
    if (av_frame_get_buffer(input.get(), 0) < 0)
        throw std::bad_alloc();
    const Scaler converter{sws_getContext(frame.width, frame.height, AV_PIX_FMT_RGBA, frame.width,
                                          frame.height, format, SWS_BICUBIC, nullptr, nullptr,
                                          nullptr)};
    if (!converter)
        throw std::bad_alloc();
    const uint8_t* planes[4] = {frame.rgba.data(), nullptr, nullptr, nullptr};
    const int strides[4] = {stride, 0, 0, 0};
    sws_scale(converter.get(), planes, strides, 0, frame.height, input->data, input->linesize);
    return input;
}

QByteArray encoded(const VideoFrame& frame, bool png) {
    const AVCodec* encoder = avcodec_find_encoder(png ? AV_CODEC_ID_PNG : AV_CODEC_ID_MJPEG);
    if (!encoder)
        throw saveError(errorText(AVERROR_ENCODER_NOT_FOUND));
    Codec codec{avcodec_alloc_context3(encoder)};
    if (!codec)
        throw std::bad_alloc();
    codec->width = frame.width;
    codec->height = frame.height;
    codec->pix_fmt = png ? AV_PIX_FMT_RGBA : AV_PIX_FMT_YUVJ420P;
    codec->time_base = {1, 1};
    // JPEG at a fixed good quality (2 is best, 31 worst), as FFmpeg's -q:v 3.
    codec->flags |= AV_CODEC_FLAG_QSCALE;
    codec->global_quality = FF_QP2LAMBDA * 3;
    int result = avcodec_open2(codec.get(), encoder, nullptr);
    if (result < 0)
        throw saveError(errorText(result));
    const Frame input = encoderInput(frame, codec->pix_fmt);
    input->quality = codec->global_quality;
    const Packet packet{av_packet_alloc()};
    if (!packet)
        throw std::bad_alloc();
    result = avcodec_send_frame(codec.get(), input.get());
    if (result >= 0)
        result = avcodec_receive_packet(codec.get(), packet.get());
    if (result < 0)
        throw saveError(errorText(result));
    return QByteArray(reinterpret_cast<const char*>(packet->data), packet->size);
}

} // namespace

void writePicture(const VideoFrame& frame, const QString& path) {
    if (frame.isNull())
        throw saveError(errorText(AVERROR(EINVAL)));
    routeLogging();
    const QByteArray bytes = encoded(frame, path.endsWith(u".png", Qt::CaseInsensitive));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw MediaError::failed(
            QCoreApplication::translate("PictureFile", "The picture couldn’t be saved to “%1”: %2")
                .arg(QDir::toNativeSeparators(path), file.errorString()));
}
