#include "audio/Recorder.h"
#include "audio/RecorderError.h"
#include "ModelHarness.h"
#include "TestMedia.h"

#include <QFile>
#include <QJsonDocument>
#include <QSettings>
#include <QTest>

using Phase = AppModel::Phase;

class AppModelPracticeTest final : public QObject {
    Q_OBJECT

    std::unique_ptr<ModelHarness> m_h;
    QString m_a;
    double m_d = 0; // the length of each sentence

    bool waitIdle(int timeoutMs = 30000) {
        const auto idle = [this] {
            return !m_h->model().isWorking() && m_h->model().phase() == Phase::idle();
        };
        return QTest::qWaitFor(idle, timeoutMs) && m_h->settle(timeoutMs);
    }

private Q_SLOTS:
    // Four bursts of a second, one sentence each, with recognition hearing nothing.
    void init() {
        m_h = std::make_unique<ModelHarness>();
        m_a = m_h->media(QStringLiteral("a.wav"), {1.0, 1.0, 1.0, 1.0});
        QVERIFY(m_h->openAndSettle(m_a));
        const Sentence first = m_h->model().session()->sentences.at(0);
        m_d = first.end - first.start;
    }
    void cleanup() { m_h.reset(); }

    // Stopping ends a loop at once and for good; settings changed while it runs count from the
    // next loop; moving stops it too (opening another file is checked where files are handed
    // over).
    void aLoopThatIsStopped() {
        ModelHarness& h = *m_h;
        h->loopOrStop();
        QTRY_COMPARE_WITH_TIMEOUT(h->phase(), Phase::yourTurn(1, 3), 5000);
        h->select(0); // the current sentence: nothing happens
        h->toggleHard();
        h->setRate(0.5);
        QTRY_COMPARE_WITH_TIMEOUT(h->phase(), Phase::yourTurn(2, 3), 8000);
        QCOMPARE(h->phaseLength(), m_d);
        h->loopOrStop();
        QCOMPARE(h->phase(), Phase::idle());
        QVERIFY(waitIdle(700)); // the pause of 1 s ended at once
        QCOMPARE(h.devices().playbacks().size(), size_t(2));

        // Stopped while playing: the player releases the loop, which ends there.
        h.devices().options().speed = 0.5;
        h->loop();
        QCOMPARE(h->phaseLength(), m_d / 0.5);
        h->stop();
        QVERIFY(waitIdle(1000)); // of 4 s playing
        QVERIFY(h.devices().playbacks().back().stopped);
        // Only repetitions heard to the end count in the practice record.
        QCOMPARE(h->session()->sentences[0].practice.repetitions, 2);
        h.devices().options().speed = 8;
        h->loop();
        h->next();
        QCOMPARE(h->phase(), Phase::idle());
        QCOMPARE(h->session()->current, 1);
        QVERIFY(waitIdle());
    }

    // With auto-advance the end of a loop moves on and loops the next visible sentence, up to
    // the last one; among hard sentences only, from the first to the last hard one.
    void autoAdvanceRunsToTheLastVisibleSentence() {
        ModelHarness& h = *m_h;
        h->setRepeats(1);
        h->setGapFactor(0);
        h->setAutoAdvance(true);
        h->loop();
        QVERIFY(waitIdle());
        QCOMPARE(h->session()->current, 3);
        QCOMPARE(h.devices().playbacks().size(), size_t(4));
        h->toggleHard(0);
        h->toggleHard(2);
        h->setHardOnly(true);
        QCOMPARE(h->session()->current, 0);
        h->loop();
        QVERIFY(waitIdle());
        QCOMPARE(h->session()->current, 2);
        QCOMPARE(h.devices().playbacks().size(), size_t(6));
        QVERIFY(h.savedMatchesModel());
    }

