#include "media/AudioDecoder.h"

#include "base/LogCategories.h"
#include "media/FFmpegSupport.h"

extern "C" {
#include <libavutil/opt.h>
}

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <vector>

using namespace FFmpeg;

struct AudioDecoder::State {
    QString path;
    AVIOContext* bytes = nullptr; // the caller's, read instead of `path` when set
    std::stop_token stop;
    std::optional<AudioFormat> requested;

    Input input;
    Codec codec;
    Packet packet{av_packet_alloc()};
    Frame frame{av_frame_alloc()};
    AVStream* stream = nullptr;
    bool video = false;

    AudioFormat source;
    AudioFormat output;

    // The resampler and the input it was built for; rebuilt when a stream changes format.
    Resampler resampler;
    ChannelLayout resamplerLayout;
    int resamplerRate = 0;
    int resamplerFormat = -1;

    // Converted samples not yet handed out, from `pendingBegin` on (interleaved).
    std::vector<float> pending;
    size_t pendingBegin = 0;

    enum class Stage { reading, draining, finished };
    Stage stage = Stage::reading;

    // Timeline: output frame 0 is the first sample the stream decodes to; `startTime` is its
    // presentation time in seconds. After a seek the first decoded frame's timestamp places
    // `convertedFrame` (the output frame of the next converted sample) on that timeline, and
    // samples before `dropUntil` are discarded.
    std::optional<double> startTime;
    std::optional<int> gridOffset; // the first decoded frame's length, in source samples
    bool needTimestamp = true;
    std::optional<qint64> landedAt;
    qint64 convertedFrame = 0;
    qint64 dropUntil = 0;
    qint64 position = 0;

    void checkStop() const {
        if (stop.stop_requested())
            throw OperationCancelled();
    }

    static int interrupted(void* opaque) {
        return static_cast<State*>(opaque)->stop.stop_requested() ? 1 : 0;
    }

    void open();
    void ensureResampler(const AVFrame& decoded);
    qint64 landingFrame(double seconds, const AVFrame& decoded) const;
    void convert(const AVFrame& decoded);
    void flushResampler();
    void appendConverted(size_t firstSample, qint64 frames);
    void step();
    bool fill();
    void resetForSeek();
    bool seekBefore(double seconds);

    size_t available() const { return (pending.size() - pendingBegin) / size_t(output.channels); }
    double timeBase() const { return av_q2d(stream->time_base); }
};

void AudioDecoder::State::open() {
    input.reset();
    codec.reset();
    resampler.reset();

    if (!bytes) {
        const QFileInfo file(path);
        if (file.isDir())
            throw MediaError::failed(
                QCoreApplication::translate("AudioDecoder", "This is a folder, not a file."));
        if (file.exists() && file.size() == 0)
            throw MediaError::unreadable();
    }
    routeLogging();
    AVFormatContext* context = avformat_alloc_context();
    if (!context)
        throw std::bad_alloc();
    context->interrupt_callback = {&State::interrupted, this};
    if (bytes) {
        // FFmpeg leaves a reader it was given open when it closes the input; opening again
        // starts from the beginning.
        context->pb = bytes;
        avio_seek(bytes, 0, SEEK_SET);
    }
    AVDictionary* options = nullptr;
    // Local files only: a playlist disguised as a media file must not reach the network.
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    int result =
        avformat_open_input(&context, bytes ? "" : fileUrl(path).constData(), nullptr, &options);
    av_dict_free(&options);
    if (result >= 0)
        input.reset(context); // on failure FFmpeg has freed it
    checkStop();
    if (result < 0)
        throw readError(result);

    result = findStreamInfo(input.get());
    checkStop();
    if (result < 0)
        throw readError(result);

    stream = nullptr;
    video = false;
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        AVStream* candidate = input->streams[i];
        const AVMediaType type = candidate->codecpar->codec_type;
        if (type == AVMEDIA_TYPE_AUDIO && !stream)
            stream = candidate;
        else
            candidate->discard = AVDISCARD_ALL; // the demuxer then skips their packets
        if (type == AVMEDIA_TYPE_VIDEO && !(candidate->disposition & AV_DISPOSITION_ATTACHED_PIC))
            video = true;
    }
    if (!stream)
        throw MediaError::noAudio();

    const AVCodecParameters* parameters = stream->codecpar;
    const AVCodec* decoder = avcodec_find_decoder(parameters->codec_id);
    if (!decoder || parameters->sample_rate <= 0 || parameters->ch_layout.nb_channels <= 0)
        throw MediaError::unreadable();
    codec.reset(avcodec_alloc_context3(decoder));
    if (!codec)
        throw std::bad_alloc();
    result = avcodec_parameters_to_context(codec.get(), parameters);
    if (result < 0)
        throw readError(result);
    // Lets the decoder move timestamps past the samples it skips (encoder delay).
    codec->pkt_timebase = stream->time_base;
    codec->thread_count = 1;
    result = avcodec_open2(codec.get(), decoder, nullptr);
    if (result < 0)
        throw readError(result);

    source = {parameters->sample_rate, parameters->ch_layout.nb_channels};
    output = requested.value_or(source);
}

