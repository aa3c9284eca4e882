#include "subtitles/SubtitleCues.h"

#include "base/LogCategories.h"
#include "base/TextDecoding.h"
#include "media/FFmpegSupport.h"
#include "subtitles/SubtitleSentences.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <memory>

namespace {

struct SubtitleDeleter {
    void operator()(AVSubtitle* subtitle) const { avsubtitle_free(subtitle); }
};
// Frees what a decoded subtitle holds (the struct itself lives on the stack).
using DecodedSubtitle = std::unique_ptr<AVSubtitle, SubtitleDeleter>;

// Enough of a subtitle file to tell its encoding; a film's subtitles are far smaller.
constexpr qint64 kDetectionBytes = 1 << 20;

SubtitleError notSubtitles(const SubtitleTrack& track) {
    return SubtitleError(
        QCoreApplication::translate("SubtitleReading", "“%1” is not a subtitle file.")
            .arg(track.source));
}

SubtitleError unreadable(const SubtitleTrack& track, const QString& why) {
    return SubtitleError(
        QCoreApplication::translate("SubtitleReading", "The subtitles “%1” can’t be read. %2")
            .arg(track.source, why));
}

// What FFmpeg reads of a subtitle file: the file itself, or a UTF-8 copy of a UTF-16 or UTF-32 file
// (FFmpeg's text demuxers lose characters of those), and the encoding its decoder converts from
// (empty for UTF-8).
struct TextToRead {
    QString path;
    QByteArray encoding;
    std::unique_ptr<QTemporaryFile> copy;
};

std::unique_ptr<QTemporaryFile> utf8Copy(const SubtitleTrack& track, QFile& file,
                                         QStringConverter::Encoding encoding) {
    file.seek(0);
    QStringDecoder decode(encoding);
    const QString text = decode(file.readAll());
    auto copy = std::make_unique<QTemporaryFile>();
    if (!copy->open() || copy->write(text.toUtf8()) < 0 || !copy->flush())
        throw unreadable(track,
                         QCoreApplication::translate("SubtitleReading",
                                                     "There isn’t enough space for a copy of it."));
    return copy;
}

// Throws when the file cannot be opened.
TextToRead textToRead(const SubtitleTrack& track) {
    QFile file(track.path);
    if (!file.open(QIODevice::ReadOnly))
        throw unreadable(
            track, file.exists()
                       ? QCoreApplication::translate("SubtitleReading",
                                                     "You don’t have permission to use this file.")
                       : QCoreApplication::translate("SubtitleReading", "The file doesn’t exist."));
    const QByteArray head = file.read(kDetectionBytes);
    if (const auto unicode = QStringConverter::encodingForData(head);
        unicode && *unicode != QStringConverter::Utf8) {
        TextToRead copied{{}, {}, utf8Copy(track, file, *unicode)};
        copied.path = copied.copy->fileName();
        return copied;
    }
    // Bytes no text holds: a container (Matroska subtitles), whose text is UTF-8 by its rules, or
    // no subtitles at all, which the demuxer will say.
    if (head.contains('\0'))
        return {track.path, {}, {}};
    const QByteArray charset = detectedCharset(head);
    qCDebug(lcSplit) << track.path << "reads as" << charset;
    if (charset.isEmpty() || charset == "ASCII" || charset == "UTF-8")
        return {track.path, {}, {}};
    return {track.path, charset, {}};
}

struct Reader {
    const SubtitleTrack& track;
    std::stop_token stop;
    FFmpeg::Input input;
    FFmpeg::Codec codec;
    AVStream* stream = nullptr;

    static int interrupted(void* opaque) {
        return static_cast<Reader*>(opaque)->stop.stop_requested() ? 1 : 0;
    }

