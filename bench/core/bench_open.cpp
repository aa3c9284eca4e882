// Opening a 60-minute file until its sentences are known (energy profile, pause split), for an
// MP3 and for videos in MP4, MKV and WebM, each against the ffmpeg tool decoding the same sound
// track in the same run (`ffmpeg -i FILE -vn -f null -`); the peak memory of each open; and how
// fast a running opening stops when cancelled.
//
// Every open runs in a child process (this program with --child), so that its peak resident
// memory is its own. Prints "name value unit" lines; progress goes to stderr.

#include "base/QuellinError.h"
#include "BenchTools.h"
#include "media/EnergyProfile.h"
#include "media/SoundOpening.h"
#include "split/SilenceSplitter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace {

constexpr double minutes = 60;
constexpr int runs = 3;

void note(const QString& text) {
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

void print(const char* name, double value, const char* unit) {
    std::printf("%s %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

// Wall-clock and processor (user + system) seconds.
struct Timing {
    double wall = 0;
    double cpu = 0;
    Timing operator+(const Timing& other) const { return {wall + other.wall, cpu + other.cpu}; }
};

// Runs a program to completion and returns its times; exits on failure.
Timing timed(const QString& program, const QStringList& arguments, QByteArray* output = nullptr) {
    const double cpuBefore = BenchTools::childrenCpuSeconds();
    QProcess process;
    process.setProcessChannelMode(output ? QProcess::SeparateChannels
                                         : QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        note(QStringLiteral("failed: %1 %2").arg(program, arguments.join(u' ')));
        std::exit(1);
    }
    const Timing timing{double(timer.nsecsElapsed()) / 1e9,
                        BenchTools::childrenCpuSeconds() - cpuBefore};
    if (output)
        *output = process.readAllStandardOutput();
    return timing;
}

Timing ffmpeg(const QStringList& arguments) {
    return timed(QStringLiteral("ffmpeg"),
                 QStringList{QStringLiteral("-nostdin"), QStringLiteral("-loglevel"),
                             QStringLiteral("error"), QStringLiteral("-y")} +
                     arguments);
}

// The sound track decoded and dropped: what opening has to do at least.
Timing ffmpegDecodeSound(const QString& file) {
    return ffmpeg({QStringLiteral("-i"), file, QStringLiteral("-vn"), QStringLiteral("-f"),
                   QStringLiteral("null"), QStringLiteral("-")});
}

struct Open {
    Timing time;
    double peakMegabytes = 0;
    int sentences = 0;
};

// One open in a child process: "--child FILE" prints "wall cpu peakKiB sentences".
int child(const QString& file) {
    QElapsedTimer timer;
    timer.start();
    const auto ranges = SilenceSplitter().split(SoundOpening::open(file).profile);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%f %f %ld %zu\n", seconds, BenchTools::processCpuSeconds(), usage.ru_maxrss,
                ranges.size());
    return 0;
}

Open openInChild(const QString& file) {
    QByteArray output;
    timed(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), file}, &output);
    const QList<QByteArray> fields = output.trimmed().split(' ');
    return {{fields.value(0).toDouble(), fields.value(1).toDouble()},
            fields.value(2).toDouble() / 1024.0,
            fields.value(3).toInt()};
}

// A spoken piece of a few sentences, repeated to `seconds`, as a WAV file.
QString makeSpeech(const QString& folder, double seconds) {
    const QStringList sentences{
        QStringLiteral("The morning train was late again, so we walked along the river."),
        QStringLiteral("She asked whether the museum opens on Sundays."),
        QStringLiteral("I would like a cup of coffee and a slice of apple cake, please."),
        QStringLiteral("Nobody knew where the old key had gone."),
        QStringLiteral("Turn left at the bakery and the station is right in front of you."),
        QStringLiteral("We should practise a little every day.")};
    QStringList parts;
    const QString gap = QDir(folder).filePath(QStringLiteral("gap.wav"));
    timed(QStringLiteral("sox"),
          {QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("22050"),
           QStringLiteral("-c"), QStringLiteral("1"), gap, QStringLiteral("trim"),
           QStringLiteral("0"), QStringLiteral("0.6")});
    for (int i = 0; i < sentences.size(); ++i) {
        const QString part = QDir(folder).filePath(QStringLiteral("s%1.wav").arg(i));
        timed(QStringLiteral("espeak-ng"), {QStringLiteral("-w"), part, sentences[i]});
        parts << part << gap;
    }
    const QString piece = QDir(folder).filePath(QStringLiteral("piece.wav"));
    timed(QStringLiteral("sox"),
          parts + QStringList{QStringLiteral("-r"), QStringLiteral("44100"), piece});
    QByteArray length;
    timed(QStringLiteral("soxi"), {QStringLiteral("-D"), piece}, &length);
    const int repeats = int(std::ceil(seconds / length.trimmed().toDouble()));
    const QString speech = QDir(folder).filePath(QStringLiteral("speech.wav"));
    timed(QStringLiteral("sox"),
          {piece, speech, QStringLiteral("repeat"), QString::number(repeats),
           QStringLiteral("trim"), QStringLiteral("0"), QString::number(seconds)});
    return speech;
}

