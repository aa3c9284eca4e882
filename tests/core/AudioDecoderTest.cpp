#include "media/AudioDecoder.h"
#include "media/AudioFileWriter.h"
#include "media/EnergyProfile.h"
#include "media/MediaError.h"

#include "TestMedia.h"

extern "C" {
#include <libavformat/avio.h>
#include <libavutil/mem.h>
}

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <numbers>

using namespace Qt::StringLiterals;

namespace {

std::vector<float> readAll(AudioDecoder& decoder) {
    const int channels = decoder.format().channels;
    std::vector<float> all;
    std::vector<float> block(size_t(1000) * size_t(channels));
    while (const qint64 got = decoder.read(block.data(), 1000))
        all.insert(all.end(), block.begin(), block.begin() + got * channels);
    return all;
}

// A rising chirp at 44.1 kHz: any misplaced sample shows as a large difference.
std::vector<float> chirp(qint64 frames) {
    std::vector<float> samples(static_cast<size_t>(frames));
    for (size_t i = 0; i < samples.size(); ++i) {
        const double t = double(i) / 44100;
        samples[i] = float(0.4 * std::sin(2 * std::numbers::pi * (300 + 400 * t) * t));
    }
    return samples;
}

// The RMS of a - b (of a alone when b is empty) over their common length.
double rmsOf(const std::vector<float>& a, const std::vector<float>& b = {}) {
    const size_t n = b.empty() ? a.size() : std::min(a.size(), b.size());
    double sum = 0;
    for (size_t i = 0; i < n; ++i)
        sum += std::pow(double(a[i]) - (b.empty() ? 0.0 : b[i]), 2);
    return std::sqrt(sum / double(n));
}

MediaError openError(const QString& path) {
    try {
        AudioDecoder decoder(path);
        readAll(decoder);
    } catch (const MediaError& error) {
        return error;
    }
    return MediaError::failed(u"(opened)"_s);
}

// A disk that fails part-way: it reads the file (as a stream) until it has handed out `bytes`
// bytes, then every read fails with EIO.
struct FailingDisk {
    QFile file;
    qint64 left;
    AVIOContext* reader = avio_alloc_context(static_cast<unsigned char*>(av_malloc(4096)), 4096, 0,
                                             this, &read, nullptr, nullptr);

    FailingDisk(const QString& path, qint64 bytes) : file(path), left(bytes) {
        QVERIFY(file.open(QIODevice::ReadOnly));
    }
    ~FailingDisk() {
        av_freep(&reader->buffer);
        avio_context_free(&reader);
    }
    static int read(void* opaque, uint8_t* buffer, int size) {
        auto* disk = static_cast<FailingDisk*>(opaque);
        if (disk->left <= 0)
            return AVERROR(EIO);
        const qint64 got =
            disk->file.read(reinterpret_cast<char*>(buffer), std::min<qint64>(size, disk->left));
        disk->left -= got;
        return got > 0 ? int(got) : AVERROR_EOF;
    }
};

} // namespace

// Reading sound from files: AudioDecoder, the energy profile read through it, and AudioFileWriter.
class AudioDecoderTest final : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_tone; // 5 s, 44.1 kHz mono WAV
    QString path(const QString& name) const { return m_folder.filePath(name); }

