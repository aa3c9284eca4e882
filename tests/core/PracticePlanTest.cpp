#include "practice/PracticePlan.h"
#include "base/QuellinError.h"

#include <QJsonDocument>
#include <QTest>

#include <cmath>

using Kind = PracticeStep::Kind;

Q_DECLARE_METATYPE(PracticeSettings)

class PracticePlanTest final : public QObject {
    Q_OBJECT

private:
    static PracticeSettings decode(const char* json) {
        return PracticeSettings::fromJson(QJsonDocument::fromJson(QByteArray(json)).object());
    }

private Q_SLOTS:
    void clampedLimitsEveryValueToItsRange() {
        QCOMPARE(PracticeSettings(0, 0.2, -1, true).clamped(), PracticeSettings(1, 0.5, 0, true));
        QCOMPARE(PracticeSettings(25, 3.0, 9, false).clamped(),
                 PracticeSettings(20, 1.5, 4, false));
        QCOMPARE(PracticeSettings(7, 1.25, 1.5, true).clamped(),
                 PracticeSettings(7, 1.25, 1.5, true));
        const PracticeSettings notANumber =
            PracticeSettings(3, std::nan(""), std::nan(""), false).clamped();
        QCOMPARE(notANumber.rate, 0.5);
        QCOMPARE(notANumber.gapFactor, 0.0);
        QCOMPARE(PracticeSettings::standard(), PracticeSettings(3, 1.0, 1.0, false));
    }

    void settingsJsonKeepsValuesAsStored() {
        const PracticeSettings outOfRange(50, 0.25, 6, true);
        QCOMPARE(PracticeSettings::fromJson(outOfRange.toJson()), outOfRange);
        QCOMPARE(decode(R"({"repeats":50,"rate":1,"gapFactor":0.5,"autoAdvance":false,"x":1})"),
                 PracticeSettings(50, 1.0, 0.5, false));
        QCOMPARE(decode(R"({"repeats":4.0,"rate":1.5,"gapFactor":0,"autoAdvance":true})").repeats,
                 4);

        const char* unreadable[] = {
            R"({"repeats":3,"rate":1,"gapFactor":1})",
            R"({"repeats":2.5,"rate":1,"gapFactor":1,"autoAdvance":false})",
            R"({"repeats":"3","rate":1,"gapFactor":1,"autoAdvance":false})",
            R"({"repeats":3,"rate":null,"gapFactor":1,"autoAdvance":false})",
            R"({"repeats":3,"rate":1,"gapFactor":1,"autoAdvance":0})",
            R"({"repeats":3000000000,"rate":1,"gapFactor":1,"autoAdvance":false})",
        };
        for (const char* json : unreadable)
            QVERIFY_THROWS_EXCEPTION(DecodingError, decode(json));
        QVERIFY_THROWS_EXCEPTION(DecodingError, PracticeSettings::fromJson(QJsonValue(3)));
    }

    void planArithmetic_data() {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<PracticeSettings>("settings");
        QTest::addColumn<int>("plays");
        QTest::addColumn<double>("play");
        QTest::addColumn<double>("gap"); // 0: no gap steps

        QTest::newRow("standard") << 2.0 << 4.0 << PracticeSettings(3, 1.0, 1.0, false) << 3 << 2.0
                                  << 2.0;
        // Limited to 0, which means no pause at all rather than the least one.
        QTest::newRow("negative factor")
            << 2.0 << 4.0 << PracticeSettings(2, 1.0, -1.0, false) << 2 << 2.0 << 0.0;
        QTest::newRow("short sentence")
            << 1.0 << 1.3 << PracticeSettings(3, 1.0, 1.0, false) << 3 << 0.3 << 0.8;
        QTest::newRow("zero repeats")
            << 2.0 << 4.0 << PracticeSettings(0, 1.0, 1.0, false) << 1 << 2.0 << 2.0;
        QTest::newRow("too many repeats")
            << 2.0 << 4.0 << PracticeSettings(25, 1.0, 1.0, false) << 20 << 2.0 << 2.0;
        QTest::newRow("rate too high")
            << 2.0 << 4.0 << PracticeSettings(1, 3.0, 1.0, false) << 1 << 4.0 / 3 << 4.0 / 3;
        QTest::newRow("rate too low")
            << 2.0 << 4.0 << PracticeSettings(1, 0.05, 1.0, false) << 1 << 4.0 << 4.0;
        QTest::newRow("factor too high")
            << 2.0 << 4.0 << PracticeSettings(1, 1.0, 9.0, false) << 1 << 2.0 << 8.0;
        QTest::newRow("backwards sentence")
            << 4.0 << 2.0 << PracticeSettings(2, 1.0, 1.0, false) << 2 << 0.0 << 0.8;
    }

    void planArithmetic() {
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(PracticeSettings, settings);
        QFETCH(int, plays);
        QFETCH(double, play);
        QFETCH(double, gap);
        const Sentence sentence(start, end);

        const std::vector<PracticeStep> steps = PracticePlan::steps(sentence, settings);
        const int perRepetition = gap > 0 ? 2 : 1;
        QCOMPARE(int(steps.size()), plays * perRepetition);
        for (size_t i = 0; i < steps.size(); ++i) {
            const bool isPlay = i % perRepetition == 0;
            const PracticeStep expected{isPlay ? Kind::play : Kind::gap, int(i) / perRepetition + 1,
                                        isPlay ? play : gap};
            QCOMPARE(steps[i].kind, expected.kind);
            QCOMPARE(steps[i].repetition, expected.repetition);
            QCOMPARE(steps[i].duration, expected.duration);
        }
        QCOMPARE(PracticePlan::gap(sentence, settings), gap);
        QCOMPARE(PracticePlan::totalTime(sentence, settings), plays * (play + gap));
    }

    void playTimeAndTakeLimit() {
        const Sentence oneSecond(10, 11);
        const Sentence fiveSeconds(10, 15);
        // playTime only keeps the rate above 0.1; the plan limits it to 0.5 … 1.5.
        QCOMPARE(PracticePlan::playTime(oneSecond, 0.05), 10.0);
        QCOMPARE(PracticePlan::playTime(oneSecond, 3.0), 1.0 / 3);
        QCOMPARE(PracticePlan::playTime(oneSecond, std::nan("")), 10.0);
        QCOMPARE(PracticePlan::takeLimit(oneSecond, 1.0), 3.0);
        QCOMPARE(PracticePlan::takeLimit(fiveSeconds, 1.0), 9.0);
        QCOMPARE(PracticePlan::takeLimit(fiveSeconds, 0.5), 17.0);
        QCOMPARE(PracticePlan::takeLimit(Sentence(3, 1), 1.0), 3.0);
    }
};

QTEST_GUILESS_MAIN(PracticePlanTest)
#include "PracticePlanTest.moc"
