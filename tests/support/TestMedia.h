#pragma once

#include "base/Sentence.h"

#include <QStringList>

#include <vector>

// Test media made on the spot with sox, espeak-ng and ffmpeg (or written directly), so that no
// binary sample files live in the repository. Every function writes into `folder`, returns the
// file's path and fails the current test (through QTest) when a tool fails.
namespace TestMedia {

// Runs a program to completion; fails the current test (through QTest) when it cannot start or
// exits non-zero. Returns its standard output.
QByteArray run(const QString& program, const QStringList& arguments, int timeoutMs = 120000);

// A 32-bit float WAV file holding exactly these interleaved samples.
QString floatWav(const QString& path, int sampleRate, int channels,
                 const std::vector<float>& interleaved);

// A sine tone, digital silence at amplitude 0; the extension chooses the format (anything sox
// writes: wav, flac, ogg, mp3).
QString tone(const QString& folder, const QString& name, double seconds, int sampleRate = 44100,
             int channels = 1, double frequency = 440, double amplitude = 0.5);

// Converts with ffmpeg: `ffmpeg -i from <arguments> to`. The output format follows `to`'s
// extension unless the arguments say otherwise.
QString convert(const QString& from, const QString& to, const QStringList& arguments = {});

// A video file with a small moving test picture and the given sound track (none when empty),
// `seconds` long. The extension chooses the container: mp4, mov, mkv.
QString video(const QString& path, const QString& soundTrack, double seconds);

// A long video cheap to make: a tiny still picture at one frame a second and a tone at 8 kHz.
QString longVideo(const QString& path, double seconds);

// A video for picture tests, 64 × 48 at 10 frames a second, `seconds` long: frame n shows its
// number as the gray level 8·n mod 256 (`numbered`), or four quadrants, yellow and green over red
// and black (`quadrants`), that show which way is up. Its sound is a tone a hundred hertz higher
// every second. `arguments` go to ffmpeg before the output (codecs, filters, aspect…).
enum class Picture { numbered, quadrants };
QString videoOf(Picture picture, const QString& path, double seconds,
                const QStringList& arguments = {});

// Turns the first track of a MOV or MP4 file a quarter clockwise for display, as a phone held
// upright writes it (the track header's matrix).
void turnClockwise(const QString& path);

// The first `bytes` bytes of a file.
QString truncated(const QString& from, const QString& to, qint64 bytes);

// A file holding exactly this text (or nothing).
QString textFile(const QString& path, const QByteArray& content);

struct Speech {
    QString path;                     // WAV, 44100 Hz mono
    std::vector<TimeRange> sentences; // where each sentence's sound lies
};

// Sentences spoken by espeak-ng (in English unless another of its voices is named) separated by
// `pause` seconds of silence, with the same silence before the first and after the last.
// `options` go to espeak-ng as they are (speed -s, pitch -p); `pauses`, when given, replace
// `pause` between the sentences, one after another and over again.
Speech speech(const QString& folder, const QString& name, const QStringList& sentences,
              double pause, const QString& voice = QStringLiteral("en-us"),
              const QStringList& options = {}, const std::vector<double>& pauses = {});

// The duration in seconds that sox reports.
double duration(const QString& path);

} // namespace TestMedia
