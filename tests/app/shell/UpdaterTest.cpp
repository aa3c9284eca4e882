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

class RecordingPrompts final : public UpdatePrompts {
public:
    explicit RecordingPrompts(QList<Prompt>* log) : m_log(log) {}
    void inform(const QString& title, const QString& message) override {
        m_log->append({title, message, {}});
    }
    void offerDownload(const QString& title, const QString& message, const QUrl& page) override {
        m_log->append({title, message, page});
    }

private:
    QList<Prompt>* m_log;
};

// A feed server on 127.0.0.1 that answers HEAD and GET with fixed statuses (GET with the feed
// as its body), or never answers at all.
class FeedServer final : public QObject {
public:
    int headStatus = 200;
    int getStatus = 200;
    QByteArray feed;
    bool silent = false;
    QStringList methods;

    FeedServer() {
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
        connect(&m_server, &QTcpServer::newConnection, this, &FeedServer::accept);
    }
    QUrl url() const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/appcast.xml").arg(m_server.serverPort()));
    }

private:
    void accept() {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }
    void answer(QTcpSocket* socket) {
        const QByteArray request = socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        const QByteArray method = request.left(request.indexOf(' '));
        methods.append(QString::fromLatin1(method));
        if (silent)
            return;
        const bool head = method == "HEAD";
        const QByteArray body = head ? QByteArray() : feed;
        socket->write("HTTP/1.1 " + QByteArray::number(head ? headStatus : getStatus) +
                      " Status\r\nContent-Type: application/rss+xml\r\nConnection: close\r\n" +
                      "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
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
    QTemporaryDir m_dir;
    QList<Prompt> m_prompts;

    std::unique_ptr<Updater> makeUpdater(const QUrl& feed, QSettings* settings = nullptr,
                                         int timeoutMs = 2000) {
        Updater::Options options;
        options.feed = feed;
        options.probeTimeoutMs = timeoutMs;
        options.settings = settings;
        return std::make_unique<Updater>(options, std::make_unique<RecordingPrompts>(&m_prompts));
    }

private Q_SLOTS:
    void init() {
        m_prompts.clear();
        QCoreApplication::setApplicationName(QStringLiteral("Quellin"));
        QCoreApplication::setApplicationVersion(QStringLiteral("0.1.0"));
    }

    // A HEAD probe first: only a reachable feed is read. A manual check while an automatic one
    // runs waits for it, and a second press while one runs is ignored: one answer either way
    // (the running version itself is no update).
    void manualCheck_data() {
        QTest::addColumn<int>("head"); // 0: never answers
        QTest::addColumn<int>("get");
        QTest::addColumn<QByteArray>("feed");
        QTest::addColumn<bool>("automatic");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("requests");
        const QByteArray newer = appcast("0.2.0");
        const QStringList head{QStringLiteral("HEAD")}, get{QStringLiteral("GET")};
        const QStringList both = head + get;
        QTest::newRow("newer") << 200 << 200 << newer << false << available << both;
        QTest::newRow("HEAD refused") << 405 << 200 << newer << false << available << both;
        QTest::newRow("HEAD not implemented") << 501 << 200 << newer << false << available << both;
        QTest::newRow("gone") << 404 << 200 << newer << false << upToDate << head;
        QTest::newRow("gone for good") << 410 << 200 << newer << false << upToDate << head;
        QTest::newRow("server error") << 500 << 200 << newer << false << failed << head;
        QTest::newRow("no answer") << 0 << 200 << newer << false << failed << head;
        QTest::newRow("reachable, then the feed fails")
            << 200 << 500 << newer << false << failed << both;
        QTest::newRow("unreadable feed")
            << 200 << 200 << newer.left(200) << false << failed << both;
        QByteArray local = appcast("0.3.0");
        local.replace("https://example.org/quellin-0.3.0.tar.gz", "file:///usr/bin/xterm");
        QTest::newRow("newest links no web page")
            << 200 << 200 << local << false << upToDate << both;
        QTest::newRow("during an automatic one") << 200 << 200 << newer << true << available << get;
        QTest::newRow("during an automatic one, same version")
            << 200 << 200 << appcast("0.1.0") << true << upToDate << get + both;
    }
    void manualCheck() {
        QFETCH(int, head);
        QFETCH(int, get);
        QFETCH(QByteArray, feed);
        QFETCH(bool, automatic);
        QFETCH(QString, title);
        QFETCH(QStringList, requests);
        FeedServer server;
        server.silent = head == 0;
        server.headStatus = head;
        server.getStatus = get;
        server.feed = feed;
        auto updater = makeUpdater(server.url(), nullptr, server.silent ? 300 : 5000);
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
        auto updater = makeUpdater(QUrl(QStringLiteral("http://example.org/a.xml")));
        QSignalSpy finished(updater.get(), &Updater::checkFinished);
        updater->checkForUpdates();
        QCOMPARE(finished.size(), 1);
        QCOMPARE(m_prompts.size(), 1);
        QCOMPARE(m_prompts[0].message, QStringLiteral("This copy of Quellin has no update feed. "
                                                      "Your package manager keeps it up to date."));
    }

    void automaticChecksAtMostOncePerDay() {
        FeedServer server;
        server.feed = appcast("0.2.0");
        QSettings settings(m_dir.filePath(QStringLiteral("updates.conf")), QSettings::IniFormat);
        {
            auto updater = makeUpdater(server.url(), &settings);
            updater->startAutomaticChecks();
            QTRY_COMPARE_WITH_TIMEOUT(m_prompts.size(), 1, 10000);
            QCOMPARE(m_prompts[0].title, available);
        }
        // A second start on the same day does not ask the feed again.
        auto again = makeUpdater(server.url(), &settings);
        again->startAutomaticChecks();
        QTest::qWait(300);
        QCOMPARE(server.methods, QStringList{QStringLiteral("GET")});
        QCOMPARE(m_prompts.size(), 1);
    }
};

QTEST_MAIN(UpdaterTest)
#include "UpdaterTest.moc"
