#include "shell/Updater.h"

#include <QCoreApplication>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Prompt {
    QString title;
    QString message;
    QUrl page;
};

struct RecordingPrompts final : UpdatePrompts {
    QList<Prompt>* log;
    explicit RecordingPrompts(QList<Prompt>* log) : log(log) {}
    void inform(const QString& title, const QString& message) override {
        log->append({title, message, {}});
    }
    void offerDownload(const QString& title, const QString& message, const QUrl& page) override {
        log->append({title, message, page});
    }
};

// A feed server on 127.0.0.1 that answers HEAD and GET with fixed statuses (GET with the feed
// as its body), or never answers at all (HEAD status 0).
class FeedServer final : public QObject {
public:
    int headStatus = 200;
    int getStatus = 200;
    QByteArray feed;
    QStringList methods;

    FeedServer() {
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
        });
    }
    QUrl url() const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/appcast.xml").arg(m_server.serverPort()));
    }

private:
    void answer(QTcpSocket* socket) {
        const QByteArray request = socket->readAll();
        const bool head = request.startsWith("HEAD ");
        methods.append(head ? QStringLiteral("HEAD") : QStringLiteral("GET"));
        if (head && headStatus == 0)
            return;
        const QByteArray body = head ? QByteArray() : feed;
        socket->write("HTTP/1.1 " + QByteArray::number(head ? headStatus : getStatus) +
                      " Status\r\nConnection: close\r\nContent-Length: " +
                      QByteArray::number(body.size()) + "\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
};

// An older release first, then `version`.
QByteArray appcast(const char* version) {
    QByteArray feed =
        "<?xml version='1.0'?>\n"
        "<rss version='2.0' xmlns:sparkle='http://www.andymatuschak.org/xml-namespaces/sparkle'>"
        "<channel><title>Quellin</title>"
        "<item><title>Old</title><sparkle:shortVersionString>0.0.9</sparkle:shortVersionString>"
        "<enclosure url='https://example.org/quellin-0.0.9.tar.gz'/></item>"
        "<item><title>New</title><enclosure url='https://example.org/quellin-VERSION.tar.gz' "
        "sparkle:shortVersionString='VERSION'/></item>"
        "</channel></rss>";
    return feed.replace("VERSION", version);
}

const QString available = QStringLiteral("Quellin 0.2.0 is available");
const QString upToDate = QStringLiteral("You’re up to date");
const QString failed = QStringLiteral("Couldn’t check for updates");

} // namespace

// The updater against a real HTTP server on the loopback interface; the running version is 0.1.0.
class UpdaterTest final : public QObject {
    Q_OBJECT

private:
    QList<Prompt> m_prompts;

    std::unique_ptr<Updater> makeUpdater(const QUrl& feed, QSettings* settings = nullptr,
                                         int timeoutMs = 2000) {
        return std::make_unique<Updater>(Updater::Options{feed, timeoutMs, settings},
                                         std::make_unique<RecordingPrompts>(&m_prompts));
    }

private Q_SLOTS:
    void init() {
        m_prompts.clear();
        QCoreApplication::setApplicationName(QStringLiteral("Quellin"));
        QCoreApplication::setApplicationVersion(QStringLiteral("0.1.0"));
    }

    // A HEAD probe first: only a reachable feed is read. A manual check while an automatic one
    // runs waits for it, and a second press while one runs is ignored: one answer either way
    // (the running version itself is no update). Automatic checks ask the feed once a day.
    void manualCheck_data() {
        QTest::addColumn<int>("head"); // 0: never answers
        QTest::addColumn<int>("get");
        QTest::addColumn<QByteArray>("feed");
        QTest::addColumn<int>("automatic"); // 1: one starts first; 2: another start did today's
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("requests");
        const QByteArray newer = appcast("0.2.0");
        const QStringList head{QStringLiteral("HEAD")}, get{QStringLiteral("GET")};
        const QStringList both = head + get;
        QTest::newRow("newer") << 200 << 200 << newer << 0 << available << both;
        QTest::newRow("HEAD refused") << 405 << 200 << newer << 0 << available << both;
        QTest::newRow("HEAD not implemented") << 501 << 200 << newer << 0 << available << both;
        QTest::newRow("gone") << 404 << 200 << newer << 0 << upToDate << head;
        QTest::newRow("gone for good") << 410 << 200 << newer << 0 << upToDate << head;
        QTest::newRow("server error") << 500 << 200 << newer << 0 << failed << head;
        QTest::newRow("no answer") << 0 << 200 << newer << 0 << failed << head;
        QTest::newRow("reachable, then the feed fails")
            << 200 << 500 << newer << 0 << failed << both;
        QTest::newRow("unreadable feed") << 200 << 200 << newer.left(200) << 0 << failed << both;
        QByteArray local = appcast("0.3.0");
        local.replace("https://example.org/quellin-0.3.0.tar.gz", "file:///usr/bin/xterm");
        QTest::newRow("newest links no web page") << 200 << 200 << local << 0 << upToDate << both;
        QTest::newRow("during an automatic one") << 200 << 200 << newer << 1 << available << get;
        QTest::newRow("during an automatic one, same version")
            << 200 << 200 << appcast("0.1.0") << 1 << upToDate << get + both;
        QTest::newRow("automatic one done today") << 200 << 200 << newer << 2 << available << both;
    }
    void manualCheck() {
        QFETCH(int, head);
        QFETCH(int, get);
        QFETCH(QByteArray, feed);
        QFETCH(int, automatic);
        QFETCH(QString, title);
        QFETCH(QStringList, requests);
        FeedServer server;
        server.headStatus = head;
        server.getStatus = get;
        server.feed = feed;
        QTemporaryDir dir;
        QSettings settings(dir.filePath(QStringLiteral("updates.conf")), QSettings::IniFormat);
        if (automatic == 2) {
            const auto earlier = makeUpdater(server.url(), &settings);
            earlier->startAutomaticChecks();
            QTRY_COMPARE_WITH_TIMEOUT(m_prompts.size(), 1, 10000);
            server.methods.clear();
            m_prompts.clear();
        }
        auto updater = makeUpdater(server.url(), &settings, head == 0 ? 300 : 5000);
        if (automatic)
            updater->startAutomaticChecks();
        QSignalSpy finished(updater.get(), &Updater::checkFinished);
        updater->checkForUpdates();
        updater->checkForUpdates();
        QVERIFY(finished.wait(10000));
        QVERIFY(!updater->checking());
        QCOMPARE(m_prompts.size(), 1);
        QCOMPARE(m_prompts[0].title, title);
        QCOMPARE(server.methods, requests);
        if (title == available)
            QCOMPARE(m_prompts[0].page,
                     QUrl(QStringLiteral("https://example.org/quellin-0.2.0.tar.gz")));
    }

    // A feed that is neither HTTPS nor on this computer is treated as none.
    void insecureFeedIsNone() {
        makeUpdater(QUrl(QStringLiteral("http://example.org/a.xml")))->checkForUpdates();
        QCOMPARE(m_prompts.size(), 1);
        QCOMPARE(m_prompts[0].message, QStringLiteral("This copy of Quellin has no update feed. "
                                                      "Your package manager keeps it up to date."));
    }
};

QTEST_MAIN(UpdaterTest)
#include "UpdaterTest.moc"
