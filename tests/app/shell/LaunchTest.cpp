#include "shell/LaunchFiles.h"
#include "shell/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <future>

#include <grp.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t nobody = 65534;

// Runs `work` (system calls only; its result is the exit status) in a child process as the user
// nobody, and `meanwhile` here; then waits for the child, which ends within 10 s. Needs root.
int asNobody(const std::function<int()>& work, const std::function<void()>& meanwhile) {
    const pid_t child = fork();
    if (child == 0) {
        alarm(10);
        _exit(setgroups(0, nullptr) == 0 && setgid(nobody) == 0 && setuid(nobody) == 0 ? work()
                                                                                       : 100);
    }
    meanwhile();
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0)
        QTest::qWait(20);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

sockaddr_un socketAddress(const QString& path) {
    sockaddr_un address{AF_UNIX, {}};
    qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path);
    return address;
}

bool receivesAnything(int descriptor) {
    char buffer[64];
    return read(descriptor, buffer, sizeof buffer) > 0;
}

} // namespace

class LaunchTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Relative paths and file: URLs become absolute paths; web URLs and options are not files,
    // unless "--" ended the options.
    void filesFromTheCommandLine() {
        QCOMPARE(LaunchFiles::fromArguments(
                     {QStringLiteral("ep 1.mp3"), QStringLiteral("../lessons/./a.m4a"),
                      QStringLiteral("file:///tmp/with%20space.mp3"),
                      QStringLiteral("https://example.org/x.mp3"), QStringLiteral("--verbose"),
                      QStringLiteral("--"), QStringLiteral("-dash.mp3"), QString()},
                     QStringLiteral("/home/ana/podcasts")),
                 QStringList({QStringLiteral("/home/ana/podcasts/ep 1.mp3"),
                              QStringLiteral("/home/ana/lessons/a.m4a"),
                              QStringLiteral("/tmp/with space.mp3"),
                              QStringLiteral("/home/ana/podcasts/-dash.mp3")}));
    }

    // A second instance hands its files over (without files it only asks to show the window);
    // anything but a list of files is refused. The socket file a crashed instance left is no
    // obstacle.
    void aSecondInstanceHandsItsFilesOver() {
        QTemporaryDir runtime;
        QVERIFY(QFile(QDir(runtime.path()).filePath(QStringLiteral("quellin.socket")))
                    .open(QIODevice::WriteOnly));
        SingleInstance first(runtime.path());
        QCOMPARE(first.start({}), SingleInstance::Role::primary);
        QSignalSpy received(&first, &SingleInstance::filesReceived);
        // The second instance blocks while it hands over, so it runs on a thread of its own.
        for (const QStringList& files :
             {QStringList{QStringLiteral("/tmp/a.mp3"), QStringLiteral("/tmp/ü b.mp4")},
              QStringList()}) {
            auto second = std::async(std::launch::async, [&] {
                return SingleInstance(runtime.path()).start(files, 10000);
            });
            QVERIFY(received.wait(10000));
            QCOMPARE(second.get(), SingleInstance::Role::handedOver);
            QCOMPARE(received.takeFirst()[0].toStringList(), files);
        }
        QLocalSocket socket;
        socket.connectToServer(first.socketPath());
        QVERIFY(socket.waitForConnected(5000));
        socket.write("{\"not\": \"a list\"}\n");
        QTRY_COMPARE(socket.state(), QLocalSocket::UnconnectedState);
        QCOMPARE(received.size(), 0);
    }

    // Only a folder that is this user's alone holds the lock and the socket; elsewhere Quellin
    // runs on its own rather than meet whoever listens there.
    void aSharedFolderIsNotUsed_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<uint>("owner");
        QTest::addColumn<bool>("othersLink");
        QTest::newRow("anyone may write") << 01777 << uint(geteuid()) << false;
        QTest::newRow("another user's") << 0700 << uint(nobody) << false;
        QTest::newRow("another user's link to mine") << 0700 << uint(geteuid()) << true;
    }
    void aSharedFolderIsNotUsed() {
        QFETCH(int, mode);
        QFETCH(uint, owner);
        QFETCH(bool, othersLink);
        if ((owner != geteuid() || othersLink) && geteuid() != 0)
            QSKIP("giving files to another user needs root");
        QTemporaryDir base;
        const QString folder = base.filePath(QStringLiteral("run"));
        const QString link = base.filePath(QStringLiteral("link"));
        QVERIFY(mkdir(qPrintable(folder), mode_t(mode)) == 0 &&
                chmod(qPrintable(folder), mode_t(mode)) == 0 &&
                chown(qPrintable(folder), owner, -1) == 0);
        QVERIFY(!othersLink ||
                (QFile::link(folder, link) && lchown(qPrintable(link), nobody, -1) == 0));
        QCOMPARE(SingleInstance(othersLink ? link : folder).start({}),
                 SingleInstance::Role::standalone);
        QVERIFY(QDir(folder).isEmpty());
    }

    void theFallbackFolderIsTheUsersOwn() {
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), temporary = qgetenv("TMPDIR");
        const auto restore = qScopeGuard([=] {
            qputenv("XDG_RUNTIME_DIR", runtime);
            qputenv("TMPDIR", temporary);
        });
        // A plain file where Qt looks for the runtime folder and for its own fallback.
        QTemporaryDir shared;
        const QString file = shared.filePath(QStringLiteral("runtime-") +
                                             QString::fromLocal8Bit(getpwuid(geteuid())->pw_name));
        QVERIFY(QFile(file).open(QIODevice::WriteOnly));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(file));
        qputenv("TMPDIR", QFile::encodeName(shared.path()));
        const QString folder = SingleInstance::defaultFolder();
        QCOMPARE(QFileInfo(folder).path(), shared.path());
        QVERIFY(QFileInfo(folder).fileName().contains(QString::number(geteuid())));
        QCOMPARE(SingleInstance(folder).start({}), SingleInstance::Role::primary);
        struct stat info {};
        QVERIFY(stat(qPrintable(folder), &info) == 0 && (info.st_mode & 0777) == 0700);
    }

    // Files go only to an instance of the same user, who takes files only from the same user;
    // an instance that does not answer is not waited for for ever.
    void noFilesBetweenUsers() {
        QTemporaryDir runtime;
        QLockFile lock(QDir(runtime.path()).filePath(QStringLiteral("quellin.lock")));
        QVERIFY(lock.tryLock(0)); // an instance runs, as far as the lock tells, and never listens
        QCOMPARE(SingleInstance(runtime.path()).start({QStringLiteral("/tmp/a.mp3")}, 400),
                 SingleInstance::Role::standalone);
        if (geteuid() != 0)
            QSKIP("acting as another user needs root");
        // Bound here, listening as nobody: the peer the socket reports is nobody.
        SingleInstance second(runtime.path());
        const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
        const sockaddr_un address = socketAddress(second.socketPath());
        QVERIFY(bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0);
        SingleInstance::Role role{};
        const int heard = asNobody(
            [&] {
                const int caller =
                    listen(listener, 1) == 0 ? accept(listener, nullptr, nullptr) : -1;
                return receivesAnything(caller) && write(caller, "ok\n", 3) == 3 ? 1 : 0;
            },
            [&] {
                close(listener);
                role = second.start({QStringLiteral("/tmp/a.mp3")}, 3000);
            });
        QCOMPARE(role, SingleInstance::Role::standalone);
        QCOMPARE(heard, 0);

        // A careless folder lets nobody reach the socket of a running instance.
        lock.unlock();
        QVERIFY(QFile::remove(second.socketPath()));
        SingleInstance first(runtime.path());
        QCOMPARE(first.start({}), SingleInstance::Role::primary);
        QSignalSpy received(&first, &SingleInstance::filesReceived);
        QVERIFY(chmod(qPrintable(runtime.path()), 0755) == 0 &&
                chmod(qPrintable(first.socketPath()), 0777) == 0);
        const int answered = asNobody(
            [&] {
                static const char files[] = "[\"/tmp/a.mp3\"]\n";
                const int caller = socket(AF_UNIX, SOCK_STREAM, 0);
                return ::connect(caller, reinterpret_cast<const sockaddr*>(&address),
                                 sizeof address) == 0 &&
                               write(caller, files, sizeof files - 1) > 0 &&
                               receivesAnything(caller)
                           ? 1
                           : 0;
            },
            [] {});
        QCOMPARE(answered, 0);
        QCOMPARE(received.size(), 0);
    }
};

QTEST_MAIN(LaunchTest)
#include "LaunchTest.moc"
