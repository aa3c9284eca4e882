#include "export/SessionExport.h"
#include "media/AudioDecoder.h"
#include "media/Loudness.h"
#include "video/FrameReader.h"

#include "TestMedia.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class ExportTest final : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    Session m_session;
    SessionStore m_store{m_folder.filePath(u"Sessions"_s)};

    QString out(const QString& name) const { return m_folder.filePath(u"out/"_s + name); }

    QString exported(SessionExport::Kind kind, bool hardOnly, const QString& folder,
                     std::stop_token stop = {}) const {
        return SessionExport::run(m_session, m_store, {kind, hardOnly, folder}, stop);
    }

private Q_SLOTS:
    void initTestCase() {
        // Quiet speech in an MP3, as podcasts come: far below the clips' loudness.
        const TestMedia::Speech speech =
            TestMedia::speech(m_folder.path(), u"talk.wav"_s,
                              {u"Good morning, everyone."_s, u"Tabs\tand <b>markup</b> & more."_s,
                               u"Thank you very much."_s},
                              0.8);
        const QString mp3 = TestMedia::convert(speech.path, m_folder.filePath(u"Talk – 1.mp3"_s),
                                               u"-af volume=-18dB -b:a 96k"_s.split(u' '));
        m_session.filePath = mp3;
        m_session.fileSize = QFileInfo(mp3).size();
        for (const TimeRange& range : speech.sentences)
            m_session.sentences.emplace_back(range.start, range.end, u"Sentence text"_s);
        m_session.sentences[1].text = u"Tabs\tand <b>markup</b> & more."_s;
        m_session.sentences[1].hard = true;
        m_session.sentences[2].text.reset();
        // A take of the hard sentence.
        const QString take = m_store.takeURL(m_session, m_session.sentences[1]);
        QDir().mkpath(QFileInfo(take).path());
        TestMedia::convert(speech.path, take, u"-t 1.5 -c:a aac"_s.split(u' '));
    }

    void ankiNotesAndClips() {
        const QString folder = exported(SessionExport::Kind::anki, false, out(u"anki"_s));
        QCOMPARE(QFileInfo(folder).fileName(), u"Talk – 1 – Anki"_s);
        QFile notes(folder + u"/notes.txt"_s);
        QVERIFY(notes.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(notes.readAll()).split(u'\n');
        QCOMPARE(lines.mid(0, 4),
                 QStringList({u"#separator:tab"_s, u"#html:true"_s,
                              u"#columns:Text\tAudio\tTake\tSource\tTags"_s, u"#tags column:5"_s}));
        QCOMPARE(lines.size(), 4 + 3 + 1); // a note a sentence, and the last line's end
        const QStringList hard = lines[5].split(u'\t');
        QCOMPARE(hard[0], u"Tabs and &lt;b&gt;markup&lt;/b&gt; &amp; more."_s);
        QCOMPARE(hard[4], u"quellin hard"_s);
        QVERIFY(lines[6].section(u'\t', 3, 3).startsWith(u"Talk – 1.mp3 0:"_s));

        static const QRegularExpression sound(u"\\[sound:([^\\]]+)\\]"_s);
        int clips = 0;
        for (size_t k = 0; k < 3; ++k)
            for (const auto& match : sound.globalMatch(lines[4 + qsizetype(k)])) {
                const QString clip = folder + u'/' + match.captured(1);
                QVERIFY2(QFileInfo::exists(clip), qPrintable(clip));
                ++clips;
                AudioDecoder decoder(clip);
                std::vector<float> samples(size_t(decoder.format().sampleRate) * 20);
                samples.resize(size_t(decoder.read(samples.data(), qint64(samples.size()))));
                const std::optional<double> loudness =
                    Loudness::integrated(samples, 1, decoder.format().sampleRate);
                QVERIFY2(loudness && std::abs(*loudness + 16) < 1,
                         qPrintable(u"%1: %2 LUFS"_s.arg(clip).arg(loudness.value_or(0))));
                // A sentence's clip holds it with its lead-in and lead-out, to the millisecond.
                const double expected = m_session.sentences[k].duration() + 0.2;
                const double seconds = double(samples.size()) / 44100;
                QVERIFY2(match.captured(1).endsWith(u"-take.mp3"_s) ||
                             std::abs(seconds - expected) < 0.001,
                         qPrintable(u"%1 s, not %2 s"_s.arg(seconds).arg(expected)));
            }
        QCOMPARE(clips, 4); // three sentences and one take
        // The loudness as ffmpeg's own meter reads it.
        const QByteArray meter =
            TestMedia::run(u"sh"_s, {u"-c"_s,
                                     u"ffmpeg -nostats -i \"$0\" -af ebur128 -f null - 2>&1 | grep "
                                     u"-A1 'Integrated loudness' | tail -1"_s,
                                     folder + u"/quellin-"_s + m_session.key() + u"-001.mp3"_s});
        QVERIFY2(std::abs(meter.simplified().split(' ').value(1).toDouble() + 16) < 1, meter);
    }

    // A video's cards show the picture at each sentence's start (frame n is gray 8·n).
    void ankiPictures() {
        Session video = m_session;
        video.filePath = TestMedia::videoOf(TestMedia::Picture::numbered, out(u"n.mp4"_s), 3,
                                            {u"-c:v"_s, u"libx264"_s});
        video.sentences = {{2.05, 2.9, u"Two"_s}};
        const QString folder = SessionExport::run(video, m_store, {{}, false, out(u"video"_s)});
        const QStringList lines =
            QString::fromUtf8(TestMedia::run(u"cat"_s, {folder + u"/notes.txt"_s})).split(u'\n');
        QCOMPARE(lines[2], u"#columns:Text\tAudio\tTake\tSource\tTags\tPicture"_s);
        const QString picture = lines[4].section(u'\t', 5).section(u'"', 1, 1);
        const VideoFrame frame = FrameReader(folder + u'/' + picture, 0, 0).frameAt(0);
        QCOMPARE((frame.rgba[size_t(frame.height / 2 * frame.width) * 4] + 4) / 8, 20);
    }

    void subtitlesAndClips() {
        for (const auto kind : {SessionExport::Kind::srt, SessionExport::Kind::vtt}) {
            const QString file = exported(kind, false, out(u"subtitles"_s));
            // ffmpeg's own demuxer reads every cue.
            const QByteArray packets =
                TestMedia::run(u"ffprobe"_s, {u"-v"_s, u"error"_s, u"-show_entries"_s,
                                              u"packet=pts_time"_s, u"-of"_s, u"csv=p=0"_s, file});
            QCOMPARE(packets.trimmed().split('\n').size(), 3);
        }
        QCOMPARE(QDir(out(u"subtitles"_s)).entryList(QDir::Files),
                 QStringList({u"Talk – 1.srt"_s, u"Talk – 1.vtt"_s}));
        QCOMPARE(
            QFileInfo(exported(SessionExport::Kind::srt, true, out(u"subtitles"_s))).fileName(),
            u"Talk – 1 2.srt"_s); // a second export never overwrites the first

        const QString clips = exported(SessionExport::Kind::clips, true, out(u"clips"_s));
        const QStringList names = QDir(clips).entryList(QDir::Files);
        QVERIFY2(names.size() == 1 && names[0].startsWith(u"002 at 0m"_s) &&
                     names[0].endsWith(u"s – Tabs and bmarkupb & more..mp3"_s),
                 qPrintable(names.join(u", ")));
    }

    void failuresLeaveNothing() {
        const QString blocker = TestMedia::textFile(out(u"file"_s), "x");
        QVERIFY_THROWS_EXCEPTION(SessionExport::ExportError,
                                 exported(SessionExport::Kind::anki, false, blocker + u"/in"_s));
        std::stop_source stop;
        stop.request_stop();
        QVERIFY_THROWS_EXCEPTION(OperationCancelled, exported(SessionExport::Kind::anki, false,
                                                              out(u"stopped"_s), stop.get_token()));
        QVERIFY(QDir(out(u"stopped"_s))
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                    .isEmpty());
        Session none = m_session;
        none.sentences.clear();
        QVERIFY_THROWS_EXCEPTION(SessionExport::ExportError,
                                 SessionExport::run(none, m_store, {{}, false, out(u"none"_s)}));
    }
};

QTEST_GUILESS_MAIN(ExportTest)
#include "ExportTest.moc"
