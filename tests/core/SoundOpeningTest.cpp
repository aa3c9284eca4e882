#include "media/SoundOpening.h"
#include "media/MediaError.h"

#include "TestMedia.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

MediaError errorOpening(const QString& path) {
    try {
        SoundOpening::open(path);
        return MediaError::failed(u"(opened)"_s);
    } catch (const MediaError& error) {
        return error;
    }
}

} // namespace

class SoundOpeningTest final : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_sound; // 3 s of tone, 44.1 kHz mono WAV

    QString media(const QString& name) const { return m_folder.filePath(u"media/"_s + name); }

private Q_SLOTS:
    void initTestCase() {
        m_sound = TestMedia::tone(m_folder.filePath(u"media"_s), u"sound.wav"_s, 3);
    }

    // Every file is read where it is, video or not, and nothing is written beside it or anywhere.
    // (AudioDecoderTest seeks in WebM and the other containers.)
    void readsEverySoundWhereItIs() {
        const QStringList files{
            m_sound,
            TestMedia::convert(m_sound, media(u"with cover.mp3"_s),
                               u"-f lavfi -i color=size=32x32:duration=0.1 -map 0:a -map 1:v "
                               u"-frames:v 1 -c:v png -disposition:v attached_pic"_s.split(u' ')),
            TestMedia::convert(m_sound, media(u"Übung für Anfänger – 1.m4a"_s)),
            TestMedia::convert(m_sound, media(u"sound only.mp4"_s)),
            TestMedia::video(media(u"clip.mp4"_s), m_sound, 3),
            TestMedia::video(media(u"clip.mkv"_s), m_sound, 3)};
        const QStringList before = QDir(media(QString())).entryList(QDir::Files);
        for (const QString& file : files) {
            const OpenedSound sound = SoundOpening::open(file);
            QCOMPARE(sound.playable, file);
            QVERIFY2(std::abs(sound.profile.duration() - 3) < 0.1, qPrintable(file));
        }
        QCOMPARE(QDir(media(QString())).entryList(QDir::Files), before);
    }

    void reportsFilesThatCannotBeUsed() {
        const QString mp4 = TestMedia::video(media(u"to cut.mp4"_s), m_sound, 3);
        QCOMPARE(errorOpening(TestMedia::video(media(u"mute.mp4"_s), {}, 1)),
                 MediaError::noAudio());
        QCOMPARE(
            errorOpening(TestMedia::convert(m_sound, media(u"empty.wav"_s), {u"-t"_s, u"0"_s})),
            MediaError::noAudio());
        QCOMPARE(
            errorOpening(TestMedia::truncated(mp4, media(u"cut.mp4"_s), QFileInfo(mp4).size() / 2)),
            MediaError::unreadable());
        QCOMPARE(errorOpening(media(u"gone.wav"_s)),
                 MediaError::failed(u"The file doesn’t exist."_s));
    }
};

QTEST_GUILESS_MAIN(SoundOpeningTest)
#include "SoundOpeningTest.moc"
