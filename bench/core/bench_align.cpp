// Aligns an hour's transcript to an hour of speech. Prints "name value unit" lines.
//   align_1h_time_ratio_median: seconds transcriptSentences takes per second of recording
//     (median of 3; the goal is at most 0.1)
//   align_1h_peak_memory: the whole process's peak resident set over the runs (goal: 150 MB)
//   align_1h_sentences_placed: the share of the sentences read that are placed
//   align_1h_left_out_placed: sentences of the text left out of the reading yet placed (goal: 0)
//   align_1h_edges_within_300ms: the share of placed sentences' edges within 0.3 s of the speech
//   align_1h_edge_error_median: the median distance of an edge from the speech's edge
//   align_1h_cancel_latency_max: the longest wait from a stop request to the end of the
//     alignment, over stops at 5 %, 30 %, 60 % and 90 % of its run time (goal: 100 ms)
// The recording is espeak-ng reading a generated text sentence by sentence, with another voice and
// speed than the synthesis that aligns it, pauses of 0.3–1.6 s, and every 40th sentence left out.
#include "BenchTools.h"

#include "align/TranscriptAlignment.h"
#include "align/TranscriptText.h"
#include "media/AudioDecoder.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <thread>

namespace {

constexpr int kRuns = 3;

// About `words` words in sentences of 5–16 words drawn from a fixed vocabulary, one paragraph
// every few sentences.
QString generatedText(int words) {
    const QStringList vocabulary =
        QStringLiteral(
            "the a small old young green quiet river house garden teacher student morning evening "
            "train station city village friend family book letter window table water bread coffee "
            "walks reads writes sees finds brings opens closes leaves waits learns speaks listens "
            "slowly quickly today tomorrow often never always again together alone near under over "
            "behind before after because while when where every many some few new last first long "
            "short bright dark warm cold happy tired busy careful")
            .split(u' ');
    std::mt19937 random(15);
    std::uniform_int_distribution<qsizetype> word(0, vocabulary.size() - 1);
    std::uniform_int_distribution<int> length(5, 16), paragraph(0, 5), ending(0, 9);
    QString text;
    for (int written = 0; written < words;) {
        QStringList sentence;
        for (int k = length(random); k > 0; --k, ++written)
            sentence.append(vocabulary[word(random)]);
        sentence.first()[0] = sentence.first()[0].toUpper();
        const int end = ending(random);
        text += sentence.join(u' ') + (end == 0 ? u"?"_qs : end == 1 ? u"!"_qs : u"."_qs);
        text += paragraph(random) == 0 ? u"\n\n"_qs : u" "_qs;
    }
    return text;
}

// A 16-bit mono WAV file written as it grows; the sizes in its header are set when it closes.
class WavWriter {
public:
    WavWriter(const QString& path, int rate) : m_file(path) {
        if (!m_file.open(QIODevice::WriteOnly))
            std::exit(1);
        QByteArray header("RIFF\0\0\0\0WAVEfmt ", 16);
        const auto add = [&header](quint32 value, int bytes) {
            for (int k = 0; k < bytes; ++k)
                header.append(char((value >> (8 * k)) & 0xFF));
        };
        add(16, 4), add(1, 2), add(1, 2), add(quint32(rate), 4), add(quint32(rate) * 2, 4);
        add(2, 2), add(16, 2);
        header.append("data\0\0\0\0", 8);
        m_file.write(header);
    }
    ~WavWriter() {
        const auto size = quint32(m_file.size());
        for (const auto& [at, value] : {std::pair<qint64, quint32>(4, size - 8), {40, size - 44}}) {
            m_file.seek(at);
            const char bytes[4] = {char(value & 0xFF), char((value >> 8) & 0xFF),
                                   char((value >> 16) & 0xFF), char(value >> 24)};
            m_file.write(bytes, 4);
        }
    }
    void append(const char* samples, qint64 count) { m_file.write(samples, count * 2); }
    void silence(qint64 count) { m_file.write(QByteArray(count * 2, '\0')); }
    qint64 written() const { return (m_file.size() - 44) / 2; }

private:
    QFile m_file;
};

// The speech of one sentence read by espeak-ng in the reader's voice, its silence trimmed: 16-bit
// samples at 22050 Hz.
QByteArray spoken(const QString& sentence) {
    const QByteArray wav =
        BenchTools::run(QStringLiteral("espeak-ng"),
                        {QStringLiteral("--stdout"), QStringLiteral("-v"),
                         QStringLiteral("en-us+m3"), QStringLiteral("-s"), QStringLiteral("165"),
                         QStringLiteral("-p"), QStringLiteral("35"), sentence});
    const auto* samples = reinterpret_cast<const qint16*>(wav.constData() + 44);
    const qsizetype count = (wav.size() - 44) / 2;
    const auto audible = [](qint16 x) { return std::abs(int(x)) > 164; }; // 0.5 %
    qsizetype first = 0, last = count;
    while (first < count && !audible(samples[first]))
        ++first;
    while (last > first && !audible(samples[last - 1]))
        --last;
    return QByteArray(reinterpret_cast<const char*>(samples + first), (last - first) * 2);
}

struct Reading {
    double duration = 0;
    std::vector<TimeRange> truth; // where each sentence read lies; empty range when left out
};

// Reads the text sentence by sentence with pauses of 0.3–1.6 s, leaving out every 40th sentence.
Reading readAloud(const QStringList& sentences, const QString& path) {
    constexpr int rate = 22050;
    const double pauses[] = {0.3, 0.6, 1.0, 1.6};
    Reading reading;
    WavWriter wav(path, rate);
    wav.silence(rate);
    for (qsizetype k = 0; k < sentences.size(); ++k) {
        if (k % 40 == 39) {
            reading.truth.emplace_back();
            continue;
        }
        const QByteArray speech = spoken(sentences[k]);
        const double start = double(wav.written()) / rate;
        wav.append(speech.constData(), speech.size() / 2);
        reading.truth.emplace_back(start, double(wav.written()) / rate);
        wav.silence(qint64(pauses[k % 4] * rate));
    }
    reading.duration = double(wav.written()) / rate;
    return reading;
}

} // namespace

