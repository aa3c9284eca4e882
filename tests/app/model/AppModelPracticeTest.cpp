#include "audio/Player.h"
#include "audio/Recorder.h"
#include "audio/RecorderError.h"
#include "ModelHarness.h"
#include "TestMedia.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

using Phase = AppModel::Phase;

namespace {

// Every phase the model shows, with its planned length and when it began (ms since the log
// started).
struct PhaseLog {
    std::vector<Phase> phases;
    std::vector<double> lengths;
    std::vector<qint64> at;
    QElapsedTimer clock;
    explicit PhaseLog(AppModel& model) {
        clock.start();
        QObject::connect(&model, &AppModel::phaseChanged, &model, [this, &model] {
            phases.push_back(model.phase());
            lengths.push_back(model.phaseLength());
            at.push_back(clock.elapsed());
        });
    }
    void clear() { phases.clear(), lengths.clear(), at.clear(); }
};

} // namespace

class AppModelPracticeTest final : public QObject {
    Q_OBJECT

    // Opens a file of bursts (one sentence each) with recognition hearing nothing.
    static void openBursts(ModelHarness& h, const std::vector<double>& lengths,
                           const QString& name = QStringLiteral("a.wav")) {
        const QString path = ModelMedia::bursts(h.mediaFolder() + u'/' + name, lengths);
        h.engine().setScript({ScriptedEngine::finish(true)});
        QVERIFY(h.openAndSettle(path));
        QCOMPARE(h->session()->sentences.size(), lengths.size());
    }

    static bool waitIdle(ModelHarness& h, int timeoutMs = 30000) {
        QElapsedTimer timer;
        timer.start();
        while (h->isWorking() || h->phase() != Phase::idle()) {
            if (timer.elapsed() > timeoutMs)
                return false;
            QTest::qWait(5);
        }
        return h.settle(timeoutMs);
    }

    // A take file for the sentence: a tone of `voice` s between `pause` s of silence, or only
    // silence when `voice` is 0.
    static QString makeTake(ModelHarness& h, const Sentence& sentence, double pause, double voice) {
        const QString target = h.store().takeURL(*h->session(), sentence);
        const QString wav = h.folder() + QStringLiteral("/take-%1.wav").arg(sentence.id());
        voice > 0 ? ModelMedia::bursts(wav, {voice}, pause, 220) : ModelMedia::silence(wav, pause);
        QDir().mkpath(QFileInfo(target).absolutePath());
        return TestMedia::convert(wav, target,
                                  {QStringLiteral("-ac"), QStringLiteral("1"),
                                   QStringLiteral("-ar"), QStringLiteral("44100")});
    }

private Q_SLOTS:
    // With the standard settings a loop plays and pauses three times, each as long as the
    // sentence; with gap factor 0 it only plays; at half speed with the least pause the playing
    // is twice as long and its 0.25 pause is raised to 0.8 s.
    void loopRunsItsPhases() {
        ModelHarness h;
        openBursts(h, {1.0, 1.0});
        const Sentence sentence = *h->session()->currentSentence();
        const double d = sentence.end - sentence.start;
        PhaseLog log(h.model());
        h->loop();
        QCOMPARE(h->phase(), Phase::playing(1, 3));
        QVERIFY(waitIdle(h));
        QCOMPARE(log.phases,
                 (std::vector<Phase>{Phase::playing(1, 3), Phase::yourTurn(1, 3),
                                     Phase::playing(2, 3), Phase::yourTurn(2, 3),
                                     Phase::playing(3, 3), Phase::yourTurn(3, 3), Phase::idle()}));
        for (size_t i = 0; i + 1 < log.lengths.size(); ++i)
            QCOMPARE(log.lengths[i], d);
        // The pause is slept in real time (a busy machine may only make it longer).
        QVERIFY(log.at[2] - log.at[1] >= qint64(d * 1000) - 20);
        QCOMPARE(h.devices().playbacks().size(), size_t(3));
        QVERIFY(std::abs(double(h.devices().playbacks()[0].frames.size()) / 44100 - d) < 0.05);

        h->setGapFactor(0);
        log.clear();
        h->loop();
        QVERIFY(waitIdle(h));
        QCOMPARE(log.phases, (std::vector<Phase>{Phase::playing(1, 3), Phase::playing(2, 3),
                                                 Phase::playing(3, 3), Phase::idle()}));

        h->setRate(0.5);
        h->setRepeats(1);
        h->setGapFactor(0.25);
        log.clear();
        h->loop();
        QVERIFY(waitIdle(h));
        QCOMPARE(log.phases,
                 (std::vector<Phase>{Phase::playing(1, 1), Phase::yourTurn(1, 1), Phase::idle()}));
        QCOMPARE(log.lengths[0], d / 0.5);
        QCOMPARE(log.lengths[1], 0.8);
        QCOMPARE(h->session()->current, 0); // no auto-advance
        QVERIFY(h.savedMatchesModel());
    }