void AudioDecoder::State::ensureResampler(const AVFrame& decoded) {
    ChannelLayout layout =
        ChannelLayout::of(decoded.ch_layout.nb_channels > 0 ? decoded.ch_layout : codec->ch_layout);
    if (resampler && resamplerRate == decoded.sample_rate && resamplerFormat == decoded.format &&
        resamplerLayout == layout)
        return;
    if (resampler)
        flushResampler(); // keep what the old one still holds

    const ChannelLayout outLayout =
        layout.channels() == output.channels ? layout : ChannelLayout(output.channels);
    SwrContext* context = nullptr;
    // FFmpeg 5.1 declares the layouts non-const but only reads them.
    int result = swr_alloc_set_opts2(
        &context, const_cast<AVChannelLayout*>(outLayout.get()), AV_SAMPLE_FMT_FLT,
        output.sampleRate, const_cast<AVChannelLayout*>(layout.get()),
        static_cast<AVSampleFormat>(decoded.format), decoded.sample_rate, 0, nullptr);
    Resampler owned(context);
    if (result < 0)
        throw readError(result);
    // Mixing down scales so that no output sample exceeds full scale: stereo to mono is the
    // average of the two channels.
    av_opt_set_double(context, "rematrix_maxval", 1.0, 0);
    result = swr_init(context);
    if (result < 0)
        throw MediaError::failed(
            QCoreApplication::translate("AudioDecoder", "The sound couldn’t be converted (%1).")
                .arg(errorText(result)));
    resampler = std::move(owned);
    resamplerLayout = layout;
    resamplerRate = decoded.sample_rate;
    resamplerFormat = decoded.format;
}

// The output frame at `seconds` from the start. Containers that count time in milliseconds
// (Matroska, WebM) place a packet up to a millisecond off. Codecs of fixed-size frames (AAC,
// Opus) put every packet after the first on a grid of whole frames, offset by the first frame's
// length (shorter when the encoder's priming was trimmed from it); a time within one tick of the
// container's clock from that grid is snapped to it, which makes the position exact again. Frames
// of varying length mostly lie further off the grid and keep their time.
qint64 AudioDecoder::State::landingFrame(double seconds, const AVFrame& decoded) const {
    const int rate = decoded.sample_rate > 0 ? decoded.sample_rate : source.sampleRate;
    double samples = seconds * rate;
    const int frameSize = codec->frame_size > 0 ? codec->frame_size : decoded.nb_samples;
    const double tick = timeBase() * rate; // in samples
    if (tick > 1 && frameSize > 2 * tick && gridOffset) {
        const double snapped =
            std::round((samples - *gridOffset) / frameSize) * frameSize + *gridOffset;
        if (std::abs(snapped - samples) <= tick)
            samples = snapped;
    }
    return std::llround(samples * output.sampleRate / rate);
}

void AudioDecoder::State::convert(const AVFrame& decoded) {
    if (decoded.nb_samples <= 0)
        return;
    if (needTimestamp) {
        const int64_t stamp = decoded.best_effort_timestamp != AV_NOPTS_VALUE
                                  ? decoded.best_effort_timestamp
                                  : decoded.pts;
        const double seconds = stamp != AV_NOPTS_VALUE ? stamp * timeBase() : 0.0;
        if (!startTime) {
            startTime = seconds;
            gridOffset = decoded.nb_samples;
        }
        convertedFrame =
            stamp != AV_NOPTS_VALUE ? landingFrame(seconds - *startTime, decoded) : dropUntil;
        landedAt = convertedFrame;
        needTimestamp = false;
    }
    ensureResampler(decoded);
    const int capacity = swr_get_out_samples(resampler.get(), decoded.nb_samples);
    if (capacity < 0)
        throw MediaError::failed(
            QCoreApplication::translate("AudioDecoder", "The sound couldn’t be converted (%1).")
                .arg(errorText(capacity)));
    const size_t first = pending.size();
    pending.resize(first + size_t(capacity) * size_t(output.channels));
    auto* out = reinterpret_cast<uint8_t*>(pending.data() + first);
    const int converted =
        swr_convert(resampler.get(), &out, capacity,
                    const_cast<const uint8_t**>(decoded.extended_data), decoded.nb_samples);
    if (converted < 0) {
        pending.resize(first);
        throw MediaError::failed(
            QCoreApplication::translate("AudioDecoder", "The sound couldn’t be converted (%1).")
                .arg(errorText(converted)));
    }
    appendConverted(first, converted);
}

