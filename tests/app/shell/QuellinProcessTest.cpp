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

        QProcess* start(const QStringList& arguments, QObject* parent) const {
            auto* process = new QProcess(parent);
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("HOME"), dir.path());
            environment.insert(QStringLiteral("XDG_DATA_HOME"), data());
            environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config());
            environment.insert(QStringLiteral("XDG_CACHE_HOME"),
                               dir.filePath(QStringLiteral("cache")));
            environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime());
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            process->setProcessEnvironment(environment);
            process->setProcessChannelMode(QProcess::ForwardedChannels);
            process->start(QStringLiteral(QUELLIN_BINARY), arguments);
            if (!process->waitForStarted(10000))
                qFatal("quellin did not start");
            return process;
        }
    };

    static std::optional<Session> waitForSession(const Home& home, const QString& path,
                                                 int timeoutMs = 60000) {
        const qint64 size = QFileInfo(path).size();
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < timeoutMs) {
            if (auto session = home.store().load(path, size))
                return session;
            QTest::qWait(100);
        }
        return std::nullopt;
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
        QVERIFY(split->method.isPauses());
        QCOMPARE(split->sentences.size(), speech.sentences.size());

        // Quitting saves again: the saved time moves on (it has whole seconds).
        QTest::qWait(1200);
        terminate(app);
        const std::optional<Session> saved =
            home.store().load(speech.path, QFileInfo(speech.path).size());
        QVERIFY(saved);
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
        auto* second = new QProcess(this);
        second->setProcessEnvironment(first->processEnvironment());
        second->setWorkingDirectory(QFileInfo(tone).absolutePath());
        second->start(QStringLiteral(QUELLIN_BINARY), {QStringLiteral("tone.wav")});
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
