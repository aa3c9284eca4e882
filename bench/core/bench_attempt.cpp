// Times the analysis of a take against its sentence, as the practice screen runs it after each
// recording. Prints "name value unit" lines.
//   attempt_10s_median: AttemptFeedback::read on a 10-second sentence of a WAV file and a
//     10-second take in AAC (.m4a, as the recorder writes it): decoding, pitch, features, warp,
//     figures and loudness
//   reference_decode_10s_median: decoding the same two stretches only, the floor under it
//   attempt_to_decode_ratio: the first over the second
//   heard_10s_median: HeardWords::hear on the same take against the sentence's text, the
//     recogniser's pass, apart from the rest (the model is loaded before, untimed)
//   heard_to_decode_ratio: that over the decoding floor
#include "feedback/AttemptFeedback.h"
#include "media/MonoClip.h"
#include "speech/HeardWords.h"

#include "BenchTools.h"

#include <QTemporaryDir>

#include <chrono>
#include <functional>

namespace {

constexpr int kRuns = 5;

// espeak-ng speaking `text` at `wordsPerMinute`, cut or padded to exactly 10 seconds.
QString speech(const QString& path, const QString& text, int wordsPerMinute, int pitch) {
    const QString raw = path + QStringLiteral(".raw.wav");
    BenchTools::run(QStringLiteral("espeak-ng"),
                    {QStringLiteral("-s"), QString::number(wordsPerMinute), QStringLiteral("-p"),
                     QString::number(pitch), QStringLiteral("-w"), raw, text});
    BenchTools::run(QStringLiteral("ffmpeg"),
                    {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"),
                     QStringLiteral("-i"), raw, QStringLiteral("-af"), QStringLiteral("apad"),
                     QStringLiteral("-t"), QStringLiteral("10"), QStringLiteral("-ar"),
                     QStringLiteral("44100"), QStringLiteral("-ac"), QStringLiteral("1"), path});
    return path;
}

} // namespace

int main() {
    QTemporaryDir folder;
    const QString text = QStringLiteral(
        "When we arrived at the station the train had already left, so we walked to the old "
        "harbour, sat down by the water and watched the boats come in until it got dark.");
    const QString original = speech(folder.filePath(QStringLiteral("original.wav")), text, 150, 45);
    const QString take = speech(folder.filePath(QStringLiteral("take.m4a")), text, 135, 70);
    const TimeRange tenSeconds(0, 10);

    const double attempt = BenchTools::medianMilliseconds(kRuns, [&] {
        const AttemptFeedback feedback =
            AttemptFeedback::read(original, tenSeconds, take, tenSeconds);
        if (!feedback.pace)
            qFatal("the take was not compared");
    });
    const double decode = BenchTools::medianMilliseconds(kRuns, [&] {
        readMonoClip(original, AttemptFeedback::sampleRate, 0, 10);
        readMonoClip(take, AttemptFeedback::sampleRate, 0, 10);
    });
    const auto hear = [&] {
        if (!HeardWords::hear(text, QStringLiteral("en-US"), take))
            qFatal("the take's words were not heard");
    };
    hear(); // loads the model
    const double heard = BenchTools::medianMilliseconds(kRuns, hear);
    BenchTools::report(QStringLiteral("attempt_10s_median"), attempt, QStringLiteral("ms"));
    BenchTools::report(QStringLiteral("reference_decode_10s_median"), decode, QStringLiteral("ms"));
    BenchTools::report(QStringLiteral("attempt_to_decode_ratio"), attempt / decode,
                       QStringLiteral("x"));
    BenchTools::report(QStringLiteral("heard_10s_median"), heard, QStringLiteral("ms"));
    BenchTools::report(QStringLiteral("heard_to_decode_ratio"), heard / decode,
                       QStringLiteral("x"));
    return 0;
}