void AudioDecoder::State::flushResampler() {
    if (!resampler)
        return;
    for (;;) {
        const int capacity = std::max(swr_get_out_samples(resampler.get(), 0), 0) + 32;
        const size_t first = pending.size();
        pending.resize(first + size_t(capacity) * size_t(output.channels));
        auto* out = reinterpret_cast<uint8_t*>(pending.data() + first);
        const int converted = swr_convert(resampler.get(), &out, capacity, nullptr, 0);
        if (converted <= 0) {
            pending.resize(first);
            return;
        }
        appendConverted(first, converted);
    }
}

// The samples at pending[firstSample…] are `frames` freshly converted frames starting at
// `convertedFrame`; trims them to what was written and drops those before `dropUntil`.
void AudioDecoder::State::appendConverted(size_t firstSample, qint64 frames) {
    const size_t channels = size_t(output.channels);
    pending.resize(firstSample + size_t(frames) * channels);
    const qint64 drop = std::clamp<qint64>(dropUntil - convertedFrame, 0, frames);
    if (drop > 0)
        pending.erase(pending.begin() + std::ptrdiff_t(firstSample),
                      pending.begin() + std::ptrdiff_t(firstSample + size_t(drop) * channels));
    convertedFrame += frames;
}

// One unit of decoding work: a frame out of the decoder, or a packet into it.
void AudioDecoder::State::step() {
    checkStop();
    int result = avcodec_receive_frame(codec.get(), frame.get());
    if (result == 0) {
        try {
            convert(*frame);
        } catch (...) {
            av_frame_unref(frame.get());
            throw;
        }
        av_frame_unref(frame.get());
        return;
    }
    if (result == AVERROR_EOF || stage == Stage::draining) {
        flushResampler();
        stage = Stage::finished;
        return;
    }
    // Any other failure is damaged data in one frame: skip it, as FFmpeg's tools do.
    if (result != AVERROR(EAGAIN))
        qCDebug(lcMedia) << "skipped a frame of" << path
                         << "that doesn't decode:" << errorText(result);

    result = av_read_frame(input.get(), packet.get());
    if (result == AVERROR(EAGAIN))
        return;
    if (result < 0) {
        checkStop();
        // End of file, or data too damaged to go on: what decoded so far stands. Any other
        // failure (a disk unplugged, a network mount dropped) is no end: a short sound would be
        // taken for the whole.
        if (result != AVERROR_EOF && result != AVERROR_INVALIDDATA)
            throw readError(result);
        if (result == AVERROR_INVALIDDATA)
            qCDebug(lcMedia) << path << "ends in damaged data; the sound decoded so far stands";
        avcodec_send_packet(codec.get(), nullptr);
        stage = Stage::draining;
        return;
    }
    if (packet->stream_index == stream->index) {
        result = avcodec_send_packet(codec.get(), packet.get());
        if (result < 0) // a damaged packet is skipped
            qCDebug(lcMedia) << "skipped a packet of" << path << "-" << errorText(result);
    }
    av_packet_unref(packet.get());
}

bool AudioDecoder::State::fill() {
    while (available() == 0) {
        if (stage == Stage::finished)
            return false;
        if (pendingBegin > 0) {
            pending.clear();
            pendingBegin = 0;
        }
        step();
    }
    return true;
}

void AudioDecoder::State::resetForSeek() {
    avcodec_flush_buffers(codec.get());
    resampler.reset();
    pending.clear();
    pendingBegin = 0;
    stage = Stage::reading;
    needTimestamp = true;
    landedAt.reset();
}

bool AudioDecoder::State::seekBefore(double seconds) {
    const auto stamp = static_cast<int64_t>(std::floor(seconds / timeBase()));
    const int result = av_seek_frame(input.get(), stream->index, stamp, AVSEEK_FLAG_BACKWARD);
    checkStop();
    if (result < 0)
        qCDebug(lcMedia) << "couldn't seek in" << path << "to" << seconds
                         << "s:" << errorText(result) << "- decoding from the start instead";
    return result >= 0;
}

AudioDecoder::AudioDecoder(const QString& path, std::optional<AudioFormat> output)
    : AudioDecoder(path, output, std::stop_token()) {}

AudioDecoder::AudioDecoder(const QString& path, std::optional<AudioFormat> output,
                           std::stop_token stop)
    : AudioDecoder(path, nullptr, output, std::move(stop)) {}

