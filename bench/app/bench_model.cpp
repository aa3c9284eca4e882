// The application model opening files: a 20-minute MP3 until its pause split can be practised,
// against the ffmpeg tool decoding the same file in the same run; and opening a short file while
// the long one is still being read, against opening the short file alone, which shows how soon a
// cancelled read gives way. Recognition is refused, so only opening is timed. Medians of three
// runs. Prints "name value unit" lines; progress goes to stderr.

#include "BenchModel.h"
#include "BenchTools.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int runs = 3;

// Runs the event loop until the model has a session for `path` and nothing runs; seconds.
double waitForSession(AppModel& model, const QString& path, const QElapsedTimer& since) {
    BenchModel::waitUntil(model, [&] {
        return model.session() && model.session()->filePath == path && !model.hasRunningTasks();
    });
    return double(since.nsecsElapsed()) / 1e9;
}

double ffmpegDecode(const QString& path) {
    QElapsedTimer timer;
    timer.start();
    BenchTools::run(QStringLiteral("ffmpeg"),
                    {QStringLiteral("-nostdin"), QStringLiteral("-v"), QStringLiteral("error"),
                     QStringLiteral("-i"), path, QStringLiteral("-f"), QStringLiteral("null"),
                     QStringLiteral("-")});
    return double(timer.nsecsElapsed()) / 1e9;
}

// Bursts of tone with pauses between them, like sentences, as an MP3 of `minutes`.
QString speechLike(const QTemporaryDir& dir, const QString& name, double minutes) {
    const QString unit = dir.filePath(QStringLiteral("unit.wav"));
    BenchTools::run(QStringLiteral("sox"),
                    {QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("44100"),
                     QStringLiteral("-c"), QStringLiteral("1"), unit, QStringLiteral("synth"),
                     QStringLiteral("1.6"), QStringLiteral("pinknoise"), QStringLiteral("vol"),
                     QStringLiteral("0.4"), QStringLiteral("pad"), QStringLiteral("0"),
                     QStringLiteral("0.6")});
    const QString wav = dir.filePath(name + QStringLiteral(".wav"));
    BenchTools::run(QStringLiteral("sox"), {unit, wav, QStringLiteral("repeat"),
                                            QString::number(int(minutes * 60 / 2.2))});
    const QString mp3 = dir.filePath(name + QStringLiteral(".mp3"));
    BenchTools::run(QStringLiteral("ffmpeg"),
                    {QStringLiteral("-nostdin"), QStringLiteral("-v"), QStringLiteral("error"),
                     QStringLiteral("-y"), QStringLiteral("-i"), wav, QStringLiteral("-b:a"),
                     QStringLiteral("128k"), mp3});
    QFile::remove(wav);
    return mp3;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    std::fprintf(stderr, "bench_model: making a 20-minute and a 1-minute MP3\n");
    const QString longFile = speechLike(dir, QStringLiteral("long"), 20);
    const QString shortFile = speechLike(dir, QStringLiteral("short"), 1);

    std::vector<double> open, decode, alone, switching;
    for (int run = 0; run < runs; ++run) {
        std::fprintf(stderr, "bench_model: run %d of %d\n", run + 1, runs);
        decode.push_back(ffmpegDecode(longFile));
        {
            const auto model = BenchModel::make(dir);
            QElapsedTimer timer;
            timer.start();
            model->open(longFile);
            open.push_back(waitForSession(*model, longFile, timer));
        }
        {
            const auto model = BenchModel::make(dir);
            QElapsedTimer timer;
            timer.start();
            model->open(shortFile);
            alone.push_back(waitForSession(*model, shortFile, timer));
        }
        {
            const auto model = BenchModel::make(dir);
            model->open(longFile);
            QElapsedTimer reading;
            reading.start();
            while (reading.elapsed() < 300)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            QElapsedTimer timer;
            timer.start();
            model->open(shortFile);
            switching.push_back(waitForSession(*model, shortFile, timer));
        }
    }
    BenchTools::report(QStringLiteral("model_open_20min_mp3"), BenchTools::median(open),
                       QStringLiteral("s"));
    BenchTools::report(QStringLiteral("ffmpeg_decode_20min_mp3"), BenchTools::median(decode),
                       QStringLiteral("s"));
    BenchTools::report(QStringLiteral("model_open_1min_mp3"), BenchTools::median(alone),
                       QStringLiteral("s"));
    BenchTools::report(QStringLiteral("model_open_1min_mp3_while_reading_20min"),
                       BenchTools::median(switching), QStringLiteral("s"));
    return 0;
}
