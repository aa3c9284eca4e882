// Exporting 500 sentences of an hour-long MP3 to Anki (clips cut sample-accurately, normalised,
// encoded as MP3, and the notes file) against the ffmpeg tool cutting and encoding the same clips
// in one process; and reading the review list of hard sentences over 200 sessions. Prints
// "name value unit" lines; progress goes to stderr.

#include "BenchTools.h"
#include "export/SessionExport.h"
#include "media/SoundOpening.h"
#include "session/ReviewList.h"
#include "session/SessionStore.h"
#include "split/SilenceSplitter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int runs = 3;
constexpr size_t clipCount = 500;

double seconds(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e9;
}

// The same clips, cut from the same file and encoded to MP3 by ffmpeg in one run.
double ffmpegClips(const QString& media, const std::vector<Sentence>& sentences,
                   const QString& folder) {
    QDir().mkpath(folder);
    QStringList arguments{QStringLiteral("-nostdin"), QStringLiteral("-loglevel"),
                          QStringLiteral("error"),    QStringLiteral("-y"),
                          QStringLiteral("-i"),       media};
    for (size_t i = 0; i < sentences.size(); ++i)
        arguments << QStringLiteral("-ss") << QString::number(sentences[i].start - 0.1)
                  << QStringLiteral("-to") << QString::number(sentences[i].end + 0.1)
                  << QStringLiteral("-ac") << QStringLiteral("1") << QStringLiteral("-ar")
                  << QStringLiteral("44100") << QStringLiteral("-c:a")
                  << QStringLiteral("libmp3lame")
                  << QDir(folder).filePath(QStringLiteral("%1.mp3").arg(i));
    QElapsedTimer timer;
    timer.start();
    BenchTools::run(QStringLiteral("ffmpeg"), arguments);
    return seconds(timer);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    std::fprintf(stderr, "making an hour of speech…\n");
    const QString speech = BenchTools::repeatedSpeech(folder.path(), 3600);
    const QString mp3 = folder.filePath(QStringLiteral("lecture.mp3"));
    BenchTools::run(QStringLiteral("ffmpeg"),
                    {QStringLiteral("-nostdin"), QStringLiteral("-loglevel"),
                     QStringLiteral("error"), QStringLiteral("-i"), speech, QStringLiteral("-b:a"),
                     QStringLiteral("128k"), mp3});

    Session session;
    session.filePath = mp3;
    session.fileSize = QFileInfo(mp3).size();
    session.sentences = SilenceSplitter().sentences(SoundOpening::open(mp3).profile);
    // Every seventh sentence, spread over the hour.
    std::vector<Sentence> chosen;
    for (size_t i = 0; i < session.sentences.size() && chosen.size() < clipCount; i += 7)
        chosen.push_back(session.sentences[i]);
    session.sentences = chosen;
    std::fprintf(stderr, "%zu sentences\n", chosen.size());

    const SessionStore store(folder.filePath(QStringLiteral("Sessions")));
    std::vector<double> ours, theirs;
    for (int run = 0; run < runs; ++run) {
        std::fprintf(stderr, "run %d of %d…\n", run + 1, runs);
        QElapsedTimer timer;
        timer.start();
        SessionExport::run(
            session, store,
            {SessionExport::Kind::anki, false, folder.filePath(QStringLiteral("anki%1").arg(run))});
        ours.push_back(seconds(timer));
        theirs.push_back(
            ffmpegClips(mp3, chosen, folder.filePath(QStringLiteral("ffmpeg%1").arg(run))));
    }
    const double median = BenchTools::median(ours), reference = BenchTools::median(theirs);
    BenchTools::report(QStringLiteral("export_anki_500"), median, QStringLiteral("s"));
    BenchTools::report(QStringLiteral("ffmpeg_cut_500"), reference, QStringLiteral("s"));
    BenchTools::report(QStringLiteral("export_anki_500_ratio"), median / reference,
                       QStringLiteral("x"));

    // 200 sessions of 300 sentences, every tenth hard, on existing media files.
    Session many = session;
    many.sentences.resize(std::min<size_t>(many.sentences.size(), 300));
    for (size_t i = 0; i < many.sentences.size(); i += 10)
        many.sentences[i].hard = true;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    many.updatedAt = now.addMSecs(-now.time().msec()); // session files keep whole seconds
    for (int i = 0; i < 200; ++i) {
        many.fileSize = session.fileSize + i; // another key, the same media file
        store.save(many);
    }
    std::vector<double> review;
    size_t items = 0;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        items = ReviewList::items(store.all(), QDateTime::currentDateTimeUtc()).size();
        review.push_back(seconds(timer) * 1000);
    }
    std::fprintf(stderr, "%zu hard sentences listed\n", items);
    BenchTools::report(QStringLiteral("review_list_200_sessions"), BenchTools::median(review),
                       QStringLiteral("ms"));
    return 0;
}