AudioDecoder::AudioDecoder(AVIOContext* bytes, std::optional<AudioFormat> output)
    : AudioDecoder(QString(), bytes, output, std::stop_token()) {}

AudioDecoder::AudioDecoder(const QString& path, AVIOContext* bytes,
                           std::optional<AudioFormat> output, std::stop_token stop)
    : d(std::make_unique<State>()) {
    if (output && (output->sampleRate <= 0 || output->channels <= 0))
        throw std::invalid_argument("AudioDecoder: output format needs a rate and channels");
    d->path = path;
    d->bytes = bytes;
    d->stop = std::move(stop);
    d->requested = output;
    if (!d->packet || !d->frame)
        throw std::bad_alloc();
    d->open();
    // Decoding the first samples fixes the timeline's origin and shows that the stream decodes.
    d->fill();
}

AudioDecoder::~AudioDecoder() = default;

AudioFormat AudioDecoder::format() const {
    return d->output;
}

AudioFormat AudioDecoder::sourceFormat() const {
    return d->source;
}

double AudioDecoder::durationSeconds() const {
    if (d->stream->duration != AV_NOPTS_VALUE && d->stream->duration > 0)
        return static_cast<double>(d->stream->duration) * d->timeBase();
    if (d->input->duration != AV_NOPTS_VALUE && d->input->duration > 0)
        return static_cast<double>(d->input->duration) / AV_TIME_BASE;
    return 0;
}

double AudioDecoder::startSeconds() const {
    return d->startTime.value_or(0.0);
}

std::optional<qint64> AudioDecoder::lengthFrames() const {
    const double seconds = durationSeconds();
    if (seconds <= 0)
        return std::nullopt;
    return std::llround(seconds * d->output.sampleRate);
}

bool AudioDecoder::hasVideo() const {
    return d->video;
}

qint64 AudioDecoder::position() const {
    return d->position;
}

qint64 AudioDecoder::read(float* interleaved, qint64 maxFrames) {
    d->checkStop();
    const size_t channels = size_t(d->output.channels);
    qint64 done = 0;
    while (done < maxFrames && d->fill()) {
        const qint64 count = std::min<qint64>(qint64(d->available()), maxFrames - done);
        const size_t samples = size_t(count) * channels;
        std::memcpy(interleaved + size_t(done) * channels, d->pending.data() + d->pendingBegin,
                    samples * sizeof(float));
        d->pendingBegin += samples;
        done += count;
    }
    d->position += done;
    return done;
}

void AudioDecoder::seek(qint64 target) {
    d->checkStop();
    target = std::max<qint64>(0, target);
    const qint64 skip = target - d->position;
    if (skip == 0)
        return;
    // A short hop forward is cheaper to decode through than to seek.
    if (skip > 0 && skip <= d->output.sampleRate / 2) {
        std::vector<float> scratch(size_t(4096) * size_t(d->output.channels));
        qint64 left = skip;
        while (left > 0) {
            const qint64 got = read(scratch.data(), std::min<qint64>(left, 4096));
            if (got == 0)
                break;
            left -= got;
        }
        d->position = target;
        return;
    }

    const double origin = d->startTime.value_or(0.0);
    const double seconds = origin + double(target) / d->output.sampleRate;
    // Seek early enough for the codec to settle (AAC, Vorbis and Opus decode their first packet
    // after a seek only partly). Some demuxers (MP3 among them) only estimate where a time lies,
    // so a seek may land after the target; then seek further back.
    const double prerolls[] = {0.2, 1.0, 10.0};
    bool placed = false;
    for (const double preroll : prerolls) {
        if (seconds - preroll <= origin || !d->seekBefore(seconds - preroll))
            break;
        d->resetForSeek();
        d->dropUntil = target;
        while (d->needTimestamp && d->stage != State::Stage::finished)
            d->step();
        if (d->landedAt && *d->landedAt <= target) {
            placed = true;
            break;
        }
    }
    if (!placed) {
        // Near the start, decode from a freshly opened file: only then do demuxers and decoders
        // trim the encoder's priming exactly as on the first read.
        d->open();
        d->resetForSeek();
        d->dropUntil = target;
        while (d->needTimestamp && d->stage != State::Stage::finished)
            d->step();
        if (d->landedAt && *d->landedAt > target) {
            // The stream starts later than the origin after all: the gap is silence.
            const size_t gap = size_t(*d->landedAt - target) * size_t(d->output.channels);
            d->pending.insert(d->pending.begin() + std::ptrdiff_t(d->pendingBegin), gap, 0.0f);
        }
    }
    d->position = target;
}
