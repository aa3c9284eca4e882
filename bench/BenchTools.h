#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// Small helpers for the application's benchmark programs.
namespace BenchTools {

double median(std::vector<double> values);
// The median wall time of `runs` runs of `work`, in milliseconds.
double medianMilliseconds(int runs, const std::function<void()>& work);
// Runs a program to completion and returns its standard output; exits the benchmark with a
// message on stderr when it fails.
QByteArray run(const QString& program, const QStringList& arguments);
// CPU seconds that finished child processes have used so far, and their largest resident set.
double childrenCpuSeconds();
double childrenPeakResidentMegabytes();
// CPU seconds this process has used so far, and its largest resident set.
double processCpuSeconds();
double processPeakResidentMegabytes();
// This process's resident set now.
double residentMegabytes();
// CPU seconds used by the calling thread.
double threadCpuSeconds();
// Six everyday English sentences of different lengths, each ending a sentence, for speech made
// with espeak-ng.
QStringList everydaySentences();
// A spoken piece of six English sentences (espeak-ng) with 0.6 s pauses, repeated to `seconds`,
// as a 44.1 kHz WAV file in `folder`.
QString repeatedSpeech(const QString& folder, double seconds);
// Prints one result line: "name value unit".
void report(const QString& name, double value, const QString& unit);

} // namespace BenchTools
