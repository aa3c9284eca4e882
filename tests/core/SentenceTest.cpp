#include "base/QuellinError.h"
#include "base/Sentence.h"

#include <QJsonDocument>
#include <QSet>
#include <QTest>

class SentenceTest final : public QObject {
    Q_OBJECT

private:
    static QJsonObject parse(const char* json) {
        return QJsonDocument::fromJson(QByteArray(json)).object();
    }

    static QString decodingFailure(const char* json) {
        try {
            SplitMethod::fromJson(parse(json));
        } catch (const DecodingError& error) {
            return error.description();
        }
        return {};
    }

private Q_SLOTS:
    void derivedValues() {
        QCOMPARE(Sentence(1.2345, 2.0).id(), 1235);
        QCOMPARE(Sentence(0, 1).id(), 0);
        QCOMPARE(Sentence(0.0004999, 1).id(), 0);
        const Sentence backwards{5.0, 3.0};
        QCOMPARE(backwards.duration(), 0.0);
        QCOMPARE(backwards.middle(), 4.0);
        QCOMPARE(Word(QStringLiteral("Hallo."), 1.5, 0.25).end(), 1.75);
    }

    void equalityAndHash() {
        const Sentence a{1, 2, QStringLiteral("Hi."), false};
        const Sentence b{1, 2, QStringLiteral("Hi."), false};
        QCOMPARE(a, b);
        QCOMPARE(qHash(a), qHash(b));
        QVERIFY(a != (Sentence{1, 2, QStringLiteral("Hi."), true}));
        QVERIFY(a != (Sentence{1, 2, std::nullopt, false}));
        QVERIFY((Sentence{1, 2, QString(), false}) != (Sentence{1, 2, std::nullopt, false}));
        QCOMPARE(QSet<Sentence>({a, b}).size(), 1);
    }

    void sentenceJson() {
        const Sentence plain{1.5, 3.25};
        const QJsonObject encoded = plain.toJson();
        QVERIFY(!encoded.contains(u"text"));
        QCOMPARE(encoded.value(u"hard").toBool(), false);
        QCOMPARE(Sentence::fromJson(encoded), plain);

        const Sentence spoken{0, 1, QStringLiteral("Guten Tag."), true};
        QCOMPARE(Sentence::fromJson(spoken.toJson()), spoken);
        QCOMPARE(Sentence::fromJson(parse(R"({"start":1,"end":2,"text":null,"hard":false,"x":3})")),
                 (Sentence{1, 2}));
        QVERIFY_THROWS_EXCEPTION(DecodingError, Sentence::fromJson(parse(R"({"start":1,"end":2})")));
        QVERIFY_THROWS_EXCEPTION(DecodingError,
                                 Sentence::fromJson(parse(R"({"start":"1","end":2,"hard":true})")));
        QVERIFY_THROWS_EXCEPTION(DecodingError,
                                 Sentence::fromJson(parse(R"({"start":1,"end":2,"hard":1})")));
    }

    void wordAndRangeJson() {
        const Word word(QStringLiteral(" so,"), 0.5, 0.2);
        QCOMPARE(Word::fromJson(word.toJson()), word);
        QVERIFY_THROWS_EXCEPTION(DecodingError, Word::fromJson(parse(R"({"text":"a","start":1})")));
        const TimeRange range(0.25, 1.75);
        QCOMPARE(TimeRange::fromJson(range.toJson()), range);
        QCOMPARE(range.duration(), 1.5);
        QCOMPARE(TimeRange(2, 1).duration(), -1.0);
    }

    void splitMethodJson() {
        QCOMPARE(QJsonDocument(SplitMethod::speech(QStringLiteral("en-US")).toJson())
                     .toJson(QJsonDocument::Compact),
                 QByteArray(R"({"speech":{"_0":"en-US"}})"));
        QCOMPARE(QJsonDocument(SplitMethod::pauses().toJson()).toJson(QJsonDocument::Compact),
                 QByteArray(R"({"pauses":{}})"));
        QCOMPARE(SplitMethod::fromJson(parse(R"({"pauses":{}})")), SplitMethod::pauses());
        QCOMPARE(SplitMethod::fromJson(parse(R"({"speech":{"_0":"en-US"}})")),
                 SplitMethod::speech(QStringLiteral("en-US")));
        QCOMPARE(SplitMethod::fromJson(parse(R"({"pauses":{"a":1},"other":2})")),
                 SplitMethod::pauses());
        const QString expected = QStringLiteral("Invalid number of keys found, expected one.");
        QCOMPARE(decodingFailure("{}"), expected);
        QCOMPARE(decodingFailure(R"({"speech":{"_0":"en-US"},"pauses":{}})"), expected);
        QVERIFY(!decodingFailure(R"({"speech":{}})").isEmpty());
        QVERIFY(!decodingFailure(R"({"pauses":[]})").isEmpty());
        QVERIFY(SplitMethod::speech(QStringLiteral("de-DE")) != SplitMethod::speech(QStringLiteral("en-US")));
        QVERIFY(SplitMethod::speech(QStringLiteral("en-US")) != SplitMethod::pauses());
    }

    void shortTimeText_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("minute") << 65.3 << QStringLiteral("1:05.3");
        QTest::newRow("rounds down") << 7.04 << QStringLiteral("0:07.0");
        QTest::newRow("negative") << -3.0 << QStringLiteral("0:00.0");
        QTest::newRow("nan") << std::nan("") << QStringLiteral("0:00.0");
        QTest::newRow("carries into minute") << 59.96 << QStringLiteral("1:00.0");
        QTest::newRow("last before hour") << 3599.9 << QStringLiteral("59:59.9");
        QTest::newRow("hour") << 3600.0 << QStringLiteral("1:00:00.0");
        QTest::newRow("hours") << 3725.3 << QStringLiteral("1:02:05.3");
    }
    void shortTimeText() {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(TimeText::short_(seconds), text);
    }

    void wholeTimeText_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("half rounds up") << 59.5 << QStringLiteral("1:00");
        QTest::newRow("minutes") << 754.0 << QStringLiteral("12:34");
        QTest::newRow("hour") << 3600.0 << QStringLiteral("1:00:00");
        QTest::newRow("below hour") << 3599.4 << QStringLiteral("59:59");
        QTest::newRow("rounds to hour") << 3599.5 << QStringLiteral("1:00:00");
        QTest::newRow("negative") << -1.0 << QStringLiteral("0:00");
    }
    void wholeTimeText() {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(TimeText::whole(seconds), text);
    }
};

QTEST_GUILESS_MAIN(SentenceTest)
#include "SentenceTest.moc"
