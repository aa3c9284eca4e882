#include "shell/PracticeCommands.h"
#include "ModelHarness.h"
#include "shell/QuellinApp.h"
#include "ui/ContentView.h"

#include <QAction>
#include <QFile>
#include <QTest>

using Phase = AppModel::Phase;

class PracticeCommandsTest final : public QObject {
    Q_OBJECT

private:
    struct App {
        ModelHarness h;
        int updateChecks = 0;
        QuellinApp app;
        App() : app(h.model(), {[this] { ++updateChecks; }, [](const QUrl&) {}}) {
            h.engine().setScript({ScriptedEngine::finish(true)});
            app.openFiles({});
            if (!QTest::qWaitForWindowActive(&app.window()))
                qFatal("the window did not become active");
        }
        QString media(const QString& name, std::vector<double> bursts = {1.0, 1.4, 0.9}) {
            return ModelMedia::bursts(h.mediaFolder() + QLatin1Char('/') + name, bursts);
        }
        void press(const char* keys) {
            QTest::keySequence(&app.window(), QKeySequence(QString::fromLatin1(keys)));
        }
    };

private Q_SLOTS:
    // The loop item's title follows the phase; choosing it during a recording stops the
    // recording and keeps the take.
    void theLoopItemStopsARecording() {
        App a;
        PracticeCommands& commands = a.app.commands();
        QVERIFY(!commands.closeAction()->isEnabled());
        QVERIFY(a.h.openAndSettle(a.media(QStringLiteral("a.wav"))));
        QVERIFY(commands.closeAction()->isEnabled());
        a.press("Ctrl+R");
        QTRY_COMPARE_WITH_TIMEOUT(a.h->phase().kind, Phase::Kind::recording, 10000);
        QCOMPARE(commands.loopAction()->text(), QStringLiteral("Stop"));
        QTest::qWait(300); // enough sound for a take
        commands.loopAction()->trigger();
        QCOMPARE(a.h->phase(), Phase::idle());
        QCOMPARE(commands.loopAction()->text(), QStringLiteral("Loop Sentence (Space)"));
        QTRY_VERIFY_WITH_TIMEOUT(a.h->take().has_value(), 10000);
        a.press("Ctrl+Shift+W");
        QVERIFY(!a.h->session());
        QVERIFY(!commands.closeAction()->isEnabled());
    }

    void filesFromTheDesktop() {
        App a;
        const QString first = a.media(QStringLiteral("first.wav"));
        const QString other = a.media(QStringLiteral("other.wav"), {1.0});
        a.app.openFiles({first, other, other});
        QVERIFY(a.h.settle());
        QCOMPARE(a.h->session()->filePath, first);
        QCOMPARE(a.h.engine().lastPath(), first);

        // A file handed over while another is practised stops the practice and opens it.
        a.h->loop();
        QTRY_COMPARE(a.h->phase().kind, Phase::Kind::playing);
        a.app.openFiles({other});
        QCOMPARE(a.h->phase(), Phase::idle());
        QVERIFY(a.h.settle());
        QCOMPARE(a.h->session()->filePath, other);
        QCOMPARE(a.app.window().windowTitle(), QStringLiteral("other.wav"));
    }

    void quittingDuringARecordingKeepsTheTake() {
        App a;
        QVERIFY(a.h.openAndSettle(a.media(QStringLiteral("a.wav"))));
        a.h->select(2);
        a.h->record();
        QTRY_COMPARE_WITH_TIMEOUT(a.h->phase().kind, Phase::Kind::recording, 10000);
        QTest::qWait(400);
        a.app.willTerminate();
        QCOMPARE(a.h->phase(), Phase::idle());
        const Session session = *a.h->session();
        const QString take = a.h.store().takeURL(session, session.sentences[2]);
        QVERIFY2(QFile(take).size() > 0, qPrintable(take));
        QVERIFY(a.h.savedMatchesModel());
        QCOMPARE(a.h.store().load(session.key())->current, 2);
    }
};

QTEST_MAIN(PracticeCommandsTest)
#include "PracticeCommandsTest.moc"
