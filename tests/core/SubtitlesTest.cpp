#include "media/EnergyProfile.h"
#include "subtitles/SubtitleCues.h"
#include "subtitles/SubtitleSentences.h"
#include "subtitles/SubtitleTracks.h"
#include "TestMedia.h"
#include "TimedLists.h"

#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QStringList kSpoken = {u"The birch canoe slid on the smooth planks."_s,
                             u"Glue the sheet to the dark blue background."_s,
                             u"Rice and beans are easy to cook."_s,
                             u"These days a chicken leg is a rare dish."_s};
const QStringList kWritten = {kSpoken[0], kSpoken[1], u"Rice & beans are easy to cook."_s,
                              kSpoken[3]};

QString clock(double seconds, const char* format) {
    const auto ms = qint64(std::round(seconds * 1000));
    return QString::asprintf(format, int(ms / 3600000), int(ms / 60000 % 60), int(ms / 1000 % 60),
                             int(ms % 1000 / (QByteArray(format).endsWith("%02d") ? 10 : 1)));
}

// A subtitle file of the cues, in the format its suffix names.
QByteArray subtitleFile(const QString& suffix, const std::vector<SubtitleCue>& cues) {
    QString text =
        suffix == u"vtt" ? u"WEBVTT\n\n"_s
        : suffix == u"ass"
            ? u"[Script Info]\nScriptType: v4.00+\n\n[V4+ Styles]\nFormat: Name, Fontsize\n"
              "Style: Default,20\n\n[Events]\nFormat: Layer, Start, End, Style, Name, "
              "MarginL, MarginR, MarginV, Effect, Text\n"_s
            : QString();
    for (size_t i = 0; i < cues.size(); ++i) {
        const auto& [start, end, words] = cues[i];
        if (suffix == u"ass")
            text += u"Dialogue: 0,%1,%2,Default,,0,0,0,,%3\n"_s.arg(
                clock(start, "%d:%02d:%02d.%02d"), clock(end, "%d:%02d:%02d.%02d"), words);
        else if (suffix == u"vtt")
            text += u"%1 --> %2\n%3\n\n"_s.arg(clock(start, "%02d:%02d:%02d.%03d"),
                                               clock(end, "%02d:%02d:%02d.%03d"), words);
        else
            text += u"%1\n%2 --> %3\n%4\n\n"_s.arg(i + 1).arg(
                clock(start, "%02d:%02d:%02d,%03d"), clock(end, "%02d:%02d:%02d,%03d"), words);
    }
    return text.toUtf8();
}

QStringList texts(const std::vector<SubtitleCue>& cues) {
    QStringList result;
    for (const SubtitleCue& cue : cues)
        result.append(cue.text);
    return result;
}

} // namespace

class SubtitlesTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        m_speech = TestMedia::speech(m_folder.path(), u"talk.wav"_s, kSpoken, 0.8);
        m_profile = EnergyProfile::read(m_speech.path, 0.01);
    }

    void languageTags() {
        const QString tags = u"es=es|ES=es|pt-BR=pt-BR|pt_br=pt-BR|eng=en|ger=de|fra=fr|"
                             u"zh-hant-tw=zh-Hant-TW|forced=|und=|x=|sdh1="_s;
        for (const QString& pair : tags.split(u'|'))
            QCOMPARE(subtitleLanguage(pair.section(u'=', 0, 0)), pair.section(u'=', 1));
    }

    void cueText_data() {
        QTest::addColumn<QString>("decoded");
        QTest::addColumn<QString>("clean");
        QTest::newRow("ass") << uR"({\an8}{\i1}Hello{\i0}\Nthere\h friend)"_s
                             << u"Hello there friend"_s;
        QTest::newRow("drawing") << uR"({\p1}m 0 0 l 10 0{\p0}Sign)"_s << u"Sign"_s;
        QTest::newRow("markup") << uR"(<i>Tu</i> <font color="#ffff00">y yo</font><v Ana> ok)"_s
                                << u"Tu y yo ok"_s;
        QTest::newRow("entities") << u"Tom &amp; Jerry &lt;3 &#233;t&#xE9; &foo; a&nbsp;b"_s
                                  << u"Tom & Jerry <3 été &foo; a b"_s;
        QTest::newRow("breaks") << u"  one\n two\r\nthree "_s << u"one two three"_s;
    }
    void cueText() {
        QFETCH(QString, decoded);
        QTEST(cleanCueText(decoded), "clean");
    }

    void grouping_data() {
        QTest::addColumn<std::vector<SubtitleCue>>("cues");
        QTest::addColumn<QString>("language");
        QTest::addColumn<Sentences>("expected");
        QTest::newRow("joined until the end")
            << std::vector<SubtitleCue>{{0, 1, u"Mr. Smith"_s},
                                        {1.2, 2, u"came home."_s},
                                        {2.1, 3, u"Yes!"_s}}
            << u"en"_s << Sentences{{{0, 2, u"Mr. Smith came home."_s}, {2.1, 3, u"Yes!"_s}}};
        QTest::newRow("pause, overlap, empty, past the end")
            << std::vector<SubtitleCue>{{25, 26, u"after"_s},      {0, 1, u"<i>one</i>"_s},
                                        {0.5, 0.8, u"{\\an8}♪"_s}, {0.9, 1.5, u"two"_s},
                                        {2.2, 2.5, u"three"_s},    {30, 31, u"gone."_s},
                                        {29, 31, u"end."_s}}
            << u""_s
            << Sentences{{{0, 1.5, u"one two"_s},
                          {2.2, 2.5, u"three"_s},
                          {25, 26, u"after"_s},
                          {29, 30, u"end."_s}}};
        QTest::newRow("longest, without spaces, open end")
            << std::vector<SubtitleCue>{{0, 9, u"一"_s},
                                        {9, 16, u"二。"_s},
                                        {16, 16, u"三"_s},
                                        {18, 19, u"四"_s}}
            << u"ja"_s << Sentences{{{0, 9, u"一"_s}, {9, 16, u"二。"_s}, {16, 19, u"三四"_s}}};
    }
    void grouping() {
        QFETCH(std::vector<SubtitleCue>, cues);
        QFETCH(QString, language);
        QTEST(Sentences{cueSentences(spokenCues(cues, 30), TranscriptSplitter(language))},
              "expected");
    }

    void findsAndPrefers() {
        const QTemporaryDir folder;
        const QString names = u"talk.mp3|talk.srt|talk.es.srt|talk.pt_BR.vtt|talk.eng.ass|"
                              u"talk.forced.ssa|talks.srt|talk.txt|other.srt"_s;
        for (const QString& name : names.split(u'|'))
            TestMedia::textFile(folder.filePath(name), "1");
        QStringList found;
        const auto tracks = findSubtitleTracks(folder.filePath(u"talk.mp3"_s));
        for (const SubtitleTrack& track : tracks)
            found.append(track.source + u'=' + track.language);
        QCOMPARE(found.join(u'|'), u"talk.eng.ass=en|talk.es.srt=es|talk.forced.ssa=|"
                                   u"talk.pt_BR.vtt=pt-BR|talk.srt="_s);
        QCOMPARE(preferredSubtitleTrack(tracks, u"pt-PT"_s)->source, u"talk.pt_BR.vtt"_s);
        QCOMPARE(preferredSubtitleTrack(tracks, u"de-DE"_s)->source, u"talk.eng.ass"_s);
        QCOMPARE(trackForSource(tracks, u"talk.srt"_s)->path, folder.filePath(u"talk.srt"_s));
        QCOMPARE(addedSubtitleTrack(u"/x/My.Film.es-MX.srt"_s).language, u"es-MX"_s);
    }

    void reading_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        const QByteArray cue = "1\n00:00:01,000 --> 00:00:02,000\n";
        QTest::newRow("Windows-1252")
            << cue + QStringEncoder("windows-1252")
                         .encode(u"Él está en el café. ¿Qué pasó?\n"
                                 u"Ça va très bien, élève. Déjà vu."_s)
            << u"Él está en el café. ¿Qué pasó? Ça va très bien, élève. Déjà vu."_s;
        QTest::newRow("Windows-1251")
            << cue + QStringEncoder("windows-1251")
                         .encode(u"Привет, как у тебя дела сегодня? "
                                 u"Это очень хорошо, спасибо."_s)
            << u"Привет, как у тебя дела сегодня? Это очень хорошо, спасибо."_s;
        QTest::newRow("Shift-JIS") << cue + QStringEncoder("Shift_JIS")
                                                .encode(u"今日はとても良い天気ですね。"
                                                        u"散歩に行きましょうか。"_s)
                                   << u"今日はとても良い天気ですね。散歩に行きましょうか。"_s;
        const QString srt = TestMedia::textFile(m_folder.filePath(u"u.srt"_s),
                                                cue + u"Déjà vu, café.\n"_s.toUtf8());
        QFile mks(TestMedia::convert(srt, m_folder.filePath(u"u.mks"_s), {u"-f"_s, u"matroska"_s}));
        QTest::newRow("Matroska") << (mks.open(QIODevice::ReadOnly), mks.readAll())
                                  << u"Déjà vu, café."_s;
        QTest::newRow("renamed binary") << QByteArray("ID3\x03\0\0\0\0\x0f\x76 data", 16)
                                        << u"“a.srt” is not a subtitle file."_s;
        QTest::newRow("other text")
            << QByteArray("Dear Anna,\nthanks.\n") << u"“a.srt” is not a subtitle file."_s;
    }
    void reading() {
        QFETCH(QByteArray, content);
        const QTemporaryDir folder;
        const SubtitleTrack track =
            addedSubtitleTrack(TestMedia::textFile(folder.filePath(u"a.srt"_s), content));
        try {
            QTEST(texts(spokenCues(readSubtitleCues(track, {}), 0)).join(u' '), "expected");
        } catch (const SubtitleError& error) {
            QTEST(error.description(), "expected");
        }
    }

    void fittedToSpeech_data() {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("marked"); // the cues' texts as written, split at "|"
        QTest::newRow("srt")
            << u"srt"_s
            << u"<i>The birch canoe</i>\nslid on the smooth planks.|Glue the sheet|"
               u"to the <font color=\"#ff0\">dark blue</font> background.|"
               u"Rice &amp; beans are easy to cook.|"
               u"These days a chicken leg is a rare dish."_s;
        QTest::newRow("vtt") << u"vtt"_s
                             << u"<v Anna>The birch canoe slid on the smooth planks.|"
                                u"<b>Glue</b> the sheet|to the dark blue background.|"
                                u"Rice &amp; beans\nare easy to cook.|"
                                u"These days a chicken leg is a rare dish."_s;
        QTest::newRow("ass")
            << u"ass"_s
            << uR"({\an8}The birch canoe slid\Non the smooth planks.|Glue the sheet|)"
               uR"(to the {\i1}dark blue{\i0} background.|Rice & beans are easy )"
               uR"(to cook.|These days a chicken\hleg is a rare dish.)"_s;
        const QString plain = u"%1|Glue the sheet|to the dark blue background.|%2|%3"_s.arg(
            kWritten[0], kWritten[2], kWritten[3]);
        QTest::newRow("mkv") << u"mkv"_s << plain;
        QTest::newRow("mp4") << u"mp4"_s << plain;
    }
    void fittedToSpeech() {
        QFETCH(QString, suffix);
        QFETCH(QString, marked);
        // The cues of the truth, their edges moved by up to 0.4 s either way.
        const auto& truth = m_speech.sentences;
        const double split = (truth[1].start + truth[1].end) / 2;
        const double starts[] = {truth[0].start, truth[1].start, split, truth[2].start,
                                 truth[3].start};
        const double ends[] = {truth[0].end, split, truth[1].end, truth[2].end, truth[3].end};
        const double shifts[] = {-0.4, 0.3, 0.4, -0.3, 0.2, -0.4, 0.35, 0.4, -0.25, -0.4};
        std::vector<SubtitleCue> cues;
        for (int i = 0; i < 5; ++i)
            cues.push_back({starts[i] + shifts[2 * i], ends[i] + shifts[2 * i + 1],
                            marked.section(u'|', i, i)});

        const QTemporaryDir folder;
        const bool inside = suffix == u"mkv" || suffix == u"mp4";
        const QString sidecar = folder.filePath(inside ? u"cues.srt"_s : u"talk.es."_s + suffix);
        TestMedia::textFile(sidecar, subtitleFile(inside ? u"srt"_s : suffix, cues));
        QString media = folder.filePath(u"talk.wav"_s);
        QFile::copy(m_speech.path, media);
        if (inside)
            media = TestMedia::convert(media, folder.filePath(u"film."_s + suffix),
                                       {u"-i"_s, sidecar, u"-c:s"_s,
                                        suffix == u"mp4" ? u"mov_text"_s : u"srt"_s,
                                        u"-metadata:s:s:0"_s, u"language=spa"_s});

        const auto track = preferredSubtitleTrack(findSubtitleTracks(media), u"es"_s);
        QVERIFY(track);
        QCOMPARE(track->language, u"es"_s);
        const std::vector<Sentence> sentences = subtitleSentences(*track, m_profile);
        QCOMPARE(sentences.size(), truth.size());
        for (size_t i = 0; i < truth.size(); ++i) {
            QCOMPARE(*sentences[i].text, kWritten[int(i)]);
            // Every word kept, the speech's own edges within 0.1 s once the padding is taken off.
            QVERIFY2(sentences[i].start <= truth[i].start && sentences[i].end >= truth[i].end &&
                         std::abs(sentences[i].start + 0.15 - truth[i].start) <= 0.1 &&
                         std::abs(sentences[i].end - 0.15 - truth[i].end) <= 0.1,
                     qPrintable(u"%1: %2–%3, speech %4–%5"_s.arg(i)
                                    .arg(sentences[i].start)
                                    .arg(sentences[i].end)
                                    .arg(truth[i].start)
                                    .arg(truth[i].end)));
            QVERIFY(i == 0 || sentences[i - 1].end <= sentences[i].start);
        }
    }

private:
    QTemporaryDir m_folder;
    TestMedia::Speech m_speech;
    EnergyProfile m_profile;
};

QTEST_GUILESS_MAIN(SubtitlesTest)
#include "SubtitlesTest.moc"
