// Speech recognition on ten minutes of generated English speech whose text is known, next to
// PocketSphinx's own pocketsphinx_continuous on the same 16 kHz audio in the same run.
//   speech_audio_duration: length of the generated speech
//   speech_recognition_time_median / speech_reference_time_median: wall time of
//     Transcriber::transcribe (reading, cutting at pauses, one decoder per core) and of
//     `pocketsphinx_continuous -infile` (one decoder, its own voice-activity detection)
//   speech_time_ratio: the two medians divided (target at most 0.6 on two cores)
//   speech_recognition_cpu_median / speech_reference_cpu_median: CPU seconds of each
//   speech_wer / speech_reference_wer: word error rate against the spoken text
//   speech_peak_memory / speech_reference_peak_memory: largest resident set while recognising
//     the speech above (before the hour below)
//   speech_stop_threads_ended_median / _max: from a stop request until every thread of the
//     recognition has ended, over ten stops at different moments of recognising an hour of
//     speech (reading the file, checking and loading the model, decoding)
//   speech_stop_engine_destroyed_median / _max: from the same stop request until the engine is
//     destroyed, every thread joined: also waits for a model the engine may still be loading
#include "BenchTools.h"
#include "speech/PocketSphinxEngine.h"
#include "speech/RecognitionEventStream.h"
#include "speech/Transcriber.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>

#include <sys/resource.h>

namespace {

// QUELLIN_BENCH_SPEECH_SECONDS and QUELLIN_BENCH_SPEECH_RUNS shorten a run for a quick look.
const double kTargetSeconds = qEnvironmentVariableIsSet("QUELLIN_BENCH_SPEECH_SECONDS")
                                  ? qEnvironmentVariable("QUELLIN_BENCH_SPEECH_SECONDS").toDouble()
                                  : 600.0;
const int kRuns = qEnvironmentVariableIsSet("QUELLIN_BENCH_SPEECH_RUNS")
                      ? qEnvironmentVariableIntValue("QUELLIN_BENCH_SPEECH_RUNS")
                      : 3;

[[noreturn]] void fail(const QString& message) {
    std::fprintf(stderr, "bench_speech: %s\n", qPrintable(message));
    std::exit(1);
}

// Plain sentences from a small grammar, the same every run.
QStringList sentences(int count) {
    const QStringList subjects{"My brother", "The old man", "Our teacher",   "The children",
                               "My sister",  "The doctor",  "A young woman", "His father",
                               "The farmer", "Her friend"};
    const QStringList verbs{"bought", "found",   "painted", "carried", "cleaned",
                            "opened", "visited", "watched", "sold",    "built"};
    const QStringList objects{"a new car",       "the small house",   "a red bicycle",
                              "the wooden door", "a big box",         "the green garden",
                              "an old book",     "the kitchen table", "a warm coat",
                              "the blue boat"};
    const QStringList tails{
        "last week", "this morning",     "in the city",     "near the river", "after dinner",
        "on Sunday", "before the storm", "with great care", "at the market",  "for the first time"};
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> pick(0, 9);
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("%1 %2 %3 %4.")
                    .arg(subjects[pick(random)], verbs[pick(random)], objects[pick(random)],
                         tails[pick(random)]);
    return list;
}

QStringList wordsOf(const QString& text) {
    return text.toLower()
        .remove(QRegularExpression(QStringLiteral("[^a-z' \\n]")))
        .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

double wordErrorRate(const QStringList& said, const QStringList& heard) {
    std::vector<int> previous(heard.size() + 1);
    std::vector<int> current(heard.size() + 1);
    for (qsizetype j = 0; j <= heard.size(); ++j)
        previous[j] = int(j);
    for (qsizetype i = 1; i <= said.size(); ++i) {
        current[0] = int(i);
        for (qsizetype j = 1; j <= heard.size(); ++j)
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1,
                                   previous[j - 1] + (said[i - 1] == heard[j - 1] ? 0 : 1)});
        std::swap(previous, current);
    }
    return 100.0 * previous[heard.size()] / double(said.size());
}

