#include "ModelHarness.h"

#include "media/EnergyProfile.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>

using namespace std::chrono_literals;

// Many files opened in quick succession, with every other kind of operation in between: the
// last file wins, its session belongs to it, and nothing is left running.
class AppModelStressTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void twentyOpensWithinOneSecond() {
        ModelHarness h;
        QStringList files;
        QRandomGenerator random(20260601);
        for (int i = 0; i < 20; ++i) {
            std::vector<double> lengths{0.9 + 0.1 * random.bounded(8)};
            if (i % 2 == 1)
                lengths.push_back(0.9 + 0.1 * random.bounded(8));
            files.append(ModelMedia::bursts(h.mediaFolder() + QStringLiteral("/%1.wav").arg(i),
                                            lengths, 0.7, 300 + 20 * i));
        }
        // Every recognition hears one sentence over the first burst, after a short while.
        h.engine().setScript(
            {ScriptedEngine::reached(0.4, 15ms),
             ScriptedEngine::result({word("Hello", 0.75), word("there.", 1.2)}, 15ms),
             ScriptedEngine::finish(true, std::nullopt, 5ms)});

        // The opens follow a schedule within 0.9 s: three in quick succession, then a pause long
        // enough for the file to be read and recognition to start, five times over.
        QElapsedTimer clock;
        clock.start();
        qint64 due = 0;
        for (int i = 0; i < files.size(); ++i) {
            QTest::qWait(int(std::max<qint64>(due - clock.elapsed(), 0)));
            h->open(files[i]);
            due += i % 4 == 3 ? 170 : 5;
            QTest::qWait(random.bounded(3));
            switch ((i + 2) % 5) {
            case 1:
                h->findSentencesAgain();
                break;
            case 2:
                h->splitAtPausesOnly();
                QTest::qWait(random.bounded(3));
                h->loop();
                break;
            case 3:
                h->loop();
                QTest::qWait(random.bounded(3));
                h->findSentencesAgain();
                break;
            case 4:
                h->close();
                break;
            }
        }
        const int recognitions = h.engine().started();

        QVERIFY(h.settle(60000));
        QVERIFY(!h->isSplitting() && !h->isWorking() && !h->error());
        QCOMPARE(h->splitting(), AppModel::Splitting::done());
        QCOMPARE(h->phase(), AppModel::Phase::idle());
        // The session, the profile and the duration are the last file's own; its second burst,
        // in which no words were heard, stands as a sentence without words.
        const Session session = *h->session();
        QCOMPARE(session.key(), Session::key(files.back(), QFileInfo(files.back()).size()));
        QCOMPARE(*h->profile(), EnergyProfile::read(files.back(), 0.01));
        QCOMPARE(session.duration, h->profile()->duration());
        QCOMPARE(session.method, SplitMethod::speech(QStringLiteral("en-US")));
        QCOMPARE(session.sentences.size(), size_t(2));
        QCOMPARE(session.sentences[0].text, QStringLiteral("Hello there."));
        QCOMPARE(session.sentences[1].text, QStringLiteral(""));
        QVERIFY(h.savedMatchesModel());

        // Some recognitions were cut short on the way.
        QVERIFY2(
            h.engine().started() > recognitions && recognitions >= 2,
            qPrintable(QStringLiteral("%1 then %2").arg(recognitions).arg(h.engine().started())));

        // Late results of the cancelled tasks change nothing.
        QTest::qWait(500);
        QCOMPARE(*h->session(), session);
        QVERIFY(!h->hasRunningTasks());

        // Whatever else was saved on the way belongs to its own file.
        for (const SessionSummary& summary : h.store().recent(100)) {
            const std::optional<Session> saved = h.store().load(summary.key);
            QVERIFY(saved && files.contains(saved->filePath));
            QCOMPARE(saved->key(),
                     Session::key(saved->filePath, QFileInfo(saved->filePath).size()));
            QCOMPARE(saved->duration, EnergyProfile::read(saved->filePath, 0.01).duration());
            for (const Sentence& sentence : saved->sentences)
                QVERIFY(sentence.end <= saved->duration);
        }
    }
};

QTEST_MAIN(AppModelStressTest)
#include "AppModelStressTest.moc"
