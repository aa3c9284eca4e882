// Aligns an hour's transcript to an hour of speech. Prints "name value unit" lines.
//   align_1h_time_ratio_median: seconds transcriptSentences takes per second of recording
//     (median of 3; the goal is at most 0.1)
//   align_1h_peak_memory: the whole process's peak resident set over the runs (goal: 150 MB)
//   align_1h_sentences_placed: the share of the text's sentences placed in the recording
//   align_1h_cancel_latency_max: the longest wait from a stop request to the end of the
//     alignment, over stops at 5 %, 30 %, 60 % and 90 % of its run time (goal: 100 ms)
// The recording is espeak-ng reading a generated text with another voice and speed than the
// synthesis that aligns it.
#include "BenchTools.h"

#include "align/TranscriptAlignment.h"
#include "align/TranscriptText.h"
#include "media/AudioDecoder.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
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

} // namespace

int main() {
    QTemporaryDir folder;
    const QString textPath = folder.filePath(QStringLiteral("hour.txt"));
    const QString soundPath = folder.filePath(QStringLiteral("hour.wav"));
    const QString text = generatedText(9600);
    {
        QFile file(textPath);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(text.toUtf8());
    }
    std::fprintf(stderr, "reading the hour with espeak-ng…\n");
    BenchTools::run(QStringLiteral("espeak-ng"),
                    {QStringLiteral("-v"), QStringLiteral("en-us+m3"), QStringLiteral("-s"),
                     QStringLiteral("165"), QStringLiteral("-p"), QStringLiteral("35"),
                     QStringLiteral("-f"), textPath, QStringLiteral("-w"), soundPath});
    const double duration = AudioDecoder(soundPath).durationSeconds();
    const EnergyProfile profile = EnergyProfile::read(soundPath, 0.01);
    const qsizetype sentenceCount = transcriptSentenceTexts(text).size();
    std::fprintf(stderr, "%.0f s of speech, %lld sentences\n", duration,
                 static_cast<long long>(sentenceCount));

    std::vector<double> ratios;
    size_t placed = 0;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        try {
            placed = transcriptSentences(text, QStringLiteral("en"), soundPath, profile, {}).size();
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
    BenchTools::report(QStringLiteral("align_1h_sentences_placed"),
                       double(placed) / double(sentenceCount), QStringLiteral("share"));

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