    // With auto-advance the end of a loop moves on and loops the next visible sentence, up to
    // the last one; among hard sentences only, from the first to the last hard one.
    void autoAdvanceRunsToTheLastVisibleSentence() {
        ModelHarness h;
        openBursts(h, {0.9, 1.0, 1.1, 0.9});
        h->setRepeats(1);
        h->setGapFactor(0);
        h->setAutoAdvance(true);
        h->loop();
        QVERIFY(waitIdle(h));
        QCOMPARE(h->session()->current, 3);
        QCOMPARE(h.devices().playbacks().size(), size_t(4));
        QVERIFY(h.savedMatchesModel());

        h->toggleHard(0);
        h->toggleHard(2);
        h->setHardOnly(true);
        QCOMPARE(h->session()->current, 0);
        h->loop();
        QVERIFY(waitIdle(h));
        QCOMPARE(h->session()->current, 2);
        QCOMPARE(h.devices().playbacks().size(), size_t(6));
    }

    // Stopping ends a loop at once and for good; operations that do not apply leave a running
    // loop alone; settings changed while it runs count from the next loop.
    void aLoopThatIsStopped() {
        ModelHarness h;
        openBursts(h, {1.0, 1.0, 1.0});
        const Sentence first = h->session()->sentences[0];
        const double d = first.end - first.start;
        h->loopOrStop();
        QTRY_COMPARE_WITH_TIMEOUT(h->phase(), Phase::yourTurn(1, 3), 5000);
        // Out of range, or the current sentence: nothing at all happens; a hard mark neither
        // stops nor restarts; a new rate is kept for the next loop.
        h->select(0);
        h->select(-1);
        h->select(3);
        h->move(-1);
        h->toggleHard();
        h->setRate(0.5);
        QCOMPARE(h->phase(), Phase::yourTurn(1, 3));
        QVERIFY(h->session()->sentences[0].hard);
        QTRY_COMPARE_WITH_TIMEOUT(h->phase(), Phase::yourTurn(2, 3), 8000);
        QCOMPARE(h->phaseLength(), d);
        h->loopOrStop();
        QCOMPARE(h->phase(), Phase::idle());
        QVERIFY(waitIdle(h, 700)); // the pause of 1 s ended at once
        QCOMPARE(h.devices().playbacks().size(), size_t(2));

        // Stopped while playing: the player releases the loop, which ends there.
        h.devices().options().speed = 0.5;
        h->loop();
        QCOMPARE(h->phaseLength(), d / 0.5);
        h->stop();
        QVERIFY(waitIdle(h, 1000)); // of 4 s playing
        QVERIFY(h.devices().playbacks().back().stopped);

        // Moving stops it too (opening another file is checked where files are handed over).
        h.devices().options().speed = 8;
        h->loop();
        h->next();
        QCOMPARE(h->phase(), Phase::idle());
        QCOMPARE(h->session()->current, 1);
        QVERIFY(waitIdle(h));
    }

