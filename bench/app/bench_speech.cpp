// Speech recognition on ten minutes of generated English speech whose text is known, and on the
// LibriVox reading of Debian's pocketsphinx-testdata, next to PocketSphinx's own
// pocketsphinx_continuous on the same 16 kHz audio in the same run.
//   speech_audio_duration: length of the generated speech
//   speech_recognition_time_median / speech_reference_time_median: wall time of
//     Transcriber::transcribe (streaming, cutting at pauses, as many decoders as the memory
//     budget allows) and of `pocketsphinx_continuous -infile` (one decoder, its own
//     voice-activity detection)
//   speech_time_ratio: the two medians divided (target at most 0.5)
//   speech_recognition_cpu_median / speech_reference_cpu_median: CPU seconds of each
//   speech_wer / speech_reference_wer: word error rate against the spoken text
//   speech_librivox_*: the same on the LibriVox reading (real speech)
//   speech_peak_memory / speech_reference_peak_memory: largest resident set while recognising
//     the speech above (before the hour below)
//   speech_peak_memory_10min_median / _2h_median: largest resident set of a process that does
//     nothing but recognise the ten minutes, or two hours of it, for at most
//     QUELLIN_BENCH_SPEECH_PEAK_SECONDS (default 300) of wall time (target at most 150 MB)
//   speech_peak_memory_growth: the two-hour figure less the ten-minute one (target at most 20 MB)
//   speech_minute40_text_time_median: from starting recognition of the hour at its minute 40
//     until the text of the sentence there arrives (target at most 15 s)
//   model_minute40_text_time_median: the same in the application: from opening the hour, whose
//     saved session is at minute 40 with recognition unfinished (it went through the first minute),
//     until the sentence there has text (target at most 15 s)
//   speech_stop_threads_ended_median / _max: from a stop request until every thread of the
//     recognition has ended, over ten stops at different moments of recognising an hour of
//     speech (reading the file, checking and loading the model, decoding)
//   speech_stop_engine_destroyed_median / _max: from the same stop request until the engine is
//     destroyed, every thread joined: also waits for a model the engine may still be loading
#include "BenchModel.h"
#include "BenchTools.h"
#include "session/SessionStore.h"
#include "speech/PocketSphinxEngine.h"
#include "speech/RecognitionEventStream.h"
#include "speech/Transcriber.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
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

// Recognises with a fresh transcriber and gives the words; adds the wall and CPU time taken.
std::vector<Word> timedRecognition(const QString& path, std::vector<double>& times,
                                   std::vector<double>& cpu) {
    Transcriber transcriber;
    const double cpuBefore = BenchTools::processCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    std::vector<Word> words = QCoro::waitFor(recognise(transcriber, path));
    times.push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    cpu.push_back(BenchTools::processCpuSeconds() - cpuBefore);
    return words;
}

// Runs pocketsphinx_continuous on the file and gives what it heard; adds the times taken.
QString timedReference(const QString& path, std::vector<double>& times, std::vector<double>& cpu) {
    const double cpuBefore = BenchTools::childrenCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    const QByteArray heard = BenchTools::run(QStringLiteral("pocketsphinx_continuous"),
                                             {"-infile", path, "-logfn", "/dev/null"});
    times.push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    cpu.push_back(BenchTools::childrenCpuSeconds() - cpuBefore);
    return QString::fromUtf8(heard);
}

// Our recognition and the engine's tool on one recording, side by side, reported under `name`.
void compare(const QString& name, const QString& path, const QStringList& said) {
    std::vector<double> referenceTimes, referenceCpu, ourTimes, ourCpu;
    double referenceWer = 0;
    double ourWer = 0;
    for (int i = 0; i < kRuns; ++i) {
        std::fprintf(stderr, "%s, run %d of %d: pocketsphinx_continuous…\n", qPrintable(name),
                     i + 1, kRuns);
        referenceWer =
            wordErrorRate(said, wordsOf(timedReference(path, referenceTimes, referenceCpu)));
        std::fprintf(stderr, "%s, run %d of %d: Transcriber…\n", qPrintable(name), i + 1, kRuns);
        QStringList heard;
        for (const Word& word : timedRecognition(path, ourTimes, ourCpu))
            heard += wordsOf(word.text);
        ourWer = wordErrorRate(said, heard);
    }
    const auto line = [&](const char* what, double value, const char* unit) {
        BenchTools::report(name + QLatin1String(what), value, QLatin1String(unit));
    };
    line("_recognition_time_median", BenchTools::median(ourTimes), "s");
    line("_reference_time_median", BenchTools::median(referenceTimes), "s");
    line("_time_ratio", BenchTools::median(ourTimes) / BenchTools::median(referenceTimes), "ratio");
    line("_recognition_cpu_median", BenchTools::median(ourCpu), "s");
    line("_reference_cpu_median", BenchTools::median(referenceCpu), "s");
    line("_wer", ourWer, "%");
    line("_reference_wer", referenceWer, "%");
}

