#include "media/AudioDecoder.h"
#include "media/AacWriter.h"
#include "media/MediaError.h"

#include "TestMedia.h"

extern "C" {
#include <libavformat/avio.h>
#include <libavutil/mem.h>
}

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <numbers>

namespace {

std::vector<float> readAll(AudioDecoder& decoder) {
    const int channels = decoder.format().channels;
    std::vector<float> all;
    std::vector<float> block(size_t(1000) * size_t(channels));
    while (const qint64 got = decoder.read(block.data(), 1000))
        all.insert(all.end(), block.begin(), block.begin() + got * channels);
    return all;
}

// A rising chirp: any misplaced sample shows as a large difference.
std::vector<float> chirp(int rate, int channels, qint64 frames) {
    std::vector<float> samples(size_t(frames) * size_t(channels));
    for (qint64 i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        for (int c = 0; c < channels; ++c)
            samples[size_t(i * channels + c)] =
                float(0.4 * std::sin(2 * std::numbers::pi * (300 + 400 * t) * t + c));
    }
    return samples;
}

double rms(const std::vector<float>& samples, size_t from = 0, size_t to = SIZE_MAX) {
    to = std::min(to, samples.size());
    double sum = 0;
    for (size_t i = from; i < to; ++i)
        sum += double(samples[i]) * samples[i];
    return to > from ? std::sqrt(sum / double(to - from)) : 0;
}

MediaError openError(const QString& path) {
    try {
        AudioDecoder decoder(path);
        std::vector<float> block(size_t(4096) * size_t(decoder.format().channels));
        while (decoder.read(block.data(), 4096) > 0) {
        }
    } catch (const MediaError& error) {
        return error;
    }
    return MediaError::failed(QStringLiteral("(opened)"));
}

// A disk that fails part-way: it reads the file (as a stream) until it has handed out `bytes`
// bytes, then every read fails with EIO.
class FailingDisk {
public:
    FailingDisk(const QString& path, qint64 bytes) : m_file(path), m_left(bytes) {
        QVERIFY(m_file.open(QIODevice::ReadOnly));
        auto* buffer = static_cast<unsigned char*>(av_malloc(4096));
        m_reader = avio_alloc_context(buffer, 4096, 0, this, &read, nullptr, nullptr);
    }
    ~FailingDisk() {
        av_freep(&m_reader->buffer);
        avio_context_free(&m_reader);
    }
    AVIOContext* reader() const { return m_reader; }

private:
    static int read(void* opaque, uint8_t* buffer, int size) {
        auto* disk = static_cast<FailingDisk*>(opaque);
        if (disk->m_left <= 0)
            return AVERROR(EIO);
        const qint64 got = disk->m_file.read(reinterpret_cast<char*>(buffer),
                                             std::min<qint64>(size, disk->m_left));
        disk->m_left -= got;
        return got > 0 ? int(got) : AVERROR_EOF;
    }

    QFile m_file;
    qint64 m_left;
    AVIOContext* m_reader = nullptr;
};

} // namespace

class AudioDecoderTest final : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    QString path(const QString& name) const { return m_folder.filePath(name); }

