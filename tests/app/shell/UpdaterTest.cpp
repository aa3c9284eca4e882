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

// A feed server on 127.0.0.1 that answers HEAD with a fixed status and GET with a feed body,
// or never answers at all.
class FeedServer final : public QObject {
public:
    int headStatus = 200;
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
        const int status = head ? headStatus : 200;
        const QByteArray body = head ? QByteArray() : feed;
        socket->write("HTTP/1.1 " + QByteArray::number(status) + " Status\r\n" +
                      "Content-Type: application/rss+xml\r\nConnection: close\r\n" +
                      "Content-Length: " + QByteArray::number(head ? 0 : body.size()) + "\r\n\r\n" +
                      body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
};

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

} // namespace

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

    void runCheck(Updater& updater) {
        QSignalSpy finished(&updater, &Updater::checkFinished);
        updater.checkForUpdates();
        QVERIFY(finished.count() == 1 || finished.wait(10000));
        QVERIFY(!updater.checking());
    }

private Q_SLOTS:
    void init() {
        m_prompts.clear();
        QCoreApplication::setApplicationName(QStringLiteral("Quellin"));
        QCoreApplication::setApplicationVersion(QStringLiteral("0.1.0"));
    }

    void classifiesProbeStatuses() {
        using O = Updater::ProbeOutcome;
        QCOMPARE(Updater::classify(200), O::reachable);
        QCOMPARE(Updater::classify(299), O::reachable);
        QCOMPARE(Updater::classify(405), O::reachable);
        QCOMPARE(Updater::classify(501), O::reachable);
        QCOMPARE(Updater::classify(404), O::noFeed);
        QCOMPARE(Updater::classify(410), O::noFeed);
        QCOMPARE(Updater::classify(500), O::failed);
        QCOMPARE(Updater::classify(301), O::failed);
    }

    void readsTheNewestRelease() {
        const auto release = UpdateFeed::newest(appcast("0.2.0"));
        QVERIFY(release);
        QCOMPARE(release->versionText, QStringLiteral("0.2.0"));
        QCOMPARE(release->downloadUrl,
                 QUrl(QStringLiteral("https://example.org/quellin-0.2.0.tar.gz")));
        QVERIFY(!UpdateFeed::newest("<rss><channel><item><title>x</title></item></channel></rss>"));
        QVERIFY(!UpdateFeed::newest("not xml at all"));
        QVERIFY(!UpdateFeed::newest(appcast("0.2.0").left(200)));
        // A link that is no web page is never offered: the newest usable release is.
        QByteArray local = appcast("0.3.0");
        local.replace("https://example.org/quellin-0.3.0.tar.gz", "file:///usr/bin/xterm");
        QCOMPARE(UpdateFeed::newest(local)->versionText, QStringLiteral("0.0.9"));
        QVERIFY(!UpdateFeed::newest(QByteArray(appcast("0.3.0")).replace("https://", "x-app://")));
    }

    void acceptsOnlySecureFeeds() {
        QVERIFY(UpdateFeed::isAllowedFeed(QUrl(QStringLiteral("https://example.org/a.xml"))));
        QVERIFY(UpdateFeed::isAllowedFeed(QUrl(QStringLiteral("http://127.0.0.1:8000/a.xml"))));
        QVERIFY(UpdateFeed::isAllowedFeed(QUrl(QStringLiteral("http://[::1]/a.xml"))));
        QVERIFY(!UpdateFeed::isAllowedFeed(QUrl(QStringLiteral("http://example.org/a.xml"))));
        QVERIFY(!UpdateFeed::isAllowedFeed(QUrl(QStringLiteral("ftp://127.0.0.1/a.xml"))));
        // An insecure feed is treated as none: the check says so instead of using it.
        auto updater = makeUpdater(QUrl(QStringLiteral("http://example.org/a.xml")));
        runCheck(*updater);
        QCOMPARE(m_prompts.size(), 1);
        QCOMPARE(m_prompts[0].message, QStringLiteral("This copy of Quellin has no update feed. "
                                                      "Your package manager keeps it up to date."));
    }

    void probeOutcomes_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("methods");
        const QStringList headOnly{QStringLiteral("HEAD")};
        const QStringList headThenGet{QStringLiteral("HEAD"), QStringLiteral("GET")};
        QTest::newRow("200 newer")
            << 200 << QStringLiteral("Quellin 0.2.0 is available") << headThenGet;
        QTest::newRow("405 head refused")
            << 405 << QStringLiteral("Quellin 0.2.0 is available") << headThenGet;
        QTest::newRow("404 gone") << 404 << QStringLiteral("You’re up to date") << headOnly;
        QTest::newRow("410 gone") << 410 << QStringLiteral("You’re up to date") << headOnly;
        QTest::newRow("500 broken")
            << 500 << QStringLiteral("Couldn’t check for updates") << headOnly;
    }
    void probeOutcomes() {
        QFETCH(int, status);
        QFETCH(QString, title);
        QFETCH(QStringList, methods);
        FeedServer server;
        server.headStatus = status;
        server.feed = appcast("0.2.0");
        auto updater = makeUpdater(server.url());
        runCheck(*updater);
        QCOMPARE(m_prompts.size(), 1);
        QCOMPARE(m_prompts[0].title, title);
        QCOMPARE(server.methods, methods);
        if (status == 404)
            QCOMPARE(
                m_prompts[0].message,
                QStringLiteral("Quellin 0.1.0 is the newest version. Quellin checks for "
                               "updates on its own and will let you know when there’s a new one."));
        if (status == 500)
            QCOMPARE(m_prompts[0].message,
                     QStringLiteral("Check your internet connection and try again. Quellin also "
                                    "checks on its own about once a day."));
        if (status == 200)
            QCOMPARE(m_prompts[0].page,
                     QUrl(QStringLiteral("https://example.org/quellin-0.2.0.tar.gz")));
    }

    void silentServerTimesOutAndSecondCallIsIgnored() {
        FeedServer server;
        server.silent = true;
        auto updater = makeUpdater(server.url(), nullptr, 300);
        QSignalSpy finished(updater.get(), &Updater::checkFinished);
        updater->checkForUpdates();
        QVERIFY(updater->checking());
        updater->checkForUpdates(); // ignored while the probe runs
        QVERIFY(finished.wait(10000));
        QTest::qWait(200);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(server.methods, QStringList{QStringLiteral("HEAD")});
        QCOMPARE(m_prompts.size(), 1);
        QCOMPARE(m_prompts[0].title, QStringLiteral("Couldn’t check for updates"));
        QVERIFY(!updater->checking());
    }

    // A manual check while an automatic one runs waits for it: the answer comes once, and the
    // running version itself is no update.
    void aManualCheckDuringAnAutomaticOneAnswersOnce_data() {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<QString>("title");
        QTest::newRow("newer") << QByteArray("0.2.0")
                               << QStringLiteral("Quellin 0.2.0 is available");
        QTest::newRow("same") << QByteArray("0.1.0") << QStringLiteral("You’re up to date");
    }
    void aManualCheckDuringAnAutomaticOneAnswersOnce() {
        QFETCH(QByteArray, version);
        QFETCH(QString, title);
        FeedServer server;
        server.feed = appcast(version.constData());
        auto updater = makeUpdater(server.url());
        updater->startAutomaticChecks();
        runCheck(*updater);
        QCOMPARE(m_prompts.size(), 1);
        QCOMPARE(m_prompts[0].title, title);
    }

    void automaticChecksAtMostOncePerDay() {
        FeedServer server;
        server.feed = appcast("0.2.0");
        QSettings settings(m_dir.filePath(QStringLiteral("updates.conf")), QSettings::IniFormat);
        {
            auto updater = makeUpdater(server.url(), &settings);
            updater->startAutomaticChecks();
            QTRY_COMPARE_WITH_TIMEOUT(m_prompts.size(), 1, 10000);
            QCOMPARE(m_prompts[0].title, QStringLiteral("Quellin 0.2.0 is available"));
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
