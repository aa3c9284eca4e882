#include "session/Session.h"
#include "session/SessionStore.h"
#include "TestMedia.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// The application binary as the desktop starts it: offscreen, in a home of its own.
class QuellinProcessTest final : public QObject {
    Q_OBJECT

private:
    struct Home {
        QTemporaryDir dir;
        QString data() const { return dir.filePath(QStringLiteral("data")); }
        QString runtime() const { return dir.filePath(QStringLiteral("runtime")); }
        QString config() const { return dir.filePath(QStringLiteral("config")); }
        SessionStore store() const {
            return SessionStore(data() + QStringLiteral("/Quellin/Sessions"));
        }

        Home() {
            for (const QString& folder : {data(), runtime(), config()})
                QDir().mkpath(folder);
            QFile::setPermissions(runtime(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            // A language whose recognition model is not installed: the sentences stay split at
            // pauses, so nothing but opening and quitting writes the session.
            QSettings settings(config() + QStringLiteral("/Quellin/Quellin.conf"),
                               QSettings::IniFormat);
            settings.setValue(QStringLiteral("language"), QStringLiteral("xx-YY"));
        }

        // Started from `folder` (the home when empty), as from a terminal.
        QProcess* start(const QStringList& arguments, QObject* parent,
                        const QString& folder = {}) const {
            auto* process = new QProcess(parent);
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            for (const auto& [name, value] : {std::pair{"HOME", dir.path()},
                                              {"XDG_DATA_HOME", data()},
                                              {"XDG_CONFIG_HOME", config()},
                                              {"XDG_CACHE_HOME", dir.filePath("cache")},
                                              {"XDG_RUNTIME_DIR", runtime()},
                                              {"QT_QPA_PLATFORM", QStringLiteral("offscreen")}})
                environment.insert(QString::fromLatin1(name), value);
            process->setProcessEnvironment(environment);
            process->setProcessChannelMode(QProcess::ForwardedChannels);
            process->setWorkingDirectory(folder.isEmpty() ? dir.path() : folder);
            process->start(QStringLiteral(QUELLIN_BINARY), arguments);
            if (!process->waitForStarted(10000))
                qFatal("quellin did not start");
            return process;
        }
    };

    static std::optional<Session> waitForSession(const Home& home, const QString& path) {
        const auto saved = [&] { return home.store().load(path, QFileInfo(path).size()); };
        (void)QTest::qWaitFor([&] { return saved().has_value(); }, 60000);
        return saved();
    }

    static void terminate(QProcess* process) {
        ::kill(static_cast<pid_t>(process->processId()), SIGTERM);
        QVERIFY(process->waitForFinished(30000));
        QCOMPARE(process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(process->exitCode(), 0);
    }

private Q_SLOTS:
    void sigtermSavesTheSession() {
        Home home;
        const TestMedia::Speech speech = TestMedia::speech(
            home.dir.filePath(QStringLiteral("media")), QStringLiteral("lesson.wav"),
            {QStringLiteral("Good morning, how are you?"),
             QStringLiteral("The train leaves at seven.")},
            1.0);
        QProcess* app = home.start({speech.path}, this);
        const std::optional<Session> split = waitForSession(home, speech.path);
        QVERIFY2(split, "the pause split was not saved");
        QVERIFY(split->method.isPauses() && split->sentences.size() == speech.sentences.size());

        // Quitting saves again: the saved time moves on (it has whole seconds).
        QTest::qWait(1200);
        terminate(app);
        const std::optional<Session> saved = waitForSession(home, speech.path);
        QVERIFY2(saved->updatedAt > split->updatedAt, qPrintable(saved->updatedAt.toString()));
        QCOMPARE(saved->sentences, split->sentences);
        // The hand-over socket is gone with the process.
        QVERIFY(!QFile::exists(home.runtime() + QStringLiteral("/quellin.socket")));
    }

    void aSecondLaunchHandsItsFileToTheRunningOne() {
        Home home;
        const QString tone = TestMedia::tone(home.dir.filePath(QStringLiteral("media")),
                                             QStringLiteral("tone.wav"), 3.0);
        QProcess* first = home.start({}, this);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(home.runtime() + QStringLiteral("/quellin.socket")),
                                 30000);

        // Started from another folder with a relative path, as from a terminal.
        QProcess* second = home.start({QStringLiteral("tone.wav")}, this, QFileInfo(tone).path());
        QVERIFY(second->waitForFinished(30000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(first->state(), QProcess::Running);

        // The running window opened the file: its session appears.
        QVERIFY2(waitForSession(home, tone), "the running instance did not open the file");
        terminate(first);
    }
};

QTEST_MAIN(QuellinProcessTest)
#include "QuellinProcessTest.moc"