private Q_SLOTS:
    void decodesTheStreamsOwnFormatExactly() {
        const auto samples = chirp(48000, 2, 30000);
        const QString wav =
            TestMedia::floatWav(path(QStringLiteral("exact.wav")), 48000, 2, samples);
        AudioDecoder decoder(wav);
        QCOMPARE(decoder.format(), (AudioFormat{48000, 2}));
        QCOMPARE(decoder.sourceFormat(), (AudioFormat{48000, 2}));
        QCOMPARE(decoder.lengthFrames(), std::optional<qint64>(30000));
        QVERIFY(!decoder.hasVideo());
        QCOMPARE(readAll(decoder), samples);
        QCOMPARE(decoder.position(), qint64(30000));
        QCOMPARE(decoder.read(nullptr, 10), qint64(0));
    }

    void seeksToTheSample() {
        const auto samples = chirp(44100, 1, 44100 * 6);
        const QString wav =
            TestMedia::floatWav(path(QStringLiteral("seek.wav")), 44100, 1, samples);
        QStringList files{wav};
        files << TestMedia::convert(wav, path(QStringLiteral("seek.flac")))
              << TestMedia::convert(wav, path(QStringLiteral("seek.mp3")),
                                    {QStringLiteral("-b:a"), QStringLiteral("192k")})
              << TestMedia::convert(wav, path(QStringLiteral("seek.m4a")),
                                    {QStringLiteral("-b:a"), QStringLiteral("192k")})
              << TestMedia::convert(wav, path(QStringLiteral("seek.ogg")),
                                    {QStringLiteral("-c:a"), QStringLiteral("libvorbis")});
        for (const QString& file : files) {
            AudioDecoder sequential(file);
            const auto reference = readAll(sequential);
            QVERIFY2(reference.size() > 44100 * 5, qPrintable(file));
            AudioDecoder decoder(file);
            // Backwards, forwards, a short hop and the very start.
            for (const qint64 target : {qint64(200000), qint64(44100), qint64(100003),
                                        qint64(110000), qint64(0), qint64(250000)}) {
                decoder.seek(target);
                QCOMPARE(decoder.position(), target);
                std::vector<float> got(2048);
                QCOMPARE(decoder.read(got.data(), 2048), qint64(2048));
                double worst = 0;
                for (size_t i = 0; i < got.size(); ++i)
                    worst =
                        std::max(worst, double(std::abs(got[i] - reference[size_t(target) + i])));
                QVERIFY2(
                    worst < 2e-3,
                    qPrintable(
                        QStringLiteral("%1 at %2: off by %3").arg(file).arg(target).arg(worst)));
            }
            decoder.seek(qint64(reference.size()) + 10);
            float sample = 0;
            QCOMPARE(decoder.read(&sample, 1), qint64(0));
        }
        // The lossless copies decode to the very samples written (16-bit FLAC: within a step).
        AudioDecoder flac(files[1]);
        const auto decoded = readAll(flac);
        QCOMPARE(decoded.size(), samples.size());
        for (size_t i = 0; i < samples.size(); i += 97)
            QVERIFY(std::abs(decoded[i] - samples[i]) < 1.0f / 16384);
    }

    void convertsRateAndMixesChannels() {
        // Left a tone, right silent: the mono mix is their average, at half the amplitude.
        std::vector<float> stereo(size_t(48000) * 2);
        for (size_t i = 0; i < 48000; ++i)
            stereo[2 * i] = float(0.6 * std::sin(2 * std::numbers::pi * 440 * double(i) / 48000));
        const QString wav = TestMedia::floatWav(path(QStringLiteral("lr.wav")), 48000, 2, stereo);
        AudioDecoder decoder(wav, AudioFormat{44100, 1});
        QCOMPARE(decoder.format(), (AudioFormat{44100, 1}));
        QCOMPARE(decoder.sourceFormat(), (AudioFormat{48000, 2}));
        QCOMPARE(decoder.lengthFrames(), std::optional<qint64>(44100));
        const auto mono = readAll(decoder);
        QVERIFY(std::abs(qint64(mono.size()) - 44100) <= 2);
        const double expected = 0.3 / std::sqrt(2.0);
        QVERIFY2(std::abs(rms(mono, 1000, 43000) - expected) < 0.003,
                 qPrintable(QString::number(rms(mono, 1000, 43000))));
    }

    void refusesWhatIsNotAudio() {
        const QString tone = TestMedia::tone(m_folder.path(), QStringLiteral("tone.wav"), 2);
        const QString mp4 = TestMedia::video(path(QStringLiteral("with sound.mp4")), tone, 2);
        const auto unreadable = MediaError::unreadable();

        QCOMPARE(openError(TestMedia::textFile(path(QStringLiteral("empty.mp3")), {})), unreadable);
        QCOMPARE(openError(
                     TestMedia::textFile(path(QStringLiteral("notes.mp3")),
                                         QByteArray("Shopping list:\nbread\nmilk\n").repeated(50))),
                 unreadable);
        QCOMPARE(openError(TestMedia::truncated(mp4, path(QStringLiteral("cut.mp4")), 3000)),
                 unreadable);
        QCOMPARE(openError(TestMedia::video(path(QStringLiteral("silent.mp4")), {}, 1)),
                 MediaError::noAudio());
        QCOMPARE(openError(path(QStringLiteral("missing.wav"))).kind(), MediaError::Kind::failed);
        QCOMPARE(openError(path(QStringLiteral("missing.wav"))).description(),
                 QStringLiteral("The file doesn’t exist."));
        QVERIFY(openError(m_folder.path()).kind() != MediaError::Kind::noAudio);

        // A video's sound decodes, and the decoder says that there is a picture too.
        AudioDecoder video(mp4);
        QVERIFY(video.hasVideo());
        QVERIFY(std::abs(double(readAll(video).size()) - 88200) < 2048);
        // A truncated MP3 decodes as far as it goes.
        const QString mp3 = TestMedia::convert(tone, path(QStringLiteral("whole.mp3")));
        AudioDecoder cut(
            TestMedia::truncated(mp3, path(QStringLiteral("cut.mp3")), QFileInfo(mp3).size() / 2));
        const double seconds = double(readAll(cut).size()) / 44100;
        QVERIFY2(seconds > 0.8 && seconds < 1.2, qPrintable(QString::number(seconds)));
    }

    void reportsADiskThatFailsPartWay() {
        const QString wav = TestMedia::tone(m_folder.path(), QStringLiteral("disk.wav"), 3);
        for (const QString& file : {wav, TestMedia::convert(wav, path(QStringLiteral("disk.mp3"))),
                                    TestMedia::video(path(QStringLiteral("disk.mkv")), wav, 3)}) {
            // Past the first samples, a failing read is the disk's failure, not the file's end.
            FailingDisk disk(file, QFileInfo(file).size() / 2);
            try {
                AudioDecoder decoder(disk.reader());
                readAll(decoder);
                QFAIL(qPrintable(file + QStringLiteral(": the sound ended quietly")));
            } catch (const MediaError& error) {
                QCOMPARE(error.description(),
                         QStringLiteral("The file couldn’t be read (Input/output error)."));
            }
        }
    }

    void writesAacThatDecodesToTheSameSound() {
        const auto samples = chirp(44100, 1, 44100 * 2 + 123);
        const QString m4a = path(QStringLiteral("written.m4a"));
        {
            AacWriter writer(m4a);
            // Uneven blocks, so frames are assembled across calls.
            for (size_t at = 0; at < samples.size(); at += 777)
                writer.write(samples.data() + at,
                             qint64(std::min<size_t>(777, samples.size() - at)));
            writer.finish();
            QCOMPARE(writer.framesWritten(), qint64(samples.size()));
        }
        AudioDecoder decoder(m4a);
        QCOMPARE(decoder.format(), (AudioFormat{44100, 1}));
        const auto decoded = readAll(decoder);
        // The encoder's priming is trimmed: the sound is where it was written.
        QVERIFY2(std::abs(qint64(decoded.size()) - qint64(samples.size())) <= 1024,
                 qPrintable(QString::number(decoded.size())));
        std::vector<float> difference(std::min(decoded.size(), samples.size()));
        for (size_t i = 0; i < difference.size(); ++i)
            difference[i] = decoded[i] - samples[i];
        QVERIFY2(rms(difference) < 0.1 * rms(samples),
                 qPrintable(QString::number(rms(difference))));

        // Stereo at another rate works as well.
        const QString stereo = path(QStringLiteral("stereo.m4a"));
        {
            AacWriter writer(stereo, {48000, 2}, 96000);
            const auto two = chirp(48000, 2, 48000);
            writer.write(two.data(), 48000);
            writer.finish();
        }
        AudioDecoder stereoDecoder(stereo);
        QCOMPARE(stereoDecoder.format(), (AudioFormat{48000, 2}));

        // An unfinished file is not a usable sound track.
        const QString unfinished = path(QStringLiteral("unfinished.m4a"));
        {
            AacWriter writer(unfinished);
            writer.write(samples.data(), 44100);
        }
        QVERIFY(QFile::exists(unfinished));
        QCOMPARE(openError(unfinished), MediaError::unreadable());

        // A folder that does not exist.
        try {
            AacWriter writer(path(QStringLiteral("no/such/folder/x.m4a")));
            QFAIL("writing into a missing folder succeeded");
        } catch (const MediaError& error) {
            QCOMPARE(error.description(),
                     QStringLiteral("The sound track couldn’t be saved. The file doesn’t exist."));
        }
    }

    void stopsWhenAsked() {
        const QString wav = TestMedia::tone(m_folder.path(), QStringLiteral("long.wav"), 3);
        std::stop_source stop;
        AudioDecoder decoder(wav, AudioFormat{22050, 1}, stop.get_token());
        std::vector<float> block(1000);
        QCOMPARE(decoder.read(block.data(), 1000), qint64(1000));
        stop.request_stop();
        QVERIFY_THROWS_EXCEPTION(OperationCancelled, decoder.read(block.data(), 1000));
    }
};

QTEST_GUILESS_MAIN(AudioDecoderTest)
#include "AudioDecoderTest.moc"
