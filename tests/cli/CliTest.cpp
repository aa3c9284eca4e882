#include "SentenceOutput.h"

#include "export/SubtitleFiles.h"

#include "TestMedia.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class CliTest final : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    TestMedia::Speech m_speech;
    struct Run {
        int status = -1;
        QByteArray out;
        QString err;
    };

    QString cache() const { return m_folder.filePath(u"xdg-cache"_s); }
    QString config() const { return m_folder.filePath(u"xdg-config"_s); }

    Run cli(const QStringList& arguments) const {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_CACHE_HOME"_s, cache());
        environment.insert(u"XDG_CONFIG_HOME"_s, config());
        process.setProcessEnvironment(environment);
        process.start(qEnvironmentVariable("QUELLIN_CLI"), arguments);
        if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
            return {};
        return {process.exitCode(), process.readAllStandardOutput(),
                QString::fromUtf8(process.readAllStandardError())};
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(!qEnvironmentVariable("QUELLIN_CLI").isEmpty());
        m_speech = TestMedia::speech(
            m_folder.filePath(u"media"_s), u"four sentences.wav"_s,
            {u"Good morning, how are you today?"_s,
             u"The weather is lovely, so let us go for a walk in the park."_s,
             u"I would like a cup of tea."_s, u"See you tomorrow at the station."_s},
            0.6);
    }

    // The window's saved language is used when none is given. No German model is installed in
    // the tests' data folder: the pause split stands, with a notice.
    void findsOneRangePerSentence() {
        TestMedia::textFile(config() + u"/Quellin/Quellin.conf"_s, "[General]\nlanguage=de-DE\n");
        const Run run = cli({u"sentences"_s, m_speech.path, u"--format"_s, u"json"_s});
        QCOMPARE(run.status, 0);
        const QJsonObject result = QJsonDocument::fromJson(run.out).object();
        QCOMPARE(result.value(u"method").toObject(), SplitMethod::pauses().toJson());
        QVERIFY(result.value(u"notice").toString().startsWith(
            u"On-device recognition for German (Germany) isn’t on this computer."_s));
        QVERIFY(std::abs(result.value(u"duration").toDouble() -
                         TestMedia::duration(m_speech.path)) < 0.02);
        const QJsonArray sentences = result.value(u"sentences").toArray();
        QCOMPARE(sentences.size(), qsizetype(m_speech.sentences.size()));
        for (qsizetype i = 0; i < sentences.size(); ++i) {
            // Each range holds its sentence (with the splitter's padding) and no other.
            const Sentence sentence = Sentence::fromJson(sentences[i]);
            const TimeRange spoken = m_speech.sentences[size_t(i)];
            QVERIFY(sentence.start <= spoken.start + 0.1 && sentence.end >= spoken.end - 0.1 &&
                    sentence.start > spoken.start - 0.6 && sentence.end < spoken.end + 0.6);
            QVERIFY(!sentence.text && !sentence.hard);
        }
    }

    // A transcript replaces the pause split when it fits; another text leaves it with a notice.
    void alignsATranscript() {
        const QString fitting = TestMedia::textFile(
            m_folder.filePath(u"four.txt"_s), u"Good morning, how are you today? The weather is "
                                              "lovely, so let us go for a walk in the park.\n\nI "
                                              "would like a cup of tea. See you tomorrow at the "
                                              "station."_s.toUtf8());
        const QString other = TestMedia::textFile(m_folder.filePath(u"other.txt"_s),
                                                  "Das ist ein ganz anderer Text.");
        for (const QString& text : {fitting, other}) {
            const Run run = cli({u"sentences"_s, m_speech.path, u"--transcript"_s, text,
                                 u"--language"_s, u"en"_s, u"--format=json"_s});
            const QJsonObject result = QJsonDocument::fromJson(run.out).object();
            const QJsonArray sentences = result.value(u"sentences").toArray();
            QCOMPARE(sentences.size(), 4);
            if (text == other) {
                QCOMPARE(result.value(u"method").toObject(), SplitMethod::pauses().toJson());
                QVERIFY(result.value(u"notice").toString().startsWith(
                    u"The transcript does not fit"_s));
                continue;
            }
            QCOMPARE(result.value(u"method").toObject(),
                     SplitMethod::transcript(u"en"_s, u"four.txt"_s).toJson());
            QCOMPARE(Sentence::fromJson(sentences[2]).text, u"I would like a cup of tea."_s);
        }
    }

    void printsTextAndSubtitles() {
        // A video's sound track is read where it is, nothing is stored.
        const QString video =
            TestMedia::video(m_folder.filePath(u"media/talk.mkv"_s), m_speech.path, 20);
        const Run text = cli({u"sentences"_s, video, u"--pauses-only"_s});
        QVERIFY(!QFileInfo::exists(cache() + u"/Quellin"_s));
        QVERIFY2(text.err.isEmpty(), qPrintable(text.err)); // no progress off a terminal
        QCOMPARE(text.out.count(" – "), 4); // the formats' details: SentenceOutput below
        QVERIFY(cli({u"sentences"_s, m_speech.path, u"--pauses-only"_s, u"--format=srt"_s})
                    .out.startsWith("1\n00:00:0"));

        // Recognised text: doubtful sentences marked, all of them when the file's text is.
        SentencePipeline::Result heard;
        heard.method = SplitMethod::speech(u"en-US"_s);
        heard.sentences = {Sentence(0, 2, u"good morning"_s), Sentence(2, 3725.4567)};
        heard.sentences[0].confidence = 0.95;
        QCOMPARE(SentenceOutput::srt(heard), "1\n00:00:00,000 --> 00:00:02,000\ngood morning\n\n"
                                             "2\n00:00:02,000 --> 01:02:05,457\nSentence 2\n\n");
        QCOMPARE(SentenceOutput::text(heard),
                 "0:00.0 – 0:02.0  good morning\n0:02.0 – 1:02:05.5\n");
        const auto reliable = [&] {
            return QJsonDocument::fromJson(SentenceOutput::json(heard))[u"textReliable"];
        };
        QCOMPARE(reliable(), QJsonValue(true));
        heard.sentences[0].confidence = 0.5;
        QVERIFY(SentenceOutput::text(heard).startsWith("0:00.0 – 0:02.0  ? good morning\n"));
        QCOMPARE(reliable(), QJsonValue(false));
        heard.method = SplitMethod::pauses();
        QCOMPARE(reliable(), QJsonValue(QJsonValue::Undefined));
    }

    // Subtitles beside the file give the sentences unless the command line says otherwise.
    void takesSubtitles() {
        const QString media = m_folder.filePath(u"subtitled/talk.wav"_s);
        QVERIFY(QDir().mkpath(m_folder.filePath(u"subtitled"_s)) &&
                QFile::copy(m_speech.path, media));
        std::vector<SubtitleFiles::Cue> cues;
        for (const TimeRange& spoken : m_speech.sentences)
            cues.push_back({1, Sentence(spoken.start, spoken.end, u"Line."_s)});
        TestMedia::textFile(m_folder.filePath(u"subtitled/talk.fr.srt"_s),
                            SubtitleFiles::srt(cues));
        const Run listed = cli({u"subtitles"_s, media});
        QCOMPARE(listed.out, "talk.fr.srt\tfr\tusable\n");
        const QJsonObject found =
            QJsonDocument::fromJson(cli({u"sentences"_s, media, u"--format=json"_s}).out).object();
        QCOMPARE(found[u"method"_s], SplitMethod::subtitles(u"fr"_s, u"talk.fr.srt"_s).toJson());
        QCOMPARE(found[u"sentences"_s].toArray().size(), 4);
        QVERIFY(cli({u"sentences"_s, media, u"--pauses-only"_s}).out.count("Line.") == 0);
        const Run none = cli({u"sentences"_s, media, u"--subtitles=none"_s, u"--language=de-DE"_s});
        QVERIFY(none.status == 0 && none.out.count(" – ") == 4 && !none.out.contains("Line."));
        const Run bad = cli({u"sentences"_s, media, u"--subtitles"_s, m_speech.path});
        QCOMPARE(bad.status, 1);
        QCOMPARE(bad.err,
                 u"Couldn’t open “talk.wav”: “four sentences.wav” is not a subtitle file.\n"_s);
    }

    void reportsUnusableFilesAndBadArguments() {
        const Run empty =
            cli({u"sentences"_s, TestMedia::textFile(m_folder.filePath(u"media/zero.mp3"_s), {})});
        QCOMPARE(empty.status, 1);
        QCOMPARE(empty.err,
                 u"Couldn’t open “zero.mp3”: This file can’t be read as audio or video.\n"_s);
        QVERIFY(empty.out.isEmpty());

        for (const QStringList& bad :
             {QStringList{}, QStringList{u"sentence"_s, m_speech.path},
              QStringList{u"sentences"_s, m_speech.path, u"--format"_s, u"xml"_s},
              QStringList{u"sentences"_s, m_speech.path, m_speech.path},
              QStringList{u"sentences"_s, m_speech.path, u"--to"_s, u"srt"_s},
              QStringList{u"export"_s, m_speech.path, u"--to"_s, u"mp4"_s, u"--out"_s, u"x"_s},
              QStringList{u"export"_s, m_speech.path, u"--to"_s, u"srt"_s},
              QStringList{u"subtitles"_s, m_speech.path, u"--pauses-only"_s},
              QStringList{u"sentences"_s, m_speech.path, u"--pauses-only"_s,
                          u"--transcript=t"_s}}) {
            const Run run = cli(bad);
            QVERIFY2(run.status == 2, qPrintable(bad.join(u' ')));
            QVERIFY(run.err.contains(u"Usage: quellin-cli sentences FILE"_s) && run.out.isEmpty());
        }
        QCOMPARE(cli({u"--help"_s}).status, 0);
    }

    // A file never opened in the window is split first (here at pauses: no recogniser for the
    // language), then exported; the path of the export is printed.
    void exportsAFileWithoutSession() {
        const QString out = m_folder.filePath(u"export"_s);
        const Run run = cli({u"export"_s, m_speech.path, u"--language"_s, u"xx-XX"_s, u"--to"_s,
                             u"vtt"_s, u"--out"_s, out});
        QFile vtt(out + u'/' + QFileInfo(m_speech.path).completeBaseName() + u".vtt"_s);
        QVERIFY(run.status == 0 && run.out == vtt.fileName().toUtf8() + '\n');
        QVERIFY(vtt.open(QIODevice::ReadOnly));
        QCOMPARE(vtt.readAll().count(" --> "), qsizetype(m_speech.sentences.size()));
    }

    // Each container and codec a learner meets, and a phone video shown upright: the PNG is the
    // frame ffmpeg gives, scaled alike (ffmpeg's -ss takes the frame starting at or after a time:
    // hence half a frame earlier). A neighbouring frame scores 30 dB, a turned one less. The phone
    // video keeps its size: ffmpeg turns 4:2:0 chroma before scaling and misplaces it by half a
    // sample, where the frame is scaled as stored and then turned.
    void writesTheFrameShown() {
        const QString media = m_folder.filePath(u"media/"_s), out = media + u"frame.png"_s;
        const auto marked = [&](const QString& name, const QString& codec) {
            return TestMedia::videoOf(TestMedia::Picture::numbered, media + name, 2,
                                      {u"-vf"_s, u"drawbox=w=16:h=12:c=red:t=fill"_s, u"-c:v"_s,
                                       codec, u"-cpu-used"_s, u"8"_s});
        };
        const QString phone = marked(u"phone.mov"_s, u"libx264"_s);
        TestMedia::turnClockwise(phone);
        for (const auto& [file, width, size] :
             {std::tuple{marked(u"h264.mp4"_s, u"libx264"_s), u"64"_s, "64x48"},
              {marked(u"vp9.mkv"_s, u"libvpx-vp9"_s), u"32"_s, "32x24"},
              {marked(u"av1.webm"_s, u"libaom-av1"_s), u"40"_s, "40x30"},
              {phone, u"48"_s, "48x64"}}) {
            const QStringList frame{u"frame"_s, file, u"--at"_s,    u"1.05"_s,
                                    u"--out"_s, out,  u"--width"_s, width};
            QCOMPARE(cli(frame).status, 0);
            // psnr fails unless both pictures have the same size.
            const QString compare =
                u"[1]scale=%1,format=rgb24[r];[0]format=rgb24[o];[o][r]psnr=f=-"_s.arg(size);
            const QByteArray stats = TestMedia::run(
                u"ffmpeg"_s, {u"-i"_s, out, u"-ss"_s, u"1"_s, u"-i"_s, file, u"-lavfi"_s, compare,
                              u"-frames:v"_s, u"1"_s, u"-f"_s, u"null"_s, u"-"_s});
            const double psnr = stats.mid(stats.indexOf("psnr_avg:") + 9).split(' ')[0].toDouble();
            QVERIFY2(psnr >= 35, qPrintable(file + u": %1 dB"_s.arg(psnr)));
        }
        const Run none = cli({u"frame"_s, TestMedia::tone(media, u"still.mp3"_s, 1), u"--at"_s,
                              u"0"_s, u"--out"_s, out});
        QVERIFY(none.status == 1 &&
                none.err == u"Couldn’t open “still.mp3”: This file has no picture.\n"_s);
    }

    // A take of the third sentence in another voice, compared as the window compares it.
    void comparesATake() {
        const TimeRange sentence = m_speech.sentences[2];
        const QString take =
            TestMedia::speech(m_folder.filePath(u"media"_s), u"take.wav"_s,
                              {u"I would like a cup of tea."_s}, 0.5, u"en-us+f3"_s)
                .path;
        const QStringList attempt{u"attempt"_s, m_speech.path,
                                  u"--start"_s, QString::number(sentence.start),
                                  u"--end"_s,   QString::number(sentence.end),
                                  u"--take"_s};
        const Run run = cli(attempt + QStringList{take});
        const QJsonObject result = QJsonDocument::fromJson(run.out).object();
        QVERIFY(run.status == 0 && std::abs(result.value(u"pace").toDouble() - 1) < 0.3);
        QVERIFY(result.value(u"intonationMatch").toInt() > 50);
        const QJsonObject pitch = result.value(u"pitch").toObject();
        const qsizetype frames = qsizetype(sentence.duration() / 0.01);
        QVERIFY(std::abs(pitch.value(u"original").toArray().size() - frames) <= 1);
        QCOMPARE(pitch.value(u"take").toArray().size(), pitch.value(u"original").toArray().size());
        QVERIFY(pitch.value(u"take").toArray().contains(QJsonValue()));
        QVERIFY(!result.contains(u"heard"_s)); // no text given
        const QStringList text{u"--text"_s, u"I would like a cup of tea."_s};
        const QJsonArray heard =
            QJsonDocument::fromJson(cli(attempt + QStringList{take} + text).out)
                .object()
                .value(u"heard"_s)
                .toArray();
        QCOMPARE(heard.size(), 7);
        QCOMPARE(heard[6].toObject().value(u"word"_s), u"tea"_s);
        const Run german = cli(attempt + QStringList{take, u"--language"_s, u"de-DE"_s} + text);
        QVERIFY(german.status == 0 && !german.out.contains("\"heard\""));

        const Run unreadable = cli(attempt + QStringList{m_speech.path + u".missing"_s});
        QVERIFY(unreadable.status == 1 && unreadable.err.startsWith(u"Couldn’t read the take"_s));
        const QStringList backwards{u"attempt"_s, m_speech.path, u"--start"_s, u"2"_s,
                                    u"--end"_s,   u"1"_s,        u"--take"_s,  take};
        for (const QStringList& bad : {attempt, backwards}) {
            const Run run = cli(bad);
            QVERIFY2(run.status == 2, qPrintable(bad.join(u' ')));
            QVERIFY(run.err.contains(u"usage: quellin-cli attempt MEDIA"_s) && run.out.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "CliTest.moc"
