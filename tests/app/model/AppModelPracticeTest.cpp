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

// Every phase the model shows, with its planned length and when it began.
struct PhaseLog {
    struct Entry {
        Phase phase;
        double length;
        qint64 at; // ms since the log started
    };
    std::vector<Entry> entries;
    QElapsedTimer clock;

    explicit PhaseLog(AppModel& model) {
        clock.start();
        QObject::connect(&model, &AppModel::phaseChanged, &model, [this, &model] {
            entries.push_back({model.phase(), model.phaseLength(), clock.elapsed()});
        });
    }
    std::vector<Phase> phases() const {
        std::vector<Phase> list;
        for (const Entry& e : entries)
            list.push_back(e.phase);
        return list;
    }
    void clear() {
        entries.clear();
        clock.restart();
    }
};

char* toString(const Phase& phase) {
    static const char* names[] = {"idle",      "playing",  "yourTurn", "listenFirst",
                                  "recording", "original", "take"};
    return qstrdup(QStringLiteral("%1(%2 of %3)")
                       .arg(QString::fromLatin1(names[int(phase.kind)]))
                       .arg(phase.repetition)
                       .arg(phase.of)
                       .toUtf8()
                       .constData());
}

} // namespace

namespace QTest {
template <> char* toString(const std::vector<Phase>& phases) {
    QByteArray text;
    for (const Phase& p : phases) {
        char* one = ::toString(p);
        text += one;
        text += ' ';
        delete[] one;
    }
    return qstrdup(text.constData());
}
} // namespace QTest

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

    // A take file for the sentence: `lead` s of silence, a tone of `voice` s, then `tail` s.
    static QString makeTake(ModelHarness& h, const Sentence& sentence, double lead, double voice,
                            double tail) {
        const QString target = h.store().takeURL(*h->session(), sentence);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QString wav = h.folder() + QStringLiteral("/take-%1.wav").arg(sentence.id());
        if (voice > 0) {
            std::vector<float> samples(size_t(lead * 44100), 0.0f);
            for (qint64 i = 0; i < qint64(voice * 44100); ++i)
                samples.push_back(0.4f * float(std::sin(2 * M_PI * 220 * double(i) / 44100)));
            samples.insert(samples.end(), size_t(tail * 44100), 0.0f);
            TestMedia::floatWav(wav, 44100, 1, samples);
        } else {
            ModelMedia::silence(wav, lead + tail);
        }
        QFile::remove(target);
        TestMedia::convert(wav, target,
                           {QStringLiteral("-ac"), QStringLiteral("1"), QStringLiteral("-ar"),
                            QStringLiteral("44100")});
        return target;
    }

