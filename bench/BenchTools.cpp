#include "BenchTools.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace BenchTools {

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

QStringList everydaySentences() {
    return {QStringLiteral("The morning train was late again, so we walked along the river."),
            QStringLiteral("She asked whether the museum opens on Sundays."),
            QStringLiteral("I would like a cup of coffee and a slice of apple cake, please."),
            QStringLiteral("Nobody knew where the old key had gone."),
            QStringLiteral("Turn left at the bakery and the station is right in front of you."),
            QStringLiteral("We should practise a little every day.")};
}

double medianMilliseconds(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    return median(times);
}

QByteArray run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted() || !process.waitForFinished(-1) ||
        process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                     process.readAllStandardError().constData());
        std::exit(1);
    }
    return process.readAllStandardOutput();
}

namespace {

double cpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

double peakResidentMegabytes(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

} // namespace

double childrenCpuSeconds() {
    return cpuSeconds(RUSAGE_CHILDREN);
}

double childrenPeakResidentMegabytes() {
    return peakResidentMegabytes(RUSAGE_CHILDREN);
}

double processCpuSeconds() {
    return cpuSeconds(RUSAGE_SELF);
}

double processPeakResidentMegabytes() {
    return peakResidentMegabytes(RUSAGE_SELF);
}

double residentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

void report(const QString& name, double value, const QString& unit) {
    std::printf("%s %.4g %s\n", qPrintable(name), value, qPrintable(unit));
    std::fflush(stdout);
}

QString repeatedSpeech(const QString& folder, double seconds) {
    const QStringList sentences = everydaySentences();
    const QDir dir(folder);
    const QString gap = dir.filePath(QStringLiteral("gap.wav"));
    run(QStringLiteral("sox"),
        {QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("22050"), QStringLiteral("-c"),
         QStringLiteral("1"), gap, QStringLiteral("trim"), QStringLiteral("0"),
         QStringLiteral("0.6")});
    QStringList parts;
    for (int i = 0; i < sentences.size(); ++i) {
        const QString part = dir.filePath(QStringLiteral("s%1.wav").arg(i));
        run(QStringLiteral("espeak-ng"), {QStringLiteral("-w"), part, sentences[i]});
        parts << part << gap;
    }
    const QString piece = dir.filePath(QStringLiteral("piece.wav"));
    run(QStringLiteral("sox"),
        parts + QStringList{QStringLiteral("-r"), QStringLiteral("44100"), piece});
    const double length =
        run(QStringLiteral("soxi"), {QStringLiteral("-D"), piece}).trimmed().toDouble();
    const QString speech = dir.filePath(QStringLiteral("speech.wav"));
    run(QStringLiteral("sox"),
        {piece, speech, QStringLiteral("repeat"), QString::number(int(std::ceil(seconds / length))),
         QStringLiteral("trim"), QStringLiteral("0"), QString::number(seconds)});
    return speech;
}

} // namespace BenchTools
