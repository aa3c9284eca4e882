// Session store timings: listing recent sessions over a full folder and saving a long session.
// Prints "name value unit" lines: wall-clock medians, the process's CPU time (all threads) for
// the same runs, since the machine may be shared, and references measured in the same run:
// reading and parsing the JSON alone, one file after another, and writing the same bytes in
// place without the atomic replace, with and without syncing them to the disk.

#include "session/SessionStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr int sessionCount = 200;
constexpr int sentencesPerListedSession = 200;
constexpr int sentencesInSavedSession = 500;
constexpr int runs = 15;

Session makeSession(int number, int sentenceCount) {
    std::vector<Sentence> sentences;
    sentences.reserve(size_t(sentenceCount));
    for (int i = 0; i < sentenceCount; ++i)
        sentences.emplace_back(
            i * 3.25, i * 3.25 + 2.875,
            QStringLiteral("Das ist der Satz Nummer %1, und er ist nicht kurz.").arg(i),
            i % 7 == 0);
    const QDateTime updated =
        QDateTime(QDate(2025, 1, 1), QTime(8, 0), Qt::UTC).addSecs(qint64(number) * 3607);
    return Session(QStringLiteral("/home/user/Podcasts/Folge %1.mp3").arg(number),
                   40'000'000 + number, sentenceCount * 3.25, std::move(sentences),
                   sentenceCount / 3, SplitMethod::speech(QStringLiteral("de-DE")),
                   PracticeSettings::standard(), false, updated);
}

struct Timing {
    double wallMs;
    double cpuMs;
};

double cpuMsNow() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) {
        return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

Timing median(const std::function<void()>& work) {
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        const double cpuStart = cpuMsNow();
        timer.start();
        work();
        wall.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(cpuMsNow() - cpuStart);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

void print(const char* name, double ms) {
    std::printf("%s %.3f ms\n", name, ms);
    std::fflush(stdout);
}

void print(const char* name, const char* cpuName, Timing timing) {
    print(name, timing.wallMs);
    print(cpuName, timing.cpuMs);
}

void writeInPlace(const QString& path, const QByteArray& bytes, bool sync) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    file.write(bytes);
    file.flush();
    if (sync)
        ::fdatasync(file.handle());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir root;
    if (!root.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }

    const SessionStore listed(root.filePath(QStringLiteral("Listed")));
    std::fprintf(stderr, "writing %d session files of %d sentences\n", sessionCount,
                 sentencesPerListedSession);
    QStringList files;
    for (int i = 0; i < sessionCount; ++i) {
        const Session session = makeSession(i, sentencesPerListedSession);
        listed.save(session);
        files << listed.sessionFile(session.key());
    }
    if (listed.recent(10).size() != 10) {
        std::fprintf(stderr, "recent sessions did not list ten\n");
        return 1;
    }
    print("session_recent_200_median", "session_recent_200_cpu_median",
          median([&] { (void)listed.recent(10); }));
    print("session_recent_200_json_parse_only_median",
          median([&] {
              for (const QString& path : files) {
                  QFile file(path);
                  if (file.open(QIODevice::ReadOnly))
                      (void)QJsonDocument::fromJson(file.readAll());
              }
          }).wallMs);

    const SessionStore saved(root.filePath(QStringLiteral("Saved")));
    Session session = makeSession(0, sentencesInSavedSession);
    saved.save(session);
    std::fprintf(stderr, "session of %d sentences: %lld bytes\n", sentencesInSavedSession,
                 QFile(saved.sessionFile(session.key())).size());
    print("session_save_500_median", "session_save_500_cpu_median", median([&] {
              session.updatedAt = session.updatedAt.addSecs(1);
              saved.save(session);
          }));
    const QString plainPath = root.filePath(QStringLiteral("plain.json"));
    for (const bool sync : {false, true})
        print(sync ? "session_save_500_synced_write_median" : "session_save_500_plain_write_median",
              median([&] {
                  session.updatedAt = session.updatedAt.addSecs(1);
                  writeInPlace(plainPath, session.encoded(), sync);
              }).wallMs);
    return 0;
}
