#include "TestMedia.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <QTest>

#include <cmath>

namespace TestMedia {

namespace {

QString in(const QString& folder, const QString& name) {
    QDir().mkpath(folder);
    return QDir(folder).filePath(name);
}

void ffmpeg(const QStringList& arguments) {
    TestSupport::run(QStringLiteral("ffmpeg"),
                     QStringList{QStringLiteral("-nostdin"), QStringLiteral("-hide_banner"),
                                 QStringLiteral("-loglevel"), QStringLiteral("error"),
                                 QStringLiteral("-y")} +
                         arguments,
                     600000);
}

void sox(const QStringList& arguments) {
    TestSupport::run(QStringLiteral("sox"), arguments, 600000);
}

template <typename T> void append(QByteArray& bytes, T value) {
    value = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

} // namespace

QString floatWav(const QString& path, int sampleRate, int channels,
                 const std::vector<float>& interleaved) {
    const auto dataBytes = quint32(interleaved.size() * sizeof(float));
    QByteArray bytes;
    bytes.append("RIFF");
    append<quint32>(bytes, 4 + 8 + 16 + 8 + dataBytes);
    bytes.append("WAVEfmt ");
    append<quint32>(bytes, 16);
    append<quint16>(bytes, 3); // IEEE float
    append<quint16>(bytes, quint16(channels));
    append<quint32>(bytes, quint32(sampleRate));
    append<quint32>(bytes, quint32(sampleRate * channels * 4));
    append<quint16>(bytes, quint16(channels * 4));
    append<quint16>(bytes, 32);
    bytes.append("data");
    append<quint32>(bytes, dataBytes);
    for (const float sample : interleaved)
        append<float>(bytes, sample);
    return textFile(path, bytes);
}

QString tone(const QString& folder, const QString& name, double seconds, int sampleRate,
             int channels, double frequency, double amplitude) {
    const QString path = in(folder, name);
    sox({QStringLiteral("-n"), QStringLiteral("-r"), QString::number(sampleRate),
         QStringLiteral("-c"), QString::number(channels), QStringLiteral("-b"),
         QStringLiteral("16"), path, QStringLiteral("synth"), QString::number(seconds),
         QStringLiteral("sine"), QString::number(frequency), QStringLiteral("vol"),
         QString::number(amplitude)});
    return path;
}

QString silence(const QString& folder, const QString& name, double seconds, int sampleRate,
                int channels) {
    const QString path = in(folder, name);
    sox({QStringLiteral("-n"), QStringLiteral("-r"), QString::number(sampleRate),
         QStringLiteral("-c"), QString::number(channels), QStringLiteral("-b"),
         QStringLiteral("16"), path, QStringLiteral("trim"), QStringLiteral("0"),
         QString::number(seconds)});
    return path;
}

QString convert(const QString& from, const QString& to, const QStringList& arguments) {
    ffmpeg(QStringList{QStringLiteral("-i"), from} + arguments + QStringList{to});
    return to;
}

QString video(const QString& path, const QString& soundTrack, double seconds) {
    const bool webm = path.endsWith(QLatin1String(".webm"), Qt::CaseInsensitive);
    QStringList arguments{QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                          QStringLiteral("testsrc=size=64x48:rate=5:duration=%1").arg(seconds)};
    if (!soundTrack.isEmpty())
        arguments << QStringLiteral("-i") << soundTrack;
    if (webm)
        arguments << QStringLiteral("-c:v") << QStringLiteral("libvpx")
                  << QStringLiteral("-deadline") << QStringLiteral("realtime")
                  << QStringLiteral("-c:a") << QStringLiteral("libopus");
    else
        arguments << QStringLiteral("-c:v") << QStringLiteral("mpeg4") << QStringLiteral("-c:a")
                  << QStringLiteral("aac");
    if (!soundTrack.isEmpty())
        arguments << QStringLiteral("-shortest");
    arguments << path;
    ffmpeg(arguments);
    return path;
}

QString longVideo(const QString& path, double seconds) {
    ffmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
            QStringLiteral("color=c=black:size=32x32:rate=1:duration=%1").arg(seconds),
            QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
            QStringLiteral("sine=frequency=300:sample_rate=8000:duration=%1").arg(seconds),
            QStringLiteral("-c:v"), QStringLiteral("mpeg4"), QStringLiteral("-c:a"),
            QStringLiteral("flac"), path});
    return path;
}

