#include "LaunchFiles.h"
#include "QuitSignals.h"
#include "SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <future>
#include <thread>

class LaunchTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void filesFromTheCommandLine() {
        const QString cwd = QStringLiteral("/home/ana/podcasts");
        QCOMPARE(
            LaunchFiles::fromArguments({QStringLiteral("ep 1.mp3"),
                                        QStringLiteral("../lessons/./a.m4a"),
                                        QStringLiteral("/tmp/b.wav")},
                                       cwd),
            QStringList({QStringLiteral("/home/ana/podcasts/ep 1.mp3"),
                         QStringLiteral("/home/ana/lessons/a.m4a"), QStringLiteral("/tmp/b.wav")}));
        // Launchers may pass URLs; only local files count. Options are not files, unless "--"
        // ended them.
        QCOMPARE(LaunchFiles::fromArguments({QStringLiteral("file:///tmp/with%20space.mp3"),
                                             QStringLiteral("https://example.org/x.mp3"),
                                             QStringLiteral("--verbose"), QStringLiteral("--"),
                                             QStringLiteral("-dash.mp3"), QString()},
                                            cwd),
                 QStringList({QStringLiteral("/tmp/with space.mp3"),
                              QStringLiteral("/home/ana/podcasts/-dash.mp3")}));
    }

    void aSecondInstanceHandsItsFilesOver() {
        QTemporaryDir runtime;
        SingleInstance first(runtime.path());
        QCOMPARE(first.start({}), SingleInstance::Role::primary);
        QVERIFY(QFile::exists(first.socketPath()));
        QSignalSpy received(&first, &SingleInstance::filesReceived);

        // The second instance blocks while it hands over, so it runs on a thread of its own
        // while this one answers.
        const QStringList files{QStringLiteral("/tmp/a.mp3"), QStringLiteral("/tmp/ü b.mp4")};
        auto second = std::async(std::launch::async, [&] {
            SingleInstance other(runtime.path());
            return other.start(files, 10000);
        });
        QVERIFY(received.wait(10000));
        QCOMPARE(second.get(), SingleInstance::Role::handedOver);
        QCOMPARE(received[0][0].toStringList(), files);

        // Without files it only asks to show the window.
        auto third = std::async(std::launch::async, [&] {
            SingleInstance other(runtime.path());
            return other.start({}, 10000);
        });
        QVERIFY(received.wait(10000));
        QCOMPARE(third.get(), SingleInstance::Role::handedOver);
        QCOMPARE(received[1][0].toStringList(), QStringList());
    }

    void garbageIsRefused() {
        QTemporaryDir runtime;
        SingleInstance first(runtime.path());
        QCOMPARE(first.start({}), SingleInstance::Role::primary);
        QSignalSpy received(&first, &SingleInstance::filesReceived);
        QLocalSocket socket;
        socket.connectToServer(first.socketPath());
        QVERIFY(socket.waitForConnected(5000));
        socket.write("{\"not\": \"a list\"}\n");
        socket.flush();
        QTRY_COMPARE(socket.state(), QLocalSocket::UnconnectedState);
        QCOMPARE(received.size(), 0);
    }

    void leftoversOfACrashDoNotBlock() {
        QTemporaryDir runtime;
        // A socket file without a lock: the instance that made it is gone.
        QFile stale(QDir(runtime.path()).filePath(QStringLiteral("quellin.socket")));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        SingleInstance first(runtime.path());
        QCOMPARE(first.start({}), SingleInstance::Role::primary);
    }

    void quitSignalsArriveOnTheMainThread() {
        QuitSignals signals;
        QSignalSpy quit(&signals, &QuitSignals::quitRequested);
        for (const int signal : {SIGTERM, SIGINT, SIGHUP})
            QVERIFY(::raise(signal) == 0); // handled: the test process lives on
        QTRY_COMPARE(quit.size(), 3);
        QCOMPARE(quit[0][0].toInt(), SIGTERM);
        QCOMPARE(quit[2][0].toInt(), SIGHUP);
    }

    void anInstanceThatDoesNotAnswerIsNotWaitedForEver() {
        QTemporaryDir runtime;
        // The lock is held by a live process (this one) that never listens.
        QLockFile lock(QDir(runtime.path()).filePath(QStringLiteral("quellin.lock")));
        QVERIFY(lock.tryLock(0));
        SingleInstance second(runtime.path());
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(second.start({QStringLiteral("/tmp/a.mp3")}, 400),
                 SingleInstance::Role::standalone);
        QVERIFY(timer.elapsed() < 5000);
    }
};

QTEST_MAIN(LaunchTest)
#include "LaunchTest.moc"
