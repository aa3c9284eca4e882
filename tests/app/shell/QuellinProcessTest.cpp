#include "session/Session.h"
#include "session/SessionStore.h"
#include "TestMedia.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

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

private Q_SLOTS:
    // A second launch, from another folder with a relative path, hands its file to the running
    // instance, which opens it; SIGTERM makes that one save and quit.
    void handOverThenSigterm() {
        Home home;
        const QString media = home.dir.filePath(QStringLiteral("media"));
        const QString first = TestMedia::tone(media, QStringLiteral("first.wav"), 2.0);
        const QString tone = TestMedia::tone(media, QStringLiteral("tone.wav"), 3.0);
        QProcess* app = home.start({first}, this);
        QVERIFY2(waitForSession(home, first), "the pause split was not saved");

        QProcess* second = home.start({QStringLiteral("tone.wav")}, this, media);
        QVERIFY(second->waitForFinished(30000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(app->state(), QProcess::Running);
        const std::optional<Session> split = waitForSession(home, tone);
        QVERIFY2(split, "the running instance did not open the file");

        // Quitting saves again: the saved time moves on (it has whole seconds).
        QTest::qWait(1200);
        ::kill(static_cast<pid_t>(app->processId()), SIGTERM);
        QVERIFY(app->waitForFinished(30000));
        QCOMPARE(app->exitStatus(), QProcess::NormalExit);
        QCOMPARE(app->exitCode(), 0);
        const std::optional<Session> saved = waitForSession(home, tone);
        QVERIFY2(saved->updatedAt > split->updatedAt, qPrintable(saved->updatedAt.toString()));
        QCOMPARE(saved->sentences, split->sentences);
        // The hand-over socket is gone with the process.
        QVERIFY(!QFile::exists(home.runtime() + QStringLiteral("/quellin.socket")));
    }

    // Size, position, maximised state and the sentence list's width come back at the next start
    // and are saved again on quitting.
    void placementComesBack() {
        Home home;
        const QString tone = TestMedia::tone(home.dir.filePath(QStringLiteral("media")),
                                             QStringLiteral("tone.wav"), 2.0);
        QSettings file(home.config() + QStringLiteral("/Quellin/Quellin.conf"),
                       QSettings::IniFormat);
        QWidget window;
        window.setGeometry(60, 50, 900, 620);
        for (const int width : {380, 300}) {
            file.setValue(QStringLiteral("window/geometry"), window.saveGeometry());
            file.setValue(QStringLiteral("window/sentenceListWidth"), width);
            file.sync();
            QProcess* app = home.start({tone}, this);
            QVERIFY(waitForSession(home, tone));
            ::kill(static_cast<pid_t>(app->processId()), SIGTERM);
            QVERIFY(app->waitForFinished(30000));
            file.sync();
            QWidget restored;
            QVERIFY(restored.restoreGeometry(file.value("window/geometry").toByteArray()));
            QCOMPARE(restored.normalGeometry(), window.normalGeometry());
            QCOMPARE(restored.isMaximized(), window.isMaximized());
            QCOMPARE(file.value("window/sentenceListWidth").toInt(), width);
            window.setWindowState(Qt::WindowMaximized);
        }
    }
};

QTEST_MAIN(QuellinProcessTest)
#include "QuellinProcessTest.moc"
