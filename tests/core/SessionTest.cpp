#include "session/Session.h"
#include "practice/ReviewSchedule.h"
#include "session/SentenceEdits.h"
#include "session/SessionFileError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QDateTime savedAt = QDateTime(QDate(2025, 3, 1), QTime(9, 30, 5), Qt::UTC);

Session sampleSession() {
    Session session(
        u"/media/Kurs/Lektion 1 – „Grüße“.mp3"_s, 1234567, 95.5,
        {Sentence(0.25, 2.5, u"Guten Morgen!"_s, false), Sentence(3, 5.125, std::nullopt, true),
         Sentence(6, 9, u"Er sagte: \"ja\"\nund ging."_s, false)},
        1, SplitMethod::speech(u"de-DE"_s), PracticeSettings(4, 0.75, 1.5, true), true, savedAt);
    session.sentences[2].confidence = 0.375;
    session.sentences[1].practice = {12, 2, savedAt.addDays(-3), 1};
    session.showUncertainText = true;
    session.sentences[0].edited = true;
    session.recognised = {TimeRange(0, 2.5), TimeRange(6, 9)};
    return session;
}

// The sample session's file as JSON, changed by `change`.
QByteArray sampleFile(const std::function<void(QJsonObject&)>& change) {
    QJsonObject object = QJsonDocument::fromJson(sampleSession().encoded()).object();
    change(object);
    return QJsonDocument(object).toJson();
}

QByteArray sampleWith(const char* key, const QJsonValue& value) {
    return sampleFile([&](QJsonObject& object) { object.insert(QLatin1String(key), value); });
}

using Edit = std::function<bool(std::vector<Sentence>&)>;

} // namespace

class SessionTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void derivedProperties() {
        // The key names every stored session: it must never change for the same path and size.
        QCOMPARE(Session::key(u"/Volumes/Media/lesson.mp3"_s, 1234567), u"c4da33bf71988dd7"_s);
        QCOMPARE(Session::key(u"/Volumes/Media/lesson.mp3"_s, -5), u"f8d507e292c78f47"_s);
        Session session = sampleSession();
        QCOMPARE(session.fileName(), u"Lektion 1 – „Grüße“.mp3"_s);
        QCOMPARE(session.currentSentence(), session.sentences[1]);
        session.current = 3;
        QCOMPARE(session.currentSentence(), std::nullopt);
        // Marks toggle, and indices out of range change nothing.
        const Session before = session;
        session.toggleHard(-1);
        session.toggleHard(3);
        QCOMPARE(session, before);
        session.toggleHard(0);
        session.toggleHard(1);
        QCOMPARE(session.hardCount(), 1);
        QVERIFY(session.sentences[0].hard);
    }

    void stepMovesAmongVisibleSentences_data() {
        QTest::addColumn<bool>("hardOnly");
        QTest::addColumn<qsizetype>("from");
        QTest::addColumn<qsizetype>("by");
        QTest::addColumn<qsizetype>("expected"); // −1: absent
        const auto row = [](const char* name, bool hardOnly, qsizetype from, qsizetype by,
                            qsizetype expected) {
            QTest::newRow(name) << hardOnly << from << by << expected;
        };
        // Hard sentences 0, 3 and 5 of 7.
        row("next hard", true, 3, 1, 5);
        row("past the last", true, 5, 1, -1);
        row("hidden, far forward", true, 4, 9, 5);
        row("hidden, back", true, 4, -1, 3);
        row("outside, back", true, 40, -1, 5);
        row("huge offset", true, 3, std::numeric_limits<qsizetype>::max(), -1);
        row("huge negative", true, 3, std::numeric_limits<qsizetype>::min(), -1);
        row("all visible", false, 4, 1, 5);
    }

    void stepMovesAmongVisibleSentences() {
        QFETCH(bool, hardOnly);
        QFETCH(qsizetype, from);
        QFETCH(qsizetype, by);
        QFETCH(qsizetype, expected);
        Session session;
        for (int i = 0; i < 7; ++i)
            session.sentences.emplace_back(i, i + 1, std::nullopt, i == 0 || i == 3 || i == 5);
        session.hardOnly = hardOnly;
        QCOMPARE(session.step(from, by).value_or(-1), expected);
        for (Sentence& sentence : session.sentences)
            sentence.hard = false;
        session.hardOnly = true;
        QCOMPARE(session.step(from, by), std::nullopt); // nothing visible
    }

    void replaceSentencesKeepsPlaceAndMarks() {
        Session session;
        session.sentences = {Sentence(0, 4, std::nullopt, true), Sentence(4, 10), Sentence(10, 12),
                             Sentence(20, 30, std::nullopt, true)};
        session.current = 2; // middle 11
        session.sentences[1].practice = {3, 1, savedAt, 0};
        session.hardOnly = true;
        session.settings = PracticeSettings(5, 1.25, 2, true);
        const std::vector<Sentence> fresh = {
            Sentence(0, 9, u"b"_s, false),   // middle 4.5: in no hard sentence
            Sentence(3, 5, u"a"_s, false),   // middle 4: on the old hard end
            Sentence(9, 11, u"c"_s, false),  // ends exactly at the old place
            Sentence(11, 14, u"d"_s, true),  // was hard already
            Sentence(19, 21, u"e"_s, false), // middle 20: on the hard start
        };
        Session expected = session;
        expected.sentences = fresh;
        expected.sentences[1].hard = expected.sentences[4].hard = true;
        for (const size_t holding : {0, 1, 2}) // their middles lie in the practised one
            expected.sentences[holding].practice = {3, 1, savedAt, 0};
        expected.method = SplitMethod::speech(u"en-US"_s);
        session.replaceSentences(fresh, SplitMethod::speech(u"en-US"_s));
        QCOMPARE(session, expected);

        // Every new sentence ends before the old place: the place is the last one. An invalid
        // old place counts as time 0; an empty list puts the place at 0.
        session.replaceSentences({Sentence(0, 1), Sentence(1, 2)}, SplitMethod::pauses());
        QCOMPARE(session.current, 1);
        session.current = 7;
        session.replaceSentences({Sentence(1, 2), Sentence(2, 3)}, SplitMethod::pauses());
        QCOMPARE(session.current, 0);
        session.current = 1;
        session.replaceSentences({}, SplitMethod::pauses());
        QCOMPARE(session.current, 0);
    }

    void editsStayWithinLimits_data() {
        using namespace SentenceEdits;
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QString>("expected"); // empty: nothing changes
        // Loud everywhere but two dips in the second sentence, the quieter at 3.6 s.
        const auto profile = std::make_shared<EnergyProfile>(0.01, std::vector<float>(650, 1.f));
        profile->rms[310] = 0.1f;
        profile->rms[360] = 0.05f;
        const auto row = [](const char* name, Edit edit, const char* expected) {
            QTest::newRow(name) << edit << QString::fromUtf8(expected);
        };
        const auto nudging = [](qsizetype i, Edge edge, int steps) {
            return [=](std::vector<Sentence>& s) { return nudge(s, i, edge, steps, 6.5); };
        };
        row("start earlier", nudging(0, Edge::start, -1), "0.950-2.000h one two||");
        row("start stops at 0", nudging(0, Edge::start, -40), "0.000-2.000h one two||");
        row("start stops at the previous end", nudging(1, Edge::start, -20),
            "|2.000-4.000 three four five|");
        row("start stops short of its end", nudging(0, Edge::start, 99), "1.800-2.000h one two||");
        row("end stops at the next start", nudging(0, Edge::end, 20), "1.000-2.500h one two||");
        row("end at the next start already", nudging(1, Edge::end, 1), "");
        row("end stops at the duration", nudging(2, Edge::end, 40), "||4.000-6.500");
        row(
            "split at the quietest frame", [=](auto& s) { return split(s, 1, 3.2, *profile); },
            "|2.500-3.605 three four|3.605-4.000 five|");
        row(
            "split keeps the hard mark", [=](auto& s) { return split(s, 0, 1.515, *profile); },
            "1.000-1.515h one|1.515-2.000h two||");
        row(
            "merge keeps the second's hard mark",
            [](auto& s) { return std::swap(s[0].hard, s[1].hard), mergeWithNext(s, 0); },
            "1.000-4.000h one two three four five|");
        row(
            "merge the last", [](auto& s) { return mergeWithNext(s, 2); }, "");
        row(
            "empty text removes it", [](auto& s) { return setText(s, 0, u"  "_s); },
            "1.000-2.000h||");
        row(
            "text for a sentence without", [](auto& s) { return setText(s, 2, u" Hi "_s); },
            "||4.000-6.000 Hi");
    }

    void editsStayWithinLimits() {
        QFETCH(Edit, edit);
        QFETCH(QString, expected);
        std::vector<Sentence> sentences{Sentence(1, 2, u"one two"_s, true),
                                        Sentence(2.5, 4, u"three four five"_s), Sentence(4, 6)};
        QCOMPARE(edit(sentences), !expected.isEmpty());
        QStringList changed; // the edited sentences, written out; others as empty entries
        for (const Sentence& s : sentences)
            changed << (!s.edited
                            ? QString()
                            : u"%1-%2%3 %4"_s.arg(s.start, 0, 'f', 3)
                                  .arg(s.end, 0, 'f', 3)
                                  .arg(s.hard ? u"h"_s : QString(), s.text.value_or(QString()))
                                  .trimmed());
        QCOMPARE(changed.join(u'|'), expected.isEmpty() ? u"||"_s : expected);
    }

    // Edited sentences stay where the new list still has speech, and the new ones give way.
    void replaceSentencesKeepsEditedOnes() {
        Sentence mine(0, 2, u"mine"_s), gone(10, 12);
        mine.edited = gone.edited = true;
        Session session;
        session.sentences = {mine, Sentence(2, 4), gone};
        const qsizetype kept = session.replaceSentences(
            {Sentence(0, 1.5), Sentence(1.5, 3, u"x"_s), Sentence(3, 5)}, SplitMethod::pauses());
        QCOMPARE(kept, 1);
        QCOMPARE(session.sentences, (std::vector{mine, Sentence(2, 3, u"x"_s), Sentence(3, 5)}));
    }

    // Hard sentences come back after 1, 3, 7, 14 and then every 30 days; practice before a
    // sentence is due does not move it on, and marking it hard again starts over.
    void reviewScheduleMovesHardSentencesOn() {
        Session session;
        session.sentences = {Sentence(0, 1), Sentence(1, 2, std::nullopt, true)};
        Sentence& hard = session.sentences[1];
        QCOMPARE(ReviewSchedule::due(session.sentences[0], savedAt), std::nullopt);
        QCOMPARE(ReviewSchedule::due(hard, savedAt), savedAt); // never practised: due now
        QDateTime day = savedAt;
        for (const int interval : {1, 3, 7, 14, 30, 30}) {
            ReviewSchedule::heardToTheEnd(hard, day);
            ReviewSchedule::heardToTheEnd(hard, day.addSecs(60)); // not due: stays
            QCOMPARE(ReviewSchedule::due(hard, day), day.addSecs(60).addDays(interval));
            day = day.addSecs(60).addDays(interval);
        }
        ReviewSchedule::tookATake(hard, day);
        QVERIFY(hard.practice.repetitions == 12 && hard.practice.takes == 1);
        session.toggleHard(1);
        session.toggleHard(1);
        QCOMPARE(ReviewSchedule::due(hard, day), day.addDays(1));
    }

    void fileHasSortedKeysAndWholeSecondDates() {
        Session session = sampleSession();
        session.updatedAt = savedAt.addMSecs(999).toOffsetFromUtc(5400);
        const QByteArray file = session.encoded();
        qsizetype previous = -1;
        for (const char* line : {"\"current\": 1,", "\"duration\": 95.5,", "\"fileSize\": 1234567,",
                                 "\"hardOnly\": true,", "\"method\": {", "\"sentences\": [",
                                 "\"settings\": {", "\"showUncertainText\": true,",
                                 "\"updatedAt\": \"2025-03-01T09:30:05Z\",", "\"version\": 1"}) {
            const qsizetype at = file.indexOf(QByteArray("\n    ") + line + '\n');
            QVERIFY2(at > previous, line); // indented, one key a line, in order, in UTC
            previous = at;
        }
        QVERIFY(file.contains("\n            \"hard\": true,\n"));
        QVERIFY(file.contains("\n            \"confidence\": 0.375,\n"));
        QVERIFY(file.contains("\"practisedAt\": \"2025-02-26T09:30:05Z\",\n            "
                              "\"repetitions\": 12,\n            \"reviewStep\": 1,\n"));
    }

    void decodingAcceptsWhatTheFormatAllows() {
        Session expected = sampleSession();
        QByteArray file = expected.encoded();
        QCOMPARE(Session::decoded(file), expected);
        // Later versions, unknown keys and other zones; written before recognition kept its
        // confidences.
        file.replace("\"version\": 1\n", "\"version\": 7, \"comment\": \"ignored\"\n")
            .replace("\"2025-03-01T09:30:05Z\"", "\"2025-03-01T10:30:05+01:00\"")
            .replace("\"confidence\": 0.375,", "")
            .replace("\"showUncertainText\": true,", "")
            .replace("\"edited\": true,", "")
            .replace("\"repetitions\": 12", "\"repetitions\": \"many\"")
            .replace("\"2025-02-26T09:30:05Z\"", "\"yesterday\"");
        expected.version = 7;
        expected.sentences[1].practice = {0, 2, QDateTime(), 1};
        expected.sentences[2].confidence.reset();
        expected.showUncertainText = false;
        expected.sentences[0].edited = false;
        QCOMPARE(Session::decoded(file), expected);
    }

    void splitMethodsKeepTheirForm_data() {
        QTest::addColumn<SplitMethod>("method");
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("speech") << SplitMethod::speech(u"en-US"_s)
                                << QByteArray(R"({"speech":{"_0":"en-US"}})");
        QTest::newRow("pauses") << SplitMethod::pauses() << QByteArray(R"({"pauses":{}})");
        QTest::newRow("subtitles")
            << SplitMethod::subtitles(u"es"_s, u"talk.es.srt"_s)
            << QByteArray(R"({"subtitles":{"language":"es","source":"talk.es.srt"}})");
        QTest::newRow("transcript, language unknown")
            << SplitMethod::transcript(QString(), u"pasted text"_s)
            << QByteArray(R"({"transcript":{"language":"","source":"pasted text"}})");
    }

    void splitMethodsKeepTheirForm() {
        QFETCH(SplitMethod, method);
        QFETCH(QByteArray, json);
        QCOMPARE(QJsonDocument(method.toJson()).toJson(QJsonDocument::Compact), json);
        QCOMPARE(SplitMethod::fromJson(QJsonDocument::fromJson(json).object()), method);
    }

    void decodingRefusesDamagedFiles_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not json") << QByteArray("ID3\x03\x00 not a session");
        QTest::newRow("truncated") << sampleSession().encoded().chopped(20);
        for (const char* key : {"current", "duration", "filePath", "fileSize", "hardOnly", "method",
                                "sentences", "settings", "updatedAt", "version"})
            QTest::addRow("without %s", key)
                << sampleFile([key](QJsonObject& object) { object.remove(QLatin1String(key)); });
        QTest::newRow("size as string") << sampleWith("fileSize", u"1234567"_s);
        QTest::newRow("fractional current") << sampleWith("current", 1.5);
        QTest::newRow("huge version") << sampleWith("version", 1e300);
        QTest::newRow("hardOnly as number") << sampleWith("hardOnly", 1);
        QTest::newRow("sentence as number") << sampleWith("sentences", QJsonArray{3});
        QTest::newRow("confidence as string") << sampleWith(
            "sentences", QJsonArray{QJsonObject{
                             {"start", 1}, {"end", 2}, {"hard", false}, {"confidence", "high"}}});
        QTest::newRow("two methods")
            << sampleWith("method", QJsonObject{{"pauses", QJsonObject()},
                                                {"speech", QJsonObject{{"_0", "en-US"}}}});
        QTest::newRow("subtitles without source")
            << sampleWith("method", QJsonObject{{"subtitles", QJsonObject{{"language", "es"}}}});
        QTest::newRow("settings incomplete") << sampleWith("settings", QJsonObject{{"repeats", 3}});
        for (const char* date :
             {"2025-03-01T09:30:05.250Z", "2025-03-01T09:30:05", "2025-02-30T09:30:05Z"})
            QTest::addRow("date %s", date) << sampleWith("updatedAt", QString::fromLatin1(date));
        QTest::newRow("date as number") << sampleWith("updatedAt", 1740821405);
    }

    void decodingRefusesDamagedFiles() {
        QFETCH(QByteArray, file);
        QCOMPARE(Session::decoded(file), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(SessionTest)
#include "SessionTest.moc"
