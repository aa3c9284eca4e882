#include "session/Session.h"
#include "media/StableHash.h"
#include "session/SessionFileError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

#include <cmath>

namespace {

const QDateTime savedAt = QDateTime(QDate(2025, 3, 1), QTime(9, 30, 5), Qt::UTC);

Session sampleSession() {
    Session session(QStringLiteral("/media/Kurs/Lektion 1 – „Grüße“.mp3"), 1234567, 95.5,
                    {Sentence(0.25, 2.5, QStringLiteral("Guten Morgen!"), false),
                     Sentence(3, 5.125, std::nullopt, true),
                     Sentence(6, 9, QStringLiteral("Er sagte: \"ja\"\nund ging."), false)},
                    1, SplitMethod::speech(QStringLiteral("de-DE")),
                    PracticeSettings(4, 0.75, 1.5, true), true, savedAt);
    session.sentences[2].confidence = 0.375;
    session.showUncertainText = true;
    return session;
}

// Sentences 0…n−1, each a second long, with the given ones marked hard.
Session sessionWithHard(int count, std::initializer_list<int> hard, bool hardOnly) {
    Session session;
    for (int i = 0; i < count; ++i)
        session.sentences.emplace_back(i, i + 1);
    for (int i : hard)
        session.sentences[size_t(i)].hard = true;
    session.hardOnly = hardOnly;
    return session;
}

std::vector<qsizetype> hardIndices(const Session& session) {
    std::vector<qsizetype> indices;
    for (size_t i = 0; i < session.sentences.size(); ++i)
        if (session.sentences[i].hard)
            indices.push_back(qsizetype(i));
    return indices;
}

QJsonObject sampleObject() {
    return QJsonDocument::fromJson(sampleSession().encoded()).object();
}

QByteArray bytes(const QJsonObject& object) {
    return QJsonDocument(object).toJson();
}

} // namespace

class SessionTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keyNamesPathAndSize() {
        const QString path = QStringLiteral("/Volumes/Media/lesson.mp3");
        QCOMPARE(Session::key(path, 1234567), StableHash::hex(path + QStringLiteral("|1234567")));
        QVERIFY(Session::key(path, 1234568) != Session::key(path, 1234567));
        QVERIFY(Session::key(path + u'x', 1234567) != Session::key(path, 1234567));
        QCOMPARE(Session::key(path, -5), StableHash::hex(path + QStringLiteral("|-5")));
        Session session = sampleSession();
        QCOMPARE(session.key(), Session::key(session.filePath, session.fileSize));
    }

    void derivedProperties() {
        const Session session = sampleSession();
        QCOMPARE(session.version, 1);
        QCOMPARE(session.fileName(), QStringLiteral("Lektion 1 – „Grüße“.mp3"));
        QCOMPARE(session.hardCount(), 1);
        QCOMPARE(session.currentSentence(), session.sentences[1]);
        QCOMPARE(session.visible(), std::vector<qsizetype>({1}));

        Session outside = session;
        outside.current = 3;
        QCOMPARE(outside.currentSentence(), std::nullopt);
        outside.current = -1;
        QCOMPARE(outside.currentSentence(), std::nullopt);
        outside.hardOnly = false;
        QCOMPARE(outside.visible(), std::vector<qsizetype>({0, 1, 2}));

        QCOMPARE(lastPathComponent(QStringLiteral("/a/b/")), QStringLiteral("b"));
        QCOMPARE(lastPathComponent(QStringLiteral("/")), QStringLiteral("/"));
        QCOMPARE(lastPathComponent(QStringLiteral("plain.wav")), QStringLiteral("plain.wav"));
        QCOMPARE(lastPathComponent(QString()), QString());
    }

    void toggleHardIgnoresIndicesOutOfRange() {
        Session session = sessionWithHard(3, {}, false);
        const Session before = session;
        session.toggleHard(-1);
        session.toggleHard(3);
        QCOMPARE(session, before);
        session.toggleHard(2);
        QCOMPARE(hardIndices(session), std::vector<qsizetype>({2}));
        session.toggleHard(2);
        QCOMPARE(session, before);
    }

    void stepMovesAmongVisibleSentences_data() {
        QTest::addColumn<bool>("hardOnly");
        QTest::addColumn<qsizetype>("from");
        QTest::addColumn<qsizetype>("by");
        QTest::addColumn<qsizetype>("expected"); // −1: absent

        QTest::newRow("next hard") << true << qsizetype(3) << qsizetype(1) << qsizetype(5);
        QTest::newRow("past the last") << true << qsizetype(5) << qsizetype(1) << qsizetype(-1);
        QTest::newRow("two on") << true << qsizetype(0) << qsizetype(2) << qsizetype(5);
        QTest::newRow("same place") << true << qsizetype(3) << qsizetype(0) << qsizetype(3);
        QTest::newRow("before the first") << true << qsizetype(0) << qsizetype(-1) << qsizetype(-1);
        QTest::newRow("hidden, forward") << true << qsizetype(4) << qsizetype(1) << qsizetype(5);
        QTest::newRow("hidden, far forward")
            << true << qsizetype(4) << qsizetype(9) << qsizetype(5);
        QTest::newRow("hidden, back") << true << qsizetype(4) << qsizetype(-1) << qsizetype(3);
        QTest::newRow("hidden, zero") << true << qsizetype(4) << qsizetype(0) << qsizetype(3);
        QTest::newRow("hidden, after all") << true << qsizetype(6) << qsizetype(1) << qsizetype(-1);
        QTest::newRow("outside, back") << true << qsizetype(40) << qsizetype(-1) << qsizetype(5);
        QTest::newRow("outside, before") << true << qsizetype(-3) << qsizetype(1) << qsizetype(0);
        QTest::newRow("huge offset")
            << true << qsizetype(3) << std::numeric_limits<qsizetype>::max() << qsizetype(-1);
        QTest::newRow("huge negative")
            << true << qsizetype(3) << std::numeric_limits<qsizetype>::min() << qsizetype(-1);
        QTest::newRow("all visible") << false << qsizetype(4) << qsizetype(1) << qsizetype(5);
        QTest::newRow("all, back") << false << qsizetype(4) << qsizetype(-4) << qsizetype(0);
    }

    void stepMovesAmongVisibleSentences() {
        QFETCH(bool, hardOnly);
        QFETCH(qsizetype, from);
        QFETCH(qsizetype, by);
        QFETCH(qsizetype, expected);
        const Session session = sessionWithHard(7, {0, 3, 5}, hardOnly);
        if (hardOnly)
            QCOMPARE(session.visible(), std::vector<qsizetype>({0, 3, 5}));
        const std::optional<qsizetype> step = session.step(from, by);
        QCOMPARE(step.value_or(-1), expected);
    }

    void stepWithNothingVisibleIsAbsent() {
        const Session none = sessionWithHard(4, {}, true);
        for (qsizetype from : {-1, 0, 2, 9})
            for (qsizetype by : {-1, 0, 1})
                QCOMPARE(none.step(from, by), std::nullopt);
        QCOMPARE(Session().step(0, 1), std::nullopt);
    }

    void replaceSentencesKeepsPlaceAndMarks() {
        Session session;
        session.sentences = {Sentence(0, 4, std::nullopt, true), Sentence(4, 10), Sentence(10, 12),
                             Sentence(20, 30, std::nullopt, true)};
        session.current = 2; // middle 11
        session.hardOnly = true;
        session.settings = PracticeSettings(5, 1.25, 2, true);
        const Sentence endsAtOldHardEnd(3, 5, QStringLiteral("a"), false); // middle 4
        const std::vector<Sentence> fresh = {
            Sentence(0, 9, QStringLiteral("b"), false), // middle 4.5: in no hard sentence
            endsAtOldHardEnd,
            Sentence(9, 11, QStringLiteral("c"), false),  // ends exactly at the reference
            Sentence(11, 14, QStringLiteral("d"), true),  // was hard already
            Sentence(19, 21, QStringLiteral("e"), false), // middle 20: on the hard start
        };
        session.replaceSentences(fresh, SplitMethod::speech(QStringLiteral("en-US")));
        QCOMPARE(session.sentences.size(), fresh.size());
        QCOMPARE(session.sentences[1].text, QStringLiteral("a"));
        QCOMPARE(hardIndices(session), std::vector<qsizetype>({1, 3, 4}));
        QCOMPARE(session.current, 2);
        QCOMPARE(session.method, SplitMethod::speech(QStringLiteral("en-US")));
        QVERIFY(session.hardOnly);
        QCOMPARE(session.settings, PracticeSettings(5, 1.25, 2, true));

        // Every new sentence ends before the old place: the place is the last one.
        Session later = sessionWithHard(3, {}, false);
        later.current = 2; // middle 2.5
        later.replaceSentences({Sentence(0, 1), Sentence(1, 2)}, SplitMethod::pauses());
        QCOMPARE(later.current, 1);

        // An invalid old place counts as time 0; an empty list puts the place at 0.
        Session invalid = sessionWithHard(3, {}, false);
        invalid.current = 7;
        invalid.replaceSentences({Sentence(1, 2), Sentence(2, 3)}, SplitMethod::pauses());
        QCOMPARE(invalid.current, 0);
        invalid.current = 1;
        invalid.replaceSentences({}, SplitMethod::pauses());
        QCOMPARE(invalid.current, 0);
        QVERIFY(invalid.sentences.empty());
    }

    void fileHasSortedKeysAndWholeSecondDates() {
        Session session = sampleSession();
        session.updatedAt = savedAt.addMSecs(999);
        const QByteArray file = session.encoded();
        QVERIFY(file.contains("\n    \"current\": 1,\n")); // indented, one key a line
        qsizetype previous = -1;
        for (const char* key : {"current", "duration", "filePath", "fileSize", "hardOnly", "method",
                                "sentences", "settings", "updatedAt", "version"}) {
            const qsizetype at = file.indexOf(QByteArray("\n    \"") + key + "\":");
            QVERIFY2(at > previous, key);
            previous = at;
        }
        QVERIFY(file.contains("\"updatedAt\": \"2025-03-01T09:30:05Z\""));
        QVERIFY(file.contains("\"fileSize\": 1234567,"));

        // Written in another zone, the instant is still written in UTC.
        session.updatedAt = savedAt.toOffsetFromUtc(5400);
        QVERIFY(session.encoded().contains("\"updatedAt\": \"2025-03-01T09:30:05Z\""));
    }

    void decodingAcceptsWhatTheFormatAllows() {
        const Session original = sampleSession();
        QCOMPARE(Session::decoded(original.encoded()), original);

        QJsonObject object = sampleObject();
        object.insert(u"version", 7);
        object.insert(u"fileSize", 1234567.0);
        object.insert(u"current", 1.0);
        object.insert(u"comment", QStringLiteral("ignored"));
        object.insert(u"updatedAt", QStringLiteral("2025-03-01T10:30:05+01:00"));
        const std::optional<Session> loaded = Session::decoded(bytes(object));
        QVERIFY(loaded);
        QCOMPARE(loaded->version, 7);
        Session expected = original;
        expected.version = 7;
        QCOMPARE(*loaded, expected);

        // Written before recognition kept its confidences.
        object = sampleObject();
        object.remove(u"showUncertainText");
        QJsonArray sentences = object.value(u"sentences").toArray();
        QJsonObject sentence = sentences[2].toObject();
        sentence.remove(u"confidence");
        sentences[2] = sentence;
        object.insert(u"sentences", sentences);
        expected = original;
        expected.sentences[2].confidence.reset();
        expected.showUncertainText = false;
        QCOMPARE(Session::decoded(bytes(object)), expected);
    }

    void decodingRefusesDamagedFiles_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not json") << QByteArray("ID3\x03\x00 not a session");
        QTest::newRow("truncated") << sampleSession().encoded().chopped(20);
        QTest::newRow("array") << QByteArray("[1, 2]");
        QTest::newRow("null") << QByteArray("null");

        const auto without = [](const char* key) {
            QJsonObject object = sampleObject();
            object.remove(QLatin1String(key));
            return bytes(object);
        };
        for (const char* key : {"current", "duration", "filePath", "fileSize", "hardOnly", "method",
                                "sentences", "settings", "updatedAt", "version"})
            QTest::addRow("without %s", key) << without(key);

        const auto with = [](const char* key, const QJsonValue& value) {
            QJsonObject object = sampleObject();
            object.insert(QLatin1String(key), value);
            return bytes(object);
        };
        QTest::newRow("size as string") << with("fileSize", QStringLiteral("1234567"));
        QTest::newRow("fractional current") << with("current", 1.5);
        QTest::newRow("huge version") << with("version", 1e300);
        QTest::newRow("duration as string") << with("duration", QStringLiteral("95.5"));
        QTest::newRow("hardOnly as number") << with("hardOnly", 1);
        QTest::newRow("sentences as object") << with("sentences", QJsonObject());
        QTest::newRow("sentence without hard")
            << with("sentences", QJsonArray{QJsonObject{{"start", 1}, {"end", 2}}});
        QTest::newRow("sentence as number") << with("sentences", QJsonArray{3});
        QTest::newRow("confidence as string") << with(
            "sentences", QJsonArray{QJsonObject{
                             {"start", 1}, {"end", 2}, {"hard", false}, {"confidence", "high"}}});
        QTest::newRow("showUncertainText as number") << with("showUncertainText", 1);
        QTest::newRow("two methods")
            << with("method", QJsonObject{{"pauses", QJsonObject()},
                                          {"speech", QJsonObject{{"_0", "en-US"}}}});
        QTest::newRow("settings incomplete")
            << with("settings", QJsonObject{{"repeats", 3}, {"rate", 1}, {"gapFactor", 1}});
        for (const char* date :
             {"2025-03-01T09:30:05.250Z", "2025-03-01 09:30:05Z", "2025-03-01T09:30:05",
              "2025-02-30T09:30:05Z", "2025-03-01T24:00:00Z", "2025-03-01T09:30:60Z",
              "2025-03-01T09:30:05+25:00", "0000-03-01T09:30:05Z", "2025-3-01T09:30:05Z",
              "+025-03-01T09:30:05Z", ""})
            QTest::addRow("date %s", date) << with("updatedAt", QString::fromLatin1(date));
        QTest::newRow("date as number") << with("updatedAt", 1740821405);
    }

    void decodingRefusesDamagedFiles() {
        QFETCH(QByteArray, file);
        QCOMPARE(Session::decoded(file), std::nullopt);
    }

    void encodingRefusesWhatTheFileCannotHold() {
        const auto refuses = [](Session session) {
            try {
                session.encoded();
            } catch (const SessionFileError& error) {
                return !error.description().isEmpty();
            }
            return false;
        };
        Session session = sampleSession();
        session.duration = std::nan("");
        QVERIFY(refuses(session));
        session = sampleSession();
        session.sentences[2].end = INFINITY;
        QVERIFY(refuses(session));
        session = sampleSession();
        session.settings.rate = -INFINITY;
        QVERIFY(refuses(session));
        session = sampleSession();
        session.updatedAt = QDateTime();
        QVERIFY(refuses(session));
        session.updatedAt = QDateTime(QDate(10000, 1, 1), QTime(0, 0), Qt::UTC);
        QVERIFY(refuses(session));
        QVERIFY(!refuses(sampleSession()));
    }
};

QTEST_GUILESS_MAIN(SessionTest)
#include "SessionTest.moc"
