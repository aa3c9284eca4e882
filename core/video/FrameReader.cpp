#include "video/FrameReader.h"

#include "base/LogCategories.h"
#include "video/FrameScaler.h"
#include "video/PictureStream.h"

#include <QCoreApplication>

#include <cmath>

using namespace FFmpeg;

namespace {

// How many packets in a row may fail to give a picture before the stream counts as undecodable.
constexpr int maxFailures = 256;

MediaError pictureError() {
    return MediaError::failed(
        QCoreApplication::translate("FrameReader", "The picture of this video can’t be shown."));
}

} // namespace

struct FrameReader::State {
    QString path;
    Input input;
    Codec codec;
    AVStream* stream = nullptr;
    PictureInfo info;
    PictureStream::Orientation turn;
    double soundStart = 0; // the sound's clock's origin on the file's clock
    PictureSize box;
    FrameScaler scaler;
    Packet packet{av_packet_alloc()};

    // The decoded frame last handed out (or about to be), and the one after it when it was
    // decoded already; both as the decoder gave them, references to its buffers.
    Frame last;
    double lastTime = 0;
    Frame ahead;
    double aheadTime = 0;
    std::optional<VideoFrame> shown; // `last` converted for the box
    bool draining = false;
    bool ended = false; // the decoder gave its last frame since the last seek
    bool coverReturned = false;

    void open();
    double timeOf(const AVFrame& frame) const;
    Frame decodeNext();
    Frame takeNext(double& time);
    void seekBefore(double seconds);
    void decodeUpTo(double seconds);
    bool keyframeBetween(double from, double to) const;
    VideoFrame shownFrame();
};

void FrameReader::State::open() {
    input = PictureStream::open(path);
    const int index = PictureStream::choose(*input);
    if (index < 0)
        throw MediaError::failed(
            QCoreApplication::translate("FrameReader", "This file has no picture."));
    stream = input->streams[index];
    for (unsigned i = 0; i < input->nb_streams; ++i)
        if (int(i) != index)
            input->streams[i]->discard = AVDISCARD_ALL; // the demuxer then skips their packets
    const AVCodecParameters& parameters = *stream->codecpar;
    if (parameters.width <= 0 || parameters.height <= 0 ||
        int64_t(parameters.width) * parameters.height > maxPicturePixels) {
        qCDebug(lcMedia) << "the picture of" << path << "is" << parameters.width << "×"
                         << parameters.height << "- not shown";
        throw pictureError();
    }
    soundStart = PictureStream::soundStart(path, *input);
    info = PictureStream::describe(*input, index, soundStart);
    turn = PictureStream::orientation(*stream);

    const AVCodec* decoder = avcodec_find_decoder(parameters.codec_id);
    if (!decoder)
        throw pictureError();
    codec.reset(avcodec_alloc_context3(decoder));
    if (!codec || !packet)
        throw std::bad_alloc();
    if (avcodec_parameters_to_context(codec.get(), &parameters) < 0)
        throw pictureError();
    codec->pkt_timebase = stream->time_base;
    codec->max_pixels = maxPicturePixels; // also when a frame's own header claims a larger picture
    codec->thread_count = 2;
    if (avcodec_open2(codec.get(), decoder, nullptr) < 0)
        throw pictureError();
}

double FrameReader::State::timeOf(const AVFrame& frame) const {
    const int64_t stamp =
        frame.best_effort_timestamp != AV_NOPTS_VALUE ? frame.best_effort_timestamp : frame.pts;
    if (stamp == AV_NOPTS_VALUE) // none known: the frame after the last one
        return last ? lastTime + info.frameInterval : info.start;
    return stamp * av_q2d(stream->time_base) - soundStart;
}

// The next frame the decoder gives, none at the end of the stream. Damaged packets are skipped;
// a stream that gives no frame for many packets in a row has ended for the picture.
Frame FrameReader::State::decodeNext() {
    Frame frame{av_frame_alloc()};
    if (!frame)
        throw std::bad_alloc();
    int failures = 0;
    while (failures < maxFailures) {
        int result = avcodec_receive_frame(codec.get(), frame.get());
        if (result == 0)
            return frame;
        if (result == AVERROR_EOF)
            return {};
        if (result != AVERROR(EAGAIN)) {
            qCDebug(lcMedia) << "skipped a picture of" << path << "-" << errorText(result);
            ++failures;
            continue;
        }
        if (info.kind == PictureInfo::Kind::Cover) {
            if (draining)
                return {};
            result = avcodec_send_packet(codec.get(), &stream->attached_pic);
            avcodec_send_packet(codec.get(), nullptr);
            draining = true;
            if (result < 0)
                return {};
            continue;
        }
        result = av_read_frame(input.get(), packet.get());
        if (result < 0) {
            if (result != AVERROR_EOF)
                qCDebug(lcMedia) << "the picture of" << path << "ends early -" << errorText(result);
            if (draining)
                return {};
            avcodec_send_packet(codec.get(), nullptr);
            draining = true;
            continue;
        }
        if (packet->stream_index == stream->index &&
            avcodec_send_packet(codec.get(), packet.get()) < 0) {
            qCDebug(lcMedia) << "skipped a packet of the picture of" << path;
            ++failures;
        }
        av_packet_unref(packet.get());
    }
    qCDebug(lcMedia) << "the picture of" << path << "stopped decoding";
    return {};
}