// The LibriVox reading of Debian's pocketsphinx-testdata (real speech with its text) as one file;
// gives the text, or nothing when the package is missing.
QString librivoxReading(const QString& path) {
    const QString folder = QStringLiteral("/usr/share/pocketsphinx/test/data/librivox");
    QFile transcription(folder + QStringLiteral("/transcription"));
    if (!transcription.open(QIODevice::ReadOnly))
        return {};
    // "<s> he was not an ill disposed young man </s> (…-0880)": the text, then the clip's name.
    const QRegularExpression sentence(QStringLiteral("<s>(.*)</s> \\((.*)\\)"));
    QString text;
    QStringList clips;
    for (auto matches = sentence.globalMatch(QString::fromUtf8(transcription.readAll()));
         matches.hasNext();) {
        const QRegularExpressionMatch match = matches.next();
        text += match.captured(1) + u' ';
        clips << folder + u'/' + match.captured(2) + QStringLiteral(".wav");
    }
    // Each clip has its own silence around the speech.
    BenchTools::run(QStringLiteral("sox"), clips << path);
    return text;
}

// The child's part of the memory measure: recognises the file for at most `seconds` of wall time
// and prints the process's largest resident set.
int recogniseForPeak(const QString& path, double seconds) {
    Transcriber transcriber;
    bool done = false;
    auto task = [](Transcriber& transcriber, QString path, bool& done) -> QCoro::Task<> {
        try {
            co_await transcriber.transcribe(path, QStringLiteral("en-US"), nullptr);
        } catch (...) {
        }
        done = true;
    }(transcriber, path, done);
    QElapsedTimer clock;
    clock.start();
    while (!done && clock.elapsed() < qint64(seconds * 1000))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    transcriber.cancel();
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    // The high-water mark of this program's own memory: getrusage would also count the bench's
    // pages that the child shared between fork and exec.
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        fail(QStringLiteral("no /proc/self/status"));
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            std::printf("%f\n", line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024);
    return 0;
}

// Median over the runs of the largest resident set of a process recognising the file.
double peakMemory(const QString& path) {
    const QString seconds =
        qEnvironmentVariable("QUELLIN_BENCH_SPEECH_PEAK_SECONDS", QStringLiteral("300"));
    std::vector<double> peaks;
    for (int i = 0; i < kRuns; ++i)
        peaks.push_back(BenchTools::run(QCoreApplication::applicationFilePath(),
                                        {QStringLiteral("--peak"), path, seconds})
                            .trimmed()
                            .toDouble());
    return BenchTools::median(peaks);
}

