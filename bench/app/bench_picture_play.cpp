// The picture of a video while practising, on generated H.264 files with keyframes every 2 s and
// a sound track (1080p30, and 4K for memory):
// - picture_next_sentence_ms: from moving to the next sentence to its first frame being ready to
//   draw (it was decoded ahead), median of 9 moves, beside one display refresh (16.7 ms);
// - picture_play_cpu_percent: CPU time (getrusage) of playing 8 s of a 1080p30 sentence at 1×
//   with the picture followed and drawn, less that of the sound alone in the same run, in % of
//   one core (target at most 60);
// - picture_memory_1080p_mb / picture_memory_4k_mb: the process's peak resident set while
//   playing with the picture, less the peak while playing the sound alone (target at most 60);
//   these three each the median of three pairs of runs.
// Audio plays on the test's clocked devices at the wall clock's pace. Prints "name value unit".

#include "audio/ClockedAudioDevices.h"
#include "audio/Player.h"
#include "BenchTools.h"
#include "ui/PictureView.h"
#include "video/PictureFeed.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <QCoroTask>

#include <cmath>
#include <cstdio>

namespace {

constexpr double sentenceSeconds = 8;
constexpr double fps = 30;

QString makeVideo(const QTemporaryDir& dir, const QString& name, const QString& size,
                  double seconds) {
    const QString path = dir.filePath(name);
    BenchTools::run(QStringLiteral("ffmpeg"),
                    {"-v",
                     "error",
                     "-y",
                     "-f",
                     "lavfi",
                     "-i",
                     QStringLiteral("testsrc2=s=%1:r=30:d=%2").arg(size).arg(seconds),
                     "-f",
                     "lavfi",
                     "-i",
                     QStringLiteral("sine=f=220:d=%1").arg(seconds),
                     "-c:v",
                     "libx264",
                     "-preset",
                     "ultrafast",
                     "-g",
                     "60",
                     "-pix_fmt",
                     "yuv420p",
                     "-c:a",
                     "aac",
                     path});
    return path;
}

void spinUntil(const std::function<bool()>& done, int timeoutMs = 20000) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

// Sets the peak resident set back to the resident set now (Linux), so that a run's peak is its
// own.
void resetPeakResident() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

struct Run {
    double cpuSeconds = 0;
    double peakMegabytes = 0;
};

// Plays one sentence of `path` at 1×, with its picture followed and drawn when `picture`.
Run play(const QString& path, bool picture) {
    auto devices = std::make_shared<ClockedAudioDevices>();
    devices->options().keepsFrames = false;
    Player player(devices);
    player.load(path);
    PictureFeed feed([&player] { return player.position(); });
    PictureView view(feed);
    view.resize(960, 540);
    view.show();
    const double start = 4.3;
    if (picture) {
        feed.open(path);
        feed.setSentence(TimeRange(start, start + sentenceSeconds), std::nullopt);
        feed.setFollowing(true);
        spinUntil([&] { return !feed.frame().isNull(); });
        spinUntil([] { return false; }, 500); // the frames ahead decoded
    }
    resetPeakResident();
    const double cpuBefore = BenchTools::processCpuSeconds();
    QCoro::waitFor(player.play(start, start + sentenceSeconds, 1.0));
    return {BenchTools::processCpuSeconds() - cpuBefore,
            BenchTools::processPeakResidentMegabytes()};
}

double nextSentenceMilliseconds(const QString& path) {
    PictureFeed feed([]() -> std::optional<double> { return std::nullopt; });
    feed.open(path);
    const auto sentenceAt = [](int index) { return 2.3 + 3.7 * index; };
    const auto show = [&](int index) {
        feed.setSentence(TimeRange(sentenceAt(index), sentenceAt(index) + 3),
                         sentenceAt(index + 1));
    };
    // The frame at a time is the one at or just before it.
    const auto shows = [&](int index) {
        return !feed.frame().isNull() && feed.frameTime() <= sentenceAt(index) &&
               feed.frameTime() > sentenceAt(index) - 1 / fps;
    };
    show(0);
    spinUntil([&] { return shows(0); });
    std::vector<double> waits;
    for (int index = 1; index <= 9; ++index) {
        spinUntil([] { return false; }, 1500); // the learner's turn: the next frame decoded
        QElapsedTimer shown;
        shown.start();
        show(index);
        spinUntil([&] { return shows(index); });
        waits.push_back(double(shown.nsecsElapsed()) / 1e6);
    }
    return BenchTools::median(waits);
}

} // namespace

int main(int argc, char** argv) {
    // The picture is drawn, but no screen is needed for it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    std::fprintf(stderr, "making a 1080p30 and a 4K video…\n");
    const QString hd = makeVideo(dir, QStringLiteral("hd.mp4"), QStringLiteral("1920x1080"), 40);
    const QString uhd = makeVideo(dir, QStringLiteral("uhd.mp4"), QStringLiteral("3840x2160"), 14);

    BenchTools::report(QStringLiteral("picture_next_sentence_ms"), nextSentenceMilliseconds(hd),
                       QStringLiteral("ms (one display refresh: 16.7)"));

    // Each a median of three pairs of runs, the sound alone first.
    const auto extra = [](const QString& path, double Run::*measure) {
        std::vector<double> values;
        for (int i = 0; i < 3; ++i) {
            const Run sound = play(path, false);
            const Run withPicture = play(path, true);
            values.push_back(withPicture.*measure - sound.*measure);
        }
        return BenchTools::median(values);
    };
    BenchTools::report(QStringLiteral("picture_play_cpu_percent"),
                       extra(hd, &Run::cpuSeconds) / sentenceSeconds * 100,
                       QStringLiteral("% of one core above the sound alone (target ≤ 60)"));
    BenchTools::report(QStringLiteral("picture_memory_1080p_mb"), extra(hd, &Run::peakMegabytes),
                       QStringLiteral("MB above the sound alone (target ≤ 60)"));
    BenchTools::report(QStringLiteral("picture_memory_4k_mb"), extra(uhd, &Run::peakMegabytes),
                       QStringLiteral("MB above the sound alone (target ≤ 60)"));
    return 0;
}
