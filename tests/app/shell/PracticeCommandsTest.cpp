#include "shell/PracticeCommands.h"
#include "base/Translations.h"
#include "ModelHarness.h"
#include "shell/QuellinApp.h"
#include "ui/ContentView.h"
#include "ui/RelativeDate.h"
#include "ui/SplitStatus.h"
#include "ui/Toolbar.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using Phase = AppModel::Phase;

// The application's commands on a model of the harness.
class PracticeCommandsTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Files from the desktop open the first and stop a practice; the edit keys reach the model;
    // the loop item, whose title
    // follows the phase, stops a recording and keeps the take; quitting during a recording keeps
    // the take and saves the session.
    void commandsOnTheWindow() {
        ModelHarness h;
        QuellinApp app(h.model(), {[] {}, [](const QUrl&) {}});
        app.openFiles({});
        QVERIFY(QTest::qWaitForWindowActive(&app.window()));
        PracticeCommands& commands = app.commands();
        QVERIFY(!commands.closeAction()->isEnabled());
        const QString first = h.media(QStringLiteral("first.wav"), {1.0});
        const QString other = h.media(QStringLiteral("other.wav"));
        app.openFiles({first, other});
        QVERIFY(h.settle());
        QCOMPARE(h->session()->filePath, first);
        h->loop();
        QTRY_COMPARE(h->phase().kind, Phase::Kind::playing);
        app.openFiles({other});
        QCOMPARE(h->phase(), Phase::idle());
        QVERIFY(h.settle() && commands.closeAction()->isEnabled());
        const Sentence before = *h->session()->currentSentence();
        QTest::keySequence(&app.window(), QKeySequence(QStringLiteral("Ctrl+Shift+Right")));
        QCOMPARE(h->session()->currentSentence()->start, before.start + 0.05);
        QTest::keySequence(&app.window(), QKeySequence(QStringLiteral("Ctrl+Z")));
        QCOMPARE(*h->session()->currentSentence(), before);

        QTest::keySequence(&app.window(), QKeySequence(QStringLiteral("Ctrl+R")));
        QTRY_COMPARE_WITH_TIMEOUT(h->phase().kind, Phase::Kind::recording, 10000);
        QCOMPARE(commands.loopAction()->text(), QStringLiteral("Stop"));
        QTest::qWait(300); // enough sound for a take
        commands.loopAction()->trigger();
        QCOMPARE(h->phase(), Phase::idle());
        QCOMPARE(commands.loopAction()->text(), QStringLiteral("Loop Sentence (Space)"));
        QTRY_VERIFY_WITH_TIMEOUT(h->take().has_value(), 10000);

        h->select(2);
        h->record();
        QTRY_COMPARE_WITH_TIMEOUT(h->phase().kind, Phase::Kind::recording, 10000);
        QTest::qWait(400);
        app.willTerminate();
        QCOMPARE(h->phase(), Phase::idle());
        QVERIFY(QFile(h.store().takeURL(*h->session(), h->session()->sentences[2])).size() > 0);
        QVERIFY(h.savedMatchesModel());

        // A file handed over by a second start brings a minimised window back as it was.
        app.window().setWindowState(Qt::WindowMaximized | Qt::WindowMinimized);
        app.openFiles({});
        QCOMPARE(app.window().windowState(), Qt::WindowMaximized);
        // Escape closes the settings window.
        app.showSettings();
        QWidget* settings = nullptr;
        QTRY_VERIFY((settings = QApplication::activeWindow()) &&
                    settings->objectName() == u"settings");
        QTest::keyClick(settings, Qt::Key_Escape);
        QVERIFY(!settings->isVisible());
    }

    // Every practice step answers to its key with the focus in the list or in the practice view;
    // a single letter types into a text field instead.
    void keysWorkTheirItems_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("focus");
        for (const auto& [keys, item] : {std::pair{"A", "Previous Sentence"},
                                         {"S", "Loop Sentence (Space)"},
                                         {"D", "Next Sentence"},
                                         {"R", "Record Your Attempt"},
                                         {"C", "Compare with the Original"},
                                         {"H", "Mark Hard"},
                                         {"Ctrl+Shift+D", "Hard Only"},
                                         {"Ctrl+L", "Choose Language…"}})
            for (const char* focus : {"sentences", "loop"})
                QTest::addRow("%s in %s", keys, focus)
                    << QString::fromUtf8(keys) << QString::fromUtf8(item) << QString(focus);
        QTest::addRow("D in repeats")
            << QStringLiteral("D") << QStringLiteral("Next Sentence") << QStringLiteral("repeats");
    }

    void keysWorkTheirItems() {
        QFETCH(QString, keys);
        QFETCH(QString, item);
        QFETCH(QString, focus);
        ModelHarness h;
        QuellinApp app(h.model(), {[] {}, [](const QUrl&) {}});
        app.openFiles({h.media(QStringLiteral("three.wav"))});
        QVERIFY(h.settle() && QTest::qWaitForWindowActive(&app.window()));
        h->select(1);
        // The sentence list, the loop button, or a text field: the spin box of repeats.
        QWidget* focused = app.window().findChild<QWidget*>(focus);
        focused->setFocus();
        QSignalSpy spy(app.commands().action(item), &QAction::triggered);
        QTest::keySequence(focused, QKeySequence(keys));
        QCOMPARE(spy.count(), focus == u"repeats" ? 0 : 1);
        QCOMPARE(app.window().toolbar()->languageMenu()->isVisible(), keys == u"Ctrl+L");
        QCOMPARE(h->session()->hardOnly, keys == u"Ctrl+Shift+D");
    }

    // Started with LANG=de_DE.UTF-8 (this test runs itself again so), the window speaks German:
    // menus, buttons, plural forms and Qt's own names of keys.
    void germanWindow() {
        if (qgetenv("LANG") != "de_DE.UTF-8") {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
                environment.remove(QString::fromLatin1(name));
            environment.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));
            QProcess german;
            german.setProcessEnvironment(environment);
            german.setProcessChannelMode(QProcess::ForwardedChannels);
            german.start(QCoreApplication::applicationFilePath(), {QStringLiteral("germanWindow")});
            QVERIFY(german.waitForFinished(120000));
            QCOMPARE(german.exitCode(), 0);
            return;
        }
        Translations::install();
        ModelHarness h;
        QuellinApp app(h.model(), {[] {}, [](const QUrl&) {}});
        app.openFiles({});
        QCOMPARE(app.commands().fileMenu()->title(), QStringLiteral("&Datei"));
        QCOMPARE(app.commands().loopAction()->text(),
                 QStringLiteral("Satz wiederholen (Leertaste)"));
        const auto* open = app.window().findChild<QPushButton*>(QStringLiteral("openButton"));
        QCOMPARE(open->text(), QStringLiteral("Audio oder Video öffnen …"));
        QCOMPARE(SplitStatus::methodText(1, SplitMethod::pauses(), {}),
                 QStringLiteral("1 Satz · an Pausen geteilt"));
        QCOMPARE(RelativeDate::text(QDateTime::currentDateTimeUtc().addDays(-3),
                                    QDateTime::currentDateTimeUtc()),
                 QStringLiteral("vor 3 Tagen"));
        QCOMPARE(QKeySequence(QStringLiteral("Ctrl+O")).toString(QKeySequence::NativeText),
                 QStringLiteral("Strg+O"));
    }
};

QTEST_MAIN(PracticeCommandsTest)
#include "PracticeCommandsTest.moc"
