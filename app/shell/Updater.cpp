#include "shell/Updater.h"

#include "base/LogCategories.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSettings>

#include <utility>

namespace {

const auto lastCheckKey = QStringLiteral("updates/lastAutomaticCheck");
constexpr int automaticInterval = 60 * 60 * 1000; // look every hour whether a day has passed
constexpr qint64 oneDay = qint64(24) * 60 * 60;

QNetworkRequest requestFor(const QUrl& url, int timeoutMs) {
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(timeoutMs);
    return request;
}

} // namespace

Updater::Updater(Options options, std::unique_ptr<UpdatePrompts> prompts, QObject* parent)
    : QObject(parent), m_feed(options.feed), m_probeTimeoutMs(options.probeTimeoutMs),
      m_settings(options.settings), m_prompts(std::move(prompts)),
      m_network(new QNetworkAccessManager(this)) {
    // A feed that is not HTTPS (or loopback, for tests) is treated as no feed at all.
    if (!m_feed.isEmpty() && !UpdateFeed::isAllowedFeed(m_feed)) {
        qCDebug(lcUpdate) << "ignoring the feed" << m_feed << "- only HTTPS feeds are read";
        m_feed = QUrl();
    }
    m_automaticTimer.setInterval(automaticInterval);
    connect(&m_automaticTimer, &QTimer::timeout, this, &Updater::automaticCheckIfDue);
}

Updater::~Updater() = default;

Updater::ProbeOutcome Updater::classify(int httpStatus) {
    if ((httpStatus >= 200 && httpStatus <= 299) || httpStatus == 405 || httpStatus == 501)
        return ProbeOutcome::reachable;
    if (httpStatus == 404 || httpStatus == 410)
        return ProbeOutcome::noFeed;
    return ProbeOutcome::failed;
}

void Updater::checkForUpdates() {
    if (m_running == Running::manual || m_manualWaiting)
        return;
    if (m_feed.isEmpty()) {
        m_prompts->inform(tr("Couldn’t check for updates"),
                          tr("This copy of %1 has no update feed. Your package manager keeps it "
                             "up to date.")
                              .arg(applicationName()));
        Q_EMIT checkFinished();
        return;
    }
    if (m_running == Running::automatic) {
        m_manualWaiting = true;
        return;
    }
    startManualCheck();
}

void Updater::startManualCheck() {
    m_running = Running::manual;
    QNetworkReply* reply = m_network->head(requestFor(m_feed, m_probeTimeoutMs));
    connect(reply, &QNetworkReply::finished, this, [this, reply] { onProbeFinished(reply); });
}

void Updater::onProbeFinished(QNetworkReply* reply) {
    reply->deleteLater();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const ProbeOutcome outcome = status.isValid() ? classify(status.toInt()) : ProbeOutcome::failed;
    switch (outcome) {
    case ProbeOutcome::reachable:
        readFeed();
        return;
    case ProbeOutcome::noFeed:
        m_running = Running::none;
        showUpToDate();
        break;
    case ProbeOutcome::failed:
        qCDebug(lcUpdate) << "the feed" << m_feed << "didn't answer: status" << status.toInt()
                          << "-" << reply->errorString();
        m_running = Running::none;
        showFailure();
        break;
    }
    Q_EMIT checkFinished();
}

void Updater::readFeed() {
    QNetworkReply* reply = m_network->get(requestFor(m_feed, m_probeTimeoutMs));
    connect(reply, &QNetworkReply::finished, this, [this, reply] { onFeedRead(reply); });
}

void Updater::onFeedRead(QNetworkReply* reply) {
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok = reply->error() == QNetworkReply::NoError && status >= 200 && status <= 299;
    const auto release = ok ? UpdateFeed::newest(reply->readAll()) : std::nullopt;
    if (!ok)
        qCDebug(lcUpdate) << "couldn't read the feed" << m_feed << ": status" << status << "-"
                          << reply->errorString();
    else if (!release)
        qCDebug(lcUpdate) << "the feed" << m_feed << "names no usable release";
    const QVersionNumber current =
        QVersionNumber::fromString(QCoreApplication::applicationVersion());

    const bool manual = std::exchange(m_running, Running::none) == Running::manual;
    const bool newer = release && release->version > current;
    if (newer) {
        m_prompts->offerDownload(
            tr("%1 %2 is available").arg(applicationName(), release->versionText),
            tr("You have version %1. The download page opens in your browser.")
                .arg(QCoreApplication::applicationVersion()),
            release->downloadUrl);
    } else if (manual) {
        // A feed that answers but cannot be read is a failed check, not news of no update.
        if (ok && release)
            showUpToDate();
        else
            showFailure();
    }
    if (manual) {
        Q_EMIT checkFinished();
    } else if (std::exchange(m_manualWaiting, false)) {
        // The automatic check's offer answers the user too; anything less, and the user's own
        // check (with its probe) runs now.
        if (newer)
            Q_EMIT checkFinished();
        else
            startManualCheck();
    }
}

void Updater::startAutomaticChecks() {
    if (m_feed.isEmpty())
        return;
    automaticCheckIfDue();
    m_automaticTimer.start();
}

void Updater::automaticCheckIfDue() {
    if (m_feed.isEmpty() || m_running != Running::none)
        return;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (m_settings) {
        const QDateTime last = m_settings->value(lastCheckKey).toDateTime();
        if (last.isValid() && last.secsTo(now) < oneDay && last <= now)
            return;
        m_settings->setValue(lastCheckKey, now);
    }
    m_running = Running::automatic;
    readFeed();
}

QString Updater::applicationName() const {
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? tr("This app") : name;
}

void Updater::showUpToDate() {
    const QString name = applicationName();
    m_prompts->inform(tr("You’re up to date"),
                      tr("%1 %2 is the newest version. %1 checks for updates on its own and will "
                         "let you know when there’s a new one.")
                          .arg(name, QCoreApplication::applicationVersion()));
}

void Updater::showFailure() {
    m_prompts->inform(tr("Couldn’t check for updates"),
                      tr("Check your internet connection and try again. %1 also checks on its own "
                         "about once a day.")
                          .arg(applicationName()));
}
