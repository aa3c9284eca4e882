// The picture of a video, each figure against FFmpeg alone doing the least the same job needs, in
// the same process and run:
// - jumping to a far sentence: FrameReader::frameAt at a random far time (a seek, then decoding
//   up to the frame and converting it to the size shown) against seeking there with libavformat
//   and decoding up to that frame with libavcodec (same thread count, no conversion);
// - playing a sentence at 1x: processor time of nextFrame() for ten seconds of 1080p30 frames
//   converted to the size shown, against decoding the same frames, as a share of one core;
// - memory: the peak resident memory of a process reading the sound and showing the picture of a
//   4K 10-bit video, and of one decoding the same frames with FFmpeg alone, each above one reading
//   the sound only (child processes: this program with --memory sound|picture|ffmpeg FILE).
// The videos are made with ffmpeg: H.264 1080p30 with a keyframe every 2 s (-g 60), and 4K 10-bit.
// Prints "name value unit" lines; progress goes to stderr.

#include "BenchTools.h"
#include "media/AudioDecoder.h"
#include "media/FFmpegSupport.h"
#include "video/FrameReader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <random>

using namespace FFmpeg;

namespace {

constexpr double seconds1080 = 40;
constexpr int boxWidth = 960, boxHeight = 540; // the picture in a window on a laptop screen
constexpr int jumps = 15;
constexpr double played = 10;

void note(const QString& text) {
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

QString makeVideo(const QString& path, const QString& size, double seconds,
                  const QStringList& encoding) {
    note(QStringLiteral("making %1 (%2, %3 s)").arg(path, size).arg(seconds));
    BenchTools::run(QStringLiteral("ffmpeg"),
                    QStringList{QStringLiteral("-nostdin"), QStringLiteral("-loglevel"),
                                QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-f"),
                                QStringLiteral("lavfi"), QStringLiteral("-i"),
                                QStringLiteral("testsrc2=s=%1:r=30:d=%2").arg(size).arg(seconds),
                                QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                                QStringLiteral("sine=f=300:d=%1").arg(seconds),
                                QStringLiteral("-c:v"), QStringLiteral("libx264"),
                                QStringLiteral("-g"), QStringLiteral("60"), QStringLiteral("-c:a"),
                                QStringLiteral("aac")} +
                        encoding + QStringList{path});
    return path;
}

// FFmpeg alone: the first video stream of a file, decoded with the reader's thread count.
class PlainDecoder {
public:
    explicit PlainDecoder(const QString& path) {
        AVFormatContext* context = nullptr;
        if (avformat_open_input(&context, fileUrl(path).constData(), nullptr, nullptr) < 0)
            fail();
        m_input.reset(context);
        if (avformat_find_stream_info(context, nullptr) < 0)
            fail();
        const AVCodec* decoder = nullptr;
        const int index = av_find_best_stream(context, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
        if (index < 0)
            fail();
        m_stream = context->streams[index];
        m_codec.reset(avcodec_alloc_context3(decoder));
        avcodec_parameters_to_context(m_codec.get(), m_stream->codecpar);
        m_codec->pkt_timebase = m_stream->time_base;
        m_codec->thread_count = 2;
        if (avcodec_open2(m_codec.get(), decoder, nullptr) < 0)
            fail();
    }

    // Seeks to the keyframe before `seconds` and decodes up to the frame shown then.
    void frameAt(double seconds) {
        const auto stamp = int64_t(seconds / av_q2d(m_stream->time_base));
        av_seek_frame(m_input.get(), m_stream->index, stamp, AVSEEK_FLAG_BACKWARD);
        avcodec_flush_buffers(m_codec.get());
        while (const AVFrame* frame = next())
            if (frame->best_effort_timestamp + frame->pkt_duration > stamp)
                return;
    }

    // The next decoded frame; null at the end.
    const AVFrame* next() {
        while (true) {
            const int result = avcodec_receive_frame(m_codec.get(), m_frame.get());
            if (result == 0)
                return m_frame.get();
            if (result == AVERROR_EOF)
                return nullptr;
            if (av_read_frame(m_input.get(), m_packet.get()) < 0) {
                avcodec_send_packet(m_codec.get(), nullptr);
                continue;
            }
            if (m_packet->stream_index == m_stream->index)
                avcodec_send_packet(m_codec.get(), m_packet.get());
            av_packet_unref(m_packet.get());
        }
    }

private:
    [[noreturn]] static void fail() {
        note(QStringLiteral("FFmpeg couldn't read the video"));
        std::exit(1);
    }
    Input m_input;
    AVStream* m_stream = nullptr;
    Codec m_codec;
    Packet m_packet{av_packet_alloc()};
    Frame m_frame{av_frame_alloc()};
};

double millisecondsOf(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

void farJumps(const QString& video) {
    FrameReader reader(video, boxWidth, boxHeight);
    PlainDecoder plain(video);
    std::mt19937 random(22);
    std::uniform_real_distribution<double> anywhere(1.0, seconds1080 - 1.0);
    std::vector<double> ours, ffmpeg;
    double last = 0;
    for (int i = 0; i < jumps; ++i) {
        double time = anywhere(random);
        while (std::abs(time - last) < 5) // far: never decodable from the frame shown before
            time = anywhere(random);
        last = time;
        ffmpeg.push_back(millisecondsOf([&] { plain.frameAt(time); }));
        ours.push_back(millisecondsOf([&] { reader.frameAt(time); }));
    }
    const double oursMedian = BenchTools::median(ours), ffmpegMedian = BenchTools::median(ffmpeg);
    BenchTools::report(QStringLiteral("picture_far_jump_1080p"), oursMedian, QStringLiteral("ms"));
    BenchTools::report(QStringLiteral("picture_far_jump_1080p_ffmpeg"), ffmpegMedian,
                       QStringLiteral("ms"));
    BenchTools::report(QStringLiteral("picture_far_jump_1080p_ratio"), oursMedian / ffmpegMedian,
                       QStringLiteral("x"));
}

void playing(const QString& video) {
    const int frames = int(played * 30);
    std::vector<double> ours, ffmpeg;
    for (int run = 0; run < 3; ++run) {
        PlainDecoder plain(video);
        plain.frameAt(5);
        double before = BenchTools::processCpuSeconds();
        for (int i = 0; i < frames && plain.next(); ++i) {
        }
        ffmpeg.push_back(BenchTools::processCpuSeconds() - before);

        FrameReader reader(video, boxWidth, boxHeight);
        reader.frameAt(5);
        before = BenchTools::processCpuSeconds();
        for (int i = 0; i < frames && reader.nextFrame(); ++i) {
        }
        ours.push_back(BenchTools::processCpuSeconds() - before);
    }
    const double oursCore = BenchTools::median(ours) / played * 100;
    const double ffmpegCore = BenchTools::median(ffmpeg) / played * 100;
    BenchTools::report(QStringLiteral("picture_play_1080p30_cpu"), oursCore,
                       QStringLiteral("%core"));
    BenchTools::report(QStringLiteral("picture_play_1080p30_cpu_ffmpeg_decode"), ffmpegCore,
                       QStringLiteral("%core"));
    BenchTools::report(QStringLiteral("picture_play_1080p30_cpu_ratio"), oursCore / ffmpegCore,
                       QStringLiteral("x"));
}

// In a child process: reads a few seconds of the sound, and then shows the picture ("picture": a
// frame, a far jump back and a second played) or decodes the same frames with FFmpeg alone
// ("ffmpeg"); prints the peak resident memory.
int memoryChild(const QString& what, const QString& video) {
    AudioDecoder sound(video);
    std::vector<float> samples(size_t(sound.format().sampleRate * sound.format().channels) * 3);
    sound.read(samples.data(), qint64(samples.size()) / sound.format().channels);
    if (what == u"picture") {
        FrameReader reader(video, boxWidth, boxHeight);
        reader.frameAt(3.5);
        reader.frameAt(0.5);
        for (int i = 0; i < 30; ++i)
            reader.nextFrame();
    } else if (what == u"ffmpeg") {
        PlainDecoder plain(video);
        plain.frameAt(3.5);
        plain.frameAt(0.5);
        for (int i = 0; i < 30; ++i)
            plain.next();
    }
    std::printf("%.3f\n", BenchTools::processPeakResidentMegabytes());
    return 0;
}

double peakMegabytes(const QString& what, const QString& video) {
    std::vector<double> peaks;
    for (int run = 0; run < 3; ++run)
        peaks.push_back(BenchTools::run(QCoreApplication::applicationFilePath(),
                                        {QStringLiteral("--memory"), what, video})
                            .trimmed()
                            .toDouble());
    return BenchTools::median(peaks);
}

// `name`: which 4K video, as the result lines call it.
void memory(const QString& video, const QString& name) {
    const double sound = peakMegabytes(QStringLiteral("sound"), video);
    BenchTools::report(QStringLiteral("picture_memory_%1_sound_only").arg(name), sound,
                       QStringLiteral("MB"));
    BenchTools::report(QStringLiteral("picture_memory_%1_above_sound").arg(name),
                       peakMegabytes(QStringLiteral("picture"), video) - sound,
                       QStringLiteral("MB"));
    BenchTools::report(QStringLiteral("picture_memory_%1_ffmpeg_above_sound").arg(name),
                       peakMegabytes(QStringLiteral("ffmpeg"), video) - sound,
                       QStringLiteral("MB"));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() == 4 && arguments[1] == u"--memory")
        return memoryChild(arguments[2], arguments[3]);

    QTemporaryDir folder;
    const QString hd = makeVideo(folder.filePath(QStringLiteral("1080p.mp4")),
                                 QStringLiteral("1920x1080"), seconds1080,
                                 {QStringLiteral("-preset"), QStringLiteral("veryfast"),
                                  QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p")});
    farJumps(hd);
    playing(hd);
    // 4K 10-bit without B-frames (ultrafast), and with them (veryfast: the decoder then holds
    // frames back to reorder them).
    for (const auto& [name, preset] :
         {std::pair{"4k10", "ultrafast"}, std::pair{"4k10_bframes", "veryfast"}}) {
        const QString uhd = makeVideo(folder.filePath(QStringLiteral("%1.mp4").arg(name)),
                                      QStringLiteral("3840x2160"), 5,
                                      {QStringLiteral("-preset"), QString::fromLatin1(preset),
                                       QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p10le")});
        memory(uhd, QString::fromLatin1(name));
    }
    return 0;
}
