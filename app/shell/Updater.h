#pragma once

#include "UpdateFeed.h"
#include "UpdatePrompts.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QSettings;

// Checks the appcast feed for a newer version: on request (with a HEAD probe first, so that a
// feed that is gone reads as "up to date" rather than an error) and on its own at most once a
// day. Nothing else in the application uses the network.
class Updater final : public QObject {
    Q_OBJECT

public:
    enum class ProbeOutcome { reachable, noFeed, failed };

    struct Options {
        QUrl feed;                     // empty: this build has no feed
        int probeTimeoutMs = 15000;    // the HEAD probe's limit
        QSettings* settings = nullptr; // where the time of the last automatic check is kept
    };

    Updater(Options options, std::unique_ptr<UpdatePrompts> prompts, QObject* parent = nullptr);
    ~Updater() override;

    // The one instance of the application, on the feed chosen at build time.
    static Updater& shared();

    bool checking() const { return m_checking; }
    QUrl feed() const { return m_feed; }

    // Starts a manual check and returns at once; the outcome is shown as an alert.
    void checkForUpdates();
    // Checks quietly now if the last automatic check is a day old, then again every hour.
    void startAutomaticChecks();

    // How a probe's answer reads: 2xx, 405 and 501 reach the feed; 404 and 410 mean it is gone.
    static ProbeOutcome classify(int httpStatus);

Q_SIGNALS:
    // Emitted when a manual check has shown its outcome (tests wait for it).
    void checkFinished();

private:
    void onProbeFinished(QNetworkReply* reply);
    void readFeed(bool manual);
    void onFeedRead(QNetworkReply* reply, bool manual);
    void automaticCheckIfDue();

    QString applicationName() const;
    void showUpToDate();
    void showFailure();

    QUrl m_feed;
    int m_probeTimeoutMs;
    QSettings* m_settings;
    std::unique_ptr<UpdatePrompts> m_prompts;
    QNetworkAccessManager* m_network;
    QTimer m_automaticTimer;
    bool m_checking = false;
};
