#include "TestMedia.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

namespace TestMedia {

QByteArray run(const QString& program, const QStringList& arguments, int timeoutMs) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        QTest::qFail(qPrintable(u"%1 %2 failed: %3 %4"_s.arg(
                         program, arguments.join(u' '), process.errorString(),
                         QString::fromUtf8(process.readAllStandardError()))),
                     __FILE__, __LINE__);
    return process.readAllStandardOutput();
}

namespace {

QString in(const QString& folder, const QString& name) {
    QDir().mkpath(folder);
    return QDir(folder).filePath(name);
}

// Runs a tool with `options` (split at spaces; no paths among them) followed by `arguments`.
void tool(const QString& program, const QString& options, const QStringList& arguments = {}) {
    run(program, options.split(u' ', Qt::SkipEmptyParts) + arguments, 600000);
}

void ffmpeg(const QStringList& arguments) {
    tool(u"ffmpeg"_s, u"-nostdin -hide_banner -loglevel error -y"_s, arguments);
}

} // namespace

QString floatWav(const QString& path, int sampleRate, int channels,
                 const std::vector<float>& interleaved) {
    const auto dataBytes = quint32(interleaved.size() * sizeof(float));
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.setFloatingPointPrecision(QDataStream::SinglePrecision);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    // A 16-byte format chunk: IEEE float, the channels, the rate, bytes a second and a frame,
    // bits a sample.
    out << quint32(16) << quint16(3) << quint16(channels) << quint32(sampleRate)
        << quint32(sampleRate * channels * 4) << quint16(channels * 4) << quint16(32);
    out.writeRawData("data", 4);
    out << dataBytes;
    for (const float sample : interleaved)
        out << sample;
    return textFile(path, bytes);
}

QString tone(const QString& folder, const QString& name, double seconds, int sampleRate,
             int channels, double frequency, double amplitude) {
    const QString path = in(folder, name);
    tool(u"sox"_s, u"-D -n -r %1 -c %2 -b 16"_s.arg(sampleRate).arg(channels),
         {path, u"synth"_s, QString::number(seconds), u"sine"_s, QString::number(frequency),
          u"vol"_s, QString::number(amplitude)});
    return path;
}

QString convert(const QString& from, const QString& to, const QStringList& arguments) {
    ffmpeg(QStringList{u"-i"_s, from} + arguments + QStringList{to});
    return to;
}

QString video(const QString& path, const QString& soundTrack, double seconds) {
    QStringList arguments =
        u"-f lavfi -i testsrc=size=64x48:rate=5:duration=%1"_s.arg(seconds).split(u' ');
    if (!soundTrack.isEmpty())
        arguments << u"-i"_s << soundTrack << u"-shortest"_s;
    ffmpeg(arguments + u"-c:v mpeg4 -c:a aac"_s.split(u' ') + QStringList{path});
    return path;
}

QString longVideo(const QString& path, double seconds) {
    ffmpeg(u"-f lavfi -i color=c=black:size=32x32:rate=1:duration=%1 -f lavfi -i "
           u"sine=frequency=300:sample_rate=8000:duration=%1 -c:v mpeg4 -c:a flac"_s.arg(seconds)
               .split(u' ') +
           QStringList{path});
    return path;
}

QString videoOf(Picture picture, const QString& path, double seconds,
                const QStringList& arguments) {
    const QString look = picture == Picture::numbered
                             ? u"r=mod(8*N\\,256):g=mod(8*N\\,256):b=mod(8*N\\,256)"_s
                             : u"r=255*lt(X\\,W/2):g=255*lt(Y\\,H/2):b=0"_s;
    // No spaces in the filters: the arguments split at them.
    ffmpeg(
        u"-f lavfi -i color=black:s=64x48:r=10:d=%1,format=rgb24,geq=%2 -f lavfi -i "
        u"aevalsrc=0.5*sin(2*PI*(300+100*floor(t))*t):s=44100:d=%1 -pix_fmt yuv420p"_s.arg(seconds)
            .arg(look)
            .split(u' ') +
        arguments + QStringList{path});
    return path;
}

void turnClockwise(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    const QByteArray bytes = file.readAll();
    // The matrix follows the header's times, track number, duration, layer, group and volume.
    QVERIFY(bytes.indexOf("tkhd") > 0 && file.seek(bytes.indexOf("tkhd") + 44));
    QDataStream out(&file);
    out << qint32(0) << qint32(0x10000) << qint32(0) << qint32(-0x10000) << qint32(0) << qint32(0);
}

QString truncated(const QString& from, const QString& to, qint64 bytes) {
    QFile source(from);
    return textFile(to, source.open(QIODevice::ReadOnly) ? source.read(bytes) : QByteArray());
}

QString textFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(content) != content.size())
        QTest::qFail(qPrintable(u"cannot write %1"_s.arg(path)), __FILE__, __LINE__);
    return path;
}

double duration(const QString& path) {
    return run(u"soxi"_s, {u"-D"_s, path}).trimmed().toDouble();
}

Speech speech(const QString& folder, const QString& name, const QStringList& sentences,
              double pause, const QString& voice, const QStringList& options,
              const std::vector<double>& pauses) {
    Speech result{in(folder, name), {}};
    const QString work = in(folder, name + u".parts"_s);
    const auto gap = [&](size_t i) {
        const double seconds = i == 0 || pauses.empty() ? pause : pauses[(i - 1) % pauses.size()];
        return tone(work, u"gap%1.wav"_s.arg(seconds), seconds, 44100, 1, 0, 0);
    };
    QStringList parts{gap(0)};
    double at = pause;
    for (int i = 0; i < sentences.size(); ++i) {
        const QString raw = in(work, u"raw%1.wav"_s.arg(i));
        const QString trimmed = in(work, u"s%1.wav"_s.arg(i));
        run(u"espeak-ng"_s,
            QStringList{u"-v"_s, voice, u"-w"_s, raw} + options + QStringList{sentences[i]});
        // espeak-ng pads its output with silence; cut it so the pauses are exactly as asked.
        tool(u"sox"_s, {},
             QStringList{raw, u"-r"_s, u"44100"_s, u"-c"_s, u"1"_s, u"-b"_s, u"16"_s, trimmed} +
                 u"silence 1 0.005 0.5% reverse silence 1 0.005 0.5% reverse"_s.split(u' '));
        const double length = duration(trimmed);
        result.sentences.emplace_back(at, at + length);
        const bool last = i + 1 == sentences.size();
        const QString after = last ? parts.first() : gap(size_t(i) + 1);
        at += length + duration(after);
        parts << trimmed << after;
    }
    tool(u"sox"_s, {}, parts + QStringList{result.path});
    QDir(work).removeRecursively();
    return result;
}

} // namespace TestMedia
