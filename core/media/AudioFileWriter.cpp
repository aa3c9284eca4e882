#include "media/AudioFileWriter.h"

#include "media/FFmpegSupport.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <stdexcept>

using namespace FFmpeg;

struct AudioFileWriter::State {
    AudioFormat format;
    Output output;
    Codec codec;
    AVStream* stream = nullptr;
    Frame frame{av_frame_alloc()};
    Packet packet{av_packet_alloc()};
    int filled = 0; // frames already in `frame`
    qint64 written = 0;
    bool finished = false;

    void check(int result) const {
        if (result < 0)
            throw writeError(result);
    }
    void encode(const AVFrame* input);
    void sendFrame();
};

void AudioFileWriter::State::encode(const AVFrame* input) {
    check(avcodec_send_frame(codec.get(), input));
    for (;;) {
        const int result = avcodec_receive_packet(codec.get(), packet.get());
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
            return;
        check(result);
        av_packet_rescale_ts(packet.get(), codec->time_base, stream->time_base);
        packet->stream_index = stream->index;
        check(av_write_frame(output.get(), packet.get())); // takes the packet's data
    }
}

void AudioFileWriter::State::sendFrame() {
    frame->nb_samples = filled;
    frame->pts = written - filled;
    encode(frame.get());
    filled = 0;
}

AudioFileWriter::AudioFileWriter(const QString& path, AudioFormat format, int bitRate)
    : d(std::make_unique<State>()) {
    if (format.sampleRate <= 0 || format.channels <= 0 || bitRate <= 0)
        throw std::invalid_argument(
            "AudioFileWriter: format needs a rate, channels and a bit rate");
    if (!d->frame || !d->packet)
        throw std::bad_alloc();
    d->format = format;
    routeLogging();

    const QByteArray name = QFile::encodeName(path);
    const AVOutputFormat* container = av_guess_format(nullptr, name.constData(), nullptr);
    const bool mp3 = container && std::string_view(container->name) == "mp3";
    if (!mp3)
        container = av_guess_format("ipod", nullptr, nullptr); // MPEG-4 audio (.m4a)
    AVFormatContext* context = nullptr;
    d->check(avformat_alloc_output_context2(&context, container, nullptr, name.constData()));
    d->output.reset(context);

    const AVCodec* encoder = avcodec_find_encoder_by_name(mp3 ? "libmp3lame" : "aac");
    if (!encoder)
        encoder = avcodec_find_encoder(mp3 ? AV_CODEC_ID_MP3 : AV_CODEC_ID_AAC);
    if (!encoder)
        throw MediaError::failed(QCoreApplication::translate(
                                     "AudioFileWriter", "This system’s FFmpeg has no %1 encoder.")
                                     .arg(mp3 ? QStringLiteral("MP3") : QStringLiteral("AAC")));
    d->codec.reset(avcodec_alloc_context3(encoder));
    if (!d->codec)
        throw std::bad_alloc();
    AVCodecContext* codec = d->codec.get();
    codec->sample_fmt = AV_SAMPLE_FMT_FLTP;
    codec->sample_rate = format.sampleRate;
    av_channel_layout_default(&codec->ch_layout, format.channels);
    codec->bit_rate = bitRate;
    codec->time_base = {1, format.sampleRate};
    if (context->oformat->flags & AVFMT_GLOBALHEADER)
        codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    d->check(avcodec_open2(codec, encoder, nullptr));

    d->stream = avformat_new_stream(context, nullptr);
    if (!d->stream)
        throw std::bad_alloc();
    d->check(avcodec_parameters_from_context(d->stream->codecpar, codec));
    d->stream->time_base = codec->time_base;

    d->check(avio_open(&context->pb, fileUrl(path).constData(), AVIO_FLAG_WRITE));
    d->check(avformat_write_header(context, nullptr));

    d->frame->format = codec->sample_fmt;
    d->frame->sample_rate = codec->sample_rate;
    d->check(av_channel_layout_copy(&d->frame->ch_layout, &codec->ch_layout));
    d->frame->nb_samples = codec->frame_size > 0 ? codec->frame_size : 1024;
    d->check(av_frame_get_buffer(d->frame.get(), 0));
}

AudioFileWriter::~AudioFileWriter() = default;

AudioFormat AudioFileWriter::format() const {
    return d->format;
}

qint64 AudioFileWriter::framesWritten() const {
    return d->written;
}

void AudioFileWriter::write(const float* interleaved, qint64 frames) {
    if (d->finished)
        throw std::logic_error("AudioFileWriter: write after finish");
    const int channels = d->format.channels;
    const int size = d->codec->frame_size > 0 ? d->codec->frame_size : 1024;
    while (frames > 0) {
        if (d->filled == 0)
            d->check(av_frame_make_writable(d->frame.get())); // the encoder may still hold it
        const int count = int(std::min<qint64>(frames, size - d->filled));
        for (int c = 0; c < channels; ++c) {
            auto* plane = reinterpret_cast<float*>(d->frame->extended_data[c]) + d->filled;
            for (int i = 0; i < count; ++i)
                plane[i] = interleaved[size_t(i) * size_t(channels) + size_t(c)];
        }
        interleaved += size_t(count) * size_t(channels);
        frames -= count;
        d->filled += count;
        d->written += count;
        if (d->filled == size)
            d->sendFrame();
    }
}

void AudioFileWriter::finish() {
    if (d->finished)
        return;
    if (d->filled > 0)
        d->sendFrame(); // the encoder accepts a short last frame
    d->encode(nullptr);
    d->check(av_write_trailer(d->output.get()));
    d->check(avio_closep(&d->output->pb)); // reports a failed final flush (a full disk)
    d->finished = true;
}