private Q_SLOTS:
    // With the standard settings a loop plays and pauses three times; with gap factor 0 it only
    // plays; at half speed every step is twice as long.
    void loopRunsItsPhases() {
        ModelHarness h;
        openBursts(h, {1.0, 1.0});
        const Sentence sentence = *h->session()->currentSentence();
        const double d = sentence.end - sentence.start;
        PhaseLog log(h.model());
        const QDateTime before = QDateTime::currentDateTimeUtc();

        h->loop();
        QCOMPARE(h->phase(), Phase::playing(1, 3));
        QCOMPARE(h->phaseLength(), d);
        QVERIFY(h->phaseStart() >= before);
        QVERIFY(waitIdle(h));
        QCOMPARE(log.phases(),
                 (std::vector<Phase>{Phase::playing(1, 3), Phase::yourTurn(1, 3),
                                     Phase::playing(2, 3), Phase::yourTurn(2, 3),
                                     Phase::playing(3, 3), Phase::yourTurn(3, 3), Phase::idle()}));
        for (size_t i = 0; i + 1 < log.entries.size(); ++i) {
            const auto& entry = log.entries[i];
            QCOMPARE(entry.length, d);
            if (entry.phase.kind == Phase::Kind::yourTurn) {
                // The pause is slept in real time (a busy machine may only make it longer).
                const qint64 lasted = log.entries[i + 1].at - entry.at;
                QVERIFY2(lasted >= qint64(d * 1000) - 20, qPrintable(QString::number(lasted)));
            }
        }
        QCOMPARE(h.devices().playbacks().size(), size_t(3));
        for (const auto& playback : h.devices().playbacks())
            QVERIFY(std::abs(double(playback.frames.size()) / 44100 - d) < 0.05);
        QVERIFY(!h->isWorking());
        // Practising does not save.
        QVERIFY(h.savedMatchesModel());

        h->setGapFactor(0);
        log.clear();
        h->loop();
        QVERIFY(waitIdle(h));
        QCOMPARE(log.phases(), (std::vector<Phase>{Phase::playing(1, 3), Phase::playing(2, 3),
                                                   Phase::playing(3, 3), Phase::idle()}));

        // At half speed with one repeat and the least pause: 0.25 of the playing is raised to 0.8
        // s.
        h->setRate(0.5);
        h->setRepeats(1);
        h->setGapFactor(0.25);
        log.clear();
        h->loop();
        QVERIFY(waitIdle(h));
        QCOMPARE(log.phases(),
                 (std::vector<Phase>{Phase::playing(1, 1), Phase::yourTurn(1, 1), Phase::idle()}));
        QCOMPARE(log.entries[0].length, d / 0.5);
        QCOMPARE(log.entries[1].length, 0.8);
        QCOMPARE(h->session()->current, 0); // no auto-advance
    }

    // With auto-advance the end of a loop moves on and loops the next visible sentence, up to
    // the last one.
    void autoAdvanceRunsToTheLastVisibleSentence() {
        ModelHarness h;
        openBursts(h, {0.9, 1.0, 1.1, 0.9});
        h->setRepeats(1);
        h->setGapFactor(0);
        h->setAutoAdvance(true);
        PhaseLog log(h.model());

        h->loop();
        QVERIFY(waitIdle(h));
        QCOMPARE(log.phases(),
                 (std::vector<Phase>{Phase::playing(1, 1), Phase::idle(), Phase::playing(1, 1),
                                     Phase::idle(), Phase::playing(1, 1), Phase::idle(),
                                     Phase::playing(1, 1), Phase::idle()}));
        QCOMPARE(h->session()->current, 3);
        QVERIFY(h.savedMatchesModel());
        const auto playbacks = h.devices().playbacks();
        QCOMPARE(playbacks.size(), size_t(4));
        for (size_t i = 0; i < playbacks.size(); ++i) {
            const Sentence& s = h->session()->sentences[i];
            QVERIFY(std::abs(double(playbacks[i].frames.size()) / 44100 - (s.end - s.start)) <
                    0.05);
        }

        // Among hard sentences only: from the first to the last hard one, skipping the rest.
        h->toggleHard(0);
        h->toggleHard(2);
        h->setHardOnly(true);
        QCOMPARE(h->session()->current, 0);
        log.clear();
        h->loop();
        QVERIFY(waitIdle(h));
        QCOMPARE(log.phases(), (std::vector<Phase>{Phase::playing(1, 1), Phase::idle(),
                                                   Phase::playing(1, 1), Phase::idle()}));
        QCOMPARE(h->session()->current, 2);
        QVERIFY(h.savedMatchesModel());
    }

    // Stopping ends a loop at once and for good; operations that do not apply leave a running
    // loop alone; settings changed while it runs count from the next loop.
    void aLoopThatIsStopped() {
        ModelHarness h;
        openBursts(h, {1.0, 1.0, 1.0});
        const Sentence first = h->session()->sentences[0];
        const double d = first.end - first.start;
        PhaseLog log(h.model());

        h->loopOrStop();
        QCOMPARE(h->phase(), Phase::playing(1, 3));
        QTRY_COMPARE_WITH_TIMEOUT(h->phase(), Phase::yourTurn(1, 3), 5000);
        // Out of range, or the current sentence: nothing at all happens.
        h->select(0);
        h->select(-1);
        h->select(3);
        h->move(-1);
        QCOMPARE(h->phase(), Phase::yourTurn(1, 3));
        // A hard mark neither stops nor restarts.
        h->toggleHard();
        QVERIFY(h->session()->sentences[0].hard);
        QVERIFY(h.savedMatchesModel());
        // A new rate is kept for the next loop.
        h->setRate(0.5);
        QCOMPARE(h->phase(), Phase::yourTurn(1, 3));
        QTRY_COMPARE_WITH_TIMEOUT(h->phase(), Phase::yourTurn(2, 3), 8000);
        QCOMPARE(h->phaseLength(), d);

        h->loopOrStop();
        QCOMPARE(h->phase(), Phase::idle());
        QVERIFY(waitIdle(h, 700)); // the pause of 1 s ended at once
        const size_t played = h.devices().playbacks().size();
        QCOMPARE(played, size_t(2));
        QTest::qWait(int(d * 1000) + 300);
        QCOMPARE(h->phase(), Phase::idle());
        QCOMPARE(h.devices().playbacks().size(), played);

        // Stopped while playing: the player releases the loop, which ends there.
        log.clear();
        h->setRate(1.0);
        h.devices().options().speed = 0.5;
        h->loop();
        QTest::qWait(100);
        QCOMPARE(h->phase(), Phase::playing(1, 3));
        h->stop();
        QVERIFY(waitIdle(h, 1000)); // of 2 s playing
        QCOMPARE(log.phases(), (std::vector<Phase>{Phase::playing(1, 3), Phase::idle()}));
        QVERIFY(h.devices().playbacks().back().stopped);

        // The next loop plays at the rate chosen meanwhile, and moving stops it.
        h.devices().options().speed = 8;
        h->setRate(0.5);
        h->loop();
        QCOMPARE(h->phaseLength(), d / 0.5);
        h->next();
        QCOMPARE(h->phase(), Phase::idle());
        QCOMPARE(h->session()->current, 1);
        QVERIFY(waitIdle(h, 300));
        QVERIFY(h.savedMatchesModel());

        // Opening another file stops the practice too.
        h->loop();
        QVERIFY(h->isWorking());
        h.engine().setScript({ScriptedEngine::finish(true)});
        h->open(ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/b.wav"), {1.0}));
        QCOMPARE(h->phase(), Phase::idle());
        QVERIFY(!h->isWorking());
        QVERIFY(h.settle());
    }

    // The take follows the current sentence; an analysis that ends after the user moved on is
    // dropped.
    void movingWhileATakeIsAnalysed() {
        ModelHarness h;
        openBursts(h, {1.0, 1.0, 1.0});
        const std::vector<Sentence> sentences = h->session()->sentences;
        const QString take0 = makeTake(h, sentences[0], 0.5, 1.5, 1.0);
        const QString take2 = makeTake(h, sentences[2], 3.0, 0, 0);

        h->select(2); // starts analysing take 2
        h->select(1); // no take; take 2's analysis ends after this
        QVERIFY(h.settle());
        QVERIFY(!h->take());

        h->select(2);
        QVERIFY(!h->take());
        QVERIFY(h.settle());
        QVERIFY(h->take());
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
        QVERIFY(std::all_of(h->take()->bars.begin(), h->take()->bars.end(),
                            [](float b) { return b >= 0 && b <= 1; }));
        QCOMPARE(*std::max_element(h->take()->bars.begin(), h->take()->bars.end()), 1.0f);

        // A damaged take file is no take.
        QFile damaged(take0);
        QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write("not audio");
        damaged.close();
        h->loadTake();
        QVERIFY(h.settle());
        QVERIFY(!h->take());
        QVERIFY(h.savedMatchesModel());
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

        h->next();
        QVERIFY(!spies[0]->isEmpty());
        QVERIFY(spies[5]->isEmpty()); // still idle
    }

    void hardOnlySelection() {
        ModelHarness h;
        openBursts(h, {0.9, 0.9, 0.9, 0.9, 0.9, 0.9});
        h->toggleHard(0);
        h->toggleHard(3);
        h->toggleHard(5);
        h->toggleHard(17); // out of range: nothing
        h->select(2);
        h->setHardOnly(true);
        QCOMPARE(h->session()->current, 0);
        QVERIFY(h->session()->hardOnly);
        QVERIFY(h.savedMatchesModel());
        h->next();
        QCOMPARE(h->session()->current, 3);
        h->move(1);
        QCOMPARE(h->session()->current, 5);
        h->next(); // no wrap-around
        QCOMPARE(h->session()->current, 5);
        h->previous();
        QCOMPARE(h->session()->current, 3);
        // Unmarking the current sentence keeps it current, hidden or not.
        h->toggleHard();
        QCOMPARE(h->session()->current, 3);
        QVERIFY(!h->session()->sentences[3].hard);
        h->next();
        QCOMPARE(h->session()->current, 5);
        QVERIFY(h.savedMatchesModel());

        // With no hard sentence at all the place is kept and there is nowhere to move.
        h->setHardOnly(false);
        h->toggleHard(0);
        h->toggleHard(5);
        h->select(2);
        h->setHardOnly(true);
        QCOMPARE(h->session()->current, 2);
        QVERIFY(h->session()->visible().empty());
        h->next();
        h->previous();
        QCOMPARE(h->session()->current, 2);
        QVERIFY(h.savedMatchesModel());
        QCOMPARE(h.store().load(h->session()->key())->hardOnly, true);
    }

    void settingsAreRoundedAndClamped() {
        ModelHarness h;
        // Nothing open: nothing changes and nothing is remembered.
        h->setRate(0.7);
        QVERIFY(!h.settings()->contains(QStringLiteral("settings")));
        QCOMPARE(h->effectiveSettings(), PracticeSettings::standard());

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
        check([&] { h->setRate(0.73); }, 0.75, 3, 1.0);
        check([&] { h->setRate(0.725); }, 0.75, 3, 1.0); // a half rounds away from zero
        check([&] { h->setRate(1.6); }, 1.5, 3, 1.0);
        check([&] { h->faster(); }, 1.5, 3, 1.0);
        check([&] { h->setRate(0.2); }, 0.5, 3, 1.0);
        check([&] { h->slower(); }, 0.5, 3, 1.0);
        check([&] { h->normalSpeed(); }, 1.0, 3, 1.0);
        check([&] { h->faster(); }, 1.05, 3, 1.0);
        check(
            [&] {
                h->slower();
                h->slower();
            },
            0.95, 3, 1.0);
        check([&] { h->setRepeats(0); }, 0.95, 1, 1.0);
        check([&] { h->setGapFactor(9); }, 0.95, 1, 4.0);
        check([&] { h->setGapFactor(1.5); }, 0.95, 1, 1.5);
        h->setAutoAdvance(true);
        QVERIFY(h->session()->settings.autoAdvance);
        QCOMPARE(remembered(), h->session()->settings);

        // A new session starts with the remembered settings.
        const PracticeSettings chosen = h->session()->settings;
        openBursts(h, {1.0, 1.0}, QStringLiteral("b.wav"));
        QCOMPARE(h->session()->settings, chosen);
        // Choosing there what the first file has already is still remembered for the next.
        h->setRate(0.6);
        openBursts(h, {1.0});
        h->setRate(chosen.rate);
        QCOMPARE(remembered(), chosen);

        // Remembered values out of range are used as they are, but limited where they are used.
        h->close();
        h.settings()->setValue(
            QStringLiteral("settings"),
            QByteArray(R"({"autoAdvance":false,"gapFactor":7,"rate":3,"repeats":50})"));
        QCOMPARE(h->defaultSettings(), PracticeSettings(50, 3.0, 7.0, false));
        QCOMPARE(h->effectiveSettings(), PracticeSettings(20, 1.5, 4.0, false));
        // Settings that do not decode give the standard ones.
        h.settings()->setValue(QStringLiteral("settings"), QByteArray(R"({"rate":1})"));
        QCOMPARE(h->defaultSettings(), PracticeSettings::standard());
    }

    void recordingAndComparing() {
        ModelHarness h;
        openBursts(h, {1.0, 1.0});
        const Sentence sentence = *h->session()->currentSentence();
        const double d = sentence.end - sentence.start;
        const QString url = h.store().takeURL(*h->session(), sentence);

        // Without a take there is nothing to compare or play.
        h->compare();
        h->playTake();
        QCOMPARE(h->phase(), Phase::idle());
        QVERIFY(!h->isWorking());

        // The microphone refused: nothing plays.
        h.microphone().grants = false;
        h->record();
        QVERIFY(waitIdle(h));
        QVERIFY(h->micDenied());
        QVERIFY(h.devices().playbacks().empty());
        h->setMicDenied(false);
        h.microphone().grants = true;

        // Listen first, then record up to the limit; the take is loaded at the end.
        PhaseLog log(h.model());
        h->record();
        QTRY_COMPARE_WITH_TIMEOUT(h->phase(), Phase::recording(), 5000);
        QCOMPARE(log.entries[0].phase, Phase::listenFirst());
        QCOMPARE(log.entries[0].length, d);
        QCOMPARE(h->phaseLength(), std::max(d * 1.6 + 1.0, 3.0));
        QVERIFY(waitIdle(h));
        QCOMPARE(log.phases(),
                 (std::vector<Phase>{Phase::listenFirst(), Phase::recording(), Phase::idle()}));
        QVERIFY(h->take());
        QCOMPARE(h->take()->url, url);
        QCOMPARE(h->take()->bars.size(), size_t(140));
        const double fullLength = h->take()->range.end;
        QVERIFY2(fullLength > 2.9, qPrintable(QString::number(fullLength)));

        // Pressing Record again, or Stop, ends the attempt at once and keeps what was recorded.
        // The input runs at half speed, so the 3 s limit stays far off even on a busy machine.
        for (const auto press : {&AppModel::record, &AppModel::stop}) {
            h->record();
            h.devices().options().speed = 0.5;
            QTRY_COMPARE_WITH_TIMEOUT(h->phase(), Phase::recording(), 5000);
            QTest::qWait(1000);
            QCOMPARE(h->phase(), Phase::recording());
            (h.model().*press)();
            QCOMPARE(h->phase(), Phase::idle());
            QVERIFY(!h->recorder().recorder());
            QVERIFY(h.settle());
            QVERIFY(h->take());
            QVERIFY2(h->take()->range.end > 0.4 && h->take()->range.end < 2.5,
                     qPrintable(QString::number(h->take()->range.end)));
            h.devices().options().speed = 1;
        }
        const AppModel::Take take = *h->take();

        // Comparing: the sentence at the practice rate, 0.4 s, then the voiced part of the take.
        h.devices().options().speed = 4;
        h->setRate(0.8);
        log.clear();
        const size_t before = h.devices().playbacks().size();
        h->compare();
        QVERIFY(waitIdle(h));
        QCOMPARE(log.phases(),
                 (std::vector<Phase>{Phase::original(), Phase::take(), Phase::idle()}));
        QCOMPARE(log.entries[0].length, d / 0.8);
        QCOMPARE(log.entries[1].length, take.range.end - take.range.start);
        const auto playbacks = h.devices().playbacks();
        QCOMPARE(playbacks.size(), before + 2);
        const auto& original = playbacks[before];
        const auto& attempt = playbacks[before + 1];
        QVERIFY(std::abs(double(original.frames.size()) / 44100 - d / 0.8) < 0.05);
        QVERIFY(std::abs(double(attempt.frames.size()) / 44100 -
                         (take.range.end - take.range.start)) < 0.05);
        QVERIFY(original.playedBackAt);
        QVERIFY(attempt.startedAt - *original.playedBackAt >= std::chrono::milliseconds(390));

        // Playing the take alone.
        log.clear();
        h->playTake();
        QCOMPARE(h->phase(), Phase::take());
        QVERIFY(waitIdle(h));
        QCOMPARE(log.phases(), (std::vector<Phase>{Phase::take(), Phase::idle()}));

        // A take that cannot be saved (its half-written file went away) says so; the earlier
        // take stays, on disk and as shown.
        const auto contents = [](const QString& path) {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QByteArray earlier = contents(url);
        QSignalSpy takeChanges(&h.model(), &AppModel::takeChanged);
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
        QVERIFY(takeChanges.isEmpty());
        QCOMPARE(h->take(), take);
        QCOMPARE(contents(url), earlier);
        h->setError(std::nullopt);

        // Comparing or playing the take during a recording ends it. (Its take is analysed afresh
        // on a worker thread, which a busy machine may finish at once: then the new take plays.)
        for (const auto press : {&AppModel::compare, &AppModel::playTake}) {
            h->record();
            QTRY_COMPARE_WITH_TIMEOUT(h->phase(), Phase::recording(), 5000);
            QTest::qWait(300); // enough sound for a take (the clock counts the whole wait)
            (h.model().*press)();
            QVERIFY(h->phase() != Phase::recording());
            QVERIFY(!h->recorder().recorder());
            QVERIFY(waitIdle(h));
        }

        // A sound that cannot be played, from the start or part-way through, says why, and the
        // practice goes back to idle.
        for (const bool partWay : {false, true}) {
            h.devices().options().outputFails = !partWay;
            h.devices().options().outputFailsAfter = partWay ? std::optional(0.1) : std::nullopt;
            const QString why = partWay ? QStringLiteral("The sound output device stopped working.")
                                        : QStringLiteral("No sound output device is available.");
            for (const auto press :
                 {&AppModel::loop, &AppModel::record, &AppModel::compare, &AppModel::playTake}) {
                h->setError(std::nullopt);
                (h.model().*press)();
                QVERIFY(waitIdle(h, 3000));
                QCOMPARE(h->error(), QStringLiteral("Couldn’t play the sound: ") + why);
            }
        }
        h.devices().options().outputFailsAfter.reset();

        // A recorder that cannot start says why.
        h.devices().options().inputFails = true;
        h->record();
        QVERIFY(waitIdle(h));
        QCOMPARE(h->error(), RecorderError::couldNotStart().description());
        QCOMPARE(h->phase(), Phase::idle());
        QVERIFY(h.savedMatchesModel());
    }
};

QTEST_MAIN(AppModelPracticeTest)
#include "AppModelPracticeTest.moc"