int main() {
    QTemporaryDir folder;
    const QString soundPath = folder.filePath(QStringLiteral("hour.wav"));
    const QString text = generatedText(9600);
    const QStringList sentences = transcriptSentenceTexts(text);
    std::fprintf(stderr, "reading %lld sentences with espeak-ng…\n",
                 static_cast<long long>(sentences.size()));
    const Reading reading = readAloud(sentences, soundPath);
    const double duration = reading.duration;
    const EnergyProfile profile = EnergyProfile::read(soundPath, 0.01);
    std::fprintf(stderr, "%.0f s of speech\n", duration);

    std::vector<double> ratios;
    std::vector<Sentence> found;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        try {
            found = transcriptSentences(text, QStringLiteral("en"), soundPath, profile, {});
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s\n", error.what());
        }
        ratios.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
            duration);
    }
    BenchTools::report(QStringLiteral("align_1h_time_ratio_median"), BenchTools::median(ratios),
                       QStringLiteral("s/s"));
    BenchTools::report(QStringLiteral("align_1h_peak_memory"),
                       BenchTools::processPeakResidentMegabytes(), QStringLiteral("MB"));
    // Each sentence found against where it was read: its edges hold the speech with the edge
    // fitter's padding (0.15 s), so an edge counts as right within 0.3 s of the speech's edge.
    std::vector<double> errors;
    int leftOutFound = 0;
    for (const Sentence& sentence : found) {
        const auto k = sentences.indexOf(sentence.text.value_or(QString()));
        const TimeRange truth = reading.truth[size_t(k)];
        if (truth.duration() <= 0) {
            ++leftOutFound;
            continue;
        }
        errors.push_back(std::abs(sentence.start - truth.start));
        errors.push_back(std::abs(sentence.end - truth.end));
    }
    const auto within =
        std::count_if(errors.begin(), errors.end(), [](double e) { return e <= 0.3; });
    const qsizetype read = std::count_if(reading.truth.begin(), reading.truth.end(),
                                         [](const TimeRange& r) { return r.duration() > 0; });
    BenchTools::report(QStringLiteral("align_1h_sentences_placed"),
                       double(found.size() - size_t(leftOutFound)) / double(read),
                       QStringLiteral("share"));
    BenchTools::report(QStringLiteral("align_1h_left_out_placed"), leftOutFound,
                       QStringLiteral("sentences"));
    BenchTools::report(QStringLiteral("align_1h_edges_within_300ms"),
                       errors.empty() ? 0 : double(within) / double(errors.size()),
                       QStringLiteral("share"));
    BenchTools::report(QStringLiteral("align_1h_edge_error_median"),
                       BenchTools::median(errors) * 1000, QStringLiteral("ms"));

    double longestWait = 0;
    for (const double share : {0.05, 0.3, 0.6, 0.9}) {
        std::jthread alignment([&](std::stop_token stop) {
            try {
                transcriptSentences(text, QStringLiteral("en"), soundPath, profile, stop);
            } catch (const OperationCancelled&) {
            }
        });
        std::this_thread::sleep_for(
            std::chrono::duration<double>(share * BenchTools::median(ratios) * duration));
        const auto stopped = std::chrono::steady_clock::now();
        alignment.request_stop();
        alignment.join();
        longestWait = std::max(longestWait, std::chrono::duration<double, std::milli>(
                                                std::chrono::steady_clock::now() - stopped)
                                                .count());
    }
    BenchTools::report(QStringLiteral("align_1h_cancel_latency_max"), longestWait,
                       QStringLiteral("ms"));
    return 0;
}
