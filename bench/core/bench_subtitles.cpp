// What subtitles add to opening a 2-hour film: finding its subtitle tracks, reading its SRT file
// (one cue per spoken sentence, times off by up to 0.4 s either way, some markup) and fitting the
// sentences to the sound, side by side with opening alone (sound and energy profile) in the same
// run; and how close the fitted edges come to the speech's true edges.
//
// The film's sound is espeak-ng sentences with known lengths and pauses, repeated. Prints
// "name value unit" lines; progress goes to stderr.

#include "BenchTools.h"
#include "media/SoundOpening.h"
#include "split/SpeechEdges.h"
#include "subtitles/SubtitleSentences.h"
#include "subtitles/SubtitleTracks.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

namespace {

constexpr double kFilmSeconds = 2 * 3600;
constexpr double kPause = 0.8;
constexpr int kRuns = 5;
// The padding SpeechEdges leaves around speech; the accuracy is of the speech's own edges.
constexpr double kPad = SpeechEdges().pad;

void note(const QString& text) {
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

QString sox(const QStringList& arguments) {
    return QString::fromUtf8(BenchTools::run(QStringLiteral("sox"), arguments)).trimmed();
}

struct Spoken {
    TimeRange range;
    QString text;
};

// The film's sound (an MP3 in `folder`) and the true range of every sentence in it.
std::vector<Spoken> makeFilm(const QString& folder, const QString& film) {
    const QStringList sentences = BenchTools::everydaySentences();
    const QDir dir(folder);
    const QString gap = dir.filePath(QStringLiteral("gap.wav"));
    sox({QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("22050"), QStringLiteral("-c"),
         QStringLiteral("1"), gap, QStringLiteral("trim"), QStringLiteral("0"),
         QString::number(kPause)});
    QStringList parts{gap};
    std::vector<Spoken> piece;
    double at = kPause;
    for (int i = 0; i < sentences.size(); ++i) {
        const QString raw = dir.filePath(QStringLiteral("raw%1.wav").arg(i));
        const QString part = dir.filePath(QStringLiteral("s%1.wav").arg(i));
        BenchTools::run(QStringLiteral("espeak-ng"), {QStringLiteral("-w"), raw, sentences[i]});
        // Without espeak-ng's own silence, so that the sentence's range is exact.
        sox(QStringList{raw, QStringLiteral("-r"), QStringLiteral("22050"), part} +
            QStringLiteral("silence 1 0.005 0.5% reverse silence 1 0.005 0.5% reverse")
                .split(u' '));
        const double length = sox({QStringLiteral("--i"), QStringLiteral("-D"), part}).toDouble();
        piece.push_back({{at, at + length}, sentences[i]});
        at += length + kPause;
        parts << part << gap;
    }
    const int repeats = int(std::ceil(kFilmSeconds / at));
    sox(parts + QStringList{dir.filePath(QStringLiteral("piece.wav"))});
    sox({dir.filePath(QStringLiteral("piece.wav")), film, QStringLiteral("repeat"),
         QString::number(repeats - 1), QStringLiteral("trim"), QStringLiteral("0"),
         QString::number(kFilmSeconds)});
    std::vector<Spoken> truth;
    for (int r = 0; r < repeats; ++r)
        for (const Spoken& spoken : piece)
            if (r * at + spoken.range.end < kFilmSeconds)
                truth.push_back(
                    {{r * at + spoken.range.start, r * at + spoken.range.end}, spoken.text});
    return truth;
}

QString srtTime(double seconds) {
    const auto ms = qint64(std::llround(std::max(0.0, seconds) * 1000));
    return QString::asprintf("%02lld:%02lld:%02lld,%03lld", ms / 3600000, ms / 60000 % 60,
                             ms / 1000 % 60, ms % 1000);
}

// Cues whose edges are off by up to 0.4 s, every third in italics.
QByteArray subtitles(const std::vector<Spoken>& spoken) {
    std::mt19937 random(14);
    std::uniform_real_distribution<double> off(-0.4, 0.4);
    QString srt;
    for (size_t i = 0; i < spoken.size(); ++i) {
        const double start = spoken[i].range.start + off(random);
        const double end = spoken[i].range.end + off(random);
        const QString text =
            i % 3 == 0 ? QStringLiteral("<i>%1</i>").arg(spoken[i].text) : spoken[i].text;
        srt += QStringLiteral("%1\n%2 --> %3\n%4\n\n")
                   .arg(i + 1)
                   .arg(srtTime(start), srtTime(end), text);
    }
    return srt.toUtf8();
}

double percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[size_t(fraction * double(values.size() - 1))];
}

void print(const char* name, double value, const char* unit) {
    std::printf("%s %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    note(QStringLiteral("making a 2-hour film's sound and subtitles…"));
    const QString film = folder.filePath(QStringLiteral("film.mp3"));
    const std::vector<Spoken> spoken = makeFilm(folder.path(), film);
    QFile srt(folder.filePath(QStringLiteral("film.en.srt")));
    if (!srt.open(QIODevice::WriteOnly) || srt.write(subtitles(spoken)) < 0)
        return 1;
    srt.close();

    // Wall-clock and processor milliseconds of each step: on a busy machine the processor time
    // says more.
    std::vector<double> opening, reading, openingCpu, readingCpu;
    std::vector<Sentence> sentences;
    for (int run = 0; run < kRuns; ++run) {
        note(QStringLiteral("run %1 of %2…").arg(run + 1).arg(kRuns));
        QElapsedTimer timer;
        timer.start();
        double cpu = BenchTools::processCpuSeconds();
        const OpenedSound sound = SoundOpening::open(film);
        opening.push_back(double(timer.nsecsElapsed()) / 1e6);
        openingCpu.push_back((BenchTools::processCpuSeconds() - cpu) * 1e3);
        timer.restart();
        cpu = BenchTools::processCpuSeconds();
        const auto track =
            preferredSubtitleTrack(findSubtitleTracks(film), QStringLiteral("en-US"));
        sentences = subtitleSentences(*track, sound.profile);
        reading.push_back(double(timer.nsecsElapsed()) / 1e6);
        readingCpu.push_back((BenchTools::processCpuSeconds() - cpu) * 1e3);
    }
    const double open = BenchTools::median(opening), added = BenchTools::median(reading);
    print("open_2h_film", open, "ms");
    print("open_2h_film_cpu", BenchTools::median(openingCpu), "ms");
    print("subtitles_2h_film_added", added, "ms");
    print("subtitles_2h_film_added_cpu", BenchTools::median(readingCpu), "ms");
    print("subtitles_2h_film_added_ratio", added / open, "x");
    print("subtitles_2h_film_cues", double(spoken.size()), "count");
    print("subtitles_2h_film_sentences", double(sentences.size()), "count");

    // Accuracy: the fitted edges, padding taken off, against the speech's true edges.
    if (sentences.size() != spoken.size())
        return 1;
    std::vector<double> errors;
    int clipped = 0;
    for (size_t i = 0; i < spoken.size(); ++i) {
        errors.push_back(std::abs(sentences[i].start + kPad - spoken[i].range.start));
        errors.push_back(std::abs(sentences[i].end - kPad - spoken[i].range.end));
        clipped +=
            sentences[i].start > spoken[i].range.start || sentences[i].end < spoken[i].range.end;
    }
    print("subtitles_edge_error_median", percentile(errors, 0.5) * 1000, "ms");
    print("subtitles_edge_error_p95", percentile(errors, 0.95) * 1000, "ms");
    print("subtitles_edge_error_max", percentile(errors, 1.0) * 1000, "ms");
    print("subtitles_clipped_sentences", clipped, "count");
    return 0;
}