private Q_SLOTS:
    void initTestCase() { m_tone = TestMedia::tone(m_folder.path(), u"tone.wav"_s, 5); }

    void seeksToTheSample() {
        const QString wav = TestMedia::floatWav(path(u"seek.wav"_s), 44100, 1, chirp(44100 * 6));
        const QStringList bitRate{u"-b:a"_s, u"192k"_s};
        for (const QString& file :
             {wav, TestMedia::convert(wav, path(u"seek.flac"_s)),
              TestMedia::convert(wav, path(u"seek.mp3"_s), bitRate),
              TestMedia::convert(wav, path(u"seek.m4a"_s), bitRate),
              TestMedia::convert(wav, path(u"seek.ogg"_s), {u"-c:a"_s, u"libvorbis"_s}),
              // The sound track of a video is played straight from its container.
              TestMedia::video(path(u"seek.mkv"_s), wav, 6),
              TestMedia::convert(wav, path(u"seek.webm"_s),
                                 u"-f lavfi -i color=size=32x32:rate=5:duration=6 -c:v libvpx "
                                 u"-c:a libopus"_s.split(u' '))}) {
            AudioDecoder sequential(file);
            const auto reference = readAll(sequential);
            AudioDecoder decoder(file);
            // Backwards, forwards, a short hop, the very start and past the end.
            for (const qint64 target : {200000, 44100, 100003, 110000, 0, 250000}) {
                decoder.seek(target);
                QCOMPARE(decoder.position(), target);
                std::vector<float> got(2048);
                QCOMPARE(decoder.read(got.data(), 2048), qint64(2048));
                const std::vector<float> expected(reference.begin() + target,
                                                  reference.begin() + target + 2048);
                QVERIFY2(rmsOf(got, expected) < 5e-4, qPrintable(file));
            }
            decoder.seek(qint64(reference.size()) + 10);
            float sample = 0;
            QCOMPARE(decoder.read(&sample, 1), qint64(0));
        }
    }

    void refusesWhatIsNotAudio() {
        const QString mp4 = TestMedia::video(path(u"with sound.mp4"_s), m_tone, 2);
        const QByteArray notes = QByteArray("Shopping:\nbread\n").repeated(90);
        QCOMPARE(openError(TestMedia::textFile(path(u"notes.mp3"_s), notes)),
                 MediaError::unreadable());
        QCOMPARE(openError(TestMedia::truncated(mp4, path(u"cut.mp4"_s), 3000)),
                 MediaError::unreadable());
        QVERIFY(openError(m_folder.path()).kind() != MediaError::Kind::noAudio);

        // A video's sound decodes, and the decoder says that there is a picture too.
        AudioDecoder video(mp4);
        QVERIFY(video.hasVideo());
        QVERIFY(std::abs(double(readAll(video).size()) - 88200) < 2048);
        // A truncated MP3 decodes as far as it goes.
        const QString mp3 = TestMedia::convert(m_tone, path(u"whole.mp3"_s));
        AudioDecoder cut(TestMedia::truncated(mp3, path(u"cut.mp3"_s), QFileInfo(mp3).size() / 2));
        const double seconds = double(readAll(cut).size()) / 44100;
        QVERIFY2(seconds > 2.0 && seconds < 3.0, qPrintable(QString::number(seconds)));

        // Past the first samples, a failing read is the disk's failure, not the file's end.
        for (const QString& file :
             {m_tone, mp3, TestMedia::video(path(u"disk.mkv"_s), m_tone, 2)}) {
            FailingDisk disk(file, QFileInfo(file).size() / 2);
            try {
                AudioDecoder decoder(disk.reader);
                readAll(decoder);
                QFAIL(qPrintable(file + u": the sound ended quietly"_s));
            } catch (const MediaError& error) {
                QCOMPARE(error.description(), u"The file couldn’t be read (Input/output error)."_s);
            }
        }
    }

    void writesAacThatDecodesToTheSameSound() {
        const auto samples = chirp(44100 * 2 + 123);
        {
            AudioFileWriter writer(path(u"written.m4a"_s));
            // Uneven blocks, so frames are assembled across calls.
            for (size_t at = 0; at < samples.size(); at += 777)
                writer.write(samples.data() + at,
                             qint64(std::min<size_t>(777, samples.size() - at)));
            writer.finish();
            QCOMPARE(writer.framesWritten(), qint64(samples.size()));
        }
        AudioDecoder decoder(path(u"written.m4a"_s));
        QCOMPARE(decoder.format(), (AudioFormat{44100, 1}));
        // The encoder's priming is trimmed: the sound is where it was written.
        const auto decoded = readAll(decoder);
        QVERIFY2(std::abs(qint64(decoded.size()) - qint64(samples.size())) <= 1024,
                 qPrintable(QString::number(decoded.size())));
        QVERIFY2(rmsOf(decoded, samples) < 0.1 * rmsOf(samples),
                 qPrintable(QString::number(rmsOf(decoded, samples))));
    }

    void energyProfileMatchesTheSamples_data() {
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("frames");
        QTest::addColumn<int>("count"); // profile frames of 0.01 s
        // Long enough to span several read blocks; a last frame counts when more than half full.
        QTest::newRow("blocks, last frame counts") << 44100 << 1 << 44100 * 3 + 300 << 301;
        QTest::newRow("six channels, last dropped") << 22050 << 6 << 22050 + 50 << 100;
        QTest::newRow("last exactly half full") << 44100 << 1 << 1102 << 2;
        QTest::newRow("empty") << 44100 << 1 << 0 << 0;
    }

    // Noise read from a file against the profile computed on its samples in double precision.
    void energyProfileMatchesTheSamples() {
        QFETCH(int, rate);
        QFETCH(int, channels);
        QFETCH(int, frames);
        QFETCH(int, count);
        QRandomGenerator random{quint32(frames)};
        std::vector<float> samples(size_t(frames) * size_t(channels));
        for (float& sample : samples)
            sample = float(random.bounded(2.0) - 1.0) * 0.8f;
        const QString file =
            TestMedia::floatWav(path(u"%1.wav"_s.arg(frames)), rate, channels, samples);
        const EnergyProfile profile = EnergyProfile::read(file, 0.01);
        const int h = rate / 100;
        QCOMPARE(profile.frameDuration, double(h) / rate);
        QCOMPARE(profile.rms.size(), size_t(count));
        for (size_t i = 0; i < profile.rms.size(); ++i) {
            const auto from = samples.begin() + qsizetype(i) * h * channels;
            const auto to =
                samples.begin() + std::min<qsizetype>(qsizetype(i + 1) * h, frames) * channels;
            QVERIFY(std::abs(profile.rms[i] - rmsOf(std::vector<float>(from, to))) < 1e-6);
        }
    }

    void readingReportsProgressAndStops() {
        std::vector<double> fractions;
        EnergyProfile::read(m_tone, 0.01, {}, [&](double f) { fractions.push_back(f); });
        QVERIFY(fractions.size() >= 5 && std::is_sorted(fractions.begin(), fractions.end()));
        QCOMPARE(fractions.back(), 1.0);
        std::stop_source stop;
        QVERIFY_THROWS_EXCEPTION(OperationCancelled,
                                 EnergyProfile::read(m_tone, 0.01, stop.get_token(), [&](double f) {
                                     if (f > 0.3)
                                         stop.request_stop();
                                 }));
        // Odd frame durations still make whole-sample frames, never an empty one.
        QCOMPARE(EnergyProfile::read(m_tone, 0.0).frameDuration, 1.0 / 44100);
        QCOMPARE(EnergyProfile::read(m_tone, std::nan("")).rms.size(), size_t(5 * 44100));
        QCOMPARE(EnergyProfile::read(m_tone, 1000.0).rms.size(), size_t(0));
    }
};

QTEST_GUILESS_MAIN(AudioDecoderTest)
#include "AudioDecoderTest.moc"
