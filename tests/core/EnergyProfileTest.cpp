#include "media/EnergyProfile.h"
#include "media/StableHash.h"

#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;
using Bars = std::vector<float>;

class EnergyProfileTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void frameLookupClamps() {
        const EnergyProfile profile(0.01, std::vector<float>(100, 0.5f));
        QCOMPARE(profile.duration(), 1.0);
        QCOMPARE(profile.frame(-1), 0);
        QCOMPARE(profile.frame(0.255), 25);
        QCOMPARE(profile.frame(99), 99);
        QCOMPARE(EnergyProfile().frame(3), 0);
    }

    void bars() {
        // Silent or empty spans give flat bars.
        const EnergyProfile loud(0.01, std::vector<float>(100, 0.5f));
        QCOMPARE(EnergyProfile(0.01, std::vector<float>(100, 0.0f)).bars(0, 1, 4), Bars(4, 0.0f));
        QCOMPARE(loud.bars(0.5, 0.5, 3), Bars(3, 0.0f));
        QCOMPARE(EnergyProfile().bars(0, 1, 2), Bars(2, 0.0f));
        QVERIFY(loud.bars(0, 1, 0).empty());

        // Frames 50…59, two a bar: a bar takes the louder of its frames, and the bars are the
        // square root of their level against the span's peak.
        std::vector<float> rms(100, 0.01f);
        rms[55] = 0.64f;
        const float quiet = std::sqrt(0.01f / 0.64f);
        QCOMPARE(EnergyProfile(0.01, rms).bars(0.5, 0.6, 5), (Bars{quiet, quiet, 1, quiet, quiet}));

        // Fewer frames than bars repeat them; a span past the end still reads the last frame.
        const EnergyProfile two(0.01, {0.1f, 0.4f});
        QCOMPARE(two.bars(0, 0.02, 4), (Bars{0.5f, 0.5f, 1, 1}));
        QCOMPARE(two.bars(5, 6, 2), (Bars{1, 1}));
    }

    void decibels() {
        QCOMPARE(EnergyProfile::decibels(0, -60), -60.0f);
        QCOMPARE(EnergyProfile::decibels(1, -60), 0.0f);
        QCOMPARE(EnergyProfile::decibels(0.1f, -60), -20.0f);
        QCOMPARE(EnergyProfile::decibels(-1, -90), -90.0f);
        QCOMPARE(EnergyProfile::decibels(1e-9f, -90), -90.0f);
    }

    // FNV-1a of the UTF-8 bytes: it names every stored session and cached sound track.
    void stableHash() {
        QCOMPARE(StableHash::hex(QString()), u"cbf29ce484222325"_s);
        QCOMPARE(StableHash::hex(u"abc"_s), u"e71fa2190541574b"_s);
        QCOMPARE(StableHash::hex(u"10"_s), u"7f89207b4ba08a4"_s);
        QVERIFY(StableHash::hex(u"é"_s) != StableHash::hex(u"e"_s));
    }
};

QTEST_GUILESS_MAIN(EnergyProfileTest)
#include "EnergyProfileTest.moc"
