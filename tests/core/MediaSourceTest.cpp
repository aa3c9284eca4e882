#include "media/MediaSource.h"
#include "media/AudioDecoder.h"
#include "media/MediaError.h"

#include "TestMedia.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <sys/file.h>

#include <array>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

const QDate longAgo(2001, 2, 3);

// Sets a file's modification time into the past, so that rewriting it shows for certain.
QString backdated(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) ||
        !file.setFileTime(QDateTime(longAgo, QTime(4, 5), Qt::UTC),
                          QFileDevice::FileModificationTime))
        QTest::qFail("cannot backdate", __FILE__, __LINE__);
    return path;
}

MediaError errorOpening(const QString& path, const QString& cache) {
    try {
        return MediaError::failed(u"(played as %1)"_s.arg(MediaSource::playableAudio(path, cache)));
    } catch (const MediaError& error) {
        return error;
    }
}

} // namespace

class MediaSourceTest final : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_sound; // 3 s of tone, 44.1 kHz mono WAV

    QString media(const QString& name) const { return m_folder.filePath(u"media/"_s + name); }
    QString freshCache() const {
        static int count = 0;
        return m_folder.filePath(u"cache%1/Quellin/Audio"_s.arg(++count));
    }

private Q_SLOTS:
    void initTestCase() {
        m_sound = TestMedia::tone(m_folder.filePath(u"media"_s), u"sound.wav"_s, 3);
    }

    void playsAudioFilesInPlace() {
        const QString cache = freshCache();
        for (const QString& file :
             {m_sound,
              TestMedia::convert(
                  m_sound, media(u"with cover.mp3"_s),
                  u"-f lavfi -i color=size=32x32:duration=0.1 -map 0:a -map 1:v -frames:v 1 "
                  u"-c:v png -disposition:v attached_pic"_s.split(u' ')),
              // An .m4a is an MP4 by its contents, but named as sound it plays in place.
              TestMedia::convert(m_sound, media(u"Übung für Anfänger – 1.m4a"_s)),
              // Sound alone in a container that usually holds video plays in place too.
              TestMedia::convert(m_sound, media(u"sound only.mkv"_s), {u"-c:a"_s, u"flac"_s})})
            QCOMPARE(MediaSource::playableAudio(file, cache), file);
        QVERIFY2(!QFileInfo::exists(cache), "nothing was extracted, so no cache folder either");
    }

    void extractsEachVideoOnceAndReusesIt() {
        const QString cache = freshCache();
        // Named as video, named so in capitals, known as video by its picture, and an .mp4 with
        // only a sound track.
        const QStringList videos{TestMedia::video(media(u"clip.mp4"_s), m_sound, 3),
                                 TestMedia::video(media(u"clip.MOV"_s), m_sound, 3),
                                 TestMedia::video(media(u"clip.mkv"_s), m_sound, 3),
                                 TestMedia::convert(m_sound, media(u"sound only.mp4"_s))};
        QStringList extracted;
        for (const QString& video : videos) {
            extracted << MediaSource::playableAudio(video, cache);
            QCOMPARE(extracted.last(), QDir(cache).filePath(MediaSource::cacheName(video)));
            AudioDecoder decoder(backdated(extracted.last()));
            QCOMPARE(decoder.format(), (AudioFormat{44100, 1}));
            QVERIFY(!decoder.hasVideo());
            QVERIFY(std::abs(decoder.durationSeconds() - 3) < 0.1);
        }
        QCOMPARE(QDir(cache).entryList(QDir::Files).size(), videos.size()); // no partial files

        // A second open reuses each extraction without writing it again.
        for (int i = 0; i < videos.size(); ++i) {
            QCOMPARE(MediaSource::playableAudio(videos[i], cache), extracted[i]);
            QCOMPARE(QFileInfo(extracted[i]).lastModified().date(), longAgo);
        }
        // The same path holding a file of another size gets a cache file of its own; a cached
        // file that no longer opens is extracted again over the damaged one.
        TestMedia::video(videos[0], m_sound, 2);
        const QString replaced = MediaSource::playableAudio(videos[0], cache);
        QVERIFY(replaced != extracted[0] && QFileInfo::exists(extracted[0]));
        QVERIFY(std::abs(AudioDecoder(replaced).durationSeconds() - 2) < 0.1);
        TestMedia::textFile(extracted[1], "damaged");
        QCOMPARE(MediaSource::playableAudio(videos[1], cache), extracted[1]);
        QVERIFY(MediaSource::opensAsAudio(extracted[1]));
    }

    void reportsFilesThatCannotBeUsed() {
        const QString cache = freshCache();
        const QString mp4 = TestMedia::video(media(u"to cut.mp4"_s), m_sound, 3);
        QCOMPARE(errorOpening(TestMedia::video(media(u"mute.mp4"_s), {}, 1), cache),
                 MediaError::noAudio());
        QCOMPARE(
            errorOpening(TestMedia::truncated(mp4, media(u"cut.mp4"_s), QFileInfo(mp4).size() / 2),
                         cache),
            MediaError::unreadable());
        QCOMPARE(errorOpening(media(u"gone.wav"_s), cache),
                 MediaError::failed(u"The file doesn’t exist."_s));
        QVERIFY(QDir(cache).isEmpty());
        const QString blocker = TestMedia::textFile(m_folder.filePath(u"file"_s), "x");
        QVERIFY(errorOpening(mp4, blocker + u"/Audio"_s)
                    .description()
                    .startsWith(u"The folder for converted sound tracks couldn’t be created"_s));
    }

    void extractionReplacesStaleFilesReportsProgressAndStops() {
        const QString video = TestMedia::video(media(u"progress.mkv"_s), m_sound, 3);
        const QDir out(m_folder.filePath(u"out"_s));
        const QString to = TestMedia::textFile(out.filePath(u"x.m4a"_s), "old");
        // A crash left one partial file; an extraction still running holds the other.
        backdated(TestMedia::textFile(out.filePath(u"x.1.partial.m4a"_s), "crashed"));
        QFile running(backdated(TestMedia::textFile(out.filePath(u"x.2.partial.m4a"_s), "…")));
        QVERIFY(running.open(QIODevice::ReadOnly) && ::flock(running.handle(), LOCK_EX) == 0);

        std::vector<double> fractions;
        MediaSource::extractAudio(video, to, {}, [&](double f) { fractions.push_back(f); });
        QVERIFY(MediaSource::opensAsAudio(to));
        QCOMPARE(out.entryList(QDir::Files), QStringList({"x.2.partial.m4a", "x.m4a"}));
        QVERIFY(fractions.size() >= 2 && std::is_sorted(fractions.begin(), fractions.end()));
        QCOMPARE(fractions.back(), 1.0);

        // Stopped at its first progress, an extraction ends there and leaves nothing behind.
        running.remove();
        QFile::remove(to);
        std::stop_source stop;
        double reached = 0;
        QVERIFY_THROWS_EXCEPTION(
            OperationCancelled,
            MediaSource::extractAudio(TestMedia::longVideo(media(u"long.mkv"_s), 600), to,
                                      stop.get_token(), [&](double f) {
                                          reached = f;
                                          stop.request_stop();
                                      }));
        QVERIFY(reached < 0.5);
        QVERIFY(out.isEmpty());
    }

    void extractionsAtOnceShareOneTrack() {
        // Two processes (the window and quellin-cli, say) open the same video at the same moment.
        const QString video = TestMedia::longVideo(media(u"shared.mkv"_s), 60);
        const QString cache = freshCache();
        std::array<QProcess, 2> openers;
        for (QProcess& opener : openers) {
            opener.start(QCoreApplication::applicationFilePath(), {u"--open"_s, video, cache});
            QVERIFY(opener.waitForStarted());
        }
        for (QProcess& opener : openers)
            opener.write("go\n");
        const QString cached = QDir(cache).filePath(MediaSource::cacheName(video));
        for (QProcess& opener : openers) {
            QVERIFY(opener.waitForFinished(120000));
            QVERIFY2(opener.exitCode() == 0, opener.readAllStandardError().constData());
            QCOMPARE(QString::fromUtf8(opener.readAllStandardOutput().trimmed()), cached);
        }
        QCOMPARE(QDir(cache).entryList(QDir::Files), QStringList(MediaSource::cacheName(video)));
        QVERIFY(std::abs(AudioDecoder(cached).durationSeconds() - 60) < 0.1);
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
