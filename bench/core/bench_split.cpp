// Times the two splitters on an hour of synthetic material. Prints "name value unit" lines.
//   silence_split_1h_median: SilenceSplitter().split on 360000 frames of speech-like bursts
//   silence_split_1h_unbroken_median: the same hour as one unbroken run (music-like), the case
//     that makes the cutting work hardest
//   reference_sort_1h_median: one plain sort of 360000 floats, the floor the splitter's one sort
//     sets
//   transcript_split_10k_words_median: TranscriptSplitter().sentences on 10000 words
#include "BenchTools.h"
#include "split/SilenceSplitter.h"
#include "split/TranscriptSplitter.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>

namespace {

constexpr int kRuns = 9;
constexpr double kFrame = 0.01;
constexpr size_t kHourFrames = 360000;

float amplitude(float decibels) {
    return std::pow(10.0f, decibels / 20.0f);
}

// Bursts of speech of 1–8 s (syllables: a loudness that wobbles and dips) between pauses of
// 0.2–1.5 s at a noise floor. `unbroken` keeps every pause below 0.1 s.
EnergyProfile syntheticHour(bool unbroken) {
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> burst(1.0, 8.0);
    std::uniform_real_distribution<double> pause(unbroken ? 0.02 : 0.2, unbroken ? 0.09 : 1.5);
    std::uniform_real_distribution<float> floorLevel(-68, -62);
    std::uniform_real_distribution<float> voiceLevel(-32, -14);
    std::uniform_int_distribution<int> syllable(12, 30);
    std::vector<float> rms;
    rms.reserve(kHourFrames);
    while (rms.size() < kHourFrames) {
        const auto pauseFrames = static_cast<size_t>(pause(random) / kFrame);
        for (size_t i = 0; i < pauseFrames && rms.size() < kHourFrames; ++i)
            rms.push_back(amplitude(floorLevel(random)));
        const auto burstFrames = static_cast<size_t>(burst(random) / kFrame);
        int untilDip = syllable(random);
        for (size_t i = 0; i < burstFrames && rms.size() < kHourFrames; ++i) {
            if (--untilDip <= 0) {
                untilDip = syllable(random);
                rms.push_back(amplitude(-45));
            } else {
                rms.push_back(amplitude(voiceLevel(random)));
            }
        }
    }
    return EnergyProfile(kFrame, std::move(rms));
}

// 10000 words of 0.15–0.5 s with short gaps; every 6–20 words a sentence ends with punctuation,
// now and then with a pause, and some stretches carry no punctuation at all.
std::vector<Word> syntheticWords() {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> length(0.15, 0.5);
    std::uniform_real_distribution<double> gap(0.02, 0.2);
    std::uniform_int_distribution<int> sentenceWords(6, 20);
    std::uniform_int_distribution<int> dice(0, 9);
    const QString endings[] = {QStringLiteral("."), QStringLiteral("?"), QStringLiteral("!"),
                               QStringLiteral(".\u201D"), QString()};
    std::vector<Word> words;
    words.reserve(10000);
    double time = 0.5;
    int untilEnd = sentenceWords(random);
    for (int i = 0; i < 10000; ++i) {
        QString text = QStringLiteral(" word%1").arg(i % 97);
        if (--untilEnd <= 0) {
            text += endings[dice(random) % 5];
            untilEnd = sentenceWords(random);
        }
        const double duration = length(random);
        words.emplace_back(text, time, duration);
        time += duration + (dice(random) == 0 ? 0.8 : gap(random));
    }
    return words;
}

} // namespace

int main() {
    for (const bool unbroken : {false, true}) {
        const EnergyProfile hour = syntheticHour(unbroken);
        std::vector<TimeRange> ranges;
        const double milliseconds =
            BenchTools::medianMilliseconds(kRuns, [&] { ranges = SilenceSplitter().split(hour); });
        std::printf("%s %.2f ms\n",
                    unbroken ? "silence_split_1h_unbroken_median" : "silence_split_1h_median",
                    milliseconds);
        std::fprintf(stderr, "%s hour: %zu ranges\n", unbroken ? "unbroken" : "speech-like",
                     ranges.size());
        if (!unbroken) {
            std::vector<float> levels;
            const double sortMilliseconds = BenchTools::medianMilliseconds(kRuns, [&] {
                levels = hour.rms;
                std::sort(levels.begin(), levels.end());
            });
            std::printf("reference_sort_1h_median %.2f ms\n", sortMilliseconds);
        }
    }

    const std::vector<Word> words = syntheticWords();
    std::vector<Sentence> sentences;
    const double transcriptMilliseconds = BenchTools::medianMilliseconds(
        kRuns, [&] { sentences = TranscriptSplitter().sentences(words, 0); });
    std::printf("transcript_split_10k_words_median %.2f ms\n", transcriptMilliseconds);
    std::fprintf(stderr, "10000 words: %zu sentences\n", sentences.size());
    std::fflush(stdout);
    return 0;
}