double cancelLatencyMs(const QString& video) {
    std::stop_source stop;
    std::atomic<bool> started = false;
    QElapsedTimer timer;
    std::jthread worker([&] {
        try {
            SoundOpening::open(video, stop.get_token(), [&](double) { started = true; });
        } catch (const OperationCancelled&) {
        }
    });
    while (!started)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    timer.start();
    stop.request_stop();
    worker.join();
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 3 && arguments[1] == u"--child")
        return child(arguments[2]);

    QTemporaryDir folder;
    note(QStringLiteral("making %1 minutes of speech…").arg(minutes));
    const QString speech = makeSpeech(folder.path(), minutes * 60);
    const QString mp3 = folder.filePath(QStringLiteral("speech.mp3"));
    ffmpeg({QStringLiteral("-i"), speech, QStringLiteral("-c:a"), QStringLiteral("libmp3lame"),
            QStringLiteral("-b:a"), QStringLiteral("128k"), mp3});
    const QString mp4 = folder.filePath(QStringLiteral("speech.mp4"));
    ffmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
            QStringLiteral("testsrc=size=320x180:rate=2"), QStringLiteral("-i"), speech,
            QStringLiteral("-shortest"), QStringLiteral("-c:v"), QStringLiteral("mpeg4"),
            QStringLiteral("-c:a"), QStringLiteral("aac"), QStringLiteral("-b:a"),
            QStringLiteral("128k"), mp4});
    const QString mkv = folder.filePath(QStringLiteral("speech.mkv"));
    ffmpeg({QStringLiteral("-i"), mp4, QStringLiteral("-c"), QStringLiteral("copy"), mkv});
    const QString webm = folder.filePath(QStringLiteral("speech.webm"));
    ffmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
            QStringLiteral("testsrc=size=160x90:rate=1"), QStringLiteral("-i"), speech,
            QStringLiteral("-shortest"), QStringLiteral("-c:v"), QStringLiteral("libvpx"),
            QStringLiteral("-deadline"), QStringLiteral("realtime"), QStringLiteral("-c:a"),
            QStringLiteral("libopus"), webm});
    QFile::remove(speech);

    // Per measurement: our open, and ffmpeg doing the same decoding (and transcoding).
    struct Pair {
        const char* name;
        const char* reference;
        std::vector<Timing> ours, theirs;
        void print() const {
            const auto med = [](const std::vector<Timing>& timings, double Timing::*field) {
                std::vector<double> values;
                for (const Timing& timing : timings)
                    values.push_back(timing.*field);
                return BenchTools::median(values);
            };
            const double wall = med(ours, &Timing::wall), cpu = med(ours, &Timing::cpu);
            const double refWall = med(theirs, &Timing::wall), refCpu = med(theirs, &Timing::cpu);
            std::printf("%s %.3f s\n%s_cpu %.3f s\n", name, wall, name, cpu);
            std::printf("%s %.3f s\n%s_cpu %.3f s\n", reference, refWall, reference, refCpu);
            std::printf("%s_ratio %.3f x\n%s_cpu_ratio %.3f x\n", name, wall / refWall, name,
                        cpu / refCpu);
        }
    };
    Pair mp3Open{"open_mp3_60min", "ffmpeg_decode_mp3_60min", {}, {}};
    Pair mp4Open{"open_mp4_first_60min", "ffmpeg_decode_sound_mp4_60min", {}, {}};
    Pair mkvOpen{"open_mkv_first_60min", "ffmpeg_decode_sound_mkv_60min", {}, {}};
    Pair webmOpen{"open_webm_first_60min", "ffmpeg_decode_sound_webm_60min", {}, {}};
    std::vector<double> cancel;
    double peak = 0;
    int sentences = 0;
    for (int run = 0; run < runs; ++run) {
        note(QStringLiteral("run %1 of %2…").arg(run + 1).arg(runs));
        for (auto [pair, file] :
             {std::pair{&mp3Open, mp3}, {&mp4Open, mp4}, {&mkvOpen, mkv}, {&webmOpen, webm}}) {
            const Open open = openInChild(file);
            pair->ours.push_back(open.time);
            pair->theirs.push_back(ffmpegDecodeSound(file));
            peak = std::max(peak, open.peakMegabytes);
            sentences = open.sentences;
        }
        cancel.push_back(cancelLatencyMs(mp4));
    }

    for (const Pair* pair : {&mp3Open, &mp4Open, &mkvOpen, &webmOpen})
        pair->print();
    print("open_peak_memory", peak, "MB");
    print("open_sentences_found", sentences, "count");
    print("open_cancel_latency", BenchTools::median(cancel), "ms");
    return 0;
}