// Seconds from starting to recognise the file at `from` until words of the sentence there come.
double timeToTextAt(const QString& path, double from) {
    PocketSphinxEngine engine;
    RecognitionEventStream stream;
    const auto start = std::chrono::steady_clock::now();
    const auto task = engine.start(path, QStringLiteral("en-US"), from,
                                   RecognitionDelegate(stream.continuation()));
    while (std::optional<RecognitionEvent> event = QCoro::waitFor(stream.next())) {
        const auto* final_ = std::get_if<RecognitionEvent::Final>(&event->value);
        if (final_ && std::any_of(final_->words.begin(), final_->words.end(), [&](const Word& w) {
                return w.start >= from - 10 && w.start < from + 30;
            }))
            return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    fail(QStringLiteral("no text came for the sentence at %1 s").arg(from));
}

// Seconds from opening `path` in the application model, its saved session at `at` seconds with
// recognition unfinished, until the sentence the user is at has text.
double modelTimeToTextAt(const QString& path, double at) {
    QTemporaryDir dir;
    Session saved;
    {
        const auto opener = BenchModel::make(dir); // recognition refused: the pause split only
        opener->open(path);
        BenchModel::waitUntil(*opener,
                              [&] { return opener->session() && !opener->hasRunningTasks(); });
        saved = *opener->session();
    }
    saved.current = std::find_if(saved.sentences.begin(), saved.sentences.end(),
                                 [at](const Sentence& sentence) { return sentence.end > at; }) -
                    saved.sentences.begin();
    saved.recognised = {TimeRange(0, 60)};
    saved.updatedAt = QDateTime::currentDateTimeUtc();
    SessionStore(dir.filePath(QStringLiteral("Sessions"))).save(saved);

    const auto model = BenchModel::make(dir, std::make_unique<Transcriber>());
    const auto start = std::chrono::steady_clock::now();
    model->open(path);
    BenchModel::waitUntil(*model, [&] {
        const std::optional<Sentence> current =
            model->session() ? model->session()->currentSentence() : std::nullopt;
        return current && current->text && !current->text->isEmpty();
    });
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
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
    if (argc == 4 && QByteArray(argv[1]) == "--peak")
        return recogniseForPeak(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toDouble());
    QTemporaryDir folder;
    if (!folder.isValid())
        fail(QStringLiteral("no temporary folder"));

    std::fprintf(stderr, "generating speech…\n");
    QStringList spoken;
    const QString speech = makeSpeech(QDir(folder.path()), spoken);
    const QStringList said = wordsOf(spoken.join(QLatin1Char(' ')));
    BenchTools::report(QStringLiteral("speech_audio_duration"), soxDuration(speech),
                       QStringLiteral("s"));

    compare(QStringLiteral("speech"), speech, said);
    const QString librivox = QDir(folder.path()).filePath(QStringLiteral("librivox.wav"));
    if (const QString text = librivoxReading(librivox); !text.isEmpty())
        compare(QStringLiteral("speech_librivox"), librivox, wordsOf(text));
    else
        std::fprintf(stderr, "pocketsphinx-testdata is missing: no LibriVox figures\n");
    BenchTools::report(QStringLiteral("speech_decoders"),
                       PocketSphinxEngine::decodersWithin(BenchTools::residentMegabytes(),
                                                          QThread::idealThreadCount()),
                       QStringLiteral("count"));

    // Before the hour below, whose file alone would set the peak.
    BenchTools::report(QStringLiteral("speech_peak_memory"),
                       BenchTools::processPeakResidentMegabytes(), QStringLiteral("MB"));
    BenchTools::report(QStringLiteral("speech_reference_peak_memory"),
                       BenchTools::childrenPeakResidentMegabytes(), QStringLiteral("MB"));

    std::fprintf(stderr, "making an hour of speech…\n");
    const QString hour = makeHour(QDir(folder.path()), speech);

    std::fprintf(stderr, "peak memory while recognising ten minutes and two hours…\n");
    const QString twoHours = QDir(folder.path()).filePath(QStringLiteral("two-hours.flac"));
    BenchTools::run(QStringLiteral("sox"), {hour, hour, twoHours});
    const double peak10 = peakMemory(speech);
    const double peak120 = peakMemory(twoHours);
    BenchTools::report(QStringLiteral("speech_peak_memory_10min_median"), peak10,
                       QStringLiteral("MB"));
    BenchTools::report(QStringLiteral("speech_peak_memory_2h_median"), peak120,
                       QStringLiteral("MB"));
    BenchTools::report(QStringLiteral("speech_peak_memory_growth"), peak120 - peak10,
                       QStringLiteral("MB"));

    std::fprintf(stderr, "text for the sentence at minute 40…\n");
    std::vector<double> toText;
    for (int i = 0; i < kRuns; ++i)
        toText.push_back(timeToTextAt(hour, 2400));
    BenchTools::report(QStringLiteral("speech_minute40_text_time_median"),
                       BenchTools::median(toText), QStringLiteral("s"));
    std::vector<double> modelToText;
    for (int i = 0; i < kRuns; ++i)
        modelToText.push_back(modelTimeToTextAt(hour, 2400));
    BenchTools::report(QStringLiteral("model_minute40_text_time_median"),
                       BenchTools::median(modelToText), QStringLiteral("s"));
    std::vector<double> ended, destroyed;
    for (const int after : {250, 500, 1000, 1500, 2000, 3000, 4000, 5000, 7000, 10000}) {
        auto engine = std::make_unique<PocketSphinxEngine>();
        const qsizetype idle = threadCount(); // with the engine's own loading thread
        RecognitionEventStream stream;
        const auto task = engine->start(hour, QStringLiteral("en-US"), 0,
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