double soxDuration(const QString& path) {
    return BenchTools::run(QStringLiteral("soxi"), {QStringLiteral("-D"), path})
        .trimmed()
        .toDouble();
}

// About ten minutes of speech: sentences spoken one by one and joined with a second of silence.
QString makeSpeech(const QDir& folder, QStringList& spoken) {
    const QString gap = folder.filePath(QStringLiteral("gap.wav"));
    BenchTools::run(QStringLiteral("sox"),
                    {"-n", "-r", "16000", "-c", "1", "-b", "16", gap, "trim", "0", "1"});
    QStringList parts{gap};
    double total = 1;
    const QStringList all = sentences(400);
    for (const QString& sentence : all) {
        if (total >= kTargetSeconds)
            break;
        const QString raw = folder.filePath(QStringLiteral("raw.wav"));
        const QString part = folder.filePath(QStringLiteral("s%1.wav").arg(spoken.size()));
        BenchTools::run(QStringLiteral("espeak-ng"), {"-v", "en-us", "-w", raw, sentence});
        BenchTools::run(QStringLiteral("sox"),
                        {raw, "-r", "16000", "-c", "1", "-b", "16", part, "silence", "1", "0.005",
                         "0.5%", "reverse", "silence", "1", "0.005", "0.5%", "reverse"});
        total += soxDuration(part) + 1;
        parts << part << gap;
        spoken << sentence;
    }
    const QString speech = folder.filePath(QStringLiteral("speech16k.wav"));
    BenchTools::run(QStringLiteral("sox"), parts + QStringList{speech});
    return speech;
}

// An hour of speech: the generated speech joined to itself.
QString makeHour(const QDir& folder, const QString& speech) {
    const int copies = int(std::ceil(3600.0 / soxDuration(speech)));
    QStringList parts;
    for (int i = 0; i < copies; ++i)
        parts << speech;
    const QString hour = folder.filePath(QStringLiteral("hour.wav"));
    BenchTools::run(QStringLiteral("sox"), parts + QStringList{hour});
    return hour;
}

// Runs the transcription to its end; QCoro's waitFor does not pass exceptions on.
QCoro::Task<std::vector<Word>> recognise(Transcriber& transcriber, QString path) {
    QString failure;
    try {
        co_return co_await transcriber.transcribe(path, QStringLiteral("en-US"), nullptr);
    } catch (const QuellinError& error) {
        failure = error.description();
    }
    fail(QStringLiteral("recognition failed: %1").arg(failure));
}

