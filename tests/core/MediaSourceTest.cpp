#include "media/MediaSource.h"
#include "media/AudioDecoder.h"
#include "media/MediaError.h"
#include "media/StableHash.h"

#include "TestMedia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <sys/file.h>

#include <array>
#include <cstdio>
#include <thread>

namespace {

QDateTime modified(const QString& path) {
    return QFileInfo(path).fileTime(QFileDevice::FileModificationTime);
}

// Sets a file's modification time into the past, so that rewriting it shows for certain.
void backdate(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC),
                             QFileDevice::FileModificationTime));
}

MediaError errorOpening(const QString& path, const QString& cache) {
    try {
        const QString playable = MediaSource::playableAudio(path, cache);
        return MediaError::failed(QStringLiteral("(played as %1)").arg(playable));
    } catch (const MediaError& error) {
        return error;
    }
}

} // namespace

class MediaSourceTest final : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_media; // test media, made once
    QString m_sound; // 3 s of speech-like sound, 44.1 kHz mono WAV

    QString media(const QString& name) const { return QDir(m_media).filePath(name); }
    QString freshCache() const {
        static int count = 0;
        return m_folder.filePath(QStringLiteral("cache%1/Quellin/Audio").arg(++count));
    }
    QStringList cacheContents(const QString& cache) const {
        return QDir(cache).entryList(QDir::Files);
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_folder.isValid());
        m_media = m_folder.filePath(QStringLiteral("media"));
        m_sound =
            TestMedia::speech(
                m_media, QStringLiteral("sound.wav"),
                {QStringLiteral("Good morning."), QStringLiteral("Where is the station?")}, 0.4)
                .path;
    }

    void playsAudioFilesInPlace() {
        QStringList files{
            m_sound,
            TestMedia::convert(m_sound, media(QStringLiteral("sound.mp3")),
                               {QStringLiteral("-b:a"), QStringLiteral("128k")}),
            TestMedia::mp3WithCover(m_sound, media(QStringLiteral("with cover.mp3"))),
            // An .m4a is an MP4 by its contents, but named as sound it plays in place.
            TestMedia::convert(m_sound, media(QStringLiteral("sound.m4a"))),
            TestMedia::convert(m_sound,
                               media(QStringLiteral("Übung für Anfänger – Lektion 1.mp3"))),
            // Sound alone in a container that usually holds video plays in place too.
            TestMedia::convert(m_sound, media(QStringLiteral("sound only.mkv")),
                               {QStringLiteral("-c:a"), QStringLiteral("flac")}),
        };
        const QString cache = freshCache();
        for (const QString& file : files) {
            QCOMPARE(MediaSource::playableAudio(file, cache), file);
            QVERIFY2(MediaSource::opensAsAudio(file), qPrintable(file));
        }
        QVERIFY2(!QFileInfo::exists(cache), "nothing was extracted, so no cache folder either");
    }

    void extractsEachVideoOnceAndReusesIt() {
        const QString cache = freshCache();
        const QStringList videos{
            // Named as video, named so in capitals, and known as video by its picture.
            TestMedia::video(media(QStringLiteral("clip.mp4")), m_sound, 3),
            TestMedia::video(media(QStringLiteral("clip.MOV")), m_sound, 3),
            TestMedia::video(media(QStringLiteral("clip.mkv")), m_sound, 3),
            // An .mp4 with only a sound track is still extracted.
            TestMedia::convert(m_sound, media(QStringLiteral("sound only.mp4"))),
        };
        QStringList extracted;
        for (const QString& video : videos) {
            const QString playable = MediaSource::playableAudio(video, cache);
            const QString name = StableHash::hex(video + QStringLiteral("|") +
                                                 QString::number(QFileInfo(video).size())) +
                                 QStringLiteral(".m4a");
            QCOMPARE(playable, QDir(cache).filePath(name));
            AudioDecoder decoder(playable);
            QCOMPARE(decoder.format(), (AudioFormat{44100, 1}));
            QVERIFY(!decoder.hasVideo());
            QVERIFY2(
                std::abs(decoder.durationSeconds() - TestMedia::duration(m_sound)) < 0.1,
                qPrintable(QStringLiteral("%1: %2 s").arg(video).arg(decoder.durationSeconds())));
            extracted << playable;
        }
        QCOMPARE(cacheContents(cache).size(), videos.size()); // and no partial files

        // A second open reuses each extraction without writing it again.
        for (const QString& file : extracted)
            backdate(file);
        for (int i = 0; i < videos.size(); ++i) {
            QCOMPARE(MediaSource::playableAudio(videos[i], cache), extracted[i]);
            QCOMPARE(modified(extracted[i]).date(), QDate(2001, 2, 3));
        }

        // The same path holding a file of another size gets a cache file of its own.
        TestMedia::video(videos[0], m_sound, 2);
        const QString replaced = MediaSource::playableAudio(videos[0], cache);
        QVERIFY(replaced != extracted[0]);
        QVERIFY(QFileInfo::exists(replaced) && QFileInfo::exists(extracted[0]));
        QVERIFY(std::abs(AudioDecoder(replaced).durationSeconds() - 2) < 0.1);

        // A cached file that no longer opens is extracted again over the damaged one.
        TestMedia::textFile(extracted[1], "damaged");
        QCOMPARE(MediaSource::playableAudio(videos[1], cache), extracted[1]);
        QVERIFY(MediaSource::opensAsAudio(extracted[1]));
    }

    void reportsFilesThatCannotBeUsed() {
        const QString cache = freshCache();
        const QString mp3 = TestMedia::convert(m_sound, media(QStringLiteral("whole.mp3")));
        const QString mp4 = TestMedia::video(media(QStringLiteral("to cut.mp4")), m_sound, 3);
        const auto noAudio = MediaError::noAudio();
        const auto unreadable = MediaError::unreadable();

        QCOMPARE(errorOpening(TestMedia::video(media(QStringLiteral("mute.mp4")), {}, 1), cache),
                 noAudio);
        QCOMPARE(errorOpening(TestMedia::textFile(media(QStringLiteral("zero.mp3")), {}), cache),
                 unreadable);
        QCOMPARE(errorOpening(TestMedia::truncated(mp4, media(QStringLiteral("cut.mp4")),
                                                   QFileInfo(mp4).size() / 2),
                              cache),
                 unreadable);
        const MediaError missing = errorOpening(media(QStringLiteral("gone.wav")), cache);
        QCOMPARE(missing.kind(), MediaError::Kind::failed);
        QCOMPARE(missing.description(), QStringLiteral("The file doesn’t exist."));
        QVERIFY2(cacheContents(cache).isEmpty(), qPrintable(cacheContents(cache).join(u',')));

        // Half an MP3 plays in place: what is there decodes.
        const QString half =
            TestMedia::truncated(mp3, media(QStringLiteral("half.mp3")), QFileInfo(mp3).size() / 2);
        QCOMPARE(MediaSource::playableAudio(half, cache), half);

        // A cache folder that cannot be made.
        const QString blocker = TestMedia::textFile(m_folder.filePath(QStringLiteral("file")), "x");
        const MediaError folder =
            errorOpening(mp4, QDir(blocker).filePath(QStringLiteral("Audio")));
        QVERIFY(folder.description().startsWith(
            QStringLiteral("The folder for converted sound tracks couldn’t be created")));
    }

    void extractionReplacesStaleFilesAndReportsProgress() {
        const QString video = TestMedia::video(media(QStringLiteral("progress.mkv")), m_sound, 3);
        const QDir out(m_folder.filePath(QStringLiteral("out")));
        const QString to = out.filePath(QStringLiteral("x.m4a"));
        QVERIFY(out.mkpath(QStringLiteral(".")));
        TestMedia::textFile(to, "old");
        // A crash left one partial file; an extraction still running holds the other.
        backdate(TestMedia::textFile(out.filePath(QStringLiteral("x.1.partial.m4a")), "crashed"));
        QFile running(TestMedia::textFile(out.filePath(QStringLiteral("x.2.partial.m4a")), "…"));
        backdate(running.fileName());
        QVERIFY(running.open(QIODevice::ReadOnly) && ::flock(running.handle(), LOCK_EX) == 0);

        std::vector<double> fractions;
        MediaSource::extractAudio(video, to, {}, [&](double f) { fractions.push_back(f); });
        QVERIFY(MediaSource::opensAsAudio(to));
        QCOMPARE(out.entryList(QDir::Files), QStringList({"x.2.partial.m4a", "x.m4a"}));
        QVERIFY(fractions.size() >= 2);
        QVERIFY(std::is_sorted(fractions.begin(), fractions.end()));
        QCOMPARE(fractions.back(), 1.0);
    }

    void extractionsAtOnceShareOneTrack() {
        // Two processes (the window and quellin-cli, say) open the same video at the same moment.
        const QString video = TestMedia::longVideo(media(QStringLiteral("shared.mkv")), 60);
        const QString cache = freshCache();
        std::array<QProcess, 2> openers;
        for (QProcess& opener : openers) {
            opener.start(QCoreApplication::applicationFilePath(),
                         {QStringLiteral("--open"), video, cache});
            QVERIFY(opener.waitForStarted());
        }
        for (QProcess& opener : openers) {
            opener.write("go\n");
            QVERIFY(opener.waitForBytesWritten());
        }
        const QString cached = QDir(cache).filePath(MediaSource::cacheName(video));
        for (QProcess& opener : openers) {
            QVERIFY(opener.waitForFinished(120000));
            QVERIFY2(opener.exitCode() == 0, opener.readAllStandardError().constData());
            QCOMPARE(QString::fromUtf8(opener.readAllStandardOutput().trimmed()), cached);
        }
        QCOMPARE(cacheContents(cache), QStringList(MediaSource::cacheName(video)));
        QVERIFY(std::abs(AudioDecoder(cached).durationSeconds() - 60) < 0.1);
    }

    void cancellingExtractionStopsPromptly() {
        // Two hours of sound under a tiny picture.
        const QString video = media(QStringLiteral("two hours.mkv"));
        TestMedia::longVideo(video, 7200);
        const QString to = m_folder.filePath(QStringLiteral("cancelled/x.m4a"));
        QDir().mkpath(QFileInfo(to).path());

        std::stop_source stop;
        std::atomic<double> reached = 0;
        std::atomic<bool> cancelled = false;
        std::jthread worker([&] {
            try {
                MediaSource::extractAudio(video, to, stop.get_token(),
                                          [&](double f) { reached = f; });
            } catch (const OperationCancelled&) {
                cancelled = true;
            }
        });
        while (reached < 0.002)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        stop.request_stop();
        worker.join();
        // Stopped long before the end (bench_open measures how soon).
        QVERIFY(cancelled);
        QVERIFY(reached < 0.5);
        QVERIFY(QDir(QFileInfo(to).path()).isEmpty());
    }
};

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    // A child of extractionsAtOnceShareOneTrack: opens a file once told to go.
    if (argc == 4 && qstrcmp(argv[1], "--open") == 0) {
        QTextStream(stdin).readLine();
        try {
            std::puts(qPrintable(MediaSource::playableAudio(argv[2], argv[3])));
            return 0;
        } catch (const std::exception& error) {
            std::fputs(error.what(), stderr);
            return 1;
        }
    }
    MediaSourceTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "MediaSourceTest.moc"
