#pragma once

#include "shell/UpdateFeed.h"
#include "shell/UpdatePrompts.h"

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
// day. One check runs at a time: a manual check asked for while an automatic one runs waits for
// it, so the user hears the answer once. Nothing else in the application uses the network.
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

    // A check, manual or automatic, is under way.
    bool checking() const { return m_running != Running::none; }
    QUrl feed() const { return m_feed; }

    // Starts a manual check and returns at once; the outcome is shown as an alert. Ignored while
    // a manual check is under way or waiting.
    void checkForUpdates();
    // Checks quietly now if the last automatic check is a day old, then again every hour.
    void startAutomaticChecks();

    // How a probe's answer reads: 2xx, 405 and 501 reach the feed; 404 and 410 mean it is gone.
    static ProbeOutcome classify(int httpStatus);

Q_SIGNALS:
    // Emitted when a manual check has shown its outcome (tests wait for it).
    void checkFinished();

private:
    enum class Running { none, automatic, manual };

    void startManualCheck();
    void onProbeFinished(QNetworkReply* reply);
    void readFeed();
    void onFeedRead(QNetworkReply* reply);
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
    Running m_running = Running::none;
    // The user asked while an automatic check ran; answered when it ends.
    bool m_manualWaiting = false;
};
