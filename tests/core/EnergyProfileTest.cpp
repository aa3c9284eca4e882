#include "media/EnergyProfile.h"
#include "media/MediaError.h"
#include "media/StableHash.h"

#include <QTest>

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

    void barsOfEmptyAndSilentSpans() {
        const EnergyProfile silent(0.01, std::vector<float>(100, 0.0f));
        QCOMPARE(silent.bars(0, 1, 4), std::vector<float>(4, 0.0f));
        const EnergyProfile loud(0.01, std::vector<float>(100, 0.5f));
        QCOMPARE(loud.bars(0.5, 0.5, 3), std::vector<float>(3, 0.0f));
        QCOMPARE(EnergyProfile().bars(0, 1, 2), std::vector<float>(2, 0.0f));
        QVERIFY(loud.bars(0, 1, 0).empty());
    }

    void barsNormaliseToTheSpansPeak() {
        std::vector<float> rms(100, 0.01f);
        rms[55] = 0.64f;
        const EnergyProfile profile(0.01, rms);
        // Frames 50…59, two a bar: a bar takes the louder of its frames.
        const float quiet = std::sqrt(0.01f / 0.64f);
        QCOMPARE(profile.bars(0.5, 0.6, 5), (std::vector<float>{quiet, quiet, 1.0f, quiet, quiet}));
    }

    void barsRepeatFramesWhenShort() {
        const EnergyProfile profile(0.01, {0.1f, 0.4f});
        const auto bars = profile.bars(0, 0.02, 4);
        QCOMPARE(bars, (std::vector<float>{std::sqrt(0.25f), std::sqrt(0.25f), 1.0f, 1.0f}));
        // A span past the end still reads the last frame.
        QCOMPARE(profile.bars(5, 6, 2), (std::vector<float>{1.0f, 1.0f}));
    }

    void decibels() {
        QCOMPARE(EnergyProfile::decibels(0, -60), -60.0f);
        QCOMPARE(EnergyProfile::decibels(1, -60), 0.0f);
        QCOMPARE(EnergyProfile::decibels(0.1f, -60), -20.0f);
        QCOMPARE(EnergyProfile::decibels(-1, -90), -90.0f);
        QCOMPARE(EnergyProfile::decibels(1e-9f, -90), -90.0f);
    }

    void stableHash() {
        QCOMPARE(StableHash::hex(QString()), QStringLiteral("cbf29ce484222325"));
        QCOMPARE(StableHash::hex(QStringLiteral("abc")), QStringLiteral("e71fa2190541574b"));
        QCOMPARE(StableHash::hex(QStringLiteral("10")), QStringLiteral("7f89207b4ba08a4"));
        // Non-ASCII paths hash their UTF-8 bytes.
        QVERIFY(StableHash::hex(QStringLiteral("é")) != StableHash::hex(QStringLiteral("e")));
    }

    void mediaErrorTexts() {
        QCOMPARE(MediaError::unreadable().description(),
                 QStringLiteral("This file can’t be read as audio or video."));
        QCOMPARE(MediaError::noAudio().description(),
                 QStringLiteral("This file has no sound track."));
        QVERIFY(MediaError::noAudio() == MediaError::noAudio());
        QVERIFY(!(MediaError::noAudio() == MediaError::unreadable()));
    }
};

QTEST_GUILESS_MAIN(EnergyProfileTest)
#include "EnergyProfileTest.moc"
