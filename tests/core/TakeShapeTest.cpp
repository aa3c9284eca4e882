#include "practice/TakeShape.h"

#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(EnergyProfile)

namespace {

// A take of 0.01 s frames: `before` seconds of near silence, `voice` seconds of speech, `after`
// seconds of near silence.
EnergyProfile take(double before, double voice, double after) {
    std::vector<float> rms;
    const auto add = [&rms](double seconds, float decibels) {
        rms.insert(rms.end(), size_t(std::lround(seconds / TakeShape::profileFrame)),
                   std::pow(10.0f, decibels / 20.0f));
    };
    add(before, -80);
    add(voice, -20);
    add(after, -80);
    return EnergyProfile(TakeShape::profileFrame, std::move(rms));
}

} // namespace

class TakeShapeTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keepsTheVoiceWithItsMargins_data() {
        QTest::addColumn<EnergyProfile>("profile");
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        // Padded by 0.15 s, then 0.05 s more before and 0.1 s more after.
        QTest::newRow("voice in the middle") << take(1, 1, 1) << 0.8 << 2.25;
        QTest::newRow("voice from the first frame") << take(0, 1, 1) << 0.0 << 1.25;
        QTest::newRow("voice to the last frame") << take(1, 1, 0.1) << 0.8 << 2.1;
        // A single short word is a voice; only silence leaves the whole take.
        QTest::newRow("short word") << take(1, 0.25, 1) << 0.8 << 1.5;
        QTest::newRow("silence") << take(2, 0, 0) << 0.0 << 2.0;
    }
    void keepsTheVoiceWithItsMargins() {
        QFETCH(EnergyProfile, profile);
        QFETCH(double, start);
        QFETCH(double, end);
        const TakeShape shape = TakeShape::of(profile);
        QVERIFY2(std::abs(shape.range.start - start) < 0.015,
                 qPrintable(QString::number(shape.range.start)));
        QVERIFY2(std::abs(shape.range.end - end) < 0.015,
                 qPrintable(QString::number(shape.range.end)));
        QCOMPARE(shape.bars.size(), size_t(TakeShape::barCount));
    }

    void unreadableTakeIsNoTake() {
        QVERIFY(!TakeShape::read(QStringLiteral("/nonexistent/take.m4a")));
    }
};

QTEST_GUILESS_MAIN(TakeShapeTest)
#include "TakeShapeTest.moc"