    void open(const QString& path, const QByteArray& encoding);
    std::vector<SubtitleCue> cues();
    void append(const AVPacket& packet, const AVSubtitle& decoded, std::vector<SubtitleCue>& out);
};

void Reader::open(const QString& path, const QByteArray& encoding) {
    FFmpeg::routeLogging();
    AVFormatContext* raw = avformat_alloc_context();
    if (!raw)
        throw unreadable(
            track, QCoreApplication::translate("SubtitleReading", "There isn’t enough memory."));
    raw->interrupt_callback = {&Reader::interrupted, this};
    if (const int code =
            avformat_open_input(&raw, FFmpeg::fileUrl(path).constData(), nullptr, nullptr);
        code < 0) {
        if (stop.stop_requested())
            throw OperationCancelled();
        const MediaError error = FFmpeg::readError(code);
        if (error.kind() == MediaError::Kind::unreadable)
            throw notSubtitles(track);
        throw unreadable(track, error.description());
    }
    input.reset(raw);
    if (input->ctx_flags & AVFMTCTX_NOHEADER)
        FFmpeg::findStreamInfo(input.get());

    // A file's own subtitles are its first text stream; a stream inside media is named.
    const int index = track.stream >= 0 ? track.stream
                                        : av_find_best_stream(input.get(), AVMEDIA_TYPE_SUBTITLE,
                                                              -1, -1, nullptr, 0);
    if (index < 0 || unsigned(index) >= input->nb_streams ||
        input->streams[index]->codecpar->codec_type != AVMEDIA_TYPE_SUBTITLE)
        throw notSubtitles(track);
    stream = input->streams[index];
    if (auto why = unusableSubtitles(stream->codecpar->codec_id))
        throw SubtitleError(*why);
    const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
    for (unsigned i = 0; i < input->nb_streams; ++i)
        input->streams[i]->discard = int(i) == index ? AVDISCARD_DEFAULT : AVDISCARD_ALL;

    codec.reset(avcodec_alloc_context3(decoder));
    if (!codec || avcodec_parameters_to_context(codec.get(), stream->codecpar) < 0)
        throw unreadable(
            track, QCoreApplication::translate("SubtitleReading", "There isn’t enough memory."));
    codec->pkt_timebase = stream->time_base;
    if (!encoding.isEmpty()) {
        codec->sub_charenc = av_strdup(encoding.constData());
        codec->sub_charenc_mode = FF_SUB_CHARENC_MODE_PRE_DECODER;
    }
    if (avcodec_open2(codec.get(), decoder, nullptr) < 0)
        throw notSubtitles(track);
}

// The text after the eight fields that precede it in FFmpeg's ASS events
// ("ReadOrder,Layer,Style,Name,MarginL,MarginR,MarginV,Effect,Text").
QString eventText(const char* event) {
    const QString line = QString::fromUtf8(event);
    qsizetype at = 0;
    for (int field = 0; field < 8; ++field) {
        const qsizetype comma = line.indexOf(u',', at);
        if (comma < 0)
            return line; // not an event: all of it is text
        at = comma + 1;
    }
    return line.mid(at);
}

void Reader::append(const AVPacket& packet, const AVSubtitle& decoded,
                    std::vector<SubtitleCue>& out) {
    const double base = av_q2d(stream->time_base);
    const double start = double(packet.pts) * base + decoded.start_display_time / 1000.0;
    double end = start;
    if (packet.duration > 0)
        end = double(packet.pts + packet.duration) * base;
    else if (decoded.end_display_time > decoded.start_display_time &&
             decoded.end_display_time != UINT32_MAX)
        end = double(packet.pts) * base + decoded.end_display_time / 1000.0;
    QStringList texts;
    for (unsigned i = 0; i < decoded.num_rects; ++i) {
        const AVSubtitleRect* rect = decoded.rects[i];
        if (rect->type == SUBTITLE_ASS && rect->ass)
            texts.append(eventText(rect->ass));
        else if (rect->type == SUBTITLE_TEXT && rect->text)
            texts.append(QString::fromUtf8(rect->text));
    }
    if (!texts.isEmpty())
        out.push_back({start, end, texts.join(QStringLiteral("\\N"))});
}

std::vector<SubtitleCue> Reader::cues() {
    std::vector<SubtitleCue> result;
    const FFmpeg::Packet packet(av_packet_alloc());
    int code = 0;
    while ((code = av_read_frame(input.get(), packet.get())) >= 0) {
        const std::unique_ptr<AVPacket, decltype(&av_packet_unref)> unref(packet.get(),
                                                                          &av_packet_unref);
        if (stop.stop_requested())
            throw OperationCancelled();
        if (packet->stream_index != stream->index || packet->pts == AV_NOPTS_VALUE)
            continue;
        AVSubtitle decoded{};
        int got = 0;
        if (avcodec_decode_subtitle2(codec.get(), &decoded, &got, packet.get()) < 0 || !got) {
            qCDebug(lcSplit) << "A subtitle packet could not be decoded in" << track.path;
            continue;
        }
        const DecodedSubtitle owner(&decoded);
        append(*packet, decoded, result);
    }
    if (stop.stop_requested())
        throw OperationCancelled();
    if (code != AVERROR_EOF)
        qCDebug(lcSplit) << "Reading subtitles stopped early in" << track.path
                         << FFmpeg::errorText(code);
    return result;
}

} // namespace

std::vector<SubtitleCue> readSubtitleCues(const SubtitleTrack& track, std::stop_token stop) {
    if (track.unusable)
        throw SubtitleError(*track.unusable);
    if (QFileInfo(track.path).isDir())
        throw unreadable(
            track, QCoreApplication::translate("SubtitleReading", "This is a folder, not a file."));
    // Streams inside media carry UTF-8 by their container's rules.
    const TextToRead text = track.origin == SubtitleTrack::Origin::Inside
                                ? TextToRead{track.path, {}, {}}
                                : textToRead(track);
    Reader reader{track, std::move(stop), {}, {}, nullptr};
    reader.open(text.path, text.encoding);
    return reader.cues();
}
