#include "SentenceOutput.h"

#include "media/StableHash.h"

#include "TestMedia.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QString err;
};

} // namespace

class CliTest final : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    TestMedia::Speech m_speech;

    QString cache() const { return m_folder.filePath(QStringLiteral("xdg-cache")); }

    Run cli(const QStringList& arguments) const {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), cache());
        process.setProcessEnvironment(environment);
        process.start(qEnvironmentVariable("QUELLIN_CLI"), arguments);
        if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
            return {};
        return {process.exitCode(), process.readAllStandardOutput(),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QJsonObject json(const QStringList& arguments) const {
        const Run run = cli(arguments);
        if (run.status != 0)
            qWarning("%s", qPrintable(run.err));
        return QJsonDocument::fromJson(run.out).object();
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(!qEnvironmentVariable("QUELLIN_CLI").isEmpty());
        m_speech = TestMedia::speech(
            m_folder.filePath(QStringLiteral("media")), QStringLiteral("four sentences.wav"),
            {QStringLiteral("Good morning, how are you today?"),
             QStringLiteral("The weather is lovely, so let us go for a walk in the park."),
             QStringLiteral("I would like a cup of tea."),
             QStringLiteral("See you tomorrow at the station.")},
            0.6);
    }

    void findsOneRangePerSentence() {
        const QJsonObject result =
            json({QStringLiteral("sentences"), m_speech.path, QStringLiteral("--pauses-only"),
                  QStringLiteral("--format"), QStringLiteral("json")});
        QCOMPARE(result.value(QStringLiteral("method")).toObject(), SplitMethod::pauses().toJson());
        QVERIFY(!result.contains(QStringLiteral("notice")));
        QVERIFY(std::abs(result.value(QStringLiteral("duration")).toDouble() -
                         TestMedia::duration(m_speech.path)) < 0.02);
        const QJsonArray sentences = result.value(QStringLiteral("sentences")).toArray();
        QCOMPARE(sentences.size(), qsizetype(m_speech.sentences.size()));
        for (qsizetype i = 0; i < sentences.size(); ++i) {
            const Sentence sentence = Sentence::fromJson(sentences[i]);
            const TimeRange spoken = m_speech.sentences[size_t(i)];
            // Each range holds its sentence (with the splitter's padding) and no other.
            QVERIFY2(sentence.start <= spoken.start + 0.1 && sentence.end >= spoken.end - 0.1,
                     qPrintable(QStringLiteral("sentence %1: %2–%3 for %4–%5")
                                    .arg(i)
                                    .arg(sentence.start)
                                    .arg(sentence.end)
                                    .arg(spoken.start)
                                    .arg(spoken.end)));
            QVERIFY(sentence.start > spoken.start - 0.6 && sentence.end < spoken.end + 0.6);
            QVERIFY(!sentence.text && !sentence.hard);
        }
    }

    void printsTextAndSubtitles() {
        const Run text =
            cli({QStringLiteral("sentences"), m_speech.path, QStringLiteral("--pauses-only")});
        QCOMPARE(text.status, 0);
        QVERIFY2(text.err.isEmpty(), qPrintable(text.err)); // no progress off a terminal
        const QStringList lines = QString::fromUtf8(text.out).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), qsizetype(m_speech.sentences.size()));
        const QRegularExpression line(
            QStringLiteral("^(\\d+:\\d\\d\\.\\d) – (\\d+:\\d\\d\\.\\d)$"));
        for (const QString& each : lines)
            QVERIFY2(line.match(each).hasMatch(), qPrintable(each));

        const Run srt = cli({QStringLiteral("sentences"), m_speech.path,
                             QStringLiteral("--pauses-only"), QStringLiteral("--format=srt")});
        QCOMPARE(srt.status, 0);
        const QStringList cues =
            QString::fromUtf8(srt.out).split(QStringLiteral("\n\n"), Qt::SkipEmptyParts);
        QCOMPARE(cues.size(), qsizetype(m_speech.sentences.size()));
        const QRegularExpression cue(
            QStringLiteral("^(\\d+)\\n(\\d\\d:\\d\\d:\\d\\d,\\d\\d\\d) --> "
                           "(\\d\\d:\\d\\d:\\d\\d,\\d\\d\\d)\\n(.+)$"));
        for (qsizetype i = 0; i < cues.size(); ++i) {
            const auto match = cue.match(cues[i]);
            QVERIFY2(match.hasMatch(), qPrintable(cues[i]));
            QCOMPARE(match.captured(1).toInt(), i + 1);
            QVERIFY(match.captured(2) < match.captured(3));
            QCOMPARE(match.captured(4), QStringLiteral("Sentence %1").arg(i + 1));
        }
        QCOMPARE(SentenceOutput::srtTime(3725.4567), QStringLiteral("01:02:05,457"));

        // Recognised text: doubtful sentences marked, all of them when the file's text is.
        SentencePipeline::Result heard;
        heard.method = SplitMethod::speech(QStringLiteral("en-US"));
        heard.sentences = {Sentence(0, 2, QStringLiteral("good morning")),
                           Sentence(2, 4, QStringLiteral("how are you"))};
        heard.sentences[0].confidence = 0.95;
        heard.sentences[1].confidence = 0.3;
        QCOMPARE(SentenceOutput::text(heard),
                 "0:00.0 – 0:02.0  good morning\n0:02.0 – 0:04.0  ? how are you\n");
        QJsonObject json = QJsonDocument::fromJson(SentenceOutput::json(heard)).object();
        QCOMPARE(json.value(u"textReliable"), QJsonValue(true));
        QCOMPARE(json.value(u"sentences")[1][u"confidence"], QJsonValue(0.3));
        heard.sentences[0].confidence = 0.5;
        QCOMPARE(SentenceOutput::text(heard),
                 "0:00.0 – 0:02.0  ? good morning\n0:02.0 – 0:04.0  ? how are you\n");
        json = QJsonDocument::fromJson(SentenceOutput::json(heard)).object();
        QCOMPARE(json.value(u"textReliable"), QJsonValue(false));
        heard.method = SplitMethod::pauses();
        QVERIFY(!QJsonDocument::fromJson(SentenceOutput::json(heard))
                     .object()
                     .contains(u"textReliable"));
        QCOMPARE(SentenceOutput::srtTime(-1), QStringLiteral("00:00:00,000"));
    }

    void withoutRecognitionKeepsThePauseSplitWithANotice() {
        // No German model is installed in the tests' data folder.
        const QJsonObject result =
            json({QStringLiteral("sentences"), m_speech.path, QStringLiteral("--format"),
                  QStringLiteral("json"), QStringLiteral("--language"), QStringLiteral("de-DE")});
        QCOMPARE(result.value(QStringLiteral("method")).toObject(), SplitMethod::pauses().toJson());
        QVERIFY(result.value(QStringLiteral("notice"))
                    .toString()
                    .startsWith(QStringLiteral(
                        "On-device recognition for German (Germany) isn’t on this computer.")));
        QCOMPARE(result.value(QStringLiteral("sentences")).toArray().size(),
                 qsizetype(m_speech.sentences.size()));
    }

    void extractsVideosIntoTheUsersCache() {
        const QString video = TestMedia::video(m_folder.filePath(QStringLiteral("media/talk.mkv")),
                                               m_speech.path, 20);
        const Run run = cli({QStringLiteral("sentences"), video, QStringLiteral("--pauses-only")});
        QCOMPARE(run.status, 0);
        const QString name =
            StableHash::hex(video + QStringLiteral("|") + QString::number(QFileInfo(video).size()));
        QVERIFY(QFileInfo::exists(
            QDir(cache()).filePath(QStringLiteral("Quellin/Audio/%1.m4a").arg(name))));
        QCOMPARE(QString::fromUtf8(run.out).count(u'\n'), qsizetype(m_speech.sentences.size()));
    }

    void reportsUnusableFilesAndBadArguments() {
        const QString media = m_folder.filePath(QStringLiteral("media"));
        const Run empty =
            cli({QStringLiteral("sentences"),
                 TestMedia::textFile(QDir(media).filePath(QStringLiteral("zero.mp3")), {})});
        QCOMPARE(empty.status, 1);
        QCOMPARE(empty.err,
                 QStringLiteral(
                     "Couldn’t open “zero.mp3”: This file can’t be read as audio or video.\n"));
        QVERIFY(empty.out.isEmpty());
        const Run mute =
            cli({QStringLiteral("sentences"),
                 TestMedia::video(QDir(media).filePath(QStringLiteral("mute.mp4")), {}, 1),
                 QStringLiteral("--pauses-only")});
        QCOMPARE(mute.status, 1);
        QCOMPARE(mute.err,
                 QStringLiteral("Couldn’t open “mute.mp4”: This file has no sound track.\n"));

        for (const QStringList& bad :
             {QStringList{}, QStringList{QStringLiteral("sentence"), m_speech.path},
              QStringList{QStringLiteral("sentences")},
              QStringList{QStringLiteral("sentences"), m_speech.path, QStringLiteral("--format"),
                          QStringLiteral("xml")},
              QStringList{QStringLiteral("sentences"), m_speech.path, QStringLiteral("--format")},
              QStringList{QStringLiteral("sentences"), m_speech.path, QStringLiteral("--fast")},
              QStringList{QStringLiteral("sentences"), m_speech.path, m_speech.path}}) {
            const Run run = cli(bad);
            QVERIFY2(run.status == 2, qPrintable(bad.join(u' ')));
            QVERIFY(run.err.contains(QStringLiteral("usage: quellin-cli sentences FILE")));
            QVERIFY(run.out.isEmpty());
        }
        QCOMPARE(cli({QStringLiteral("--help")}).status, 0);
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "CliTest.moc"