    // The take follows the current sentence; an analysis that ends after the user moved on is
    // dropped.
    void movingWhileATakeIsAnalysed() {
        ModelHarness h;
        openBursts(h, {1.0, 1.0, 1.0});
        const std::vector<Sentence> sentences = h->session()->sentences;
        const QString take0 = makeTake(h, sentences[0], 0.5, 1.5);
        const QString take2 = makeTake(h, sentences[2], 3.0, 0);

        h->select(2); // starts analysing take 2
        h->select(1); // no take; take 2's analysis ends after this
        QVERIFY(h.settle());
        QVERIFY(!h->take());
        h->select(2);
        QVERIFY(h.settle());
        QCOMPARE(h->take()->url, take2);
        QCOMPARE(h->take()->bars.size(), size_t(140));
        // A take of silence: its whole length.
        QCOMPARE(h->take()->range.start, 0.0);
        QVERIFY(std::abs(h->take()->range.end - 3.0) < 0.06);

        h->previous();
        h->previous(); // to sentence 0, whose analysis is still running: dropped with 1's
        h->next();
        QVERIFY(h.settle());
        QCOMPARE(h->session()->current, 1);
        QVERIFY(!h->take());

        h->previous();
        QVERIFY(h.settle());
        QCOMPARE(h->take()->url, take0);
        // The voice from 0.5 s to 2.0 s, padded by the splitter, then 0.05 s before and 0.1 s
        // after.
        QVERIFY2(h->take()->range.start > 0.2 && h->take()->range.start < 0.46,
                 qPrintable(QString::number(h->take()->range.start)));
        QVERIFY2(h->take()->range.end > 2.05 && h->take()->range.end < 2.4,
                 qPrintable(QString::number(h->take()->range.end)));
        QCOMPARE(*std::max_element(h->take()->bars.begin(), h->take()->bars.end()), 1.0f);

        // A damaged take file is no take.
        QFile damaged(take0);
        QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write("not audio");
        damaged.close();
        h->loadTake();
        QVERIFY(h.settle());
        QVERIFY(!h->take());
    }

    // Operations that change nothing notify nothing.
    void noNotificationWithoutAChange() {
        ModelHarness h;
        openBursts(h, {1.0, 1.0});
        AppModel* model = &h.model();
        std::vector<std::unique_ptr<QSignalSpy>> spies;
        for (const auto signal :
             {&AppModel::sessionChanged, &AppModel::profileChanged, &AppModel::splittingChanged,
              &AppModel::noticeChanged, &AppModel::errorChanged, &AppModel::phaseChanged,
              &AppModel::phaseStartChanged, &AppModel::phaseLengthChanged, &AppModel::takeChanged,
              &AppModel::recentChanged, &AppModel::micDeniedChanged, &AppModel::languageChanged})
            spies.push_back(std::make_unique<QSignalSpy>(model, signal));
        h->stop();
        h->select(0);
        h->select(2);
        h->previous();
        h->setError(std::nullopt);
        h->setMicDenied(false);
        h->setLanguage(h->language());
        h->setRecent(h->recent());
        h->loadTake();
        QVERIFY(h.settle());
        for (const auto& spy : spies)
            QVERIFY2(spy->isEmpty(), spy->signal().constData());
    }

    void hardOnlySelection() {
        ModelHarness h;
        openBursts(h, {0.9, 0.9, 0.9, 0.9, 0.9, 0.9});
        for (const int i : {0, 3, 5, 17}) // 17 is out of range: nothing
            h->toggleHard(i);
        h->select(2);
        h->setHardOnly(true);
        QCOMPARE(h->session()->current, 0);
        h->next();
        h->move(1);
        QCOMPARE(h->session()->current, 5);
        h->next(); // no wrap-around
        h->previous();
        QCOMPARE(h->session()->current, 3);
        // Unmarking the current sentence keeps it current, hidden or not.
        h->toggleHard();
        QCOMPARE(h->session()->current, 3);
        h->next();
        QCOMPARE(h->session()->current, 5);
        QVERIFY(h.savedMatchesModel());

        // With no hard sentence at all the place is kept and there is nowhere to move.
        h->setHardOnly(false);
        h->toggleHard(0);
        h->toggleHard(5);
        h->select(2);
        h->setHardOnly(true);
        h->next();
        QCOMPARE(h->session()->current, 2);
        QVERIFY(h.savedMatchesModel());
    }

