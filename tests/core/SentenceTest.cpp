#include "base/Sentence.h"
#include "base/QuellinError.h"

#include <QJsonDocument>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QJsonObject parse(const char* json) {
    return QJsonDocument::fromJson(json).object();
}

QByteArray compact(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

} // namespace

class SentenceTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void derivedValues() {
        QCOMPARE(Sentence(1.2345, 2.0).id(), 1235);
        QCOMPARE(Sentence(0.0004999, 1).id(), 0);
        QCOMPARE(Sentence(5, 3).duration(), 0.0);
        QCOMPARE(Sentence(5, 3).middle(), 4.0);
        const Sentence a{1, 2, u"Hi."_s, false};
        QCOMPARE(QSet<Sentence>({a, Sentence{1, 2, u"Hi."_s, false}}).size(), 1);
        QVERIFY((Sentence{1, 2, QString(), false}) != (Sentence{1, 2, std::nullopt, false}));
    }

    void json() {
        QCOMPARE(compact(Sentence(1.5, 3.25).toJson()), R"({"end":3.25,"hard":false,"start":1.5})");
        QCOMPARE(compact(Sentence(0, 1, u"Guten Tag."_s, true).toJson()),
                 R"({"end":1,"hard":true,"start":0,"text":"Guten Tag."})");
        QCOMPARE(Sentence::fromJson(parse(R"({"start":1,"end":2,"text":null,"hard":false,"x":3})")),
                 Sentence(1, 2));
        QCOMPARE(Word::fromJson(Word(u" so,"_s, 0.5, 0.2).toJson()), Word(u" so,"_s, 0.5, 0.2));
        QCOMPARE(TimeRange::fromJson(TimeRange(0.25, 1.75).toJson()), TimeRange(0.25, 1.75));
        QCOMPARE(compact(SplitMethod::speech(u"en-US"_s).toJson()), R"({"speech":{"_0":"en-US"}})");
        QCOMPARE(compact(SplitMethod::pauses().toJson()), R"({"pauses":{}})");
        QCOMPARE(SplitMethod::fromJson(parse(R"({"speech":{"_0":"en-US"}})")),
                 SplitMethod::speech(u"en-US"_s));
        QCOMPARE(SplitMethod::fromJson(parse(R"({"pauses":{"a":1}})")), SplitMethod::pauses());

        for (const char* json : {R"({"start":1,"end":2})", R"({"start":"1","end":2,"hard":true})",
                                 R"({"start":1,"end":2,"hard":1})"})
            QVERIFY_THROWS_EXCEPTION(DecodingError, Sentence::fromJson(parse(json)));
        QVERIFY_THROWS_EXCEPTION(DecodingError, Word::fromJson(parse(R"({"text":"a","start":1})")));
        for (const char* json : {"{}", R"({"speech":{"_0":"en-US"},"pauses":{}})",
                                 R"({"speech":{}})", R"({"pauses":[]})"})
            QVERIFY_THROWS_EXCEPTION(DecodingError, SplitMethod::fromJson(parse(json)));
    }

    void timeText_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("tenths"); // TimeText::short_
        QTest::addColumn<QString>("hundredths");
        QTest::addColumn<QString>("whole");
        const auto row = [](const char* name, double seconds, const char* tenths,
                            const char* hundredths, const char* whole) {
            QTest::newRow(name) << seconds << QString::fromLatin1(tenths)
                                << QString::fromLatin1(hundredths) << QString::fromLatin1(whole);
        };
        row("minute", 65.3, "1:05.3", "1:05.30", "1:05");
        row("rounds down", 7.04, "0:07.0", "0:07.04", "0:07");
        row("half a second up", 59.5, "0:59.5", "0:59.50", "1:00");
        row("carries into minute", 59.96, "1:00.0", "0:59.96", "1:00");
        row("last before hour", 3599.4, "59:59.4", "59:59.40", "59:59");
        row("rounds to hour", 3599.996, "1:00:00.0", "1:00:00.00", "1:00:00");
        row("hours", 3725.3, "1:02:05.3", "1:02:05.30", "1:02:05");
        row("negative", -3, "0:00.0", "0:00.00", "0:00");
        row("nan", std::nan(""), "0:00.0", "0:00.00", "0:00");
    }

    void timeText() {
        QFETCH(double, seconds);
        QFETCH(QString, tenths);
        QFETCH(QString, hundredths);
        QFETCH(QString, whole);
        QCOMPARE(TimeText::short_(seconds), tenths);
        QCOMPARE(TimeText::short_(seconds, true), hundredths);
        QCOMPARE(TimeText::whole(seconds), whole);
    }
};

QTEST_GUILESS_MAIN(SentenceTest)
#include "SentenceTest.moc"
