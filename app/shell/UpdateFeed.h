#pragma once

#include <QByteArray>
#include <QUrl>
#include <QVersionNumber>

#include <optional>

// The appcast that announces new versions: an RSS feed whose items carry a version and a
// download link, in the style update frameworks use.
struct UpdateRelease {
    QString versionText;
    QVersionNumber version;
    QUrl downloadUrl;
};

namespace UpdateFeed {

// The newest release the feed announces, or none when the feed holds no usable item.
// Throws nothing: malformed XML simply gives none.
std::optional<UpdateRelease> newest(const QByteArray& rss);

// Update traffic only goes over HTTPS; plain HTTP is accepted for loopback addresses, which
// only tests use.
bool isAllowedFeed(const QUrl& url);

} // namespace UpdateFeed