// `ahead` if there is one, else the next frame decoded; its time in `time`.
Frame FrameReader::State::takeNext(double& time) {
    if (ahead) {
        time = aheadTime;
        return std::move(ahead);
    }
    Frame next = decodeNext();
    if (next)
        time = timeOf(*next);
    else
        ended = true;
    return next;
}

void FrameReader::State::seekBefore(double seconds) {
    const double timeBase = av_q2d(stream->time_base);
    const auto stamp = int64_t(std::floor((seconds + soundStart) / timeBase));
    if (av_seek_frame(input.get(), stream->index, stamp, AVSEEK_FLAG_BACKWARD) < 0) {
        qCDebug(lcMedia) << "couldn't seek in the picture of" << path << "to" << seconds;
        const int64_t start = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
        av_seek_frame(input.get(), stream->index, start, AVSEEK_FLAG_BACKWARD);
    }
    avcodec_flush_buffers(codec.get());
    draining = false;
    ended = false;
    last.reset();
    ahead.reset();
    shown.reset();
}

// Whether the file's index knows a keyframe after `from` and at or before `to`: then seeking
// there is shorter than decoding every frame in between. Without an index, a few seconds' gap
// counts as far.
bool FrameReader::State::keyframeBetween(double from, double to) const {
    if (avformat_index_get_entries_count(stream) == 0)
        return to - from > 3.0;
    const double timeBase = av_q2d(stream->time_base);
    const AVIndexEntry* entry = avformat_index_get_entry_from_timestamp(
        stream, int64_t(std::floor((to + soundStart) / timeBase)), AVSEEK_FLAG_BACKWARD);
    return entry && entry->timestamp * timeBase - soundStart > from;
}

// Makes `last` the frame shown at `seconds`, decoding on from where the decoder is; `ahead` then
// holds the frame after it when one was decoded.
void FrameReader::State::decodeUpTo(double seconds) {
    while (true) {
        double time = 0;
        Frame next = takeNext(time);
        if (!next)
            return;
        if (last && time > seconds) {
            ahead = std::move(next);
            aheadTime = time;
            return;
        }
        last = std::move(next);
        lastTime = time;
        shown.reset();
    }
}

VideoFrame FrameReader::State::shownFrame() {
    if (!last)
        throw pictureError();
    if (!shown) {
        const PictureSize size =
            fitInBox(info.displayWidth, info.displayHeight, box.width, box.height);
        shown = scaler.convert(*last, size, turn, lastTime);
        if (shown->isNull())
            throw pictureError();
    }
    return *shown;
}

FrameReader::FrameReader(const QString& mediaPath, int boxWidth, int boxHeight)
    : d(std::make_unique<State>()) {
    d->path = mediaPath;
    d->box = {boxWidth, boxHeight};
    d->open();
    // The first frame shows that the picture decodes; it waits as the next one to hand out.
    d->ahead = d->decodeNext();
    if (!d->ahead)
        throw pictureError();
    d->aheadTime = d->timeOf(*d->ahead);
}

FrameReader::~FrameReader() = default;

const PictureInfo& FrameReader::info() const {
    return d->info;
}

void FrameReader::setBox(int boxWidth, int boxHeight) {
    if (d->box.width == boxWidth && d->box.height == boxHeight)
        return;
    d->box = {boxWidth, boxHeight};
    d->shown.reset();
}

VideoFrame FrameReader::frameAt(double seconds) {
    if (d->info.kind == PictureInfo::Kind::Cover) {
        if (!d->last)
            d->last = d->takeNext(d->lastTime);
        d->coverReturned = true;
        return d->shownFrame();
    }
    const bool before = d->last && seconds < d->lastTime;
    if (d->ended && d->last && !before) // past the last frame: it stays
        return d->shownFrame();
    const bool held = d->last || d->ahead;
    const double decoded = d->ahead ? d->aheadTime : d->lastTime;
    if (before || !held || d->keyframeBetween(decoded, seconds))
        d->seekBefore(seconds);
    d->decodeUpTo(seconds);
    if (!d->last) {
        // The keyframe sought gave nothing (a file cut short, whose index lists frames it lost):
        // decode from the start, so that the last frame there is held.
        d->seekBefore(d->info.start);
        d->decodeUpTo(seconds);
    }
    return d->shownFrame();
}

std::optional<VideoFrame> FrameReader::nextFrame() {
    if (d->info.kind == PictureInfo::Kind::Cover) {
        if (d->coverReturned)
            return std::nullopt;
        return frameAt(0);
    }
    double time = 0;
    Frame next = d->takeNext(time);
    if (!next)
        return std::nullopt;
    d->last = std::move(next);
    d->lastTime = time;
    d->shown.reset();
    return d->shownFrame();
}
