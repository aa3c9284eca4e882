#include "practice/PracticePlan.h"
#include "base/QuellinError.h"

#include <QJsonDocument>
#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(PracticeSettings)

class PracticePlanTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void settingsAreLimitedWhereUsedAndStoredAsGiven() {
        QCOMPARE(PracticeSettings(0, 0.2, -1, true).clamped(), PracticeSettings(1, 0.5, 0, true));
        QCOMPARE(PracticeSettings(25, 3.0, 9, false).clamped(),
                 PracticeSettings(20, 1.5, 4, false));
        QCOMPARE(PracticeSettings(3, std::nan(""), std::nan(""), false).clamped(),
                 PracticeSettings(3, 0.5, 0, false));

        const PracticeSettings outOfRange(50, 0.25, 6, true);
        QCOMPARE(PracticeSettings::fromJson(outOfRange.toJson()), outOfRange);
        const auto decode = [](const char* json) {
            return PracticeSettings::fromJson(QJsonDocument::fromJson(json).object());
        };
        QCOMPARE(decode(R"({"repeats":4.0,"rate":1,"gapFactor":0.5,"autoAdvance":false,"x":1})"),
                 PracticeSettings(4, 1.0, 0.5, false));
        for (const char* json : {R"({"repeats":3,"rate":1,"gapFactor":1})",
                                 R"({"repeats":2.5,"rate":1,"gapFactor":1,"autoAdvance":false})",
                                 R"({"repeats":3,"rate":null,"gapFactor":1,"autoAdvance":false})",
                                 R"({"repeats":3,"rate":1,"gapFactor":1,"autoAdvance":0})",
                                 R"({"repeats":3e9,"rate":1,"gapFactor":1,"autoAdvance":false})"})
            QVERIFY_THROWS_EXCEPTION(DecodingError, decode(json));
    }

    void plan_data() {
        QTest::addColumn<Sentence>("sentence");
        QTest::addColumn<PracticeSettings>("settings");
        QTest::addColumn<int>("plays");
        QTest::addColumn<double>("play");
        QTest::addColumn<double>("gap"); // 0: no gap steps
        const auto row = [](const char* name, double start, double end, PracticeSettings settings,
                            int plays, double play, double gap) {
            QTest::newRow(name) << Sentence(start, end) << settings << plays << play << gap;
        };
        row("standard", 2, 4, PracticeSettings(3, 1.0, 1.0, false), 3, 2.0, 2.0);
        // A factor of 0 means no pause at all rather than the least one.
        row("no pause", 2, 4, PracticeSettings(2, 1.0, -1.0, false), 2, 2.0, 0);
        row("least pause", 1, 1.25, PracticeSettings(3, 1.0, 1.0, false), 3, 0.25, 0.8);
        row("repeats limited", 2, 4, PracticeSettings(25, 1.0, 1.0, false), 20, 2.0, 2.0);
        row("rate limited", 2, 4, PracticeSettings(1, 3.0, 9.0, false), 1, 4.0 / 3, 16.0 / 3);
        row("backwards sentence", 4, 2, PracticeSettings(2, 1.0, 1.0, false), 2, 0, 0.8);
    }

    // Each repetition plays, then pauses.
    void plan() {
        QFETCH(Sentence, sentence);
        QFETCH(PracticeSettings, settings);
        QFETCH(int, plays);
        QFETCH(double, play);
        QFETCH(double, gap);
        std::vector<PracticeStep> expected;
        for (int repetition = 1; repetition <= plays; ++repetition) {
            expected.push_back({PracticeStep::Kind::play, repetition, play});
            if (gap > 0)
                expected.push_back({PracticeStep::Kind::gap, repetition, gap});
        }
        QCOMPARE(PracticePlan::steps(sentence, settings), expected);
        QCOMPARE(PracticePlan::totalTime(sentence, settings), plays * (play + gap));
    }

    void playTimeAndTakeLimit() {
        // playTime only keeps the rate above 0.1; the plan limits it to 0.5 … 1.5.
        QCOMPARE(PracticePlan::playTime(Sentence(10, 11), 0.05), 10.0);
        QCOMPARE(PracticePlan::playTime(Sentence(10, 11), std::nan("")), 10.0);
        QCOMPARE(PracticePlan::takeLimit(Sentence(10, 11), 1.0), 3.0);
        QCOMPARE(PracticePlan::takeLimit(Sentence(10, 15), 0.5), 17.0);
        QCOMPARE(PracticePlan::takeLimit(Sentence(3, 1), 1.0), 3.0);
    }
};

QTEST_GUILESS_MAIN(PracticePlanTest)
#include "PracticePlanTest.moc"