    // The take follows the current sentence; an analysis that ends after the user moved on is
    // dropped.
    void movingWhileATakeIsAnalysed() {
        ModelHarness& h = *m_h;
        QStringList takes; // of sentences 0 and 2
        for (const int i : {0, 2}) {
            takes.append(h.store().takeURL(*h->session(), h->session()->sentences[size_t(i)]));
            QDir().mkpath(QFileInfo(takes.back()).absolutePath());
            TestMedia::convert(h.media(QStringLiteral("take.wav"), {1.5}, 0.5, 220), takes.back());
        }

        h->select(2); // starts analysing take 2
        h->select(1); // no take; take 2's analysis ends after this
        QVERIFY(h.settle());
        QVERIFY(!h->take());
        // The sentence's melody is there without a take: its tone voiced at one pitch.
        QVERIFY(std::count_if(h->melody().begin(), h->melody().end(),
                              [](float semitones) { return std::abs(semitones) < 0.2f; }) > 50);
        h->select(2);
        QVERIFY(h.settle());
        QCOMPARE(h->take()->url, takes[1]);
        QCOMPARE(h->take()->bars.size(), size_t(140));
        QVERIFY(h->take()->feedback && h->take()->feedback->pace);
        h->previous();
        h->previous(); // to sentence 0, whose analysis is still running: dropped with 1's
        h->next();
        QVERIFY(h.settle());
        QCOMPARE(h->session()->current, 1);
        QVERIFY(!h->take());
        h->previous();
        QVERIFY(h.settle());
        QCOMPARE(h->take()->url, takes[0]);
    }

    // Each choice of settings is remembered for the next new session, even one the session
    // has already; remembered values out of range are limited where they are used.
    void settingsAreRemembered() {
        ModelHarness& h = *m_h;
        const auto remembered = [&h] {
            const QByteArray json = QSettings(h.settingsFile(), QSettings::IniFormat)
                                        .value(QStringLiteral("settings"))
                                        .toByteArray();
            return PracticeSettings::fromJson(QJsonDocument::fromJson(json).object());
        };
        h->faster();
        h->slower();
        h->slower();
        h->setRepeats(0);
        QCOMPARE(h->session()->settings, PracticeSettings(1, 0.95, 1.0, false));
        QCOMPARE(remembered(), h->session()->settings);
        QVERIFY(h.savedMatchesModel());
        QVERIFY(h.openAndSettle(h.media(QStringLiteral("b.wav"))));
        QCOMPARE(h->session()->settings, PracticeSettings(1, 0.95, 1.0, false));
        h->setRate(0.6);
        QVERIFY(h.openAndSettle(m_a));
        h->setRate(0.95);
        QCOMPARE(remembered(), PracticeSettings(1, 0.95, 1.0, false));

        h->close();
        QSettings(h.settingsFile(), QSettings::IniFormat)
            .setValue(QStringLiteral("settings"),
                      QByteArray(R"({"autoAdvance":false,"gapFactor":7,"rate":3,"repeats":50})"));
        QCOMPARE(h->effectiveSettings(), PracticeSettings(20, 1.5, 4.0, false));
    }