QString mp3WithCover(const QString& sound, const QString& path) {
    const QString cover = path + QStringLiteral(".cover.png");
    ffmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
            QStringLiteral("color=c=orange:size=32x32"), QStringLiteral("-frames:v"),
            QStringLiteral("1"), cover});
    ffmpeg({QStringLiteral("-i"), sound, QStringLiteral("-i"), cover, QStringLiteral("-map"),
            QStringLiteral("0:a"), QStringLiteral("-map"), QStringLiteral("1:v"),
            QStringLiteral("-c:a"), QStringLiteral("libmp3lame"), QStringLiteral("-b:a"),
            QStringLiteral("128k"), QStringLiteral("-c:v"), QStringLiteral("png"),
            QStringLiteral("-disposition:v"), QStringLiteral("attached_pic"),
            QStringLiteral("-id3v2_version"), QStringLiteral("3"), path});
    QFile::remove(cover);
    return path;
}

QString truncated(const QString& from, const QString& to, qint64 bytes) {
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        QTest::qFail(qPrintable(QStringLiteral("cannot read %1").arg(from)), __FILE__, __LINE__);
    return textFile(to, source.read(bytes));
}

QString textFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(content) != content.size())
        QTest::qFail(qPrintable(QStringLiteral("cannot write %1").arg(path)), __FILE__, __LINE__);
    return path;
}

double duration(const QString& path) {
    return TestSupport::run(QStringLiteral("soxi"), {QStringLiteral("-D"), path})
        .trimmed()
        .toDouble();
}

Speech speech(const QString& folder, const QString& name, const QStringList& sentences,
              double pause, const QString& voice) {
    Speech result;
    result.path = in(folder, name);
    const QString work = in(folder, name + QStringLiteral(".parts"));
    QDir().mkpath(work);
    const QString gap = silence(work, QStringLiteral("gap.wav"), pause);

    QStringList parts{gap};
    double at = pause;
    for (int i = 0; i < sentences.size(); ++i) {
        const QString raw = QDir(work).filePath(QStringLiteral("raw%1.wav").arg(i));
        const QString trimmed = QDir(work).filePath(QStringLiteral("s%1.wav").arg(i));
        TestSupport::run(QStringLiteral("espeak-ng"),
                         {QStringLiteral("-v"), voice, QStringLiteral("-w"), raw, sentences[i]});
        // espeak-ng pads its output with silence; cut it so the pauses are exactly `pause`.
        sox({raw, QStringLiteral("-r"), QStringLiteral("44100"), QStringLiteral("-c"),
             QStringLiteral("1"), QStringLiteral("-b"), QStringLiteral("16"), trimmed,
             QStringLiteral("silence"), QStringLiteral("1"), QStringLiteral("0.005"),
             QStringLiteral("0.5%"), QStringLiteral("reverse"), QStringLiteral("silence"),
             QStringLiteral("1"), QStringLiteral("0.005"), QStringLiteral("0.5%"),
             QStringLiteral("reverse")});
        const double length = duration(trimmed);
        result.sentences.emplace_back(at, at + length);
        at += length + pause;
        parts << trimmed << gap;
    }
    sox(parts + QStringList{result.path});
    QDir(work).removeRecursively();
    return result;
}

QString longSpeech(const QString& folder, const QString& name, double seconds) {
    const Speech piece =
        speech(folder, name + QStringLiteral(".piece.wav"),
               {QStringLiteral("The morning train was late again, so we walked along the river."),
                QStringLiteral("She asked whether the museum opens on Sundays."),
                QStringLiteral("I would like a cup of coffee and a slice of apple cake, please."),
                QStringLiteral("Nobody knew where the old key had gone."),
                QStringLiteral("Turn left at the bakery and the station is right in front of you."),
                QStringLiteral("We should practise a little every day.")},
               0.6);
    const double length = duration(piece.path);
    const int repeats = std::max(0, int(std::ceil(seconds / length)) - 1);
    const QString path = in(folder, name);
    sox({piece.path, path, QStringLiteral("repeat"), QString::number(repeats),
         QStringLiteral("trim"), QStringLiteral("0"), QString::number(seconds)});
    QFile::remove(piece.path);
    return path;
}

} // namespace TestMedia