// Threads of this process now.
qsizetype threadCount() {
    return QDir(QStringLiteral("/proc/self/task"))
        .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
        .size();
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    if (!folder.isValid())
        fail(QStringLiteral("no temporary folder"));

    std::fprintf(stderr, "generating speech…\n");
    QStringList spoken;
    const QString speech = makeSpeech(QDir(folder.path()), spoken);
    const QStringList said = wordsOf(spoken.join(QLatin1Char(' ')));
    BenchTools::report(QStringLiteral("speech_audio_duration"), soxDuration(speech),
                       QStringLiteral("s"));

    std::vector<double> referenceTimes, referenceCpu, ourTimes, ourCpu;
    double referenceWer = 0;
    double ourWer = 0;
    for (int i = 0; i < kRuns; ++i) {
        std::fprintf(stderr, "run %d of %d: pocketsphinx_continuous…\n", i + 1, kRuns);
        double cpuBefore = BenchTools::childrenCpuSeconds();
        auto start = std::chrono::steady_clock::now();
        const QByteArray reference = BenchTools::run(QStringLiteral("pocketsphinx_continuous"),
                                                     {"-infile", speech, "-logfn", "/dev/null"});
        referenceTimes.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        referenceCpu.push_back(BenchTools::childrenCpuSeconds() - cpuBefore);
        referenceWer = wordErrorRate(said, wordsOf(QString::fromUtf8(reference)));

        std::fprintf(stderr, "run %d of %d: Transcriber…\n", i + 1, kRuns);
        Transcriber transcriber;
        cpuBefore = BenchTools::processCpuSeconds();
        start = std::chrono::steady_clock::now();
        const std::vector<Word> words = QCoro::waitFor(recognise(transcriber, speech));
        ourTimes.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        ourCpu.push_back(BenchTools::processCpuSeconds() - cpuBefore);
        QStringList heard;
        for (const Word& word : words)
            heard += wordsOf(word.text);
        ourWer = wordErrorRate(said, heard);
    }
    BenchTools::report(QStringLiteral("speech_recognition_time_median"),
                       BenchTools::median(ourTimes), QStringLiteral("s"));
    BenchTools::report(QStringLiteral("speech_reference_time_median"),
                       BenchTools::median(referenceTimes), QStringLiteral("s"));
    BenchTools::report(QStringLiteral("speech_time_ratio"),
                       BenchTools::median(ourTimes) / BenchTools::median(referenceTimes),
                       QStringLiteral("ratio"));
    BenchTools::report(QStringLiteral("speech_recognition_cpu_median"), BenchTools::median(ourCpu),
                       QStringLiteral("s"));
    BenchTools::report(QStringLiteral("speech_reference_cpu_median"),
                       BenchTools::median(referenceCpu), QStringLiteral("s"));
    BenchTools::report(QStringLiteral("speech_wer"), ourWer, QStringLiteral("%"));
    BenchTools::report(QStringLiteral("speech_reference_wer"), referenceWer, QStringLiteral("%"));
    BenchTools::report(QStringLiteral("speech_decoders"), std::max(1, QThread::idealThreadCount()),
                       QStringLiteral("count"));

    // Before the hour below, whose file alone would set the peak.
    BenchTools::report(QStringLiteral("speech_peak_memory"),
                       BenchTools::processPeakResidentMegabytes(), QStringLiteral("MB"));
    BenchTools::report(QStringLiteral("speech_reference_peak_memory"),
                       BenchTools::childrenPeakResidentMegabytes(), QStringLiteral("MB"));

    std::fprintf(stderr, "making an hour of speech…\n");
    const QString hour = makeHour(QDir(folder.path()), speech);
    std::vector<double> ended, destroyed;
    for (const int after : {250, 500, 1000, 1500, 2000, 3000, 4000, 5000, 7000, 10000}) {
        auto engine = std::make_unique<PocketSphinxEngine>();
        const qsizetype idle = threadCount(); // with the engine's own loading thread
        RecognitionEventStream stream;
        const auto task = engine->start(hour, QStringLiteral("en-US"),
                                        RecognitionDelegate(stream.continuation()));
        QThread::msleep(after);
        const auto start = std::chrono::steady_clock::now();
        task->cancel();
        while (threadCount() > idle)
            QThread::usleep(200);
        ended.push_back(millisecondsSince(start));
        engine.reset(); // joins every thread, the loading one too (it may be loading a model)
        destroyed.push_back(millisecondsSince(start));
        std::fprintf(stderr, "stopped after %d ms: threads ended %.1f ms, engine gone %.1f ms\n",
                     after, ended.back(), destroyed.back());
    }
    BenchTools::report(QStringLiteral("speech_stop_threads_ended_median"),
                       BenchTools::median(ended), QStringLiteral("ms"));
    BenchTools::report(QStringLiteral("speech_stop_threads_ended_max"),
                       *std::max_element(ended.begin(), ended.end()), QStringLiteral("ms"));
    BenchTools::report(QStringLiteral("speech_stop_engine_destroyed_median"),
                       BenchTools::median(destroyed), QStringLiteral("ms"));
    BenchTools::report(QStringLiteral("speech_stop_engine_destroyed_max"),
                       *std::max_element(destroyed.begin(), destroyed.end()), QStringLiteral("ms"));

    return 0;
}