    void settingsAreRoundedAndClamped() {
        ModelHarness h;
        h->setRate(0.7); // nothing open: nothing changes and nothing is remembered
        QVERIFY(!h.settings()->contains(QStringLiteral("settings")));
        openBursts(h, {1.0});
        const auto remembered = [&h] {
            const QByteArray json = h.settings()->value(QStringLiteral("settings")).toByteArray();
            return PracticeSettings::fromJson(QJsonDocument::fromJson(json).object());
        };
        const auto check = [&](auto change, double rate, int repeats, double gap) {
            change();
            const PracticeSettings& s = h->session()->settings;
            QVERIFY2(std::abs(s.rate - rate) < 1e-9, qPrintable(QString::number(s.rate, 'g', 17)));
            QCOMPARE(s.repeats, repeats);
            QCOMPARE(s.gapFactor, gap);
            QCOMPARE(remembered(), s);
            QVERIFY(h.savedMatchesModel());
        };
        check([&] { h->setRate(0.725); }, 0.75, 3, 1.0); // a half rounds away from zero
        check([&] { h->setRate(1.6); }, 1.5, 3, 1.0);
        check([&] { h->faster(); }, 1.5, 3, 1.0);
        check([&] { h->setRate(0.2); }, 0.5, 3, 1.0);
        check([&] { h->slower(); }, 0.5, 3, 1.0);
        check([&] { h->normalSpeed(); }, 1.0, 3, 1.0);
        check([&] { h->faster(); }, 1.05, 3, 1.0);
        check([&] { (h->slower(), h->slower()); }, 0.95, 3, 1.0);
        check([&] { h->setRepeats(0); }, 0.95, 1, 1.0);
        check([&] { h->setGapFactor(9); }, 0.95, 1, 4.0);

        // A new session starts with the remembered settings.
        const PracticeSettings chosen = h->session()->settings;
        openBursts(h, {1.0, 1.0}, QStringLiteral("b.wav"));
        QCOMPARE(h->session()->settings, chosen);

        // Remembered values out of range are used as they are, but limited where they are used.
        h->close();
        h.settings()->setValue(
            QStringLiteral("settings"),
            QByteArray(R"({"autoAdvance":false,"gapFactor":7,"rate":3,"repeats":50})"));
        QCOMPARE(h->effectiveSettings(), PracticeSettings(20, 1.5, 4.0, false));
    }

    void recordingAndComparing() {
        ModelHarness h;
        openBursts(h, {1.0, 1.0});
        const Sentence sentence = *h->session()->currentSentence();
        const double d = sentence.end - sentence.start;
        const QString url = h.store().takeURL(*h->session(), sentence);

        // Without a take there is nothing to compare or play; without the microphone, nothing
        // plays.
        h->compare();
        h->playTake();
        QVERIFY(!h->isWorking());
        h.microphone().grants = false;
        h->record();
        QVERIFY(waitIdle(h));
        QVERIFY(h->micDenied());
        QVERIFY(h.devices().playbacks().empty());
        h.microphone().grants = true;

        // Listen first, then record up to the limit; the take is loaded at the end.
        PhaseLog log(h.model());
        h->record();
        QTRY_COMPARE_WITH_TIMEOUT(h->phase(), Phase::recording(), 5000);
        QCOMPARE(h->phaseLength(), std::max(d * 1.6 + 1.0, 3.0));
        QVERIFY(waitIdle(h));
        QCOMPARE(log.phases,
                 (std::vector<Phase>{Phase::listenFirst(), Phase::recording(), Phase::idle()}));
        QCOMPARE(log.lengths[0], d);
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
            QVERIFY(h->phase() != Phase::recording());
            QVERIFY(!h->recorder().recorder());
            QVERIFY(waitIdle(h));
            QVERIFY2(h->take()->range.end > 0.4 && h->take()->range.end < 2.5,
                     qPrintable(QString::number(h->take()->range.end)));
            h.devices().options().speed = 4;
        }
        const AppModel::Take take = *h->take();

        // Comparing: the sentence at the practice rate, 0.4 s, then the voiced part of the take.
        h->setRate(0.8);
        log.clear();
        const size_t before = h.devices().playbacks().size();
        h->compare();
        QVERIFY(waitIdle(h));
        QCOMPARE(log.phases, (std::vector<Phase>{Phase::original(), Phase::take(), Phase::idle()}));
        QCOMPARE(log.lengths[0], d / 0.8);
        QCOMPARE(log.lengths[1], take.range.end - take.range.start);
        const auto playbacks = h.devices().playbacks();
        QCOMPARE(playbacks.size(), before + 2);
        QVERIFY(std::abs(double(playbacks[before + 1].frames.size()) / 44100 -
                         (take.range.end - take.range.start)) < 0.05);
        QVERIFY(playbacks[before + 1].startedAt - *playbacks[before].playedBackAt >=
                std::chrono::milliseconds(390));

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
                QVERIFY(waitIdle(h, 3000));
                QCOMPARE(h->error(), QStringLiteral("Couldn’t play the sound: ") + why);
            }
        }
        h.devices().options().outputFailsAfter.reset();
        h.devices().options().inputFails = true;
        h->record();
        QVERIFY(waitIdle(h));
        QCOMPARE(h->error(), RecorderError::couldNotStart().description());
    }
};

QTEST_MAIN(AppModelPracticeTest)
#include "AppModelPracticeTest.moc"