    void recordingAndComparing() {
        ModelHarness& h = *m_h;
        const QString url = h.store().takeURL(*h->session(), *h->session()->currentSentence());
        // Without a take there is nothing to compare or play; without the microphone, nothing
        // plays.
        h->compare();
        h->playTake();
        QVERIFY(!h->isWorking());
        h.microphone().grants = false;
        h->record();
        QVERIFY(waitIdle());
        QVERIFY(h->micDenied() && h.devices().playbacks().empty());
        h.microphone().grants = true;

        // Listen first, then record up to the limit; the take is loaded at the end. Every phase
        // the model shows is logged with its planned length.
        std::vector<std::pair<Phase, double>> log;
        connect(&h.model(), &AppModel::phaseChanged, this, [&] {
            log.emplace_back(h->phase(), h->phase() == Phase::idle() ? 0 : h->phaseLength());
        });
        h->record();
        QVERIFY(waitIdle());
        const std::vector<std::pair<Phase, double>> recorded{
            {Phase::listenFirst(), m_d},
            {Phase::recording(), std::max(m_d * 1.6 + 1.0, 3.0)},
            {Phase::idle(), 0}};
        QCOMPARE(log, recorded);
        QCOMPARE(h->take()->url, url);
        QVERIFY2(h->take()->range.end > 2.9, qPrintable(QString::number(h->take()->range.end)));

        // Record again, Stop, Compare or Play Take during a recording ends it at once and keeps
        // what was recorded. The input runs at half speed, so the 3 s limit stays far off.
        for (const auto press :
             {&AppModel::record, &AppModel::stop, &AppModel::compare, &AppModel::playTake}) {
            h->record();
            h.devices().options().speed = 0.5;
            QTRY_COMPARE_WITH_TIMEOUT(h->phase(), Phase::recording(), 5000);
            QTest::qWait(1000);
            (h.model().*press)();
            QVERIFY(h->phase() != Phase::recording() && !h->recorder().recorder());
            QVERIFY(waitIdle());
            QVERIFY2(h->take()->range.end > 0.4 && h->take()->range.end < 2.5,
                     qPrintable(QString::number(h->take()->range.end)));
            h.devices().options().speed = 4;
        }
        const AppModel::Take take = *h->take();
        QCOMPARE(h->session()->currentSentence()->practice.takes, 5);

        // Comparing: the sentence at the practice rate, 0.4 s, then the voiced part of the take.
        h->setRate(0.8);
        log.clear();
        const size_t before = h.devices().playbacks().size();
        h->compare();
        QVERIFY(waitIdle());
        const std::vector<std::pair<Phase, double>> compared{
            {Phase::original(), m_d / 0.8},
            {Phase::take(), take.range.end - take.range.start},
            {Phase::idle(), 0}};
        QCOMPARE(log, compared);
        QCOMPARE(h.devices().playbacks().size(), before + 2);
        // The take (a quieter tone) as loud as the original.
        const auto level = [&h](size_t playback) {
            const std::vector<float> frames = h.devices().playbacks().at(playback).frames;
            double sum = 0; // over the middle 0.5 s
            for (size_t i = frames.size() / 2 - 11025; i < frames.size() / 2 + 11025; ++i)
                sum += double(frames[i]) * frames[i];
            return std::sqrt(sum);
        };
        QVERIFY2(std::abs(20 * std::log10(level(before + 1) / level(before))) < 1,
                 qPrintable(QString::number(level(before + 1) / level(before))));

        // A take that cannot be saved (its half-written file went away) says so; the earlier
        // take stays as shown.
        h.devices().options().speed = 1;
        h->record();
        QTRY_COMPARE_WITH_TIMEOUT(h->phase(), Phase::recording(), 5000);
        const QFileInfo target(url);
        QVERIFY(QFile::remove(target.dir().filePath(target.completeBaseName() + ".partial.m4a")));
        h->record();
        QVERIFY(h.settle());
        QCOMPARE(h->error(),
                 QStringLiteral("Couldn’t save your recording: No such file or directory (%1).")
                     .arg(url));
        QCOMPARE(h->take(), take);

        // A sound that cannot be played, from the start or part-way through, says why.
        for (const bool partWay : {false, true}) {
            h.devices().options().outputFails = !partWay;
            h.devices().options().outputFailsAfter = partWay ? std::optional(0.1) : std::nullopt;
            const QString why = partWay ? QStringLiteral("The sound output device stopped working.")
                                        : QStringLiteral("No sound output device is available.");
            for (const auto press : {&AppModel::loop, &AppModel::record, &AppModel::compare}) {
                h->setError(std::nullopt);
                (h.model().*press)();
                QVERIFY(waitIdle(3000));
                QCOMPARE(h->error(), QStringLiteral("Couldn’t play the sound: ") + why);
            }
        }
        h.devices().options().outputFailsAfter.reset();
        h.devices().options().inputFails = true;
        h->record();
        QVERIFY(waitIdle());
        QCOMPARE(h->error(), RecorderError::couldNotStart().description());
    }
};

QTEST_MAIN(AppModelPracticeTest)
#include "AppModelPracticeTest.moc"
